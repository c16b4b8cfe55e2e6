#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/rng.h"

namespace qz {

// The adjectives of the fighting-style title, weakest first.
inline constexpr std::array<const char*, 41> StyleAdjectives = {
    "Crazy",    "Nutty",  "Fishy",    "Cheap",     "Dental",   "Angry",      "Wacky",
    "Sweet",    "Sour",   "Dummy",    "Lesser",    "White",    "Red",        "Fast",
    "Magnetic", "Iron",   "Steel",    "Power",     "Striking", "Dark",       "Flying",
    "Dread",    "Black",  "Silent",   "Dangerous", "Psychic",  "Silver",     "Golden",
    "Arctic",   "Shadow", "Giant",    "Witty",     "Electro",  "Mystical",   "Electric",
    "Digital",  "Magic",  "Crushing", "Furious",   "Hunting",  "Victorious",
};

// The nouns of the fighting-style title, weakest first ("Fire" stands twice on purpose).
inline constexpr std::array<const char*, 60> StyleNouns = {
    "Chicken",   "Screwdriver", "Scarecrow", "Broom",    "Fish",     "Dog",      "Cat",
    "Peasant",   "Lizard",      "Bufallo",   "Dwarf",    "Elem",     "Troll",    "Panther",
    "Cheetah",   "Bull",        "Shark",     "Hammer",   "Thunder",  "Snake",    "Cyborg",
    "Hawk",      "Eagle",       "Lion",      "Fist",     "Wrestler", "Spirit",   "Hercules",
    "Swordsman", "Vampire",     "Soldier",   "Fire",     "Cyclop",   "Fire",     "Scorpion",
    "Unicorn",   "Angel",       "Hydra",     "Firebird", "Gremlin",  "Nomad",    "Genie",
    "Minotaur",  "Thunderbird", "Tiger",     "Fighter",  "Warrior",  "Phantom",  "Machine",
    "Samurai",   "Katana",      "Spider",    "Knight",   "Demon",    "Crusader", "Dragon",
    "Bat",       "Tank",        "Archer",    "Cobra",
};

// The title for two draws of the generator (0 to 32767): noun offset = noun_draw mod 21,
// adjective offset = adjective_draw mod 31, both moved up by 10 for a score above 1000 and by
// 20 above 10000. Adjective positions past the list's end give its last word, "Victorious".
std::string FightStyleFromDraws(int noun_draw, int adjective_draw, std::int32_t score);

// Draws the title of a won match from `rng`: the noun's draw first, then the adjective's.
std::string MakeFightStyle(Rng& rng, std::int32_t score);

}  // namespace qz

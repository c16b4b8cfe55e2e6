#include "records/fight_style.h"

#include <algorithm>
#include <cstddef>

namespace qz {

std::string FightStyleFromDraws(int noun_draw, int adjective_draw, std::int32_t score) {
  // Draws are never negative; the remainders are taken as positions all the same.
  const int noun_offset = ((noun_draw % 21) + 21) % 21;
  const int adjective_offset = ((adjective_draw % 31) + 31) % 31;
  const int band = score <= 1000 ? 0 : score <= 10000 ? 10 : 20;
  // The top band reaches adjective positions 41 to 50; they give the strongest word.
  const auto adjective = std::min<std::size_t>(static_cast<std::size_t>(band + adjective_offset),
                                               StyleAdjectives.size() - 1);
  const auto noun = static_cast<std::size_t>(band + noun_offset);
  return std::string(StyleAdjectives[adjective]) + " " + StyleNouns[noun];
}

std::string MakeFightStyle(Rng& rng, std::int32_t score) {
  // Two statements: the noun's draw must come first, and argument order is unspecified.
  const int noun_draw = rng.Next();
  const int adjective_draw = rng.Next();
  return FightStyleFromDraws(noun_draw, adjective_draw, score);
}

}  // namespace qz

#include "records/fight_style.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(FightStyleTest, WordLists) {
  ASSERT_EQ(41u, StyleAdjectives.size());
  ASSERT_EQ(60u, StyleNouns.size());
  EXPECT_STREQ("Crazy", StyleAdjectives[0]);
  EXPECT_STREQ("Victorious", StyleAdjectives[40]);
  EXPECT_STREQ("Bufallo", StyleNouns[9]);
  EXPECT_STREQ("Elem", StyleNouns[11]);
  EXPECT_STREQ("Fire", StyleNouns[31]);
  EXPECT_STREQ("Cyclop", StyleNouns[32]);
  EXPECT_STREQ("Fire", StyleNouns[33]);
  EXPECT_STREQ("Cobra", StyleNouns[59]);
}

TEST(FightStyleTest, TitlesByDrawsAndScore) {
  struct Case {
    int noun_draw, adjective_draw;
    std::int32_t score;
    const char* title;
  };
  const Case cases[] = {
      {12345, 678, 500, "Golden Thunder"},  // offsets 18 and 27
      {12345, 678, 5000, "Crushing Swordsman"},
      {0, 0, 0, "Crazy Chicken"},
      {0, 0, -40, "Crazy Chicken"},
      {0, 0, 1000, "Crazy Chicken"},
      {0, 0, 1001, "Lesser Dwarf"},
      {0, 0, 10000, "Lesser Dwarf"},
      {0, 0, 10001, "Flying Cyborg"},
      {20, 30, 1000, "Giant Cyborg"},
      {20, 30, 10000, "Victorious Soldier"},
      {20, 19, 10001, "Hunting Nomad"},
      {20, 20, 10001, "Victorious Nomad"},
      // Past the adjective list's end the title keeps its strongest word.
      {11, 21, 10001, "Victorious Fire"},
      {13, 30, 10001, "Victorious Fire"},
      {12, 32767, 10001, "Flying Cyclop"},  // 32767 mod 31 = 0: position 20
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.title, FightStyleFromDraws(c.noun_draw, c.adjective_draw, c.score))
        << c.noun_draw << ", " << c.adjective_draw << ", score " << c.score;
  }
}

TEST(FightStyleTest, MakeFightStyleDrawsTheNounFirst) {
  int differs = 0;
  for (std::uint32_t seed = 0; seed < 20; ++seed) {
    Rng rng;
    rng.Seed(seed);
    Rng copy = rng;
    const int first = copy.Next();
    const int second = copy.Next();
    EXPECT_EQ(FightStyleFromDraws(first, second, 5000), MakeFightStyle(rng, 5000));
    EXPECT_EQ(copy.Next(), rng.Next()) << "two numbers drawn";
    differs += FightStyleFromDraws(first, second, 5000) != FightStyleFromDraws(second, first, 5000);
  }
  EXPECT_GT(differs, 0);
}

}  // namespace
}  // namespace qz

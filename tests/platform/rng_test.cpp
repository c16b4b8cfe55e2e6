#include "platform/rng.h"

#include <vector>

#include <gtest/gtest.h>

namespace qz {
namespace {

std::vector<int> FirstDraws(Rng& rng, int count) {
  std::vector<int> draws;
  for (int i = 0; i < count; ++i)
    draws.push_back(rng.Next());
  return draws;
}

TEST(RngTest, SeedsGiveTheGameSequence) {
  struct Case {
    std::uint32_t seed;
    std::vector<int> draws;
  };
  const Case cases[] = {
      {1, {41, 18467, 6334, 26500, 19169, 15724}},
      {0, {38, 7719, 21238, 2437, 8855, 11797}},
      {12345, {7584, 19164, 25795, 22125, 5828, 23405}},
      {0xFFFFFFFFu, {35, 29739, 3374, 11141}},  // the state wraps around at once
  };
  for (const Case& c : cases) {
    Rng rng;
    rng.Seed(c.seed);
    EXPECT_EQ(c.draws, FirstDraws(rng, static_cast<int>(c.draws.size()))) << "seed " << c.seed;
  }
}

TEST(RngTest, UnseededRunsAsSeedOneAndReseedingStartsOver) {
  Rng rng;
  EXPECT_EQ(41, rng.Next());
  rng.Next();
  rng.Seed(1);
  EXPECT_EQ(41, rng.Next());
}

}  // namespace
}  // namespace qz

#pragma once

#include <cstdint>

namespace qz {

// The game's one random sequence: state := state * 214013 + 2531011 (mod 2^32), each draw
// gives bits 16 to 30 of the new state (0 to 32767). The problems, the feedback and cheer
// choices and the fighting-style title all draw from it, so a seed fixes all of them.
class Rng {
 public:
  static constexpr int kMax = 32767;

  // Starts the sequence over from `seed` (the match reset seeds with the calendar time).
  void Seed(std::uint32_t seed) { m_nState = seed; }
  // The next number, 0 to kMax.
  int Next();

 private:
  std::uint32_t m_nState = 1;  // an unseeded sequence behaves as one seeded with 1
};

}  // namespace qz

#include "records/fight_style.h"

#include <algorithm>
#include <cstddef>

namespace qz {

std::string MakeFightStyle(Rng& rng, std::int32_t score) {
  // The order of the draws is part of the title: the noun draws first.
  const int noun_offset = rng.Next() % 21;
  const int adjective_offset = rng.Next() % 31;
  const int band = score <= 1000 ? 0 : score <= 10000 ? 10 : 20;
  // The top band reaches adjective positions 41 to 50; they give the strongest word.
  const auto adjective = std::min<std::size_t>(static_cast<std::size_t>(band + adjective_offset),
                                               StyleAdjectives.size() - 1);
  const auto noun = static_cast<std::size_t>(band + noun_offset);
  return std::string(StyleAdjectives[adjective]) + " " + StyleNouns[noun];
}

}  // namespace qz

#include "profile/cadet_name.h"

namespace qz {

std::string CleanCadetName(std::string_view name) {
  std::string clean(name);
  // Control characters are single bytes in UTF-8, never part of a longer sequence.
  for (char& c : clean) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      c = ' ';
  }
  return clean;
}

}  // namespace qz

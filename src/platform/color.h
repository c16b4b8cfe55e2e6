#pragma once

#include <cstdint>

namespace qz {

// Colours in the 0x00BBGGRR form the game's colour tables use.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
         (static_cast<ColorRef>(b) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(ColorRef c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(ColorRef c) {
  return (c >> 16) & 0xFF;
}

// Canvas pixels are 0x00RRGGBB.
constexpr std::uint32_t ToPixel(ColorRef c) {
  return (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | BlueOf(c);
}

}  // namespace qz

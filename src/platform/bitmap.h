#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

// A decoded BMP picture: top-down rows of 0x00RRGGBB pixels.
struct Bitmap {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;  // as stored in the file: 8 (palettised) or 24
  std::vector<std::uint32_t> pixels;

  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  // Decodes an uncompressed 8-bit palettised or 24-bit BMP file. On failure returns nothing
  // and says why in *error.
  static std::optional<Bitmap> Decode(const std::vector<std::uint8_t>& bytes, std::string* error);
};

}  // namespace qz

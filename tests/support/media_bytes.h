#pragma once

#include <cstdint>
#include <vector>

namespace qz::test {

// File images for tests: small BMP pictures and WAVE sounds built in memory.

// A 24-bit BMP of 0x00RRGGBB pixels given top-down; stored bottom-up unless `top_down`.
std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint32_t>& pixels,
                                bool top_down = false);
// An 8-bit BMP with `palette` (0x00RRGGBB entries) and top-down palette indices.
std::vector<std::uint8_t> Bmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                               const std::vector<std::uint8_t>& indices, bool top_down = false);
// A one-colour 24-bit picture.
std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t pixel);

// A mono PCM WAVE of `samples` silent samples.
std::vector<std::uint8_t> PcmWav(int rate, int bits, std::uint32_t samples);
// A mono MS ADPCM WAVE header with a "fact" chunk of `samples`, and enough blocks to hold them.
std::vector<std::uint8_t> AdpcmWav(int rate, std::uint32_t samples);

}  // namespace qz::test

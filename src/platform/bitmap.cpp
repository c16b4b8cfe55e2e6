#include "platform/bitmap.h"

#include <cstddef>

namespace qz {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Far above any picture of the game; keeps a hostile header from asking for gigabytes.
constexpr std::int64_t kMaxSide = 16384;
constexpr std::uint32_t kCompressionNone = 0;

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Rgb24(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) | blue;
}

std::optional<Bitmap> Fail(std::string* error, const char* why) {
  if (error != nullptr)
    *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<Bitmap> Bitmap::Decode(const std::vector<std::uint8_t>& bytes, std::string* error) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize)
    return Fail(error, "file too short");
  if (bytes[0] != 'B' || bytes[1] != 'M')
    return Fail(error, "not a BMP file");
  const std::uint32_t pixel_offset = U32(bytes, 10);
  const std::uint32_t info_size = U32(bytes, 14);
  // Later header versions only append fields, so anything from 40 bytes up reads the same.
  if (info_size < kInfoHeaderSize || info_size > bytes.size() - kFileHeaderSize) {
    return Fail(error, "unsupported header");
  }
  const std::int64_t width = static_cast<std::int32_t>(U32(bytes, 18));
  const std::int64_t raw_height = static_cast<std::int32_t>(U32(bytes, 22));
  const std::uint16_t bits = U16(bytes, 28);
  const std::uint32_t compression = U32(bytes, 30);
  const std::uint32_t colors_used = U32(bytes, 46);

  if (bits != 8 && bits != 24)
    return Fail(error, "only 8-bit and 24-bit pictures are supported");
  if (compression != kCompressionNone)
    return Fail(error, "compressed pictures are not supported");
  const bool top_down = raw_height < 0;
  const std::int64_t height = top_down ? -raw_height : raw_height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    return Fail(error, "bad picture size");
  }

  std::vector<std::uint32_t> palette;
  if (bits == 8) {
    const std::uint32_t count = colors_used == 0 ? 256 : colors_used;
    if (count > 256)
      return Fail(error, "bad palette size");
    const size_t palette_at = kFileHeaderSize + info_size;
    if (palette_at + static_cast<size_t>(count) * 4 > bytes.size()) {
      return Fail(error, "palette cut short");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      const size_t at = palette_at + static_cast<size_t>(i) * 4;
      palette.push_back(Rgb24(bytes[at], bytes[at + 1], bytes[at + 2]));
    }
    // An index past the stored palette shows black rather than reading beyond it.
    palette.resize(256, 0);
  }

  const std::int64_t stride = ((width * bits + 31) / 32) * 4;
  if (static_cast<std::int64_t>(pixel_offset) + stride * height >
      static_cast<std::int64_t>(bytes.size())) {
    return Fail(error, "pixel data cut short");
  }

  Bitmap bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.bits_per_pixel = bits;
  bitmap.pixels.resize(static_cast<size_t>(width * height));
  for (std::int64_t row = 0; row < height; ++row) {
    const std::int64_t out_row = top_down ? row : height - 1 - row;
    const std::uint8_t* in = bytes.data() + pixel_offset + row * stride;
    std::uint32_t* out = bitmap.pixels.data() + out_row * width;
    for (std::int64_t x = 0; x < width; ++x) {
      out[x] = bits == 8 ? palette[in[x]] : Rgb24(in[x * 3], in[x * 3 + 1], in[x * 3 + 2]);
    }
  }
  return bitmap;
}

}  // namespace qz

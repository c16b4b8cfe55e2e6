#include "support/media_bytes.h"

#include <cstring>
#include <string>

namespace qz::test {
namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i)
    b.push_back(static_cast<std::uint8_t>(tag[i]));
}
void Set32(std::vector<std::uint8_t>& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = (v >> (8 * i)) & 0xFF;
}

std::vector<std::uint8_t> BmpHeaders(int width, int height, int bits, std::uint32_t colors,
                                     bool top_down) {
  std::vector<std::uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, 0);  // file size, patched at the end
  Put32(b, 0);
  Put32(b, 14 + 40 + colors * 4);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(top_down ? -height : height));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bits));
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, colors);
  Put32(b, 0);
  return b;
}

void PadRow(std::vector<std::uint8_t>& b, size_t row_start) {
  while ((b.size() - row_start) % 4 != 0)
    b.push_back(0);
}

}  // namespace

std::vector<std::uint8_t> Bmp24(int width, int height, const std::vector<std::uint32_t>& pixels,
                                bool top_down) {
  std::vector<std::uint8_t> b = BmpHeaders(width, height, 24, 0, top_down);
  for (int i = 0; i < height; ++i) {
    const int y = top_down ? i : height - 1 - i;
    const size_t row_start = b.size();
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      b.push_back(p & 0xFF);
      b.push_back((p >> 8) & 0xFF);
      b.push_back((p >> 16) & 0xFF);
    }
    PadRow(b, row_start);
  }
  Set32(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

std::vector<std::uint8_t> Bmp8(int width, int height, const std::vector<std::uint32_t>& palette,
                               const std::vector<std::uint8_t>& indices, bool top_down) {
  std::vector<std::uint8_t> b =
      BmpHeaders(width, height, 8, static_cast<std::uint32_t>(palette.size()), top_down);
  for (std::uint32_t c : palette)
    Put32(b, c);
  for (int i = 0; i < height; ++i) {
    const int y = top_down ? i : height - 1 - i;
    const size_t row_start = b.size();
    for (int x = 0; x < width; ++x)
      b.push_back(indices[static_cast<size_t>(y) * width + x]);
    PadRow(b, row_start);
  }
  Set32(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t pixel) {
  return Bmp24(width, height,
               std::vector<std::uint32_t>(static_cast<size_t>(width) * height, pixel));
}

std::vector<std::uint8_t> PcmWav(int rate, int bits, std::uint32_t samples) {
  const std::uint32_t block = static_cast<std::uint32_t>(bits / 8);
  const std::uint32_t data_size = samples * block;
  std::vector<std::uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 4 + 8 + 16 + 8 + data_size + (data_size & 1));
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);
  Put16(b, 1);
  Put32(b, static_cast<std::uint32_t>(rate));
  Put32(b, static_cast<std::uint32_t>(rate) * block);
  Put16(b, block);
  Put16(b, static_cast<std::uint32_t>(bits));
  PutTag(b, "data");
  Put32(b, data_size);
  b.resize(b.size() + data_size + (data_size & 1), bits == 8 ? 0x80 : 0);
  return b;
}

std::vector<std::uint8_t> AdpcmWav(int rate, std::uint32_t samples) {
  constexpr std::uint32_t kBlockAlign = 256;
  constexpr std::uint32_t kSamplesPerBlock = (kBlockAlign - 7) * 2 + 2;  // 500
  static const std::int16_t kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                                   {240, 0}, {460, -208}, {392, -232}};
  const std::uint32_t blocks = (samples + kSamplesPerBlock - 1) / kSamplesPerBlock;
  const std::uint32_t data_size = blocks * kBlockAlign;
  std::vector<std::uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 0);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 50);
  Put16(b, 2);
  Put16(b, 1);
  Put32(b, static_cast<std::uint32_t>(rate));
  Put32(b, static_cast<std::uint32_t>(rate) * kBlockAlign / kSamplesPerBlock);
  Put16(b, kBlockAlign);
  Put16(b, 4);
  Put16(b, 32);
  Put16(b, kSamplesPerBlock);
  Put16(b, 7);
  for (const auto& pair : kCoefficients) {
    Put16(b, static_cast<std::uint16_t>(pair[0]));
    Put16(b, static_cast<std::uint16_t>(pair[1]));
  }
  PutTag(b, "fact");
  Put32(b, 4);
  Put32(b, samples);
  PutTag(b, "data");
  Put32(b, data_size);
  for (std::uint32_t i = 0; i < blocks; ++i) {
    const size_t at = b.size();
    b.resize(at + kBlockAlign, 0);
    b[at + 1] = 16;  // initial delta, so a decoder accepts the block
  }
  Set32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
  return b;
}

}  // namespace qz::test

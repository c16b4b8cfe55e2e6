#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include "support/media_bytes.h"

namespace qz {
namespace {

// Three columns and two rows make row order, column order and row padding (9 bytes a row at
// 24 bits, 3 bytes at 8 bits) all visible.
const std::vector<std::uint32_t> kPixels = {0xFF0000, 0x00FF00, 0x0000FF,
                                            0x123456, 0xABCDEF, 0x000000};

TEST(BitmapDecode, ReadsEveryStoredLayout) {
  const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF,
                                              0x123456, 0xABCDEF, 0x000000};
  const std::vector<std::uint8_t> indices = {0, 1, 2, 3, 4, 5};
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    int bits;
  };
  const Case cases[] = {
      {"24-bit bottom-up", test::Bmp24(3, 2, kPixels), 24},
      {"24-bit top-down", test::Bmp24(3, 2, kPixels, true), 24},
      {"8-bit bottom-up", test::Bmp8(3, 2, palette, indices), 8},
      {"8-bit top-down", test::Bmp8(3, 2, palette, indices, true), 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    std::optional<Bitmap> b = Bitmap::Decode(c.bytes, &error);
    ASSERT_TRUE(b) << error;
    EXPECT_EQ(3, b->width);
    EXPECT_EQ(2, b->height);
    EXPECT_EQ(c.bits, b->bits_per_pixel);
    EXPECT_EQ(kPixels, b->pixels);
  }
}

TEST(BitmapDecode, IndexPastA255EntryPaletteIsBlack) {
  std::vector<std::uint32_t> palette(255, 0xFFFFFF);
  std::optional<Bitmap> b = Bitmap::Decode(test::Bmp8(2, 1, palette, {254, 255}), nullptr);
  ASSERT_TRUE(b);
  EXPECT_EQ(0xFFFFFFu, b->At(0, 0));
  EXPECT_EQ(0u, b->At(1, 0));
}

void Patch32(std::vector<std::uint8_t>& b, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = (v >> (8 * i)) & 0xFF;
}

TEST(BitmapDecode, RejectsDamagedFilesWithAReason) {
  const std::vector<std::uint8_t> good = test::Bmp24(3, 2, kPixels);
  auto with = [&](size_t at, std::uint32_t v) {
    std::vector<std::uint8_t> b = good;
    Patch32(b, at, v);
    return b;
  };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<std::uint8_t> not_bmp = good;
  not_bmp[0] = 'X';
  std::vector<std::uint8_t> bits16 = good;
  bits16[28] = 16;
  const Case cases[] = {
      {"empty", {}},
      {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 30)},
      {"last row missing", std::vector<std::uint8_t>(good.begin(), good.end() - 12)},
      {"last byte missing", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
      {"wrong magic", not_bmp},
      {"16 bits", bits16},
      {"compressed", with(30, 1)},
      {"zero width", with(18, 0)},
      {"negative width", with(18, 0xFFFFFFFF)},
      {"zero height", with(22, 0)},
      {"huge width", with(18, 0x7FFFFFFF)},
      {"most negative height", with(22, 0x80000000)},
      {"huge size, small file", with(18, 16000)},
      {"pixels offset past the end", with(10, 0xFFFFFFF0)},
      {"info header larger than file", with(14, 0xFFFFFFFF)},
      {"info header too small", with(14, 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(Bitmap::Decode(c.bytes, &error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(BitmapDecode, PaletteLargerThanAByteOrCutShortIsRejected) {
  std::vector<std::uint8_t> b = test::Bmp8(2, 2, std::vector<std::uint32_t>(4, 0), {0, 1, 2, 3});
  std::vector<std::uint8_t> big = b;
  Patch32(big, 46, 100000);
  EXPECT_FALSE(Bitmap::Decode(big, nullptr));
  std::vector<std::uint8_t> cut(b.begin(), b.begin() + 14 + 40 + 6);
  EXPECT_FALSE(Bitmap::Decode(cut, nullptr));
}

TEST(BitmapDecode, SurvivesEveryTruncationOfAValidFile) {
  const std::vector<std::uint8_t> good =
      test::Bmp8(5, 3, {0x111111, 0x222222}, std::vector<std::uint8_t>(15, 1));
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(Bitmap::Decode(std::vector<std::uint8_t>(good.begin(), good.begin() + n), nullptr))
        << n;
  }
  EXPECT_TRUE(Bitmap::Decode(good, nullptr));
}

}  // namespace
}  // namespace qz

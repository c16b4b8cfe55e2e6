// Checks the committed pictures and sounds: every file the game loads exists with the size,
// depth, encoding and length the windows and the match timing are built around.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qz {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::filesystem::path kAssetDir = std::filesystem::path(QZ_SOURCE_DIR) / "assets";

Bytes ReadAsset(const std::string& file_name) {
  std::ifstream in(kAssetDir / file_name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U32(const Bytes& b, size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const Bytes& b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::int16_t S16(const Bytes& b, size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}

// ---------------------------------------------------------------------------------------
// Pictures

struct PictureRow {
  const char* name;
  int width;
  int height;
  int bits;
};

constexpr PictureRow kPictures[] = {
    {"163", 640, 400, 24},  {"168", 47, 100, 8},    {"172", 24, 24, 8},     {"173", 24, 24, 8},
    {"175", 608, 200, 8},   {"176", 152, 16, 8},    {"177", 152, 16, 8},    {"178", 152, 16, 8},
    {"179", 152, 16, 8},    {"180", 152, 16, 8},    {"181", 152, 16, 8},    {"182", 152, 16, 8},
    {"183", 152, 16, 8},    {"184", 180, 16, 8},    {"185", 180, 16, 8},    {"186", 136, 16, 8},
    {"187", 136, 16, 8},    {"188", 16, 16, 8},     {"189", 18, 18, 8},     {"190", 18, 18, 8},
    {"191", 18, 18, 8},     {"192", 18, 18, 8},     {"193", 18, 18, 8},     {"194", 18, 18, 8},
    {"195", 18, 18, 8},     {"196", 18, 18, 8},     {"197", 18, 18, 8},     {"198", 18, 18, 8},
    {"199", 18, 18, 8},     {"200", 18, 18, 8},     {"201", 18, 18, 8},     {"202", 18, 18, 8},
    {"203", 18, 18, 8},     {"204", 180, 60, 8},    {"207", 116, 8, 8},     {"210", 472, 200, 24},
    {"ENTERU", 120, 52, 8}, {"ENTERD", 120, 52, 8}, {"ENTERX", 120, 52, 8}, {"SETUPU", 118, 40, 8},
    {"SETUPD", 118, 40, 8}, {"EXITU", 116, 40, 8},  {"EXITD", 116, 40, 8},  {"icon", 32, 32, 8},
    {"icon-32", 32, 32, 8}, {"icon-16", 16, 16, 8}, {"icon-18", 18, 18, 8}, {"icon-20", 20, 20, 8},
    {"icon-22", 22, 22, 8},
};

TEST(AssetCatalogueTest, EveryPictureIsAnUncompressedBottomUpBmpOfItsSizeAndDepth) {
  for (const PictureRow& row : kPictures) {
    SCOPED_TRACE(row.name);
    const Bytes bytes = ReadAsset(std::string(row.name) + ".bmp");
    ASSERT_GE(bytes.size(), 54u) << "missing or truncated";
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    EXPECT_EQ(bytes.size(), U32(bytes, 2));
    EXPECT_EQ(40u, U32(bytes, 14));
    EXPECT_EQ(row.width, static_cast<std::int32_t>(U32(bytes, 18)));
    EXPECT_EQ(row.height, static_cast<std::int32_t>(U32(bytes, 22)));  // positive: bottom-up
    EXPECT_EQ(1, U16(bytes, 26));
    EXPECT_EQ(row.bits, U16(bytes, 28));
    EXPECT_EQ(0u, U32(bytes, 30));
    std::uint32_t palette_entries = 0;
    if (row.bits == 8) {
      palette_entries = U32(bytes, 46) == 0 ? 256 : U32(bytes, 46);
      EXPECT_TRUE(palette_entries == 255 || palette_entries == 256) << palette_entries;
    }
    const size_t stride = (static_cast<size_t>(row.width) * row.bits + 31) / 32 * 4;
    EXPECT_EQ(14 + 40 + palette_entries * 4, U32(bytes, 10));
    EXPECT_EQ(U32(bytes, 10) + stride * row.height, bytes.size());

    std::string error;
    const auto decoded = Bitmap::Decode(bytes, &error);
    ASSERT_TRUE(decoded.has_value()) << error;
    EXPECT_EQ(row.width, decoded->width);
    EXPECT_EQ(row.height, decoded->height);
    EXPECT_EQ(row.bits, decoded->bits_per_pixel);
  }
}

Bitmap LoadPicture(const std::string& name) {
  std::string error;
  auto decoded = Bitmap::Decode(ReadAsset(name + ".bmp"), &error);
  if (!decoded)
    ADD_FAILURE() << name << ": " << error;
  return decoded.value_or(Bitmap{});
}

bool IsDark(std::uint32_t pixel) {
  const int r = static_cast<int>((pixel >> 16) & 0xFF);
  const int g = static_cast<int>((pixel >> 8) & 0xFF);
  const int b = static_cast<int>(pixel & 0xFF);
  return std::max({r, g, b}) < 40;
}

// A rectangle in pixels, right and bottom edges outside.
struct Area {
  const char* what;
  int x;
  int y;
  int width;
  int height;
};

int CountDark(const Bitmap& picture, const Area& area) {
  int dark = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x)
      dark += IsDark(picture.At(x, y)) ? 1 : 0;
  }
  return dark;
}

// The game draws its own texts, gauges and boxes over these places of the artwork, mostly
// with a transparent background: the artwork must be plain dark there.
TEST(AssetCatalogueTest, ControlsDrawOnDarkWindowsOfTheArtwork) {
  const Bitmap main_window = LoadPicture("163");
  ASSERT_EQ(640, main_window.width);
  const Area main_areas[] = {
      {"problems to go", 18, 34, 44, 20}, {"right answers", 74, 34, 44, 20},
      {"wrong answers", 130, 34, 44, 20}, {"energy gauge", 216, 10, 224, 20},
      {"power gauge", 216, 40, 224, 8},   {"banked total", 500, 18, 120, 20},
      {"power", 482, 38, 36, 20},         {"match score", 524, 38, 96, 20},
      {"setup panel", 16, 80, 608, 200},  {"status line", 24, 136, 596, 28},
      {"problem", 16, 168, 382, 72},      {"answer", 416, 170, 208, 70},
  };
  for (const Area& area : main_areas) {
    EXPECT_EQ(area.width * area.height, CountDark(main_window, area)) << area.what;
  }

  const Bitmap panel = LoadPicture("175");
  ASSERT_EQ(608, panel.width);
  const Area panel_areas[] = {
      {"name", 420, 40, 172, 16},         {"birth day", 420, 72, 30, 16},
      {"birth month", 468, 72, 30, 16},   {"birth year", 518, 72, 74, 16},
      {"secret word", 420, 168, 172, 16},
  };
  for (const Area& area : panel_areas) {
    EXPECT_EQ(area.width * area.height, CountDark(panel, area)) << area.what;
    // The edit boxes have no border of their own: the artwork frames them.
    const Area frame_row = {area.what, area.x, area.y - 3, area.width, 1};
    EXPECT_LT(CountDark(panel, frame_row), area.width / 2) << area.what << " frame";
  }
}

TEST(AssetCatalogueTest, AboutPictureHasItsOkMarkInTheClosingCorner) {
  const Bitmap about = LoadPicture("210");
  ASSERT_EQ(472, about.width);
  // Clicks right of x 416 and below y 180 close the box: the mark must lie there.
  const Area corner = {"corner", 417, 181, 55, 19};
  EXPECT_GT(corner.width * corner.height - CountDark(about, corner), 300);
}

TEST(AssetCatalogueTest, HighlightedPicturesHaveALightFieldAndPlainOnesABlackOne) {
  struct Pair {
    const char* highlighted;
    const char* plain;
  };
  const Pair pairs[] = {{"176", "177"}, {"178", "179"}, {"180", "181"}, {"182", "183"},
                        {"184", "185"}, {"186", "187"}, {"189", "197"}, {"195", "203"}};
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.highlighted);
    const Bitmap on = LoadPicture(pair.highlighted);
    const Bitmap off = LoadPicture(pair.plain);
    ASSERT_GT(on.width, 0);
    ASSERT_GT(off.width, 0);
    const Area whole_on = {"on", 0, 0, on.width, on.height};
    const Area whole_off = {"off", 0, 0, off.width, off.height};
    EXPECT_LT(CountDark(on, whole_on) * 2, on.width * on.height);
    EXPECT_GT(CountDark(off, whole_off) * 2, off.width * off.height);
  }
}

std::uint32_t BigEndian32(const Bytes& b, size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
         (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}

TEST(AssetCatalogueTest, DesktopIconsComeInTheThemeSizes) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    SCOPED_TRACE(folder);
    const Bytes png = ReadAsset("icons/hicolor/" + folder + "/apps/quizendo.png");
    ASSERT_GE(png.size(), 33u);
    EXPECT_EQ(0, std::string(png.begin() + 12, png.begin() + 16).compare("IHDR"));
    EXPECT_EQ(static_cast<std::uint32_t>(size), BigEndian32(png, 16));
    EXPECT_EQ(static_cast<std::uint32_t>(size), BigEndian32(png, 20));
  }
  const Bytes svg = ReadAsset("icons/hicolor/scalable/apps/quizendo.svg");
  EXPECT_NE(std::string::npos, std::string(svg.begin(), svg.end()).find("<svg"));
}

// ---------------------------------------------------------------------------------------
// Sounds

constexpr int kPcm = 1;
constexpr int kMsAdpcm = 2;

struct SoundRow {
  int id;
  int format;
  int rate;
  int bits;
  double seconds;  // as listed, to the hundredth
  int samples;     // exact sample count of the ADPCM sounds, 0 for PCM
};

constexpr SoundRow kSounds[] = {
    {133, kPcm, 11025, 16, 0.27, 0},         {137, kPcm, 11025, 16, 0.16, 0},
    {139, kPcm, 22050, 8, 0.69, 0},          {140, kPcm, 22050, 8, 0.85, 0},
    {141, kPcm, 22050, 16, 0.46, 0},         {142, kPcm, 22050, 8, 0.90, 0},
    {144, kMsAdpcm, 22050, 4, 16.0, 352828}, {148, kMsAdpcm, 11025, 4, 7.56, 83352},
    {151, kMsAdpcm, 11025, 4, 1.04, 11414},  {177, kPcm, 11025, 16, 0.10, 0},
    {206, kPcm, 22050, 16, 0.23, 0},         {211, kMsAdpcm, 8000, 4, 3.57, 28563},
};

struct Wave {
  std::map<std::string, Bytes> chunks;
  int format = 0;
  int channels = 0;
  int rate = 0;
  int average_bytes = 0;
  int block_align = 0;
  int bits = 0;
  std::vector<int> samples;  // decoded, 16-bit range
};

Wave ParseWave(const Bytes& bytes) {
  Wave wave;
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
    ADD_FAILURE() << "not a RIFF WAVE file";
    return wave;
  }
  EXPECT_EQ(bytes.size() - 8, U32(bytes, 4));
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                         bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    const size_t size = U32(bytes, at + 4);
    if (at + 8 + size > bytes.size()) {
      ADD_FAILURE() << "chunk " << id << " runs past the end";
      return wave;
    }
    wave.chunks[id] = Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
    at += 8 + size + (size % 2);
  }
  const Bytes& fmt = wave.chunks["fmt "];
  if (fmt.size() < 16) {
    ADD_FAILURE() << "no fmt chunk";
    return wave;
  }
  wave.format = U16(fmt, 0);
  wave.channels = U16(fmt, 2);
  wave.rate = static_cast<int>(U32(fmt, 4));
  wave.average_bytes = static_cast<int>(U32(fmt, 8));
  wave.block_align = U16(fmt, 12);
  wave.bits = U16(fmt, 14);
  return wave;
}

void DecodePcm(Wave& wave) {
  const Bytes& data = wave.chunks["data"];
  if (wave.bits == 8) {
    for (std::uint8_t v : data)
      wave.samples.push_back((v - 128) * 256);
  } else {
    for (size_t i = 0; i + 1 < data.size(); i += 2)
      wave.samples.push_back(S16(data, i));
  }
}

constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                 768, 614, 512, 409, 307, 230, 230, 230};
constexpr int kCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                     {240, 0}, {460, -208}, {392, -232}};

// Decodes the first `count` samples of mono MS ADPCM.
void DecodeMsAdpcm(Wave& wave, size_t count) {
  const Bytes& data = wave.chunks["data"];
  for (size_t block = 0; block + 7 <= data.size() && wave.samples.size() < count;
       block += static_cast<size_t>(wave.block_align)) {
    const int predictor = data[block];
    ASSERT_LT(predictor, 7);
    const int c1 = kCoefficients[predictor][0];
    const int c2 = kCoefficients[predictor][1];
    int delta = S16(data, block + 1);
    int sample1 = S16(data, block + 3);
    int sample2 = S16(data, block + 5);
    wave.samples.push_back(sample2);
    wave.samples.push_back(sample1);
    const size_t end = std::min(data.size(), block + static_cast<size_t>(wave.block_align));
    for (size_t at = block + 7; at < end; ++at) {
      for (int nibble : {data[at] >> 4, data[at] & 0x0F}) {
        const int signed_nibble = nibble >= 8 ? nibble - 16 : nibble;
        const int predicted = (sample1 * c1 + sample2 * c2) / 256;
        const int value = std::clamp(predicted + signed_nibble * delta, -32768, 32767);
        sample2 = sample1;
        sample1 = value;
        delta = std::max(16, kAdaptation[nibble] * delta / 256);
        wave.samples.push_back(value);
      }
    }
  }
  if (wave.samples.size() > count)
    wave.samples.resize(count);
}

TEST(AssetCatalogueTest, EverySoundHasItsEncodingRateDepthAndLength) {
  for (const SoundRow& row : kSounds) {
    SCOPED_TRACE(row.id);
    Wave wave = ParseWave(ReadAsset(std::to_string(row.id) + ".wav"));
    EXPECT_EQ(row.format, wave.format);
    EXPECT_EQ(1, wave.channels);
    EXPECT_EQ(row.rate, wave.rate);
    EXPECT_EQ(row.bits, wave.bits);
    ASSERT_TRUE(wave.chunks.count("data"));
    const Bytes& data = wave.chunks["data"];
    if (row.format == kPcm) {
      EXPECT_EQ(row.bits / 8, wave.block_align);
      EXPECT_EQ(row.rate * wave.block_align, wave.average_bytes);
      const double seconds = static_cast<double>(data.size()) / wave.block_align / row.rate;
      EXPECT_NEAR(row.seconds, seconds, 0.005);
      DecodePcm(wave);
      continue;
    }
    const Bytes& fmt = wave.chunks["fmt "];
    ASSERT_GE(fmt.size(), 50u);
    EXPECT_EQ(32, U16(fmt, 16));  // extra bytes: samples per block, 7 coefficient pairs
    const int per_block = U16(fmt, 18);
    EXPECT_EQ((wave.block_align - 7) * 2 + 2, per_block);
    ASSERT_EQ(7, U16(fmt, 20));
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(kCoefficients[i][0], S16(fmt, 22 + 4 * i)) << "pair " << i;
      EXPECT_EQ(kCoefficients[i][1], S16(fmt, 24 + 4 * i)) << "pair " << i;
    }
    ASSERT_EQ(4u, wave.chunks["fact"].size()) << "fact chunk";
    EXPECT_EQ(static_cast<std::uint32_t>(row.samples), U32(wave.chunks["fact"], 0));
    EXPECT_NEAR(row.seconds, static_cast<double>(row.samples) / row.rate, 0.005);
    // Whole blocks, the last one padded: the fact chunk says where the sound ends.
    EXPECT_EQ(0u, data.size() % static_cast<size_t>(wave.block_align));
    const size_t stored =
        data.size() / static_cast<size_t>(wave.block_align) * static_cast<size_t>(per_block);
    EXPECT_GE(stored, static_cast<size_t>(row.samples));
    EXPECT_LT(stored, static_cast<size_t>(row.samples + per_block));
    DecodeMsAdpcm(wave, static_cast<size_t>(row.samples));
    EXPECT_EQ(static_cast<size_t>(row.samples), wave.samples.size());
  }
}

// A sound that starts or stops on a loud sample clicks; a clipped one crackles; one far
// quieter than the rest gets lost. The waiting music repeats, so its end meets its start.
TEST(AssetCatalogueTest, SoundsAreCleanAndEvenlyLoud) {
  for (const SoundRow& row : kSounds) {
    SCOPED_TRACE(row.id);
    Wave wave = ParseWave(ReadAsset(std::to_string(row.id) + ".wav"));
    if (wave.format == kPcm)
      DecodePcm(wave);
    else
      DecodeMsAdpcm(wave, static_cast<size_t>(row.samples));
    ASSERT_GT(wave.samples.size(), 100u);
    const std::vector<int>& s = wave.samples;
    double energy = 0;
    int peak = 0;
    for (int v : s) {
      energy += static_cast<double>(v) * v;
      peak = std::max(peak, std::abs(v));
    }
    const double rms_db = 20 * std::log10(std::sqrt(energy / s.size()) / 32768.0);
    EXPECT_LT(peak, 32700) << "clipped";
    EXPECT_GT(rms_db, -26.0);
    EXPECT_LT(rms_db, -12.0);
    if (row.id == 144) {
      EXPECT_LT(std::abs(s.back() - s.front()), 1500) << "seam of the loop";
    } else {
      EXPECT_LT(std::abs(s.front()), 400);
      EXPECT_LT(std::abs(s.back()), 400);
    }
  }
}

}  // namespace
}  // namespace qz

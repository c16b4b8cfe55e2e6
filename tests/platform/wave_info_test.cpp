#include "platform/wave_info.h"

#include <gtest/gtest.h>

#include "support/media_bytes.h"

namespace qz {
namespace {

TEST(WaveInfo, LengthOfPcmAndAdpcmSounds) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::uint16_t format;
    std::uint32_t samples;
    std::uint32_t ms;
  };
  const Case cases[] = {
      {"PCM 8 bit", test::PcmWav(22050, 8, 22050), WaveInfo::kPcm, 22050, 1000},
      {"PCM 16 bit", test::PcmWav(11025, 16, 1764), WaveInfo::kPcm, 1764, 160},
      // The fact chunk's count wins over the padded last block.
      {"ADPCM", test::AdpcmWav(11025, 83352), WaveInfo::kMsAdpcm, 83352, 7561},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    std::optional<WaveInfo> info = WaveInfo::Parse(c.bytes, &error);
    ASSERT_TRUE(info) << error;
    EXPECT_EQ(c.format, info->format_tag);
    EXPECT_EQ(1, info->channels);
    EXPECT_EQ(c.samples, info->sample_count);
    EXPECT_EQ(c.ms, info->DurationMs());
  }
}

TEST(WaveInfo, AdpcmWithoutFactCountsWholeBlocks) {
  std::vector<std::uint8_t> bytes = test::AdpcmWav(8000, 1000);
  // Rename the fact chunk so the parser skips it as unknown.
  for (size_t i = 0; i + 4 <= bytes.size(); ++i) {
    if (std::string(bytes.begin() + i, bytes.begin() + i + 4) == "fact") {
      bytes[i] = 'x';
      break;
    }
  }
  std::optional<WaveInfo> info = WaveInfo::Parse(bytes, nullptr);
  ASSERT_TRUE(info);
  EXPECT_EQ(1000u, info->sample_count);  // two blocks of 500
}

TEST(WaveInfo, DamagedFilesFailWithoutReadingPastTheEnd) {
  const std::vector<std::uint8_t> good = test::AdpcmWav(11025, 600);
  for (size_t n = 0; n < 100; ++n) {
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + n);
    std::optional<WaveInfo> info = WaveInfo::Parse(cut, nullptr);
    // Cut inside the headers: rejected; cut inside the data: a shorter sound.
    if (info) {
      EXPECT_LE(info->data_bytes, n);
    }
  }
  std::vector<std::uint8_t> huge_chunk = good;
  huge_chunk[16] = 0xFF;
  huge_chunk[17] = 0xFF;
  huge_chunk[18] = 0xFF;
  huge_chunk[19] = 0xFF;
  EXPECT_FALSE(WaveInfo::Parse(huge_chunk, nullptr));
  std::string error;
  EXPECT_FALSE(WaveInfo::Parse({'R', 'I', 'F', 'F'}, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace qz

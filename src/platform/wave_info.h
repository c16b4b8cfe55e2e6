#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

// What a RIFF WAVE file says about its sound, without decoding it.
struct WaveInfo {
  static constexpr std::uint16_t kPcm = 1;
  static constexpr std::uint16_t kMsAdpcm = 2;

  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;
  std::uint32_t sample_rate = 0;
  std::uint16_t bits_per_sample = 0;
  std::uint16_t block_align = 0;
  std::uint32_t data_bytes = 0;
  // Samples per channel: from the "fact" chunk when there is one, else from the data size.
  std::uint32_t sample_count = 0;

  // The playing time, rounded up to whole milliseconds.
  std::uint32_t DurationMs() const;

  // Reads the "fmt ", "fact" and "data" chunks. On failure returns nothing and says why in
  // *error. Never reads past `bytes`.
  static std::optional<WaveInfo> Parse(const std::vector<std::uint8_t>& bytes, std::string* error);
};

}  // namespace qz

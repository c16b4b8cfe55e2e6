#include "platform/wave_info.h"

#include <cstring>

namespace qz {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::optional<WaveInfo> Fail(std::string* error, const char* why) {
  if (error != nullptr)
    *error = why;
  return std::nullopt;
}

}  // namespace

std::uint32_t WaveInfo::DurationMs() const {
  if (sample_rate == 0)
    return 0;
  return static_cast<std::uint32_t>(
      (static_cast<std::uint64_t>(sample_count) * 1000 + sample_rate - 1) / sample_rate);
}

std::optional<WaveInfo> WaveInfo::Parse(const std::vector<std::uint8_t>& bytes,
                                        std::string* error) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return Fail(error, "not a WAVE file");
  }
  WaveInfo info;
  bool have_format = false;
  bool have_data = false;
  bool have_fact = false;
  std::uint16_t samples_per_block = 0;
  size_t at = 12;
  // A truncated last chunk still counts with the bytes that are there, as players do.
  while (bytes.size() - at >= 8) {
    const std::uint8_t* head = bytes.data() + at;
    const size_t declared = U32(head + 4);
    const size_t available = bytes.size() - at - 8;
    const size_t size = declared < available ? declared : available;
    const std::uint8_t* body = head + 8;
    if (std::memcmp(head, "fmt ", 4) == 0) {
      if (size < 16)
        return Fail(error, "format chunk too short");
      info.format_tag = U16(body);
      info.channels = U16(body + 2);
      info.sample_rate = U32(body + 4);
      info.block_align = U16(body + 12);
      info.bits_per_sample = U16(body + 14);
      if (size >= 20)
        samples_per_block = U16(body + 18);
      have_format = true;
    } else if (std::memcmp(head, "fact", 4) == 0 && size >= 4) {
      info.sample_count = U32(body);
      have_fact = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      info.data_bytes = static_cast<std::uint32_t>(size);
      have_data = true;
    }
    const size_t next = at + 8 + size + (size & 1);
    if (declared >= available || next > bytes.size())
      break;
    at = next;
  }
  if (!have_format)
    return Fail(error, "no format chunk");
  if (!have_data)
    return Fail(error, "no data chunk");
  if (info.channels == 0 || info.sample_rate == 0 || info.block_align == 0) {
    return Fail(error, "bad format chunk");
  }
  if (!have_fact) {
    const std::uint32_t blocks = info.data_bytes / info.block_align;
    if (info.format_tag == kMsAdpcm) {
      info.sample_count = blocks * samples_per_block;
    } else {
      info.sample_count = blocks;
    }
  }
  return info;
}

}  // namespace qz

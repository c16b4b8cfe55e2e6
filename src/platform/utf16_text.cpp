#include "platform/utf16_text.h"

#include <cstdint>

namespace qz {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at the front of `text` (advancing `pos`); U+FFFD for a malformed sequence,
// which then takes up one byte, so decoding goes on at the next.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(text[pos]);
  int length = 0;
  char32_t point = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, point = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, point = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, point = lead & 0x07, smallest = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (text.size() - pos < static_cast<std::size_t>(length)) {
    ++pos;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    const auto follow = static_cast<std::uint8_t>(text[pos + i]);
    if ((follow & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    point = (point << 6) | (follow & 0x3F);
  }
  // Overlong forms, surrogates and points past U+10FFFF are not UTF-8.
  if (point < smallest || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return point;
}

void AppendUtf8(std::string& out, char32_t point) {
  if (point < 0x80) {
    out += static_cast<char>(point);
  } else if (point < 0x800) {
    out += static_cast<char>(0xC0 | (point >> 6));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    out += static_cast<char>(0xE0 | (point >> 12));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (point >> 18));
    out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t point = NextCodePoint(utf8, pos);
    if (point < 0x10000) {
      out += static_cast<char16_t>(point);
    } else {
      out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace qz

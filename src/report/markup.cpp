#include "report/markup.h"

namespace qz {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid UTF-8 sequence at the start of `text`, 0 when there is none.
std::size_t ValidSequence(std::string_view text) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0)
      low = 0xA0;  // no overlong forms
    if (b0 == 0xED)
      high = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0)
      low = 0x90;
    if (b0 == 0xF4)
      high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length)
    return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
      return 0;
  }
  return length;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      const std::size_t length = ValidSequence(text.substr(i));
      if (length == 0) {
        out += kReplacement;
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if (byte >= 0x20 || c == '\t' || c == '\n')
          out += c;
        // Other control characters (NUL, CR, ESC ...) are not allowed in XML: dropped.
        break;
    }
    ++i;
  }
}

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

}  // namespace qz

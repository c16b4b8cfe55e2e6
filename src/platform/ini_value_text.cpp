#include "platform/ini_value_text.h"

#include <charconv>

namespace qz {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7f;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i]))
      return false;
  }
  return true;
}

bool IsStorableName(std::string_view name, bool is_section) {
  if (name.empty() || TrimBlanks(name).size() != name.size())
    return false;
  if (!is_section && (name.front() == ';' || name.front() == '#' || name.front() == '[')) {
    return false;
  }
  for (char c : name) {
    if (IsControl(c) || c == ']' || (!is_section && c == '='))
      return false;
  }
  return true;
}

std::string EncodeIniValue(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(value.size() + 2);
  for (char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (IsControl(c)) {
          const auto u = static_cast<unsigned char>(c);
          out += "\\x";
          out += kHex[u >> 4];
          out += kHex[u & 0xF];
        } else {
          out += c;
        }
    }
  }
  // Quotes keep blanks at either end, and a value that is itself quoted.
  if (!out.empty() && (out.front() == ' ' || out.back() == ' ' || out.front() == '"')) {
    out = '"' + out + '"';
  }
  return out;
}

std::string DecodeIniValue(std::string_view raw) {
  raw = TrimBlanks(raw);
  if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"') {
    raw = raw.substr(1, raw.size() - 2);
  }
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c != '\\' || i + 1 == raw.size()) {
      out += c;
      continue;
    }
    const char next = raw[i + 1];
    if (next == '\\') {
      out += '\\';
    } else if (next == 'n') {
      out += '\n';
    } else if (next == 'r') {
      out += '\r';
    } else if (next == 't') {
      out += '\t';
    } else if (next == 'x' && i + 3 < raw.size() && HexDigit(raw[i + 2]) >= 0 &&
               HexDigit(raw[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(raw[i + 2]) * 16 + HexDigit(raw[i + 3]));
      i += 2;
    } else {
      // Not an escape: a hand-written backslash stays as it is.
      out += c;
      continue;
    }
    ++i;
  }
  return out;
}

std::optional<int> ParseInt32(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9')
      return std::nullopt;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

}  // namespace qz

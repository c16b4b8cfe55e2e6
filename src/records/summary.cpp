#include "records/summary.h"

#include "platform/calendar.h"
#include "platform/string_printf.h"
#include "records/log_format.h"

namespace qz {
namespace {

// The simple upper-case mapping of a Latin code point; others map to themselves.
char32_t UpperLatin(char32_t c) {
  if (c >= U'a' && c <= U'z')
    return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 0x20;  // à..þ except ÷
  if (c == 0xFF)
    return 0x178;  // ÿ -> Ÿ
  if (c == 0x131)
    return U'I';  // dotless ı
  if (c == 0x17F)
    return U'S';  // long ſ
  // Latin Extended-A pairs capital and small letter, capital first; the pairs change parity
  // at the letters without a capital (ĸ, ŉ) and at Ÿ.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
    return (c % 2 == 1) ? c - 1 : c;
  }
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
    return (c % 2 == 0) ? c - 1 : c;
  }
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string UpperCaseName(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    // Every letter mapped here is one or two bytes long; longer sequences and stray bytes are
    // copied as they stand.
    if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size()) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      if ((b1 & 0xC0) == 0x80) {
        const char32_t c = (char32_t{b0 & 0x1Fu} << 6) | (b1 & 0x3Fu);
        AppendUtf8(out, UpperLatin(c));
        i += 2;
        continue;
      }
    }
    if (b0 < 0x80) {
      out += static_cast<char>(UpperLatin(b0));
    } else {
      out += static_cast<char>(b0);
    }
    ++i;
  }
  return out;
}

std::string FormatSpan(std::int64_t seconds) {
  // int64 magnitude: -2^63 cannot occur, spans come from differences of 32-bit-range times.
  const bool negative = seconds < 0;
  const std::uint64_t s =
      negative ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
  const auto hours = static_cast<unsigned>(s / 3600 % 24);
  const auto minutes = static_cast<unsigned>(s / 60 % 60);
  const auto secs = static_cast<unsigned>(s % 60);
  return StringPrintf("%s%02u:%02u:%02u", negative ? "-" : "", hours, minutes, secs);
}

std::string FormatSummary(const SummaryValues& v) {
  // Nothing finished: the shortest time still holds its "none yet" start value.
  const std::int32_t shortest = v.m_nDone < 1 ? 0 : v.m_nMinSecs;
  std::string text = std::string("\r\n\r\n") + kSummaryHeading + "\r\n\r\n";
  text += kSummaryLevel + StringPrintf("%d\r\n", v.m_nGameLevel);
  text += kSummaryRight + StringPrintf("%d\r\n", v.m_nRunRight);
  text += kSummaryWrong + StringPrintf("%d\r\n", v.m_nRunWrong);
  text += kSummaryDone + StringPrintf("%d\r\n", v.m_nDone);
  text += kSummaryAnswers + StringPrintf("%d\r\n", v.m_nAnswers);
  text += kSummaryLongest + StringPrintf("%d%s\r\n", v.m_nMaxSecs, kSummarySecondsUnit);
  text += kSummaryShortest + StringPrintf("%d%s\r\n", shortest, kSummarySecondsUnit);
  text += kSummaryAverage + StringPrintf("%d%s\r\n", v.m_nAvgSecs, kSummarySecondsUnit);
  text += kSummaryExercise + FormatSpan(v.m_nSumSecs) + "\r\n";
  text += kSummaryStart + FormatLocalTime(v.m_tRunStart, kLogDateTimeFormat) + "\r\n";
  text += kSummaryEnd + FormatLocalTime(v.m_tRunEnd, kLogDateTimeFormat) + "\r\n";
  text += kSummaryTimeframe + FormatSpan(v.m_nTimeframeSecs) + "\r\n\r\n";
  text += kSummaryName + UpperCaseName(v.m_strCadetName) + "\r\n\r\n";
  text += kSummaryRank + v.m_strRank + "\r\n";
  text += kSummarySkill + v.m_strBelt + "\r\n";
  text += kSummaryStyle + v.m_strStyle + "\r\n";
  text += kSummaryHighScore + StringPrintf("%d\r\n\r\n", v.m_nHiScore);
  return text;
}

}  // namespace qz

#include "records/log_reader.h"

#include <cstring>

#include "platform/string_printf.h"
#include "records/log_format.h"

namespace qz {
namespace {

constexpr std::size_t kDateTimeLength = 17;  // "07-05-14 16:02:11"

// Every figure of a line must fit 32 bits. A problem number counts the problems of one match,
// a few dozen at most: a larger one was not written by the game, and the number of the problem
// after it must not overflow.
constexpr int kMaxProblemNumber = 99999;

bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool Consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix))
    return false;
  text.remove_prefix(prefix.size());
  return true;
}

bool Consume(std::string_view& text, char c) {
  if (text.empty() || text.front() != c)
    return false;
  text.remove_prefix(1);
  return true;
}

// A signed decimal that fits 32 bits; no leading blanks.
bool ConsumeInt(std::string_view& text, int& value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative)
    ++i;
  const std::size_t first_digit = i;
  std::int64_t v = 0;
  while (i < text.size() && IsDigit(text[i])) {
    v = v * 10 + (text[i] - '0');
    if (v > std::int64_t{2147483648})
      return false;
    ++i;
  }
  if (i == first_digit)
    return false;
  if (negative)
    v = -v;
  if (v > 2147483647)
    return false;
  value = static_cast<int>(v);
  text.remove_prefix(i);
  return true;
}

bool ParseWholeInt(std::string_view text, int& value) {
  int parsed = 0;
  if (!ConsumeInt(text, parsed) || !text.empty())
    return false;
  value = parsed;
  return true;
}

int TwoDigits(std::string_view text, std::size_t at) {
  if (!IsDigit(text[at]) || !IsDigit(text[at + 1]))
    return -1;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// Matches a summary label, where any run of blanks and TABs in the label stands for any run
// in the text: an editor that turned TABs into blanks, or dropped a trailing TAB, keeps the
// line readable.
bool ConsumeLabel(std::string_view& text, std::string_view label) {
  std::size_t t = 0;
  std::size_t l = 0;
  while (l < label.size()) {
    if (IsBlank(label[l])) {
      while (l < label.size() && IsBlank(label[l]))
        ++l;
      const std::size_t run_start = t;
      while (t < text.size() && IsBlank(text[t]))
        ++t;
      // A run may be missing only where the line ends.
      if (t == run_start && t != text.size())
        return false;
      continue;
    }
    if (t >= text.size() || text[t] != label[l])
      return false;
    ++t;
    ++l;
  }
  text.remove_prefix(t);
  return true;
}

// "HH:MM:SS", possibly after a minus sign (a span over a clock set back).
bool ParseSpan(std::string_view text, int& seconds) {
  const bool negative = Consume(text, '-');
  if (text.size() != 8 || text[2] != ':' || text[5] != ':')
    return false;
  const int h = TwoDigits(text, 0);
  const int m = TwoDigits(text, 3);
  const int s = TwoDigits(text, 6);
  if (h < 0 || m < 0 || s < 0)
    return false;
  seconds = h * 3600 + m * 60 + s;
  if (negative)
    seconds = -seconds;
  return true;
}

bool ParseSeconds(std::string_view text, int& seconds) {
  if (!text.ends_with(kSummarySecondsUnit))
    return false;
  text.remove_suffix(std::string_view(kSummarySecondsUnit).size());
  return ParseWholeInt(text, seconds);
}

bool ParseDateField(std::string_view text, LogDateTime& when) {
  const auto parsed = ParseLogDateTime(text);
  if (!parsed)
    return false;
  when = *parsed;
  return true;
}

}  // namespace

std::string LogDateTime::ToIso() const {
  return StringPrintf("%04d-%02d-%02d %02d:%02d:%02d", m_nYear, m_nMonth, m_nDay, m_nHour,
                      m_nMinute, m_nSecond);
}

std::optional<LogDateTime> ParseLogDateTime(std::string_view text) {
  if (text.size() != kDateTimeLength || text[2] != '-' || text[5] != '-' || text[8] != ' ' ||
      text[11] != ':' || text[14] != ':') {
    return std::nullopt;
  }
  LogDateTime when;
  const int yy = TwoDigits(text, 0);
  when.m_nMonth = TwoDigits(text, 3);
  when.m_nDay = TwoDigits(text, 6);
  when.m_nHour = TwoDigits(text, 9);
  when.m_nMinute = TwoDigits(text, 12);
  when.m_nSecond = TwoDigits(text, 15);
  if (yy < 0 || when.m_nMonth < 1 || when.m_nMonth > 12 || when.m_nDay < 1 || when.m_nDay > 31 ||
      when.m_nHour < 0 || when.m_nHour > 23 || when.m_nMinute < 0 || when.m_nMinute > 59 ||
      when.m_nSecond < 0 || when.m_nSecond > 60) {
    return std::nullopt;
  }
  when.m_nYear = yy < 69 ? 2000 + yy : 1900 + yy;
  return when;
}

bool ParseHeaderLine(std::string_view line, LogSession& session) {
  // The name is free text, so the fixed parts are looked for from the right.
  const std::size_t date_at = line.rfind(kHeaderDateLead);
  if (date_at == std::string_view::npos)
    return false;
  const auto when =
      ParseLogDateTime(line.substr(date_at + std::string_view(kHeaderDateLead).size()));
  if (!when)
    return false;
  const std::string_view before = line.substr(0, date_at);
  const std::size_t age_at = before.rfind(kHeaderAgeLead);
  if (age_at == std::string_view::npos)
    return false;
  std::string_view age = before.substr(age_at + std::string_view(kHeaderAgeLead).size());
  int years = 0;
  int months = 0;
  if (!ConsumeInt(age, years) || !Consume(age, " years ") || !ConsumeInt(age, months) ||
      !Consume(age, " month")) {
    return false;
  }
  if (!(age.empty() || age == "s"))
    return false;
  session.m_bHeader = true;
  session.m_strCadet.assign(before.substr(0, age_at));
  session.m_nAgeYears = years;
  session.m_nAgeMonths = months;
  session.m_dtStart = *when;
  return true;
}

bool ParseProblemLine(std::string_view line, LogAnswer& answer) {
  // "001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10"
  int problem = 0;
  if (line.empty() || !IsDigit(line[0]) || !ConsumeInt(line, problem) || !Consume(line, ' ')) {
    return false;
  }
  if (line.size() < kDateTimeLength)
    return false;
  const auto when = ParseLogDateTime(line.substr(0, kDateTimeLength));
  if (!when)
    return false;
  line.remove_prefix(kDateTimeLength);
  int a = 0;
  int b = 0;
  if (!Consume(line, "\t\t") || !ConsumeInt(line, a) || !Consume(line, ' ') || line.empty()) {
    return false;
  }
  const char* sign =
      static_cast<const char*>(std::memchr(kOperationSigns, line.front(), sizeof kOperationSigns));
  if (sign == nullptr)
    return false;
  line.remove_prefix(1);
  if (!Consume(line, ' ') || !ConsumeInt(line, b) || !Consume(line, " ="))
    return false;

  int given = 0;
  int result = 0;
  LogOutcome outcome;
  if (Consume(line, kResultTimedOut)) {
    if (!Consume(line, " (") || !ConsumeInt(line, result) || !Consume(line, ")\t\t")) {
      return false;
    }
    outcome = LogOutcome::kTimedOut;
  } else {
    if (!ConsumeInt(line, given))
      return false;
    if (Consume(line, "\t\t")) {
      if (!Consume(line, kResultOk) || !Consume(line, '\t'))
        return false;
      result = given;
      outcome = LogOutcome::kRight;
    } else {
      if (!Consume(line, " (") || !ConsumeInt(line, result) || !Consume(line, ")\t\t")) {
        return false;
      }
      outcome = LogOutcome::kWrong;
    }
  }
  int seconds = 0;
  int score = 0;
  if (!Consume(line, ' ') || !ConsumeInt(line, seconds) || !Consume(line, "s\t") ||
      !Consume(line, kScoreLead) || !ConsumeInt(line, score) || !line.empty()) {
    return false;
  }
  if (!InRange(problem, 0, kMaxProblemNumber))
    return false;
  answer.m_nProblem = problem;
  answer.m_dtWhen = *when;
  answer.m_nA = a;
  answer.m_eOperation = static_cast<LogOperation>(sign - kOperationSigns);
  answer.m_nB = b;
  answer.m_nAnswer = given;
  answer.m_nResult = result;
  answer.m_eOutcome = outcome;
  answer.m_nSeconds = seconds;
  answer.m_nScore = score;
  return true;
}

LogReader::LogReader(std::istream& in) : m_in(in), m_vBuffer(kMaxLineBytes) {}

bool LogReader::NextLine(std::string_view& line) {
  for (;;) {
    const char* begin = m_vBuffer.data() + m_nBegin;
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', m_nEnd - m_nBegin));
    if (lf != nullptr) {
      const auto length = static_cast<std::size_t>(lf - begin);
      m_nBegin += length + 1;
      ++m_nLines;
      if (m_bSkipping) {
        m_bSkipping = false;
        continue;
      }
      line = std::string_view(begin, length);
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      return true;
    }
    if (m_bEof) {
      if (m_nBegin == m_nEnd)
        return false;
      // The last line has no line end: a log cut in the middle of a record.
      line = std::string_view(begin, m_nEnd - m_nBegin);
      m_nBegin = m_nEnd;
      ++m_nLines;
      if (m_bSkipping)
        return false;
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      return true;
    }
    const std::size_t pending = m_nEnd - m_nBegin;
    if (pending == m_vBuffer.size() && !m_bSkipping) {
      m_bSkipping = true;
      AddDefect("line too long", std::string_view(begin, pending));
    }
    if (m_bSkipping) {
      m_nBegin = m_nEnd = 0;
    } else {
      std::memmove(m_vBuffer.data(), begin, pending);
      m_nBegin = 0;
      m_nEnd = pending;
    }
    m_in.read(m_vBuffer.data() + m_nEnd, static_cast<std::streamsize>(m_vBuffer.size() - m_nEnd));
    const auto got = static_cast<std::size_t>(m_in.gcount());
    m_nEnd += got;
    if (got == 0) {
      m_bEof = true;
      m_bReadError = m_in.bad();
    }
  }
}

void LogReader::AddDefect(std::string_view reason, std::string_view line) {
  ++m_nDefects;
  if (m_vDefects.size() >= kDefectsKept)
    return;
  // An overlong line is reported before its end is seen, at the number it will have.
  LogDefect defect;
  defect.m_nLine = m_bSkipping ? m_nLines + 1 : m_nLines;
  defect.m_strReason.assign(reason);
  defect.m_strText.assign(line.substr(0, kDefectTextBytes));
  m_vDefects.push_back(std::move(defect));
}

LogSession& LogReader::Pending() {
  if (!m_oPending) {
    m_oPending.emplace();
    m_oPending->m_nLine = m_nLines;
  }
  return *m_oPending;
}

bool LogReader::TakeSummaryLine(std::string_view line) {
  LogSummary probe;
  LogSummary& s = m_oPending && m_oPending->m_oSummary ? *m_oPending->m_oSummary : probe;
  bool ok = false;
  if (ConsumeLabel(line, kSummaryLevel)) {
    ok = ParseWholeInt(line, s.m_nLevel);
  } else if (ConsumeLabel(line, kSummaryRight)) {
    ok = ParseWholeInt(line, s.m_nRight);
  } else if (ConsumeLabel(line, kSummaryWrong)) {
    ok = ParseWholeInt(line, s.m_nWrong);
  } else if (ConsumeLabel(line, kSummaryDone)) {
    ok = ParseWholeInt(line, s.m_nDone);
  } else if (ConsumeLabel(line, kSummaryAnswers)) {
    ok = ParseWholeInt(line, s.m_nAnswers);
  } else if (ConsumeLabel(line, kSummaryLongest)) {
    ok = ParseSeconds(line, s.m_nLongestSecs);
  } else if (ConsumeLabel(line, kSummaryShortest)) {
    ok = ParseSeconds(line, s.m_nShortestSecs);
  } else if (ConsumeLabel(line, kSummaryAverage)) {
    ok = ParseSeconds(line, s.m_nAverageSecs);
  } else if (ConsumeLabel(line, kSummaryExercise)) {
    ok = ParseSpan(line, s.m_nExerciseSecs);
  } else if (ConsumeLabel(line, kSummaryStart)) {
    ok = ParseDateField(line, s.m_dtStart);
  } else if (ConsumeLabel(line, kSummaryEnd)) {
    ok = ParseDateField(line, s.m_dtEnd);
  } else if (ConsumeLabel(line, kSummaryTimeframe)) {
    ok = ParseSpan(line, s.m_nTimeframeSecs);
  } else if (ConsumeLabel(line, kSummaryRank)) {
    s.m_strRank.assign(line);
    ok = true;
  } else if (ConsumeLabel(line, kSummarySkill)) {
    s.m_strBelt.assign(line);
    ok = true;
  } else if (ConsumeLabel(line, kSummaryStyle)) {
    s.m_strStyle.assign(line);
    ok = true;
  } else if (ConsumeLabel(line, kSummaryHighScore)) {
    ok = ParseWholeInt(line, s.m_nHighScore);
  } else if (Consume(line, kSummaryName)) {
    s.m_strName.assign(line);
    ok = true;
  }
  if (!ok)
    return false;
  if (&s == &probe) {
    // A summary line whose heading was lost: the block still belongs to the pending session.
    Pending().m_oSummary = std::move(probe);
    m_bInSummary = true;
  }
  ++m_oPending->m_oSummary->m_nLinesRead;
  return true;
}

bool LogReader::TakeLine(std::string_view line, LogSession& finished) {
  if (line.empty())
    return false;
  if (IsDigit(line[0])) {
    LogAnswer answer;
    if (ParseProblemLine(line, answer)) {
      answer.m_nLine = m_nLines;
      m_bInSummary = false;
      if (Pending().m_vAnswers.size() < kAnswersPerPart) {
        m_oPending->m_vAnswers.push_back(answer);
        return false;
      }
      // The part is full: it goes out, and the next one carries on with the same header.
      LogSession next;
      next.m_nPart = m_oPending->m_nPart + 1;
      next.m_bHeader = m_oPending->m_bHeader;
      next.m_nLine = m_oPending->m_nLine;
      next.m_strCadet = m_oPending->m_strCadet;
      next.m_nAgeYears = m_oPending->m_nAgeYears;
      next.m_nAgeMonths = m_oPending->m_nAgeMonths;
      next.m_dtStart = m_oPending->m_dtStart;
      next.m_vAnswers.push_back(answer);
      finished = std::move(*m_oPending);
      m_oPending = std::move(next);
      return true;
    }
    AddDefect("damaged answer line", line);
    return false;
  }
  if (line == kSummaryHeading) {
    Pending().m_oSummary.emplace();
    m_bInSummary = true;
    return false;
  }
  if (line.find(kHeaderDateLead) != std::string_view::npos) {
    // A new session begins even when its header is damaged: its answers must not be added
    // to the session before, which may be another cadet's. It then has no name.
    LogSession next;
    if (!ParseHeaderLine(line, next)) {
      next = LogSession();
      AddDefect("damaged session header", line);
    }
    next.m_nLine = m_nLines;
    m_bInSummary = false;
    const bool had_pending = m_oPending.has_value();
    if (had_pending)
      finished = std::move(*m_oPending);
    m_oPending = std::move(next);
    return had_pending;
  }
  if (TakeSummaryLine(line))
    return false;
  AddDefect(m_bInSummary ? "damaged summary line" : "not a line of the log", line);
  return false;
}

bool LogReader::Next(LogSession& session) {
  std::string_view line;
  while (NextLine(line)) {
    if (TakeLine(line, session))
      return true;
  }
  if (!m_oPending)
    return false;
  session = std::move(*m_oPending);
  m_oPending.reset();
  return true;
}

}  // namespace qz

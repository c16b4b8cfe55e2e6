#pragma once

#include <compare>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// A local date and time as the log prints it ("07-05-14 16:02:11"). The two-digit year reads
// as 2000 to 2068 for 00 to 68 and 1969 to 1999 for 69 to 99.
struct LogDateTime {
  int m_nYear = 0;
  int m_nMonth = 0;
  int m_nDay = 0;
  int m_nHour = 0;
  int m_nMinute = 0;
  int m_nSecond = 0;

  auto operator<=>(const LogDateTime&) const = default;
  bool IsSet() const { return m_nYear != 0; }
  // "2007-05-14 16:02:11": the order sorts, and spreadsheets read it as a date and time.
  std::string ToIso() const;
};

enum class LogOperation : std::uint8_t { kAdd, kSubtract, kMultiply, kDivide };
inline constexpr int kLogOperationCount = 4;

enum class LogOutcome : std::uint8_t { kRight, kWrong, kTimedOut };

// One judged answer, as logged.
struct LogAnswer {
  std::int64_t m_nLine = 0;  // line number in its file, from 1
  int m_nProblem = 0;        // the logged number: problems finished in the match at that moment
  LogDateTime m_dtWhen;      // time the line was written
  int m_nA = 0;
  LogOperation m_eOperation = LogOperation::kAdd;
  int m_nB = 0;
  int m_nAnswer = 0;  // 0 for a time-out, whose answer is not logged
  int m_nResult = 0;
  LogOutcome m_eOutcome = LogOutcome::kRight;
  // As logged: the response time of the problem for a right answer or a time-out; a wrong
  // answer repeats the time of the last finished problem.
  int m_nSeconds = 0;
  int m_nScore = 0;  // match score when the line was written

  // The problem's ordinal in its match (from 1): a wrong answer is logged with the count of
  // problems finished before it, so it belongs to the next one.
  int ProblemInMatch() const {
    return m_eOutcome == LogOutcome::kWrong ? m_nProblem + 1 : m_nProblem;
  }
};

// The SUMMARY block that closes a run. Figures whose line was missing or unreadable keep 0 or
// stay empty; `m_nLinesRead` tells how many of its 17 lines were read.
struct LogSummary {
  int m_nLinesRead = 0;
  int m_nLevel = 0;
  int m_nRight = 0;
  int m_nWrong = 0;
  int m_nDone = 0;
  int m_nAnswers = 0;
  int m_nLongestSecs = 0;
  int m_nShortestSecs = 0;
  int m_nAverageSecs = 0;
  int m_nExerciseSecs = 0;   // within a day: the log drops whole days
  int m_nTimeframeSecs = 0;  // within a day, as above
  LogDateTime m_dtStart;
  LogDateTime m_dtEnd;
  std::string m_strName;  // upper case, as logged
  std::string m_strRank;
  std::string m_strBelt;   // "Green Belt"
  std::string m_strStyle;  // empty when no match was won
  int m_nHighScore = 0;
};

// One run of the game: its header, its answers and its summary. A log cut at the front gives
// a first session without header (`m_bHeader` false, no name). A run with more answers than
// LogReader::kAnswersPerPart comes in parts, so that no log, however long, is held in memory:
// each later part repeats the header fields and carries the next answers; the last part
// carries the summary.
struct LogSession {
  int m_nPart = 0;  // 0 for the first part of a run
  bool m_bHeader = false;
  std::int64_t m_nLine = 0;  // line of the header (or of the first record without one)
  std::string m_strCadet;    // UTF-8 as typed; not checked
  int m_nAgeYears = 0;
  int m_nAgeMonths = 0;
  LogDateTime m_dtStart;
  std::vector<LogAnswer> m_vAnswers;
  std::optional<LogSummary> m_oSummary;
};

// A line the reader could not make sense of.
struct LogDefect {
  std::int64_t m_nLine = 0;
  std::string m_strReason;  // short English text for the report
  std::string m_strText;    // the start of the line's raw bytes, at most kDefectTextBytes
};

// Reads a session log as a stream, one session at a time, in bounded memory per line. Lines
// end in LF with an optional CR before it. A line that is not a record of the log (cut off,
// edited, foreign, overlong) is skipped, counted and, up to kDefectsKept of them, kept with its
// line number; reading never stops on bad content.
class LogReader {
 public:
  static constexpr std::size_t kDefectsKept = 50;
  static constexpr std::size_t kDefectTextBytes = 80;
  static constexpr std::size_t kMaxLineBytes = 1 << 20;  // also the read buffer
  static constexpr std::size_t kAnswersPerPart = 4096;

  // `in` must stay alive while the reader is used.
  explicit LogReader(std::istream& in);

  // Fills `session` with the next session; false when the log has no more.
  bool Next(LogSession& session);

  std::int64_t LineCount() const { return m_nLines; }
  std::int64_t DefectCount() const { return m_nDefects; }
  const std::vector<LogDefect>& Defects() const { return m_vDefects; }
  // The stream failed for another reason than its end (a read error).
  bool ReadError() const { return m_bReadError; }

 private:
  bool NextLine(std::string_view& line);
  // Files the line into the pending session; true when it ended the pending session (a new
  // header), which is then in `finished`.
  bool TakeLine(std::string_view line, LogSession& finished);
  bool TakeSummaryLine(std::string_view line);
  LogSession& Pending();
  void AddDefect(std::string_view reason, std::string_view line);

  std::istream& m_in;
  std::vector<char> m_vBuffer;
  std::size_t m_nBegin = 0;  // unread bytes are [m_nBegin, m_nEnd)
  std::size_t m_nEnd = 0;
  bool m_bEof = false;
  bool m_bReadError = false;
  bool m_bSkipping = false;  // inside an overlong line, dropping bytes up to its end
  std::int64_t m_nLines = 0;
  std::int64_t m_nDefects = 0;
  std::vector<LogDefect> m_vDefects;
  std::optional<LogSession> m_oPending;
  bool m_bInSummary = false;
};

// The parsers the reader is built from, each for one complete line without its line end.
std::optional<LogDateTime> ParseLogDateTime(std::string_view text);
bool ParseHeaderLine(std::string_view line, LogSession& session);
bool ParseProblemLine(std::string_view line, LogAnswer& answer);

}  // namespace qz

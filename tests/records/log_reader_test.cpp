#include "records/log_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "records/session_log.h"
#include "records/summary.h"
#include "records/utc_zone.h"
#include "support/sample_log.h"

namespace qz {
namespace {

// Local times in these tests print in UTC, whatever zone the machine is in.
class LogReaderTest : public ::testing::Test {
 private:
  UtcZone m_zone;
};

constexpr std::int64_t kWhen = kMay14At160220;

struct ReadResult {
  std::vector<LogSession> m_vSessions;
  std::int64_t m_nLines = 0;
  std::int64_t m_nDefects = 0;
  std::vector<LogDefect> m_vDefects;
};

ReadResult ReadAll(const std::string& text) {
  std::istringstream in(text);
  LogReader reader(in);
  ReadResult result;
  LogSession session;
  while (reader.Next(session))
    result.m_vSessions.push_back(session);
  result.m_nLines = reader.LineCount();
  result.m_nDefects = reader.DefectCount();
  result.m_vDefects = reader.Defects();
  return result;
}

std::string Header(const std::string& name, std::int64_t when = kWhen) {
  return FormatSessionHeader(name, AgePhrase(7, 3), when);
}

std::string Line(int problem, int a, const char* sign, int b, int answer, int result,
                 bool timed_out = false, int secs = 4, int score = 10) {
  ProblemLine line;
  line.m_nProblem = problem;
  line.m_tNow = kWhen + 9;
  line.m_nA = a;
  line.m_strSign = sign;
  line.m_nB = b;
  line.m_nAnswer = answer;
  line.m_nResult = result;
  line.m_bTimedOut = timed_out;
  line.m_nLastSecs = secs;
  line.m_nScore = score;
  return FormatProblemLine(line);
}

int TotalAnswers(const ReadResult& result) {
  int answers = 0;
  for (const LogSession& s : result.m_vSessions)
    answers += static_cast<int>(s.m_vAnswers.size());
  return answers;
}

TEST_F(LogReaderTest, ReadsTheThreeKindsOfProblemLinesAsTheGameWritesThem) {
  struct Case {
    const char* m_szName;
    std::string m_strLine;
    int m_nA;
    LogOperation m_eOp;
    int m_nB;
    int m_nAnswer;
    int m_nResult;
    LogOutcome m_eOutcome;
    int m_nProblemInMatch;
  };
  const Case cases[] = {
      {"right", Line(1, 3, "+", 4, 7, 7), 3, LogOperation::kAdd, 4, 7, 7, LogOutcome::kRight, 1},
      {"wrong counts for the next problem", Line(0, 6, "x", 7, 48, 42), 6, LogOperation::kMultiply,
       7, 48, 42, LogOutcome::kWrong, 1},
      {"time-out", Line(2, 9, "-", 4, 0, 5, true), 9, LogOperation::kSubtract, 4, 0, 5,
       LogOutcome::kTimedOut, 2},
      {"time-out with the right value in the box", Line(3, 9, "-", 4, 5, 5, true), 9,
       LogOperation::kSubtract, 4, 0, 5, LogOutcome::kTimedOut, 3},
      {"negative operands", Line(4, 5, "-", -3, 8, 8), 5, LogOperation::kSubtract, -3, 8, 8,
       LogOutcome::kRight, 4},
      {"negative wrong answer", Line(4, -5, "+", -3, -2, -8), -5, LogOperation::kAdd, -3, -2, -8,
       LogOutcome::kWrong, 5},
      {"division", Line(19, 56, "/", 8, 7, 7), 56, LogOperation::kDivide, 8, 7, 7,
       LogOutcome::kRight, 19},
      {"32-bit extremes", Line(100, INT_MIN, "+", 0, INT_MAX, INT_MIN), INT_MIN, LogOperation::kAdd,
       0, INT_MAX, INT_MIN, LogOutcome::kWrong, 101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.m_szName);
    std::string_view line = c.m_strLine;
    ASSERT_TRUE(line.ends_with("\r\n"));
    line.remove_suffix(2);
    LogAnswer answer;
    ASSERT_TRUE(ParseProblemLine(line, answer)) << c.m_strLine;
    EXPECT_EQ(c.m_nA, answer.m_nA);
    EXPECT_EQ(c.m_eOp, answer.m_eOperation);
    EXPECT_EQ(c.m_nB, answer.m_nB);
    EXPECT_EQ(c.m_nAnswer, answer.m_nAnswer);
    EXPECT_EQ(c.m_nResult, answer.m_nResult);
    EXPECT_EQ(c.m_eOutcome, answer.m_eOutcome);
    EXPECT_EQ(c.m_nProblemInMatch, answer.ProblemInMatch());
    EXPECT_EQ(4, answer.m_nSeconds);
    EXPECT_EQ(10, answer.m_nScore);
    EXPECT_EQ((LogDateTime{2007, 5, 14, 16, 2, 29}), answer.m_dtWhen);
  }
}

TEST_F(LogReaderTest, ReadsTheDocumentedExampleLines) {
  LogAnswer answer;
  ASSERT_TRUE(ParseProblemLine("001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10", answer));
  EXPECT_EQ(LogOutcome::kRight, answer.m_eOutcome);
  EXPECT_EQ(5, answer.m_nSeconds);
  ASSERT_TRUE(
      ParseProblemLine("001 07-05-14 16:02:31\t\t6 x 7 =48 (42)\t\t 5s\tscore: 10", answer));
  EXPECT_EQ(LogOutcome::kWrong, answer.m_eOutcome);
  EXPECT_EQ(48, answer.m_nAnswer);
  EXPECT_EQ(42, answer.m_nResult);
  ASSERT_TRUE(
      ParseProblemLine("002 07-05-14 16:02:45\t\t9 - 4 =T/O (5)\t\t 10s\tscore: 10", answer));
  EXPECT_EQ(LogOutcome::kTimedOut, answer.m_eOutcome);
  EXPECT_EQ(10, answer.m_nSeconds);
}

TEST_F(LogReaderTest, RejectsDamagedProblemLines) {
  const char* lines[] = {
      "001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: ",     // cut
      "001 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10x",  // trailing text
      "001 07-05-14 16:0002 07-05-14 16:02:31\t\t6 x 7 =48 (42)\t\t 5s\tscore: 10",  // joined
      "001 07-13-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10",                     // month 13
      "001 07-05-14 16:02:20\t\t3 * 4 =12\t\tOK\t 5s\tscore: 10",                    // unknown sign
      "001 07-05-14 16:02:20\t\t3 + 4 =99999999999\t\tOK\t 5s\tscore: 10",  // beyond 32 bits
      "001 07-05-14 16:02:20\t\t3 + 4 =T/O 7\t\t 5s\tscore: 10",
      // Figures no log of the game holds: the next problem's number would overflow.
      "2147483647 07-05-14 16:02:20\t\t6 x 7 =48 (42)\t\t 5s\tscore: 10",
      "100000 07-05-14 16:02:20\t\t3 + 4 =7\t\tOK\t 5s\tscore: 10",
  };
  for (const char* line : lines) {
    LogAnswer answer;
    EXPECT_FALSE(ParseProblemLine(line, answer)) << line;
  }
}

TEST_F(LogReaderTest, ReadsHeadersWhateverTheNameHolds) {
  struct Case {
    std::string m_strName;
    int m_nYears;
    int m_nMonths;
  };
  const Case cases[] = {{"Ace", 7, 3},
                        {"Zo\u00eb", 9, 1},
                        {"Ann, age 5 years 1 month\tDate: x", 10, 12},  // the fixed texts inside
                        {"<b>&amp;</b>", 0, -3},
                        {"", 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.m_strName);
    const ReadResult result =
        ReadAll(FormatSessionHeader(c.m_strName, AgePhrase(c.m_nYears, c.m_nMonths), kWhen));
    ASSERT_EQ(1u, result.m_vSessions.size());
    const LogSession& s = result.m_vSessions[0];
    EXPECT_TRUE(s.m_bHeader);
    EXPECT_EQ(c.m_strName, s.m_strCadet);
    EXPECT_EQ(c.m_nYears, s.m_nAgeYears);
    EXPECT_EQ(c.m_nMonths, s.m_nAgeMonths);
    EXPECT_EQ((LogDateTime{2007, 5, 14, 16, 2, 20}), s.m_dtStart);
    EXPECT_EQ(3, s.m_nLine);
    EXPECT_EQ(0, result.m_nDefects);
  }
}

TEST_F(LogReaderTest, ReadsEveryFigureOfTheSummary) {
  SummaryValues v;
  v.m_nGameLevel = 4;
  v.m_nRunRight = 17;
  v.m_nRunWrong = 3;
  v.m_nDone = 19;
  v.m_nAnswers = 21;
  v.m_nMaxSecs = 10;
  v.m_nMinSecs = 2;
  v.m_nAvgSecs = 4;
  v.m_nSumSecs = 25 * 3600 + 61;  // the log drops the whole day
  v.m_tRunStart = kWhen;
  v.m_tRunEnd = kWhen + 125;
  v.m_nTimeframeSecs = 125;
  v.m_strCadetName = "zo\u00eb";
  v.m_strRank = "Warrior";
  v.m_strBelt = "Green Belt";
  v.m_strStyle = "Iron Hammer";
  v.m_nHiScore = 1234;
  const ReadResult result =
      ReadAll(Header("zo\u00eb") + Line(1, 3, "+", 4, 7, 7) + FormatSummary(v));
  ASSERT_EQ(1u, result.m_vSessions.size());
  ASSERT_TRUE(result.m_vSessions[0].m_oSummary);
  const LogSummary& s = *result.m_vSessions[0].m_oSummary;
  EXPECT_EQ(17, s.m_nLinesRead);
  EXPECT_EQ(4, s.m_nLevel);
  EXPECT_EQ(17, s.m_nRight);
  EXPECT_EQ(3, s.m_nWrong);
  EXPECT_EQ(19, s.m_nDone);
  EXPECT_EQ(21, s.m_nAnswers);
  EXPECT_EQ(10, s.m_nLongestSecs);
  EXPECT_EQ(2, s.m_nShortestSecs);
  EXPECT_EQ(4, s.m_nAverageSecs);
  EXPECT_EQ(3600 + 61, s.m_nExerciseSecs);
  EXPECT_EQ(125, s.m_nTimeframeSecs);
  EXPECT_EQ((LogDateTime{2007, 5, 14, 16, 2, 20}), s.m_dtStart);
  EXPECT_EQ((LogDateTime{2007, 5, 14, 16, 4, 25}), s.m_dtEnd);
  EXPECT_EQ("ZO\u00cb", s.m_strName);
  EXPECT_EQ("Warrior", s.m_strRank);
  EXPECT_EQ("Green Belt", s.m_strBelt);
  EXPECT_EQ("Iron Hammer", s.m_strStyle);
  EXPECT_EQ(1234, s.m_nHighScore);
  EXPECT_EQ(0, result.m_nDefects);

  // No won match: the style line is the label alone, which an editor may have trimmed too.
  v.m_strStyle.clear();
  std::string text = FormatSummary(v);
  const ReadResult empty_style = ReadAll(text);
  EXPECT_EQ(0, empty_style.m_nDefects);
  const std::size_t tab = text.find("Fight Style:\t") + 12;
  text.erase(tab, 1);
  const ReadResult trimmed = ReadAll(text);
  EXPECT_EQ(0, trimmed.m_nDefects);
  ASSERT_EQ(1u, trimmed.m_vSessions.size());
  EXPECT_EQ(17, trimmed.m_vSessions[0].m_oSummary->m_nLinesRead);
  EXPECT_EQ("", trimmed.m_vSessions[0].m_oSummary->m_strStyle);
}

TEST_F(LogReaderTest, ARunLongerThanAPartComesInPartsSoNoLogFillsTheMemory) {
  const std::size_t per_part = LogReader::kAnswersPerPart;
  const std::size_t answers = 2 * per_part + 100;
  std::string log = Header("Ace");
  for (std::size_t i = 0; i < answers; ++i)
    log += Line(static_cast<int>(i % 20) + 1, 3, "+", 4, 7, 7);
  log += FormatSummary(SummaryValues{});
  // And the same without a header: a log cut at the front.
  for (const std::string& text : {log, log.substr(Header("Ace").size())}) {
    const ReadResult result = ReadAll(text);
    ASSERT_EQ(3u, result.m_vSessions.size());
    for (int part = 0; part < 3; ++part) {
      const LogSession& s = result.m_vSessions[static_cast<std::size_t>(part)];
      EXPECT_EQ(part, s.m_nPart);
      EXPECT_EQ(part < 2 ? per_part : 100u, s.m_vAnswers.size());
      EXPECT_EQ(result.m_vSessions[0].m_strCadet, s.m_strCadet);
      EXPECT_EQ(result.m_vSessions[0].m_nLine, s.m_nLine);
      EXPECT_EQ(part == 2, s.m_oSummary.has_value());
    }
    // No answer lost or doubled between the parts.
    EXPECT_EQ(static_cast<std::int64_t>(answers) - 1,
              result.m_vSessions[2].m_vAnswers.back().m_nLine -
                  result.m_vSessions[0].m_vAnswers.front().m_nLine);
  }
}

TEST_F(LogReaderTest, AWholeLogOfTheGameAddsUpWithItsOwnSummaries) {
  test::SampleLogPlan plan;
  plan.m_nSessionsPerCadet = 5;
  const ReadResult result = ReadAll(test::WriteSampleLog(plan));
  EXPECT_EQ(0, result.m_nDefects);
  ASSERT_EQ(10u, result.m_vSessions.size());
  for (const LogSession& s : result.m_vSessions) {
    SCOPED_TRACE(s.m_strCadet);
    ASSERT_TRUE(s.m_oSummary);
    const LogSummary& summary = *s.m_oSummary;
    EXPECT_EQ(17, summary.m_nLinesRead);
    int right = 0;
    int timed_out = 0;
    for (const LogAnswer& a : s.m_vAnswers) {
      right += a.m_eOutcome == LogOutcome::kRight;
      timed_out += a.m_eOutcome == LogOutcome::kTimedOut;
    }
    EXPECT_EQ(summary.m_nAnswers, static_cast<int>(s.m_vAnswers.size()));
    EXPECT_EQ(summary.m_nDone, right + timed_out);
    EXPECT_EQ(summary.m_nRight, right);
    EXPECT_EQ(s.m_dtStart, summary.m_dtStart);
  }
  EXPECT_EQ("Ace", result.m_vSessions[0].m_strCadet);
  EXPECT_EQ("Zo\u00eb", result.m_vSessions[1].m_strCadet);
}

TEST_F(LogReaderTest, LinesSplitAcrossReadBuffersAreReadWhole) {
  test::SampleLogPlan plan;
  plan.m_nSessionsPerCadet = 400;  // a few megabytes: several buffers
  const std::string text = test::WriteSampleLog(plan);
  ASSERT_GT(text.size(), 2 * LogReader::kMaxLineBytes);
  const ReadResult result = ReadAll(text);
  EXPECT_EQ(0, result.m_nDefects);
  ASSERT_EQ(800u, result.m_vSessions.size());
  int expected = 0;
  for (const LogSession& s : result.m_vSessions)
    expected += s.m_oSummary->m_nAnswers;
  EXPECT_EQ(expected, TotalAnswers(result));
}

TEST_F(LogReaderTest, LineEndsWithoutCarriageReturnReadTheSame) {
  test::SampleLogPlan plan;
  plan.m_nSessionsPerCadet = 2;
  const std::string text = test::WriteSampleLog(plan);
  std::string bare;
  for (const char c : text) {
    if (c != '\r')
      bare += c;
  }
  const ReadResult crlf = ReadAll(text);
  const ReadResult lf = ReadAll(bare);
  EXPECT_EQ(0, lf.m_nDefects);
  EXPECT_EQ(crlf.m_nLines, lf.m_nLines);
  ASSERT_EQ(crlf.m_vSessions.size(), lf.m_vSessions.size());
  EXPECT_EQ(TotalAnswers(crlf), TotalAnswers(lf));

  // One bare LF in the middle of a CR LF log.
  const std::size_t first_crlf = text.find("\r\n", text.find("score:"));
  std::string mixed = text;
  mixed.erase(first_crlf, 1);
  const ReadResult one = ReadAll(mixed);
  EXPECT_EQ(0, one.m_nDefects);
  EXPECT_EQ(TotalAnswers(crlf), TotalAnswers(one));
}

TEST_F(LogReaderTest, ALogCutAnywhereIsReadUpToTheCut) {
  const std::string text = Header("Ace") + Line(0, 6, "x", 7, 48, 42) + Line(1, 6, "x", 7, 42, 42) +
                           Line(2, 9, "-", 4, 0, 5, true) + FormatSummary(SummaryValues{});
  const int full = 3;
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    SCOPED_TRACE(cut);
    const ReadResult result = ReadAll(text.substr(0, cut));
    // At most the one line that was cut is unreadable, and nothing before it is lost.
    EXPECT_LE(result.m_nDefects, 1);
    EXPECT_LE(TotalAnswers(result), full);
    EXPECT_LE(result.m_vSessions.size(), 1u);
  }
  // Cut inside the last answer: two answers read, the cut line reported with its number.
  const std::size_t inside = text.find("=T/O") + 2;
  const ReadResult cut = ReadAll(text.substr(0, inside));
  EXPECT_EQ(2, TotalAnswers(cut));
  ASSERT_EQ(1, cut.m_nDefects);
  EXPECT_EQ(8, cut.m_vDefects[0].m_nLine);
  EXPECT_EQ("damaged answer line", cut.m_vDefects[0].m_strReason);
}

TEST_F(LogReaderTest, DamagedAndForeignLinesAreCountedWithTheirLineNumbers) {
  const std::string text = Header("Ace") +                                   // lines 1-5
                           "Hello from a text editor\r\n" +                  // line 6
                           Line(1, 3, "+", 4, 7, 7) +                        // line 7
                           "001 07-05-14 16:0" + Line(2, 2, "+", 2, 4, 4) +  // line 8: joined
                           std::string("\0\x01\xff binary\r\n", 12) +        // line 9
                           Line(3, 1, "+", 1, 2, 2);                         // line 10
  const ReadResult result = ReadAll(text);
  EXPECT_EQ(10, result.m_nLines);
  ASSERT_EQ(3, result.m_nDefects);
  EXPECT_EQ(6, result.m_vDefects[0].m_nLine);
  EXPECT_EQ("not a line of the log", result.m_vDefects[0].m_strReason);
  EXPECT_EQ("Hello from a text editor", result.m_vDefects[0].m_strText);
  EXPECT_EQ(8, result.m_vDefects[1].m_nLine);
  EXPECT_EQ(9, result.m_vDefects[2].m_nLine);
  ASSERT_EQ(1u, result.m_vSessions.size());
  ASSERT_EQ(2u, result.m_vSessions[0].m_vAnswers.size());
  EXPECT_EQ(7, result.m_vSessions[0].m_vAnswers[0].m_nLine);
  EXPECT_EQ(10, result.m_vSessions[0].m_vAnswers[1].m_nLine);
}

TEST_F(LogReaderTest, EmptyAndBlankLogsHoldNothing) {
  for (const char* text : {"", "\r\n\r\n\r\n", "\n"}) {
    const ReadResult result = ReadAll(text);
    EXPECT_TRUE(result.m_vSessions.empty());
    EXPECT_EQ(0, result.m_nDefects);
  }
}

TEST_F(LogReaderTest, AnswersBeforeAnyHeaderFormASessionWithoutName) {
  const ReadResult result = ReadAll(Line(1, 3, "+", 4, 7, 7) + Line(2, 2, "+", 2, 4, 4) +
                                    Header("Ace") + Line(1, 1, "+", 1, 2, 2));
  ASSERT_EQ(2u, result.m_vSessions.size());
  EXPECT_FALSE(result.m_vSessions[0].m_bHeader);
  EXPECT_EQ(2u, result.m_vSessions[0].m_vAnswers.size());
  EXPECT_TRUE(result.m_vSessions[1].m_bHeader);
  EXPECT_EQ(1u, result.m_vSessions[1].m_vAnswers.size());
}

TEST_F(LogReaderTest, ADamagedHeaderStillEndsTheSessionBefore) {
  std::string broken = Header("Zoe");
  broken.replace(broken.find("Date: ") + 6, 2, "xx");
  const ReadResult result =
      ReadAll(Header("Ace") + Line(1, 3, "+", 4, 7, 7) + broken + Line(1, 2, "+", 2, 4, 4));
  ASSERT_EQ(2u, result.m_vSessions.size());
  EXPECT_EQ("Ace", result.m_vSessions[0].m_strCadet);
  EXPECT_EQ(1u, result.m_vSessions[0].m_vAnswers.size());
  EXPECT_FALSE(result.m_vSessions[1].m_bHeader);
  EXPECT_EQ(1u, result.m_vSessions[1].m_vAnswers.size());
  ASSERT_EQ(1, result.m_nDefects);
  EXPECT_EQ("damaged session header", result.m_vDefects[0].m_strReason);
}

TEST_F(LogReaderTest, AnOverlongLineIsSkippedAndReadingGoesOn) {
  const std::string text = Header("Ace") + std::string(3 * LogReader::kMaxLineBytes, 'z') + "\r\n" +
                           Line(1, 3, "+", 4, 7, 7);
  const ReadResult result = ReadAll(text);
  ASSERT_EQ(1, result.m_nDefects);
  EXPECT_EQ(6, result.m_vDefects[0].m_nLine);
  EXPECT_EQ("line too long", result.m_vDefects[0].m_strReason);
  EXPECT_EQ(LogReader::kDefectTextBytes, result.m_vDefects[0].m_strText.size());
  ASSERT_EQ(1u, result.m_vSessions.size());
  ASSERT_EQ(1u, result.m_vSessions[0].m_vAnswers.size());
  EXPECT_EQ(7, result.m_vSessions[0].m_vAnswers[0].m_nLine);
}

TEST_F(LogReaderTest, KeepsTheFirstDefectsAndCountsAll) {
  std::string text = Header("Ace");
  for (int i = 0; i < 70; ++i)
    text += "junk\r\n";
  const ReadResult result = ReadAll(text);
  EXPECT_EQ(70, result.m_nDefects);
  EXPECT_EQ(LogReader::kDefectsKept, result.m_vDefects.size());
}

TEST_F(LogReaderTest, TwoDigitYearsReadAroundTheCentury) {
  EXPECT_EQ(2007, ParseLogDateTime("07-05-14 16:02:11")->m_nYear);
  EXPECT_EQ(2068, ParseLogDateTime("68-01-01 00:00:00")->m_nYear);
  EXPECT_EQ(1969, ParseLogDateTime("69-12-31 23:59:59")->m_nYear);
  EXPECT_FALSE(ParseLogDateTime("07-05-14 24:00:00"));
  EXPECT_FALSE(ParseLogDateTime("07-05-14 16:02"));
  EXPECT_EQ("2007-05-14 16:02:11", ParseLogDateTime("07-05-14 16:02:11")->ToIso());
}

}  // namespace
}  // namespace qz

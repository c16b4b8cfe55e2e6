#include "report/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qz {
namespace {

TEST(CsvExportTest, QuotesFieldsTheWaySpreadsheetsExpect) {
  const struct {
    const char* m_szIn;
    const char* m_szOut;
  } cases[] = {
      {"Ace", "Ace"},
      {"", ""},
      {"Smith, Ann", "\"Smith, Ann\""},
      {"Ann \"the fast\"", "\"Ann \"\"the fast\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"Zo\u00eb", "Zo\u00eb"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.m_szOut, CsvField(c.m_szIn)) << c.m_szIn;
}

TEST(CsvExportTest, NamesThatLookLikeFormulasAreDefused) {
  const struct {
    const char* m_szIn;
    const char* m_szOut;
  } cases[] = {
      {"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"},
      {"+1", "'+1"},
      {"-2+3", "'-2+3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tTab", "'\tTab"},
      {"Ann=1", "Ann=1"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.m_szOut, GuardFormula(c.m_szIn)) << c.m_szIn;
}

TEST(CsvExportTest, WritesOneRowPerJudgedAnswer) {
  LogSession session;
  session.m_bHeader = true;
  session.m_strCadet = "=cmd, \"x\"";
  LogAnswer wrong;
  wrong.m_dtWhen = LogDateTime{2007, 5, 14, 16, 2, 31};
  wrong.m_nProblem = 0;
  wrong.m_nA = 6;
  wrong.m_eOperation = LogOperation::kMultiply;
  wrong.m_nB = 7;
  wrong.m_nAnswer = 48;
  wrong.m_nResult = 42;
  wrong.m_eOutcome = LogOutcome::kWrong;
  wrong.m_nSeconds = 5;
  wrong.m_nScore = 10;
  LogAnswer timed_out = wrong;
  timed_out.m_nProblem = 1;
  timed_out.m_nA = -9;
  timed_out.m_eOperation = LogOperation::kSubtract;
  timed_out.m_nB = 4;
  timed_out.m_nAnswer = 0;
  timed_out.m_nResult = -13;
  timed_out.m_eOutcome = LogOutcome::kTimedOut;
  timed_out.m_nSeconds = 10;
  session.m_vAnswers = {wrong, timed_out};

  std::ostringstream out;
  CsvExport csv(out);
  csv.WriteHeader();
  csv.WriteSession(3, session.m_strCadet, session);
  EXPECT_EQ(
      "\xEF\xBB\xBF"
      "date_time,cadet,session,problem,first_operand,operation,second_operand,answer,result,"
      "outcome,seconds,score\r\n"
      // The wrong answer belongs to problem 1 and has no time of its own.
      "2007-05-14 16:02:31,\"'=cmd, \"\"x\"\"\",3,1,6,multiplication,7,48,42,wrong,,10\r\n"
      "2007-05-14 16:02:31,\"'=cmd, \"\"x\"\"\",3,1,-9,subtraction,4,,-13,time-out,10,10\r\n",
      out.str());
}

}  // namespace
}  // namespace qz

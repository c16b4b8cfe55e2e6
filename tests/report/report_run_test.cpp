// The report run called as a library: the pass that counts a session shared by several logs
// once, from its fullest copy, and the status each outcome returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "report/report_run.h"
#include "support/file_text.h"
#include "support/occurrences.h"
#include "support/sample_log.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;
using test::WriteFile;

class ReportRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::SampleLogPlan plan;
    plan.m_vCadets = {"Ace"};
    plan.m_nSessionsPerCadet = 3;
    m_strLog = test::WriteSampleLog(plan);
  }

  std::string Path(const std::string& name) const { return (m_dir.Path() / name).string(); }

  // Runs the report on the named logs, the page and the CSV going into the scratch folder.
  int Run(const std::vector<std::string>& logs) {
    ReportOptions options;
    for (const std::string& log : logs)
      options.m_vLogs.push_back(Path(log));
    options.m_strReport = Path("report.html");
    options.m_strCsv = Path("answers.csv");
    m_out.str("");
    m_err.str("");
    return RunReport(options, m_out, m_err);
  }

  std::size_t CsvRows() const {
    const std::string csv = ReadFile(m_dir.Path() / "answers.csv");
    return static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n'));
  }

  test::ScratchDir m_dir;
  std::string m_strLog;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

// A copy of the log taken while its last session was still being written, next to the whole
// log and to a log of its own: every session counts once, from its fullest copy, whatever
// order the logs are given in.
TEST_F(ReportRunTest, ASessionInSeveralLogsCountsOnceFromItsFullestCopy) {
  // Cut five answers into the last session.
  std::size_t cut = m_strLog.rfind("Ace, age");
  ASSERT_NE(std::string::npos, cut);
  for (int line = 0; line < 8; ++line)
    cut = m_strLog.find("\r\n", cut) + 2;
  WriteFile(Path("qz.log"), m_strLog);
  WriteFile(Path("early-copy.log"), m_strLog.substr(0, cut));

  ASSERT_EQ(kReportOk, Run({"qz.log"})) << m_err.str();
  const std::size_t whole_rows = CsvRows();
  const std::string whole_page = ReadFile(m_dir.Path() / "report.html");
  EXPECT_NE(std::string::npos, m_err.str().find("3 sessions")) << m_err.str();

  for (const auto& logs : {std::vector<std::string>{"qz.log", "early-copy.log"},
                           std::vector<std::string>{"early-copy.log", "qz.log"}}) {
    SCOPED_TRACE(logs.front() + " first");
    ASSERT_EQ(kReportOk, Run(logs)) << m_err.str();
    EXPECT_EQ(whole_rows, CsvRows()) << "each answer once, from the fuller copy";
    EXPECT_NE(std::string::npos, m_err.str().find("counted from another copy")) << m_err.str();
    const std::string page = ReadFile(m_dir.Path() / "report.html");
    EXPECT_NE(std::string::npos, page.find("3 sessions")) << "not 6";
  }
  EXPECT_NE(std::string::npos, whole_page.find("3 sessions"));
}

// The first session's header was written before the child was named in the setup panel; its
// summary has the child's name. The page files it with the child's other sessions and says
// so; the belt line dates the belt by the time the game was last left, from the summary.
TEST_F(ReportRunTest, ASessionNamedAfterItsStartIsFiledUnderTheChildsName) {
  const std::size_t header = m_strLog.find("Ace, age");
  ASSERT_NE(std::string::npos, header);
  WriteFile(Path("qz.log"), m_strLog.substr(0, header) + "Player" + m_strLog.substr(header + 3));

  ASSERT_EQ(kReportOk, Run({"qz.log"})) << m_err.str();
  const std::string page = ReadFile(m_dir.Path() / "report.html");
  EXPECT_EQ(1, test::Occurrences(page, "<h2 ")) << "one child, not Player and Ace";
  EXPECT_EQ(1, test::Occurrences(page, ">Ace</h2>"));
  EXPECT_EQ(1, test::Occurrences(page, " (named Player at start)</td>"));
  EXPECT_EQ(0, test::Occurrences(ReadFile(m_dir.Path() / "answers.csv"), ",Player,"));

  // "Time End\t\t\t: 07-05-03 17:20:05" of the last summary, as the page prints it.
  const std::size_t end = m_strLog.rfind("Time End");
  ASSERT_NE(std::string::npos, end);
  const std::string logged = m_strLog.substr(m_strLog.find(": ", end) + 2, 14);
  const std::string left = "20" + logged.substr(0, 8) + logged.substr(8);
  EXPECT_EQ(1, test::Occurrences(page, "as set when the game was left on " + left)) << left;
}

// Brothers and sisters share one log: --cadet keeps one child's sessions, on the page and in
// the CSV; a name no session has writes nothing and says which names there are.
TEST_F(ReportRunTest, OneCadetOfSeveral) {
  test::SampleLogPlan plan;
  plan.m_vCadets = {"Ann", "Bea"};
  plan.m_nSessionsPerCadet = 2;
  WriteFile(Path("qz.log"), test::WriteSampleLog(plan));
  ASSERT_EQ(kReportOk, Run({"qz.log"})) << m_err.str();
  const std::size_t both_rows = CsvRows();
  EXPECT_EQ(2, test::Occurrences(ReadFile(m_dir.Path() / "report.html"), "<h2 "));

  ReportOptions options;
  options.m_vLogs = {Path("qz.log")};
  options.m_strReport = Path("bea.html");
  options.m_strCsv = Path("bea.csv");
  options.m_bOneCadet = true;
  options.m_strCadet = "Bea";
  ASSERT_EQ(kReportOk, RunReport(options, m_out, m_err)) << m_err.str();
  const std::string page = ReadFile(m_dir.Path() / "bea.html");
  EXPECT_EQ(1, test::Occurrences(page, "<h2 "));
  EXPECT_EQ(1, test::Occurrences(page, ">Bea</h2>"));
  const std::string csv = ReadFile(m_dir.Path() / "bea.csv");
  EXPECT_EQ(0, test::Occurrences(csv, ",Ann,"));
  EXPECT_LT(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), both_rows);

  options.m_strCadet = "Cy";
  options.m_strReport = Path("cy.html");
  options.m_strCsv = Path("cy.csv");
  m_err.str("");
  EXPECT_EQ(kReportExitUsage, RunReport(options, m_out, m_err));
  EXPECT_NE(std::string::npos, m_err.str().find("no session of a cadet named 'Cy'; the logs "
                                                "name:\n  Ann\n  Bea\n"))
      << m_err.str();
  EXPECT_FALSE(fs::exists(Path("cy.html")));
  EXPECT_FALSE(fs::exists(Path("cy.csv")));
}

TEST_F(ReportRunTest, OneSessionIsCountedInTheSingular) {
  test::SampleLogPlan plan;
  plan.m_vCadets = {"Ace"};
  plan.m_nSessionsPerCadet = 1;
  WriteFile(Path("qz.log"), test::WriteSampleLog(plan));
  ASSERT_EQ(kReportOk, Run({"qz.log"})) << m_err.str();
  EXPECT_NE(std::string::npos, m_err.str().find(" lines, 1 session\n")) << m_err.str();
}

TEST_F(ReportRunTest, EachOutcomeHasItsStatusAndAFailureLeavesTheOldOutputs) {
  fs::create_directory(Path("folder.log"));
  const struct {
    const char* m_szWhat;
    std::vector<std::string> m_vLogs;
    int m_nStatus;
    bool m_bPageWritten;
    const char* m_szSaid;
  } cases[] = {
      {"a readable log", {"qz.log"}, kReportOk, true, "3 sessions"},
      {"a missing log beside a readable one",
       {"qz.log", "gone.log"},
       kReportInputMissing,
       true,
       "cannot open"},
      {"a log that is a folder", {"qz.log", "folder.log"}, kReportFailed, false, "folder"},
      {"the CSV over a log", {"qz.log", "answers.csv"}, kReportOutputIsInput, false, "refused"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.m_szWhat);
    WriteFile(Path("qz.log"), m_strLog);
    WriteFile(Path("report.html"), "old page");
    WriteFile(Path("answers.csv"), "old csv");
    EXPECT_EQ(c.m_nStatus, Run(c.m_vLogs)) << m_err.str();
    EXPECT_NE(std::string::npos, m_err.str().find(c.m_szSaid)) << m_err.str();
    const std::string page = ReadFile(m_dir.Path() / "report.html");
    EXPECT_EQ(c.m_bPageWritten, page != "old page");
    EXPECT_EQ(c.m_bPageWritten, ReadFile(m_dir.Path() / "answers.csv") != "old csv");
    EXPECT_EQ(c.m_bPageWritten ? Path("report.html") + "\n" : "", m_out.str());
    EXPECT_EQ(m_strLog, ReadFile(m_dir.Path() / "qz.log"));
  }
}

TEST_F(ReportRunTest, APageThatCannotBeWrittenFailsAndKeepsTheCsvUnwritten) {
  WriteFile(Path("qz.log"), m_strLog);
  ReportOptions options;
  options.m_vLogs = {Path("qz.log")};
  options.m_strReport = Path("no-such-folder/report.html");
  options.m_strCsv = Path("answers.csv");
  EXPECT_EQ(kReportFailed, RunReport(options, m_out, m_err));
  EXPECT_NE(std::string::npos, m_err.str().find("no-such-folder")) << m_err.str();
  EXPECT_FALSE(fs::exists(Path("answers.csv")));
  EXPECT_EQ("", m_out.str());
}

}  // namespace
}  // namespace qz

#include "report/report_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace qz {
namespace {

using Action = ReportOptions::Action;

TEST(ReportOptionsTest, ReadsLogsPageAndCsv) {
  const struct {
    std::vector<std::string_view> m_args;
    Action m_action;
    std::vector<std::string> m_logs;
    const char* m_szReport;
    const char* m_szCsv;
  } cases[] = {
      {{}, Action::kReport, {"qz.log"}, "report.html", ""},
      {{"a.log", "b.log", "-o", "p.html"}, Action::kReport, {"a.log", "b.log"}, "p.html", ""},
      {{"--output", "p.html", "--csv", "x.csv"}, Action::kReport, {"qz.log"}, "p.html", "x.csv"},
      {{"--", "-odd.log", "--csv"}, Action::kReport, {"-odd.log", "--csv"}, "report.html", ""},
      {{"--version"}, Action::kVersion, {"qz.log"}, "report.html", ""},
      {{"--version", "-h"}, Action::kHelp, {"qz.log"}, "report.html", ""},
  };
  for (const auto& c : cases) {
    const ReportOptions options = ParseReportOptions(c.m_args);
    const std::string args = testing::PrintToString(c.m_args);
    EXPECT_EQ(c.m_action, options.m_action) << args;
    EXPECT_EQ(c.m_logs, options.m_vLogs) << args;
    EXPECT_EQ(c.m_szReport, options.m_strReport) << args;
    EXPECT_EQ(c.m_szCsv, options.m_strCsv) << args;
    EXPECT_EQ("", options.m_strError) << args;
  }
}

TEST(ReportOptionsTest, UnknownRepeatedOrIncompleteOptionsAreOneLineErrors) {
  const struct {
    std::vector<std::string_view> m_args;
    const char* m_szError;
  } cases[] = {
      {{"--pdf"}, "unknown option '--pdf'"},
      {{"-o"}, "option '-o' needs a file name"},
      {{"qz.log", "--csv"}, "option '--csv' needs a file name"},
      {{"-o", ""}, "option '-o' needs a file name"},
      {{"-o", "a.html", "--output", "b.html"}, "option '-o' (--output) given twice"},
      {{"--csv", "a.csv", "--csv", "b.csv"}, "option '--csv' given twice"},
      {{"--help", "--help"}, "option '--help' given twice"},
      {{"--cadet"}, "option '--cadet' needs a cadet's name"},
      {{"--cadet", "Ann", "--cadet", "Bea"}, "option '--cadet' given twice"},
  };
  for (const auto& c : cases) {
    const ReportOptions options = ParseReportOptions(c.m_args);
    EXPECT_EQ(Action::kUsageError, options.m_action) << c.m_szError;
    EXPECT_EQ(c.m_szError, options.m_strError);
  }
}

}  // namespace
}  // namespace qz

#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The command line of quizendo-report: the logs to read, the page to write, the CSV file if
// any; or --help, --version, or an error in one line.
struct ReportOptions {
  enum class Action { kReport, kHelp, kVersion, kUsageError };
  Action m_action = Action::kReport;
  std::vector<std::string> m_vLogs;  // never empty for kReport: qz.log by default
  std::string m_strReport = "report.html";
  std::string m_strCsv;      // empty: no CSV file
  bool m_bOneCadet = false;  // --cadet: only the sessions of the cadet m_strCadet
  std::string m_strCadet;
  std::string m_strError;
};

// Exit status of a command line that could not be read, and of a --cadet whom no log names.
inline constexpr int kReportExitUsage = 2;

// Reads the arguments after the program name. An unknown or repeated option, or one that needs
// a file name and has none, is an error; "--" ends the options.
ReportOptions ParseReportOptions(std::span<const std::string_view> args);

std::string ReportUsageText();
std::string ReportVersionText();

}  // namespace qz

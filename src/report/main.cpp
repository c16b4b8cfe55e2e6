// quizendo-report: turns the game's session logs into a progress page for parents and
// teachers, and optionally a CSV file of every judged answer.

#include <cstdlib>
#include <iostream>
#include <string>

#include "records/session_log.h"
#include "report/report_run.h"

namespace {

constexpr char kDefaultReport[] = "report.html";
constexpr char kUsage[] =
    "Usage: quizendo-report [LOG ...] [-o REPORT.html] [--csv ANSWERS.csv]\n"
    "Reads the game's session logs (default: qz.log in the current folder) and writes a\n"
    "progress page (default: report.html) and, if asked, one CSV row per judged answer.\n";

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;

bool ParseOptions(int argc, char** argv, qz::ReportOptions& options) {
  options.m_strReport = kDefaultReport;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "-o" || arg == "--output" || arg == "--csv") && i + 1 < argc) {
      (arg == "--csv" ? options.m_strCsv : options.m_strReport) = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      std::exit(kExitOk);
    } else if (arg == "--") {
      for (++i; i < argc; ++i)
        options.m_vLogs.emplace_back(argv[i]);
    } else if (!arg.empty() && arg[0] == '-') {
      return false;
    } else {
      options.m_vLogs.push_back(arg);
    }
  }
  if (options.m_vLogs.empty())
    options.m_vLogs.emplace_back(qz::kLogFileName);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qz::ReportOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return kExitUsage;
  }
  return qz::RunReport(options, std::cout, std::cerr);
}

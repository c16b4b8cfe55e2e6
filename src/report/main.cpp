// quizendo-report: turns the game's session logs into a progress page for parents and
// teachers, and optionally a CSV file of every judged answer.

#include <iostream>
#include <string_view>
#include <vector>

#include "report/report_options.h"
#include "report/report_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const qz::ReportOptions options = qz::ParseReportOptions(args);
  switch (options.m_action) {
    case qz::ReportOptions::Action::kReport:
      break;
    case qz::ReportOptions::Action::kHelp:
      std::cout << qz::ReportUsageText();
      return qz::kReportOk;
    case qz::ReportOptions::Action::kVersion:
      std::cout << qz::ReportVersionText();
      return qz::kReportOk;
    case qz::ReportOptions::Action::kUsageError:
      std::cerr << "quizendo-report: " << options.m_strError << "\n" << qz::ReportUsageText();
      return qz::kReportExitUsage;
  }
  return qz::RunReport(options, std::cout, std::cerr);
}

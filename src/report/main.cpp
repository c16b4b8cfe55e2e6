// quizendo-report: turns the game's session logs into a progress page for parents and
// teachers, and optionally a CSV file of every judged answer.

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_options.h"
#include "report/report_run.h"

namespace {

// Prints the text on standard output; 0, or 1 with the reason on standard error when it did not
// all get there (a full disk, say): a text asked for and lost is a failure.
int PrintAnswer(const std::string& text) {
  errno = 0;
  std::cout << text << std::flush;
  if (std::cout)
    return qz::kReportOk;
  const int err = errno;
  std::cerr << "quizendo-report: cannot write to standard output: "
            << (err != 0 ? std::strerror(err) : "write failed") << "\n";
  return qz::kReportFailed;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit a write fails with EFBIG and is reported like a full disk, rather
  // than the signal ending the program halfway through an output.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const qz::ReportOptions options = qz::ParseReportOptions(args);
  switch (options.m_action) {
    case qz::ReportOptions::Action::kReport:
      break;
    case qz::ReportOptions::Action::kHelp:
      return PrintAnswer(qz::ReportUsageText());
    case qz::ReportOptions::Action::kVersion:
      return PrintAnswer(qz::ReportVersionText());
    case qz::ReportOptions::Action::kUsageError:
      std::cerr << "quizendo-report: " << options.m_strError << "\n" << qz::ReportUsageText();
      return qz::kReportExitUsage;
  }
  return qz::RunReport(options, std::cout, std::cerr);
}

#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qz {

// What quizendo-report was asked to do.
struct ReportOptions {
  std::vector<std::string> m_vLogs;  // at least one
  std::string m_strReport;           // the page
  std::string m_strCsv;              // empty: no CSV
};

// Exit statuses of a report run.
inline constexpr int kReportOk = 0;
inline constexpr int kReportFailed = 1;        // an input unreadable, an output not written
inline constexpr int kReportInputMissing = 2;  // a log not found: the page says so
inline constexpr int kReportOutputIsInput = 2;

// Reads the logs and writes the page (and the CSV). The outputs are written beside their
// places and moved there only once every log was read, so a failure leaves files already there
// whole; an output that is one of the logs, under whatever name, is refused before anything is
// read. The page's path goes to `out`, what was read and what went wrong to `err`.
int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qz

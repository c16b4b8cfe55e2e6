#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "records/log_reader.h"

namespace qz {

// Writes one row per judged answer as CSV (RFC 4180: comma separated, CR LF rows, fields
// with a comma, quote or line break in double quotes), UTF-8 with a byte-order mark so that
// spreadsheets read names with accents right. `out` must outlive the writer.
class CsvExport {
 public:
  explicit CsvExport(std::ostream& out);

  void WriteHeader();
  // The session's answers, under the session number and the cadet's name the report gave it.
  void WriteSession(int session_number, std::string_view cadet_name, const LogSession& session);

 private:
  void Row(std::initializer_list<std::string_view> cells);

  std::ostream& m_out;
  std::string m_strRow;
};

// One CSV field, quoted when needed.
std::string CsvField(std::string_view text);
// Text from the log for a spreadsheet: a cell that begins with = + - @ (or TAB, CR) would be
// run as a formula, so it gets a leading apostrophe.
std::string GuardFormula(std::string_view text);

// "addition", "subtraction", "multiplication", "division".
std::string_view OperationName(LogOperation operation);
// "right", "wrong", "time-out".
std::string_view OutcomeName(LogOutcome outcome);

}  // namespace qz

#include "report/csv_export.h"

#include <charconv>

namespace qz {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRowEnd = "\r\n";

std::string Number(int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string_view OperationName(LogOperation operation) {
  switch (operation) {
    case LogOperation::kAdd:
      return "addition";
    case LogOperation::kSubtract:
      return "subtraction";
    case LogOperation::kMultiply:
      return "multiplication";
    case LogOperation::kDivide:
      return "division";
  }
  return "";
}

std::string_view OutcomeName(LogOutcome outcome) {
  switch (outcome) {
    case LogOutcome::kRight:
      return "right";
    case LogOutcome::kWrong:
      return "wrong";
    case LogOutcome::kTimedOut:
      return "time-out";
  }
  return "";
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"')
      out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string GuardFormula(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 1);
  if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
    out += '\'';
  }
  out.append(text);
  return out;
}

CsvExport::CsvExport(std::ostream& out) : m_out(out) {}

void CsvExport::Row(std::initializer_list<std::string_view> cells) {
  m_strRow.clear();
  bool first = true;
  for (const std::string_view cell : cells) {
    if (!first)
      m_strRow += ',';
    first = false;
    m_strRow += CsvField(cell);
  }
  m_strRow += kRowEnd;
  m_out << m_strRow;
}

void CsvExport::WriteHeader() {
  m_out << kByteOrderMark;
  Row({"date_time", "cadet", "session", "problem", "first_operand", "operation", "second_operand",
       "answer", "result", "outcome", "seconds", "score"});
}

void CsvExport::WriteSession(int session_number, std::string_view cadet_name,
                             const LogSession& session) {
  // Numbers are written as they are (a negative operand stays a number); only the name is
  // free text and needs the formula guard.
  const std::string cadet = GuardFormula(cadet_name);
  const std::string session_text = Number(session_number);
  for (const LogAnswer& answer : session.m_vAnswers) {
    const bool timed_out = answer.m_eOutcome == LogOutcome::kTimedOut;
    // A wrong answer's logged time is the previous problem's; it has no time of its own.
    const bool has_time = answer.m_eOutcome != LogOutcome::kWrong;
    Row({answer.m_dtWhen.ToIso(), cadet, session_text, Number(answer.ProblemInMatch()),
         Number(answer.m_nA), OperationName(answer.m_eOperation), Number(answer.m_nB),
         timed_out ? std::string() : Number(answer.m_nAnswer), Number(answer.m_nResult),
         OutcomeName(answer.m_eOutcome), has_time ? Number(answer.m_nSeconds) : std::string(),
         Number(answer.m_nScore)});
  }
}

}  // namespace qz

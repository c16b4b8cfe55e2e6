// The session log reader under arbitrary log content, and the report built from what it read.
// The input is read as a log; every session is summed into the report's model, written as CSV
// and rendered as the page.
//
// Checked besides the sanitizers: lines are counted as the input holds them; a session comes
// in parts numbered from 0, none holding more than a part's answers, the later parts repeating
// the first one's header; answers keep the order of their lines; at most the first defects are
// kept, each cut to its limit; no answer is lost between the reader, the model and the CSV.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "records/log_reader.h"
#include "report/csv_export.h"
#include "report/html_report.h"
#include "report/report_model.h"

namespace {

using qz::LogReader;
using qz::LogSession;

std::int64_t LinesIn(std::string_view text) {
  std::int64_t lines = 0;
  for (char c : text)
    lines += c == '\n' ? 1 : 0;
  if (!text.empty() && text.back() != '\n')
    ++lines;
  return lines;
}

std::size_t CsvRows(const std::string& csv) {
  std::size_t rows = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    if (csv[i] == '"')
      quoted = !quoted;
    if (!quoted && csv[i] == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n')
      ++rows;
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  LogReader reader(in);
  qz::ReportModel model;
  std::ostringstream csv_text;
  qz::CsvExport csv(csv_text);
  csv.WriteHeader();

  LogSession session;
  LogSession first;
  int number = 0;
  std::size_t answers = 0;
  std::int64_t last_line = 0;
  while (reader.Next(session)) {
    QZ_FUZZ_CHECK(session.m_vAnswers.size() <= LogReader::kAnswersPerPart);
    if (session.m_nPart == 0) {
      first = session;
      number = 0;
      if (!session.m_vAnswers.empty() || session.m_oSummary)
        number = model.AddSession(session);
    } else {
      QZ_FUZZ_CHECK(session.m_nPart == first.m_nPart + 1);
      QZ_FUZZ_CHECK(session.m_bHeader == first.m_bHeader);
      QZ_FUZZ_CHECK(session.m_strCadet == first.m_strCadet);
      QZ_FUZZ_CHECK(session.m_dtStart == first.m_dtStart);
      QZ_FUZZ_CHECK(session.m_nLine == first.m_nLine);
      first.m_nPart = session.m_nPart;
      if (number != 0)
        model.AddSessionPart(number, session);
    }
    for (const qz::LogAnswer& answer : session.m_vAnswers) {
      QZ_FUZZ_CHECK(answer.m_nLine > last_line);
      QZ_FUZZ_CHECK(answer.ProblemInMatch() >= 0);
      last_line = answer.m_nLine;
    }
    if (number != 0) {
      csv.WriteSession(number, qz::ReportModel::FiledName(first), session);
      answers += session.m_vAnswers.size();
    }
  }
  QZ_FUZZ_CHECK(reader.LineCount() == LinesIn(text));
  QZ_FUZZ_CHECK(last_line <= reader.LineCount());
  QZ_FUZZ_CHECK(!reader.ReadError());
  QZ_FUZZ_CHECK(reader.Defects().size() <= LogReader::kDefectsKept);
  QZ_FUZZ_CHECK(static_cast<std::int64_t>(reader.Defects().size()) <= reader.DefectCount());
  for (const qz::LogDefect& defect : reader.Defects()) {
    QZ_FUZZ_CHECK(defect.m_strText.size() <= LogReader::kDefectTextBytes);
    QZ_FUZZ_CHECK(defect.m_nLine >= 1 && defect.m_nLine <= reader.LineCount());
  }

  model.Finish();
  std::size_t judged = 0;
  for (const qz::CadetReport& cadet : model.Cadets())
    judged += static_cast<std::size_t>(cadet.m_total.m_nJudged);
  QZ_FUZZ_CHECK(judged == answers);
  QZ_FUZZ_CHECK(CsvRows(csv_text.str()) == answers + 1);
  const std::string page = qz::RenderHtmlReport(model);
  QZ_FUZZ_CHECK(!page.empty());
  return 0;
}

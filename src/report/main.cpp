// quizendo-report: turns the game's session logs into a progress page for parents and
// teachers, and optionally a CSV file of every judged answer.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/log_reader.h"
#include "records/session_log.h"
#include "report/csv_export.h"
#include "report/html_report.h"
#include "report/report_model.h"
#include "report/report_options.h"
#include "report/session_copies.h"

namespace {

// Exit codes: a log that could not be opened still gives a page that says so.
constexpr int kExitOk = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitInputMissing = 2;

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const qz::ReportOptions options = qz::ParseReportOptions(args);
  switch (options.m_action) {
    case qz::ReportOptions::Action::kReport:
      break;
    case qz::ReportOptions::Action::kHelp:
      std::cout << qz::ReportUsageText();
      return kExitOk;
    case qz::ReportOptions::Action::kVersion:
      std::cout << qz::ReportVersionText();
      return kExitOk;
    case qz::ReportOptions::Action::kUsageError:
      std::cerr << "quizendo-report: " << options.m_strError << "\n" << qz::ReportUsageText();
      return qz::kReportExitUsage;
  }

  std::ofstream csv_file;
  std::optional<qz::CsvExport> csv;
  if (!options.m_strCsv.empty()) {
    csv_file.open(options.m_strCsv, std::ios::binary | std::ios::trunc);
    if (!csv_file) {
      std::cerr << "quizendo-report: cannot write " << options.m_strCsv << ": "
                << std::strerror(errno) << "\n";
      return kExitOutputFailed;
    }
    csv.emplace(csv_file);
    csv->WriteHeader();
  }

  // With several logs, a first pass finds the fullest copy of every session they share.
  qz::SessionCopies copies;
  const bool several = options.m_vLogs.size() > 1;
  if (several) {
    for (std::size_t log = 0; log < options.m_vLogs.size(); ++log) {
      std::ifstream in(options.m_vLogs[log], std::ios::binary);
      if (!in)
        continue;
      qz::LogReader reader(in);
      qz::LogSession session;
      for (std::size_t ordinal = 0; reader.Next(session); ++ordinal)
        copies.Note(session, log, ordinal);
    }
  }

  qz::ReportModel model;
  bool input_missing = false;
  for (std::size_t log = 0; log < options.m_vLogs.size(); ++log) {
    const std::string& path = options.m_vLogs[log];
    qz::SourceReport& source = model.Sources().emplace_back();
    source.m_strPath = path;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::cerr << "quizendo-report: cannot open " << path << ": " << std::strerror(errno) << "\n";
      input_missing = true;
      continue;
    }
    source.m_bOpened = true;
    qz::LogReader reader(in);
    qz::LogSession session;
    for (std::size_t ordinal = 0; reader.Next(session); ++ordinal) {
      // A run that ended before any answer says nothing about the cadet.
      if (session.m_vAnswers.empty() && !session.m_oSummary)
        continue;
      const int number =
          several && !copies.IsChosen(session, log, ordinal) ? 0 : model.AddSession(session);
      if (number == 0) {
        ++source.m_nDuplicates;
        continue;
      }
      ++source.m_nSessions;
      if (csv)
        csv->WriteSession(number, session);
    }
    source.m_nLines = reader.LineCount();
    source.m_nDefects = reader.DefectCount();
    source.m_vDefects = reader.Defects();
    source.m_bReadError = reader.ReadError();
    std::cerr << "quizendo-report: " << path << ": " << source.m_nLines << " lines, "
              << source.m_nSessions << " sessions";
    if (source.m_nDuplicates > 0)
      std::cerr << ", " << source.m_nDuplicates << " counted from another copy";
    if (source.m_nDefects > 0) {
      std::cerr << ", " << source.m_nDefects << " unreadable line"
                << (source.m_nDefects == 1 ? "" : "s") << " (first at line "
                << source.m_vDefects.front().m_nLine << ")";
    }
    std::cerr << "\n";
  }
  model.Finish();

  if (csv) {
    csv_file.close();
    if (!csv_file) {
      std::cerr << "quizendo-report: writing " << options.m_strCsv << " failed\n";
      return kExitOutputFailed;
    }
  }
  std::ofstream report(options.m_strReport, std::ios::binary | std::ios::trunc);
  report << qz::RenderHtmlReport(model);
  report.close();
  if (!report) {
    std::cerr << "quizendo-report: cannot write " << options.m_strReport << "\n";
    return kExitOutputFailed;
  }
  std::cout << options.m_strReport << "\n";
  return input_missing ? kExitInputMissing : kExitOk;
}

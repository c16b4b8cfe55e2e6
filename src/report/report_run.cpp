#include "report/report_run.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "records/log_reader.h"
#include "report/cadet_filter.h"
#include "report/csv_export.h"
#include "report/html_report.h"
#include "report/input_files.h"
#include "report/report_model.h"
#include "report/session_copies.h"
#include "report/staged_file.h"

namespace qz {
namespace {

constexpr char kProgram[] = "quizendo-report: ";

// The first output that would overwrite a log or the other output, if any.
std::optional<std::string> OutputClash(const ReportOptions& options) {
  std::vector<std::string> outputs = {options.m_strReport};
  if (!options.m_strCsv.empty())
    outputs.push_back(options.m_strCsv);
  for (const std::string& output : outputs) {
    for (const std::string& log : options.m_vLogs) {
      if (SameFile(output, log))
        return output + " is also an input log: it would be overwritten";
    }
  }
  if (outputs.size() == 2 && SameFile(outputs[0], outputs[1]))
    return outputs[0] + " is given for both the page and the CSV";
  return std::nullopt;
}

// With several logs, a first pass finds the fullest copy of every session they share. A long
// session comes in parts; its copy is noted once its answers are all counted.
SessionCopies NoteCopies(const std::vector<std::string>& logs) {
  SessionCopies copies;
  for (std::size_t log = 0; log < logs.size(); ++log) {
    std::ifstream in(LogPath(logs[log]), std::ios::binary);
    if (!in)
      continue;
    LogReader reader(in);
    LogSession part;
    std::optional<LogSession> head;
    std::size_t answers = 0;
    bool summary = false;
    std::size_t ordinal = 0;
    const auto note = [&] {
      if (head)
        copies.Note(*head, answers, summary, log, ordinal++);
    };
    while (reader.Next(part)) {
      if (part.m_nPart == 0) {
        note();
        head = part;
        head->m_vAnswers.clear();
        answers = 0;
        summary = false;
      }
      answers += part.m_vAnswers.size();
      summary = summary || part.m_oSummary.has_value();
    }
    note();
  }
  return copies;
}

}  // namespace

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err) {
  if (const auto clash = OutputClash(options)) {
    err << kProgram << "refused: " << *clash << "\n";
    return kReportOutputIsInput;
  }
  bool input_missing = false;
  for (const std::string& path : options.m_vLogs) {
    const InputCheck check = CheckInput(path);
    if (check.m_strProblem.empty())
      continue;
    if (!check.m_bMissing) {
      err << kProgram << "cannot read " << path << ": " << check.m_strProblem << "\n";
      return kReportFailed;
    }
  }

  std::string error;
  StagedFile csv_file;
  std::optional<CsvExport> csv;
  if (!options.m_strCsv.empty()) {
    if (!csv_file.Open(options.m_strCsv, &error)) {
      err << kProgram << error << "\n";
      return kReportFailed;
    }
    csv.emplace(csv_file.Stream());
    csv->WriteHeader();
  }

  const bool several = options.m_vLogs.size() > 1;
  const SessionCopies copies = several ? NoteCopies(options.m_vLogs) : SessionCopies();
  ReportModel model;
  const CadetFilter filter(options.m_strCadet);
  std::set<std::string> cadets_seen;
  bool cadet_seen = false;
  for (std::size_t log = 0; log < options.m_vLogs.size(); ++log) {
    const std::string& path = options.m_vLogs[log];
    SourceReport& source = model.Sources().emplace_back();
    source.m_strPath = path;
    std::ifstream in(LogPath(path), std::ios::binary);
    if (!in) {
      err << kProgram << "cannot open " << path << ": " << std::strerror(errno) << "\n";
      input_missing = true;
      continue;
    }
    source.m_bOpened = true;
    LogReader reader(in);
    LogSession session;
    std::size_t ordinal = 0;
    int number = 0;
    std::string cadet_name;
    while (reader.Next(session)) {
      if (session.m_nPart == 0) {
        const std::size_t this_ordinal = ordinal++;
        number = 0;
        cadet_name = ReportModel::FiledName(session);
        // A run that ended before any answer says nothing about the cadet.
        if (session.m_vAnswers.empty() && !session.m_oSummary)
          continue;
        if (options.m_bOneCadet) {
          cadets_seen.insert(cadet_name);
          if (!filter.Keeps(cadet_name, session))
            continue;
          cadet_seen = true;
        }
        if (!several || copies.IsChosen(session, log, this_ordinal))
          number = model.AddSession(session);
        ++(number == 0 ? source.m_nDuplicates : source.m_nSessions);
      } else if (number != 0) {
        model.AddSessionPart(number, session);
      }
      if (number != 0 && csv)
        csv->WriteSession(number, cadet_name, session);
    }
    source.m_nLines = reader.LineCount();
    source.m_nDefects = reader.DefectCount();
    source.m_vDefects = reader.Defects();
    source.m_bReadError = reader.ReadError();
    if (source.m_bReadError) {
      err << kProgram << "cannot read " << path << ": a read error after line " << source.m_nLines
          << "\n";
      return kReportFailed;
    }
    err << kProgram << path << ": " << source.m_nLines
        << (source.m_nLines == 1 ? " line, " : " lines, ") << source.m_nSessions
        << (source.m_nSessions == 1 ? " session" : " sessions");
    if (source.m_nDuplicates > 0)
      err << ", " << source.m_nDuplicates << " counted from another copy";
    if (source.m_nDefects > 0) {
      err << ", " << source.m_nDefects << " unreadable line" << (source.m_nDefects == 1 ? "" : "s")
          << " (first at line " << source.m_vDefects.front().m_nLine << ")";
    }
    err << "\n";
  }
  model.Finish();
  if (options.m_bOneCadet && !cadet_seen) {
    // Nothing written: a page about nobody would pass for a cadet who never trained.
    err << kProgram << "no session of a cadet named '" << options.m_strCadet << "'";
    if (cadets_seen.empty()) {
      err << "; the logs name no cadet\n";
    } else {
      err << "; the logs name:\n";
      for (const std::string& name : cadets_seen)
        err << "  " << name << "\n";
    }
    return kReportExitUsage;
  }

  StagedFile report;
  if (!report.Open(options.m_strReport, &error)) {
    err << kProgram << error << "\n";
    return kReportFailed;
  }
  report.Stream() << RenderHtmlReport(model);
  if ((csv && !csv_file.Commit(&error)) || !report.Commit(&error)) {
    err << kProgram << error << "\n";
    return kReportFailed;
  }
  out << options.m_strReport << "\n";
  return input_missing ? kReportInputMissing : kReportOk;
}

}  // namespace qz

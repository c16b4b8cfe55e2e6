#include "report/report_options.h"

#include "records/session_log.h"

namespace qz {
namespace {

ReportOptions UsageError(std::string text) {
  ReportOptions options;
  options.m_action = ReportOptions::Action::kUsageError;
  options.m_strError = std::move(text);
  return options;
}

std::string Quoted(std::string_view arg) {
  std::string quoted(1, '\'');
  quoted.append(arg);
  quoted.push_back('\'');
  return quoted;
}

}  // namespace

ReportOptions ParseReportOptions(std::span<const std::string_view> args) {
  ReportOptions options;
  bool help = false;
  bool version = false;
  bool report_given = false;
  bool csv_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const std::string quoted = Quoted(arg);
    if (arg == "--") {
      for (++i; i < args.size(); ++i)
        options.m_vLogs.emplace_back(args[i]);
      break;
    }
    if (arg == "-o" || arg == "--output" || arg == "--csv") {
      const bool csv = arg == "--csv";
      bool& given = csv ? csv_given : report_given;
      if (given)
        return UsageError(csv ? "option '--csv' given twice"
                              : "option '-o' (--output) given twice");
      if (i + 1 >= args.size())
        return UsageError("option " + quoted + " needs a file name");
      given = true;
      (csv ? options.m_strCsv : options.m_strReport) = args[++i];
      if ((csv ? options.m_strCsv : options.m_strReport).empty())
        return UsageError("option " + quoted + " needs a file name");
    } else if (arg == "--cadet") {
      if (options.m_bOneCadet)
        return UsageError("option '--cadet' given twice");
      if (i + 1 >= args.size())
        return UsageError("option '--cadet' needs a cadet's name");
      options.m_bOneCadet = true;
      options.m_strCadet = args[++i];
    } else if (arg == "-h" || arg == "--help" || arg == "--version") {
      bool& flag = arg == "--version" ? version : help;
      if (flag)
        return UsageError("option " + quoted + " given twice");
      flag = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option " + quoted);
    } else {
      options.m_vLogs.emplace_back(arg);
    }
  }
  if (help)
    options.m_action = ReportOptions::Action::kHelp;
  else if (version)
    options.m_action = ReportOptions::Action::kVersion;
  if (options.m_vLogs.empty())
    options.m_vLogs.emplace_back(kLogFileName);
  return options;
}

std::string ReportUsageText() {
  return "Usage: quizendo-report [LOG ...] [-o REPORT.html] [--csv ANSWERS.csv] [--cadet NAME]\n"
         "       quizendo-report --help | --version\n"
         "Reads the game's session logs (default: qz.log in the current folder) and writes a\n"
         "progress page (default: report.html) and, if asked, one CSV row per judged answer.\n"
         "\n"
         "  -o, --output FILE  the page to write\n"
         "  --csv FILE         also write every judged answer as a CSV row\n"
         "  --cadet NAME       only the sessions of the cadet NAME\n"
         "  -h, --help         print this text and leave\n"
         "  --version          print the version and leave\n"
         "\n"
         "See the manual page quizendo-report(1) for the exit status.\n";
}

std::string ReportVersionText() {
  return std::string("quizendo-report ") + QZ_VERSION + "\n";
}

}  // namespace qz

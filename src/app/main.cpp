#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/cadet_start.h"
#include "app/command_line.h"
#include "app/run_main_window.h"
#include "app/startup.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // A file that reaches the size limit (ulimit -f) fails its write with EFBIG, which the log
  // and the settings handle as a full disk, instead of the signal killing the game mid-record.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const qz::CommandLine line = qz::ParseCommandLine(args);
  const int status = qz::AnswerCommandLine(line, qz::ApplicationName(argc > 0 ? argv[0] : nullptr));
  if (status >= 0)
    return status;
  const std::string app_name = qz::ApplicationName(argc > 0 ? argv[0] : nullptr);
  if (line.m_cadetChoice == qz::CadetChoice::kRemove)
    return qz::RemoveCadetCommand(app_name, line.m_strCadetName, stdin, stdout, stderr);
  return qz::RunApplication(argc, argv, line, qz::RunMainWindow);
}

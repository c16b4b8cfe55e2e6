#include "support/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qz::test {
namespace {

constexpr int kNobody = 65534;

}  // namespace

int OtherUserId() {
  return ::geteuid() == 0 ? kNobody : static_cast<int>(::geteuid());
}

ProgramRun RunProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                      bool as_other_user, int deadline_seconds) {
  std::vector<std::string> args;
  if (as_other_user && ::geteuid() == 0) {
    args = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
  }
  args.insert(args.end(), argv.begin(), argv.end());
  std::vector<char*> c_args;
  for (std::string& arg : args)
    c_args.push_back(arg.data());
  c_args.push_back(nullptr);

  char output_name[] = "/tmp/qz-run-XXXXXX";
  const int output = ::mkstemp(output_name);
  ProgramRun run;
  if (output < 0)
    return run;
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null_in = ::open("/dev/null", O_RDONLY);
    ::dup2(null_in, 0);
    ::dup2(output, 1);
    ::dup2(output, 2);
    if (::chdir(folder.c_str()) != 0)
      ::_exit(126);
    ::execvp(c_args[0], c_args.data());
    ::_exit(127);
  }
  ::close(output);
  int status = 0;
  bool exited = false;
  // Polls with a deadline rather than blocking, so that a hung program fails the test.
  for (int tick = 0; tick < deadline_seconds * 100; ++tick) {
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      break;
    }
    ::usleep(10000);
  }
  if (!exited) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  } else if (WIFEXITED(status)) {
    run.m_nStatus = WEXITSTATUS(status);
  }
  std::ifstream in(output_name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  run.m_strOutput = text.str();
  ::unlink(output_name);
  return run;
}

}  // namespace qz::test

#include "support/xvfb_display.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace qz::test {
namespace {

constexpr const char* kXvfb = "/usr/bin/Xvfb";
constexpr int kFirstDisplay = 140;
constexpr int kDisplaysToTry = 60;
// Xvfb is up within a second on an idle machine; the limit allows for a busy one.
constexpr int kStartPolls = 200;
constexpr auto kPollInterval = std::chrono::milliseconds(50);

bool DisplayTaken(int n) {
  std::error_code ec;
  return std::filesystem::exists(std::string("/tmp/.X").append(std::to_string(n)) + "-lock", ec) ||
         std::filesystem::exists(std::string("/tmp/.X11-unix/X").append(std::to_string(n)), ec);
}

}  // namespace

bool XvfbDisplay::Installed() {
  return access(kXvfb, X_OK) == 0;
}

XvfbDisplay::XvfbDisplay(const std::string& screen) {
  if (!Installed()) {
    m_strError = "Xvfb is not installed";
    return;
  }
  const int start = kFirstDisplay + static_cast<int>(getpid() % kDisplaysToTry);
  int display = -1;
  for (int i = 0; i < kDisplaysToTry && display < 0; ++i) {
    const int n = kFirstDisplay + (start - kFirstDisplay + i) % kDisplaysToTry;
    if (!DisplayTaken(n))
      display = n;
  }
  if (display < 0) {
    m_strError = "no free display number";
    return;
  }
  m_strName = std::string(":").append(std::to_string(display));
  const pid_t pid = fork();
  if (pid < 0) {
    m_strError = "fork failed";
    return;
  }
  if (pid == 0) {
    const int null_fd = open("/dev/null", O_RDWR);
    if (null_fd >= 0) {
      dup2(null_fd, 1);
      dup2(null_fd, 2);
    }
    execl(kXvfb, "Xvfb", m_strName.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
          "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string socket = std::string("/tmp/.X11-unix/X").append(std::to_string(display));
  for (int poll = 0; poll < kStartPolls; ++poll) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      m_strError = "Xvfb exited at start";
      return;
    }
    std::error_code ec;
    if (std::filesystem::exists(socket, ec)) {
      m_nPid = pid;
      const char* old = std::getenv("DISPLAY");
      m_bHadDisplay = old != nullptr;
      if (old != nullptr)
        m_strOldDisplay = old;
      setenv("DISPLAY", m_strName.c_str(), 1);
      return;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  m_strError = "Xvfb did not come up";
}

XvfbDisplay::~XvfbDisplay() {
  if (m_nPid <= 0)
    return;
  kill(m_nPid, SIGTERM);
  waitpid(m_nPid, nullptr, 0);
  if (m_bHadDisplay) {
    setenv("DISPLAY", m_strOldDisplay.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
}

}  // namespace qz::test

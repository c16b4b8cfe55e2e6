// The log writer and AppendLog on the real file system, in a temporary folder.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/posix_file_appender.h"
#include "records/session_log.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

struct ShownBox {
  std::string caption;
  std::string text;
  MessageIcon icon;
};

class RecordingMessageBox : public MessageBox {
 public:
  void Show(const std::string& caption, const std::string& text, MessageIcon icon) override {
    shown.push_back({caption, text, icon});
  }
  std::vector<ShownBox> shown;
};

// A child process that holds an exclusive lock on a file until it is told to let go.
class LockHolder {
 public:
  explicit LockHolder(const fs::path& path) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0)
      return;
    m_nPid = ::fork();
    if (m_nPid == 0) {
      ::alarm(30);  // never outlive a test that forgot to release it
      ::close(ready[0]);
      ::close(release[1]);
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
      const char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? '1' : '0';
      (void)!::write(ready[1], &ok, 1);
      char unused;
      (void)!::read(release[0], &unused, 1);  // returns when the parent closes its end
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    m_nRelease = release[1];
    pollfd wait_ready{ready[0], POLLIN, 0};
    char ok = '0';
    if (::poll(&wait_ready, 1, 10000) == 1)
      (void)!::read(ready[0], &ok, 1);
    ::close(ready[0]);
    m_bLocked = ok == '1';
  }
  ~LockHolder() { Release(); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;

  bool Locked() const { return m_bLocked; }
  void Release() {
    if (m_nRelease >= 0)
      ::close(m_nRelease);
    m_nRelease = -1;
    if (m_nPid > 0)
      ::waitpid(m_nPid, nullptr, 0);
    m_nPid = -1;
  }

 private:
  pid_t m_nPid = -1;
  int m_nRelease = -1;
  bool m_bLocked = false;
};

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qz-log-XXXXXX").string();
    ASSERT_NE(nullptr, ::mkdtemp(pattern.data()));
    m_pathFolder = pattern;
    m_pathLog = m_pathFolder / kLogFileName;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_pathFolder, ec);
  }

  void Log(const fs::path& path, std::string_view text) {
    AppendLog(m_appender, m_box, path, text);
  }
  static std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  fs::path m_pathFolder;
  fs::path m_pathLog;
  PosixFileAppender m_appender;
  RecordingMessageBox m_box;
};

TEST_F(LogFileTest, CreatesTheLogAndAppendsAfterExistingContent) {
  Log(m_pathLog, "first\r\n");
  EXPECT_EQ("first\r\n", Content(m_pathLog));
  Write(m_pathLog, "earlier run\r\n");
  Log(m_pathLog, "header\r\n");
  Log(m_pathLog, "line\r\n");
  EXPECT_EQ("earlier run\r\nheader\r\nline\r\n", Content(m_pathLog));
  EXPECT_TRUE(m_box.shown.empty());
}

TEST_F(LogFileTest, EmptyTextLeavesNoFile) {
  Log(m_pathLog, "");
  EXPECT_FALSE(fs::exists(m_pathLog));
  EXPECT_TRUE(m_box.shown.empty());
}

TEST_F(LogFileTest, FailedOpenShowsTheNameAsGivenAndDropsTheRecord) {
  Write(m_pathFolder / "plain", "keep");
  fs::create_directory(m_pathFolder / "qz.log.d");
  ASSERT_EQ(0, ::mkfifo((m_pathFolder / "fifo").c_str(), 0644));
  struct Case {
    fs::path path;
    FileErrorCause cause;
    std::string text;
  };
  const fs::path missing = m_pathFolder / "missing" / kLogFileName;
  const fs::path under_file = m_pathFolder / "plain" / kLogFileName;
  const fs::path folder = m_pathFolder / "qz.log.d";
  // A pipe nobody reads must not hang the game at the open.
  const fs::path fifo = m_pathFolder / "fifo";
  std::vector<Case> cases = {
      {missing, FileErrorCause::kFileNotFound, missing.string() + " was not found."},
      {under_file, FileErrorCause::kBadPath, under_file.string() + " contains an invalid path."},
      {folder, FileErrorCause::kAccessDenied, "Access to " + folder.string() + " was denied."},
      {fifo, FileErrorCause::kGeneric,
       "An unknown error occurred while accessing " + fifo.string() + "."},
  };
  // A folder that even root may not create files in (sysfs), where there is one.
  if (fs::exists("/sys/kernel")) {
    const fs::path sys = fs::path("/sys") / kLogFileName;
    cases.push_back(
        {sys, FileErrorCause::kAccessDenied, "Access to " + sys.string() + " was denied."});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    const AppendResult result = m_appender.Append(c.path, "record");
    EXPECT_EQ(c.cause, result.cause);
    EXPECT_TRUE(result.failed_at_open);
    EXPECT_EQ(c.path.string(), result.path);

    m_box.shown.clear();
    Log(c.path, "record");
    ASSERT_EQ(1u, m_box.shown.size());
    EXPECT_EQ("Quizendo", m_box.shown[0].caption);
    EXPECT_EQ(MessageIcon::kExclamation, m_box.shown[0].icon);
    EXPECT_EQ(c.text, m_box.shown[0].text);
  }
  EXPECT_EQ("keep", Content(m_pathFolder / "plain"));
  EXPECT_TRUE(fs::is_empty(m_pathFolder / "qz.log.d"));
}

TEST_F(LogFileTest, LogLockedByAnotherProcessIsASharingViolation) {
  Write(m_pathLog, "earlier run\r\n");
  LockHolder other(m_pathLog);
  ASSERT_TRUE(other.Locked());

  Log(m_pathLog, "header\r\n");
  Log(m_pathLog, "line\r\n");
  ASSERT_EQ(2u, m_box.shown.size());
  for (const ShownBox& box : m_box.shown) {
    EXPECT_EQ("A sharing violation occurred while accessing " + m_pathLog.string() + ".", box.text);
    EXPECT_EQ(MessageIcon::kExclamation, box.icon);
  }
  EXPECT_EQ("earlier run\r\n", Content(m_pathLog));

  // The game goes on: once the other process lets go, the next record gets through.
  other.Release();
  Log(m_pathLog, "summary\r\n");
  EXPECT_EQ(2u, m_box.shown.size());
  EXPECT_EQ("earlier run\r\nsummary\r\n", Content(m_pathLog));
}

// Two copies of the game, playing for two cadets, append to the one log: a lock held for the
// moment of the other's record is waited for, not reported.
TEST_F(LogFileTest, ALockHeldForAMomentIsWaitedFor) {
  Write(m_pathLog, "earlier run\r\n");
  LockHolder other(m_pathLog);
  ASSERT_TRUE(other.Locked());
  std::thread releaser([&other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    other.Release();
  });
  Log(m_pathLog, "header\r\n");
  releaser.join();
  EXPECT_TRUE(m_box.shown.empty());
  EXPECT_EQ("earlier run\r\nheader\r\n", Content(m_pathLog));
}

TEST_F(LogFileTest, FullDeviceIsDiskFullWithTheFullPath) {
  if (!fs::exists("/dev/full"))
    GTEST_SKIP() << "no /dev/full";
  fs::create_symlink("/dev/full", m_pathLog);
  // Named relative to the working folder, reported by its full path.
  const fs::path relative = m_pathLog.lexically_relative(fs::current_path());
  const AppendResult result = m_appender.Append(relative, "record\r\n");
  EXPECT_EQ(FileErrorCause::kDiskFull, result.cause);
  EXPECT_FALSE(result.failed_at_open);
  EXPECT_EQ(m_pathLog.string(), result.path);

  Log(m_pathLog, "record\r\n");
  ASSERT_EQ(1u, m_box.shown.size());
  EXPECT_EQ("Disk full while accessing " + m_pathLog.string() + ".", m_box.shown[0].text);
  EXPECT_EQ(MessageIcon::kStop, m_box.shown[0].icon);
  EXPECT_TRUE(fs::is_symlink(m_pathLog));
}

// The file may grow by only part of the record (a file-size limit in a child process): the
// part that got in is cut away again, the earlier content stays.
TEST_F(LogFileTest, RecordThatDoesNotFitIsCutBackWhole) {
  const std::string earlier = "earlier run\r\n";
  Write(m_pathLog, earlier);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(30);
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{earlier.size() + 10, earlier.size() + 10};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
      ::_exit(100);
    const AppendResult result = m_appender.Append(m_pathLog, std::string(100, 'x'));
    ::_exit(result.failed_at_open ? 101 : static_cast<int>(result.cause));
  }
  int status = 0;
  ASSERT_EQ(child, ::waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(static_cast<int>(FileErrorCause::kDiskFull), WEXITSTATUS(status));
  EXPECT_EQ(earlier, Content(m_pathLog));
}

}  // namespace
}  // namespace qz

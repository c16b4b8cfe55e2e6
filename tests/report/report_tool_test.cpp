// The report program run for real on files in a scratch folder: what it refuses to overwrite,
// what it cannot read, that a refusal or failure leaves the files already there whole, and
// what it does with outputs that are links, devices or pipes.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/file_text.h"
#include "support/run_program.h"
#include "support/sample_log.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(QZ_BINARY_DIR) + "/quizendo-report";
constexpr char kOldPage[] = "the page from last week";

using test::ReadFile;
using test::WriteFile;

class ReportToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Open to the other user some cases run as.
    fs::permissions(m_dir.Path(), fs::perms::all);
    test::SampleLogPlan plan;
    plan.m_nSessionsPerCadet = 2;
    m_strLog = test::WriteSampleLog(plan);
    WriteFile(Path("qz.log"), m_strLog);
    WriteFile(Path("report.html"), kOldPage);
  }

  fs::path Path(const std::string& name) const { return m_dir.Path() / name; }

  test::ProgramRun Run(std::vector<std::string> args, bool as_other_user = false) {
    args.insert(args.begin(), kTool);
    return test::RunProgram(args, m_dir.Path(), as_other_user);
  }

  // Nothing but the files the test made: no temporary file left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::ScratchDir m_dir;
  std::string m_strLog;
};

TEST_F(ReportToolTest, WritesThePageAndTheCsvAndLeavesNoTemporaryFile) {
  const test::ProgramRun run = Run({"--csv", "answers.csv"});
  EXPECT_EQ(0, run.m_nStatus) << run.m_strOutput;
  EXPECT_NE(std::string::npos, ReadFile(Path("report.html")).find("<html"));
  EXPECT_NE(std::string::npos, ReadFile(Path("answers.csv")).find("multiplication"));
  EXPECT_TRUE(m_strLog == ReadFile(Path("qz.log")));
  EXPECT_EQ((std::vector<std::string>{"answers.csv", "qz.log", "report.html"}), Names());
}

TEST_F(ReportToolTest, AnOutputThatIsAnInputIsRefusedAndNothingIsWritten) {
  fs::create_directory(Path("sub"));
  fs::create_hard_link(Path("qz.log"), Path("hard.log"));
  fs::create_symlink("qz.log", Path("soft.log"));
  const struct {
    const char* m_szWhat;
    std::vector<std::string> m_vArgs;
  } cases[] = {
      {"the CSV over the default log", {"--csv", "qz.log"}},
      {"the page over the log", {"qz.log", "-o", "qz.log"}},
      {"the same file by another spelling", {"./qz.log", "-o", "sub/../qz.log"}},
      {"a hard link to the log", {"qz.log", "--csv", "hard.log"}},
      {"a symbolic link to the log", {"qz.log", "-o", "soft.log"}},
      {"the second of two logs", {"hard.log", "soft.log", "--csv", "qz.log"}},
      {"the page and the CSV in one file", {"qz.log", "-o", "x.html", "--csv", "x.html"}},
  };
  for (const auto& c : cases) {
    const test::ProgramRun run = Run(c.m_vArgs);
    EXPECT_EQ(2, run.m_nStatus) << c.m_szWhat << "\n" << run.m_strOutput;
    EXPECT_NE(std::string::npos, run.m_strOutput.find("refused")) << c.m_szWhat;
    EXPECT_TRUE(m_strLog == ReadFile(Path("qz.log"))) << c.m_szWhat;
    EXPECT_TRUE(kOldPage == ReadFile(Path("report.html"))) << c.m_szWhat;
    EXPECT_FALSE(fs::exists(Path("x.html"))) << c.m_szWhat;
  }
}

TEST_F(ReportToolTest, AnUnreadableLogFailsNamingItAndTheOldPageStays) {
  fs::create_directory(Path("folder.log"));
  ASSERT_EQ(0, ::mkfifo(Path("fifo.log").c_str(), 0666));
  WriteFile(Path("secret.log"), m_strLog);
  ::chmod(Path("secret.log").c_str(), 0);
  const struct {
    const char* m_szLog;
    const char* m_szReason;
    bool m_bAsOtherUser;
  } cases[] = {
      {"folder.log", "folder", false},
      {"fifo.log", "not a regular file", false},
      {"secret.log", "Permission denied", true},
  };
  for (const auto& c : cases) {
    const test::ProgramRun run =
        Run({"qz.log", c.m_szLog, "--csv", "answers.csv"}, c.m_bAsOtherUser);
    EXPECT_EQ(1, run.m_nStatus) << c.m_szLog << "\n" << run.m_strOutput;
    EXPECT_NE(std::string::npos, run.m_strOutput.find(c.m_szLog)) << run.m_strOutput;
    EXPECT_NE(std::string::npos, run.m_strOutput.find(c.m_szReason)) << run.m_strOutput;
    EXPECT_TRUE(kOldPage == ReadFile(Path("report.html"))) << c.m_szLog;
    EXPECT_FALSE(fs::exists(Path("answers.csv"))) << c.m_szLog;
  }
}

TEST_F(ReportToolTest, AMissingLogStillGivesAPageThatSaysSo) {
  const test::ProgramRun run = Run({"qz.log", "gone.log"});
  EXPECT_EQ(2, run.m_nStatus) << run.m_strOutput;
  EXPECT_NE(std::string::npos, run.m_strOutput.find("gone.log"));
  EXPECT_NE(std::string::npos, ReadFile(Path("report.html")).find("gone.log"));
}

// Past a file-size limit the page cannot be written: the report says so with status 1 and the
// old page stays, rather than the limit's signal ending the report.
TEST_F(ReportToolTest, AFileSizeLimitFailsTheWriteAndKeepsTheOldPage) {
  const test::ProgramRun run =
      test::RunProgram({"sh", "-c", "ulimit -f 8 && exec \"$0\" qz.log", kTool}, m_dir.Path());
  EXPECT_EQ(1, run.m_nStatus) << run.m_strOutput;
  EXPECT_NE(std::string::npos, run.m_strOutput.find("File too large")) << run.m_strOutput;
  EXPECT_TRUE(kOldPage == ReadFile(Path("report.html")));
  EXPECT_EQ((std::vector<std::string>{"qz.log", "report.html"}), Names());
}

// An output given on the command line and what must become of it.
struct OutputCase {
  const char* m_szWhat;
  const char* m_szOption;  // "-o" or "--csv"
  const char* m_szName;    // the output, in the scratch folder
  std::function<void(const fs::path& folder)> m_setUp;
  int m_nStatus;
  const char* m_szSaid;      // in the output of the run; may be empty
  const char* m_szReadFrom;  // the file the content ends up in, when one does
  fs::file_type m_eTypeAfter;
};

class ReportOutputTest : public ReportToolTest {
 protected:
  // A link stays a link and its end gets the content; a device or a pipe is written straight
  // through and stays what it is; nothing but an ordinary file is renamed over; no temporary
  // file is left. A pipe's reader runs beside the report and collects what it reads.
  void Check(const OutputCase& c) {
    SCOPED_TRACE(c.m_szWhat);
    c.m_setUp(m_dir.Path());
    const fs::path output = Path(c.m_szName);
    const bool pipe = fs::symlink_status(output).type() == fs::file_type::fifo;
    // The test itself is the pipe's reader, open before the report starts, so the report never
    // waits for one and no second process has to open the pipe in time. It reads until the
    // report has finished and the pipe is empty, and keeps what it read in "from-pipe".
    const int held = pipe ? ::open(output.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    std::atomic<bool> report_done = false;
    std::thread reader;
    if (pipe) {
      reader = std::thread([this, held, &report_done] {
        std::string got;
        char buffer[4096];
        for (;;) {
          const bool done = report_done.load();
          const ssize_t n = ::read(held, buffer, sizeof buffer);
          if (n > 0) {
            got.append(buffer, static_cast<size_t>(n));
            continue;
          }
          if (done)
            break;
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        test::WriteFile(Path("from-pipe"), got);
      });
    }
    const test::ProgramRun run = Run({"qz.log", c.m_szOption, c.m_szName});
    if (pipe) {
      report_done = true;
      reader.join();
      ::close(held);
    }
    EXPECT_EQ(c.m_nStatus, run.m_nStatus) << run.m_strOutput;
    EXPECT_NE(std::string::npos, run.m_strOutput.find(c.m_szSaid)) << run.m_strOutput;
    EXPECT_EQ(c.m_eTypeAfter, fs::symlink_status(output).type());
    if (c.m_szReadFrom != nullptr) {
      const std::string content = ReadFile(Path(c.m_szReadFrom));
      const char* expected = std::string(c.m_szOption) == "-o" ? "<html" : "multiplication";
      EXPECT_NE(std::string::npos, content.find(expected)) << c.m_szReadFrom;
    }
    for (const std::string& name : Names())
      EXPECT_FALSE(name.starts_with(".quizendo-report")) << name << " left behind";
    fs::remove(output);
    fs::remove(Path("from-pipe"));
    fs::remove(Path("target.html"));
  }
};

TEST_F(ReportOutputTest, ALinkIsFollowedAndAPipeWrittenThrough) {
  const OutputCase cases[] = {
      {"an ordinary file", "-o", "report.html", [](const fs::path&) {}, 0, "", "report.html",
       fs::file_type::regular},
      {"a link to a file", "-o", "link.html",
       [](const fs::path& dir) {
         WriteFile(dir / "target.html", kOldPage);
         fs::create_symlink("target.html", dir / "link.html");
       },
       0, "", "target.html", fs::file_type::symlink},
      {"a link to a file not made yet", "--csv", "link.csv",
       [](const fs::path& dir) { fs::create_symlink("target.html", dir / "link.csv"); }, 0, "",
       "target.html", fs::file_type::symlink},
      {"a link into a missing folder", "-o", "link.html",
       [](const fs::path& dir) { fs::create_symlink("gone/target.html", dir / "link.html"); }, 1,
       "No such file or directory", nullptr, fs::file_type::symlink},
      {"a named pipe", "-o", "pipe",
       [](const fs::path& dir) { ::mkfifo((dir / "pipe").c_str(), 0600); }, 0, "", "from-pipe",
       fs::file_type::fifo},
  };
  for (const OutputCase& c : cases)
    Check(c);
}

// Device nodes made in the scratch folder, never the system's own: a report run that renamed a
// file over one would otherwise break /dev/null for the whole machine.
TEST_F(ReportOutputTest, ADeviceIsWrittenThroughAndItsErrorsReported) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "making device nodes takes root";
  if (::mknod(Path("probe").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
  fs::remove(Path("probe"));
  const auto device = [](unsigned minor) {
    return [minor](const fs::path& dir) {
      EXPECT_EQ(0, ::mknod((dir / "device").c_str(), S_IFCHR | 0666, makedev(1, minor)));
    };
  };
  const OutputCase cases[] = {
      {"a null device takes the page", "-o", "device", device(3), 0, "", nullptr,
       fs::file_type::character},
      {"a full device refuses the CSV", "--csv", "device", device(7), 1, "No space left on device",
       nullptr, fs::file_type::character},
  };
  for (const OutputCase& c : cases)
    Check(c);
}

}  // namespace
}  // namespace qz

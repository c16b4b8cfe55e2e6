// The report program run for real on files in a scratch folder: what it refuses to overwrite,
// what it cannot read, and that a refusal or failure leaves the files already there whole.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace qz

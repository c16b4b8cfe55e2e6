// Whose record a run plays, and removing a cadet from the command line, on real files in a
// scratch configuration folder.
#include "app/cadet_start.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "platform/posix/posix_record_folder.h"
#include "profile/profile_test_support.h"

namespace qz {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScopedEnv;
using test::TempFolder;
using test::WriteFile;

// A stream in memory: text to read, or what was written, read back.
class Stream {
 public:
  explicit Stream(const std::string& text = "") : m_file(std::tmpfile()) {
    std::fputs(text.c_str(), m_file);
    std::rewind(m_file);
  }
  ~Stream() { std::fclose(m_file); }
  std::FILE* File() { return m_file; }
  std::string Text() {
    std::fflush(m_file);
    std::rewind(m_file);
    std::string text;
    for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file))
      text += static_cast<char>(c);
    return text;
  }

 private:
  std::FILE* m_file;
};

class CadetStartTest : public ::testing::Test {
 protected:
  CadetStartTest() { fs::create_directories(Zorvex()); }
  fs::path Zorvex() const { return fs::path(m_home.Path()) / "Zorvex"; }
  std::string File(const std::string& name) const { return (Zorvex() / name).string(); }
  CadetStart Resolve(std::vector<std::string_view> args) {
    CadetRoster roster(m_folder, "quizendo");
    return ResolveNamedCadet(roster, m_folder, ParseCommandLine(args), "quizendo", m_err.File());
  }
  int Remove(const std::string& name, const std::string& answer) {
    Stream in(answer);
    return RemoveCadetCommand("quizendo", name, in.File(), m_out.File(), m_err.File());
  }

  TempFolder m_home;
  ScopedEnv m_config{"XDG_CONFIG_HOME", m_home.Path().c_str()};
  PosixRecordFolder m_folder{Zorvex().string()};
  Stream m_out;
  Stream m_err;
};

TEST_F(CadetStartTest, OneCadetOrNonePlaysTheSettingsFileTwoAsk) {
  EXPECT_EQ(File("quizendo.ini"), Resolve({}).m_strSettingsPath);
  EXPECT_FALSE(fs::exists(File("quizendo.ini")));
  WriteFile(File("quizendo.cadet-2.ini"), "[1.01]\nCadetName=Bea\n");
  EXPECT_EQ(File("quizendo.cadet-2.ini"), Resolve({}).m_strSettingsPath);
  WriteFile(File("quizendo.ini"), "[1.01]\nCadetName=Ann\n");
  const CadetStart ask = Resolve({});
  EXPECT_EQ("", ask.m_strSettingsPath);
  EXPECT_EQ(-1, ask.m_nExitStatus);
  EXPECT_EQ(File("quizendo.cadet-2.ini"), Resolve({"--cadet", "Bea"}).m_strSettingsPath);
}

TEST_F(CadetStartTest, ANameNoCadetHasEndsWithStatusTwoAndTheNames) {
  WriteFile(File("quizendo.ini"), "[1.01]\nCadetName=Ann\n");
  WriteFile(File("quizendo.cadet-2.ini"), "[1.01]\nCadetName=Ann\nBDateYear=2016\n");
  EXPECT_EQ(kExitUsage, Resolve({"--cadet", "Bob"}).m_nExitStatus);
  EXPECT_EQ(kExitUsage, Resolve({"--cadet", "Ann"}).m_nExitStatus);
  EXPECT_EQ(
      "quizendo: no cadet is named 'Bob'.\n"
      "The cadets are:\n  Ann (25.11.1994)\n  Ann (25.11.2016)\n"
      "quizendo: 2 cadets are named 'Ann'; give the birth date as well.\n"
      "The cadets are:\n  Ann (25.11.1994)\n  Ann (25.11.2016)\n",
      m_err.Text());
  EXPECT_EQ(File("quizendo.cadet-2.ini"),
            Resolve({"--cadet", "Ann (25.11.2016)"}).m_strSettingsPath);
}

// A record that leads to no file is played but never saved: it may be on a disk not there now.
TEST_F(CadetStartTest, ARecordLeadingNowhereIsPlayedWithoutSaving) {
  WriteFile(File("quizendo.ini"), "[1.01]\nCadetName=Ann\n");
  fs::create_symlink("/nonexistent/quizendo.ini", File("quizendo.cadet-2.ini"));
  CadetRoster roster(m_folder, "quizendo");
  roster.Read();
  const CadetStart start = StartOf(roster, m_folder, 1);
  EXPECT_EQ(File("quizendo.cadet-2.ini"), start.m_strSettingsPath);
  EXPECT_NE("", start.m_strRefusal);
  EXPECT_EQ("", StartOf(roster, m_folder, 0).m_strRefusal);
}

TEST_F(CadetStartTest, RemovingAsksAndKeepsTheRecord) {
  const std::string bea = "[1.01]\nCadetName=Bea\nCntRight=3\n";
  WriteFile(File("quizendo.ini"), "[1.01]\nCadetName=Ann\n");
  WriteFile(File("quizendo.cadet-2.ini"), bea);
  EXPECT_EQ(1, Remove("Bea", "n\n"));
  EXPECT_EQ(1, Remove("Bea", ""));
  EXPECT_EQ(bea, ReadFile(File("quizendo.cadet-2.ini")));
  EXPECT_EQ(kExitUsage, Remove("Bob", "y\n"));
  EXPECT_EQ(0, Remove("Bea", "Yes\n"));
  EXPECT_FALSE(fs::exists(File("quizendo.cadet-2.ini")));
  EXPECT_EQ(bea, ReadFile(File("quizendo.cadet-2.removed-1.ini")));
  EXPECT_NE(std::string::npos, m_out.Text().find("Removed Bea; the record is kept in " +
                                                 File("quizendo.cadet-2.removed-1.ini")));
}

TEST_F(CadetStartTest, ACadetPlayingNowIsNotRemoved) {
  WriteFile(File("quizendo.ini"), "[1.01]\nCadetName=Ann\n");
  const SingleInstance playing = ClaimSingleInstance("quizendo", File("quizendo.ini"));
  ASSERT_TRUE(playing.m_pLock);
  EXPECT_EQ(1, Remove("Ann", "y\n"));
  EXPECT_TRUE(fs::exists(File("quizendo.ini")));
  EXPECT_NE(std::string::npos, m_err.Text().find("Ann is playing now"));
}

}  // namespace
}  // namespace qz

// The cadets' records in one folder: which files are cadets, what each holds, what cannot be
// read, and adding and removing, on real files.
#include "profile/cadet_roster.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/ini_settings_store.h"
#include "platform/posix/posix_record_folder.h"
#include "profile/cadet_files.h"
#include "profile/profile_test_support.h"

namespace qz {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(CadetFiles, OnlyTheGamesOwnNamesAreCadets) {
  const struct {
    const char* m_szFile;
    std::optional<int> m_number;
  } cases[] = {
      {"quizendo.ini", 1},
      {"quizendo.cadet-2.ini", 2},
      {"quizendo.cadet-99999.ini", 99999},
      {"quizendo.cadet-1.ini", std::nullopt},       // the first cadet has one name only
      {"quizendo.cadet-02.ini", std::nullopt},      // a second spelling of 2
      {"quizendo.cadet-100000.ini", std::nullopt},  // past the last number
      {"quizendo.cadet-.ini", std::nullopt},
      {"quizendo.cadet-2x.ini", std::nullopt},
      {"quizendo.cadet-+2.ini", std::nullopt},
      {"quizendo.cadet-2.removed-1.ini", std::nullopt},
      {"quizendo.removed-1.ini", std::nullopt},
      {"quizendo.cadet-2.ini.tmp", std::nullopt},
      {".quizendo.ini.Ab3xYz", std::nullopt},
      {"quizendo.lock", std::nullopt},
      {"other.ini", std::nullopt},
      {"quizendo-report.ini", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.m_number, CadetNumberOf("quizendo", c.m_szFile)) << c.m_szFile;
  for (int number : {1, 2, 17, kMaxCadetNumber})
    EXPECT_EQ(number, CadetNumberOf("quizendo", CadetFileName("quizendo", number)));
  EXPECT_EQ("quizendo.removed-1.ini", RemovedFileName("quizendo.ini", 1));
  EXPECT_EQ("quizendo.cadet-3.removed-12.ini", RemovedFileName("quizendo.cadet-3.ini", 12));
}

class CadetRosterTest : public ::testing::Test {
 protected:
  std::string Record(const std::string& name, const std::string& content) {
    WriteFile(m_dir.File(name), content);
    return m_dir.File(name);
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Labels() {
    m_roster.Read();
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < m_roster.Cadets().size(); ++i)
      labels.push_back(m_roster.Label(i));
    return labels;
  }

  TempFolder m_dir;
  PosixRecordFolder m_folder{m_dir.Path()};
  CadetRoster m_roster{m_folder, "quizendo"};
};

TEST_F(CadetRosterTest, EveryCadetIsReadInOrderAndSameNamesAreToldApartByBirthDate) {
  Record("quizendo.ini", "[1.01]\nCadetName=Sam\nGameLevel=5\n");
  Record("quizendo.cadet-10.ini", "[1.01]\nCadetName=  \n");
  Record("quizendo.cadet-2.ini",
         "[1.01]\nCadetName=Sam\nBDateDay=2\nBDateMonth=3\n"
         "BDateYear=2016\n");
  Record("quizendo.cadet-3.ini", "[1.01]\nCadetName=../x\\ty\n");
  Record("quizendo.cadet-2.removed-1.ini", "[1.01]\nCadetName=Gone\n");
  Record("notes.ini", "[1.01]\nCadetName=Stranger\n");
  EXPECT_EQ((std::vector<std::string>{"Sam (25.11.1994)", "Sam (02.03.2016)", "../x y", "Player"}),
            Labels());
  EXPECT_EQ(5, m_roster.Cadets()[0].m_settings.m_nGameLevel);
  EXPECT_EQ("quizendo.cadet-10.ini", m_roster.Cadets()[3].m_strFile);

  EXPECT_EQ((std::vector<std::size_t>{0, 1}), m_roster.Find("Sam"));
  EXPECT_EQ((std::vector<std::size_t>{1}), m_roster.Find("Sam (02.03.2016)"));
  EXPECT_EQ((std::vector<std::size_t>{2}), m_roster.Find("../x y"));
  EXPECT_TRUE(m_roster.Find("Gone").empty());
  EXPECT_TRUE(m_roster.Find("Stranger").empty());
}

// A record that cannot be read whole is marked with the reason, and reading the roster leaves
// it exactly as it was.
TEST_F(CadetRosterTest, RecordsThatCannotBeReadAreMarkedAndLeftAlone) {
  Record("quizendo.ini", "[1.01]\nCadetName=Ann\n");
  fs::create_symlink(m_dir.File("unplugged/quizendo.ini"), m_dir.File("quizendo.cadet-2.ini"));
  fs::create_directory(m_dir.File("quizendo.cadet-3.ini"));
  const std::string big =
      "[1.01]\nCadetName=Big\n" + std::string(IniSettingsStore::kMaxFileBytes, ';') + "\n";
  Record("quizendo.cadet-4.ini", big);
  m_roster.Read();
  ASSERT_EQ(4u, m_roster.Cadets().size());
  EXPECT_EQ("", m_roster.Cadets()[0].m_strProblem);
  for (std::size_t i = 1; i < 4; ++i)
    EXPECT_NE("", m_roster.Cadets()[i].m_strProblem) << m_roster.Cadets()[i].m_strFile;
  EXPECT_NE(std::string::npos, m_roster.Cadets()[1].m_strProblem.find("leads to no file"));
  EXPECT_FALSE(fs::exists(m_dir.File("unplugged")));
  EXPECT_TRUE(fs::is_directory(m_dir.File("quizendo.cadet-3.ini")));
  EXPECT_EQ(big, ReadFile(m_dir.File("quizendo.cadet-4.ini")));
}

TEST_F(CadetRosterTest, ANewCadetGetsTheFirstFreeFileNeverOneMadeFromItsName) {
  std::string error;
  EXPECT_EQ("quizendo.ini", m_roster.AddCadet(&error).value_or(error));
  EXPECT_EQ("quizendo.cadet-2.ini", m_roster.AddCadet(&error).value_or(error));
  Record("quizendo.cadet-7.ini", "[1.01]\nCadetName=CON\n");
  EXPECT_EQ("quizendo.cadet-8.ini", m_roster.AddCadet(&error).value_or(error));
  // The first cadet's record removed: the next cadet is the first again.
  fs::rename(m_dir.File("quizendo.ini"), m_dir.File("quizendo.removed-1.ini"));
  EXPECT_EQ("quizendo.ini", m_roster.AddCadet(&error).value_or(error));
  EXPECT_EQ("", ReadFile(m_dir.File("quizendo.cadet-8.ini")));
  EXPECT_EQ("[1.01]\nCadetName=CON\n", ReadFile(m_dir.File("quizendo.cadet-7.ini")));
}

TEST_F(CadetRosterTest, ARemovedCadetsRecordIsKeptUnderANameOfItsOwn) {
  const std::string bea = "[1.01]\nCadetName=Bea\nCntRight=4\n";
  Record("quizendo.ini", "[1.01]\nCadetName=Ann\n");
  Record("quizendo.cadet-2.ini", bea);
  Record("quizendo.cadet-2.removed-1.ini", "an earlier Bea");
  m_roster.Read();
  std::string error;
  EXPECT_EQ("quizendo.cadet-2.removed-2.ini", m_roster.RemoveCadet(1, &error).value_or(error));
  EXPECT_EQ(bea, ReadFile(m_dir.File("quizendo.cadet-2.removed-2.ini")));
  EXPECT_EQ("an earlier Bea", ReadFile(m_dir.File("quizendo.cadet-2.removed-1.ini")));
  EXPECT_EQ((std::vector<std::string>{"Ann"}), Labels());
}

// A rename that cannot be done leaves the record where it was, and says why.
TEST_F(CadetRosterTest, ARemovalThatFailsChangesNothing) {
  class NoRenames : public PosixRecordFolder {
   public:
    using PosixRecordFolder::PosixRecordFolder;
    bool RenameNoReplace(const std::string&, const std::string&, std::string* error) override {
      *error = "read-only file system";
      return false;
    }
  } folder(m_dir.Path());
  CadetRoster roster(folder, "quizendo");
  Record("quizendo.ini", "[1.01]\nCadetName=Ann\n");
  roster.Read();
  std::string error;
  EXPECT_FALSE(roster.RemoveCadet(0, &error));
  EXPECT_EQ("read-only file system", error);
  EXPECT_EQ((std::vector<std::string>{"quizendo.ini"}), Files());
}

}  // namespace
}  // namespace qz

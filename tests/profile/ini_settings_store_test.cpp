#include "platform/posix/ini_settings_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "profile/profile_test_support.h"

namespace qz {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using namespace std::string_literals;

constexpr char kSection[] = "1.01";
constexpr int kMissing = -777;

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(IniSettingsStore, EveryTextAndNumberReadsBackAfterSave) {
  const std::vector<std::string> texts = {
      "",
      "Ann",
      "  blanks around  ",
      " ",
      "a=b;c # not a comment",
      "Zo\xC3\xAB \xE6\x97\xA5\xE6\x9C\xAC",
      "\"quoted\"",
      "\"",
      "ends with a quote\"",
      "back\\slash \\n \\x41 trailing\\",
      "tab\there, cr\rhere",
      "nul\0byte\x01\x7f"s,
      "\xFF\xFE not UTF-8",
      "Bo\nInjected=1\n[evil]\nGameLevel=8",
      "[1.01]",
      ";looks like a comment",
  };
  const std::vector<int> numbers = {0, 1, -1, 65535, INT_MAX, INT_MIN};
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  {
    IniSettingsStore store(path);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      store.WriteString(kSection, "Text" + std::to_string(i), texts[i]);
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      store.WriteInt(kSection, "Number" + std::to_string(i), numbers[i]);
    }
    std::string error;
    ASSERT_TRUE(store.Save(&error)) << error;
  }
  IniSettingsStore loaded(path);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i], loaded.GetString(kSection, "Text" + std::to_string(i), "missing")) << i;
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    EXPECT_EQ(numbers[i], loaded.GetInt(kSection, "Number" + std::to_string(i), kMissing)) << i;
  }
  // A name with line breaks stays one value.
  EXPECT_EQ("missing", loaded.GetString(kSection, "Injected", "missing"));
  EXPECT_EQ("missing", loaded.GetString("evil", "GameLevel", "missing"));
  EXPECT_EQ(kMissing, loaded.GetInt(kSection, "GameLevel", kMissing));
}

TEST(IniSettingsStore, NumbersReadOnlyWhenTheWholeValueIsA32BitNumber) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"42", 42},
      {"  42\t", 42},
      {"+7", 7},
      {"-0", 0},
      {"007", 7},
      {"\"12\"", 12},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", kMissing},
      {"-2147483649", kMissing},
      {"4294967295", kMissing},
      {"99999999999999999999999", kMissing},
      {"", kMissing},
      {"+", kMissing},
      {"-", kMissing},
      {"+-5", kMissing},
      {"- 5", kMissing},
      {"0x10", kMissing},
      {"12abc", kMissing},
      {"1.5", kMissing},
      {"1 2", kMissing},
      {"abc", kMissing},
  };
  TempFolder dir;
  const std::string path = dir.File("numbers.ini");
  std::string content = "[1.01]\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    content.append("N").append(std::to_string(i)).append("=").append(cases[i].text).append("\n");
  }
  WriteFile(path, content);
  IniSettingsStore store(path);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::string name = "N";
    name += std::to_string(i);
    EXPECT_EQ(cases[i].expected, store.GetInt(kSection, name, kMissing))
        << "\"" << cases[i].text << "\"";
  }
}

TEST(IniSettingsStore, UnknownLinesSurviveInTheirPlace) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path,
            "; written by hand\r\n"
            "[Other]\n"
            "Colour = blue ; with a comment-like tail\n"
            "\n"
            "[1.01]\n"
            "  GameLevel = 5  \n"
            "# a comment inside\n"
            "FutureValue=kept\n"
            "this line means nothing\n"
            "Path=C:\\games\\qz\n"
            "\n"
            "[Later]\n"
            "x=1\n");
  IniSettingsStore store(path);
  EXPECT_EQ(5, store.GetInt(kSection, "GameLevel", kMissing));
  EXPECT_EQ("C:\\games\\qz", store.GetString(kSection, "Path", ""));
  EXPECT_EQ("blue ; with a comment-like tail", store.GetString("Other", "Colour", ""));
  store.WriteInt(kSection, "GameLevel", 6);
  store.WriteString(kSection, "Path", "C:\\games\\qz");  // unchanged: keeps its spelling
  store.WriteString(kSection, "CadetName", "Ann");
  store.WriteString("New", "k", "v");
  std::string error;
  ASSERT_TRUE(store.Save(&error)) << error;
  EXPECT_EQ(
      "; written by hand\n"
      "[Other]\n"
      "Colour = blue ; with a comment-like tail\n"
      "\n"
      "[1.01]\n"
      "GameLevel=6\n"
      "# a comment inside\n"
      "FutureValue=kept\n"
      "this line means nothing\n"
      "Path=C:\\games\\qz\n"
      "CadetName=Ann\n"
      "\n"
      "[Later]\n"
      "x=1\n"
      "[New]\n"
      "k=v\n",
      ReadFile(path));
}

TEST(IniSettingsStore, CarriageReturnEndingALineOfItsOwnSurvivesSaves) {
  // One '\r' before the '\n' is part of the line end; any other is the line's own and must
  // neither be lost to the next read nor vanish one by one over repeated saves.
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path, "[1.01]\r\nCadetName=Ann\r\r\nnote\r\r\r\n[Other]\r\nk=v\r\r\n");
  for (int save = 0; save < 2; ++save) {
    SCOPED_TRACE(save);
    IniSettingsStore store(path);
    EXPECT_EQ("Ann\r", store.GetString(kSection, "CadetName", ""));
    EXPECT_EQ("v\r", store.GetString("Other", "k", ""));
    store.WriteString(kSection, "CadetName", "Ann\r");  // unchanged: keeps its spelling
    store.WriteInt(kSection, "GameLevel", 4);
    std::string error;
    ASSERT_TRUE(store.Save(&error)) << error;
  }
  EXPECT_EQ("[1.01]\nCadetName=Ann\r\r\nGameLevel=4\nnote\r\r\r\n[Other]\nk=v\r\r\n",
            ReadFile(path));
}

TEST(IniSettingsStore, LastOfRepeatedNamesCountsAndIsTheOneReplaced) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path, "[1.01]\nGameLevel=1\ngamelevel=2\n[other]\nGameLevel=9\n[1.01]\nGAMELEVEL=3\n");
  IniSettingsStore store(path);
  EXPECT_EQ(3, store.GetInt("1.01", "GameLevel", kMissing));
  store.WriteInt(kSection, "GameLevel", 4);
  ASSERT_TRUE(store.Save(nullptr));
  EXPECT_EQ("[1.01]\nGameLevel=1\ngamelevel=2\n[other]\nGameLevel=9\n[1.01]\nGAMELEVEL=4\n",
            ReadFile(path));
  EXPECT_EQ(4, IniSettingsStore(path).GetInt(kSection, "GameLevel", kMissing));
}

std::string Garbage(std::size_t size) {
  std::mt19937 random(12345);
  std::string bytes(size, '\0');
  for (char& c : bytes)
    c = static_cast<char>(random());
  return bytes;
}

TEST(IniSettingsStore, DamagedFilesReadWhatTheyCanAndStillSave) {
  struct Case {
    const char* what;
    std::string content;
    int game_level;  // expected GameLevel, or kMissing
  };
  const Case cases[] = {
      {"empty", "", kMissing},
      {"truncated in a value", "[1.01]\nGameLevel=7\nDoAdd=", 7},
      {"truncated in a header", "[1.01]\nGameLevel=7\n[1.0", 7},
      {"binary garbage", Garbage(64 << 10), kMissing},
      {"garbage after the values", "[1.01]\nGameLevel=7\n" + Garbage(4096), 7},
      {"no section", "GameLevel=7\n", kMissing},
      {"header without bracket", "[1.01\nGameLevel=7\n", kMissing},
      {"value without name", "[1.01]\n=7\nGameLevel=7\n", 7},
      {"nul bytes", "[1.01]\n\0\0\0\nGameLevel=7\n"s, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    const std::string path = dir.File("quizendo.ini");
    WriteFile(path, c.content);
    IniSettingsStore store(path);
    EXPECT_EQ(c.game_level, store.GetInt(kSection, "GameLevel", kMissing));
    EXPECT_EQ("none", store.GetString(kSection, "CadetName", "none"));
    store.WriteString(kSection, "CadetName", "Ann");
    std::string error;
    ASSERT_TRUE(store.Save(&error)) << error;
    IniSettingsStore reloaded(path);
    EXPECT_EQ("Ann", reloaded.GetString(kSection, "CadetName", ""));
    EXPECT_EQ(c.game_level, reloaded.GetInt(kSection, "GameLevel", kMissing));
  }
}

TEST(IniSettingsStore, SaveCreatesMissingFoldersAndAPrivateFile) {
  TempFolder dir;
  const std::string path = dir.File("config/Zorvex/quizendo.ini");
  IniSettingsStore store(path);
  store.WriteInt(kSection, "GameLevel", 2);
  std::string error;
  ASSERT_TRUE(store.Save(&error)) << error;
  EXPECT_EQ("[1.01]\nGameLevel=2\n", ReadFile(path));
  struct stat st {};
  ASSERT_EQ(0, stat(path.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 0777);
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::vector<std::string>{"quizendo.ini"}, FolderEntries(dir.File("config/Zorvex")));
}

TEST(IniSettingsStore, FailedSaveReportsWhyAndLeavesEverythingAsItWas) {
  struct Case {
    const char* what;
    std::string file;                // the settings file, relative to the folder
    std::string blocker;             // a regular file made first, if any
    std::string folder;              // a folder made first, if any
    std::string name = "GameLevel";  // the value name written
    std::string value = "4";         // the value written
  };
  const Case cases[] = {
      // Runs as root in CI: a regular file where a folder must be is unwritable for anyone.
      {"parent is a file", "blocker/quizendo.ini", "blocker", ""},
      {"grandparent is a file", "blocker/Zorvex/quizendo.ini", "blocker", ""},
      {"the settings path is a folder", "quizendo.ini", "", "quizendo.ini"},
      {"a name the format cannot hold", "quizendo.ini", "quizendo.ini", "", "Bad\nName"},
      {"a value over the line limit", "quizendo.ini", "quizendo.ini", "", "CadetName",
       std::string(IniSettingsStore::kMaxLineBytes, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    const std::string old_content = "[1.01]\nGameLevel=3\n";
    if (!c.blocker.empty())
      WriteFile(dir.File(c.blocker), old_content);
    if (!c.folder.empty())
      std::filesystem::create_directory(dir.File(c.folder));
    const std::vector<std::string> before = FolderEntries(dir.Path());

    IniSettingsStore store(dir.File(c.file));
    store.WriteString(kSection, c.name, c.value);
    std::string error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_FALSE(error.empty());

    EXPECT_EQ(before, FolderEntries(dir.Path()));
    if (!c.blocker.empty()) {
      EXPECT_EQ(old_content, ReadFile(dir.File(c.blocker)));
    }
    if (!c.folder.empty()) {
      EXPECT_TRUE(std::filesystem::is_directory(dir.File(c.folder)));
    }
  }
}

TEST(IniSettingsStore, SaveKeepsTheModeOfTheFileItReplaces) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path, "[1.01]\n");
  ASSERT_EQ(0, chmod(path.c_str(), 0644));
  IniSettingsStore store(path);
  store.WriteInt(kSection, "GameLevel", 2);
  ASSERT_TRUE(store.Save(nullptr));
  struct stat st {};
  ASSERT_EQ(0, stat(path.c_str(), &st));
  EXPECT_EQ(0644u, st.st_mode & 0777);
}

TEST(IniSettingsStore, SettingsFileThatIsALinkStaysALink) {
  TempFolder dir;
  const std::string target = dir.File("kept-elsewhere.ini");
  const std::string link = dir.File("quizendo.ini");
  WriteFile(target, "[1.01]\nGameLevel=3\n");
  ASSERT_EQ(0, symlink(target.c_str(), link.c_str()));
  IniSettingsStore store(link);
  EXPECT_EQ(3, store.GetInt(kSection, "GameLevel", kMissing));
  store.WriteInt(kSection, "GameLevel", 5);
  ASSERT_TRUE(store.Save(nullptr));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ("[1.01]\nGameLevel=5\n", ReadFile(target));
}

TEST(IniSettingsStore, DefaultPathFollowsXdgConfigHomeThenHome) {
  struct Case {
    const char* xdg;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/cfg", "/home/ann", "/cfg/Zorvex/quizendo.ini"},
      {"/cfg/", "/home/ann", "/cfg/Zorvex/quizendo.ini"},
      {nullptr, "/home/ann", "/home/ann/.config/Zorvex/quizendo.ini"},
      {"", "/home/ann", "/home/ann/.config/Zorvex/quizendo.ini"},
      {"relative/cfg", "/home/ann/", "/home/ann/.config/Zorvex/quizendo.ini"},
  };
  for (const Case& c : cases) {
    test::ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    test::ScopedEnv home("HOME", c.home);
    EXPECT_EQ(c.expected, IniSettingsStore::DefaultPath("quizendo"));
  }
}

}  // namespace
}  // namespace qz

// A settings file the game cannot read whole is never written over: whatever stands at the
// settings path (a file without permission, a folder, a fifo, a link to one, an oversized
// file) is left exactly as it was, and the store says why.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/posix/atomic_file.h"
#include "platform/posix/ini_settings_store.h"
#include "profile/profile_test_support.h"
#include "support/run_program.h"

namespace qz {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
namespace fs = std::filesystem;

constexpr char kSection[] = "1.01";
constexpr char kChildFile[] = "[1.01]\nCadetName=Ann\nOldHiScore=4321\n";

// Reads and saves the store as a player would; true when the store refused to save, gave a
// reason, and read no value. Runs in a child process as another user when asked, so that
// file permissions hold even for root.
bool ReadAndSaveIsRefused(const std::string& path, bool as_other_user) {
  const auto attempt = [&path] {
    IniSettingsStore store(path);
    const bool read_nothing = store.GetString(kSection, "CadetName", "none") == "none";
    store.WriteString(kSection, "CadetName", "Player");
    std::string error;
    const bool refused = !store.Save(&error);
    return read_nothing && refused && !error.empty() && error == store.LoadProblem();
  };
  if (!as_other_user)
    return attempt();
  const pid_t pid = fork();
  if (pid == 0) {
    const gid_t gid = static_cast<gid_t>(test::OtherUserId());
    const uid_t uid = static_cast<uid_t>(test::OtherUserId());
    if (setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0)
      _exit(2);
    _exit(attempt() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SettingsFileKept, WhatCannotBeReadIsNeitherReadNorSavedOver) {
  struct Case {
    const char* what;
    std::function<void(const TempFolder&, const std::string&)> make;
    bool as_other_user = false;
  };
  const Case cases[] = {
      {"a file without read permission",
       [](const TempFolder&, const std::string& path) {
         WriteFile(path, kChildFile);
         ASSERT_EQ(0, chmod(path.c_str(), 0200));
       },
       true},
      {"a folder", [](const TempFolder&, const std::string& path) { fs::create_directory(path); }},
      {"a fifo", [](const TempFolder&,
                    const std::string& path) { ASSERT_EQ(0, mkfifo(path.c_str(), 0600)); }},
      {"a link to a fifo",
       [](const TempFolder& dir, const std::string& path) {
         ASSERT_EQ(0, mkfifo(dir.File("fifo").c_str(), 0600));
         fs::create_symlink(dir.File("fifo"), path);
       }},
      {"a link to a folder",
       [](const TempFolder& dir, const std::string& path) {
         fs::create_directory(dir.File("folder"));
         fs::create_symlink(dir.File("folder"), path);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    fs::permissions(dir.Path(), fs::perms::all);
    const std::string path = dir.File("quizendo.ini");
    c.make(dir, path);
    const auto type_before = fs::symlink_status(path).type();
    const auto target_before = fs::status(path).type();

    EXPECT_TRUE(ReadAndSaveIsRefused(path, c.as_other_user));

    EXPECT_EQ(type_before, fs::symlink_status(path).type());
    EXPECT_EQ(target_before, fs::status(path).type());
    if (target_before == fs::file_type::regular) {
      chmod(path.c_str(), 0600);
      EXPECT_EQ(kChildFile, ReadFile(path));
    }
  }
}

TEST(SettingsFileKept, AnOversizedFileIsReadAsFarAsItGoesAndNotSavedOver) {
  struct Case {
    const char* what;
    std::string content;
  };
  const std::string values = "[1.01]\nCadetName=Ann\nGameLevel=7\n";
  std::string comments;
  for (int i = 0; i < 70000; ++i)
    comments += "; a comment line\n";
  const Case cases[] = {
      {"junk past the size limit", values + std::string(5 << 20, 'j')},
      {"values among more lines than the limit", values + comments},
      {"a line past the line limit",
       "[1.01]\nCadetName=Ann\nPath=" + std::string(IniSettingsStore::kMaxLineBytes + 1, 'x') +
           "\nGameLevel=7\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    const std::string path = dir.File("quizendo.ini");
    WriteFile(path, c.content);
    IniSettingsStore store(path);
    EXPECT_EQ("Ann", store.GetString(kSection, "CadetName", "none"));
    EXPECT_EQ(7, store.GetInt(kSection, "GameLevel", 0));
    EXPECT_FALSE(store.LoadProblem().empty());
    store.WriteInt(kSection, "GameLevel", 2);
    std::string error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_EQ(store.LoadProblem(), error);
    EXPECT_TRUE(ReadFile(path) == c.content);
  }
}

TEST(SettingsFileKept, AnAtomicSaveReplacesOnlyARegularFile) {
  const struct {
    const char* what;
    bool link;
    bool folder;
  } cases[] = {
      {"a fifo", false, false},
      {"a link to a fifo", true, false},
      {"a link to a folder", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    const std::string path = dir.File("quizendo.ini");
    const std::string target = c.link ? dir.File("target") : path;
    if (c.folder) {
      fs::create_directory(target);
    } else {
      ASSERT_EQ(0, mkfifo(target.c_str(), 0600));
    }
    if (c.link)
      fs::create_symlink(target, path);
    std::string error;
    EXPECT_FALSE(ReplaceFileAtomically(path, "[1.01]\n", &error));
    EXPECT_NE(std::string::npos, error.find("not a regular file")) << error;
    EXPECT_EQ(c.link, fs::is_symlink(path));
    EXPECT_EQ(c.folder ? fs::file_type::directory : fs::file_type::fifo, fs::status(path).type());
  }
}

// A link whose file is not made yet is still a link: the save makes the file at its end. A
// loop of links leads to no file at all and is refused; either way the link stays.
TEST(SettingsFileKept, ALinkStaysALinkWhenItsFileIsNotThereYet) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  fs::create_symlink("elsewhere.ini", path);
  std::string error;
  EXPECT_TRUE(ReplaceFileAtomically(path, "[1.01]\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_TRUE(ReadFile(dir.File("elsewhere.ini")) == "[1.01]\n");

  const std::string loop = dir.File("loop.ini");
  fs::create_symlink("loop.ini", loop);
  EXPECT_FALSE(ReplaceFileAtomically(loop, "[1.01]\n", &error));
  EXPECT_NE(std::string::npos, error.find("symbolic links")) << error;
  EXPECT_TRUE(fs::is_symlink(loop));
}

TEST(SettingsFileKept, AFileWrittenByRootStaysItsOwners) {
  if (geteuid() != 0)
    GTEST_SKIP() << "only root can save over another user's file";
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path, kChildFile);
  const auto other = static_cast<uid_t>(test::OtherUserId());
  ASSERT_EQ(0, chown(path.c_str(), other, other));
  IniSettingsStore store(path);
  store.WriteString(kSection, "CadetName", "Bo");
  ASSERT_TRUE(store.Save(nullptr));
  struct stat st {};
  ASSERT_EQ(0, stat(path.c_str(), &st));
  EXPECT_EQ(other, st.st_uid);
  EXPECT_EQ(other, st.st_gid);
}

}  // namespace
}  // namespace qz

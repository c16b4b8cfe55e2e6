// One copy of the game per user: the lock next to the settings, and what holding it allows.
#include "platform/posix/instance_lock.h"

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/atomic_file.h"
#include "support/scratch_dir.h"

namespace qz {
namespace {

namespace fs = std::filesystem;
using Outcome = InstanceLock::Outcome;

std::unique_ptr<InstanceLock> Take(const std::string& path, Outcome* outcome) {
  std::string error;
  return InstanceLock::Acquire(path, outcome, &error);
}

TEST(InstanceLock, HeldForTheRunAndFreedWhenTheHolderGoesHoweverItEnds) {
  test::ScratchDir dir;
  const std::string path = (dir.Path() / "Zorvex" / "quizendo.lock").string();
  Outcome outcome = Outcome::kUnavailable;
  {
    auto first = Take(path, &outcome);
    ASSERT_TRUE(first);
    EXPECT_EQ(Outcome::kAcquired, outcome);
    EXPECT_FALSE(Take(path, &outcome));
    EXPECT_EQ(Outcome::kHeldByAnother, outcome);
  }
  EXPECT_TRUE(Take(path, &outcome));

  // A holder killed outright: the kernel lets go of its lock.
  int ready[2];
  ASSERT_EQ(0, pipe(ready));
  const pid_t holder = fork();
  if (holder == 0) {
    Outcome child_outcome = Outcome::kUnavailable;
    auto lock = Take(path, &child_outcome);
    const char byte = lock ? 1 : 0;
    [[maybe_unused]] const ssize_t written = write(ready[1], &byte, 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(1, read(ready[0], &byte, 1));
  ASSERT_EQ(1, byte);
  EXPECT_FALSE(Take(path, &outcome));
  EXPECT_EQ(Outcome::kHeldByAnother, outcome);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_TRUE(Take(path, &outcome));
  close(ready[0]);
  close(ready[1]);
}

TEST(InstanceLock, NoLockWhereNoneCanBeMadeLetsTheGamePlay) {
  test::ScratchDir dir;
  std::ofstream(dir.Path() / "blocker") << "a file where the folder must be";
  Outcome outcome = Outcome::kAcquired;
  EXPECT_FALSE(Take((dir.Path() / "blocker" / "quizendo.lock").string(), &outcome));
  EXPECT_EQ(Outcome::kUnavailable, outcome);
  const SingleInstance claim =
      ClaimSingleInstance("quizendo", (dir.Path() / "blocker" / "quizendo.ini").string());
  EXPECT_TRUE(claim.m_strRefusal.empty());
}

TEST(SingleInstance, ASecondCopyIsRefusedAndTheFirstClearsWhatKilledSavesLeft) {
  test::ScratchDir dir;
  const fs::path settings = dir.Path() / "quizendo.ini";
  for (const char* name : {".quizendo.ini.Ab3xYz", ".quizendo.ini.000000", "quizendo.ini",
                           ".quizendo.ini.too-long", ".other.ini.Ab3xYz"}) {
    std::ofstream(dir.Path() / name) << "x";
  }
  const SingleInstance first = ClaimSingleInstance("quizendo", settings.string());
  ASSERT_TRUE(first.m_pLock);
  EXPECT_TRUE(first.m_strRefusal.empty());
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ((std::vector<std::string>{".other.ini.Ab3xYz", ".quizendo.ini.too-long", "quizendo.ini",
                                      "quizendo.lock"}),
            left);

  std::ofstream(dir.Path() / ".quizendo.ini.Zz9Zz9") << "a save in progress";
  const SingleInstance second = ClaimSingleInstance("quizendo", settings.string());
  EXPECT_FALSE(second.m_pLock);
  EXPECT_NE(std::string::npos, second.m_strRefusal.find("quizendo is already running"));
  // The running copy's save is left alone.
  EXPECT_TRUE(fs::exists(dir.Path() / ".quizendo.ini.Zz9Zz9"));
}

// Runs `body` in a child process; with `read_only` set, inside a private mount namespace where
// `folder` is mounted read-only (root writes through permissions, not through a read-only
// mount). What the body returned, or nothing when no such namespace can be had.
std::optional<std::string> InChild(const fs::path& folder, bool read_only,
                                   const std::function<std::string()>& body) {
  int out[2];
  if (pipe(out) != 0)
    return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    const char* f = folder.c_str();
    std::string result = "skip";
    if (!read_only ||
        (unshare(CLONE_NEWNS) == 0 &&
         mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         mount(f, f, nullptr, MS_BIND, nullptr) == 0 &&
         mount(nullptr, f, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)) {
      result = body();
    }
    [[maybe_unused]] const ssize_t written = write(out[1], result.data(), result.size());
    _exit(0);
  }
  close(out[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  waitpid(child, nullptr, 0);
  if (result == "skip")
    return std::nullopt;
  return result;
}

struct NoLockFileCase {
  const char* name;
  bool read_only;        // the settings folder is on a read-only mount
  bool folder_as_lock;   // a folder where the lock file belongs
  const char* settings;  // "file", "link" (to a writable file elsewhere) or "none"
  const char* claims;    // what two copies get: L locked, R refused, U unlocked and told
};

class NoLockFile : public ::testing::TestWithParam<NoLockFileCase> {};

TEST_P(NoLockFile, TheSettingsFileIsLockedInsteadOrTheCadetIsTold) {
  const NoLockFileCase c = GetParam();
  test::ScratchDir dir;
  const fs::path folder = dir.Path() / "Zorvex";
  fs::create_directories(folder);
  fs::create_directories(dir.Path() / "elsewhere");
  const fs::path settings = folder / "quizendo.ini";
  if (c.folder_as_lock)
    fs::create_directory(folder / "quizendo.lock");
  if (std::string(c.settings) == "file") {
    std::ofstream(settings) << "[1.01]\n";
  } else if (std::string(c.settings) == "link") {
    std::ofstream(dir.Path() / "elsewhere" / "quizendo.ini") << "[1.01]\n";
    fs::create_symlink(dir.Path() / "elsewhere" / "quizendo.ini", settings);
  }

  const std::optional<std::string> claims = InChild(folder, c.read_only, [&] {
    const SingleInstance first = ClaimSingleInstance("quizendo", settings.string());
    const SingleInstance second = ClaimSingleInstance("quizendo", settings.string());
    std::string got;
    for (const SingleInstance* claim : {&first, &second}) {
      HeadlessPlatform boxes;
      SayIfUnlocked(*claim, "quizendo", boxes);
      if (claim->m_pLock && claim->m_vUnlockedWhy.empty() && boxes.Messages().empty()) {
        got += "L";
      } else if (!claim->m_strRefusal.empty() && boxes.Messages().empty()) {
        got += "R";
      } else if (!claim->m_pLock && boxes.Messages().size() == 1 &&
                 boxes.Messages()[0].text.find("quizendo.lock: ") != std::string::npos &&
                 boxes.Messages()[0].text.find("quizendo.ini: ") != std::string::npos) {
        got += "U";
      } else {
        got += "?";
      }
    }
    return got;
  });
  if (!claims)
    GTEST_SKIP() << "no private mount namespace (needs root)";
  EXPECT_EQ(c.claims, *claims);
  EXPECT_FALSE(fs::exists(folder / "quizendo.lock") && !fs::is_directory(folder / "quizendo.lock"))
      << "no lock file can be made in these folders";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoLockFile,
    ::testing::Values(
        NoLockFileCase{"FolderInPlaceOfTheLockFile", false, true, "file", "LR"},
        NoLockFileCase{"ReadOnlyFolderWithTheSettings", true, false, "file", "LR"},
        NoLockFileCase{"ReadOnlyFolderWithALinkToWritableSettings", true, false, "link", "LR"},
        NoLockFileCase{"ReadOnlyFolderWithoutSettings", true, false, "none", "UU"},
        NoLockFileCase{"FolderInPlaceOfTheLockFileBeforeTheFirstSave", false, true, "none", "UU"}),
    [](const ::testing::TestParamInfo<NoLockFileCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace qz

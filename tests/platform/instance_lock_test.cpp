// One copy of the game per user: the lock next to the settings, and what holding it allows.
#include "platform/posix/instance_lock.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/single_instance.h"
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

}  // namespace
}  // namespace qz

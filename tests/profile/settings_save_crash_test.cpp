#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/posix/ini_settings_store.h"
#include "profile/profile_test_support.h"
#include "profile/training_settings.h"

namespace qz {
namespace {

constexpr int kRounds = 50;
constexpr std::size_t kTextBytes = 20000;  // three texts: a save of about 60 KB

// Every field of generation g is derived from g, so a file mixing two saves shows at once.
TrainingSettings Generation(int g) {
  TrainingSettings settings;
  for (const SettingField& field : SettingFields()) {
    if (field.IsText()) {
      field.Text(settings) =
          std::to_string(g) + std::string(kTextBytes, static_cast<char>('a' + g % 26));
    } else {
      field.Number(settings) = g;
    }
  }
  return settings;
}

// The generation the file holds, or -1 when its fields do not agree on one.
int GenerationInFile(const std::string& path) {
  IniSettingsStore store(path);
  TrainingSettings loaded;
  LoadSettings(store, loaded);
  const int g = loaded.m_nOldHiScore;
  const TrainingSettings expected = Generation(g);
  for (const SettingField& field : SettingFields()) {
    const bool same = field.IsText() ? field.Text(loaded) == field.Text(expected)
                                     : field.Number(loaded) == field.Number(expected);
    if (!same)
      return -1;
  }
  return g;
}

// Saves generation after generation until killed; one byte on `ready` after the first save.
[[noreturn]] void SaveForever(const std::string& path, int first_generation, int ready) {
  IniSettingsStore store(path);
  for (int g = first_generation;; ++g) {
    if (!SaveSettings(store, Generation(g), nullptr))
      _exit(2);
    if (g == first_generation && write(ready, "x", 1) != 1)
      _exit(3);
  }
}

// A save that wrote into the old file could leave it torn; the old file must stay untouched
// until the new one replaces it whole.
TEST(SettingsSaveCrash, SaveNeverWritesIntoTheOldFile) {
  test::TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  IniSettingsStore store(path);
  ASSERT_TRUE(SaveSettings(store, Generation(1), nullptr));
  const std::string old_content = test::ReadFile(path);
  const int old_file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(old_file, 0);
  ASSERT_TRUE(SaveSettings(store, Generation(2), nullptr));
  std::string seen(old_content.size() + 1, '\0');
  const ssize_t n = pread(old_file, seen.data(), seen.size(), 0);
  close(old_file);
  ASSERT_GE(n, 0);
  seen.resize(static_cast<std::size_t>(n));
  EXPECT_EQ(old_content, seen);
  EXPECT_EQ(2, GenerationInFile(path));
}

TEST(SettingsSaveCrash, KilledSaveLeavesTheOldOrTheNewFileNeverAMix) {
  test::TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  {
    IniSettingsStore store(path);
    ASSERT_TRUE(SaveSettings(store, Generation(0), nullptr));
  }
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> delay_us(0, 4000);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
  int last = 0;
  for (int round = 1; round <= kRounds; ++round) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "round " << round;
    int ready[2];
    ASSERT_EQ(0, pipe(ready));
    const int first = round * 1000000;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      SaveForever(path, first, ready[1]);
    }
    close(ready[1]);
    pollfd waiting{ready[0], POLLIN, 0};
    const bool saved_once = poll(&waiting, 1, 20000) == 1;
    close(ready[0]);
    if (saved_once)
      std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(saved_once) << "the saving child did not finish its first save in time";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;

    // The first save of this round was complete, so the file holds it or a later one.
    const int g = GenerationInFile(path);
    ASSERT_GE(g, first) << "round " << round << " after generation " << last;
    last = g;
  }
}

}  // namespace
}  // namespace qz

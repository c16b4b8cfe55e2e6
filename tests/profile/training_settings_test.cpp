#include "profile/training_settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/ini_settings_store.h"
#include "profile/profile_test_support.h"

namespace qz {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const std::vector<std::string> kStoredNames = {
    "CadetName",     "Pass",       "Path",     "OldHiScore", "TimeSec",   "NumberOfSessions",
    "HiWrong",       "HiRight",    "LoWrong",  "LoRight",    "CntRight",  "CntWrong",
    "TtlRight",      "TtlWrong",   "BDateDay", "BDateMonth", "BDateYear", "GameLevel",
    "CustomSettins", "AutoSelect", "DoAdd",    "DoSub",      "DoMul",     "DoDiv",
    "NoNeg",         "SoundOn"};

void ExpectSameSettings(const TrainingSettings& expected, const TrainingSettings& actual) {
  for (const SettingField& field : SettingFields()) {
    if (field.IsText()) {
      EXPECT_EQ(field.Text(expected), field.Text(actual)) << field.m_szName;
    } else {
      EXPECT_EQ(field.Number(expected), field.Number(actual)) << field.m_szName;
    }
  }
}

// Gives every field a value of its own, different from its default.
TrainingSettings Distinct() {
  TrainingSettings settings;
  int n = 0;
  for (const SettingField& field : SettingFields()) {
    ++n;
    if (field.IsText()) {
      // A name keeps no control characters (they are blanked when read); the other texts
      // keep even a line break.
      const bool name = field.m_pText == &TrainingSettings::m_strCadetName;
      field.Text(settings) = " value " + std::to_string(n) + "; =" + (name ? " " : "\n");
    } else {
      field.Number(settings) = n % 2 == 0 ? -n * 1000 : n * 100003;
    }
  }
  return settings;
}

// The value names of the section, in the order the file holds them.
std::vector<std::string> NamesInFile(const std::string& content) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = content.find('\n', start);
    const std::string line = content.substr(start, end - start);
    start = end == std::string::npos ? content.size() : end + 1;
    if (const std::size_t equals = line.find('='); equals != std::string::npos) {
      names.push_back(line.substr(0, equals));
    }
  }
  return names;
}

TEST(TrainingSettings, FirstRunLoadsTheDefaultsAndTheFirstSaveWritesAllValues) {
  TempFolder dir;
  const std::string path = dir.File("Zorvex/quizendo.ini");
  IniSettingsStore store(path);
  TrainingSettings settings = Distinct();  // whatever the record held before
  LoadSettings(store, settings);

  EXPECT_EQ(3, settings.m_nGameLevel);
  EXPECT_EQ(1, settings.m_nAutoSelect);
  EXPECT_EQ(0, settings.m_nCustomSettins);
  EXPECT_EQ(1, settings.m_nDoAdd);
  EXPECT_EQ(1, settings.m_nDoSub);
  EXPECT_EQ(1, settings.m_nDoMul);
  EXPECT_EQ(1, settings.m_nDoDiv);
  EXPECT_EQ(1, settings.m_nNoNeg);
  EXPECT_EQ(25, settings.m_nBDateDay);
  EXPECT_EQ(11, settings.m_nBDateMonth);
  EXPECT_EQ(1994, settings.m_nBDateYear);
  EXPECT_EQ("", settings.m_strCadetName);
  EXPECT_EQ(65535, settings.m_stats.m_nLoRight);
  EXPECT_EQ(65535, settings.m_stats.m_nLoWrong);
  EXPECT_EQ(1, settings.m_nSoundOn);
  ExpectSameSettings(TrainingSettings(), settings);

  std::string error;
  ASSERT_TRUE(SaveSettings(store, settings, &error)) << error;
  const std::string content = ReadFile(path);
  EXPECT_EQ(0u, content.find("[1.01]\n"));
  EXPECT_EQ(kStoredNames, NamesInFile(content));
}

TEST(TrainingSettings, EveryFieldReadsBackAfterSave) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  const TrainingSettings saved = Distinct();
  {
    IniSettingsStore store(path);
    std::string error;
    ASSERT_TRUE(SaveSettings(store, saved, &error)) << error;
  }
  IniSettingsStore store(path);
  TrainingSettings loaded;
  LoadSettings(store, loaded);
  ExpectSameSettings(saved, loaded);
}

TEST(TrainingSettings, CarriedValuesAndForeignLinesComeBackAsLoaded) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  const std::string original =
      "[1.01]\n"
      "Pass=\"  secret word \"\n"
      "Path=C:\\games\\qz\n"
      "NumberOfSessions=  17\n"
      "SoundOn=0\n"
      "Tool=added by another program\n"
      "[Other]\n"
      "x=1\n";
  WriteFile(path, original);
  IniSettingsStore store(path);
  TrainingSettings settings;
  LoadSettings(store, settings);
  EXPECT_EQ("  secret word ", settings.m_strPass);
  EXPECT_EQ("C:\\games\\qz", settings.m_strPath);
  EXPECT_EQ(17, settings.m_nNumberOfSessions);
  EXPECT_EQ(0, settings.m_nSoundOn);
  ASSERT_TRUE(SaveSettings(store, settings, nullptr));

  // Unchanged values keep their lines as written; the missing ones follow the last value.
  const std::string content = ReadFile(path);
  EXPECT_EQ(0u, content.find(original.substr(0, original.find("[Other]"))));
  EXPECT_NE(std::string::npos, content.find("SoundOn=0\nTool=added by another program\n"));
  EXPECT_NE(std::string::npos, content.find("[Other]\nx=1\n"));

  IniSettingsStore reloaded(path);
  TrainingSettings again;
  LoadSettings(reloaded, again);
  ExpectSameSettings(settings, again);
}

TEST(TrainingSettings, ValuesThatAreNotNumbersReadAsTheirDefaults) {
  TempFolder dir;
  const std::string path = dir.File("quizendo.ini");
  WriteFile(path,
            "[1.01]\nGameLevel=abc\nLoRight=99999999999\nBDateYear=\nDoAdd=0\nOldHiScore=-5\n"
            "CadetName=12\n");
  IniSettingsStore store(path);
  TrainingSettings settings;
  LoadSettings(store, settings);
  EXPECT_EQ(3, settings.m_nGameLevel);
  EXPECT_EQ(65535, settings.m_stats.m_nLoRight);
  EXPECT_EQ(1994, settings.m_nBDateYear);
  EXPECT_EQ(0, settings.m_nDoAdd);
  EXPECT_EQ(-5, settings.m_nOldHiScore);
  EXPECT_EQ("12", settings.m_strCadetName);
}

TEST(TrainingSettings, StoredGameLevelOutsideTheBeltsLoadsUnchanged) {
  for (const char* level : {"0", "9", "-1", "2147483647"}) {
    TempFolder dir;
    const std::string path = dir.File("quizendo.ini");
    WriteFile(path, std::string("[1.01]\nGameLevel=") + level + "\n");
    IniSettingsStore store(path);
    TrainingSettings settings;
    LoadSettings(store, settings);
    EXPECT_EQ(std::stoi(level), settings.m_nGameLevel);
  }
}

TEST(TrainingSettings, ResetBringsBackTheDefaults) {
  TrainingSettings settings = Distinct();
  settings.Reset();
  ExpectSameSettings(TrainingSettings(), settings);
}

}  // namespace
}  // namespace qz

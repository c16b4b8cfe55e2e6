#include "platform/registry_settings_store.h"

#include <map>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "profile/training_settings.h"

namespace qz {
namespace {

using Kind = RegistryKey::Value::Kind;

// A registry key in memory: values by "section\name", with faults to switch on.
class FakeRegistryKey : public RegistryKey {
 public:
  std::map<std::string, Value> values;
  std::string read_refusal;   // every read fails with it
  std::string write_refusal;  // every write fails with it
  int writes = 0;

  void Seed(const std::string& name, Value value) { values[Path("1.01", name)] = std::move(value); }
  const Value* Find(const std::string& name) const {
    const auto it = values.find(Path("1.01", name));
    return it == values.end() ? nullptr : &it->second;
  }

  ReadOutcome Read(std::string_view section, std::string_view name, Value* value,
                   std::string* error) override {
    if (!read_refusal.empty()) {
      *error = read_refusal;
      return ReadOutcome::kFailed;
    }
    const auto it = values.find(Path(section, name));
    if (it == values.end())
      return ReadOutcome::kMissing;
    *value = it->second;
    return ReadOutcome::kFound;
  }
  bool WriteText(std::string_view section, std::string_view name, std::string_view text,
                 std::string* error) override {
    return Write(section, name, {Kind::kText, std::string(text), 0}, error);
  }
  bool WriteNumber(std::string_view section, std::string_view name, std::uint32_t number,
                   std::string* error) override {
    return Write(section, name, {Kind::kNumber, {}, number}, error);
  }

 private:
  static std::string Path(std::string_view section, std::string_view name) {
    return std::string(section) + "\\" + std::string(name);
  }
  bool Write(std::string_view section, std::string_view name, Value value, std::string* error) {
    if (!write_refusal.empty()) {
      *error = write_refusal;
      return false;
    }
    ++writes;
    values[Path(section, name)] = std::move(value);
    return true;
  }
};

RegistryKey::Value Text(std::string text) {
  return {Kind::kText, std::move(text), 0};
}
RegistryKey::Value Number(std::uint32_t number) {
  return {Kind::kNumber, {}, number};
}

// A key preset before the first start, as a school's .reg file would: a name, a birth date, a
// best score and a statistic as they should be, an unknown value, and a belt of the wrong kind.
FakeRegistryKey PresetKey() {
  FakeRegistryKey key;
  key.Seed("CadetName", Text("Zoë Дима"));
  key.Seed("BDateYear", Number(2017));
  key.Seed("OldHiScore", Number(420));
  key.Seed("TtlRight", Number(77));
  key.Seed("SchoolClass", Text("3b"));
  key.Seed("GameLevel", Text("5"));
  return key;
}

TEST(RegistrySettingsTest, PresetValuesReadAsStoredAndAWrongKindAsItsDefault) {
  FakeRegistryKey key = PresetKey();
  RegistrySettingsStore store(key);
  TrainingSettings settings;
  LoadSettings(store, settings);
  EXPECT_EQ("Zoë Дима", settings.m_strCadetName);
  EXPECT_EQ(2017, settings.m_nBDateYear);
  EXPECT_EQ(420, settings.m_nOldHiScore);
  EXPECT_EQ(77, settings.m_stats.m_nTtlRight);
  EXPECT_EQ(3, settings.m_nGameLevel);  // the default: "5" is a text, not a number
  EXPECT_EQ(25, settings.m_nBDateDay);  // missing
  EXPECT_EQ("", store.LoadProblem());
  EXPECT_EQ(0, key.writes);  // reading writes nothing, the wrong kind included
}

TEST(RegistrySettingsTest, SaveWritesAllValuesWithTheirKindsAndLeavesUnknownOnesAlone) {
  FakeRegistryKey key = PresetKey();
  RegistrySettingsStore store(key);
  TrainingSettings settings;
  LoadSettings(store, settings);
  settings.m_nOldHiScore = 500;
  settings.m_nBDateMonth = -1;
  std::string error;
  ASSERT_TRUE(SaveSettings(store, settings, &error)) << error;

  int texts = 0;
  int numbers = 0;
  for (const SettingField& field : SettingFields()) {
    const RegistryKey::Value* value = key.Find(field.m_szName);
    ASSERT_NE(nullptr, value) << field.m_szName;
    EXPECT_EQ(field.IsText() ? Kind::kText : Kind::kNumber, value->m_kind) << field.m_szName;
    (field.IsText() ? texts : numbers)++;
  }
  EXPECT_EQ(3, texts);
  EXPECT_EQ(23, numbers);
  EXPECT_EQ(500u, key.Find("OldHiScore")->m_nNumber);
  EXPECT_EQ(0xFFFFFFFFu, key.Find("BDateMonth")->m_nNumber);
  EXPECT_EQ(3u, key.Find("GameLevel")->m_nNumber);  // now of the right kind
  EXPECT_EQ("Zoë Дима", key.Find("CadetName")->m_strText);
  EXPECT_EQ("3b", key.Find("SchoolClass")->m_strText);
  EXPECT_EQ(27u, key.values.size());

  // A negative number comes back as it went in.
  RegistrySettingsStore again(key);
  TrainingSettings reread;
  LoadSettings(again, reread);
  EXPECT_EQ(-1, reread.m_nBDateMonth);
}

TEST(RegistrySettingsTest, WritesAreKeptUntilSaveAndNamesIgnoreCase) {
  FakeRegistryKey key;
  RegistrySettingsStore store(key);
  store.WriteInt("1.01", "FullScreen", 1);
  store.WriteInt("1.01", "fullscreen", 0);
  EXPECT_EQ(0, store.GetInt("1.01", "FULLSCREEN", 7));
  EXPECT_EQ("x", store.GetString("1.01", "FullScreen", "x"));  // a number, not a text
  EXPECT_EQ(0, key.writes);
  std::string error;
  ASSERT_TRUE(store.Save(&error));
  EXPECT_EQ(1, key.writes);
  EXPECT_EQ(0u, key.Find("FullScreen")->m_nNumber);
}

TEST(RegistrySettingsTest, AKeyThatCannotBeReadIsNeverSavedOver) {
  FakeRegistryKey key = PresetKey();
  key.read_refusal =
      "cannot read HKEY_CURRENT_USER\\Software\\Zorvex\\quizendo\\1.01: Access denied";
  RegistrySettingsStore store(key);
  TrainingSettings settings;
  LoadSettings(store, settings);
  EXPECT_EQ(key.read_refusal, store.LoadProblem());
  std::string error;
  EXPECT_FALSE(SaveSettings(store, settings, &error));
  EXPECT_EQ(key.read_refusal, error);
  EXPECT_EQ(0, key.writes);
  EXPECT_EQ("Zoë Дима", key.Find("CadetName")->m_strText);
}

TEST(RegistrySettingsTest, AFailedWriteIsReported) {
  FakeRegistryKey key;
  key.write_refusal = "cannot write OldHiScore: Access denied";
  RegistrySettingsStore store(key);
  TrainingSettings settings;
  std::string error;
  EXPECT_FALSE(SaveSettings(store, settings, &error));
  EXPECT_EQ(key.write_refusal, error);
}

}  // namespace
}  // namespace qz

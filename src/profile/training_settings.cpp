#include "profile/training_settings.h"

#include <array>

#include "profile/cadet_name.h"

namespace qz {
namespace {

using T = TrainingSettings;

constexpr SettingField Text(const char* name, std::string T::*field) {
  return {name, field, nullptr, nullptr, "", 0};
}
constexpr SettingField Number(const char* name, int T::*field, int fallback) {
  return {name, nullptr, field, nullptr, nullptr, fallback};
}
// A statistic's first-run value is the one a fresh RecordStats holds.
constexpr SettingField Stat(const char* name, std::int32_t RecordStats::*field) {
  return {name, nullptr, nullptr, field, nullptr, RecordStats{}.*field};
}

// The names are those of the stored values; the order is the order of loading and saving.
constexpr std::array kFields = {
    Text("CadetName", &T::m_strCadetName),
    Text("Pass", &T::m_strPass),
    Text("Path", &T::m_strPath),
    Number("OldHiScore", &T::m_nOldHiScore, 0),
    Number("TimeSec", &T::m_nTimeSec, 0),
    Number("NumberOfSessions", &T::m_nNumberOfSessions, 0),
    Stat("HiWrong", &RecordStats::m_nHiWrong),
    Stat("HiRight", &RecordStats::m_nHiRight),
    Stat("LoWrong", &RecordStats::m_nLoWrong),
    Stat("LoRight", &RecordStats::m_nLoRight),
    Stat("CntRight", &RecordStats::m_nCntRight),
    Stat("CntWrong", &RecordStats::m_nCntWrong),
    Stat("TtlRight", &RecordStats::m_nTtlRight),
    Stat("TtlWrong", &RecordStats::m_nTtlWrong),
    Number("BDateDay", &T::m_nBDateDay, 25),
    Number("BDateMonth", &T::m_nBDateMonth, 11),
    Number("BDateYear", &T::m_nBDateYear, 1994),
    Number("GameLevel", &T::m_nGameLevel, 3),
    Number("CustomSettins", &T::m_nCustomSettins, 0),
    Number("AutoSelect", &T::m_nAutoSelect, 1),
    Number("DoAdd", &T::m_nDoAdd, 1),
    Number("DoSub", &T::m_nDoSub, 1),
    Number("DoMul", &T::m_nDoMul, 1),
    Number("DoDiv", &T::m_nDoDiv, 1),
    Number("NoNeg", &T::m_nNoNeg, 1),
    Number("SoundOn", &T::m_nSoundOn, 1),
};

}  // namespace

std::span<const SettingField> SettingFields() {
  return kFields;
}

void TrainingSettings::Reset() {
  for (const SettingField& field : kFields) {
    if (field.IsText()) {
      field.Text(*this) = field.m_szDefaultText;
    } else {
      field.Number(*this) = field.m_nDefaultNumber;
    }
  }
}

void LoadSettings(SettingsStore& store, TrainingSettings& settings) {
  for (const SettingField& field : kFields) {
    if (field.IsText()) {
      field.Text(settings) = store.GetString(kVersionText, field.m_szName, field.m_szDefaultText);
    } else {
      field.Number(settings) = store.GetInt(kVersionText, field.m_szName, field.m_nDefaultNumber);
    }
  }
  settings.m_strCadetName = CleanCadetName(settings.m_strCadetName);
}

bool SaveSettings(SettingsStore& store, const TrainingSettings& settings, std::string* error) {
  for (const SettingField& field : kFields) {
    if (field.IsText()) {
      store.WriteString(kVersionText, field.m_szName, field.Text(settings));
    } else {
      store.WriteInt(kVersionText, field.m_szName, field.Number(settings));
    }
  }
  return store.Save(error);
}

}  // namespace qz

#include "profile/training_settings.h"

#include <array>

#include "profile/cadet_name.h"

namespace qz {
namespace {

using T = TrainingSettings;

constexpr SettingField Text(const char* name, std::string T::*field) {
  return {name, field, nullptr, "", 0};
}
constexpr SettingField Number(const char* name, int T::*field, int fallback) {
  return {name, nullptr, field, nullptr, fallback};
}

// The names are those of the stored values; the order is the order of loading and saving.
constexpr std::array kFields = {
    Text("CadetName", &T::m_strCadetName),
    Text("Pass", &T::m_strPass),
    Text("Path", &T::m_strPath),
    Number("OldHiScore", &T::m_nOldHiScore, 0),
    Number("TimeSec", &T::m_nTimeSec, 0),
    Number("NumberOfSessions", &T::m_nNumberOfSessions, 0),
    Number("HiWrong", &T::m_nHiWrong, 0),
    Number("HiRight", &T::m_nHiRight, 0),
    Number("LoWrong", &T::m_nLoWrong, 65535),
    Number("LoRight", &T::m_nLoRight, 65535),
    Number("CntRight", &T::m_nCntRight, 0),
    Number("CntWrong", &T::m_nCntWrong, 0),
    Number("TtlRight", &T::m_nTtlRight, 0),
    Number("TtlWrong", &T::m_nTtlWrong, 0),
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
    if (field.m_pText != nullptr) {
      this->*field.m_pText = field.m_szDefaultText;
    } else {
      this->*field.m_pNumber = field.m_nDefaultNumber;
    }
  }
}

void LoadSettings(SettingsStore& store, TrainingSettings& settings) {
  for (const SettingField& field : kFields) {
    if (field.m_pText != nullptr) {
      settings.*field.m_pText =
          store.GetString(kVersionText, field.m_szName, field.m_szDefaultText);
    } else {
      settings.*field.m_pNumber =
          store.GetInt(kVersionText, field.m_szName, field.m_nDefaultNumber);
    }
  }
  settings.m_strCadetName = CleanCadetName(settings.m_strCadetName);
}

bool SaveSettings(SettingsStore& store, const TrainingSettings& settings, std::string* error) {
  for (const SettingField& field : kFields) {
    if (field.m_pText != nullptr) {
      store.WriteString(kVersionText, field.m_szName, settings.*field.m_pText);
    } else {
      store.WriteInt(kVersionText, field.m_szName, settings.*field.m_pNumber);
    }
  }
  return store.Save(error);
}

}  // namespace qz

#pragma once

#include <span>
#include <string>

#include "platform/settings_store.h"

namespace qz {

// The section every setting is stored under: the game's version text.
inline constexpr char kVersionText[] = "1.01";

// Everything the game keeps from one run to the next. The game owns one instance and passes it
// by reference; a default-constructed record holds the first-run defaults. Flags hold 0 or 1
// and are tested as zero or not zero.
struct TrainingSettings {
  TrainingSettings() { Reset(); }
  // Back to the first-run defaults.
  void Reset();

  std::string m_strCadetName;
  std::string m_strPass;  // carried through unchanged
  std::string m_strPath;  // carried through unchanged
  int m_nOldHiScore = 0;
  int m_nTimeSec = 0;
  int m_nNumberOfSessions = 0;  // carried through unchanged
  int m_nHiWrong = 0;
  int m_nHiRight = 0;
  int m_nLoWrong = 0;
  int m_nLoRight = 0;
  int m_nCntRight = 0;
  int m_nCntWrong = 0;
  int m_nTtlRight = 0;
  int m_nTtlWrong = 0;
  int m_nBDateDay = 0;
  int m_nBDateMonth = 0;  // 1 = January
  int m_nBDateYear = 0;
  int m_nGameLevel = 0;      // the belt, 1 to 8; other stored values are kept as they are
  int m_nCustomSettins = 0;  // the switches were set by hand: a belt sets only the limits
  int m_nAutoSelect = 0;     // the belt follows the cadet's age
  int m_nDoAdd = 0;
  int m_nDoSub = 0;
  int m_nDoMul = 0;
  int m_nDoDiv = 0;
  int m_nNoNeg = 0;
  int m_nSoundOn = 0;  // the main window's sound switch starts from it and stores its state in it
};

// One stored value of the record: its name in the store, its default and its field. Exactly one
// of m_pText and m_pNumber is set.
struct SettingField {
  const char* m_szName;
  std::string TrainingSettings::*m_pText;
  int TrainingSettings::*m_pNumber;
  const char* m_szDefaultText;
  int m_nDefaultNumber;
};

// Every stored value, in the order they are read.
std::span<const SettingField> SettingFields();

// Replaces every field by its stored value, or by its default when the store has none (or, for
// a number, none that reads as a 32-bit number). Nothing is validated or clamped.
void LoadSettings(SettingsStore& store, TrainingSettings& settings);

// Writes every field, changed or not, and saves the store. False, with the reason in *error,
// when the store could not be saved; the stored settings are then unchanged.
bool SaveSettings(SettingsStore& store, const TrainingSettings& settings, std::string* error);

}  // namespace qz

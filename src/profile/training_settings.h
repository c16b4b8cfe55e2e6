#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/settings_store.h"
#include "profile/record_stats.h"

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
  RecordStats m_stats;          // the figures of every match played, folded in at each match's end
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

// One stored value of the record: its name in the store, its default and where it is kept.
// Exactly one of m_pText, m_pNumber and m_pStat is set.
struct SettingField {
  const char* m_szName;
  std::string TrainingSettings::*m_pText;
  int TrainingSettings::*m_pNumber;
  std::int32_t RecordStats::*m_pStat;
  const char* m_szDefaultText;
  int m_nDefaultNumber;

  bool IsText() const { return m_pText != nullptr; }
  // The value in a record; Text for a text field, Number for any other.
  std::string& Text(TrainingSettings& settings) const { return settings.*m_pText; }
  const std::string& Text(const TrainingSettings& settings) const { return settings.*m_pText; }
  int& Number(TrainingSettings& settings) const {
    return m_pStat != nullptr ? settings.m_stats.*m_pStat : settings.*m_pNumber;
  }
  int Number(const TrainingSettings& settings) const {
    return m_pStat != nullptr ? settings.m_stats.*m_pStat : settings.*m_pNumber;
  }
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

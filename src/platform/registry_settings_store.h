#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace qz {

// One registry key of the system, with a subkey for each section, as the settings store uses
// it. Names and texts are UTF-8 here; the backend converts them for the system.
class RegistryKey {
 public:
  struct Value {
    enum class Kind { kText, kNumber, kOther };  // REG_SZ, REG_DWORD, anything else
    Kind m_kind = Kind::kOther;
    std::string m_strText;
    std::uint32_t m_nNumber = 0;
  };
  enum class ReadOutcome {
    kFound,
    kMissing,  // no such value, or no such key yet
    kFailed,   // the key or value is there but cannot be read; *error says why
  };

  virtual ~RegistryKey() = default;
  virtual ReadOutcome Read(std::string_view section, std::string_view name, Value* value,
                           std::string* error) = 0;
  // Creates the key and the section's subkey as needed. False with the reason in *error.
  virtual bool WriteText(std::string_view section, std::string_view name, std::string_view text,
                         std::string* error) = 0;
  virtual bool WriteNumber(std::string_view section, std::string_view name, std::uint32_t number,
                           std::string* error) = 0;
};

// The settings in the registry: texts as REG_SZ, numbers as REG_DWORD, each section a subkey.
//
// A value reads as it is stored; one of the wrong kind (a text where a number is asked for, a
// number where a text is, any other kind) reads as the fallback, and stays in the key as it
// was until Save writes the game's value over it. Values the game never writes are never
// touched. Writes are kept until Save, which stores them in the order they were made. When a
// value could not be read (the key refuses access), LoadProblem says why and Save refuses, so
// that the game does not save defaults over values it never saw. Value names compare without
// regard to ASCII case, as the registry's do.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(RegistryKey& key) : m_key(key) {}

  std::string GetString(std::string_view section, std::string_view name,
                        std::string_view fallback) override;
  int GetInt(std::string_view section, std::string_view name, int fallback) override;
  void WriteString(std::string_view section, std::string_view name,
                   std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view name, int value) override;
  bool Save(std::string* error) override;
  std::string LoadProblem() const override { return m_strLoadProblem; }

 private:
  struct Pending {
    std::string m_strSection;
    std::string m_strName;
    RegistryKey::Value m_value;
  };

  // The value written this run or else the stored one; kMissing covers an unreadable one.
  RegistryKey::ReadOutcome Look(std::string_view section, std::string_view name,
                                RegistryKey::Value* value);
  void Put(std::string_view section, std::string_view name, RegistryKey::Value value);

  RegistryKey& m_key;
  std::vector<Pending> m_pending;
  std::string m_strLoadProblem;
};

}  // namespace qz

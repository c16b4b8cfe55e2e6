#pragma once

#include <string>
#include <utility>

#include "platform/settings_store.h"

namespace qz {

// A store that must not be saved: it reads and takes writes through `inner`, and says why it
// must not be saved (`problem`) where the store itself found nothing wrong. The game reads
// LoadProblem before saving and leaves the record alone. `inner` must outlive it.
class RefusedSettingsStore : public SettingsStore {
 public:
  RefusedSettingsStore(SettingsStore& inner, std::string problem)
      : m_inner(inner), m_strProblem(std::move(problem)) {}

  std::string GetString(std::string_view section, std::string_view name,
                        std::string_view fallback) override {
    return m_inner.GetString(section, name, fallback);
  }
  int GetInt(std::string_view section, std::string_view name, int fallback) override {
    return m_inner.GetInt(section, name, fallback);
  }
  void WriteString(std::string_view section, std::string_view name,
                   std::string_view value) override {
    m_inner.WriteString(section, name, value);
  }
  void WriteInt(std::string_view section, std::string_view name, int value) override {
    m_inner.WriteInt(section, name, value);
  }
  bool Save(std::string* error) override {
    if (error != nullptr)
      *error = LoadProblem();
    return false;
  }
  std::string LoadProblem() const override {
    const std::string own = m_inner.LoadProblem();
    return own.empty() ? m_strProblem : own;
  }

 private:
  SettingsStore& m_inner;
  std::string m_strProblem;
};

}  // namespace qz

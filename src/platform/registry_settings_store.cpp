#include "platform/registry_settings_store.h"

#include <algorithm>
#include <utility>

namespace qz {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

RegistryKey::ReadOutcome RegistrySettingsStore::Look(std::string_view section,
                                                     std::string_view name,
                                                     RegistryKey::Value* value) {
  for (const Pending& pending : m_pending) {
    if (SameName(pending.m_strSection, section) && SameName(pending.m_strName, name)) {
      *value = pending.m_value;
      return RegistryKey::ReadOutcome::kFound;
    }
  }
  std::string error;
  const RegistryKey::ReadOutcome outcome = m_key.Read(section, name, value, &error);
  if (outcome == RegistryKey::ReadOutcome::kFailed) {
    if (m_strLoadProblem.empty())
      m_strLoadProblem = error;
    return RegistryKey::ReadOutcome::kMissing;
  }
  return outcome;
}

std::string RegistrySettingsStore::GetString(std::string_view section, std::string_view name,
                                             std::string_view fallback) {
  RegistryKey::Value value;
  if (Look(section, name, &value) == RegistryKey::ReadOutcome::kFound &&
      value.m_kind == RegistryKey::Value::Kind::kText) {
    return value.m_strText;
  }
  return std::string(fallback);
}

int RegistrySettingsStore::GetInt(std::string_view section, std::string_view name, int fallback) {
  RegistryKey::Value value;
  if (Look(section, name, &value) == RegistryKey::ReadOutcome::kFound &&
      value.m_kind == RegistryKey::Value::Kind::kNumber) {
    // A DWORD holds the int's bits: -1 is stored as 0xFFFFFFFF and reads back as -1.
    return static_cast<int>(value.m_nNumber);
  }
  return fallback;
}

void RegistrySettingsStore::Put(std::string_view section, std::string_view name,
                                RegistryKey::Value value) {
  for (Pending& pending : m_pending) {
    if (SameName(pending.m_strSection, section) && SameName(pending.m_strName, name)) {
      pending.m_value = std::move(value);
      return;
    }
  }
  m_pending.push_back({std::string(section), std::string(name), std::move(value)});
}

void RegistrySettingsStore::WriteString(std::string_view section, std::string_view name,
                                        std::string_view value) {
  Put(section, name, {RegistryKey::Value::Kind::kText, std::string(value), 0});
}

void RegistrySettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
  Put(section, name, {RegistryKey::Value::Kind::kNumber, {}, static_cast<std::uint32_t>(value)});
}

bool RegistrySettingsStore::Save(std::string* error) {
  if (!m_strLoadProblem.empty()) {
    *error = m_strLoadProblem;
    return false;
  }
  for (const Pending& pending : m_pending) {
    std::string why;
    const bool written = pending.m_value.m_kind == RegistryKey::Value::Kind::kText
                             ? m_key.WriteText(pending.m_strSection, pending.m_strName,
                                               pending.m_value.m_strText, &why)
                             : m_key.WriteNumber(pending.m_strSection, pending.m_strName,
                                                 pending.m_value.m_nNumber, &why);
    if (!written) {
      *error = why;
      return false;
    }
  }
  return true;
}

}  // namespace qz

#pragma once

#include <string>

#include "platform/registry_settings_store.h"

namespace qz {

// HKEY_CURRENT_USER\Software\Zorvex\<app name>, each section a subkey, through the registry's
// wide-character calls. A text longer than kMaxTextBytes is not read in: it fails the read as
// an oversized settings file does on Linux, so that the key is not saved over.
class Win32RegistryKey : public RegistryKey {
 public:
  static constexpr unsigned long kMaxTextBytes = 64 * 1024;

  explicit Win32RegistryKey(const std::string& app_name);

  // "HKEY_CURRENT_USER\Software\Zorvex\<app name>", as messages name it.
  static std::string DisplayPath(const std::string& app_name);

  ReadOutcome Read(std::string_view section, std::string_view name, Value* value,
                   std::string* error) override;
  bool WriteText(std::string_view section, std::string_view name, std::string_view text,
                 std::string* error) override;
  bool WriteNumber(std::string_view section, std::string_view name, std::uint32_t number,
                   std::string* error) override;

 private:
  bool Write(std::string_view section, std::string_view name, unsigned long kind, const void* data,
             unsigned long size, std::string* error);

  std::string m_strAppName;
};

}  // namespace qz

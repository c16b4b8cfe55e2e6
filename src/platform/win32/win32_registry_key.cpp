#include "platform/win32/win32_registry_key.h"

#include <windows.h>

#include <vector>

#include "platform/win32/win32_text.h"

namespace qz {
namespace {

constexpr char kCompanyKey[] = "Software\\Zorvex\\";

// Closes the key on every way out.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (m_key != nullptr)
      RegCloseKey(m_key);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* Out() { return &m_key; }
  HKEY Get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

}  // namespace

Win32RegistryKey::Win32RegistryKey(const std::string& app_name) : m_strAppName(app_name) {}

std::string Win32RegistryKey::DisplayPath(const std::string& app_name) {
  return std::string("HKEY_CURRENT_USER\\") + kCompanyKey + app_name;
}

RegistryKey::ReadOutcome Win32RegistryKey::Read(std::string_view section, std::string_view name,
                                                Value* value, std::string* error) {
  const std::string key_path = kCompanyKey + m_strAppName + "\\" + std::string(section);
  const std::string shown = DisplayPath(m_strAppName) + "\\" + std::string(section);
  OpenKey key;
  LSTATUS status =
      RegOpenKeyExW(HKEY_CURRENT_USER, WideText(key_path).c_str(), 0, KEY_QUERY_VALUE, key.Out());
  if (status == ERROR_FILE_NOT_FOUND)
    return ReadOutcome::kMissing;
  if (status != ERROR_SUCCESS) {
    *error = "cannot read " + shown + ": " + SystemErrorText(status);
    return ReadOutcome::kFailed;
  }
  const std::wstring wide_name = WideText(name);
  DWORD kind = 0;
  DWORD size = 0;
  status = RegQueryValueExW(key.Get(), wide_name.c_str(), nullptr, &kind, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND)
    return ReadOutcome::kMissing;
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
    *error = "cannot read " + shown + "\\" + std::string(name) + ": " + SystemErrorText(status);
    return ReadOutcome::kFailed;
  }
  *value = Value{};
  if (kind == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    status = RegQueryValueExW(key.Get(), wide_name.c_str(), nullptr, &kind,
                              reinterpret_cast<BYTE*>(&number), &size);
    if (status == ERROR_SUCCESS && kind == REG_DWORD) {
      value->m_kind = Value::Kind::kNumber;
      value->m_nNumber = number;
    }
  } else if (kind == REG_SZ && size > kMaxTextBytes) {
    // The game never writes such a text; it is kept as it is, and so is everything else.
    *error = shown + "\\" + std::string(name) + " is too large to keep whole (over 64 KB)";
    return ReadOutcome::kFailed;
  } else if (kind == REG_SZ) {
    // Room for a terminating null the stored text may lack.
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = RegQueryValueExW(key.Get(), wide_name.c_str(), nullptr, &kind,
                              reinterpret_cast<BYTE*>(text.data()), &got);
    if (status == ERROR_SUCCESS && kind == REG_SZ) {
      std::wstring_view read(text.data(), got / sizeof(wchar_t));
      // The text ends at its first null, as the system's own readers take it.
      read = read.substr(0, read.find(L'\0'));
      value->m_kind = Value::Kind::kText;
      value->m_strText = Utf8Text(read);
    }
  }
  return ReadOutcome::kFound;
}

bool Win32RegistryKey::Write(std::string_view section, std::string_view name, unsigned long kind,
                             const void* data, unsigned long size, std::string* error) {
  const std::string key_path = kCompanyKey + m_strAppName + "\\" + std::string(section);
  const std::string shown = DisplayPath(m_strAppName) + "\\" + std::string(section);
  OpenKey key;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CURRENT_USER, WideText(key_path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(), nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(key.Get(), WideText(name).c_str(), 0, kind,
                            static_cast<const BYTE*>(data), size);
  }
  if (status != ERROR_SUCCESS) {
    *error = "cannot write " + shown + "\\" + std::string(name) + ": " + SystemErrorText(status);
    return false;
  }
  return true;
}

bool Win32RegistryKey::WriteText(std::string_view section, std::string_view name,
                                 std::string_view text, std::string* error) {
  const std::wstring wide = WideText(text);
  // The size in bytes counts the terminating null.
  return Write(section, name, REG_SZ, wide.c_str(),
               static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)), error);
}

bool Win32RegistryKey::WriteNumber(std::string_view section, std::string_view name,
                                   std::uint32_t number, std::string* error) {
  const DWORD value = number;
  return Write(section, name, REG_DWORD, &value, sizeof value, error);
}

}  // namespace qz

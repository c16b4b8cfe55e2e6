#include "platform/win32/win32_instance_mutex.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace qz {

Win32InstanceMutex::~Win32InstanceMutex() {
  CloseHandle(m_hMutex);
}

std::unique_ptr<Win32InstanceMutex> Win32InstanceMutex::Acquire(const std::string& app_name,
                                                                Outcome* outcome,
                                                                std::string* error) {
  // A backslash is the only character a mutex name cannot hold.
  std::string name = "Local\\Zorvex." + app_name;
  for (std::size_t i = 6; i < name.size(); ++i) {
    if (name[i] == '\\')
      name[i] = '_';
  }
  HANDLE mutex = CreateMutexW(nullptr, TRUE, WideText(name).c_str());
  if (mutex == nullptr) {
    const DWORD code = GetLastError();
    *outcome = code == ERROR_ACCESS_DENIED ? Outcome::kHeldByAnother : Outcome::kUnavailable;
    *error = "cannot make the lock " + name + ": " + SystemErrorText(code);
    return nullptr;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    *outcome = Outcome::kHeldByAnother;
    return nullptr;
  }
  *outcome = Outcome::kAcquired;
  return std::unique_ptr<Win32InstanceMutex>(new Win32InstanceMutex(mutex));
}

}  // namespace qz

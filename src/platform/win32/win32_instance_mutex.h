#pragma once

#include <memory>
#include <string>

namespace qz {

// One running copy of the game per user: a named mutex in the session's namespace, held for
// the whole run and released by the system however the process ends.
class Win32InstanceMutex {
 public:
  enum class Outcome { kAcquired, kHeldByAnother, kUnavailable };

  ~Win32InstanceMutex();
  Win32InstanceMutex(const Win32InstanceMutex&) = delete;
  Win32InstanceMutex& operator=(const Win32InstanceMutex&) = delete;

  // The mutex of `app_name`, when this copy is the first; *outcome says what happened and
  // *error why it was not acquired.
  static std::unique_ptr<Win32InstanceMutex> Acquire(const std::string& app_name, Outcome* outcome,
                                                     std::string* error);

 private:
  explicit Win32InstanceMutex(void* handle) : m_hMutex(handle) {}
  void* m_hMutex;
};

}  // namespace qz

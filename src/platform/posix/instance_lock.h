#pragma once

#include <memory>
#include <string>

namespace qz {

// One running copy of the game per user: an exclusive lock (flock) on a small file next to the
// settings, held for the whole run and released by the kernel however the process ends. Two
// copies at once would each save over the other's settings and interleave their log records.
class InstanceLock {
 public:
  enum class Outcome {
    kAcquired,
    kHeldByAnother,  // another copy runs
    kUnavailable,    // no lock could be made (no folder, a read-only disk): play on without
  };

  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock on `path`, creating it and its folders as needed. The lock, when acquired;
  // *outcome says what happened, *error why it was not acquired.
  static std::unique_ptr<InstanceLock> Acquire(const std::string& path, Outcome* outcome,
                                               std::string* error);
  // The same on a file that exists already, opened for reading only (a link is followed), for
  // where no lock file can be made: a read-only folder or disk can still lock the files in it.
  static std::unique_ptr<InstanceLock> AcquireExisting(const std::string& path, Outcome* outcome,
                                                       std::string* error);

 private:
  explicit InstanceLock(int fd) : m_fd(fd) {}
  // Locks the open file `fd` (closed when no lock is had).
  static std::unique_ptr<InstanceLock> Lock(int fd, const std::string& path, Outcome* outcome,
                                            std::string* error);
  int m_fd;
};

}  // namespace qz

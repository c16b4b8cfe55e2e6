#include "platform/posix/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/atomic_file.h"

namespace qz {

InstanceLock::~InstanceLock() {
  // Closing the file releases the lock; the file stays for the next run.
  ::close(m_fd);
}

std::unique_ptr<InstanceLock> InstanceLock::Acquire(const std::string& path, Outcome* outcome,
                                                    std::string* error) {
  *outcome = Outcome::kUnavailable;
  const std::size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !CreateFolders(path.substr(0, slash), error))
    return nullptr;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) {
    *error = "cannot open " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return Lock(fd, path, outcome, error);
}

std::unique_ptr<InstanceLock> InstanceLock::AcquireExisting(const std::string& path,
                                                            Outcome* outcome, std::string* error) {
  *outcome = Outcome::kUnavailable;
  // Non-blocking: a fifo in the file's place must not hang the start.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    *error = "cannot open " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return Lock(fd, path, outcome, error);
}

std::unique_ptr<InstanceLock> InstanceLock::Lock(int fd, const std::string& path, Outcome* outcome,
                                                 std::string* error) {
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int err = errno;
    ::close(fd);
    *outcome = err == EWOULDBLOCK ? Outcome::kHeldByAnother : Outcome::kUnavailable;
    *error = "cannot lock " + path + ": " + std::strerror(err);
    return nullptr;
  }
  *outcome = Outcome::kAcquired;
  return std::unique_ptr<InstanceLock>(new InstanceLock(fd));
}

}  // namespace qz

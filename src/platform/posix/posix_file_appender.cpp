#include "platform/posix/posix_file_appender.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

namespace qz {
namespace {

// Two copies of the game, each playing for a cadet of its own, append to the one log. Each
// holds the lock only for the moment of one record, so a lock found taken is tried again for
// up to half a second before the file counts as held elsewhere.
constexpr int kLockTries = 250;
constexpr long kLockRetryNanoseconds = 2'000'000;

// 0, or the errno of the last try.
int LockExclusively(int fd) {
  for (int attempt = 1;; ++attempt) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
      return 0;
    const int error_number = errno;
    if (error_number != EWOULDBLOCK || attempt >= kLockTries)
      return error_number;
    const timespec pause{0, kLockRetryNanoseconds};
    ::nanosleep(&pause, nullptr);
  }
}

AppendResult OpenFailure(FileErrorCause cause, const std::filesystem::path& path) {
  return AppendResult{cause, true, path.string()};
}

// After the open, the message names the file by its full path.
std::string FullPath(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path.string() : full.lexically_normal().string();
}

}  // namespace

FileErrorCause FileErrorCauseOf(int error_number) {
  switch (error_number) {
    case 0:
      return FileErrorCause::kNone;
    case ENOENT:
      return FileErrorCause::kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FileErrorCause::kBadPath;
    case EMFILE:
    case ENFILE:
      return FileErrorCause::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:  // a folder where the file should be cannot be written to
    case ETXTBSY:
      return FileErrorCause::kAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // the file may grow no further: as good as a full disk for the record
      return FileErrorCause::kDiskFull;
    case EIO:
      return FileErrorCause::kHardIo;
    case EBADF:
      return FileErrorCause::kInvalidFile;
    case ESPIPE:
      return FileErrorCause::kBadSeek;
    default:
      return FileErrorCause::kGeneric;
  }
}

AppendResult PosixFileAppender::Append(const std::filesystem::path& path, std::string_view bytes,
                                       std::string_view lead_if_empty) {
  // O_NONBLOCK keeps a FIFO without a reader from hanging the game at the open; it is
  // cleared again before writing.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0)
    return OpenFailure(FileErrorCauseOf(errno), path);

  // Another holder of the lock fails the open the way a file opened exclusively elsewhere does.
  if (const int error_number = LockExclusively(fd); error_number != 0) {
    ::close(fd);
    return OpenFailure(error_number == EWOULDBLOCK ? FileErrorCause::kSharingViolation
                                                   : FileErrorCauseOf(error_number),
                       path);
  }

  int error_number = 0;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    error_number = errno;

  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  // With the lock held the end does not move under us: it is the size to come back to.
  const off_t old_size = error_number == 0 ? ::lseek(fd, 0, SEEK_END) : -1;
  FileErrorCause cause = FileErrorCause::kNone;
  if (error_number != 0) {
    cause = FileErrorCauseOf(error_number);
  } else if (old_size < 0) {
    cause = errno == ESPIPE ? FileErrorCause::kBadSeek : FileErrorCauseOf(errno);
  }

  // Only an ordinary file has a start to lead with; a device reads as empty at every write.
  std::string record;
  if (regular && old_size == 0 && !lead_if_empty.empty()) {
    record.reserve(lead_if_empty.size() + bytes.size());
    record.append(lead_if_empty).append(bytes);
    bytes = record;
  }

  std::size_t written = 0;
  while (cause == FileErrorCause::kNone && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      cause = FileErrorCauseOf(errno);
    } else if (n == 0) {
      cause = FileErrorCause::kDiskFull;  // a write that takes nothing: no room left
    } else {
      written += static_cast<std::size_t>(n);
    }
  }

  // A device or pipe that cannot be synchronised (EINVAL) has taken the bytes all the same.
  if (cause == FileErrorCause::kNone && ::fsync(fd) != 0 && errno != EINVAL) {
    cause = FileErrorCauseOf(errno);
  }

  if (cause != FileErrorCause::kNone && regular && old_size >= 0) {
    // Whole or not at all: drop any part of the record that reached the file.
    if (::ftruncate(fd, old_size) == 0)
      ::fsync(fd);
  }

  // The data is on disk by now; a close that still fails is reported, nothing is cut.
  if (::close(fd) != 0 && cause == FileErrorCause::kNone && errno != EINTR) {
    cause = FileErrorCauseOf(errno);
  }
  if (cause == FileErrorCause::kNone)
    return AppendResult{};
  return AppendResult{cause, false, FullPath(path)};
}

}  // namespace qz

#include "platform/win32/win32_file_appender.h"

#include <windows.h>

#include <system_error>

#include "platform/win32/win32_text.h"

namespace qz {
namespace {

AppendResult OpenFailure(FileErrorCause cause, const std::filesystem::path& path) {
  return AppendResult{cause, true, PathText(path)};
}

// After the open, the message names the file by its full path.
std::string FullPath(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? PathText(path) : PathText(full.lexically_normal());
}

}  // namespace

FileErrorCause FileErrorCauseOfWin32(unsigned long code) {
  switch (code) {
    case ERROR_SUCCESS:
      return FileErrorCause::kNone;
    case ERROR_FILE_NOT_FOUND:
      return FileErrorCause::kFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return FileErrorCause::kBadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return FileErrorCause::kTooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FileErrorCause::kAccessDenied;
    case ERROR_INVALID_HANDLE:
      return FileErrorCause::kInvalidFile;
    case ERROR_SHARING_VIOLATION:
      return FileErrorCause::kSharingViolation;
    case ERROR_LOCK_VIOLATION:
      return FileErrorCause::kLockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileErrorCause::kDiskFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK:
      return FileErrorCause::kBadSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
      return FileErrorCause::kHardIo;
    case ERROR_HANDLE_EOF:
      return FileErrorCause::kEndOfFile;
    default:
      return FileErrorCause::kGeneric;
  }
}

AppendResult Win32FileAppender::Append(const std::filesystem::path& path, std::string_view bytes,
                                       std::string_view lead_if_empty) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return OpenFailure(FileErrorCauseOfWin32(GetLastError()), path);

  OVERLAPPED whole{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                  &whole)) {
    const DWORD code = GetLastError();
    CloseHandle(file);
    // Another holder of the lock fails the open the way a file opened exclusively elsewhere does.
    return OpenFailure(code == ERROR_LOCK_VIOLATION ? FileErrorCause::kSharingViolation
                                                    : FileErrorCauseOfWin32(code),
                       path);
  }

  const bool regular = GetFileType(file) == FILE_TYPE_DISK;
  // With the lock held the end does not move under us: it is the size to come back to.
  LARGE_INTEGER old_size{};
  FileErrorCause cause = FileErrorCause::kNone;
  if (!SetFilePointerEx(file, LARGE_INTEGER{}, &old_size, FILE_END))
    cause = FileErrorCauseOfWin32(GetLastError());

  // Only an ordinary file has a start to lead with.
  std::string record;
  if (cause == FileErrorCause::kNone && regular && old_size.QuadPart == 0 &&
      !lead_if_empty.empty()) {
    record.reserve(lead_if_empty.size() + bytes.size());
    record.append(lead_if_empty).append(bytes);
    bytes = record;
  }

  std::size_t written = 0;
  while (cause == FileErrorCause::kNone && written < bytes.size()) {
    constexpr std::size_t kPiece = 1 << 20;
    const auto piece = static_cast<DWORD>(std::min(kPiece, bytes.size() - written));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + written, piece, &n, nullptr)) {
      cause = FileErrorCauseOfWin32(GetLastError());
    } else if (n == 0) {
      cause = FileErrorCause::kDiskFull;  // a write that takes nothing: no room left
    } else {
      written += n;
    }
  }
  if (cause == FileErrorCause::kNone && regular && !FlushFileBuffers(file))
    cause = FileErrorCauseOfWin32(GetLastError());

  if (cause != FileErrorCause::kNone && regular) {
    // Whole or not at all: drop any part of the record that reached the file.
    if (SetFilePointerEx(file, old_size, nullptr, FILE_BEGIN) && SetEndOfFile(file))
      FlushFileBuffers(file);
  }
  UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  if (!CloseHandle(file) && cause == FileErrorCause::kNone)
    cause = FileErrorCauseOfWin32(GetLastError());
  if (cause == FileErrorCause::kNone)
    return AppendResult{};
  return AppendResult{cause, false, FullPath(path)};
}

}  // namespace qz

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qz {

// Why a file operation failed, in the classes the game's error texts know.
enum class FileErrorCause {
  kNone,
  kGeneric,
  kFileNotFound,
  kBadPath,
  kTooManyOpenFiles,
  kAccessDenied,
  kInvalidFile,
  kRemoveCurrentDir,
  kDirectoryFull,
  kBadSeek,
  kHardIo,
  kSharingViolation,
  kLockViolation,
  kDiskFull,
  kEndOfFile,
};

struct AppendResult {
  FileErrorCause cause = FileErrorCause::kNone;
  bool failed_at_open = false;  // false: opened, then a write, flush or close failed
  std::string path;             // the name to report: as opened, or the full path after open
};

// Appends whole records to a file: open (create if missing), exclusive lock, seek to the end,
// one write, flush, close. A record is in the file whole or not at all.
class FileAppender {
 public:
  virtual ~FileAppender() = default;
  virtual AppendResult Append(const std::filesystem::path& path, std::string_view bytes) = 0;
};

}  // namespace qz

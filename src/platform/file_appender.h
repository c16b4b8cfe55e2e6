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
  // When the file is empty (made just now, or emptied since the last record), `lead_if_empty`
  // goes in before `bytes`, in the same record: a file deleted under a writer starts again
  // with what its readers need first.
  virtual AppendResult Append(const std::filesystem::path& path, std::string_view bytes,
                              std::string_view lead_if_empty) = 0;
  AppendResult Append(const std::filesystem::path& path, std::string_view bytes) {
    return Append(path, bytes, {});
  }
};

}  // namespace qz

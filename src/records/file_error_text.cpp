#include "records/file_error_text.h"

#include <utility>

namespace qz {
namespace {

constexpr std::pair<FileErrorCause, const char*> kTexts[] = {
    {FileErrorCause::kNone, "No error occurred."},
    {FileErrorCause::kGeneric, "An unknown error occurred while accessing %1."},
    {FileErrorCause::kFileNotFound, "%1 was not found."},
    {FileErrorCause::kBadPath, "%1 contains an invalid path."},
    {FileErrorCause::kTooManyOpenFiles,
     "%1 could not be opened because there are too many open files."},
    {FileErrorCause::kAccessDenied, "Access to %1 was denied."},
    {FileErrorCause::kInvalidFile, "An invalid file handle was associated with %1."},
    {FileErrorCause::kRemoveCurrentDir,
     "%1 could not be removed because it is the current directory."},
    {FileErrorCause::kDirectoryFull, "%1 could not be created because the directory is full."},
    {FileErrorCause::kBadSeek, "Seek failed on %1"},
    {FileErrorCause::kHardIo, "A hardware I/O error was reported while accessing %1."},
    {FileErrorCause::kSharingViolation, "A sharing violation occurred while accessing %1."},
    {FileErrorCause::kLockViolation, "A locking violation occurred while accessing %1."},
    {FileErrorCause::kDiskFull, "Disk full while accessing %1."},
    {FileErrorCause::kEndOfFile, "An attempt was made to access %1 past its end."},
};

}  // namespace

std::string FileErrorText(FileErrorCause cause, std::string_view name) {
  std::string text = kTexts[1].second;  // an unknown cause reads as the generic one
  for (const auto& [c, t] : kTexts) {
    if (c == cause)
      text = t;
  }
  const auto at = text.find("%1");
  if (at != std::string::npos)
    text.replace(at, 2, name);
  return text;
}

}  // namespace qz

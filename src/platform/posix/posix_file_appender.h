#pragma once

#include "platform/file_appender.h"

namespace qz {

// The log writer on a POSIX file system. The exclusive lock is a non-blocking flock taken
// right after the open, tried again for at most half a second (another copy of the game, for
// another cadet, may be writing a record): a file locked longer by another process fails like
// a file another program holds open. When a step after the open fails, the file is cut back to
// its size before the record, so the record is in it whole or not at all.
class PosixFileAppender : public FileAppender {
 public:
  using FileAppender::Append;
  AppendResult Append(const std::filesystem::path& path, std::string_view bytes,
                      std::string_view lead_if_empty) override;
};

// The cause a POSIX error number is reported as (a lock held elsewhere is told apart by the
// appender itself: EWOULDBLOCK means that only when the lock is taken).
FileErrorCause FileErrorCauseOf(int error_number);

}  // namespace qz

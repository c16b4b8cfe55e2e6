#pragma once

#include "platform/file_appender.h"

namespace qz {

// The log writer through Windows' wide-character file calls. The file is opened for writing
// with others allowed to read it; the exclusive lock is a non-blocking LockFileEx on the whole
// file, so a file another process is writing fails like a file held open elsewhere, without
// waiting. When a step after the open fails, the file is cut back to its size before the
// record, so the record is in it whole or not at all.
class Win32FileAppender : public FileAppender {
 public:
  using FileAppender::Append;
  AppendResult Append(const std::filesystem::path& path, std::string_view bytes,
                      std::string_view lead_if_empty) override;
};

// The cause a Windows error code is reported as.
FileErrorCause FileErrorCauseOfWin32(unsigned long code);

}  // namespace qz

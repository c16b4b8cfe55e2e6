#pragma once

#include <string>
#include <string_view>

#include "platform/file_appender.h"

namespace qz {

// The player-facing text of a file error, with `name` in place of the "%1" of the text.
std::string FileErrorText(FileErrorCause cause, std::string_view name);

}  // namespace qz

#include "platform/win32/executable_path.h"

#include <windows.h>

#include <string>

namespace qz {

std::optional<std::filesystem::path> ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  // A longer path than the buffer is cut to fit: try again with more room, up to the longest
  // path the system has.
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return std::nullopt;
    if (length < buffer.size())
      return std::filesystem::path(buffer.substr(0, length));
    if (buffer.size() >= 32768)
      return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace qz

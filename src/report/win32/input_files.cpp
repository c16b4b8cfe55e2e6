#include "report/input_files.h"

#include <windows.h>

#include <system_error>

#include "platform/win32/win32_text.h"

namespace qz {

InputCheck CheckInput(const std::string& path) {
  InputCheck check;
  // Backup semantics: a folder opens too, and is then told apart.
  HANDLE file = CreateFileW(LogPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    check.m_bMissing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    check.m_strProblem = SystemErrorText(code);
    return check;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) {
    if (GetFileType(file) != FILE_TYPE_DISK)
      check.m_strProblem = "it is not a regular file";
    else
      check.m_strProblem = SystemErrorText(GetLastError());
  } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    check.m_strProblem = "it is a folder";
  } else if (GetFileType(file) != FILE_TYPE_DISK) {
    check.m_strProblem = "it is not a regular file";
  }
  CloseHandle(file);
  return check;
}

bool SameFile(const std::string& x, const std::string& y) {
  std::error_code ec;
  // Compares the volumes and file indexes of two files that exist.
  if (std::filesystem::equivalent(LogPath(x), LogPath(y), ec) && !ec)
    return true;
  if (!ec)
    return false;
  std::error_code ex;
  std::error_code ey;
  const auto cx = std::filesystem::weakly_canonical(LogPath(x), ex);
  const auto cy = std::filesystem::weakly_canonical(LogPath(y), ey);
  return !ex && !ey && cx == cy;
}

}  // namespace qz

// The report's outputs on Windows: a temporary file beside the output, moved over it by Commit
// (MoveFileExW replaces the old file in one step); a device (NUL, CON) is written straight
// through.
#include "report/staged_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/win32/win32_text.h"
#include "report/input_files.h"

namespace qz {
namespace {

std::string Why(DWORD code) {
  return SystemErrorText(code);
}

// Hands the handle to the C library as a descriptor for DescriptorBuffer; -1 (the handle
// closed) when that fails.
int DescriptorOf(HANDLE file) {
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
  if (fd < 0)
    CloseHandle(file);
  return fd;
}

}  // namespace

StagedFile::~StagedFile() {
  if (m_nFd >= 0)
    _close(m_nFd);
  if (!m_strTemp.empty())
    DeleteFileW(LogPath(m_strTemp).c_str());
}

bool StagedFile::Fail(std::string* error, const std::string& what, int err) {
  *error = what + " " + m_strPath + ": " + std::strerror(err);
  return false;
}

bool StagedFile::Open(const std::string& path, std::string* error) {
  m_strPath = path;
  const std::filesystem::path wide = LogPath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    *error = "cannot write " + path + ": it is a folder";
    return false;
  }
  HANDLE existing = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (existing != INVALID_HANDLE_VALUE && GetFileType(existing) != FILE_TYPE_DISK) {
    m_nFd = DescriptorOf(existing);
    if (m_nFd < 0)
      return Fail(error, "cannot write", errno);
    m_buffer.Attach(m_nFd);
    return true;
  }
  if (existing != INVALID_HANDLE_VALUE)
    CloseHandle(existing);

  m_strTarget = path;
  const std::filesystem::path folder =
      wide.has_parent_path() ? wide.parent_path() : std::filesystem::path(L".");
  // A name no other run is using: the process and a counter, made with CREATE_NEW.
  HANDLE temp = INVALID_HANDLE_VALUE;
  std::filesystem::path temp_path;
  for (unsigned attempt = 0; attempt < 100 && temp == INVALID_HANDLE_VALUE; ++attempt) {
    temp_path = folder / (L".quizendo-report-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(attempt) + L".tmp");
    temp = CreateFileW(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (temp == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
      *error = "cannot write " + path + ": " + Why(GetLastError());
      return false;
    }
  }
  if (temp == INVALID_HANDLE_VALUE) {
    *error = "cannot write " + path + ": " + Why(ERROR_FILE_EXISTS);
    return false;
  }
  m_strTemp = PathText(temp_path);
  m_nFd = DescriptorOf(temp);
  if (m_nFd < 0)
    return Fail(error, "cannot write", errno);
  m_buffer.Attach(m_nFd);
  return true;
}

bool StagedFile::Commit(std::string* error) {
  m_out.flush();
  if (!m_out || !m_buffer.Flush())
    return Fail(error, "cannot write", m_buffer.Error() != 0 ? m_buffer.Error() : EIO);
  const int fd = m_nFd;
  m_nFd = -1;
  // Only a file on disk is flushed to it; a device has taken the bytes already.
  if (!m_strTemp.empty() && _commit(fd) != 0) {
    const int err = errno;
    _close(fd);
    return Fail(error, "cannot write", err);
  }
  if (_close(fd) != 0)
    return Fail(error, "cannot write", errno);
  if (m_strTemp.empty())
    return true;
  if (!MoveFileExW(LogPath(m_strTemp).c_str(), LogPath(m_strTarget).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *error = "cannot write " + m_strPath + ": " + Why(GetLastError());
    return false;
  }
  m_strTemp.clear();
  return true;
}

}  // namespace qz

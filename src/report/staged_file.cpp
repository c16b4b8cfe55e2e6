#include "report/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/atomic_file.h"

namespace qz {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a plain create would have given the file: 0666 less the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

StagedFile::~StagedFile() {
  if (m_nFd >= 0)
    ::close(m_nFd);
  if (!m_strTemp.empty())
    ::unlink(m_strTemp.c_str());
}

bool StagedFile::Fail(std::string* error, const std::string& what, int err) {
  *error = what + " " + m_strPath + ": " + std::strerror(err);
  return false;
}

bool StagedFile::Open(const std::string& path, std::string* error) {
  m_strPath = path;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      *error = "cannot write " + path + ": it is a folder";
      return false;
    }
    if (!S_ISREG(st.st_mode)) {
      // Opened by its path, so that the system follows whatever links lead there (those of
      // /dev/stdout too). A pipe waits here for its reader, as for any program writing to it.
      m_nFd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
      if (m_nFd < 0)
        return Fail(error, "cannot write", errno);
      m_buffer.Attach(m_nFd);
      return true;
    }
  } else if (errno != ENOENT) {
    return Fail(error, "cannot write", errno);
  }

  m_strTarget = FollowLinks(path);
  std::string temp = FolderOf(m_strTarget) + "/.quizendo-report-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0)
    return Fail(error, "cannot write", errno);
  m_strTemp = temp;
  m_nFd = fd;
  m_buffer.Attach(m_nFd);
  // The new file takes the mode and owner of the one it replaces (a page written by root over
  // a parent's page stays the parent's), else those a plain create would give.
  struct stat old {};
  if (::stat(m_strTarget.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
  } else {
    ::fchmod(fd, NewFileMode());
  }
  return true;
}

bool StagedFile::Commit(std::string* error) {
  m_out.flush();
  if (!m_out || !m_buffer.Flush())
    return Fail(error, "cannot write", m_buffer.Error() != 0 ? m_buffer.Error() : EIO);
  const int fd = m_nFd;
  m_nFd = -1;
  if (::close(fd) != 0)
    return Fail(error, "cannot write", errno);
  if (m_strTemp.empty())
    return true;
  if (::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
    return Fail(error, "cannot write", errno);
  m_strTemp.clear();
  return true;
}

}  // namespace qz

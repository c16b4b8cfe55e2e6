#include "report/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qz {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a plain create would have given the file: 0666 less the process's umask, or the
// mode of the file being replaced.
mode_t ModeFor(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
    return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

StagedFile::~StagedFile() {
  if (m_strTemp.empty())
    return;
  m_out.close();
  ::unlink(m_strTemp.c_str());
}

bool StagedFile::Open(const std::string& path, std::string* error) {
  m_strPath = path;
  std::string temp = FolderOf(path) + "/.quizendo-report-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  ::fchmod(fd, ModeFor(path));
  ::close(fd);
  m_strTemp = temp;
  m_out.open(m_strTemp, std::ios::binary | std::ios::trunc);
  if (!m_out) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool StagedFile::Commit(std::string* error) {
  m_out.close();
  if (!m_out) {
    *error = "writing " + m_strPath + " failed";
    return false;
  }
  if (::rename(m_strTemp.c_str(), m_strPath.c_str()) != 0) {
    *error = "cannot write " + m_strPath + ": " + std::strerror(errno);
    return false;
  }
  m_strTemp.clear();
  return true;
}

}  // namespace qz

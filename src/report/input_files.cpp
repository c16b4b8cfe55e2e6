#include "report/input_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace qz {

InputCheck CheckInput(const std::string& path) {
  InputCheck check;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    check.m_bMissing = errno == ENOENT;
    check.m_strProblem = std::strerror(errno);
    return check;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    check.m_strProblem = std::strerror(errno);
  } else if (S_ISDIR(st.st_mode)) {
    check.m_strProblem = "it is a folder";
  } else if (!S_ISREG(st.st_mode)) {
    check.m_strProblem = "it is not a regular file";
  }
  ::close(fd);
  return check;
}

bool SameFile(const std::string& x, const std::string& y) {
  struct stat sx {};
  struct stat sy {};
  if (::stat(x.c_str(), &sx) == 0 && ::stat(y.c_str(), &sy) == 0)
    return sx.st_dev == sy.st_dev && sx.st_ino == sy.st_ino;
  std::error_code ex;
  std::error_code ey;
  const auto cx = std::filesystem::weakly_canonical(x, ex);
  const auto cy = std::filesystem::weakly_canonical(y, ey);
  return !ex && !ey && cx == cy;
}

}  // namespace qz

#include "platform/posix/posix_record_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/posix/atomic_file.h"
#include "platform/posix/ini_settings_store.h"

namespace qz {
namespace {

bool Fail(std::string* error, const std::string& what, int err) {
  if (error != nullptr)
    *error = what + ": " + std::strerror(err);
  return false;
}

}  // namespace

std::vector<std::string> PosixRecordFolder::List() {
  std::vector<std::string> names;
  DIR* dir = ::opendir(m_strFolder.c_str());
  if (dir == nullptr)
    return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool PosixRecordFolder::Exists(const std::string& name) {
  struct stat st {};
  return ::stat(PathOf(name).c_str(), &st) == 0;
}

std::unique_ptr<SettingsStore> PosixRecordFolder::OpenSettings(const std::string& name) {
  return std::make_unique<IniSettingsStore>(PathOf(name));
}

bool PosixRecordFolder::CreateNew(const std::string& name, std::string* error) {
  if (!CreateFolders(m_strFolder, error))
    return false;
  const std::string path = PathOf(name);
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0600);
  if (fd < 0)
    return Fail(error, "cannot make " + path, errno);
  ::close(fd);
  return true;
}

bool PosixRecordFolder::RenameNoReplace(const std::string& from, const std::string& to,
                                        std::string* error) {
  const std::string from_path = PathOf(from);
  const std::string to_path = PathOf(to);
#if defined(__linux__) && defined(RENAME_NOREPLACE) && !defined(__EMSCRIPTEN__)
  if (::renameat2(AT_FDCWD, from_path.c_str(), AT_FDCWD, to_path.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS)
    return Fail(error, "cannot rename " + from_path + " to " + to_path, errno);
#endif
#ifdef __EMSCRIPTEN__
  // The browser's file system has no links. It belongs to one run of the game at a time (the
  // page's tabs take turns), so nothing can take the new name between the look and the rename.
  struct stat st {};
  if (::lstat(to_path.c_str(), &st) == 0)
    return Fail(error, "cannot rename " + from_path + " to " + to_path, EEXIST);
  if (::rename(from_path.c_str(), to_path.c_str()) != 0)
    return Fail(error, "cannot rename " + from_path + " to " + to_path, errno);
  return true;
#endif
  // A file system that cannot rename without replacing: a second name, then the first one
  // goes; a link fails when the new name is taken.
  if (::link(from_path.c_str(), to_path.c_str()) != 0)
    return Fail(error, "cannot rename " + from_path + " to " + to_path, errno);
  if (::unlink(from_path.c_str()) != 0) {
    const int err = errno;
    ::unlink(to_path.c_str());
    return Fail(error, "cannot rename " + from_path + " to " + to_path, err);
  }
  return true;
}

}  // namespace qz

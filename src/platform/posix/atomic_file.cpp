#include "platform/posix/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qz {
namespace {

bool Fail(std::string* error, const char* what, const std::string& path, int err) {
  if (error != nullptr)
    *error = std::string(what) + " " + path + ": " + std::strerror(err);
  return false;
}

constexpr char kTemporarySuffix[] = "XXXXXX";

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Makes the rename itself durable. Some file systems cannot flush a folder; the new file is in
// place either way, so this is best effort.
void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

// "<folder>/.<name>.XXXXXX": hidden, in the same folder, so the rename stays on one disk.
std::string TemporaryPattern(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return ParentOf(path) + "/." + name + "." + kTemporarySuffix;
}

}  // namespace

std::string FollowLinks(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
    return path;
  if (char* target = ::realpath(path.c_str(), nullptr)) {
    std::string resolved = target;
    std::free(target);
    return resolved;
  }
  // A link to a file not made yet: the link's end is where it is to be made.
  constexpr int kMaxLinks = 40;  // as many as the kernel follows
  std::string current = path;
  for (int link = 0; link < kMaxLinks; ++link) {
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
      return current;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
      return current;
    target.resize(static_cast<std::size_t>(length));
    current = target.starts_with('/') ? target : ParentOf(current) + "/" + target;
  }
  return current;  // a loop of links: still a link, which no caller replaces
}

bool CreateFolders(const std::string& folder, std::string* error) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode))
      return true;
    return Fail(error, "cannot create folder", folder, ENOTDIR);
  }
  if (errno != ENOENT)
    return Fail(error, "cannot create folder", folder, errno);
  const std::string parent = ParentOf(folder);
  if (parent != folder && !CreateFolders(parent, error))
    return false;
  if (::mkdir(folder.c_str(), 0700) == 0)
    return true;
  // Another process may have created it meanwhile.
  const int err = errno;
  if (err == EEXIST && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return true;
  return Fail(error, "cannot create folder", folder, err);
}

bool ReplaceFileAtomically(const std::string& requested_path, std::string_view content,
                           std::string* error) {
  const std::string path = FollowLinks(requested_path);
  // Only a regular file is replaced: renaming over a device, a fifo or a folder (perhaps
  // reached through a link) would destroy what is there, not save settings.
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (!replacing && errno != ENOENT)
    return Fail(error, "cannot replace", requested_path, errno);
  if (replacing && !S_ISREG(old.st_mode)) {
    if (error != nullptr)
      *error = "will not replace " + requested_path + ": it is not a regular file";
    return false;
  }
  const std::string folder = ParentOf(path);
  if (!CreateFolders(folder, error))
    return false;

  std::string temp = TemporaryPattern(path);
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0)
    return Fail(error, "cannot create a temporary file in", folder, errno);

  if (replacing) {
    // The file stays its owner's: saved by root (or through sudo), a player's file would
    // otherwise become root's and unreadable to the player. Failing is harmless for anyone
    // who is not root, whose files are theirs anyway.
    [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
  }
  const char* step = nullptr;
  int err = 0;
  if (!WriteAll(fd, content)) {
    step = "cannot write";
  } else if (::fsync(fd) != 0) {
    step = "cannot flush";
  }
  if (step != nullptr)
    err = errno;
  if (::close(fd) != 0 && step == nullptr) {
    step = "cannot close";
    err = errno;
  }
  if (step == nullptr && ::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    return Fail(error, "cannot replace", path, err);
  }
  if (step != nullptr) {
    ::unlink(temp.c_str());
    return Fail(error, step, temp, err);
  }
  FlushFolder(folder);
  return true;
}

int RemoveLeftoverTemporaryFiles(const std::string& requested_path) {
  const std::string pattern = TemporaryPattern(FollowLinks(requested_path));
  const std::size_t slash = pattern.find_last_of('/');
  const std::string folder = pattern.substr(0, slash);
  const std::string prefix =
      pattern.substr(slash + 1, pattern.size() - slash - 1 - (sizeof kTemporarySuffix - 1));
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr)
    return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + sizeof kTemporarySuffix - 1 || !name.starts_with(prefix))
      continue;
    const std::string full = folder + "/" + name;
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
      ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace qz

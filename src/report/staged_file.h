#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace qz {

// Buffered writes to a file descriptor that keep the first error: an ofstream loses the cause
// of a failed write, and the user is to be told it ("No space left on device").
class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer();
  void Attach(int fd) { m_nFd = fd; }
  // Writes what is buffered; false once any write has failed.
  bool Flush();
  int Error() const { return m_nError; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override { return Flush() ? 0 : -1; }

 private:
  int m_nFd = -1;
  int m_nError = 0;
  std::vector<char> m_vBuffer;
};

// An output of the report, kept whole until Commit is called. An ordinary file (or a new one)
// is written beside its place and renamed there only by Commit, so that until then, and
// whatever fails, a file already at the path stays whole. A symbolic link stays a link: the
// file at its end is the one replaced (or made). A device, a pipe or any other output that is
// not an ordinary file is written straight through: renaming a file over it would destroy it
// (a device node replaced by a file), so nothing is ever renamed over anything but an ordinary
// file. An uncommitted temporary file is removed when the object goes.
class StagedFile {
 public:
  StagedFile() : m_out(&m_buffer) {}
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Opens the temporary file beside the path's file, or the output itself when it is not an
  // ordinary file; false with the reason in *error (a folder is refused).
  bool Open(const std::string& path, std::string* error);
  std::ostream& Stream() { return m_out; }
  // Writes out the content and, for an ordinary file, renames it over the path's file; false
  // with the reason in *error, in which case an ordinary file at the path is unchanged.
  bool Commit(std::string* error);

 private:
  bool Fail(std::string* error, const std::string& what, int err);

  std::string m_strPath;    // as given, for messages
  std::string m_strTarget;  // the file replaced: the path, or its link's end
  std::string m_strTemp;    // empty when written straight through
  int m_nFd = -1;
  DescriptorBuffer m_buffer;
  std::ostream m_out;
};

}  // namespace qz

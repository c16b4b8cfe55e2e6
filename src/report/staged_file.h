#pragma once

#include <fstream>
#include <string>

namespace qz {

// An output file written beside its final place and moved there only when Commit is called:
// until then, and whatever fails, a file already at the path stays whole. An uncommitted
// temporary file is removed when the object goes.
class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Creates the temporary file in the folder of `path`; false with the reason in *error.
  bool Open(const std::string& path, std::string* error);
  std::ostream& Stream() { return m_out; }
  // Flushes the content and renames it over `path`; false with the reason in *error, in
  // which case the file at `path` is unchanged.
  bool Commit(std::string* error);

 private:
  std::string m_strPath;
  std::string m_strTemp;
  std::ofstream m_out;
};

}  // namespace qz

#pragma once

#include <filesystem>
#include <string>

namespace qz {

// How a log given on the command line can be read.
struct InputCheck {
  bool m_bMissing = false;
  std::string m_strProblem;  // why it cannot be read; empty when it can
};

// Only regular files are taken: a folder reads as an empty log and a pipe cannot be read twice.
// Opening does not block (a FIFO with no writer would hang the tool).
InputCheck CheckInput(const std::string& path);

// Whether two paths name the same file: the same file on its disk, or, for a file not there
// yet, the same place once links and dots are resolved.
bool SameFile(const std::string& x, const std::string& y);

// A path given in UTF-8 (as the command line arrives on every system) as the library opens it.
inline std::filesystem::path LogPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace qz

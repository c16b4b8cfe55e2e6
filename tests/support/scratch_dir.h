#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qz::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes);

 private:
  std::filesystem::path m_path;
};

}  // namespace qz::test

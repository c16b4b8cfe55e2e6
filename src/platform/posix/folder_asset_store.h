#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qz {

// Raised when an asset is missing or unreadable; the message names the file.
class AssetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The files under assets/: pictures by name ("163", "ENTERU"), other files by file name
// ("144.wav", "102.dlg"). Loads each file once and keeps it for the run.
class AssetStore {
 public:
  explicit AssetStore(std::filesystem::path dir);

  // assets/ next to the executable (build tree), then ../share/quizendo (installed).
  static std::optional<std::filesystem::path> Locate(const std::filesystem::path& exe_dir);

  const std::filesystem::path& Dir() const { return dir_; }
  // Throws AssetError.
  const Bitmap& GetBitmap(const std::string& name);
  const std::vector<std::uint8_t>& GetBytes(const std::string& file_name);
  bool Exists(const std::string& file_name) const;

 private:
  std::filesystem::path dir_;
  std::map<std::string, Bitmap> bitmaps_;
  std::map<std::string, std::vector<std::uint8_t>> files_;
};

}  // namespace qz

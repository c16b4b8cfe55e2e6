#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/asset_store.h"

namespace qz {

// The asset files in one folder. Loads each file once and keeps it for the run.
class FolderAssetStore : public AssetStore {
 public:
  explicit FolderAssetStore(std::filesystem::path dir);

  // assets/ next to the executable (build tree), then ../share/quizendo (installed).
  static std::optional<std::filesystem::path> Locate(const std::filesystem::path& exe_dir);

  const Bitmap& GetBitmap(const std::string& name) override;
  const std::vector<std::uint8_t>& GetBytes(const std::string& file_name) override;
  bool Exists(const std::string& file_name) const override;

 private:
  std::filesystem::path dir_;
  std::map<std::string, Bitmap> bitmaps_;
  std::map<std::string, std::vector<std::uint8_t>> files_;
};

}  // namespace qz

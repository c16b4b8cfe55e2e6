#include "platform/posix/folder_asset_store.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace qz {
namespace {

constexpr const char* kBitmapExtension = ".bmp";

bool IsDirectory(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_directory(p, ec);
}

std::filesystem::path FullPath(const std::filesystem::path& p) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(p, ec);
  return ec ? p : full.lexically_normal();
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw AssetError("cannot open " + FullPath(path).string());
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad())
    throw AssetError("cannot read " + FullPath(path).string());
  return bytes;
}

}  // namespace

FolderAssetStore::FolderAssetStore(std::filesystem::path dir) : dir_(std::move(dir)) {}

std::optional<std::filesystem::path> FolderAssetStore::Locate(
    const std::filesystem::path& exe_dir) {
  for (const std::filesystem::path& candidate :
       {exe_dir / "assets", exe_dir / ".." / "share" / "quizendo",
        std::filesystem::path(QZ_DATA_DIR)}) {
    if (IsDirectory(candidate))
      return FullPath(candidate);
  }
  return std::nullopt;
}

const Bitmap& FolderAssetStore::GetBitmap(const std::string& name) {
  auto found = bitmaps_.find(name);
  if (found != bitmaps_.end())
    return found->second;
  const std::filesystem::path path = dir_ / (name + kBitmapExtension);
  std::string why;
  std::optional<Bitmap> bitmap = Bitmap::Decode(ReadWholeFile(path), &why);
  if (!bitmap)
    throw AssetError(FullPath(path).string() + ": " + why);
  return bitmaps_.emplace(name, std::move(*bitmap)).first->second;
}

const std::vector<std::uint8_t>& FolderAssetStore::GetBytes(const std::string& file_name) {
  auto found = files_.find(file_name);
  if (found != files_.end())
    return found->second;
  return files_.emplace(file_name, ReadWholeFile(dir_ / file_name)).first->second;
}

bool FolderAssetStore::Exists(const std::string& file_name) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir_ / file_name, ec);
}

}  // namespace qz

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qz {

// Raised when an asset or a font is missing or unreadable; the message names the file.
class AssetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game's files: pictures by name ("163", "ENTERU"), other files by file name ("144.wav",
// "102.dlg"). Where they are kept is the backend's business. What it returns stays valid for
// the store's lifetime.
class AssetStore {
 public:
  virtual ~AssetStore() = default;
  // Throw AssetError.
  virtual const Bitmap& GetBitmap(const std::string& name) = 0;
  virtual const std::vector<std::uint8_t>& GetBytes(const std::string& file_name) = 0;
  virtual bool Exists(const std::string& file_name) const = 0;
};

}  // namespace qz

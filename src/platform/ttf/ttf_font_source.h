#pragma once

#include <filesystem>
#include <memory>

#include "platform/font.h"

namespace qz {

// The game's faces drawn with SDL2_ttf from the DejaVu files in one folder: the desktop's font
// folder, the browser's packaged files, or the one a test names.
class TtfFontSource : public FontSource {
 public:
  // Throws AssetError, naming the file, when a face's file cannot be opened as a font: a game
  // without its text cannot be played, so this is found at start-up, not at the first text.
  explicit TtfFontSource(std::filesystem::path folder);

  std::unique_ptr<Font> Open(FontFace face, int logical_height, int scale) override;

 private:
  std::filesystem::path FilePath(FontFace face) const;

  std::filesystem::path m_folder;
};

}  // namespace qz

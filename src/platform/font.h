#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qz {

// The faces of the game: the big problem digits, the plain sans of the displays, and a
// narrower sans for the score figures that fill their boxes edge to edge.
enum class FontFace { kCondensedBold, kSans, kSansCondensed };

// A line of text rasterised at output resolution: one coverage byte (0..255) per pixel.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};

class Font {
 public:
  virtual ~Font() = default;
  // Height of a line in output pixels.
  virtual int LineHeight() const = 0;
  virtual TextMask Render(std::string_view utf8) = 0;
  virtual int MeasureWidth(std::string_view utf8) = 0;
};

// Opens the game's faces. Which files they come from, and where those are, is the backend's
// business: the game names only the face and the size.
class FontSource {
 public:
  virtual ~FontSource() = default;
  // Opens `face` with a cell height of `logical_height` canvas pixels, rendered for a canvas of
  // integer `scale`. Returns nothing for a size that cannot be drawn. Throws AssetError, naming
  // the file, when the face's file cannot be read.
  virtual std::unique_ptr<Font> Open(FontFace face, int logical_height, int scale) = 0;
};

}  // namespace qz

#include "ui/text_ellipsis.h"

#include "ui/utf8_text.h"

namespace qz {
namespace {

std::string CutWithEllipsis(const std::u32string& chars, size_t keep) {
  while (keep > 0 && (chars[keep - 1] == U' ' || chars[keep - 1] == U'\t'))
    --keep;
  return EncodeUtf8(std::u32string_view(chars).substr(0, keep)) + kEllipsis;
}

}  // namespace

std::string EllipsizeToWidth(Font& font, std::string_view text, int width) {
  if (font.MeasureWidth(text) <= width)
    return std::string(text);
  const std::u32string chars = DecodeUtf8(text);
  // The longest start that fits with the ellipsis after it; a longer start is never narrower.
  size_t fits = 0;
  size_t too_long = chars.size();
  while (too_long - fits > 1) {
    const size_t middle = fits + (too_long - fits) / 2;
    if (font.MeasureWidth(CutWithEllipsis(chars, middle)) <= width)
      fits = middle;
    else
      too_long = middle;
  }
  return CutWithEllipsis(chars, fits);
}

}  // namespace qz

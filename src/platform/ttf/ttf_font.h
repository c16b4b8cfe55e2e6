#pragma once

#include <SDL_ttf.h>

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/font.h"

namespace qz {

// One of the game's faces at one size, drawn with SDL2_ttf. A character the face lacks (a
// name in another script) is drawn with a system font that has it (FindSystemFontFor), at the
// same size and on the same baseline; when no font has it, the face draws its missing-glyph
// box, as it would alone.
class TtfFont : public Font {
 public:
  // Owns `font`, which is set to `point_size`; `bold` asks for bold stand-in faces.
  TtfFont(TTF_Font* font, int point_size, bool bold);
  ~TtfFont() override;
  TtfFont(const TtfFont&) = delete;
  TtfFont& operator=(const TtfFont&) = delete;

  int LineHeight() const override;
  TextMask Render(std::string_view utf8) override;
  int MeasureWidth(std::string_view utf8) override;

 private:
  // A stretch of text drawn with one font.
  struct Run {
    TTF_Font* m_pFont;
    std::string m_strText;
  };

  TextMask RenderUncached(std::string_view utf8);
  int MeasureUncached(std::string_view utf8);
  // The text cut where the font that draws it changes; one run in the game's face for text
  // the face holds whole.
  std::vector<Run> SplitByFont(std::string_view utf8);
  // The font that draws `code_point`: the face itself, or a stand-in that has it.
  TTF_Font* FontFor(char32_t code_point);

  TTF_Font* m_pFont;
  int m_nPointSize;
  bool m_bBold;
  // Stand-in faces opened so far, by file and index; null for one that would not open.
  std::map<std::string, TTF_Font*> m_standIns;
  std::unordered_map<std::string, TextMask> m_rendered;
  std::unordered_map<std::string, int> m_widths;
};

}  // namespace qz

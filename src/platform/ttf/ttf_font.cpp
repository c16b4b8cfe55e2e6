#include "platform/ttf/ttf_font.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "platform/ttf/system_font_finder.h"

namespace qz {
namespace {

// The displays repaint the same few texts many times a second (every frame of the score count
// repaints the whole window), so rendered lines are kept for reuse.
constexpr size_t kCacheEntries = 256;
constexpr char32_t kReplacement = 0xFFFD;

// The length in bytes of the UTF-8 sequence at `at`, and its code point; a malformed byte is one
// byte long and reads as U+FFFD.
size_t NextCodePoint(std::string_view text, size_t at, char32_t* code_point) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    length = 1;
    value = lead;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4;
    value = lead & 0x07;
  }
  if (length == 0 || length > text.size() - at) {
    *code_point = kReplacement;
    return 1;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      *code_point = kReplacement;
      return 1;
    }
    value = (value << 6) | (next & 0x3F);
  }
  *code_point = value;
  return length;
}

// The coverage of `text` drawn with `font`, one byte per pixel; nothing drawn for an empty text
// or a failed rendering.
TextMask RenderCoverage(TTF_Font* font, const std::string& text) {
  TextMask mask;
  mask.height = TTF_FontHeight(font);
  if (text.empty())
    return mask;
  SDL_Color white{255, 255, 255, 255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), white);
  if (rendered == nullptr)
    return mask;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (argb == nullptr)
    return mask;
  mask.width = argb->w;
  mask.height = argb->h;
  mask.coverage.resize(static_cast<size_t>(argb->w) * argb->h);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(
        static_cast<const std::uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch);
    for (int x = 0; x < argb->w; ++x)
      mask.coverage[static_cast<size_t>(y) * argb->w + x] = static_cast<std::uint8_t>(row[x] >> 24);
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return mask;
}

int TextWidth(TTF_Font* font, const std::string& text) {
  int w = 0;
  int h = 0;
  if (text.empty() || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0)
    return 0;
  return w;
}

}  // namespace

TtfFont::TtfFont(TTF_Font* font, int point_size, bool bold)
    : m_pFont(font), m_nPointSize(point_size), m_bBold(bold) {}

TtfFont::~TtfFont() {
  for (auto& [file, font] : m_standIns) {
    if (font != nullptr)
      TTF_CloseFont(font);
  }
  TTF_CloseFont(m_pFont);
}

int TtfFont::LineHeight() const {
  return TTF_FontHeight(m_pFont);
}

TextMask TtfFont::Render(std::string_view utf8) {
  const std::string key(utf8);
  auto found = m_rendered.find(key);
  if (found != m_rendered.end())
    return found->second;
  if (m_rendered.size() >= kCacheEntries)
    m_rendered.clear();
  return m_rendered.emplace(key, RenderUncached(utf8)).first->second;
}

int TtfFont::MeasureWidth(std::string_view utf8) {
  const std::string key(utf8);
  auto found = m_widths.find(key);
  if (found != m_widths.end())
    return found->second;
  if (m_widths.size() >= kCacheEntries)
    m_widths.clear();
  return m_widths.emplace(key, MeasureUncached(utf8)).first->second;
}

TTF_Font* TtfFont::FontFor(char32_t code_point) {
  if (code_point == kReplacement || TTF_GlyphIsProvided32(m_pFont, code_point) != 0)
    return m_pFont;
  const std::optional<SystemFontFile> file = FindSystemFontFor(code_point, m_bBold);
  if (!file)
    return m_pFont;
  const std::string key = file->m_strPath + "#" + std::to_string(file->m_nIndex);
  auto at = m_standIns.find(key);
  if (at == m_standIns.end()) {
    // A stand-in that cannot be opened (no descriptors left, a broken file) is not tried again
    // at this size: the face's box is drawn instead.
    TTF_Font* opened = TTF_OpenFontIndex(file->m_strPath.c_str(), m_nPointSize, file->m_nIndex);
    at = m_standIns.emplace(key, opened).first;
  }
  if (at->second == nullptr || TTF_GlyphIsProvided32(at->second, code_point) == 0)
    return m_pFont;
  return at->second;
}

std::vector<TtfFont::Run> TtfFont::SplitByFont(std::string_view utf8) {
  std::vector<Run> runs;
  size_t at = 0;
  while (at < utf8.size()) {
    char32_t code_point = 0;
    const size_t length = NextCodePoint(utf8, at, &code_point);
    TTF_Font* font = FontFor(code_point);
    if (runs.empty() || runs.back().m_pFont != font)
      runs.push_back(Run{font, std::string()});
    runs.back().m_strText.append(utf8.substr(at, length));
    at += length;
  }
  return runs;
}

TextMask TtfFont::RenderUncached(std::string_view utf8) {
  const std::vector<Run> runs = SplitByFont(utf8);
  if (runs.empty())
    return RenderCoverage(m_pFont, std::string());
  if (runs.size() == 1 && runs.front().m_pFont == m_pFont)
    return RenderCoverage(m_pFont, runs.front().m_strText);
  // Each run is drawn on its own and set beside the last, its baseline on the face's.
  std::vector<TextMask> parts;
  TextMask mask;
  mask.height = LineHeight();
  for (const Run& run : runs) {
    parts.push_back(RenderCoverage(run.m_pFont, run.m_strText));
    mask.width += parts.back().width;
  }
  mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0);
  const int ascent = TTF_FontAscent(m_pFont);
  int left = 0;
  for (size_t i = 0; i < runs.size(); ++i) {
    const TextMask& part = parts[i];
    const int top = ascent - TTF_FontAscent(runs[i].m_pFont);
    for (int y = std::max(0, -top); y < part.height && top + y < mask.height; ++y) {
      const std::uint8_t* from = &part.coverage[static_cast<size_t>(y) * part.width];
      std::uint8_t* to = &mask.coverage[static_cast<size_t>(top + y) * mask.width + left];
      std::copy(from, from + part.width, to);
    }
    left += part.width;
  }
  return mask;
}

int TtfFont::MeasureUncached(std::string_view utf8) {
  int width = 0;
  for (const Run& run : SplitByFont(utf8))
    width += TextWidth(run.m_pFont, run.m_strText);
  return width;
}

}  // namespace qz

#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <mutex>
#include <string>
#include <system_error>
#include <unordered_map>

#include "platform/asset_store.h"
#include "platform/ttf/ttf_font_source.h"

namespace qz {
namespace {

constexpr const char* kCondensedBoldFile = "DejaVuSansCondensed-Bold.ttf";
constexpr const char* kSansFile = "DejaVuSans.ttf";
constexpr const char* kSansCondensedFile = "DejaVuSansCondensed.ttf";
constexpr FontFace kAllFaces[] = {FontFace::kCondensedBold, FontFace::kSans,
                                  FontFace::kSansCondensed};
// Any size does to see that a file is a font.
constexpr int kProbeSize = 12;

bool InitTtfOnce() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] { ok = TTF_Init() == 0; });
  return ok;
}

class TtfFont : public Font {
 public:
  explicit TtfFont(TTF_Font* font) : m_pFont(font) {}
  ~TtfFont() override { TTF_CloseFont(m_pFont); }
  TtfFont(const TtfFont&) = delete;
  TtfFont& operator=(const TtfFont&) = delete;

  int LineHeight() const override { return TTF_FontHeight(m_pFont); }

  // The displays repaint the same few texts many times a second (every frame of the score
  // count repaints the whole window), so rendered lines are kept for reuse.
  TextMask Render(std::string_view utf8) override {
    const std::string key(utf8);
    auto found = m_rendered.find(key);
    if (found != m_rendered.end())
      return found->second;
    if (m_rendered.size() >= kCacheEntries)
      m_rendered.clear();
    return m_rendered.emplace(key, RenderUncached(utf8)).first->second;
  }

  int MeasureWidth(std::string_view utf8) override {
    const std::string key(utf8);
    auto found = m_widths.find(key);
    if (found != m_widths.end())
      return found->second;
    if (m_widths.size() >= kCacheEntries)
      m_widths.clear();
    return m_widths.emplace(key, MeasureUncached(utf8)).first->second;
  }

 private:
  static constexpr size_t kCacheEntries = 256;

  TextMask RenderUncached(std::string_view utf8) {
    TextMask mask;
    mask.height = LineHeight();
    if (utf8.empty())
      return mask;
    const std::string text(utf8);
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(m_pFont, text.c_str(), white);
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
      for (int x = 0; x < argb->w; ++x) {
        mask.coverage[static_cast<size_t>(y) * argb->w + x] =
            static_cast<std::uint8_t>(row[x] >> 24);
      }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return mask;
  }

  int MeasureUncached(std::string_view utf8) {
    if (utf8.empty())
      return 0;
    const std::string text(utf8);
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(m_pFont, text.c_str(), &w, &h) != 0)
      return 0;
    return w;
  }

  TTF_Font* m_pFont;
  std::unordered_map<std::string, TextMask> m_rendered;
  std::unordered_map<std::string, int> m_widths;
};

}  // namespace

TtfFontSource::TtfFontSource(std::filesystem::path folder) : m_folder(std::move(folder)) {
  if (!InitTtfOnce())
    throw AssetError(std::string("cannot start the font library: ") + TTF_GetError());
  for (FontFace face : kAllFaces) {
    const std::filesystem::path path = FilePath(face);
    TTF_Font* font = TTF_OpenFont(path.c_str(), kProbeSize);
    if (font == nullptr)
      throw AssetError("cannot open the font " + path.string() + ": " + TTF_GetError());
    TTF_CloseFont(font);
  }
}

std::filesystem::path TtfFontSource::FilePath(FontFace face) const {
  const char* file = face == FontFace::kCondensedBold   ? kCondensedBoldFile
                     : face == FontFace::kSansCondensed ? kSansCondensedFile
                                                        : kSansFile;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(m_folder / file, ec);
  return ec ? m_folder / file : full.lexically_normal();
}

std::unique_ptr<Font> TtfFontSource::Open(FontFace face, int logical_height, int scale) {
  if (logical_height <= 0 || scale <= 0)
    return nullptr;
  const std::filesystem::path path = FilePath(face);
  const int target = logical_height * scale;
  TTF_Font* font = TTF_OpenFont(path.c_str(), target);
  if (font == nullptr)
    throw AssetError("cannot open the font " + path.string() + ": " + TTF_GetError());
  // A face's line is taller than its point size; scale the size so the line fills the cell.
  const int measured = TTF_FontHeight(font);
  if (measured > 0 && measured != target) {
    const int size = std::max(1, static_cast<int>(std::lround(1.0 * target * target / measured)));
    TTF_SetFontSize(font, size);
  }
  return std::make_unique<TtfFont>(font);
}

}  // namespace qz

#include <SDL.h>
#include <SDL_ttf.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>

#include "platform/asset_store.h"
#include "platform/ttf/ttf_font.h"
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

// Why `path` did not open as a font. SDL names only the file when it cannot open it; the
// system's own reason (no such file, no permission, too many open files) comes from opening it
// again, and the font library's when the file opens but is not a font.
std::string WhyNotOpened(const std::filesystem::path& path) {
  const std::string library_error = TTF_GetError();
  errno = 0;
#ifdef _WIN32
  std::FILE* probe = _wfopen(path.c_str(), L"rb");
#else
  std::FILE* probe = std::fopen(path.c_str(), "rb");
#endif
  if (probe == nullptr)
    return errno != 0 ? std::strerror(errno) : library_error;
  std::fclose(probe);
  return library_error;
}

// SDL takes file names in UTF-8 on every system (on Windows it converts them for the
// wide-character calls).
std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TTF_Font* OpenOrThrow(const std::filesystem::path& path, int size) {
  TTF_Font* font = TTF_OpenFont(Utf8Path(path).c_str(), size);
  if (font == nullptr)
    throw AssetError("cannot open the font " + Utf8Path(path) + ": " + WhyNotOpened(path));
  return font;
}

}  // namespace

TtfFontSource::TtfFontSource(std::filesystem::path folder) : m_folder(std::move(folder)) {
  if (!InitTtfOnce())
    throw AssetError(std::string("cannot start the font library: ") + TTF_GetError());
  for (FontFace face : kAllFaces)
    TTF_CloseFont(OpenOrThrow(FilePath(face), kProbeSize));
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
  const int target = logical_height * scale;
  TTF_Font* font = OpenOrThrow(FilePath(face), target);
  // A face's line is taller than its point size; scale the size so the line fills the cell.
  int size = target;
  const int measured = TTF_FontHeight(font);
  if (measured > 0 && measured != target) {
    size = std::max(1, static_cast<int>(std::lround(1.0 * target * target / measured)));
    TTF_SetFontSize(font, size);
  }
  return std::make_unique<TtfFont>(font, size, face == FontFace::kCondensedBold);
}

}  // namespace qz

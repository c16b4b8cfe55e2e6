#include "platform/ttf/system_font_finder.h"

#ifdef QZ_SYSTEM_FONTS
#include <fontconfig/fontconfig.h>

#include <map>
#include <utility>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>

#include <set>

// clang-format off
EM_JS(void, qz_web_glyph_missing, (int code_point), {
  if (Module.qzGlyphMissing)
    Module.qzGlyphMissing(code_point);
});
// clang-format on
#endif

namespace qz {

#ifdef QZ_SYSTEM_FONTS

namespace {

// The first font in fontconfig's order of preference for a sans-serif face of that weight
// that really holds the character: a match alone may be the closest font that lacks it.
std::optional<SystemFontFile> LookUp(char32_t code_point, bool bold) {
  if (FcInit() == FcFalse)
    return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* wanted = FcCharSetCreate();
  if (pattern == nullptr || wanted == nullptr) {
    if (pattern != nullptr)
      FcPatternDestroy(pattern);
    if (wanted != nullptr)
      FcCharSetDestroy(wanted);
    return std::nullopt;
  }
  FcCharSetAddChar(wanted, code_point);
  FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  std::optional<SystemFontFile> found;
  for (int i = 0; sorted != nullptr && i < sorted->nfont && !found; ++i) {
    FcPattern* font = sorted->fonts[i];
    FcCharSet* has = nullptr;
    FcBool scalable = FcFalse;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &has) != FcResultMatch ||
        FcCharSetHasChar(has, code_point) == FcFalse)
      continue;
    if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable == FcFalse)
      continue;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
      continue;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch)
      index = 0;
    found = SystemFontFile{reinterpret_cast<const char*>(file), index};
  }
  if (sorted != nullptr)
    FcFontSetDestroy(sorted);
  FcPatternDestroy(pattern);
  FcCharSetDestroy(wanted);
  return found;
}

}  // namespace

std::optional<SystemFontFile> FindSystemFontFor(char32_t code_point, bool bold) {
  static std::map<std::pair<char32_t, bool>, std::optional<SystemFontFile>> known;
  const std::pair<char32_t, bool> key{code_point, bold};
  auto at = known.find(key);
  if (at == known.end())
    at = known.emplace(key, LookUp(code_point, bold)).first;
  return at->second;
}

#elif defined(__EMSCRIPTEN__)

// The browser has no system fonts to ask. The page is told once per character instead, so that
// it can tell the parents that the name holds something the game draws as a box.
std::optional<SystemFontFile> FindSystemFontFor(char32_t code_point, bool) {
  static std::set<char32_t> told;
  if (told.insert(code_point).second)
    qz_web_glyph_missing(static_cast<int>(code_point));
  return std::nullopt;
}

#else

std::optional<SystemFontFile> FindSystemFontFor(char32_t, bool) {
  return std::nullopt;
}

#endif

}  // namespace qz

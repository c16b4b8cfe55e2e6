#include "platform/win32/win32_text.h"

#include <windows.h>

#include "platform/utf16_text.h"

namespace qz {

// wchar_t is UTF-16 on Windows, so the two string kinds share their units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring WideText(std::string_view utf8) {
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Utf8Text(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string PathText(const std::filesystem::path& path) {
  return Utf8Text(path.native());
}

std::string SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
  if (buffer != nullptr)
    LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.'))
    text.pop_back();
  if (text.empty())
    return "error " + std::to_string(code);
  return Utf8Text(text);
}

}  // namespace qz

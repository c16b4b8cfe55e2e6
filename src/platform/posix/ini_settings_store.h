#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace qz {

// The settings store kept in an INI file: "[section]" lines followed by "name=value" lines.
//
// The file is read once, at construction. A missing file reads as empty. A file that is there
// but cannot be read (no permission, a folder or a device in its place, a read error) reads as
// empty too, and Save refuses to write over it: LoadProblem says why. An oversized file is read
// as far as the limits go (an overlong line is skipped, the lines after it still count) and is
// not saved over either, since the part left unread would be lost. A line that cannot be
// understood is kept as it is. Section and value names compare without regard to ASCII case.
// When a name appears twice in a section, the last one counts, and a write replaces that one.
//
// Save rewrites the whole file atomically (see ReplaceFileAtomically). Lines the game does not
// know - other names, other sections, comments (';' or '#' first), anything unreadable that fit
// the line limit - are written back as they were, in their place; values never written keep
// their original spelling. New names go after the last value of their section, new sections at
// the end. Lines are written with "\n" ends ("\r\n" is read too; a line whose own text ends in
// '\r' is written with "\r\n", so that it reads back whole).
//
// Value text: blanks around a value are not part of it unless the value is in double quotes;
// everything after the first '=' belongs to the value, ';' and '=' included (there are no
// comments at the end of a line); a backslash escapes what a line cannot hold: \\ \n \r \t \xHH.
// Every text written therefore reads back byte for byte.
class IniSettingsStore : public SettingsStore {
 public:
  // Reading stops at these limits and saving refuses to pass them, so a hostile file cannot
  // take much memory and whatever is saved reads back.
  static constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;
  static constexpr std::size_t kMaxLines = std::size_t{64} << 10;
  static constexpr std::size_t kMaxLineBytes = std::size_t{64} << 10;

  explicit IniSettingsStore(std::string path);

  // "$XDG_CONFIG_HOME/Zorvex/<app_name>.ini"; "$HOME/.config/Zorvex/<app_name>.ini" when
  // XDG_CONFIG_HOME is unset, empty or not absolute.
  static std::string DefaultPath(std::string_view app_name);

  const std::string& Path() const { return m_strPath; }

  std::string GetString(std::string_view section, std::string_view name,
                        std::string_view fallback) override;
  // A 32-bit decimal number with an optional sign, blanks around it allowed; else `fallback`.
  int GetInt(std::string_view section, std::string_view name, int fallback) override;
  // A section or value name the format cannot hold (empty, blanks around it, control
  // characters, '=' or brackets, a comment mark first) is not stored and makes Save fail.
  void WriteString(std::string_view section, std::string_view name,
                   std::string_view value) override;
  void WriteInt(std::string_view section, std::string_view name, int value) override;
  bool Save(std::string* error) override;
  std::string LoadProblem() const override { return m_strLoadProblem; }

 private:
  struct Line {
    enum class Kind { kVerbatim, kSection, kValue };
    Kind m_kind = Kind::kVerbatim;
    std::string m_strText;   // the line as it is written, without its line end
    std::string m_strName;   // section or value name
    std::string m_strValue;  // decoded value
  };

  void Load();
  void ParseLine(std::string_view text);
  // The line holding the value that counts, if any.
  std::optional<std::size_t> Find(std::string_view section, std::string_view name) const;
  // Where a new value of `section` goes: after its last value; none when the section is new.
  std::optional<std::size_t> InsertionPoint(std::string_view section) const;

  std::string m_strPath;
  std::vector<Line> m_lines;
  std::string m_strWriteError;
  std::string m_strLoadProblem;
};

}  // namespace qz

// The settings file reader under arbitrary file content. Each input is written as the settings
// file, read the way the game reads it, saved the way the game saves it and read again.
//
// Checked besides the sanitizers: every number reads as the text it was stored as, or as its
// default when that text is not a 32-bit number; the game reads back after a save what it read
// before; every value the game does not know reads back unchanged, and every line it does not
// own is written back as it was, in its order; saving what was read back gives the same file
// again; any text survives the value encoding.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_value_text.h"
#include "platform/posix/ini_settings_store.h"
#include "profile/cadet_name.h"
#include "profile/training_settings.h"

namespace {

using qz::IniSettingsStore;
using qz::SettingField;
using qz::TrainingSettings;

// Larger inputs are only read: the line and size limits of the store would then decide
// what survives a save.
constexpr std::size_t kRoundTripBytes = 32 * 1024;
// Probing a value costs a pass over the file; a few dozen names show any loss.
constexpr std::size_t kMaxProbes = 64;

// A folder of its own for the settings file, in memory where there is one, since every save
// flushes to disk. Removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string base = "/dev/shm";
    if (::access(base.c_str(), W_OK | X_OK) != 0) {
      const char* tmp = std::getenv("TMPDIR");
      base = tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp";
    }
    std::string pattern = base + "/quizendo-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror(pattern.c_str());
      std::abort();
    }
    m_strPath = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_strPath, ignored);
  }
  std::string File(std::string_view name) const { return m_strPath + "/" + std::string(name); }

 private:
  std::string m_strPath;
};

void WriteWholeFile(const std::string& path, std::string_view content) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  QZ_FUZZ_CHECK(fd >= 0);
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR)
      continue;
    QZ_FUZZ_CHECK(n > 0);
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  QZ_FUZZ_CHECK(::close(fd) == 0);
}

std::string ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  QZ_FUZZ_CHECK(fd >= 0);
  std::string content;
  char piece[16 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, piece, sizeof piece);
    if (n < 0 && errno == EINTR)
      continue;
    QZ_FUZZ_CHECK(n >= 0);
    if (n == 0)
      break;
    content.append(piece, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return content;
}

// A reading of the format written from its description, independent of the store's code.

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  }
  return out;
}

// Lines end at '\n'; one '\r' before it belongs to the line end.
std::vector<std::string_view> SplitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

// How the format reads one line.
struct LineReading {
  bool value = false;  // a "name=value" line under a section header
  bool owned = false;  // ...one of the values the game reads and writes
  std::string section;
  std::string name;
};

bool IsOwnedName(std::string_view section, std::string_view name) {
  if (!SameName(section, qz::kVersionText))
    return false;
  for (const SettingField& field : qz::SettingFields()) {
    if (SameName(name, field.m_szName))
      return true;
  }
  return false;
}

std::vector<LineReading> ReadLines(const std::vector<std::string_view>& lines) {
  std::vector<LineReading> out(lines.size());
  std::optional<std::string> section;  // none before the first header
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view body = Trim(lines[i]);
    if (body.empty() || body.front() == ';' || body.front() == '#')
      continue;
    if (body.front() == '[') {
      if (const std::size_t close = body.find(']'); close != std::string_view::npos)
        section = std::string(Trim(body.substr(1, close - 1)));
      continue;
    }
    const std::size_t equals = body.find('=');
    if (!section || equals == std::string_view::npos || Trim(body.substr(0, equals)).empty())
      continue;
    LineReading& line = out[i];
    line.value = true;
    line.section = *section;
    line.name = std::string(Trim(body.substr(0, equals)));
    line.owned = IsOwnedName(line.section, line.name);
  }
  return out;
}

// A 32-bit decimal number with an optional sign and blanks around it.
std::optional<int> ReferenceInt(std::string_view text) {
  text = Trim(text);
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
    digits.remove_prefix(1);
  if (digits.empty())
    return std::nullopt;
  for (char c : digits) {
    if (c < '0' || c > '9')
      return std::nullopt;
  }
  const std::string copy(text);
  errno = 0;
  const long long parsed = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
    return std::nullopt;
  return static_cast<int>(parsed);
}

bool SameSettings(const TrainingSettings& a, const TrainingSettings& b) {
  for (const SettingField& field : qz::SettingFields()) {
    if (field.IsText() ? field.Text(a) != field.Text(b) : field.Number(a) != field.Number(b)) {
      std::fprintf(stderr, "the value %s changed\n", field.m_szName);
      return false;
    }
  }
  return true;
}

// The text of a value; nothing when the store has none.
std::optional<std::string> Lookup(IniSettingsStore& store, std::string_view section,
                                  std::string_view name) {
  constexpr std::string_view kMissing = "\x01missing";
  constexpr std::string_view kOtherMissing = "\x02missing";
  std::string text = store.GetString(section, name, kMissing);
  if (text == kMissing && store.GetString(section, name, kOtherMissing) == kOtherMissing)
    return std::nullopt;
  return text;
}

// What the game reads from the store, checked value by value against the store's own texts.
TrainingSettings LoadChecked(IniSettingsStore& store) {
  TrainingSettings settings;
  qz::LoadSettings(store, settings);
  for (const SettingField& field : qz::SettingFields()) {
    if (field.IsText()) {
      // The name reaches the log and the screen, so it arrives without control characters.
      const std::string stored =
          store.GetString(qz::kVersionText, field.m_szName, field.m_szDefaultText);
      const bool is_name = field.m_pText == &TrainingSettings::m_strCadetName;
      QZ_FUZZ_CHECK(field.Text(settings) == (is_name ? qz::CleanCadetName(stored) : stored));
      continue;
    }
    // A number the store holds as text reads as that number; anything else as the default.
    const std::optional<std::string> text = Lookup(store, qz::kVersionText, field.m_szName);
    const int expected =
        text ? ReferenceInt(*text).value_or(field.m_nDefaultNumber) : field.m_nDefaultNumber;
    QZ_FUZZ_CHECK(field.Number(settings) == expected);
  }
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFolder folder;
  static const std::string path = folder.File("quizendo.ini");
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Whatever a value holds is written so that it reads back.
  QZ_FUZZ_CHECK(qz::DecodeIniValue(qz::EncodeIniValue(input)) == input);

  WriteWholeFile(path, input);
  IniSettingsStore store(path);
  const TrainingSettings first = LoadChecked(store);
  if (size > kRoundTripBytes)
    return 0;

  // The values the game does not own, as they read before the save.
  const std::vector<std::string_view> lines = SplitLines(input);
  const std::vector<LineReading> readings = ReadLines(lines);
  struct Probe {
    const LineReading* where;
    std::optional<std::string> text;
  };
  std::vector<Probe> probes;
  std::set<std::pair<std::string, std::string>> probed;
  for (const LineReading& line : readings) {
    if (!line.value || line.owned || probes.size() == kMaxProbes)
      continue;
    if (!probed.emplace(Lower(line.section), Lower(line.name)).second)
      continue;
    std::optional<std::string> text = Lookup(store, line.section, line.name);
    // Every line of the format's value form is a value to the store.
    QZ_FUZZ_CHECK(text.has_value());
    probes.push_back({&line, std::move(text)});
  }

  std::string error;
  QZ_FUZZ_CHECK(qz::SaveSettings(store, first, &error));
  const std::string saved = ReadWholeFile(path);

  // Lines the game does not own are written back as they were, in their order; new lines
  // may come between them.
  const std::vector<std::string_view> saved_lines = SplitLines(saved);
  QZ_FUZZ_CHECK(saved.empty() || saved.back() == '\n');
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (readings[i].owned)
      continue;
    // Compared as the next read will see them: a line whose text ended in '\r' must keep it.
    while (next < saved_lines.size() && saved_lines[next] != lines[i])
      ++next;
    if (next == saved_lines.size()) {
      std::fprintf(stderr, "line %zu was not written back as it was\n", i + 1);
      QZ_FUZZ_CHECK(false);
    }
    ++next;
  }

  IniSettingsStore again(path);
  const TrainingSettings second = LoadChecked(again);
  QZ_FUZZ_CHECK(SameSettings(first, second));
  for (const Probe& probe : probes) {
    QZ_FUZZ_CHECK(Lookup(again, probe.where->section, probe.where->name) == probe.text);
  }

  // What was read back saves as the same file.
  QZ_FUZZ_CHECK(qz::SaveSettings(again, second, &error));
  QZ_FUZZ_CHECK(ReadWholeFile(path) == saved);
  return 0;
}

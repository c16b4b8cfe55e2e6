#include "platform/posix/ini_settings_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/ini_value_text.h"
#include "platform/posix/atomic_file.h"

namespace qz {
namespace {

constexpr std::string_view kVendorFolder = "Zorvex";
constexpr std::string_view kExtension = ".ini";

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0')
    return home;
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return ".";
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/')
    folder.pop_back();
  return folder;
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string path) : m_strPath(std::move(path)) {
  Load();
}

std::string IniSettingsStore::DefaultPath(std::string_view app_name) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base = xdg != nullptr && xdg[0] == '/'
                         ? WithoutTrailingSlashes(xdg)
                         : WithoutTrailingSlashes(HomeFolder()) + "/.config";
  base += '/';
  base += kVendorFolder;
  base += '/';
  base += app_name;
  base += kExtension;
  return base;
}

void IniSettingsStore::Load() {
  // Non-blocking, so that a fifo in place of the file cannot hang the game.
  const int fd = ::open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno != ENOENT)
      m_strLoadProblem = "cannot read " + m_strPath + ": " + std::strerror(errno);
    return;
  }
  struct stat st {};
  std::string content;
  if (::fstat(fd, &st) != 0) {
    m_strLoadProblem = "cannot read " + m_strPath + ": " + std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    m_strLoadProblem = "cannot read " + m_strPath + ": " +
                       (S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file");
  }
  // Reads in pieces up to the limit, whatever size the file claims or grows to.
  bool cut = false;
  char piece[64 * 1024];
  while (m_strLoadProblem.empty()) {
    const std::size_t room = kMaxFileBytes - content.size();
    const ssize_t n = ::read(fd, piece, std::min(sizeof piece, room + 1));
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      m_strLoadProblem = "cannot read " + m_strPath + ": " + std::strerror(errno);
    if (n <= 0)
      break;
    const auto got = static_cast<std::size_t>(n);
    content.append(piece, std::min(got, room));
    if (got > room) {
      cut = true;
      // The line the limit falls in is incomplete: it is not read.
      const std::size_t last_end = content.rfind('\n');
      content.resize(last_end == std::string::npos ? 0 : last_end + 1);
      break;
    }
  }
  ::close(fd);
  if (!m_strLoadProblem.empty())
    return;

  std::string_view rest = content;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) {
      cut = true;
      continue;
    }
    if (m_lines.size() == kMaxLines) {
      cut = true;
      break;
    }
    ParseLine(line);
  }
  if (cut) {
    m_strLoadProblem =
        m_strPath + " is too large to keep whole (over 4 MB, 65536 lines or a 64 KB line)";
  }
}

void IniSettingsStore::ParseLine(std::string_view text) {
  Line line;
  line.m_strText = std::string(text);
  const std::string_view body = TrimBlanks(text);
  if (body.empty() || body.front() == ';' || body.front() == '#') {
    // A blank line or a comment.
  } else if (body.front() == '[') {
    const std::size_t close = body.find(']');
    if (close != std::string_view::npos) {
      line.m_kind = Line::Kind::kSection;
      line.m_strName = std::string(TrimBlanks(body.substr(1, close - 1)));
    }
  } else if (const std::size_t equals = body.find('='); equals != std::string_view::npos) {
    const std::string_view name = TrimBlanks(body.substr(0, equals));
    if (!name.empty()) {
      line.m_kind = Line::Kind::kValue;
      line.m_strName = std::string(name);
      line.m_strValue = DecodeIniValue(body.substr(equals + 1));
    }
  }
  m_lines.push_back(std::move(line));
}

std::optional<std::size_t> IniSettingsStore::Find(std::string_view section,
                                                  std::string_view name) const {
  std::optional<std::size_t> found;
  bool inside = false;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.m_kind == Line::Kind::kSection) {
      inside = SameNameIgnoringCase(line.m_strName, section);
    } else if (inside && line.m_kind == Line::Kind::kValue &&
               SameNameIgnoringCase(line.m_strName, name)) {
      found = i;
    }
  }
  return found;
}

std::optional<std::size_t> IniSettingsStore::InsertionPoint(std::string_view section) const {
  std::optional<std::size_t> point;
  bool inside = false;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    const Line& line = m_lines[i];
    if (line.m_kind == Line::Kind::kSection) {
      inside = SameNameIgnoringCase(line.m_strName, section);
      if (inside)
        point = i + 1;
    } else if (inside && line.m_kind == Line::Kind::kValue) {
      point = i + 1;
    }
  }
  return point;
}

std::string IniSettingsStore::GetString(std::string_view section, std::string_view name,
                                        std::string_view fallback) {
  const std::optional<std::size_t> at = Find(section, name);
  return at ? m_lines[*at].m_strValue : std::string(fallback);
}

int IniSettingsStore::GetInt(std::string_view section, std::string_view name, int fallback) {
  const std::optional<std::size_t> at = Find(section, name);
  if (!at)
    return fallback;
  return ParseInt32(m_lines[*at].m_strValue).value_or(fallback);
}

void IniSettingsStore::WriteString(std::string_view section, std::string_view name,
                                   std::string_view value) {
  if (!IsStorableName(section, true) || !IsStorableName(name, false)) {
    m_strWriteError = "cannot store the value \"" + std::string(name) + "\" of section \"" +
                      std::string(section) + "\": the name does not fit the format";
    return;
  }
  if (const std::optional<std::size_t> at = Find(section, name)) {
    Line& line = m_lines[*at];
    // An unchanged value keeps its line as it was spelled.
    if (line.m_strValue == value)
      return;
    line.m_strValue = std::string(value);
    line.m_strText = line.m_strName + "=" + EncodeIniValue(value);
    return;
  }
  Line line;
  line.m_kind = Line::Kind::kValue;
  line.m_strName = std::string(name);
  line.m_strValue = std::string(value);
  line.m_strText = line.m_strName + "=" + EncodeIniValue(value);
  if (const std::optional<std::size_t> at = InsertionPoint(section)) {
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*at), std::move(line));
    return;
  }
  Line header;
  header.m_kind = Line::Kind::kSection;
  header.m_strName = std::string(section);
  header.m_strText = "[" + header.m_strName + "]";
  m_lines.push_back(std::move(header));
  m_lines.push_back(std::move(line));
}

void IniSettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
  WriteString(section, name, std::to_string(value));
}

bool IniSettingsStore::Save(std::string* error) {
  if (!m_strLoadProblem.empty()) {
    if (error != nullptr)
      *error = m_strLoadProblem;
    return false;
  }
  if (!m_strWriteError.empty()) {
    if (error != nullptr)
      *error = m_strWriteError;
    return false;
  }
  if (m_lines.size() > kMaxLines) {
    if (error != nullptr)
      *error = "the settings have too many lines to store in " + m_strPath;
    return false;
  }
  std::string content;
  for (const Line& line : m_lines) {
    if (line.m_strText.size() > kMaxLineBytes) {
      if (error != nullptr) {
        *error = "the value \"" + line.m_strName + "\" is too long to store in " + m_strPath;
      }
      return false;
    }
    content += line.m_strText;
    // Reading takes one '\r' before the '\n' for part of the line end: a line whose own text
    // ends in one gets a "\r\n" end, so the next read keeps it.
    content += !line.m_strText.empty() && line.m_strText.back() == '\r' ? "\r\n" : "\n";
  }
  if (content.size() > kMaxFileBytes) {
    if (error != nullptr)
      *error = "the settings are too large to store in " + m_strPath;
    return false;
  }
  return ReplaceFileAtomically(m_strPath, content, error);
}

}  // namespace qz

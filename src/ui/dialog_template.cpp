#include "ui/dialog_template.h"

#include <charconv>
#include <climits>

namespace qz {
namespace {

struct StyleName {
  std::string_view name;
  std::uint32_t bit;
};

constexpr StyleName kStyleNames[] = {
    {"hidden", kStyleHidden},
    {"disabled", kStyleDisabled},
    {"tabstop", kStyleTabStop},
    {"bitmap", kStyleBitmap},
    {"notify", kStyleNotify},
    {"realsize", kStyleRealSize},
    {"left", kStyleLeft},
    {"center", kStyleCenter},
    {"right", kStyleRight},
    {"vcenter", kStyleVCenter},
    {"blackframe", kStyleBlackFrame},
    {"ownerdraw", kStyleOwnerDraw},
    {"noborder", kStyleNoBorder},
    {"autohscroll", kStyleAutoHScroll},
    {"number", kStyleNumber},
    {"password", kStylePassword},
    {"popup", kStylePopup},
    {"child", kStyleChild},
    {"control", kStyleControl},
    {"visible", kStyleVisible},
    {"caption", kStyleCaption},
    {"sysmenu", kStyleSysMenu},
    {"modalframe", kStyleModalFrame},
    {"clipchildren", kStyleClipChildren},
    {"appwindow", kStyleAppWindow},
    {"endellipsis", kStyleEndEllipsis},
};

constexpr std::string_view kKinds[] = {"static", "button", "edit"};

// Largest size or position accepted, in dialog units: far beyond any screen, small enough that
// pixel arithmetic never overflows.
constexpr int kMaxUnits = 10000;

// Splits one line into words; a quoted word keeps its spaces. Returns false on an unclosed
// quote. `quoted[i]` says whether word i was quoted.
bool SplitWords(std::string_view line, std::vector<std::string>* words, std::vector<bool>* quoted,
                std::string* why) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    std::string word;
    if (c == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
          d = line[i++];
        } else if (d == '"') {
          closed = true;
          break;
        }
        word += d;
      }
      if (!closed) {
        *why = "a quoted text is not closed";
        return false;
      }
      words->push_back(word);
      quoted->push_back(true);
      continue;
    }
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
      word += line[i++];
    words->push_back(word);
    quoted->push_back(false);
  }
  return true;
}

bool ParseInt(std::string_view s, int* out) {
  if (s.empty())
    return false;
  const char* end = s.data() + s.size();
  const auto [ptr, ec] = std::from_chars(s.data(), end, *out);
  return ec == std::errc() && ptr == end;
}

// "a,b" or "a,b,c,d": exactly `count` integers between 0 and kMaxUnits.
bool ParseNumbers(std::string_view s, int count, int* out) {
  for (int k = 0; k < count; ++k) {
    const size_t comma = s.find(',');
    const bool last = k == count - 1;
    if (last != (comma == std::string_view::npos))
      return false;
    const std::string_view part = last ? s : s.substr(0, comma);
    if (!ParseInt(part, &out[k]) || out[k] < 0 || out[k] > kMaxUnits)
      return false;
    if (!last)
      s.remove_prefix(comma + 1);
  }
  return true;
}

bool ParseStyles(const std::vector<std::string>& words, size_t first, std::uint32_t* styles,
                 std::string* why) {
  for (size_t i = first; i < words.size(); ++i) {
    bool known = false;
    for (const StyleName& s : kStyleNames) {
      if (s.name == words[i]) {
        *styles |= s.bit;
        known = true;
      }
    }
    if (!known) {
      *why = "unknown style '" + words[i] + "'";
      return false;
    }
  }
  return true;
}

bool ParseHeader(const std::vector<std::string>& w, const std::vector<bool>& quoted,
                 DialogTemplate* t, std::string* why) {
  if (w.size() < 4 || !quoted[2]) {
    *why = "expected: dialog <id> \"<title>\" <width>,<height> <styles...>";
    return false;
  }
  if (!ParseInt(w[1], &t->id) || t->id < 0 || t->id > 65535) {
    *why = "the dialog id '" + w[1] + "' is not a number from 0 to 65535";
    return false;
  }
  t->title = w[2];
  int size[2];
  if (!ParseNumbers(w[3], 2, size) || size[0] == 0 || size[1] == 0) {
    *why = "expected the size as <width>,<height> in dialog units, got '" + w[3] + "'";
    return false;
  }
  t->width = size[0];
  t->height = size[1];
  return ParseStyles(w, 4, &t->styles, why);
}

bool ParseControl(const std::vector<std::string>& w, const std::vector<bool>& quoted,
                  ControlTemplate* c, std::string* why) {
  if (w.size() < 4 || quoted[0] || quoted[1] || !quoted[2] || quoted[3]) {
    *why = "expected: <id> <kind> \"<text>\" <x>,<y>,<width>,<height> <styles...>";
    return false;
  }
  if (!ParseInt(w[0], &c->id) || c->id < -1 || c->id > 65535) {
    *why = "the control id '" + w[0] + "' is not a number from -1 to 65535";
    return false;
  }
  bool kind_known = false;
  for (std::string_view k : kKinds)
    kind_known = kind_known || k == w[1];
  if (!kind_known) {
    *why = "unknown control kind '" + w[1] + "' (static, button or edit)";
    return false;
  }
  c->kind = w[1];
  c->text = w[2];
  int r[4];
  if (!ParseNumbers(w[3], 4, r)) {
    *why = "expected the rectangle as <x>,<y>,<width>,<height> in dialog units, got '" + w[3] + "'";
    return false;
  }
  c->x = r[0];
  c->y = r[1];
  c->width = r[2];
  c->height = r[3];
  return ParseStyles(w, 4, &c->styles, why);
}

}  // namespace

std::optional<int> ControlTemplate::PictureId() const {
  if (text.size() < 2 || text[0] != '#')
    return std::nullopt;
  int number = 0;
  if (!ParseInt(std::string_view(text).substr(1), &number) || number < 0)
    return std::nullopt;
  return number;
}

const ControlTemplate* DialogTemplate::Find(int control_id) const {
  for (const ControlTemplate& c : controls) {
    if (c.id == control_id)
      return &c;
  }
  return nullptr;
}

std::optional<DialogTemplate> ParseDialogTemplate(std::string_view text, std::string* error) {
  DialogTemplate t;
  bool have_header = false;
  int line_number = 0;
  std::string why;
  auto fail = [&](const std::string& message) -> std::optional<DialogTemplate> {
    if (error != nullptr)
      *error = "line " + std::to_string(line_number) + ": " + message;
    return std::nullopt;
  };
  while (!text.empty()) {
    ++line_number;
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos || line[first] == '#')
      continue;

    std::vector<std::string> words;
    std::vector<bool> quoted;
    if (!SplitWords(line, &words, &quoted, &why))
      return fail(why);
    if (!quoted[0] && words[0] == "dialog") {
      if (have_header)
        return fail("a second dialog line");
      if (!ParseHeader(words, quoted, &t, &why))
        return fail(why);
      have_header = true;
      continue;
    }
    if (!have_header)
      return fail("the first line must be the dialog line");
    ControlTemplate c;
    c.line = line_number;
    if (!ParseControl(words, quoted, &c, &why))
      return fail(why);
    if (c.id != -1 && t.Find(c.id) != nullptr) {
      return fail("the control id " + std::to_string(c.id) + " is used twice");
    }
    t.controls.push_back(std::move(c));
  }
  if (!have_header) {
    if (error != nullptr)
      *error = "no dialog line";
    return std::nullopt;
  }
  return t;
}

std::optional<DialogTemplate> LoadDialogTemplate(AssetStore& assets, int id, std::string* error) {
  const std::string file_name = std::to_string(id) + ".dlg";
  try {
    const std::vector<std::uint8_t>& bytes = assets.GetBytes(file_name);
    std::string message;
    auto t = ParseDialogTemplate(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &message);
    if (!t) {
      if (error != nullptr)
        *error = file_name + ", " + message;
      return std::nullopt;
    }
    if (t->id != id) {
      if (error != nullptr) {
        *error =
            file_name + " holds dialog " + std::to_string(t->id) + ", not " + std::to_string(id);
      }
      return std::nullopt;
    }
    return t;
  } catch (const AssetError& e) {
    if (error != nullptr)
      *error = e.what();
    return std::nullopt;
  }
}

}  // namespace qz

#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace qz {

// A window stand-in for testing one control: records the notifications and frames, serves
// pictures from a map and keeps the focus.
class RecordingOwner : public ControlOwner {
 public:
  void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
  CtlColor OnCtlColor(Control&) override { return colors; }
  void Invalidate(const Rect&) override { ++invalidations; }
  void PresentNow() override { ++presents; }
  const Bitmap* FindPicture(const std::string& name) override {
    auto it = pictures.find(name);
    return it == pictures.end() ? nullptr : &it->second;
  }
  std::string ClipboardText() override { return clipboard; }
  void NoteTextEntry(TextEntry entry) override { entries.push_back(entry); }
  int Scale() override { return 1; }
  Font* DefaultFont() override { return nullptr; }
  void SetFocus(Control* control) override { focus = control; }
  Control* GetFocus() override { return focus; }
  void OnControlUnusable(Control&) override {}

  static Bitmap Solid(int width, int height, std::uint32_t pixel) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bits_per_pixel = 24;
    b.pixels.assign(static_cast<size_t>(width) * height, pixel);
    return b;
  }

  std::vector<std::pair<int, int>> commands;
  CtlColor colors{Rgb(255, 255, 255), Rgb(0, 0, 0)};
  std::map<std::string, Bitmap> pictures;
  std::string clipboard;
  Control* focus = nullptr;
  std::vector<TextEntry> entries;
  int invalidations = 0;
  int presents = 0;
};

// A template line for a control made in a test.
inline ControlTemplate Line(int id, const char* kind, const char* text, int x, int y, int w, int h,
                            std::uint32_t styles = 0) {
  ControlTemplate t;
  t.id = id;
  t.kind = kind;
  t.text = text;
  t.x = x;
  t.y = y;
  t.width = w;
  t.height = h;
  t.styles = styles;
  return t;
}

}  // namespace qz

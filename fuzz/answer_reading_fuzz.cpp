// The reading of an answer, and the answer box it is typed into, under arbitrary input.
//
// The whole input is first read as an answer text and compared with the C library's reading
// (strtoll, base 10) brought into the 32-bit range: the same number wherever that one is in
// range, the nearest end of the range beyond it. The same bytes then drive a real answer box as
// a script of typing, editing keys, clicks, pastes and paints. Checked after every step: the
// box holds at most its characters, the selection lies within the text, a change of the text
// reached the owner, typing and editing never turn a number into something else (a paste is not
// filtered), and the box's text reads as the reference says.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/event.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "ui/answer_edit.h"
#include "ui/control.h"
#include "ui/dialog_template.h"
#include "ui/typed_number.h"
#include "ui/utf8_text.h"

namespace {

std::int32_t ReferenceReading(std::string_view text) {
  // strtoll stops at the first character that is not part of the number, a NUL included.
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// The setup panel's reading: the same, but only spaces and tabs may stand before the number.
std::int32_t ReferenceDateReading(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos)
    return 0;
  const char first = text[start];
  if (first != '+' && first != '-' && (first < '0' || first > '9'))
    return 0;
  return ReferenceReading(text.substr(start));
}

void CheckReading(std::string_view text) {
  QZ_FUZZ_CHECK(qz::ReadAnswer(text) == ReferenceReading(text));
  QZ_FUZZ_CHECK(qz::ReadTypedNumber(text, qz::LeadingBlanks::kSpaceAndTab) ==
                ReferenceDateReading(text));
}

// An optional minus sign first, then digits and at most one decimal point.
bool IsNumberShape(std::u32string_view text) {
  if (!text.empty() && text.front() == U'-')
    text.remove_prefix(1);
  bool point = false;
  for (char32_t c : text) {
    if (c == U'.' && !point) {
      point = true;
    } else if (c < U'0' || c > U'9') {
      return false;
    }
  }
  return true;
}

// Seven pixels a byte, so that the box scrolls and clicks land between characters.
class FixedFont : public qz::Font {
 public:
  int LineHeight() const override { return 16; }
  qz::TextMask Render(std::string_view utf8) override {
    qz::TextMask mask;
    mask.width = MeasureWidth(utf8);
    mask.height = LineHeight();
    mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0x80);
    return mask;
  }
  int MeasureWidth(std::string_view utf8) override { return static_cast<int>(utf8.size()) * 7; }
};

class Owner : public qz::ControlOwner {
 public:
  void OnCommand(int, int code) override {
    if (code == qz::kEnUpdate)
      ++m_nUpdates;
  }
  qz::CtlColor OnCtlColor(qz::Control&) override {
    return {qz::Rgb(0, 0, 0), qz::Rgb(255, 255, 255)};
  }
  void Invalidate(const qz::Rect&) override {}
  void PresentNow() override {}
  const qz::Bitmap* FindPicture(const std::string&) override { return nullptr; }
  std::string ClipboardText() override { return m_strClipboard; }
  int Scale() override { return 1; }
  qz::Font* DefaultFont() override { return m_bFont ? &m_font : nullptr; }
  void SetFocus(qz::Control* control) override { m_pFocus = control; }
  qz::Control* GetFocus() override { return m_pFocus; }
  void OnControlUnusable(qz::Control&) override {}

  int m_nUpdates = 0;
  std::string m_strClipboard;
  bool m_bFont = true;
  qz::Control* m_pFocus = nullptr;
  FixedFont m_font;
};

// The box as the main window makes it, its text open to the checks.
class AnswerBox : public qz::AnswerEdit {
 public:
  using qz::AnswerEdit::Chars;
  using qz::AnswerEdit::OnChar;
};

enum class Step {
  kType,
  kChar,
  kKey,
  kMouse,
  kSetText,
  kPaint,
  kFocus,
  kMaxValue = kFocus,  // the name FuzzedDataProvider::ConsumeEnum looks for
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckReading(std::string_view(reinterpret_cast<const char*>(data), size));

  FuzzedDataProvider script(data, size);
  Owner owner;
  AnswerBox box;
  qz::ControlTemplate line;
  line.id = 1008;
  line.kind = "edit";
  line.x = 208;
  line.y = 85;
  line.width = 104;
  line.height = 35;
  line.styles = qz::kStyleNoBorder | qz::kStyleAutoHScroll | qz::kStyleTabStop;
  box.ApplyTemplate(line, &owner);
  owner.SetFocus(&box);
  // The main window's canvas, made once: nothing checked depends on what it holds.
  static qz::Canvas canvas(640, 400, 1);

  bool number_shape = true;
  for (int steps = 0; steps < 256 && script.remaining_bytes() > 0; ++steps) {
    const std::u32string before = box.Chars();
    const int updates_before = owner.m_nUpdates;
    bool filtered = true;  // typed or edited, not pasted or set
    bool limited = true;   // anything but the game setting the text
    switch (script.ConsumeEnum<Step>()) {
      case Step::kType:
        box.OnText(script.ConsumeRandomLengthString(16));
        break;
      case Step::kChar:
        box.OnChar(script.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF));
        break;
      case Step::kKey: {
        qz::Event e;
        e.type = qz::EventType::kKeyDown;
        e.key = static_cast<qz::Key>(script.ConsumeIntegralInRange<int>(
            static_cast<int>(qz::Key::kNone), static_cast<int>(qz::Key::kOther)));
        e.shift = script.ConsumeBool();
        e.ctrl = script.ConsumeBool();
        filtered = !(e.key == qz::Key::kV && e.ctrl);
        if (!filtered)
          owner.m_strClipboard = script.ConsumeRandomLengthString(16);
        box.OnKeyDown(e);
        break;
      }
      case Step::kMouse: {
        const qz::Point p{script.ConsumeIntegralInRange<int>(-50, 250),
                          script.ConsumeIntegralInRange<int>(-10, 80)};
        switch (script.ConsumeIntegralInRange<int>(0, 3)) {
          case 0:
            box.OnMouseDown(p);
            break;
          case 1:
            box.OnMouseMove(p);
            break;
          case 2:
            box.OnMouseUp(p);
            break;
          default:
            box.OnCancelMode();
        }
        break;
      }
      case Step::kSetText:
        // The game clears the box and writes the right result into it.
        filtered = false;
        limited = false;
        box.SetText(script.ConsumeBool() ? std::to_string(script.ConsumeIntegral<std::int32_t>())
                                         : std::string());
        break;
      case Step::kPaint: {
        owner.m_bFont = script.ConsumeBool();
        const qz::Rect where = box.GetRect();
        canvas.SetClip(where);
        box.Paint(canvas, where);
        canvas.ResetClip();
        break;
      }
      case Step::kFocus:
        if (script.ConsumeBool()) {
          owner.SetFocus(&box);
          box.OnSetFocus();
        } else {
          owner.SetFocus(nullptr);
          box.OnKillFocus();
        }
        break;
    }

    const std::u32string& chars = box.Chars();
    if (limited) {
      QZ_FUZZ_CHECK(chars.size() <= static_cast<std::size_t>(qz::AnswerEdit::kMaxChars) ||
                    chars.size() <= before.size());
    }
    if (filtered && number_shape)
      QZ_FUZZ_CHECK(IsNumberShape(chars));
    number_shape = IsNumberShape(chars);
    QZ_FUZZ_CHECK(chars.find_first_of(U"\r\n") == std::u32string::npos);
    int start = 0;
    int end = 0;
    box.GetSel(&start, &end);
    QZ_FUZZ_CHECK(0 <= start && start <= end && end <= static_cast<int>(chars.size()));
    QZ_FUZZ_CHECK(box.ScrollOffset() >= 0);
    QZ_FUZZ_CHECK(box.GetText() == qz::EncodeUtf8(chars));
    if (chars != before)
      QZ_FUZZ_CHECK(owner.m_nUpdates > updates_before);
    CheckReading(box.GetText());
  }
  return 0;
}

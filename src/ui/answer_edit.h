#pragma once

#include <string_view>

#include "ui/edit_box.h"

namespace qz {

// The answer box: lets through only what can form a number with an optional leading minus
// sign and at most one decimal point (always '.'); everything else typed is dropped without a
// sound. Pasting is not filtered. Holds at most kMaxChars characters.
class AnswerEdit : public EditBox {
 public:
  static constexpr int kMaxChars = 9;

  void ApplyTemplate(const ControlTemplate& t, ControlOwner* owner) override;

  // Whether typing `c` into `text` with the selection start..end is let through.
  static bool Accepts(char32_t c, std::u32string_view text, int sel_start, int sel_end);

 protected:
  void OnChar(char32_t c) override;
  // A number: digits, the minus sign and the decimal point.
  TextEntry Entry() const override { return TextEntry::kDigits; }
};

}  // namespace qz

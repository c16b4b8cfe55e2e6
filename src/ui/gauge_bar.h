#pragma once

#include <cstdint>
#include <string>

#include "ui/control.h"

namespace qz {

// A horizontal bar showing a value as a filled part of its width, over a solid background,
// with an etched frame; it draws no text. Takes the place of a plain static of the template.
// SetCaption and SetPos show their result at once; SetRange waits for the next paint.
class GaugeBar : public Control {
 public:
  std::string_view Kind() const override { return "static"; }

  void Initialize(const std::string& caption, ColorRef fill, ColorRef bar_back, ColorRef text,
                  ColorRef line, std::uint8_t option);
  // A new caption shows a full bar (value and percentage 100) until the next SetPos.
  void SetCaption(const std::string& caption);
  // Stores maximum + 1: the maximum itself shows as 99 %.
  void SetRange(std::uint32_t maximum);
  // Refused, with a caption saying why, before Initialize or while no range is set.
  void SetPos(int value);

  // 1 + the filled proportion of `width` pixels, as a 16-bit quantity: at 0 % a one-pixel
  // sliver, at 100 % one pixel past the edge.
  static std::uint16_t FilledWidth(int width, std::uint32_t percent);

  bool IsInitialized() const { return m_bInitialized; }
  const std::string& Label() const { return m_strLabel; }
  const std::string& Caption() const { return m_strCaption; }
  std::uint32_t MaxRange() const { return m_nMaxRange; }
  int CurVal() const { return m_nCurVal; }
  std::uint32_t CurPct() const { return m_nCurPct; }

  void Paint(Canvas& canvas, const Rect& where) override;
  bool HitTest(Point) const override { return false; }

 private:
  bool m_bInitialized = false;
  std::string m_strLabel;
  std::string m_strCaption;
  std::uint32_t m_nMaxRange = 0;
  int m_nCurVal = 0;
  std::uint32_t m_nCurPct = 0;
  ColorRef m_crFill = Rgb(224, 224, 224);
  ColorRef m_crBarBack = Rgb(255, 255, 255);
  ColorRef m_crText = Rgb(0, 0, 0);
  ColorRef m_crFrameBack = Rgb(255, 255, 255);
  ColorRef m_crLine = Rgb(0, 0, 0);
  std::uint8_t m_bOption = 0;
};

}  // namespace qz

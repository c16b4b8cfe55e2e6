#include "ui/gauge_bar.h"

#include <cmath>
#include <cstdio>

namespace qz {
namespace {

constexpr char kNotInitialized[] = "Not Initialized !!!";
constexpr char kNoRange[] = "No Max-Range defined";

}  // namespace

void GaugeBar::Initialize(const std::string& caption, ColorRef fill, ColorRef bar_back,
                          ColorRef text, ColorRef line, std::uint8_t option) {
  m_strCaption = caption;
  m_crFill = fill;
  m_crBarBack = bar_back;
  m_crText = text;
  m_crLine = line;
  m_bOption = option;
  m_bInitialized = true;
}

void GaugeBar::SetCaption(const std::string& caption) {
  m_strCaption = caption;
  m_strLabel = m_strCaption;
  m_nCurVal = 100;
  m_nCurPct = 100;
  Invalidate();
  PresentNow();
}

void GaugeBar::SetRange(std::uint32_t maximum) {
  m_nMaxRange = maximum + 1;
  m_strLabel = m_strCaption;
  Invalidate();
}

void GaugeBar::SetPos(int value) {
  if (!m_bInitialized) {
    m_strCaption = kNotInitialized;
    return;
  }
  if (m_nMaxRange == 0) {
    m_strCaption = kNoRange;
    return;
  }
  m_nCurVal = value;
  // Unsigned on purpose: the product wraps like the game's own arithmetic. A negative value
  // (the energy can drop below zero before the game checks it) has no sensible proportion
  // and shows as an empty bar.
  m_nCurPct = value < 0 ? 0 : static_cast<std::uint32_t>(value) * 100u / m_nMaxRange;
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, " %d (%d%%)", m_nCurVal, static_cast<int>(m_nCurPct));
  m_strLabel = m_strCaption + numbers;
  Invalidate();
  PresentNow();
}

std::uint16_t GaugeBar::FilledWidth(int width, std::uint32_t percent) {
  const double proportion = std::trunc(static_cast<double>(width) * percent * 0.01);
  // Taken modulo 65536 like the 16-bit quantity it was drawn with.
  const auto whole = static_cast<std::int64_t>(std::fmod(proportion, 65536.0));
  return static_cast<std::uint16_t>(1 + whole);
}

void GaugeBar::Paint(Canvas& canvas, const Rect& where) {
  canvas.FillRect(where, m_crFrameBack);
  if (!m_bInitialized)
    return;
  canvas.FillRect(where, m_crBarBack);
  const int filled = FilledWidth(where.Width(), m_nCurPct);
  canvas.FillRect({where.left, where.top, where.left + filled, where.bottom}, m_crFill);
  canvas.DrawEtchedEdge(where);
}

}  // namespace qz

#pragma once

#include <cstdint>
#include <string>

namespace qz {

// The items of the main window, by their ids in its template (102). The engine names the items
// it works by these ids; the window's own controls are among them.
enum DrillItem : int {
  kItemExit = 1,
  kItemStatus = 1000,
  kItemEnter = 1006,
  kItemAnswer = 1008,
  kItemEnergy = 1009,
  kItemSetup = 1010,
  kItemHiScore = 1011,
  kItemToGo = 1012,
  kItemRight = 1014,
  kItemWrong = 1015,
  kItemProblem = 1016,
  kItemPower = 1017,
  kItemPowerText = 1018,
  kItemScore = 1019,
  kItemCadet = 1020,
  kItemRank = 1021,
  kItemBelt = 1022,
  kItemIdlePicture = 1023,
  kItemSoundSwitch = 1025,
  kItemPanelFrame = 1026,
  kItemTitle = 1048,
  kItemHint = 1050,
};

// The screen as the drill engine works it; the main window implements it. Sounds, timers and
// the clock the engine takes from the platform itself.
class DrillView {
 public:
  virtual ~DrillView() = default;

  // --- Texts ---------------------------------------------------------------------------
  // A direct write: the item shows `text` before the call returns.
  virtual void ShowTextNow(int item, const std::string& text) = 0;
  // A text held for an item of the displays (status, answer, counters, problem, banked
  // total), shown at the next ShowHeldTexts.
  virtual void HoldText(int item, const std::string& text) = 0;
  virtual std::string HeldText(int item) const = 0;
  virtual void ShowHeldTexts() = 0;
  // Takes the typed texts into the held ones and reads the answer box as a number (a huge
  // answer saturates, to be judged wrong).
  virtual std::int32_t TakeAnswer() = 0;
  // Whether the answer box holds no text, typed or written.
  virtual bool AnswerBoxEmpty() const = 0;

  // --- Items ---------------------------------------------------------------------------
  virtual void ShowControl(int item, bool show) = 0;
  virtual void EnableControl(int item, bool enable) = 0;
  virtual void FocusControl(int item) = 0;
  // Draws the item again: its colour follows the engine's state.
  virtual void RedrawControl(int item) = 0;
  virtual void SetGaugePos(int item, int pos) = 0;
  virtual void SetGaugeRange(int item, std::uint32_t range) = 0;
  // The energy and power gauges' captions and colours, set once at the intro.
  virtual void SetUpGauges() = 0;
  // The status, cadet, rank and belt lines with the idle picture; the problem is hidden.
  virtual void ShowMatchTexts(bool show) = 0;
  // The problem and the answer box, in place of the idle picture; shown, the box takes
  // answers and the keyboard.
  virtual void ShowProblemArea(bool show) = 0;
  // Whether the answer box takes answers: while it does not, what is typed is undone.
  virtual void SetInputOpen(bool open) = 0;

  // --- Time ----------------------------------------------------------------------------
  // The game's pause: events are dispatched for `ms` milliseconds; true when a key or mouse
  // press cut it short, or the window ended.
  virtual bool Pause(std::uint32_t ms) = 0;
  // Puts the current frame on screen and stands still for `ms`, dispatching nothing.
  virtual void Rest(std::uint32_t ms) = 0;
  // The window was told to end: every loop is unwinding.
  virtual bool WindowEnded() const = 0;
};

}  // namespace qz

#pragma once

namespace qz {

// The two commands the player gives the drill engine, as the main window routes them.
class DrillInput {
 public:
  virtual ~DrillInput() = default;

  // ENTER: starts a match, judges the answer, or confirms the quit question.
  virtual void OnEnter() = 0;
  // Escape or the close button: asks or withdraws the quit question. True when no match runs:
  // the run is over and written down, and the window closes.
  virtual bool OnEscape() = 0;
};

}  // namespace qz

#pragma once

#include "platform/platform.h"
#include "ui/dialog.h"

namespace qz {

struct TrainingSettings;

// The setup panel: a child of the main window, laid over its play area, where the cadet
// changes the settings between matches. Created by the main window's panel host.
class CSetupPanel : public Dialog {
 public:
  static constexpr int kTemplateId = 174;

  // `settings` must outlive the panel.
  CSetupPanel(Platform& platform, TrainingSettings& settings);

 protected:
  void OnPaint(Canvas& canvas, const Rect& client) override;

  TrainingSettings& m_settings;
};

}  // namespace qz

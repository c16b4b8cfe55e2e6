#include "engine/drill_engine.h"

#include "profile/training_settings.h"

namespace qz {

DrillEngine::DrillEngine(Platform& platform, TrainingSettings& settings, DrillView& view)
    : m_platform(platform), m_settings(settings), m_view(view) {}

void DrillEngine::LoadSettings() {
  qz::LoadSettings(m_platform.settings, m_settings);
  SayIfSettingsUnreadable();
  m_state.m_bSound = m_settings.m_nSoundOn != 0;
}

bool DrillEngine::BankedAboveBest() const {
  // Unsigned on purpose: the banked total is compared as the stored value is.
  return static_cast<std::uint32_t>(m_state.m_nHiScore) >
         static_cast<std::uint32_t>(m_settings.m_nOldHiScore);
}

}  // namespace qz

#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/asset_store.h"
#include "platform/clock.h"
#include "platform/sound_player.h"

namespace qz {

// One sound at a time on one voice (sound_output.h), loaded from "<id>.wav" of the assets once.
// Without an audio device it plays silently but keeps the sounds' timing: a synchronous sound
// still takes its length. `assets` and `clock` must outlive it.
class SdlSoundPlayer : public SoundPlayer {
 public:
  SdlSoundPlayer(AssetStore& assets, Clock& clock);
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  void Play(int id, std::uint32_t flags) override;
  void Stop() override;
  bool IsPlaying() override;

  bool HasDevice() const { return m_bDevice; }

 private:
  struct Sound {
    int output = 0;  // the sound in the voice's own store
    std::uint32_t length_ms = 0;
  };
  // Nothing for an id without a readable WAVE file.
  const Sound* Load(int id);
  void WaitUntilSilent(std::uint32_t length_ms);

  AssetStore& m_assets;
  Clock& m_clock;
  bool m_bDevice = false;
  std::map<int, std::optional<Sound>> m_sounds;
  // Without a device: when the silent sound started, how long it lasts, whether it loops.
  std::optional<std::uint32_t> m_nSilentStart;
  std::uint32_t m_nSilentLength = 0;
  bool m_bSilentLoop = false;
};

}  // namespace qz

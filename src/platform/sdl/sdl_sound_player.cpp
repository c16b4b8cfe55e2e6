#include "platform/sdl/sdl_sound_player.h"

#include <SDL.h>

#include <string>

#include "platform/sdl/sound_output.h"
#include "platform/sdl/terminate_request.h"
#include "platform/wave_info.h"

namespace qz {
namespace {

constexpr std::uint32_t kPumpSliceMs = 5;
// A synchronous sound is waited for at most this much past its length, whatever the voice says.
constexpr std::uint32_t kSyncGraceMs = 1000;

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(AssetStore& assets, Clock& clock)
    : m_assets(assets), m_clock(clock) {
  // Compressed sounds end on a whole block; the sample count in their "fact" chunk says where
  // the sound really ends, which keeps the looped waiting music exactly 16 s long.
  SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
  m_bDevice = sound_output::Open();
}

SdlSoundPlayer::~SdlSoundPlayer() {
  if (m_bDevice)
    sound_output::Close();
}

const SdlSoundPlayer::Sound* SdlSoundPlayer::Load(int id) {
  auto found = m_sounds.find(id);
  if (found != m_sounds.end())
    return found->second ? &*found->second : nullptr;
  std::optional<Sound>& slot = m_sounds[id];
  const std::string file_name = std::to_string(id) + ".wav";
  if (!m_assets.Exists(file_name))
    return nullptr;
  try {
    const std::vector<std::uint8_t>& bytes = m_assets.GetBytes(file_name);
    std::optional<WaveInfo> info = WaveInfo::Parse(bytes, nullptr);
    if (!info)
      return nullptr;
    Sound sound;
    sound.length_ms = info->DurationMs();
    if (m_bDevice) {
      sound.output = sound_output::Load(bytes);
      if (sound.output == 0)
        return nullptr;
    }
    slot = sound;
  } catch (const AssetError&) {
    return nullptr;
  }
  return &*slot;
}

void SdlSoundPlayer::Play(int id, std::uint32_t flags) {
  if ((flags & kSoundNoStop) != 0 && IsPlaying())
    return;
  const Sound* sound = Load(id);
  if (sound == nullptr)
    return;
  const bool async = (flags & kSoundAsync) != 0;
  const bool loop = async && (flags & kSoundLoop) != 0;
  Stop();
  if (m_bDevice) {
    // A sound that cannot start is given up at once, with or without kSoundNoWait: the
    // one voice is free after the stop, so there is nothing to wait for.
    if (!sound_output::Play(sound->output, loop))
      return;
  } else {
    m_nSilentStart = m_clock.TickMs();
    m_nSilentLength = sound->length_ms;
    m_bSilentLoop = loop;
  }
  if (!async)
    WaitUntilSilent(sound->length_ms);
}

void SdlSoundPlayer::WaitUntilSilent(std::uint32_t length_ms) {
  if (!m_bDevice) {
    m_clock.Sleep(length_ms);
    m_nSilentStart.reset();
    return;
  }
  const std::uint32_t start = m_clock.TickMs();
  while (sound_output::Playing() && m_clock.TickMs() - start < length_ms + kSyncGraceMs &&
         !TerminateRequested()) {
    m_clock.Sleep(kPumpSliceMs);
  }
  sound_output::Halt();
}

void SdlSoundPlayer::Stop() {
  if (m_bDevice)
    sound_output::Halt();
  m_nSilentStart.reset();
}

bool SdlSoundPlayer::IsPlaying() {
  if (m_bDevice)
    return sound_output::Playing();
  if (!m_nSilentStart)
    return false;
  if (m_bSilentLoop)
    return true;
  if (m_clock.TickMs() - *m_nSilentStart < m_nSilentLength)
    return true;
  m_nSilentStart.reset();
  return false;
}

}  // namespace qz

#include "platform/sdl/sdl_sound_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

#include "platform/sdl/terminate_request.h"
#include "platform/wave_info.h"

namespace qz {
namespace {

constexpr int kChannel = 0;
constexpr int kRate = 22050;
// Every sound of the game is mono: a mono device keeps the decoded sounds half the size (the
// 16 s waiting music alone takes 0.7 MB instead of 1.4 MB).
constexpr int kChannels = 1;
#ifdef __EMSCRIPTEN__
// In the page each buffer is a call from the browser's audio into the game: fewer, larger
// buffers cost an idle page less, and 93 ms of delay on a sound stays unnoticed.
constexpr int kBufferSamples = 4096;
#else
constexpr int kBufferSamples = 1024;
#endif
constexpr std::uint32_t kPumpSliceMs = 5;
// A synchronous sound is waited for at most this much past its length, whatever the mixer says.
constexpr std::uint32_t kSyncGraceMs = 1000;

}  // namespace

SdlSoundPlayer::SdlSoundPlayer(AssetStore& assets, Clock& clock)
    : m_assets(assets), m_clock(clock) {
  // Compressed sounds end on a whole block; the sample count in their "fact" chunk says where
  // the sound really ends, which keeps the looped waiting music exactly 16 s long.
  SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    return;
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferSamples) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_AllocateChannels(1);
  m_bDevice = true;
}

SdlSoundPlayer::~SdlSoundPlayer() {
  if (m_bDevice)
    Mix_HaltChannel(kChannel);
  for (auto& [id, sound] : m_sounds) {
    if (sound && sound->chunk != nullptr)
      Mix_FreeChunk(sound->chunk);
  }
  if (m_bDevice) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
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
      SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
      sound.chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
      if (sound.chunk == nullptr)
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
    // mixer's one channel is free after the stop, so there is nothing to wait for.
    if (Mix_PlayChannel(kChannel, sound->chunk, loop ? -1 : 0) < 0)
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
  while (Mix_Playing(kChannel) != 0 && m_clock.TickMs() - start < length_ms + kSyncGraceMs &&
         !TerminateRequested()) {
    m_clock.Sleep(kPumpSliceMs);
  }
  Mix_HaltChannel(kChannel);
}

void SdlSoundPlayer::Stop() {
  if (m_bDevice)
    Mix_HaltChannel(kChannel);
  m_nSilentStart.reset();
}

bool SdlSoundPlayer::IsPlaying() {
  if (m_bDevice)
    return Mix_Playing(kChannel) != 0;
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

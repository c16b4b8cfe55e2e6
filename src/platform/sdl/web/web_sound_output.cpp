// The page's voice: each sound is decoded once by SDL (its WAVE reader keeps the exact length
// that the "fact" chunk gives) and handed to the browser's audio as a buffer, which the
// browser plays, loops and stops by itself. Nothing of the game runs while a sound plays.

#include <SDL.h>
#include <emscripten.h>

#include <cstring>
#include <vector>

#include "platform/sdl/sound_output.h"

namespace qz::sound_output {
namespace {

// clang-format off
EM_JS(int, qz_web_audio_open, (), {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return 0;
  try {
    const context = new Context();
    // Browsers keep a page silent until the player first presses a key or clicks.
    autoResumeAudioContext(context);
    Module.qzAudio = {context: context, sounds: {}, next: 1, voice: null};
    return 1;
  } catch (e) {
    return 0;
  }
});
EM_JS(void, qz_web_audio_halt, (), {
  const audio = Module.qzAudio;
  const voice = audio && audio.voice;
  if (!voice) return;
  audio.voice = null;
  voice.ended = true;
  try {
    voice.source.stop();
  } catch (e) {
  }
  voice.source.disconnect();
});
EM_JS(void, qz_web_audio_close, (), {
  const audio = Module.qzAudio;
  if (!audio) return;
  Module.qzAudio = null;
  audio.context.close().catch(() => {});
});
EM_JS(int, qz_web_audio_load, (const float* samples, int count, int rate), {
  const audio = Module.qzAudio;
  try {
    const buffer = audio.context.createBuffer(1, count, rate);
    buffer.copyToChannel(HEAPF32.subarray(samples >> 2, (samples >> 2) + count), 0);
    const id = audio.next++;
    audio.sounds[id] = buffer;
    return id;
  } catch (e) {
    return 0;
  }
});
EM_JS(int, qz_web_audio_play, (int sound, int loop), {
  const audio = Module.qzAudio;
  const buffer = audio && audio.sounds[sound];
  if (!buffer) return 0;
  try {
    const source = audio.context.createBufferSource();
    source.buffer = buffer;
    source.loop = !!loop;
    source.connect(audio.context.destination);
    // A context still waiting for the player's first gesture plays nothing and never ends a
    // sound: the sound's own length is its time then.
    const voice = {source: source, ended: false,
                   until: loop ? Infinity : performance.now() + buffer.duration * 1000};
    source.onended = () => { voice.ended = true; };
    source.start();
    audio.voice = voice;
    return 1;
  } catch (e) {
    return 0;
  }
});
EM_JS(int, qz_web_audio_playing, (), {
  const audio = Module.qzAudio;
  const voice = audio && audio.voice;
  if (!voice || voice.ended) return 0;
  return audio.context.state === 'running' || performance.now() < voice.until ? 1 : 0;
});
// clang-format on

}  // namespace

bool Open() {
  return qz_web_audio_open() != 0;
}

void Close() {
  qz_web_audio_halt();
  qz_web_audio_close();
}

int Load(const std::vector<std::uint8_t>& wave) {
  SDL_RWops* rw = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
  if (rw == nullptr)
    return 0;
  SDL_AudioSpec spec;
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(rw, 1, &spec, &data, &length) == nullptr)
    return 0;
  // The browser's buffers hold floats, one channel here: every sound of the game is mono.
  SDL_AudioCVT cvt;
  int sound = 0;
  if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_F32SYS, 1, spec.freq) >=
      0) {
    std::vector<Uint8> converted(static_cast<std::size_t>(length) *
                                 static_cast<std::size_t>(cvt.len_mult));
    if (!converted.empty())
      std::memcpy(converted.data(), data, length);
    cvt.buf = converted.data();
    cvt.len = static_cast<int>(length);
    if (!converted.empty() && SDL_ConvertAudio(&cvt) == 0) {
      const int count = cvt.len_cvt / static_cast<int>(sizeof(float));
      sound = qz_web_audio_load(reinterpret_cast<const float*>(converted.data()), count, spec.freq);
    }
  }
  SDL_FreeWAV(data);
  return sound;
}

bool Play(int sound, bool loop) {
  return qz_web_audio_play(sound, loop ? 1 : 0) != 0;
}

void Halt() {
  qz_web_audio_halt();
}

bool Playing() {
  return qz_web_audio_playing() != 0;
}

}  // namespace qz::sound_output

#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "platform/sdl/sound_output.h"

namespace qz::sound_output {
namespace {

constexpr int kChannel = 0;
constexpr int kRate = 22050;
// Every sound of the game is mono: a mono device keeps the decoded sounds half the size (the
// 16 s waiting music alone takes 0.7 MB instead of 1.4 MB).
constexpr int kChannels = 1;
constexpr int kBufferSamples = 1024;

std::map<int, Mix_Chunk*> g_chunks;
int g_nNextSound = 1;

}  // namespace

bool Open() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    return false;
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferSamples) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  return true;
}

void Close() {
  Mix_HaltChannel(kChannel);
  for (auto& [id, chunk] : g_chunks)
    Mix_FreeChunk(chunk);
  g_chunks.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int Load(const std::vector<std::uint8_t>& wave) {
  SDL_RWops* rw = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
  Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk == nullptr)
    return 0;
  g_chunks[g_nNextSound] = chunk;
  return g_nNextSound++;
}

bool Play(int sound, bool loop) {
  auto found = g_chunks.find(sound);
  return found != g_chunks.end() && Mix_PlayChannel(kChannel, found->second, loop ? -1 : 0) >= 0;
}

void Halt() {
  Mix_HaltChannel(kChannel);
}

bool Playing() {
  return Mix_Playing(kChannel) != 0;
}

}  // namespace qz::sound_output

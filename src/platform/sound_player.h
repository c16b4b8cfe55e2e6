#pragma once

#include <cstdint>

namespace qz {

// Flag bits of a sound request, with the values of the game's sound table.
enum SoundFlag : std::uint32_t {
  kSoundSync = 0x0000,    // returns when the sound has ended
  kSoundAsync = 0x0001,   // plays in the background
  kSoundLoop = 0x0008,    // with kSoundAsync: repeats until stopped
  kSoundNoStop = 0x0010,  // gives way (is skipped) while another sound plays
  kSoundPurge = 0x0040,   // with no sound: stop
  kSoundNoWait = 0x2000,  // gives up at once when the device is busy
  kSoundResource = 0x00040004,
};

// One sound at a time: a new sound stops the one that plays, unless kSoundNoStop.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays the WAVE resource `id` with `flags`. Unknown ids and missing devices are silent.
  virtual void Play(int id, std::uint32_t flags) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() = 0;
};

}  // namespace qz

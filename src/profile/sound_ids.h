#pragma once

#include <cstdint>

#include "platform/sound_player.h"

namespace qz {

// The WAVE resources of the game.
enum SoundId : int {
  kSoundScoreTick = 133,
  kSoundClockTick = 137,
  kSoundTimeOut = 139,
  kSoundCheerOne = 140,
  kSoundCheerTwo = 141,
  kSoundCheerThree = 142,
  kSoundWaitingMusic = 144,
  kSoundGetReady = 148,
  kSoundWrong = 151,
  kSoundClick = 177,
  kSoundRefusal = 206,
  kSoundMatchEnd = 211,
};

// The request kinds the game makes.
inline constexpr std::uint32_t kPlayLooped = kSoundResource | kSoundAsync | kSoundLoop;
inline constexpr std::uint32_t kPlayAsync = kSoundResource | kSoundAsync;
inline constexpr std::uint32_t kPlaySync = kSoundResource;
inline constexpr std::uint32_t kPlayUnlessBusy = kSoundResource | kSoundNoStop;
inline constexpr std::uint32_t kPlayAsyncNoWait = kSoundResource | kSoundAsync | kSoundNoWait;

}  // namespace qz

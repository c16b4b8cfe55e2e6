#pragma once

#include "platform/color.h"

namespace qz {

// The colours the game's windows share. Every dialog starts from amber text on black.
inline constexpr ColorRef kBlack = Rgb(0, 0, 0);
inline constexpr ColorRef kWhite = Rgb(255, 255, 255);
inline constexpr ColorRef kRed = Rgb(255, 0, 0);
inline constexpr ColorRef kAmber = Rgb(255, 192, 77);

}  // namespace qz

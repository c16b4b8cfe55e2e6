#pragma once

#include <cstdint>
#include <vector>

namespace qz::sound_output {

// The one voice the sound player plays on. The desktop mixes it with SDL_mixer; the page
// hands each sound to the browser's own audio, which plays it without calling into the game
// (a page that mixes its own sound is called tens of times a second, even at rest).

// False when there is no sound device: the player then keeps the sounds' timing in silence.
bool Open();
// Stops the voice and frees every sound.
void Close();
// A sound from the bytes of a WAVE file, or 0 when they cannot be decoded. Every sound is
// kept until Close.
int Load(const std::vector<std::uint8_t>& wave);
// Stops what plays and starts `sound`; false when it cannot start.
bool Play(int sound, bool loop);
void Halt();
bool Playing();

}  // namespace qz::sound_output

// Key codes of the media layer for SDL key events.
#pragma once

#include <SDL.h>

namespace media::sdl {

// The media layer's key code (1 to 255) for a key, or 0 for a key it does not know. Letters
// and the main-row minus and plus follow the keyboard layout; the digit row and the other
// keys follow their position.
int KeyCodeFor(const SDL_Keysym& key);

}  // namespace media::sdl

// The title screen with the main menu.
#pragma once

#include <string>

// The fixed credits line that scrolls along the bottom of the title screen.
extern const char* const kCredits;

// The title screen. Returns with Game->State 27 (a game or the tutorials start) or 32 (the
// editor); a yes in the quit dialog ends the program. Returns 0.
int RenderMainScreen();

// Plays the menu selection sound on Sfx at SfxVol.
void PlayMenuSound();

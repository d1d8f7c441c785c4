// The quit dialog.
#pragma once

#include <functional>

// Asks whether to quit over a frozen copy of the screen. Yes on the title screen ends the
// program; yes during play goes back to the title screen (Game->State 31); yes elsewhere leaves
// quit at 1 for the caller. No returns to where the player was. Returns 0.
int QuitFunc();

// Ends the program at once: shuts the media layer down and exits with code 0. Tests and the
// headless runner may replace what it does; a replacement must not return (it may throw).
[[noreturn]] void EndProgram();
void SetEndProgramHandler(std::function<void()> handler);  // empty: back to the default

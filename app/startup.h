// Start-up: the program's main function and the screens only start-up shows (the language
// chooser, the display-rate probe, the logo).
#pragma once

#include <string>

#include "media/timing.h"

// The whole program's main function: start-up, then the state machine until it leaves.
// Returns 0 when the state machine reaches state 30, 1 when no screen could be opened.
int _bb_main();

// The first-start language chooser over the four flags; returns the language 1 to 4.
int ChooseLanguage();
// Measures the display rate into FPS (at least one second, at most ten) and sets DelayTime.
void ProbeDisplayRate();
// DelayTime for a measured display rate: 16.6 - 1000 div fps above 60, else 0.
int DelayTimeFor(int fps);
// The big logo slides down into place with the gold sound.
void LogoSlide();
// The logo slide's timer; it is never stopped.
extern media::Timer LogoTimer;

// The folder path followed by "/" unless it already ends in "/" or "\\".
std::string WithTrailingSlash(const std::string& folder);

// Headless screen helpers for the stage flow and chooser tests: plain test pictures for the
// fonts, buttons, backdrop and pointer, and a frame hook that drives input by frame number.
#pragma once

#include <functional>

#include "media/graphics.h"

namespace stagetest {

constexpr media::Pixel kWhite = 0xFFFFFFFF;
constexpr media::Pixel kHighlight = 0xFFFF0000;  // Buttons frame 0
constexpr media::Pixel kNormal = 0xFF00FF00;     // Buttons frame 1
constexpr media::Pixel kFinished = 0xFF0000FF;   // Buttons frame 2

// Opens the 800 x 600 headless screen and makes the pictures the screens draw: menu fonts
// filled white (optAlpha) and grey (optAlpha2), Buttons in the three colours above, and the
// rest in other plain colours.
void MakeScreenPictures();

// Calls `each(frame)` after every Flip; stops the run (media::headless::Stop) past `limit`.
void OnFrames(std::function<void(int frame)> each, int limit = 5000);

}  // namespace stagetest

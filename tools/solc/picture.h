// A picture of a whole stage for looking it over: every room drawn by the game's own renderers
// (backdrop, statues, blocks, exit door, items, traps, enemies and the player at the start), a
// quarter of its size, in its place of the 6 x 6 room grid. Rooms that do not exist are dark.
#pragma once

#include <string>

#include "tools/solc/world.h"

namespace solc {

constexpr int kPictureScale = 4;  // room pixels per picture pixel, each way

// Draws the stage file of `stage` in `levelsDir` into the PNG `out` (1152 x 864 pixels), using
// `workFolder` as the start folder. Needs SetUpWorld. False with a message when the stage does
// not load or the file cannot be written.
bool DrawStagePicture(const std::string& levelsDir, StageRef stage, const std::string& workFolder,
                      const std::string& out, std::string& error);

}  // namespace solc

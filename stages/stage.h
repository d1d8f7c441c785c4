// The stage reader: loads a stage file into the world (the cell grid, the rooms, the object
// lists, the player's start and the exit door), for play in pixels or for the editor in cells.
#pragma once

#include <string>

#include "stages/stage_format.h"

// Loads the stage `name` (any folder part is dropped) from "Levels/", or from "PlayerLevels/"
// for a player-made stage or in the editor, and leaves the current folder there. A file that
// is missing, short, or holds values outside the world is refused whole: the stage in memory
// stays exactly as it was, and one line on standard error names the file and the fault.
// Always 0.
int LoadStage(const std::string& name);

// The folder LoadStage reads from in the current mode: "Levels/" or "PlayerLevels/".
std::string StageFolder();

// Reads and checks the stage file `name` as LoadStage would, changing nothing.
stagefile::Check CheckStageFile(const std::string& name);

// What the last LoadStage found (Fault::None after a good load), and the file it tried.
extern stagefile::Check LastStageCheck;
extern std::string LastStageFile;

// The language line that tells the player about a refused stage: 59 for a missing file, 58
// for a bad one, -1 when the check found nothing wrong.
int StageFaultLine(const stagefile::Check& check);

// Back to the program-start values of LastStageCheck and LastStageFile. For tests.
void ResetStageReader();

// Puts a decoded stage into the world as step by step the reader does: positions become
// pixels in play (EditMode 0) and stay cells in the editor.
void CommitStage(const stagefile::Data& stage);

// The per-stage reset and the flow from one stage to the next: the choosers for the first
// stage or tutorial, the stage title over the old picture scrolling away, then the stage file,
// in replay mode its replay, and the stage song.
#pragma once

#include <string>

// The file name of the tutorial or player-made stage to load ("Tut" + TutNo for tutorials).
extern std::string UserStage;
// The built-in stage number last loaded; the stages up to 25 play "Song1.ogg".
extern int SongNumber;

// The last built-in stage and the last tutorial; no stage or tutorial follows them, and the
// step after them goes back to the title menu.
constexpr int kLastStage = 70;
constexpr int kLastTutorial = 11;

// One step from the previous stage to the next (Game.State 27). Leaves Game.State 26 (play),
// or 31 (title menu) after Escape or after the last built-in stage or tutorial. Always 0.
int GoNextStage();

// The name of the stage file the next built-in, tutorial or player-made stage is loaded from.
std::string NextStageFile();

// Back to the program-start values of this header's globals. For tests.
void ResetFlowGlobals();

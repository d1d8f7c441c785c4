// A headless world for playing a shipped stage outside the window: the game's pictures (the
// rules read them for collisions), the single objects, a start folder of our own, and passes
// of the play loop as the state machine runs them (UpdateGame, then RenderGame(0)).
#pragma once

#include <string>
#include <vector>

namespace solc {

// The headless backend, the globals at their start values, the pictures and the built-in
// tables. Call once per process before the other functions.
void SetUpWorld();

// A shipped stage: built-in stage n (1 to 70) or tutorial n (1 to 11).
struct StageId {
  StageId(int n = 1, bool tut = false) : number(n), tutorial(tut) {}  // NOLINT: from a number
  int number;
  bool tutorial;
};

// "12" is built-in stage 12, "Tut3" (any letter case) tutorial 3; false for anything else or a
// number out of range.
bool ParseStageId(const std::string& text, StageId& out);
// The stage file's name: "LEVEL n" or "Tutn".
std::string StageFileName(StageId stage);

// Makes `folder` a start folder: Levels/ with a copy of the stage file from `levelsDir` (and
// its replay when `withReplay`), PlayerLevels/, then points Path, AppPath and FilePath at it.
// False with a message when a file cannot be copied.
bool PrepareFolder(const std::string& folder, const std::string& levelsDir, StageId stage,
                   bool withReplay, std::string& error);

// Starts the stage as the stage flow does after its title: the per-stage reset, the stage
// file, in replay mode (`replay`) its replay, the stage song. Lives 2, score 0. A tutorial runs
// as the tutorials do (`User` and `Tutorial` 1, the player's difficulty kept). False with a
// message when the stage did not load or the replay is missing.
bool StartStage(StageId stage, bool replay, std::string& error);

// The game state a finished play of the stage leaves: 31 (title) after the eleventh tutorial,
// 27 (next stage) otherwise.
int StateAfterExit(StageId stage);

// One pass of the play loop.
void Pass();

// The replay name: "Level n" for a built-in stage (the English word; the build copies it under
// every language's word), "TUTn" for a tutorial.
std::string ReplayNameFor(StageId stage);

// "tick x y action tool room gold state" of the moment, for tracing a run.
std::string Describe(int tick);

}  // namespace solc

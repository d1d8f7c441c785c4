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

// A stage to play: built-in stage `number` ("LEVEL n", replay "Level n.SOL") or, when
// `tutorial` holds, tutorial `number` ("Tutn", replay "TUTn.SOL").
struct StageRef {
  int number = 1;
  bool tutorial = false;
};
// "7" names built-in stage 7, "Tut6" tutorial 6 (any letter case); false for anything else.
bool ParseStageRef(const std::string& text, StageRef& out);
// The stage file's and the replay's names (the replay without ".SOL").
std::string StageFileFor(const StageRef& stage);
// The game state a finished play of the stage leaves: 31 (title) after the last tutorial, 27
// (next stage) otherwise.
int StateAfterExit(const StageRef& stage);
std::string ReplayNameFor(const StageRef& stage);

bool PrepareFolder(const std::string& folder, const std::string& levelsDir, const StageRef& stage,
                   bool withReplay, std::string& error);
// Starts the stage as the stage flow does after its title; a tutorial as the tutorial entry
// plays it (tutorial mode, its number, a stage that is not a built-in one), on difficulty
// setting `difficulty` (a tutorial keeps the player's setting, and mummies climb by it).
bool StartStage(const StageRef& stage, bool replay, std::string& error, int difficulty = 1);

// Makes `folder` a start folder: Levels/ with a copy of the stage file "LEVEL n" from
// `levelsDir` (and its replay "Level n.SOL" when `withReplay`), PlayerLevels/, then points
// Path, AppPath and FilePath at it. False with a message when the stage file cannot be copied.
bool PrepareFolder(const std::string& folder, const std::string& levelsDir, int stage,
                   bool withReplay, std::string& error);

// Starts built-in stage `stage` as the stage flow does after its title: the per-stage reset,
// the stage file, in replay mode (`replay`) its replay, the stage song. Lives 2, score 0.
// False with a message when the stage did not load or the replay is missing.
bool StartStage(int stage, bool replay, std::string& error);

// One pass of the play loop.
void Pass();

// The replay name of built-in stage n: "Level " + n.
std::string ReplayNameFor(int stage);

// "tick x y action tool room gold state" of the moment, for tracing a run.
std::string Describe(int tick);

}  // namespace solc

// Replays: the player's actions of one play of a stage, one action code per recorded step,
// run-length coded into `Demo` (core/globals.h): Demo[0][i] is the code of run i, Demo[1][i]
// its count (while recording: the run's steps less one, run 0 all its steps; once loaded from
// a file, one more).
//
// Action codes (Rec:: in core/codes.h): 0 none, 1 left, 2 right, 3 down, 4 up, 5 jump up, 6 jump
// left, 7 jump right, 8 throw, 9 dig sideways, 10 dig down, 11 a falling tick, 100 the exit door
// entered (closes the last run; never stored).
//
// The ".SOL" file, little-endian: N (4 bytes, the runs closed), then N + 1 records of the code
// (1 byte) and the count (4 bytes, signed). Record N is the run still open at the exit door.
#pragma once

#include <string>

#include "core/codes.h"

// The cursors, reset to 0 at every stage start.
extern int ActionCount;         // the run being recorded or played
extern int ActionNo;            // steps in the open run (recording); ticks of the run (playback)
extern int ActionType;          // the code handed to the recorder
extern int LastActionType;      // the code of the open run
extern int TotalActionCount;    // N of the loaded replay
extern std::string ReplayName;  // the current stage's replay name, without ".SOL"

constexpr int kReplayRuns = 5001;  // runs 0 to 5000
// The action codes by their older names; the codes themselves are Rec:: in core/codes.h.
constexpr int kActionNone = Rec::None, kActionLeft = Rec::Left, kActionRight = Rec::Right,
              kActionDown = Rec::Down, kActionUp = Rec::Up, kActionJumpUp = Rec::JumpUp,
              kActionJumpLeft = Rec::JumpLeft, kActionJumpRight = Rec::JumpRight,
              kActionThrow = Rec::Throw, kActionDigSide = Rec::DigSide,
              kActionDigDown = Rec::DigDown, kActionFall = Rec::Falling, kActionExit = Rec::End;

// Records ActionType as one step. Runs past the table's end are not recorded. Always 0.
int RecordAction();

// Live recording runs a step ahead of the ticks from a tick that records two steps (the first
// of a jump, or a walk off a ledge) to the next tick that records none (the landing). StepLead
// is that lead, 0 or more; EndRecordedTick closes a tick of live play (call it before the
// next), ResetStepLead starts a stage attempt at 0.
extern int StepLead;
void EndRecordedTick();
void ResetStepLead();
// Makes the last recorded step a step of `code`, as a run of its own: a throw made while the
// recording is a step ahead so falls on the tick that playback spends on that step.
void RetypeLastStep(int code);
// Writes the recorded replay to FilePath + ReplayName + ".SOL" (temporary file and rename).
// Always 0.
int SaveReplay();
// Reads the current stage's replay into Demo; a missing file, or one with N outside 1 to 5000
// or shorter than its N + 1 records, turns replay mode off and leaves Demo as it was. Always 0.
int LoadReplay();
// The folder LoadReplay reads from: Path + "Levels/", or Path + "PlayerLevels/" for a
// player-made stage.
std::string ReplayFolder();

// Playback, once per frame after the player's actions: advances the cursors; past the last
// loaded record the last record is held. A loaded run of count c drives c ticks, run 0 one
// fewer (none when its file count is 0), so playback keeps step with the recorded run.
void StepReplay();
// The action code that drives the player in replay mode: Demo[0][ActionCount].
int ReplayAction();

// Back to the program-start values (cursors 0, ReplayName empty). For tests.
void ResetReplayGlobals();

// One frame of play: drawing, the player's timed actions and the in-game keys.
#pragma once

// The pause loop shows the help picture instead of the pause text.
extern int Help;

// Key codes of the play screen's keys.
constexpr int kKeyHelp = 112;      // F1
constexpr int kKeyPause = 113;     // F2
constexpr int kKeyMap = 114;       // F3
constexpr int kKeyGrid = 115;      // F4
constexpr int kKeyGiveUp = 116;    // F5
constexpr int kKeyMusic = 117;     // F6
constexpr int kKeyEffects = 118;   // F7
constexpr int kKeySolution = 119;  // F8
constexpr int kKeyQuit = 27;       // Escape
constexpr int kFlashFrames = 150;  // frames of the door-open flash

// Draws one frame of play and handles the in-game keys; the play loop calls it as
// RenderGame(0) after each tick. With flag 0 the side strips are blacked out and the frame is
// shown (Flip); any other flag leaves both out. Always 0.
//
// Advances the player's action (AnimatePlayer), flashes the bar while the exit door has just
// opened, steps a replay, and runs the pause and help loop (F2, F1) and the map screen (F3).
// During a replay only F8 and Escape act.
int RenderGame(int flag);

// The play-field of the current room, the player's action and the bar: one frame's drawing.
void DrawPlayFrame();
// The rooms of the stage as small squares at the top, away from the player's half of the room.
void DrawRoomGrid();

// Back to the program-start values of this header's globals. For tests.
void ResetFrameGlobals();

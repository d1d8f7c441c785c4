// The player's input half: room changes, the probes of the cells around the body, the keys,
// the joystick or the replay, and the moves they start (walk, climb, fall, jump, throw, dig).
#pragma once

// CellAt and SetCell, the bounded cell lookup the probes use.
#include "core/globals.h"

// The probes: the Stage code of one cell near the body each, taken at the start of every
// UpdatePlayer from the position of that moment. A cell outside the grid reads as 0.
extern int tl, tr, bl, br, bld, brd, jltb, jrtb, jlt, jrt, ml, mr, flt, frt, flb, frb, mup1, mup2,
    mdown1, mdown2, fall;

extern int Fire;      // the fire input of this tick
extern int dx;        // +12 after a step right, -12 after a step left
extern int RectJump;  // the jump's side: 0 left, 1 right, 2 straight up
extern int Deep;      // blocks the dig just started removes: 1 or 2

// One tick of the player's input; the last step of UpdateGame. Always 0.
int UpdatePlayer();
// Moves the player into the neighbouring room (with wrap-around) when the body has left the
// room and the matching arrow is held or played (at the sides while falling, or at the bottom,
// whatever the keys). Always 0.
int FindRoom();
// Collapses the crumbling floors and vanishing ladders that have been crossed often enough,
// and clears their latch once the player is off them. Always 0.
int ActivateTrap();

// The Stage code at room pixel (px, py) of the current room; 0 outside the grid.
int ProbeAt(int px, int py);
// Sets the 21 probes from the player's position.
void TakeProbes();
// The direction code of this tick: keys, joystick or replay. Fire is set with it.
int ReadInput();
// The tick's input: the direction code, with Fire set. The first call of a tick reads the keys,
// the joystick or the replay (ReadInput); later calls in the same tick give the same input, so
// the traps and the player's input see one input per tick. UpdatePlayer ends the tick's input.
int TickInput();
// The arrow code the door and stone rules read this tick, as the replay holds it: in playback
// the played code; in live play the code this tick hands to the recorder: the direction code
// (0 when none) on the ground or a ladder without a fire press, 0 with a fire press, and
// otherwise the code the running action repeats (ActionType).
int TickArrow();
// A direction code of the keys' held states: left 1, right 2, down 3, up 4 summed.
int KeyCode(int left, int right, int down, int up);
// A direction code of the joystick's axes: up wins over down over right over left.
int JoyCode(int xdir, int ydir);

// Records the step of a frame of a jump, a fall, a dig or a door passage, in live play only;
// none in the tick of a mid-air throw, whose own step stands for the tick (a tick of those
// actions records one step, as playback spends one tick per step). A `code` of 0 or more is
// recorded instead of the code last handed to the recorder.
void RecordFrameStep(int code = -1);
// Forgets a throw's step at the end of the frame.
void EndFrameStep();

// Back to the program-start values of this header's globals. For tests.
void ResetPlayerGlobals();

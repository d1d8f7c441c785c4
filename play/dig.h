// Digging: the bricks beside or below the player removed one block at a time, with the
// crumbling picture, the tool's sound and the step into a sideways tunnel.
#pragma once

extern int DigingCounter;  // crumbling steps done: 0 to 2 the first block, 3 to 5 the second
extern int DigingTimer;    // ticks of the current step, 0 to 14
extern int DigFrame;       // crumbling picture of the current step, 0 to 2

// One tick of a sideways dig (Action 9) or a downward dig (Action 11).
void DigSideways();
void DigDown();
// Sets the three dig counters to 0; every dig starts so.
void ResetDigCounters();

// The per-stage state of play, set back at every stage start.
#pragma once

// The jump step of the player and the exit-door flash counter; 0 at every stage start.
extern int jcounter, FlashCounter;

// The new game's player: score 0, two lives, steps of 3 pixels across and up or down. The one
// place a new game sets them (the title menu, the replay recorder, the benchmarks).
void SetNewGamePlayer();

// Resets the per-stage state: counters of the enemies, traps and weapons, the player's pose,
// the replay cursors, and Game.State 26. Always 0.
int ResetAll();

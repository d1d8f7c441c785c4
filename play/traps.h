// The traps of the stage, one tick each: wall traps that build a brick column once the player
// stands under them, crumbling floors and vanishing ladders that count the player's crossings
// (ActivateTrap in play/player.h collapses them), 2 x 2 stones that fall into empty space and
// are pushed one cell at a time, and the two-way and one-way doors.
//
// Every cell a trap reads or writes goes through CellAt and SetCell (play/player.h): a trap
// record that reaches past the grid reads 0 there and writes nothing.
#pragma once

// One tick of every trap of Traps_list, first to last, with Trap as the cursor; a wall trap
// that has built its last brick leaves the list. Called by UpdateGame after the music and
// before the pick-up. Always 0.
int UpdateTraps();

// Moves the stone held in Trap into the next room when it has been pushed or has fallen out of
// its own: gives back the cells it covered, finds the room (left, right or below, wrapping to
// the far end of the row or the top of the column when that room does not exist), and takes
// the cells at its new place. Always 0.
int FindTrapRoom();

// The pushing counts: a stone moves on the 29th counted tick, a door opens on the 40th.
constexpr int kStonePushTicks = 28;
constexpr int kDoorPushTicks = 39;

// One tick of play: the music kept going, the traps, the pick-up of items and gold, the exit
// door, the thrown weapons, the enemies and the player's input, in that order.
#pragma once

// DoorOpened (core/globals.h) is set here when the last gold is taken; the frame's door-open
// flash clears it, and so does the exit.
#include "core/globals.h"

// One tick. Called once per pass of the play loop, before RenderGame. Always 0.
int UpdateGame();

// The stage music kept going (started again when it ended): not while dying, leaving or after
// the last gold. The tick calls it first; the help page and the map screen while they wait.
void KeepMusicGoing();
// The pick-up walk over Items_list: gold and items the player touches in the current room.
void PickUpItems();
// Starts the exit when the player stands in the open exit door of the current room.
void TestExitDoor();

// Room deletion and border fills on the stage being edited (positions in cells).
#pragma once

// Empties room (rx, ry): its cells become 0, its objects are removed with their counts (gold
// lowers NumOfGold and the door's count), the player's start and the exit door in it are
// cleared. The stage always keeps a room: deleting the last one leaves (0, 0), empty.
int DeleteRoom(int rx, int ry);
// Asks whether to delete the current room; "y" (any case) deletes it and empties SN.
int DeleteOneRoom();
// Asks whether to delete every room; "y" leaves the empty stage of room (0, 0), SN empty.
int DeleteAll();
// Fills the outer ring of the current room (and the second ring when `second` is above 0)
// with solid blocks for tool 1 or less, diggable bricks otherwise, whatever the cells held.
int DrawBorder(int second, int tool);

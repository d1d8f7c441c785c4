// The map screen of play (F3): the stage's rooms, and the plan of the room shown.
#pragma once

// The room whose plan the map screen shows; the frame sets it to the player's room when the
// screen opens.
extern int RoomXX, RoomYY;

// Draws and shows one frame of the map screen (the caller repeats it until Escape or F3): the
// stage's figures at the top, the 6 x 6 room chooser at the right (existing rooms green, the
// room shown red; a click on an existing room shows that room), and the plan of the room shown
// at 16 pixels a cell with its items, traps, exit door, the player's start and the enemies'
// starting places. Nothing of the stage changes. Always 0.
int DrawMap();

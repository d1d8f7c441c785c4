// The map screen of play (F3): the stage's rooms, and the plan of the room shown.
#pragma once

// The room whose plan the map screen shows; the frame sets it to the player's room when the
// screen opens.
extern int RoomXX, RoomYY;

// Draws and shows one frame of the map screen. Always 0.
//
// For now a plain stand-in: the play background with the 6 x 6 room chooser (existing rooms
// green, the room shown red).
int DrawMap();

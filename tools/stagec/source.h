// Stage sources: a stage written as text, for the stages that ship with the game.
//
//   # a comment; blank lines are skipped
//   signature 4 7 9 1              optional; 4 7 9 1 when left out
//   theme 3                        Worldtheme 0 to 5
//   backdrop 7                     BackGround 0 to 11
//   player 2 21 room 0 0           the player's start: cell column and row, room
//   door 20 19 gold 2 room 1 0     the exit door's top-left cell, the gold to collect, room
//   room 0 0                       a room record, then its 24 rows of 32 cells:
//   ................................
//   ...
//   enemy 3 5 kind 0 frame 0 room 1 0
//   trap 4 10 kind 0 frame 0 height 4 room 0 0
//   item 7 8 kind 6 frame 48 room 0 0
//   statue 12 2 frame 1 room 0 0
//
// Cells: '.' 0 empty, '#' 1 block, 'B' 2 brick, 'H' 3 ladder (left cell), 'V' 4 vanishing
// ladder (left cell), 'X' 88 crumbling floor or rock, '|' 99 right cell of a ladder.
// Objects keep the order of their lines; rooms the order of their records (a room written
// twice keeps its later cells and is listed twice, as a stage file may list it).
#pragma once

#include <string>

#include "stages/stage_format.h"

namespace stagec {

// Parses a stage source; on an error returns false with "line N: what" in `error`.
bool Parse(const std::string& text, stagefile::Data& out, std::string& error);

// The source text of a stage; Parse gives the same stage back when Writable holds.
std::string Write(const stagefile::Data& stage);
// False, with "room (rx, ry) row r column c holds code n ..." in `error`, when a cell of an
// existing room holds a code that has no character (Write shows it as '?', which Parse refuses).
bool Writable(const stagefile::Data& stage, std::string& error);

// The character of a cell code, or 0 for a code that has none.
char CellChar(int code);
// The cell code of a character, or -1.
int CellCode(char c);

}  // namespace stagec

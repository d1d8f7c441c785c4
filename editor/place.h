// Placing, painting and deleting on the current room with the selected tool.
#pragma once

#include "editor/editor.h"

// The most objects of one class a stage file can hold: its counts are single bytes.
constexpr int kMaxFileObjects = 255;

// The cell (c, r) of the current room, or 0 outside the cell grid; setting a cell outside the
// grid does nothing.
int EditCell(int c, int r);
void SetEditCell(int c, int r, int code);

// A left click in the room (or anywhere with the panels hidden) with the selected tool.
void PlaceObject(const EditorLoop& loop, int mx, int my);
// A new trap of the tool (11 to 18) clicked at cell (c, r), with its cells and height.
void PlaceTrap(int tool, int c, int r);
// A right click: every item, enemy, statue and trap under the pointer cell (sx, sy) of the
// current room is removed, a trap with its cells.
void DeleteUnder(int sx, int sy);
// Painting (left button) and erasing (right button) of blocks, bricks and ladders while a
// button is held.
void PaintHeld(const EditorLoop& loop);

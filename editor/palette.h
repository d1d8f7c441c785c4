// The editor's panels: the tool palette at the right, the bottom panel with its theme buttons,
// and the 6 x 6 room map under the palette. Hit areas in screen pixels.
#pragma once

#include "editor/editor.h"

// The pointer (its 48 x 48 cell at the mouse) lies on the palette or the bottom panel.
bool OnPanel(int mx, int my);
// The palette index under the pointer: 1 to 26 a tool, above 26 the area under the palette.
int PaletteIndex(int mx, int my);
// The corner of the highlight frame a palette click puts at (mx, my). Computed apart from the
// index, so near a column's right edge it frames the button to the right.
int HighlightX(int mx);
int HighlightY(int my);
// The room of the room map under (mx, my); false outside the map.
bool RoomMapHit(int mx, int my, int& rx, int& ry);

// A left click with the panels shown and the pointer on a panel: a tool, or a room of the map
// selected (and made when it does not exist and fewer than 36 rooms do).
void PanelClick(EditorLoop& loop, int mx, int my);
// Last of every left click: the bottom panel's delete-all and theme buttons.
void BottomPanelClick(EditorLoop& loop, int mx, int my);

// The panels over the room: the pictures, the room map, the pulsing highlight and the texts.
void DrawPanels(EditorLoop& loop);

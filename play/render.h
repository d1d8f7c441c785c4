// The play-field of the current room (RoomX, RoomY), layer by layer, and the bar below it.
// Positions are room pixels: play draws with the origin at (16, 0), the room is 768 x 576 and
// the bar lies at y 576 to 599. Each renderer walks its class's list first to last, leaves the
// list's cursor on the last object visited and draws only what lies in the current room.
#pragma once

// The pulsing colours: red and green step together from 0 to 255 and back by 5 per frame (the
// backdrop's colour), the statues' red glow by 3.
extern int redvalue, greenvalue, reddisp, greendisp;
extern int Statusred, Statusdisp;
// Item animation: every item steps one frame per 8 calls of RenderItems, over 8 frames.
extern int itemframeRate, itemframecounter;

// The pulsing colour over the screen, then the backdrop `BackGround` tiled over the viewport.
// The pulsing colour stays set.
int RenderBack();
// The same picture as RenderBack followed, in the same drawing state, by
// RenderBlocks(firstColumn, firstRow, theme) gives, pixel for pixel: the backdrop is left out
// of the cells the blocks will cover whole with opaque pictures. Call RenderBlocks with the same
// arguments before the frame is shown.
int RenderBack(int firstColumn, int firstRow, int theme);
// The statues of the current room, each over a red glow; the glow colour stays set.
int RenderDecoration();
// The cells of the room whose top-left cell is Stage[firstColumn][firstRow] in block theme
// `theme`, after the ladder pieces that stones and resting rocks cover and the mummies'
// coffins. Cells outside the grid draw nothing.
int RenderBlocks(int firstColumn, int firstRow, int theme);
// The exit door when it exists (State above 0) in the current room.
int RenderExitDoor();
int RenderItems();
int Rendertraps();
int RenderWeapons();
int RenderEnemiesG();
// The score bar with the score, or in the tutorials the framed tutorial line and heading.
int RenderPanel();

// Back to the program-start values of this header's globals. For tests.
void ResetRenderGlobals();

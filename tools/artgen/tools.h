// The six hand tools (two throwing weapons, four digging tools) as shapes that can be drawn
// at any size, angle and facing: the items, the weapons in flight and the tool in the
// player's hand all come from these.
#pragma once

#include "tools/artgen/pictures.h"

namespace artgen {

// kind 0 knife, 1 boomerang, 2 drill, 3 hammer, 4 pick, 5 scoop. The shape is centred on
// (cx, cy); scale is in percent of the item size (about 32 pixels across at 100);
// angle turns it clockwise in degrees; mirror flips it left-right first.
void DrawTool(const Art& art, Canvas& c, int kind, int cx, int cy, int scale, int angle,
              bool mirror, bool outline = true);
// The same with the tool's grip (where a hand holds it) on (hx, hy).
void DrawToolInHand(const Art& art, Canvas& c, int kind, int hx, int hy, int scale, int angle,
                    bool mirror);
// The gold: a small pile of coins and a bar, `glint` 0..7 moves the shine.
void DrawGold(const Art& art, Canvas& c, int cx, int cy, int glint);

}  // namespace artgen

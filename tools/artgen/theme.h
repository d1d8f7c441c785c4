// The six block themes and helpers shared by the world pictures.
#pragma once

#include "tools/artgen/pictures.h"

namespace artgen {

struct Theme {
  Colour light, base, dark, deep, accent;
};

// Theme t = 0..5: sandstone, granite, lapis, jade, terracotta, amethyst.
Theme ThemeOf(const Art& art, int t);

// Draws the 24 x 24 solid block, diggable brick or ladder piece of a theme at x, y.
void DrawSolid(const Art& art, Canvas& c, int x, int y, int t);
void DrawBrick(const Art& art, Canvas& c, int x, int y, int t);
void DrawLadder(const Art& art, Canvas& c, int x, int y, int t, bool vanishing);
// Brick cells crumbling, stage 0..2: `from` 0 eats them from the right edge (a dig towards the
// left), 1 from the left edge (a dig towards the right), 2 from the top (a dig downwards).
void DrawCrumble(const Art& art, Canvas& c, int x, int y, int w, int h, int t, int stage, int from,
                 unsigned seed);

}  // namespace artgen

// The world: block themes, crumbling bricks, backdrops and statues.
#include <string>

#include "tools/artgen/fonts.h"
#include "tools/artgen/theme.h"

namespace artgen {
namespace {

const char* const kCarvings[6] = {"carve_eye",  "carve_ankh", "carve_bird",
                                  "carve_wave", "carve_sun",  "carve_reed"};

void WrapPut(Canvas& c, int ox, int oy, int w, int h, int x, int y, Colour col) {
  c.Put(ox + ((x % w) + w) % w, oy + ((y % h) + h) % h, col);
}

void WrapFill(Canvas& c, int ox, int oy, int w, int h, int x, int y, int fw, int fh, Colour col) {
  for (int j = 0; j < fh; ++j)
    for (int i = 0; i < fw; ++i) WrapPut(c, ox, oy, w, h, x + i, y + j, col);
}

void Carving(const Art& art, Canvas& c, int x, int y, int which, Colour ink, Colour light) {
  const Canvas& s = art.src.Sprite(kCarvings[which % 6]);
  for (int j = 0; j < s.Height(); ++j)
    for (int i = 0; i < s.Width(); ++i)
      if (s.Opaque(i, j)) {
        c.Put(x + i + 1, y + j + 1, light);
        c.Put(x + i, y + j, ink);
      }
}

// Backdrop 2t: a wall of large dressed blocks with carvings; 2t + 1: a colonnade with a frieze.
// Both tile seamlessly at 192 x 96; a few small openings let the pulsing light through.
void Backdrop(const Art& art, Canvas& c, int ox, int oy, int b) {
  const int W = 192, H = 96;
  Theme th = ThemeOf(art, b / 2);
  // Kept dark so that the blocks, the sprites and the player stand out in front.
  const int dims[6] = {62, 80, 60, 80, 80, 100};
  const int dim = dims[b / 2];
  Colour base = Shade(Mix(th.deep, th.dark, 1, 3), dim);
  Colour lite = Shade(Mix(th.deep, th.dark, 3, 4), dim);
  Colour dark = Shade(th.deep, dim * 7 / 10), ink = Shade(th.deep, dim * 45 / 100);
  Rng rng(1000u + static_cast<unsigned>(b));
  c.Fill(ox, oy, W, H, base);
  if (b % 2 == 0) {
    for (int row = 0; row < 4; ++row) {
      int off = (row % 2) ? 24 : 0;
      for (int bx = 0; bx < W; bx += 48) {
        int x = bx + off, y = row * 24;
        WrapFill(c, ox, oy, W, H, x, y, 48, 1, lite);
        WrapFill(c, ox, oy, W, H, x, y, 1, 24, lite);
        WrapFill(c, ox, oy, W, H, x, y + 23, 48, 1, ink);
        WrapFill(c, ox, oy, W, H, x + 47, y, 1, 24, ink);
        if (rng.Below(3) == 0) {
          Canvas tmp(48, 24);
          const int kind = rng.Below(6), across = rng.Below(16);
          Carving(art, tmp, 14 + across, 7, kind, ink, lite);
          for (int j = 0; j < 24; ++j)
            for (int i = 0; i < 48; ++i)
              if (tmp.Opaque(i, j)) WrapPut(c, ox, oy, W, H, x + i, y + j, tmp.Get(i, j));
        }
      }
    }
    for (int k = 0; k < 240; ++k) {
      int x = rng.Below(W), y = rng.Below(H);
      WrapPut(c, ox, oy, W, H, x, y, k % 3 ? dark : lite);
    }
    // Two small gem holes per tile: the light behind the wall glints through them.
    WrapFill(c, ox, oy, W, H, 40, 34, 2, 2, kClear);
    WrapFill(c, ox, oy, W, H, 136, 82, 2, 2, kClear);
  } else {
    // Frieze band on top, a pillar every 96 pixels, dark bays with carvings between.
    for (int x = 0; x < W; ++x) {
      int z = (x / 4) % 2 ? (x % 4) : 3 - (x % 4);
      WrapFill(c, ox, oy, W, H, x, 0, 1, 10, lite);
      WrapPut(c, ox, oy, W, H, x, 3 + z, ink);
      WrapPut(c, ox, oy, W, H, x, 4 + z, dark);
      WrapPut(c, ox, oy, W, H, x, 10, ink);
    }
    for (int p = 0; p < 2; ++p) {
      int px = p * 96 + 38;
      WrapFill(c, ox, oy, W, H, px, 11, 20, 85, lite);
      WrapFill(c, ox, oy, W, H, px, 11, 2, 85, Mix(lite, th.dark, 1, 2));
      WrapFill(c, ox, oy, W, H, px + 18, 11, 2, 85, ink);
      for (int f = 5; f < 16; f += 5) WrapFill(c, ox, oy, W, H, px + f, 11, 1, 85, dark);
      WrapFill(c, ox, oy, W, H, px - 3, 11, 26, 4, Mix(lite, th.dark, 1, 2));
      WrapFill(c, ox, oy, W, H, px - 3, 15, 26, 1, ink);
      Canvas tmp(24, 16);
      Carving(art, tmp, 0, 0, (b + p) % 6, ink, lite);
      int cx = p * 96 + 84 + ((b * 7 + p * 13) % 8);
      for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 24; ++i)
          if (tmp.Opaque(i, j)) WrapPut(c, ox, oy, W, H, cx + i - 4, 40 + j, tmp.Get(i, j));
    }
    for (int k = 0; k < 160; ++k) {
      int x = rng.Below(W), y = 11 + rng.Below(H - 11);
      if (c.Get(ox + x, oy + y) == base) WrapPut(c, ox, oy, W, H, x, y, dark);
    }
    // Slit windows high in each bay.
    WrapFill(c, ox, oy, W, H, 16, 22, 2, 8, kClear);
    WrapFill(c, ox, oy, W, H, 112, 22, 2, 8, kClear);
  }
}

Picture BricksPicture(const Art& art) {
  Cells cells(48, 24, 21, 3);
  Canvas& c = cells.canvas;
  for (int t = 0; t < 6; ++t) {
    DrawSolid(art, c, cells.X(3 * t), cells.Y(3 * t), t);
    DrawBrick(art, c, cells.X(3 * t + 1), cells.Y(3 * t + 1), t);
    DrawLadder(art, c, cells.X(3 * t + 2), cells.Y(3 * t + 2), t, false);
  }
  DrawLadder(art, c, cells.X(18), cells.Y(18), 0, true);
  // 19: the wall trap's marker, a red warning eye set in a small gold diamond.
  int x = cells.X(19), y = cells.Y(19);
  c.Poly({{x + 12, y + 3}, {x + 21, y + 12}, {x + 12, y + 21}, {x + 3, y + 12}}, art.C("gold"));
  c.Poly({{x + 12, y + 6}, {x + 18, y + 12}, {x + 12, y + 18}, {x + 6, y + 12}}, art.C("red_dark"));
  c.Fill(x + 9, y + 11, 7, 3, art.C("red"));
  c.Fill(x + 11, y + 11, 3, 3, art.C("gold_light"));
  c.Outline(x, y, 24, 24, art.C("ink"));
  // 20: a spare cell, a heap of rubble.
  x = cells.X(20);
  y = cells.Y(20);
  c.Ellipse(x + 4, y + 14, 40, 10, art.C("sand_dark"));
  c.Ellipse(x + 12, y + 10, 20, 8, art.C("sand"));
  c.Outline(x, y, 48, 24, art.C("ink"));
  return cells.Done("Images/Bricks.png");
}

Picture HDigPicture(const Art& art) {
  Cells cells(24, 48, 36, 6);
  for (int t = 0; t < 6; ++t)
    for (int k = 0; k < 6; ++k) {
      int i = 6 * t + k;
      DrawCrumble(art, cells.canvas, cells.X(i), cells.Y(i), 24, 48, t, k % 3, k < 3 ? 0 : 1,
                  300u + static_cast<unsigned>(i));
    }
  return cells.Done("Images/HDigBlock.png");
}

Picture VDigPicture(const Art& art) {
  Cells cells(48, 24, 18, 3);
  for (int i = 0; i < 18; ++i)
    DrawCrumble(art, cells.canvas, cells.X(i), cells.Y(i), 48, 24, i / 3, i % 3, 2,
                400u + static_cast<unsigned>(i));
  return cells.Done("Images/VDigBlock.png");
}

// A statue in its niche: pillars, lintel and plinth in the theme's stone; the figure in the
// middle (frame 0 a seated cat, frame 1 a jackal-headed guardian); the rest of the glow box
// (21..80 x 15..72) stays open so the red glow behind shows around the figure.
void Statue(const Art& art, Canvas& c, int ox, int oy, int b, int which) {
  Theme th = ThemeOf(art, b / 2);
  Colour edge = art.C("ink");
  Canvas niche(96, 96);
  niche.Fill(6, 2, 84, 13, th.base);
  niche.Fill(6, 2, 84, 2, th.light);
  niche.Fill(10, 15, 11, 64, th.base);
  niche.Fill(75, 15, 11, 64, th.base);
  niche.Fill(10, 15, 2, 64, th.light);
  niche.Fill(75, 15, 2, 64, th.light);
  niche.Fill(19, 15, 2, 64, th.dark);
  niche.Fill(84, 15, 2, 64, th.dark);
  niche.Fill(4, 79, 88, 17, th.dark);
  niche.Fill(4, 79, 88, 2, th.base);
  niche.Fill(6, 13, 84, 2, th.dark);
  for (int x = 12; x < 86; x += 8) niche.Fill(x, 6, 4, 4, th.accent);
  niche.Outline(0, 0, 96, 96, edge);
  c.Blit(niche, ox, oy);
  Canvas fig(96, 96);
  Colour k = 1;  // any opaque colour: Sculpt recolours
  if (which == 0) {
    // Seated cat facing right.
    fig.Ellipse(30, 44, 34, 34, k);  // haunches
    fig.Ellipse(44, 30, 16, 30, k);  // chest
    fig.Disc(53, 27, 8, k);          // head
    fig.Poly({{46, 22}, {47, 12}, {52, 20}}, k);
    fig.Poly({{55, 20}, {60, 11}, {61, 22}}, k);
    fig.Fill(58, 28, 6, 5, k);   // muzzle
    fig.Fill(48, 60, 6, 18, k);  // front legs
    fig.Fill(56, 62, 6, 16, k);
    fig.ThickLine(31, 74, 24, 62, 4, k);  // tail curling up the side
    fig.ThickLine(24, 62, 26, 54, 3, k);
  } else {
    // Guardian with a jackal head and a staff, facing right.
    fig.Fill(40, 30, 18, 26, k);  // torso
    fig.Fill(38, 54, 22, 20, k);  // kilt
    fig.Fill(41, 72, 6, 6, k);    // legs
    fig.Fill(52, 72, 6, 6, k);
    fig.Disc(49, 22, 7, k);                                 // head
    fig.Poly({{52, 18}, {66, 22}, {65, 26}, {52, 27}}, k);  // snout
    fig.Poly({{44, 18}, {45, 6}, {50, 16}}, k);             // ears
    fig.Poly({{48, 16}, {52, 5}, {54, 17}}, k);
    fig.ThickLine(58, 34, 64, 46, 4, k);  // arm
    fig.ThickLine(66, 14, 66, 77, 3, k);  // staff
    fig.Fill(63, 12, 7, 3, k);
  }
  Colour light, base, dark;
  if (b % 2 == 0) {
    light = art.C("gold_light");
    base = art.C("gold");
    dark = art.C("gold_dark");
  } else {
    light = th.light;
    base = Mix(th.light, th.base, 1, 2);
    dark = th.base;
  }
  Sculpt(fig, light, base, dark, edge);
  // Details: the eye, a collar.
  if (which == 0) {
    fig.Put(56, 25, art.C("turq"));
    fig.Fill(46, 36, 14, 2, art.C("lapis"));
  } else {
    fig.Put(54, 20, art.C("turq"));
    fig.Fill(40, 32, 18, 3, art.C("lapis"));
    fig.Fill(40, 35, 18, 1, art.C("gold_light"));
  }
  c.Blit(fig, ox, oy);
}

}  // namespace

void DrawWorldPictures(const Art& art, std::vector<Picture>& out) {
  Cells back(192, 96, 12, 2);
  for (int b = 0; b < 12; ++b) Backdrop(art, back.canvas, back.X(b), back.Y(b), b);
  out.push_back(back.Done("Images/Back.png"));
  out.push_back(BricksPicture(art));
  out.push_back(HDigPicture(art));
  out.push_back(VDigPicture(art));
  Cells statues(96, 96, 24, 2);
  for (int i = 0; i < 24; ++i)
    Statue(art, statues.canvas, statues.X(i), statues.Y(i), i / 2, i % 2);
  out.push_back(statues.Done("Images/Status.png"));
}

}  // namespace artgen

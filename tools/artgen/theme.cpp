#include "tools/artgen/theme.h"

#include <algorithm>

namespace artgen {

Theme ThemeOf(const Art& art, int t) {
  switch (t) {
    case 1:
      return {art.C("stone_light"), art.C("stone"), art.C("stone_dark"), art.C("shadow"),
              art.C("turq")};
    case 2:
      return {Mix(art.C("lapis"), art.C("white"), 1, 3), art.C("lapis"), art.C("lapis_dark"),
              art.C("navy"), art.C("gold")};
    case 3:
      return {art.C("jade_light"), art.C("jade"), art.C("jade_dark"), Shade(art.C("jade_dark"), 55),
              art.C("gold_light")};
    case 4:
      return {art.C("clay_light"), art.C("clay"), art.C("clay_dark"), art.C("brown_dark"),
              art.C("sand_light")};
    case 5:
      return {art.C("amethyst_light"), art.C("amethyst"), art.C("amethyst_dark"),
              Shade(art.C("amethyst_dark"), 55), art.C("turq_light")};
    default:
      return {art.C("sand_light"), art.C("sand"), art.C("sand_dark"), art.C("sand_deep"),
              art.C("lapis")};
  }
}

void DrawSolid(const Art& art, Canvas& c, int x, int y, int t) {
  Theme th = ThemeOf(art, t);
  Rng rng(100u + static_cast<unsigned>(t));
  // One big dressed stone: bevelled edges, a faint grain and a carved square in the middle.
  c.Fill(x, y, 24, 24, th.base);
  for (int i = 0; i < 26; ++i) {
    const int dy = rng.Below(20), dx = rng.Below(20);
    c.Put(x + 2 + dx, y + 2 + dy, Mix(th.base, th.dark, 1, 3));
  }
  for (int i = 0; i < 10; ++i) {
    const int dy = rng.Below(20), dx = rng.Below(20);
    c.Put(x + 2 + dx, y + 2 + dy, Mix(th.base, th.light, 1, 2));
  }
  c.Fill(x, y, 24, 2, th.light);
  c.Fill(x, y, 2, 24, th.light);
  c.Fill(x, y + 22, 24, 2, th.dark);
  c.Fill(x + 22, y, 2, 24, th.dark);
  c.Put(x + 1, y + 22, th.light);
  c.Put(x + 22, y + 1, th.dark);
  c.Frame(x, y, 24, 24, th.deep);
  c.Frame(x + 7, y + 7, 10, 10, th.dark);
  c.Frame(x + 8, y + 8, 10, 10, th.light);
  c.Fill(x + 8, y + 8, 9, 9, th.base);
  c.Fill(x + 11, y + 11, 3, 3, th.accent);
}

void DrawBrick(const Art& art, Canvas& c, int x, int y, int t) {
  Theme th = ThemeOf(art, t);
  Rng rng(200u + static_cast<unsigned>(t));
  Colour mortar = th.deep;
  c.Fill(x, y, 24, 24, mortar);
  // Three courses of small bricks, offset: the loose masonry one can dig through.
  const int rows[3] = {0, 8, 16};
  for (int r = 0; r < 3; ++r) {
    int off = (r % 2) ? -6 : 0;
    for (int bx = off; bx < 24; bx += 12) {
      int x0 = std::max(bx, 0), x1 = std::min(bx + 11, 24);
      int yy = y + rows[r];
      c.Fill(x + x0, yy, x1 - x0, 7, th.base);
      c.Fill(x + x0, yy, x1 - x0, 1, th.light);
      c.Fill(x + x0, yy + 6, x1 - x0, 1, th.dark);
    }
  }
  // Cracks and crumbs show it gives way.
  c.Line(x + 15, y + 1, x + 17, y + 5, th.deep);
  c.Line(x + 4, y + 17, x + 7, y + 21, th.deep);
  for (int i = 0; i < 8; ++i) {
    const int dy = rng.Below(24), dx = rng.Below(24);
    c.Put(x + dx, y + dy, th.dark);
  }
}

void DrawLadder(const Art& art, Canvas& c, int x, int y, int t, bool vanishing) {
  Colour rail, railHi, rung, rungLo;
  if (vanishing) {
    rail = art.C("turq");
    railHi = art.C("turq_light");
    rung = art.C("turq_light");
    rungLo = art.C("turq_dark");
  } else {
    Theme th = ThemeOf(art, t);
    rail = Mix(art.C("wood"), th.base, 1, 4);
    railHi = Mix(art.C("wood_light"), th.light, 1, 4);
    rung = art.C("wood_light");
    rungLo = art.C("wood");
  }
  Colour edge = art.C("brown_dark");
  for (int r = 0; r < 2; ++r) {
    int ry = y + 5 + 12 * r;
    if (vanishing) {
      for (int i = 10; i < 38; i += 3) c.Fill(x + i, ry, 2, 2, (i / 3) % 2 ? rung : rungLo);
    } else {
      c.Fill(x + 9, ry - 1, 30, 1, edge);
      c.Fill(x + 9, ry, 30, 2, rung);
      c.Fill(x + 9, ry + 2, 30, 1, rungLo);
    }
  }
  for (int side = 0; side < 2; ++side) {
    int rx = x + (side ? 37 : 7);
    if (vanishing) {
      for (int j = 0; j < 24; ++j)
        if ((j / 2) % 2 == 0) c.Fill(rx, y + j, 4, 1, j % 4 == 0 ? railHi : rail);
      c.Put(rx + 1, y + 3, art.C("white"));
    } else {
      c.Fill(rx - 1, y, 1, 24, edge);
      c.Fill(rx, y, 4, 24, rail);
      c.Fill(rx, y, 1, 24, railHi);
      c.Fill(rx + 4, y, 1, 24, edge);
    }
  }
}

void DrawCrumble(const Art& art, Canvas& dst, int x, int y, int w, int h, int t, int stage,
                 int from, unsigned seed) {
  Theme th = ThemeOf(art, t);
  Canvas c(w, h);
  // Start from whole bricks, then eat them from the dug side; loose crumbs stay behind.
  for (int j = 0; j < h; j += 24)
    for (int i = 0; i < w; i += 24) DrawBrick(art, c, i, j, t);
  Rng rng(seed);
  int eaten = stage == 0 ? 0 : (stage == 1 ? 40 : 75);  // percent of the depth gone
  int size = from == 2 ? h : w;
  for (int j = 0; j < h; ++j) {
    int jag = rng.Below(5);
    for (int i = 0; i < w; ++i) {
      int depth = from == 0 ? w - 1 - i : (from == 1 ? i : j);  // distance from the digger
      int edge = from == 2 ? rng.Below(5) : jag;
      if ((depth + edge) * 100 < eaten * size + 2 * size * (stage > 0)) c.Put(i, j, kClear);
    }
  }
  for (int k = 0; k < 2 + 3 * stage; ++k) {
    int cx = rng.Below(w), cy = rng.Below(h);
    int ex = cx + rng.Below(9) - 4, ey = cy + rng.Below(9) - 4;
    if (c.Opaque(cx, cy)) c.Line(cx, cy, ex, ey, th.deep);
  }
  for (int k = 0; k < 3 + 4 * stage; ++k) {
    int i = rng.Below(w - 1), j = rng.Below(h - 1);
    if (stage > 0 && !c.Opaque(i, j)) c.Fill(i, j, 2, 2, k % 2 ? th.dark : th.base);
  }
  dst.Blit(c, x, y);
}

}  // namespace artgen

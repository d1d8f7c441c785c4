// Enemies.png: slow and fast mummies, the rolling rock, the pony, the dying puff and the
// forming cloud.
#include <cmath>

#include "tools/artgen/pictures.h"

namespace artgen {
namespace {

struct MummyLook {
  Colour light, base, dark, eye;
};

MummyLook LookOf(const Art& art, int kind) {
  if (kind == 0) return {art.C("bone"), art.C("linen"), art.C("linen_dark"), art.C("turq")};
  return {Mix(art.C("linen_dark"), art.C("jade_light"), 1, 3),
          Mix(art.C("linen_deep"), art.C("jade"), 1, 3), art.C("linen_deep"), art.C("red")};
}

// Wraps of bandage across a silhouette drawn in one colour.
void Bandage(Canvas& c, const MummyLook& look) {
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (!c.Opaque(x, y)) continue;
      int band = (y * 2 + x / 3) % 7;
      c.Put(x, y, band == 0 ? look.dark : (band == 1 ? look.light : look.base));
    }
}

// Rounds a figure: across every row the right part of each run falls into shade.
void Round(Canvas& c) {
  Canvas src = c;
  for (int y = 0; y < c.Height(); ++y) {
    int x = 0;
    while (x < c.Width()) {
      if (!src.Opaque(x, y)) {
        ++x;
        continue;
      }
      int l = x;
      while (x < c.Width() && src.Opaque(x, y)) ++x;
      int r = x - 1;
      for (int i = l; i <= r; ++i) {
        int t = r > l ? (i - l) * 100 / (r - l) : 50;
        if (t > 70) c.Put(i, y, Shade(src.Get(i, y), 78));
        if (t < 20 && r - l > 3) c.Put(i, y, Mix(src.Get(i, y), 0xFFFFFF, 1, 6));
      }
    }
  }
}

// Walking, facing right, step 0 or 1: arms held out in front, a stiff shuffle.
Canvas MummyWalk(const Art& art, int kind, int step) {
  MummyLook look = LookOf(art, kind);
  Canvas c(48, 48);
  Colour k = look.base;
  int bob = step;                                 // the body dips on the second step
  c.Disc(25, 9 + bob, 5, k);                      // head
  c.Fill(19, 14 + bob, 12, 19, k);                // body
  c.ThickLine(27, 17 + bob, 40, 18 + bob, 4, k);  // arms reaching forward
  c.ThickLine(24, 19 + bob, 38, 21 + bob, 3, k);
  int a = step ? 4 : -3;
  c.ThickLine(23, 32, 23 + a, 46, 5, k);  // legs
  c.ThickLine(27, 32, 27 - a, 46, 5, k);
  Bandage(c, look);
  Round(c);
  // Trailing loose bandage.
  c.Line(19, 26 + bob, 14, 30 + bob + step, look.light);
  c.Line(14, 30 + bob + step, 12, 34 + bob, look.dark);
  c.Fill(27, 8 + bob, 3, 2, look.eye);
  c.Put(28, 8 + bob, art.C("white"));
  c.Outline(0, 0, 48, 48, art.C("ink"));
  return c;
}

Canvas MummyClimb(const Art& art, int kind, int step) {
  MummyLook look = LookOf(art, kind);
  Canvas c(48, 48);
  Colour k = look.base;
  c.Disc(24, 9, 5, k);
  c.Fill(18, 14, 13, 18, k);
  int hi = step ? 1 : 0;
  c.ThickLine(18, 15, 13, hi ? 3 : 9, 4, k);
  c.ThickLine(30, 15, 35, hi ? 9 : 3, 4, k);
  c.ThickLine(21, 31, 19, hi ? 40 : 46, 5, k);
  c.ThickLine(27, 31, 29, hi ? 46 : 40, 5, k);
  Bandage(c, look);
  Round(c);
  c.Outline(0, 0, 48, 48, art.C("ink"));
  return c;
}

// Standing, facing out, arms crossed on the chest: in the coffin and while halting.
Canvas MummyHalt(const Art& art, int kind, int step) {
  MummyLook look = LookOf(art, kind);
  Canvas c(48, 48);
  Colour k = look.base;
  c.Disc(24, 9, 5, k);
  c.Fill(17, 14, 15, 20, k);
  c.Fill(19, 33, 11, 14, k);
  Bandage(c, look);
  Round(c);
  c.Line(18, 18, 30, 26, look.dark);  // crossed arms
  c.Line(30, 18, 18, 26, look.dark);
  c.Line(18, 19, 30, 27, look.light);
  c.Line(30, 19, 18, 27, look.light);
  c.Fill(24, 34, 1, 13, look.dark);
  Colour eye = step ? art.C("white") : look.eye;
  c.Fill(21, 8, 2, 2, eye);
  c.Fill(26, 8, 2, 2, eye);
  c.Outline(0, 0, 48, 48, art.C("ink"));
  return c;
}

Canvas Rock(const Art& art, int step, bool waiting) {
  Canvas c(48, 48);
  int sx = waiting && step ? 1 : 0;
  // A ball lit from the upper left: bands by the distance from the light.
  const int cx = 24 + sx, cy = 26, r = 20;
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x) {
      int dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy > r * r + r) continue;
      int lx = x - (cx - 7), ly = y - (cy - 8), d2 = lx * lx + ly * ly;
      Colour col = d2 < 64 ? art.C("stone_light")
                           : (d2 < 400 ? art.C("stone")
                                       : (d2 < 700 ? art.C("stone_dark") : art.C("shadow")));
      c.Put(x, y, col);
    }
  c.Outline(0, 0, 48, 48, art.C("ink"));
  // Cracks that turn with the roll.
  double a = (step ? 45.0 : 0.0) * 3.14159265358979 / 180.0;
  for (int k = 0; k < 3; ++k) {
    double t = a + k * 2.0944;
    int x1 = 24 + sx + static_cast<int>(std::lround(6 * std::cos(t)));
    int y1 = 26 + static_cast<int>(std::lround(6 * std::sin(t)));
    int x2 = 24 + sx + static_cast<int>(std::lround(16 * std::cos(t + 0.3)));
    int y2 = 26 + static_cast<int>(std::lround(16 * std::sin(t + 0.3)));
    c.Line(x1, y1, x2, y2, art.C("stone_dark"));
  }
  c.Disc(16 + sx, 17, 2, art.C("bone"));
  if (waiting) {
    // Awake and watching: two eyes under heavy brows.
    int ey = 24;
    c.Fill(15 + sx, ey, 6, 4, art.C("ink"));
    c.Fill(28 + sx, ey, 6, 4, art.C("ink"));
    c.Fill(17 + sx + step, ey + 1, 2, 2, art.C("orange"));
    c.Fill(30 + sx + step, ey + 1, 2, 2, art.C("orange"));
    c.Line(14 + sx, ey - 3, 21 + sx, ey - 1, art.C("shadow"));
    c.Line(35 + sx, ey - 3, 28 + sx, ey - 1, art.C("shadow"));
  }
  return c;
}

// The pony facing right: pose 0 standing/aiming, 1 landing (legs stretched), 2 and 3 climbing.
Canvas Pony(const Art& art, int pose) {
  Canvas c(48, 48);
  Colour coat = art.C("clay_light"), dark = art.C("clay"), mane = art.C("brown_dark");
  if (pose >= 2) {
    // Climbing, seen from behind: rump, tail and legs on the rungs.
    int up = pose - 2;
    c.Ellipse(14, 14, 20, 22, coat);
    c.Disc(24, 9, 5, dark);
    c.ThickLine(17, 30, 16, up ? 40 : 46, 4, dark);
    c.ThickLine(31, 30, 32, up ? 46 : 40, 4, dark);
    c.ThickLine(17, 18, 12, up ? 6 : 12, 3, dark);
    c.ThickLine(31, 18, 36, up ? 12 : 6, 3, dark);
    c.ThickLine(24, 24, 24 + (up ? 2 : -2), 38, 3, mane);  // tail
    c.Fill(22, 2, 2, 4, mane);
    c.Fill(25, 2, 2, 4, mane);
    c.Outline(0, 0, 48, 48, art.C("ink"));
    return c;
  }
  int lift = pose == 1 ? 2 : 0;
  c.Ellipse(10, 20 - lift, 26, 14, coat);                                // body
  c.Poly({{28, 24 - lift}, {33, 10}, {38, 10}, {35, 26 - lift}}, coat);  // neck
  c.Ellipse(32, 6, 13, 8, coat);                                         // head
  c.Fill(41, 9, 4, 4, dark);                                             // muzzle
  int spread = pose == 1 ? 6 : 0;
  c.ThickLine(14, 31 - lift, 12 - spread, 46 - lift, 3, dark);  // legs
  c.ThickLine(18, 31 - lift, 17 - spread / 2, 46 - lift, 3, coat);
  c.ThickLine(30, 31 - lift, 31 + spread / 2, 46 - lift, 3, coat);
  c.ThickLine(33, 30 - lift, 35 + spread, 46 - lift, 3, dark);
  c.ThickLine(10, 22 - lift, 4, 34 - lift, 3, mane);  // tail
  c.ThickLine(30, 8, 27, 22 - lift, 2, mane);         // mane
  c.Poly({{34, 6}, {35, 1}, {37, 6}}, dark);          // ear
  c.Put(38, 8, art.C("ink"));
  c.Put(39, 8, art.C("ink"));
  c.Fill(12, 22 - lift, 20, 2, Mix(coat, art.C("white"), 1, 3));
  c.Outline(0, 0, 48, 48, art.C("ink"));
  return c;
}

Canvas Mirror(const Canvas& c) {
  Canvas m(c.Width(), c.Height());
  m.Blit(c, 0, 0, true);
  return m;
}

// Dust and a rising spirit: the end of any enemy.
Canvas Puff(const Art& art, int step) {
  Canvas c(48, 48);
  Rng rng(2000u + static_cast<unsigned>(step));
  int r = step ? 9 : 13;
  const int ox[5] = {-10, 10, 0, -6, 7}, oy[5] = {6, 6, 10, -2, -1};
  for (int k = 0; k < 5; ++k) c.Disc(24 + ox[k], 28 + oy[k] - 4 * step, r - k, art.C("sand_light"));
  for (int k = 0; k < 30; ++k) {
    int x = 6 + rng.Below(36), y = 24 + rng.Below(22) - 4 * step;
    if (c.Opaque(x, y)) c.Put(x, y, art.C("sand"));
  }
  c.Outline(0, 0, 48, 48, art.C("sand_dark"));
  // The spirit: a small ankh of light.
  int ay = step ? 4 : 10;
  c.Fill(23, ay + 5, 3, 10, art.C("turq_light"));
  c.Fill(19, ay + 7, 11, 2, art.C("turq_light"));
  c.Ellipse(21, ay, 7, 7, art.C("turq_light"));
  c.Ellipse(23, ay + 2, 3, 3, kClear);
  return c;
}

// A cloud swirling into shape: the pony or the rock about to appear.
Canvas Cloud(const Art& art, int step) {
  Canvas c(48, 48);
  int grow = step * 3;
  const int ox[6] = {-11, 11, 0, -5, 6, 0}, oy[6] = {4, 4, 9, -4, -4, 0};
  for (int k = 0; k < 6; ++k)
    c.Disc(24 + ox[k] * (10 + grow) / 13, 28 + oy[k], 7 + grow / 2, art.C("turq_light"));
  Canvas shade(48, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      if (c.Opaque(x, y) && !c.Opaque(x, y + 3)) shade.Put(x, y, art.C("turq"));
  c.Blit(shade, 0, 0);
  // A spiral drawn into it.
  double turn = step * 1.2;
  for (int i = 0; i < 40; ++i) {
    double t = i * 0.3 + turn, rad = 1 + i * 0.35;
    c.Put(24 + static_cast<int>(std::lround(rad * std::cos(t))),
          28 + static_cast<int>(std::lround(rad * std::sin(t))), art.C("lapis"));
  }
  c.Outline(0, 0, 48, 48, art.C("navy"));
  c.Put(10, 12 + 6 * step, art.C("white"));
  c.Put(38, 18 - 6 * step, art.C("white"));
  return c;
}

}  // namespace

void DrawEnemyPictures(const Art& art, std::vector<Picture>& out) {
  Cells cells(48, 48, 30, 10);
  auto put = [&](int i, const Canvas& cell) { cells.canvas.Blit(cell, cells.X(i), cells.Y(i)); };
  for (int kind = 0; kind < 2; ++kind)
    for (int step = 0; step < 2; ++step) {
      Canvas right = MummyWalk(art, kind, step);
      put(6 * kind + step, Mirror(right));
      put(6 * kind + 2 + step, right);
      put(6 * kind + 4 + step, MummyClimb(art, kind, step));
      put(22 + 2 * kind + step, MummyHalt(art, kind, step));
    }
  put(12, Rock(art, 0, false));
  put(13, Rock(art, 1, false));
  put(14, Mirror(Pony(art, 1)));
  put(15, Mirror(Pony(art, 0)));
  put(16, Pony(art, 0));
  put(17, Pony(art, 1));
  put(18, Pony(art, 2));
  put(19, Pony(art, 3));
  put(20, Puff(art, 0));
  put(21, Puff(art, 1));
  put(26, Rock(art, 0, true));
  put(27, Rock(art, 1, true));
  put(28, Cloud(art, 0));
  put(29, Cloud(art, 1));
  out.push_back(cells.Done("Images/Enemies.png"));
}

}  // namespace artgen

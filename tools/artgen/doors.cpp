// Doors.png (door traps of three heights, coffins) and XDoor.png (the exit door and the
// crumbling floor).
#include <algorithm>
#include <string>

#include "tools/artgen/fonts.h"
#include "tools/artgen/pictures.h"

namespace artgen {
namespace {

struct LeafLook {
  Colour light, base, dark, trim;
};

// A door leaf filling x0..x1 (inclusive) and rows 0..h-1; `narrow` shades it as turned away.
void Leaf(const Art& art, Canvas& c, int x0, int x1, int h, const LeafLook& look, bool narrow) {
  int w = x1 - x0 + 1;
  c.Fill(x0, 0, w, h, narrow ? look.dark : look.base);
  c.Fill(x0, 0, 1, h, look.light);
  c.Fill(x1, 0, 1, h, Shade(look.dark, 70));
  if (!narrow && w >= 12) {
    for (int y = 6; y + 14 < h; y += 24) c.Frame(x0 + 3, y, w - 6, 18, look.dark);
    for (int y = 3; y < h; y += 24) {
      c.Fill(x0 + 1, y, w - 2, 2, look.trim);  // metal bands
      c.Put(x0 + 2, y, art.C("white"));
    }
  } else {
    for (int y = 3; y < h; y += 24) c.Fill(x0 + 1, y, std::max(1, w - 2), 2, look.trim);
  }
  c.Frame(x0, 0, w, h, art.C("ink"));
}

void Arrow(const Art& art, Canvas& c, int cx, int cy, int dir, Colour col) {
  // dir -1 points left, +1 right, 0 both ways.
  auto head = [&](int d) {
    c.Poly({{cx + d * 8, cy}, {cx + d * 3, cy - 5}, {cx + d * 3, cy + 5}}, col);
  };
  c.Fill(cx - 5, cy - 1, 11, 3, col);
  if (dir <= 0) head(-1);
  if (dir >= 0) head(1);
  c.Outline(cx - 10, cy - 7, 21, 15, art.C("ink"));
}

// A two-way door of height h cells, turn 0..3 (0 leaf right, 3 leaf left).
Canvas TwoWay(const Art& art, int h, int turn) {
  Canvas c(48, 96);
  int px = 24 * (h - 1);
  LeafLook look{art.C("wood_light"), art.C("wood"), art.C("brown"), art.C("gold_dark")};
  const int x0[4] = {24, 21, 9, 0}, x1[4] = {47, 38, 26, 23};
  Leaf(art, c, x0[turn], x1[turn], px, look, turn == 1 || turn == 2);
  if (turn == 0 || turn == 3) Arrow(art, c, x0[turn] + 12, px / 2, 0, art.C("gold_light"));
  return c;
}

// A one-way door: 0 shut with the leaf right (passable leftwards), 3 shut with the leaf left
// (passable rightwards), 1 and 2 swung open.
Canvas OneWay(const Art& art, int h, int step) {
  Canvas c(48, 96);
  int px = 24 * (h - 1);
  LeafLook look{Mix(art.C("lapis"), art.C("white"), 1, 3), art.C("lapis"), art.C("lapis_dark"),
                art.C("gold")};
  if (step == 0 || step == 3) {
    int x0 = step == 0 ? 24 : 0;
    Leaf(art, c, x0, x0 + 23, px, look, false);
    Arrow(art, c, x0 + 12, px / 2, step == 0 ? -1 : 1, art.C("gold_light"));
    c.Fill(step == 0 ? 44 : 0, 0, 4, px, art.C("steel_dark"));  // hinge post
  } else {
    // Swung open: the leaf seen edge-on next to its hinge.
    int x0 = step == 1 ? 30 : 10;
    Leaf(art, c, x0, x0 + 7, px, look, true);
    c.Fill(step == 1 ? 44 : 0, 0, 4, px, art.C("steel_dark"));
  }
  return c;
}

// A mummy's coffin, upright, beat 0 shut, 1 ajar, 2 open.
Canvas Coffin(const Art& art, int kind, int beat) {
  Canvas c(48, 96);
  Colour body = kind ? art.C("jade_dark") : art.C("gold_dark");
  Colour face = kind ? art.C("jade") : art.C("gold");
  Colour band = kind ? art.C("red_dark") : art.C("lapis");
  // The case: a rounded head end, straight sides.
  c.Ellipse(4, 0, 40, 24, body);
  c.Fill(4, 12, 40, 84, body);
  c.Frame(4, 12, 40, 84, art.C("brown_dark"));
  c.Outline(0, 0, 48, 96, art.C("ink"));
  // Inside: darkness.
  c.Ellipse(8, 3, 32, 20, art.C("night"));
  c.Fill(8, 13, 32, 80, art.C("night"));
  if (beat == 2) {
    // Lid swung aside: only its edge shows at the right.
    c.Fill(40, 4, 6, 90, face);
    c.Fill(44, 4, 2, 90, band);
    c.Frame(40, 4, 6, 90, art.C("ink"));
    return c;
  }
  int shift = beat == 1 ? 6 : 0;
  Canvas lid(48, 96);
  lid.Ellipse(6, 1, 36, 22, face);
  lid.Fill(6, 12, 36, 82, face);
  for (int y = 50; y < 90; y += 8) lid.Fill(8, y, 32, 3, band);
  // The painted face and crossed arms.
  lid.Ellipse(12, 3, 24, 26, band);  // the striped headdress
  for (int y = 8; y < 28; y += 3) lid.Fill(12, y, 24, 1, face);
  lid.Ellipse(16, 6, 16, 18, art.C("gold_light"));
  lid.Fill(19, 12, 3, 2, art.C("ink"));
  lid.Fill(26, 12, 3, 2, art.C("ink"));
  lid.Fill(23, 15, 2, 4, art.C("gold_dark"));
  // A broad collar, and a winged sun across the chest.
  lid.Ellipse(10, 22, 28, 12, band);
  lid.Ellipse(14, 22, 20, 7, face);
  lid.Fill(16, 28, 16, 1, art.C("gold_light"));
  for (int i = 0; i < 4; ++i) {
    lid.Fill(8 + i * 2, 39 + i, 14 - i * 2, 1, band);
    lid.Fill(26, 39 + i, 14 - i * 2, 1, band);
  }
  lid.Disc(24, 41, 3, art.C("orange"));
  lid.Put(23, 40, art.C("gold_light"));
  lid.Outline(0, 0, 48, 96, art.C("ink"));
  c.Blit(lid, shift, 0);
  return c;
}

// The exit gate: pylons, a lintel with the winged sun, and the doorway.
void Gate(const Art& art, Canvas& c) {
  Colour stone = art.C("sand"), light = art.C("sand_light"), dark = art.C("sand_dark");
  c.Fill(0, 10, 16, 86, stone);
  c.Fill(80, 10, 16, 86, stone);
  c.Fill(0, 0, 96, 16, stone);
  c.Fill(0, 0, 96, 2, light);
  c.Fill(0, 14, 96, 2, dark);
  c.Fill(0, 10, 2, 86, light);
  c.Fill(80, 10, 2, 86, light);
  c.Fill(14, 16, 2, 80, dark);
  c.Fill(94, 10, 2, 86, dark);
  for (int y = 24; y < 96; y += 12) {
    c.Fill(3, y, 10, 1, dark);
    c.Fill(83, y, 10, 1, dark);
  }
  // Winged sun disc.
  c.Disc(48, 8, 4, art.C("gold"));
  c.Put(47, 6, art.C("gold_light"));
  for (int i = 0; i < 4; ++i) {
    c.Fill(30 - i * 3, 6 + i, 14, 1, art.C("lapis"));
    c.Fill(52 + i * 3, 6 + i, 14, 1, art.C("lapis"));
  }
}

void GateDoors(const Art& art, Canvas& c, int open) {  // open 0 (shut) .. 32 (wide open)
  int w = 32 - open;
  if (w <= 0) return;
  Colour wood = art.C("wood"), light = art.C("wood_light"), band = art.C("gold_dark");
  c.Fill(16, 16, w, 80, wood);
  c.Fill(80 - w, 16, w, 80, wood);
  for (int y = 26; y < 96; y += 20) {
    c.Fill(16, y, w, 2, band);
    c.Fill(80 - w, y, w, 2, band);
  }
  c.Fill(16, 16, 1, 80, light);
  c.Fill(80 - w, 16, 1, 80, light);
  c.Fill(16 + w - 1, 16, 1, 80, art.C("brown_dark"));
  c.Fill(79, 16, 1, 80, art.C("brown_dark"));
}

Canvas Exit(const Art& art, int frame, const Canvas& player) {
  Canvas c(96, 96);
  Gate(art, c);
  if (frame == 0 || frame >= 17) {
    // The doorway open: warm light inside.
    c.VGradient(16, 16, 64, 80, art.C("gold_light"), art.C("orange"));
    for (int k = 0; k < 6; ++k) c.Fill(20 + k * 10, 20, 2, 70, art.C("gold"));
  }
  if (frame >= 1 && frame <= 16) {
    GateDoors(art, c, 0);
    // A plaque with the gold still to find.
    c.Fill(30, 40, 36, 22, art.C("ink"));
    c.Frame(30, 40, 36, 22, art.C("gold"));
    std::string n = std::to_string(frame);
    DrawMenuText(c, art.menu, n, 48 - 8 * static_cast<int>(n.size()), 43);
    c.Disc(48, 72, 4, art.C("gold"));
    c.Disc(48, 72, 2, art.C("gold_light"));
    c.Frame(44, 68, 9, 9, kClear);
  }
  if (frame >= 17 && frame <= 30) {
    int step = frame - 16;  // 1..14: the player walks in, then the doors close behind him
    int size = 100 - std::min(step, 8) * 5;
    Canvas p = player.Scaled(48 * size / 100, 72 * size / 100);
    // Deeper in, the shadow of the hall takes him.
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (p.Opaque(x, y))
          p.Put(x, y, Mix(p.Get(x, y), art.C("brown_dark"), std::min(step, 10), 16));
    c.Blit(p, 48 - p.Width() / 2, 95 - p.Height() - std::min(step, 8));
    if (step > 6) GateDoors(art, c, 32 - (step - 6) * 4);
  }
  c.Outline(0, 0, 96, 96, art.C("ink"));
  return c;
}

// The crumbling floor: a cracked slab four cells wide, in rows 24..47.
Canvas CrumblingFloor(const Art& art) {
  Canvas c(96, 96);
  Colour base = art.C("sand_dark"), light = art.C("sand"), dark = art.C("sand_deep");
  Rng rng(31);
  for (int k = 0; k < 4; ++k) {
    int x = k * 24;
    c.Fill(x, 24, 24, 24, base);
    c.Fill(x, 24, 24, 2, light);
    c.Fill(x, 46, 24, 2, dark);
    c.Fill(x + 22, 24, 2, 24, dark);
    for (int i = 0; i < 3; ++i) {
      int sx = x + 2 + rng.Below(20), sy = 27 + rng.Below(16);
      const int down = rng.Below(4), across = rng.Below(7);
      c.Line(sx, sy, sx + across - 3, sy + 4 + down, art.C("brown_dark"));
    }
    // A gap where the slab has already come loose.
    c.Fill(x + 8 + rng.Below(8), 44, 3, 4, kClear);
  }
  c.Outline(0, 20, 96, 30, art.C("ink"));
  return c;
}

}  // namespace

void DrawDoorPictures(const Art& art, std::vector<Picture>& out) {
  Cells doors(48, 96, 30, 4);
  auto put = [&](int i, const Canvas& cell) { doors.canvas.Blit(cell, doors.X(i), doors.Y(i)); };
  for (int hi = 0; hi < 3; ++hi)
    for (int k = 0; k < 4; ++k) {
      put(4 * hi + k, TwoWay(art, hi + 3, k));
      put(12 + 4 * hi + k, OneWay(art, hi + 3, k));
    }
  for (int kind = 0; kind < 2; ++kind)
    for (int beat = 0; beat < 3; ++beat) put(24 + 3 * kind + beat, Coffin(art, kind, beat));
  out.push_back(doors.Done("Images/Doors.png"));

  Cells exit(96, 96, 32, 8);
  Canvas walker = PlayerFromBehind(art, -1, -1);
  for (int f = 0; f < 31; ++f) exit.canvas.Blit(Exit(art, f, walker), exit.X(f), exit.Y(f));
  exit.canvas.Blit(CrumblingFloor(art), exit.X(31), exit.Y(31));
  out.push_back(exit.Done("Images/XDoor.png"));
}

}  // namespace artgen

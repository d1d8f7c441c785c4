// Items.png: the seven item kinds with their 8-step idle animation, the two weapons in flight,
// the mouse pointer and the stone.
#include "tools/artgen/tools.h"

namespace artgen {
namespace {

// The idle animation: a slow bob and a star that flares once per cycle.
const int kBob[8] = {0, 0, -1, -2, -2, -2, -1, 0};

void Sparkle(const Art& art, Canvas& c, int x, int y, int size) {
  Colour w = art.C("white"), y1 = art.C("gold_light");
  c.Put(x, y, w);
  for (int i = 1; i <= size; ++i) {
    Colour k = i == size ? y1 : w;
    c.Put(x + i, y, k);
    c.Put(x - i, y, k);
    c.Put(x, y + i, k);
    c.Put(x, y - i, k);
  }
}

Canvas ItemCell(const Art& art, int kind, int step) {
  Canvas cell(48, 48);
  int bob = kBob[step];
  if (kind == 6) {
    DrawGold(art, cell, 24, 32 + bob, step);
  } else if (kind == 0) {
    // Long and diagonal: frame 0 of this item is every item's pick-up shape.
    DrawTool(art, cell, 0, 24, 26 + bob, 135, -45, false);
  } else if (kind == 1) {
    DrawTool(art, cell, 1, 24, 28 + bob, 120, 0, false);
  } else if (kind == 2) {
    DrawTool(art, cell, 2, 24, 26 + bob, 120, 0, false);
  } else {
    DrawTool(art, cell, kind, 24, 25 + bob, 115, kind == 5 ? 20 : -20, false);
  }
  const int sx[8] = {0, 14, 30, 36, 20, 10, 0, 0};
  const int sy[8] = {0, 12, 10, 22, 16, 30, 0, 0};
  if (sx[step]) Sparkle(art, cell, sx[step] + 2, sy[step] + 2, step % 2 ? 2 : 1);
  return cell;
}

Canvas Pointer(const Art& art) {
  Canvas cell(48, 48);
  // Tip at the top-left pixel: that is where the pointer points.
  cell.Poly({{0, 0}, {0, 17}, {4, 13}, {8, 21}, {11, 20}, {7, 12}, {13, 12}}, art.C("ink"));
  cell.Poly({{1, 2}, {1, 14}, {4, 11}, {8, 19}, {9, 18}, {6, 11}, {10, 11}}, art.C("white"));
  cell.Line(1, 3, 1, 12, art.C("gold_light"));
  return cell;
}

Canvas Stone(const Art& art) {
  Canvas cell(48, 48);
  Colour light = art.C("stone_light"), base = art.C("stone"), dark = art.C("stone_dark");
  cell.Fill(0, 0, 48, 48, base);
  Rng rng(63);
  for (int i = 0; i < 120; ++i) {
    const int y = rng.Below(48), x = rng.Below(48);
    cell.Put(x, y, i % 2 ? dark : light);
  }
  cell.Fill(0, 0, 48, 3, light);
  cell.Fill(0, 0, 3, 48, light);
  cell.Fill(0, 45, 48, 3, dark);
  cell.Fill(45, 0, 3, 48, dark);
  cell.Frame(0, 0, 48, 48, art.C("ink"));
  // Carved arrows: it can be pushed either way.
  Colour groove = art.C("shadow");
  cell.Poly({{9, 24}, {17, 16}, {17, 32}}, groove);
  cell.Poly({{39, 24}, {31, 16}, {31, 32}}, groove);
  cell.Fill(17, 22, 14, 5, groove);
  cell.Line(10, 25, 17, 32, light);
  cell.Line(38, 25, 31, 32, light);
  return cell;
}

}  // namespace

void DrawItemPictures(const Art& art, std::vector<Picture>& out) {
  Cells cells(48, 48, 64, 8);
  auto put = [&](int i, const Canvas& cell) { cells.canvas.Blit(cell, cells.X(i), cells.Y(i)); };
  for (int kind = 0; kind < 7; ++kind)
    for (int step = 0; step < 8; ++step) put(kind * 8 + step, ItemCell(art, kind, step));
  for (int spin = 0; spin < 3; ++spin) {
    Canvas knife(48, 48), boomerang(48, 48);
    DrawTool(art, knife, 0, 24, 24, 110, spin * 120, false);
    DrawTool(art, boomerang, 1, 24, 24, 110, spin * 120, false);
    put(56 + spin, knife);
    put(59 + spin, boomerang);
  }
  put(62, Pointer(art));
  put(63, Stone(art));
  out.push_back(cells.Done("Images/Items.png"));
}

}  // namespace artgen

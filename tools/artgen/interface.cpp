// The interface pictures: flags, pointers, the logo, the title screen, the quit dialog, the
// chooser buttons, the selection arrow and the editor's two panels.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/fonts.h"
#include "tools/artgen/theme.h"
#include "tools/artgen/tools.h"

namespace artgen {
namespace {

// Scales a canvas by whole steps (2 = double size).
Canvas Big(const Canvas& c, int k) {
  return c.Scaled(c.Width() * k, c.Height() * k);
}

Canvas MenuWord(const Canvas& font, const std::string& text) {
  Canvas c(16 * static_cast<int>(text.size()), 16);
  DrawMenuText(c, font, text, 0, 0);
  return c;
}

void Bevel(const Art& art, Canvas& c, int x, int y, int w, int h, Colour face, bool lit) {
  Colour hi = lit ? art.C("gold_light") : Mix(face, art.C("white"), 1, 3);
  Colour lo = lit ? art.C("gold_dark") : Shade(face, 55);
  c.Fill(x, y, w, h, face);
  c.Fill(x, y, w, 2, hi);
  c.Fill(x, y, 2, h, hi);
  c.Fill(x, y + h - 2, w, 2, lo);
  c.Fill(x + w - 2, y, 2, h, lo);
  c.Frame(x, y, w, h, art.C("ink"));
}

Canvas Flags(const Art& art) {
  Canvas c(192, 48);
  for (int k = 0; k < 4; ++k) {
    int x = 48 * k + 2, y = 8, w = 44, h = 32;
    switch (k) {
      case 0:  // English: red cross on white
        c.Fill(x, y, w, h, art.C("white"));
        c.Fill(x + 18, y, 8, h, art.C("red"));
        c.Fill(x, y + 12, w, 8, art.C("red"));
        break;
      case 1:  // French: blue, white, red
        c.Fill(x, y, 15, h, art.C("lapis_dark"));
        c.Fill(x + 15, y, 14, h, art.C("white"));
        c.Fill(x + 29, y, 15, h, art.C("red"));
        break;
      case 2:  // German: black, red, gold
        c.Fill(x, y, w, 11, art.C("ink"));
        c.Fill(x, y + 11, w, 10, art.C("red"));
        c.Fill(x, y + 21, w, 11, art.C("gold"));
        break;
      default:  // Italian: green, white, red
        c.Fill(x, y, 15, h, art.C("jade"));
        c.Fill(x + 15, y, 14, h, art.C("white"));
        c.Fill(x + 29, y, 15, h, art.C("red"));
        break;
    }
    // A light rim, so that the black stripe still shows on the black language chooser.
    c.Frame(x - 1, y - 1, w + 2, h + 2, art.C("stone_light"));
    c.Frame(x - 2, y - 2, w + 4, h + 4, art.C("ink"));
    c.Fill(x, y + h + 2, w, 1, art.C("shadow"));
  }
  return c;
}

Canvas Logo(const Art& art) {
  Canvas c(300, 300);
  const int cx = 150, cy = 122, r = 87;
  // A medallion: a studded gold ring around a desert dawn, a quill across it.
  c.Disc(cx, cy, 104, art.C("ink"));
  c.Disc(cx, cy, 101, art.C("gold_dark"));
  c.Disc(cx, cy, 97, art.C("gold"));
  c.Disc(cx, cy, 90, art.C("gold_dark"));
  for (int i = 0; i < 24; ++i) {
    double a = i * 3.14159265358979 / 12;
    c.Disc(cx + static_cast<int>(std::lround(94 * std::cos(a))),
           cy + static_cast<int>(std::lround(94 * std::sin(a))), 2, art.C("gold_light"));
  }
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x) {
      int dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy > r * r) continue;
      Colour sky = Mix(art.C("navy"), art.C("amethyst"), y - (cy - r), 2 * r);
      int sx = x - cx, sy = y - 150;
      if (sx * sx + sy * sy <= 38 * 38)
        sky = Mix(art.C("gold_light"), art.C("orange"), std::max(0, 150 - y), 40);
      int dune = 156 + static_cast<int>(std::lround(6 * std::sin((x - 60) / 18.0)));
      if (y >= dune) sky = y < dune + 2 ? art.C("sand_light") : art.C("sand_dark");
      c.Put(x, y, sky);
    }
  // The quill.
  c.Poly({{96, 196}, {188, 52}, {206, 40}, {200, 62}, {108, 200}}, art.C("white"));
  c.Poly({{188, 52}, {206, 40}, {200, 62}}, art.C("bone"));
  for (int k = 0; k < 12; ++k)
    c.Line(120 + k * 7, 176 - k * 11, 128 + k * 7, 181 - k * 11, art.C("linen_dark"));
  c.ThickLine(92, 210, 108, 186, 3, art.C("ink"));
  // The name on a plaque below.
  Canvas name = Big(MenuWord(art.menu, "QUILLMIRE"), 2);
  c.Fill(4, 236, 292, 44, art.C("ink"));
  c.Frame(4, 236, 292, 44, art.C("gold"));
  c.Blit(name, 150 - name.Width() / 2, 242);
  return c;
}

Canvas Title(const Art& art) {
  Canvas c(800, 600);
  c.VGradient(0, 0, 800, 330, art.C("navy"), art.C("amethyst_dark"));
  c.VGradient(0, 330, 800, 120, art.C("amethyst_dark"), art.C("clay_dark"));
  Rng rng(4105);
  for (int i = 0; i < 180; ++i) {
    int x = rng.Below(800), y = rng.Below(360);
    c.Put(x, y, i % 7 ? art.C("stone_light") : art.C("white"));
  }
  c.Disc(700, 205, 26, art.C("bone"));
  c.Disc(711, 197, 23, Mix(art.C("navy"), art.C("amethyst_dark"), 205, 330));  // crescent
  // Pyramids on the horizon.
  auto pyramid = [&](int cx, int base, int half, Colour lit, Colour shade) {
    c.Poly({{cx, base - half}, {cx - half, base}, {cx, base}}, lit);
    c.Poly({{cx, base - half}, {cx, base}, {cx + half, base}}, shade);
  };
  pyramid(150, 440, 170, art.C("clay"), art.C("clay_dark"));
  pyramid(400, 440, 110, art.C("clay"), art.C("clay_dark"));
  pyramid(660, 440, 140, art.C("clay"), art.C("clay_dark"));
  // Dunes in the foreground, darker where the menu sits.
  for (int x = 0; x < 800; ++x) {
    int top = 430 + static_cast<int>(std::lround(12 * std::sin(x / 70.0) + 6 * std::sin(x / 23.0)));
    for (int y = top; y < 600; ++y)
      c.Put(x, y, Mix(art.C("sand_deep"), art.C("brown_dark"), std::min(y - top, 120), 120));
    c.Put(x, top, art.C("sand_dark"));
  }
  // The game's name, large, with a gold rule under it.
  Canvas name = Big(MenuWord(art.menu, "QUILLMIRE"), 4);
  Canvas shadow = name;
  shadow.Recolour(0, 0, shadow.Width(), shadow.Height(), art.C("ink"));
  c.Blit(shadow, 400 - name.Width() / 2 + 4, 54);
  c.Blit(name, 400 - name.Width() / 2, 50);
  Canvas rule(16 * 20, 16);
  DrawMenuText(rule, art.menu2, std::string(20, '&'), 0, 0);
  c.Blit(rule, 400 - rule.Width() / 2, 126);
  // Two torches beside the menu.
  for (int side = 0; side < 2; ++side) {
    int x = side ? 600 : 186;
    c.Fill(x, 380, 12, 120, art.C("wood"));
    c.Fill(x, 380, 3, 120, art.C("wood_light"));
    c.Ellipse(x - 6, 350, 24, 34, art.C("orange"));
    c.Ellipse(x - 1, 358, 14, 24, art.C("gold"));
    c.Ellipse(x + 3, 368, 6, 12, art.C("gold_light"));
  }
  return c;
}

Canvas Quit(const Art& art) {
  Canvas c(155, 139);
  Bevel(art, c, 0, 0, 155, 139, art.C("brown"), false);
  c.Fill(6, 6, 143, 76, art.C("night"));
  c.Frame(6, 6, 143, 76, art.C("gold_dark"));
  // The question as a picture: an open doorway and a big question mark.
  c.Fill(30, 20, 34, 56, art.C("sand"));
  c.Fill(36, 26, 22, 50, art.C("ink"));
  c.Fill(30, 16, 34, 4, art.C("sand_light"));
  Canvas q = Big(MenuWord(art.menu, "?"), 3);
  c.Blit(q, 80, 20);
  // Yes and no, on their own oval buttons.
  c.Ellipse(10, 88, 53, 45, art.C("ink"));
  c.Ellipse(11, 89, 51, 43, art.C("jade"));
  c.Ellipse(15, 91, 40, 20, art.C("jade_light"));
  c.Ellipse(92, 88, 53, 45, art.C("ink"));
  c.Ellipse(93, 89, 51, 43, art.C("red"));
  c.Ellipse(97, 91, 40, 20, art.C("clay_light"));
  Canvas y = Big(MenuWord(art.menu2, "Y"), 2), n = Big(MenuWord(art.menu2, "N"), 2);
  c.Blit(y, 36 - y.Width() / 2, 95);
  c.Blit(n, 118 - n.Width() / 2, 95);
  return c;
}

Picture Buttons(const Art& art) {
  Cells cells(75, 75, 3, 3);
  for (int k = 0; k < 2; ++k) {
    bool lit = k == 0;
    int x = cells.X(k);
    Bevel(art, cells.canvas, x + 2, 2, 71, 71, lit ? art.C("sand_light") : art.C("sand"), lit);
    // A small pyramid emblem above the number plate, which stays clear.
    cells.canvas.Poly({{x + 37, 10}, {x + 22, 38}, {x + 37, 38}},
                      lit ? art.C("gold_light") : art.C("sand_light"));
    cells.canvas.Poly({{x + 37, 10}, {x + 37, 38}, {x + 52, 38}},
                      lit ? art.C("gold") : art.C("sand_dark"));
    cells.canvas.Fill(x + 14, 47, 47, 22, lit ? art.C("brown") : art.C("brown_dark"));
    cells.canvas.Frame(x + 14, 47, 47, 22, lit ? art.C("gold") : art.C("sand_deep"));
  }
  // The finished mark, over the normal button: a gold seal with a tick, top right.
  int x = cells.X(2);
  cells.canvas.Disc(x + 58, 16, 12, art.C("ink"));
  cells.canvas.Disc(x + 58, 16, 11, art.C("gold"));
  cells.canvas.Disc(x + 58, 16, 8, art.C("gold_dark"));
  cells.canvas.ThickLine(x + 52, 16, x + 56, 21, 3, art.C("white"));
  cells.canvas.ThickLine(x + 56, 21, x + 64, 10, 3, art.C("white"));
  cells.canvas.Frame(x + 3, 3, 69, 69, art.C("jade_light"));  // a green rim round the face
  return cells.Done("Images/buttons.png");
}

Picture ArrowPicture(const Art& art) {
  Cells cells(32, 32, 10, 10);
  for (int i = 0; i < 10; ++i) {
    Canvas cell(32, 32);
    int dx = static_cast<int>(std::lround(3 * std::sin(i * 3.14159265358979 / 5)));
    int x = 6 + dx;
    cell.Poly(
        {{x, 10}, {x + 12, 10}, {x + 12, 4}, {x + 24, 16}, {x + 12, 28}, {x + 12, 22}, {x, 22}},
        art.C("gold"));
    cell.Poly({{x, 10}, {x + 12, 10}, {x + 12, 4}, {x + 24, 16}, {x, 16}}, art.C("gold_light"));
    // A shine that runs along it.
    int sx = x + (i * 3) % 24;
    for (int y = 4; y < 29; ++y)
      if (cell.Opaque(sx, y)) cell.Put(sx, y, art.C("white"));
    cell.Outline(0, 0, 32, 32, art.C("brown_dark"));
    cells.canvas.Blit(cell, cells.X(i), cells.Y(i));
  }
  return cells.Done("Images/Arrow.png");
}

Canvas Fit(const Canvas& icon, int size) {
  int w = icon.Width(), h = icon.Height();
  if (w <= size && h <= size) return icon;
  int num = size, den = std::max(w, h);
  return icon.Scaled(w * num / den, h * num / den);
}

Canvas EditorPanel(const Art& art, const std::vector<Picture>& out) {
  Canvas c(159, 600);
  Bevel(art, c, 0, 0, 159, 600, art.C("stone_dark"), false);
  struct Icon {
    const char* picture;
    int frame;
  };
  const Icon icons[26] = {
      {"Images/Bricks.png", 0},   {"Images/Bricks.png", 1},   {"Images/Bricks.png", 2},
      {"Images/Items.png", 0},    {"Images/Items.png", 8},    {"Images/Items.png", 16},
      {"Images/Items.png", 24},   {"Images/Items.png", 32},   {"Images/Items.png", 40},
      {"Images/Items.png", 48},   {"Images/Bricks.png", 19},  {"Images/XDoor.png", 31},
      {"Images/Items.png", 63},   {"Images/Bricks.png", 18},  {"Images/Doors.png", 0},
      {"Images/Doors.png", 3},    {"Images/Doors.png", 12},   {"Images/Doors.png", 15},
      {"Images/Enemies.png", 22}, {"Images/Enemies.png", 24}, {"Images/Enemies.png", 26},
      {"Images/Enemies.png", 14}, {"Images/Player.png", 7},   {"Images/XDoor.png", 1},
      {"Images/Status.png", 0},   {"Images/Status.png", 1}};
  for (int t = 1; t <= 27; ++t) {
    int bx = 2 + 52 * ((t - 1) % 3), by = 2 + 52 * ((t - 1) / 3);
    c.Fill(bx + 2, by + 2, 48, 48, art.C("night"));
    c.Frame(bx + 1, by + 1, 50, 50, art.C("stone"));
    if (t == 27) continue;
    Canvas icon = CellOf(out, icons[t - 1].picture, icons[t - 1].frame);
    if (t == 12) icon = icon.Crop(0, 24, 96, 24);
    if (t >= 15 && t <= 18) icon = icon.Crop(0, 0, 48, 48);
    if (t == 23) icon = icon.Crop(0, 24, 48, 48);
    if (t == 1 || t == 2 || t == 11) icon = icon.Crop(0, 0, 24, 24);
    Canvas fit = Fit(icon, 46);
    c.Blit(fit, bx + 26 - fit.Width() / 2, by + 26 - fit.Height() / 2);
  }
  // Room map: 6 x 6 empty squares; the program paints the rooms in.
  c.Fill(2, 470, 88, 88, art.C("ink"));
  for (int ry = 0; ry < 6; ++ry)
    for (int rx = 0; rx < 6; ++rx) c.Fill(4 + 14 * rx, 472 + 14 * ry, 13, 13, art.C("shadow"));
  // The coordinate labels, left of where the numbers go (picture x 119).
  c.Fill(96, 472, 60, 64, art.C("ink"));
  DrawPropText(c, art.font, "X:", 104, 476);
  DrawPropText(c, art.font, "Y:", 104, 511);
  // The file name's strip.
  c.Fill(4, 568, 151, 26, art.C("ink"));
  c.Frame(4, 568, 151, 26, art.C("stone"));
  return c;
}

Canvas BottomPanel(const Art& art, const std::vector<Picture>& out) {
  Canvas c(641, 110);
  Bevel(art, c, 0, 0, 641, 110, art.C("stone_dark"), false);
  auto slot = [&](int b) {
    int x = 52 * b;
    c.Fill(x + 1, 6, 50, 50, art.C("ink"));
    c.Fill(x + 2, 7, 48, 48, art.C("night"));
  };
  // 0 delete everything: a red cross over a room.
  slot(0);
  c.Fill(10, 16, 32, 30, art.C("sand_dark"));
  c.ThickLine(10, 14, 42, 48, 5, art.C("red"));
  c.ThickLine(42, 14, 10, 48, 5, art.C("red"));
  // 1 load: a scroll coming out of a chest; 2 save: a scroll going in.
  for (int b = 1; b <= 2; ++b) {
    slot(b);
    int x = 52 * b;
    c.Fill(x + 10, 32, 32, 18, art.C("wood"));
    c.Frame(x + 10, 32, 32, 18, art.C("brown_dark"));
    c.Fill(x + 10, 38, 32, 2, art.C("gold_dark"));
    c.Fill(x + 18, 12, 16, 18, art.C("linen"));
    c.Frame(x + 18, 12, 16, 18, art.C("linen_deep"));
    int tip = b == 1 ? 8 : 30;
    c.Poly({{x + 26, tip}, {x + 20, b == 1 ? 14 : 24}, {x + 32, b == 1 ? 14 : 24}},
           b == 1 ? art.C("jade_light") : art.C("orange"));
  }
  // 3..8: the block themes; the left half picks backdrop 2t, the right half 2t + 1.
  for (int t = 0; t < 6; ++t) {
    int x = 52 * (3 + t);
    slot(3 + t);
    Canvas left = CellOf(out, "Images/Back.png", 2 * t).Crop(40, 10, 24, 30);
    Canvas right = CellOf(out, "Images/Back.png", 2 * t + 1).Crop(40, 10, 24, 30);
    c.Blit(left, x + 2, 7);
    c.Blit(right, x + 26, 7);
    Canvas block = CellOf(out, "Images/Bricks.png", 3 * t).Crop(0, 0, 24, 24);
    Canvas brick = CellOf(out, "Images/Bricks.png", 3 * t + 1).Crop(0, 0, 24, 24);
    c.BlitPart(block, 0, 0, 24, 18, x + 2, 37);
    c.BlitPart(brick, 0, 0, 24, 18, x + 26, 37);
    c.Fill(x + 26, 7, 1, 48, art.C("gold_dark"));
  }
  // 9 and 10: the tool name display.
  c.Fill(469, 6, 170, 50, art.C("ink"));
  c.Frame(469, 6, 170, 50, art.C("gold_dark"));
  DrawTool(art, c, 3, 624, 42, 40, -30, false);
  // The message strip.
  c.Fill(88, 58, 552, 24, art.C("ink"));
  c.Frame(88, 58, 552, 24, art.C("stone"));
  for (int x = 10; x < 80; x += 16) c.Fill(x, 66, 8, 8, art.C("gold_dark"));
  return c;
}

}  // namespace

void DrawInterfacePictures(const Art& art, std::vector<Picture>& out) {
  out.push_back(Picture{"Images/Flags.png", Flags(art), 0, 0, 1});
  Canvas pointer(16, 16);
  pointer.Poly({{0, 0}, {0, 12}, {3, 9}, {6, 14}, {8, 13}, {5, 8}, {9, 8}}, art.C("white"));
  pointer.Outline(0, 0, 16, 16, art.C("ink"));
  out.push_back(Picture{"Images/fspointer.png", pointer, 0, 0, 1});
  Canvas arrows(32, 16);
  arrows.Poly({{7, 2}, {13, 12}, {1, 12}}, art.C("gold"));
  arrows.Poly({{24, 13}, {30, 3}, {18, 3}}, art.C("gold"));
  arrows.Outline(0, 0, 32, 16, art.C("brown_dark"));
  out.push_back(Picture{"Images/fsarrows.png", arrows, 0, 0, 1});
  out.push_back(Picture{"Images/BigLogo.png", Logo(art), 0, 0, 1});
  out.push_back(Picture{"Images/quit.png", Quit(art), 0, 0, 1});
  out.push_back(Buttons(art));
  out.push_back(ArrowPicture(art));
  out.push_back(Picture{"Images/Title.png", Title(art), 0, 0, 1});
}

void DrawEditorPictures(const Art& art, std::vector<Picture>& out) {
  Canvas panel = EditorPanel(art, out), bottom = BottomPanel(art, out);
  out.push_back(Picture{"Images/Editor.png", panel, 0, 0, 1});
  out.push_back(Picture{"Images/Editor2.png", bottom, 0, 0, 1});
}

}  // namespace artgen

#include "tools/artgen/fonts.h"

#include <cctype>

namespace artgen {
namespace {

constexpr int kCell = 16;

void CellOrigin(int index, int* x, int* y) {
  *x = (index % 16) * kCell;
  *y = (index / 16) * kCell;
}

// Menu-font glyph shapes at double size: 10 x 14 pixels, or a special picture.
void DrawArrow(Canvas& c, int ox, int oy, bool up, Colour fill, Colour edge) {
  for (int r = 0; r < 7; ++r) {
    int y = up ? oy + 2 + r : oy + 13 - r;
    c.Fill(ox + 7 - r, y, 2 * r + 2, 1, fill);
  }
  c.Fill(ox + 5, up ? oy + 9 : oy + 2, 6, 5, fill);
  c.Outline(ox, oy, kCell, kCell, edge);
}

void DrawOrnament(Canvas& c, int ox, int oy, Colour fill, Colour light, Colour edge) {
  c.Fill(ox, oy + 7, kCell, 2, fill);
  c.Fill(ox, oy + 6, kCell, 1, edge);
  c.Fill(ox, oy + 9, kCell, 1, edge);
  for (int r = 0; r < 5; ++r) c.Fill(ox + 8 - r, oy + 3 + r, 2 * r, 1, fill);
  for (int r = 0; r < 5; ++r) c.Fill(ox + 4 + r, oy + 8 + r, 8 - 2 * r, 1, fill);
  c.Put(ox + 7, oy + 6, light);
  c.Put(ox + 8, oy + 6, light);
  c.Put(ox + 1, oy + 7, light);
  c.Put(ox + 14, oy + 7, light);
}

}  // namespace

Canvas BuildPropFont(const Sources& src) {
  Canvas font(256, 96);
  const Colour top = src.C("white"), bottom = src.C("sand_light"), shadow = src.C("ink");
  for (int code = 33; code <= 126; ++code) {
    const Glyph& g = src.GlyphOf(static_cast<char>(code));
    int ox, oy;
    CellOrigin(code - 32, &ox, &oy);
    // Bold where there is room: an ink pixel also inks its right neighbour unless the
    // glyph's next stroke follows right after, so m and w stay open. The letter stands
    // from column 2 (its own two-pixel gap), ringed by a dark outline, so it reads over any
    // picture; the ring reaches one column right of the letter as the old drop shadow did,
    // so the advance stays close to the 8 pixels of the media layer's font, which several
    // screens use to centre lines of this font.
    auto ink = [&g](int x, int y) {
      if (g.Ink(x, y)) return true;
      return x > 0 && g.Ink(x - 1, y) && !g.Ink(x + 1, y);
    };
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x <= g.width; ++x)
        if (ink(x, y)) font.Put(ox + 2 + x, oy + 3 + y, Mix(top, bottom, y, 8));
    font.Outline(ox, oy, kCell, kCell, shadow, true);
    if (g.width == 0) font.Put(ox + 2, oy + 9, shadow);  // never a zero-width printable glyph
  }
  return font;
}

Canvas BuildMenuFont(const Sources& src, int style) {
  Canvas font(256, 64);
  Colour top, bottom, edge, light, dark;
  if (style == 0) {
    top = src.C("gold_light");
    bottom = src.C("orange");
    edge = src.C("brown_dark");
    light = src.C("white");
    dark = src.C("gold_dark");
  } else {
    top = src.C("turq_light");
    bottom = src.C("turq");
    edge = src.C("navy");
    light = src.C("white");
    dark = src.C("shirt");
  }
  for (int code = 33; code <= 90; ++code) {
    int ox, oy;
    CellOrigin(code - 32, &ox, &oy);
    if (code == '#' || code == '$') {
      DrawArrow(font, ox, oy, code == '#', Mix(top, bottom, 1, 2), edge);
      continue;
    }
    if (code == '&') {
      DrawOrnament(font, ox, oy, style == 0 ? src.C("gold") : src.C("turq"), light, edge);
      continue;
    }
    const Glyph& g = src.GlyphOf(static_cast<char>(code));
    int w = g.width * 2, left = ox + (kCell - w) / 2, y0 = oy + 1;
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < g.width; ++x) {
        if (!g.Ink(x, y)) continue;
        int px = left + 2 * x, py = y0 + 2 * y;
        if (style == 0) {
          for (int j = 0; j < 2; ++j) font.Fill(px, py + j, 2, 1, Mix(top, bottom, 2 * y + j, 13));
        } else {
          // Carved: each ink pixel becomes a small bevelled stone.
          font.Fill(px, py, 2, 2, Mix(top, bottom, 2 * y, 13));
          if (!g.Ink(x, y - 1)) font.Fill(px, py, 2, 1, light);
          if (!g.Ink(x, y + 1)) font.Put(px + 1, py + 1, dark);
        }
      }
    // A full ring (diagonals too) in the dark edge colour: every pixel around the letter
    // contrasts with its fill, whatever picture lies below.
    font.Outline(ox, oy, kCell, kCell, edge, true);
    if (style == 1) {
      // A drop shadow to the lower right sets the carved font further apart from the gold one.
      for (int y = oy + kCell - 2; y >= oy; --y)
        for (int x = ox + kCell - 2; x >= ox; --x)
          if (font.Get(x, y) == edge && !font.Opaque(x + 1, y + 1))
            font.Put(x + 1, y + 1, src.C("ink"));
    }
  }
  return font;
}

int PropGlyphWidth(const Canvas& font, char c) {
  int k = static_cast<unsigned char>(c) - 32;
  if (k == 0) return 5;
  if (k < 0 || k > 94) return 0;
  int ox, oy;
  CellOrigin(k, &ox, &oy);
  for (int x = 15; x >= 0; --x)
    for (int y = 0; y < 16; ++y)
      if (font.Opaque(ox + x, oy + y)) return x + 1;
  return 0;
}

int PropTextWidth(const Canvas& font, const std::string& text) {
  int w = 0;
  for (char c : text) w += PropGlyphWidth(font, c);
  return w;
}

int DrawPropText(Canvas& dst, const Canvas& font, const std::string& text, int x, int y) {
  for (char c : text) {
    int k = static_cast<unsigned char>(c) - 32;
    if (k < 0 || k > 94) continue;
    int ox, oy;
    CellOrigin(k, &ox, &oy);
    dst.BlitPart(font, ox, oy, kCell, kCell, x, y);
    x += PropGlyphWidth(font, c);
  }
  return x;
}

int DrawMenuText(Canvas& dst, const Canvas& font, const std::string& text, int x, int y) {
  for (char c : text) {
    int k = std::toupper(static_cast<unsigned char>(c)) - 32;
    if (k > 0 && k < 59) {
      int ox, oy;
      CellOrigin(k, &ox, &oy);
      dst.BlitPart(font, ox, oy, kCell, kCell, x, y);
    }
    x += kCell;
  }
  return x;
}

int TinyTextWidth(const Sources& src, const std::string& text, int scale) {
  int w = 0;
  for (char c : text) w += (c == ' ' ? 3 : src.GlyphOf(c).width + 1) * scale;
  return w;
}

int DrawTinyText(Canvas& dst, const Sources& src, const std::string& text, int x, int y, Colour ink,
                 int scale) {
  for (char c : text) {
    if (c == ' ') {
      x += 3 * scale;
      continue;
    }
    const Glyph& g = src.GlyphOf(c);
    for (int gy = 0; gy < 9; ++gy)
      for (int gx = 0; gx < g.width; ++gx)
        if (g.Ink(gx, gy)) dst.Fill(x + gx * scale, y + gy * scale, scale, scale, ink);
    x += (g.width + 1) * scale;
  }
  return x;
}

}  // namespace artgen

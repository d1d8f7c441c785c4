// The generator's drawing primitives.
#include "tools/artgen/canvas.h"

#include <gtest/gtest.h>

namespace {

using artgen::Canvas;
using artgen::kClear;

int Count(const Canvas& c) {
  int n = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) n += c.Opaque(x, y);
  return n;
}

// A mixed or shaded colour must never come out as the transparent magenta.
TEST(ArtCanvas, MixingNeverMakesTheTransparentColour) {
  EXPECT_NE(artgen::Mix(0xFF00FE, 0xFF00FF, 1, 1), kClear);
  EXPECT_NE(artgen::Mix(0xFE00FE, 0xFF00FF, 1, 1), kClear);
  EXPECT_NE(artgen::Shade(0xFF00FF, 100), kClear);
  EXPECT_EQ(artgen::Mix(0x000000, 0xFFFFFF, 1, 2), 0x7F7F7Fu);
  EXPECT_EQ(artgen::Shade(0x804020, 50), 0x402010u);
  EXPECT_EQ(artgen::Shade(0xF0F0F0, 200), 0xFFFFFFu);  // clamped
}

TEST(ArtCanvas, DrawingOutsideIsClipped) {
  Canvas c(8, 8);
  c.Fill(-5, -5, 100, 100, 0x112233);
  EXPECT_EQ(Count(c), 64);
  c.Put(8, 0, 0x445566);
  c.Put(-1, 3, 0x445566);
  EXPECT_EQ(c.Get(8, 0), kClear);
  c.Line(-20, -20, 40, 40, 0x010101);
  EXPECT_EQ(c.Get(7, 7), 0x010101u);
}

TEST(ArtCanvas, EllipsesAreSymmetric) {
  Canvas c(20, 12);
  c.Ellipse(0, 0, 20, 12, 0xABCDEF);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(c.Opaque(x, y), c.Opaque(19 - x, y)) << x << "," << y;
      EXPECT_EQ(c.Opaque(x, y), c.Opaque(x, 11 - y)) << x << "," << y;
    }
  EXPECT_TRUE(c.Opaque(10, 6));
  EXPECT_FALSE(c.Opaque(0, 0));
}

TEST(ArtCanvas, PolygonsFillTheirInside) {
  Canvas c(20, 20);
  c.Poly({{2, 2}, {17, 2}, {17, 17}, {2, 17}}, 0x123456);
  EXPECT_EQ(Count(c), 15 * 15);  // pixel centres 2.5 .. 16.5
  Canvas t(20, 20);
  t.Poly({{0, 0}, {19, 0}, {0, 19}}, 0x123456);
  EXPECT_TRUE(t.Opaque(1, 1));
  EXPECT_FALSE(t.Opaque(18, 18));
  Canvas degenerate(4, 4);
  degenerate.Poly({{1, 1}, {2, 2}}, 0x123456);  // not a polygon: nothing
  EXPECT_EQ(Count(degenerate), 0);
}

TEST(ArtCanvas, OutlineOnlyTouchesTheEdge) {
  Canvas c(9, 9);
  c.Fill(3, 3, 3, 3, 0x00FF00);
  c.Outline(0, 0, 9, 9, 0x000001);
  EXPECT_EQ(c.Get(4, 4), 0x00FF00u);
  EXPECT_EQ(c.Get(2, 4), 0x000001u);
  EXPECT_EQ(c.Get(2, 2), kClear);  // diagonal neighbours stay clear
  EXPECT_EQ(Count(c), 9 + 12);
}

TEST(ArtCanvas, BlitSkipsTransparentPixelsAndMirrors) {
  Canvas src(3, 1);
  src.Put(0, 0, 0x0000AA);
  src.Put(2, 0, 0x0000BB);
  Canvas dst(3, 1, 0x777777);
  dst.Blit(src, 0, 0);
  EXPECT_EQ(dst.Get(1, 0), 0x777777u);
  EXPECT_EQ(dst.Get(0, 0), 0x0000AAu);
  Canvas m(3, 1);
  m.Blit(src, 0, 0, true);
  EXPECT_EQ(m.Get(0, 0), 0x0000BBu);
  EXPECT_EQ(m.Get(2, 0), 0x0000AAu);
}

TEST(ArtCanvas, ScalingKeepsTheLayout) {
  Canvas c(4, 4);
  c.Fill(0, 0, 2, 2, 0x010203);
  Canvas big = c.Scaled(8, 8);
  EXPECT_EQ(Count(big), 16);
  EXPECT_TRUE(big.Opaque(3, 3));
  EXPECT_FALSE(big.Opaque(4, 4));
  Canvas crop = big.Crop(2, 2, 4, 4);
  EXPECT_EQ(Count(crop), 4);
}

TEST(ArtCanvas, ShadedEdgesKeepTheShape) {
  Canvas c(7, 7);
  c.Fill(1, 1, 5, 5, 0x808080);
  Canvas before = c;
  artgen::ShadeEdges(c, 0, 0, 7, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(c.Opaque(x, y), before.Opaque(x, y)) << x << "," << y;
  EXPECT_GT(c.Get(2, 1) & 0xFF, 0x80u);  // lit from the upper left
  EXPECT_LT(c.Get(5, 3) & 0xFF, 0x80u);  // shaded on the lower right
  EXPECT_EQ(c.Get(3, 3), 0x808080u);     // the inside keeps its colour
}

TEST(ArtCanvas, RandomSourceRepeats) {
  artgen::Rng a(7), b(7), c(8);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    int va = a.Below(1000);
    EXPECT_EQ(va, b.Below(1000));
    differs |= va != c.Below(1000);
    EXPECT_LT(va, 1000);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(a.Below(0), 0);
}

}  // namespace

// A picture being drawn: RGB pixels, with magenta standing for "transparent".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

using Colour = std::uint32_t;  // 0xRRGGBB
constexpr Colour kClear = 0xFF00FF;

Colour Mix(Colour a, Colour b, int num, int den);  // a + (b - a) * num / den
Colour Shade(Colour c, int percent);               // percent 100 = unchanged

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Colour fill = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour Get(int x, int y) const { return Inside(x, y) ? pixels_[y * width_ + x] : kClear; }
  bool Opaque(int x, int y) const { return Get(x, y) != kClear; }
  void Put(int x, int y, Colour c) {
    if (Inside(x, y)) pixels_[y * width_ + x] = c;
  }
  const std::vector<Colour>& Pixels() const { return pixels_; }

  void Fill(int x, int y, int w, int h, Colour c);
  void Frame(int x, int y, int w, int h, Colour c);  // one-pixel outline
  void Line(int x1, int y1, int x2, int y2, Colour c);
  void ThickLine(int x1, int y1, int x2, int y2, int thickness, Colour c);
  void Disc(int cx, int cy, int r, Colour c);
  void Ellipse(int x, int y, int w, int h, Colour c);  // filled, in the box
  void VGradient(int x, int y, int w, int h, Colour top, Colour bottom);
  // Copies the opaque pixels of src (optionally mirrored left-right) to x, y.
  void Blit(const Canvas& src, int x, int y, bool mirror = false);
  void BlitPart(const Canvas& src, int sx, int sy, int w, int h, int x, int y, bool mirror = false);
  // Paints c around every opaque pixel of the box, on transparent neighbours (4-connected, or
  // 8-connected with `diagonal`, which rings every pixel including convex corners).
  void Outline(int x, int y, int w, int h, Colour c, bool diagonal = false);
  // Replaces every opaque pixel of the box by c.
  void Recolour(int x, int y, int w, int h, Colour c);
  Canvas Crop(int x, int y, int w, int h) const;
  // Fills the polygon through the points (even-odd rule): every pixel whose centre is inside.
  void Poly(const std::vector<std::pair<int, int>>& points, Colour c);
  // Nearest-neighbour resize.
  Canvas Scaled(int w, int h) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
};

// Turns a one-colour silhouette layer into a lit solid: light on the upper left edges, dark on
// the lower right ones, an outline around it.
void Sculpt(Canvas& layer, Colour light, Colour base, Colour dark, Colour edge);

// Gives a flat-coloured figure some volume: edge pixels facing the lower right are darkened,
// those facing the upper left lightened. Opacity does not change.
void ShadeEdges(Canvas& c, int x, int y, int w, int h);

// A small deterministic random source for textures.
class Rng {
 public:
  explicit Rng(std::uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {}
  std::uint32_t Next();
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t s_;
};

}  // namespace artgen

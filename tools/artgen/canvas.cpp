#include "tools/artgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace artgen {

Colour Mix(Colour a, Colour b, int num, int den) {
  Colour out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int ca = static_cast<int>((a >> shift) & 0xFF);
    int cb = static_cast<int>((b >> shift) & 0xFF);
    int c = ca + (cb - ca) * num / den;
    out |= static_cast<Colour>(std::clamp(c, 0, 255)) << shift;
  }
  if (out == kClear) out = 0xFE00FE;
  return out;
}

Colour Shade(Colour c, int percent) {
  Colour out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int v = static_cast<int>((c >> shift) & 0xFF) * percent / 100;
    out |= static_cast<Colour>(std::clamp(v, 0, 255)) << shift;
  }
  if (out == kClear) out = 0xFE00FE;
  return out;
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), fill) {}

void Canvas::Fill(int x, int y, int w, int h, Colour c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Put(i, j, c);
}

void Canvas::Frame(int x, int y, int w, int h, Colour c) {
  Fill(x, y, w, 1, c);
  Fill(x, y + h - 1, w, 1, c);
  Fill(x, y, 1, h, c);
  Fill(x + w - 1, y, 1, h, c);
}

void Canvas::Line(int x1, int y1, int x2, int y2, Colour c) {
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Put(x1, y1, c);
    if (x1 == x2 && y1 == y2) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y1 += sy;
    }
  }
}

void Canvas::ThickLine(int x1, int y1, int x2, int y2, int thickness, Colour c) {
  int lo = -(thickness - 1) / 2, hi = thickness / 2;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox) Line(x1 + ox, y1 + oy, x2 + ox, y2 + oy, c);
}

void Canvas::Disc(int cx, int cy, int r, Colour c) {
  for (int j = -r; j <= r; ++j)
    for (int i = -r; i <= r; ++i)
      if (i * i + j * j <= r * r + r) Put(cx + i, cy + j, c);
}

void Canvas::Ellipse(int x, int y, int w, int h, Colour c) {
  // Centre and radii doubled so that even sizes stay symmetric.
  int cx2 = 2 * x + w - 1, cy2 = 2 * y + h - 1;
  long rx = w, ry = h;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      long dx = 2 * i - cx2, dy = 2 * j - cy2;
      if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry) Put(i, j, c);
    }
}

void Canvas::VGradient(int x, int y, int w, int h, Colour top, Colour bottom) {
  for (int j = 0; j < h; ++j) Fill(x, y + j, w, 1, Mix(top, bottom, j, std::max(1, h - 1)));
}

void Canvas::Blit(const Canvas& src, int x, int y, bool mirror) {
  BlitPart(src, 0, 0, src.Width(), src.Height(), x, y, mirror);
}

void Canvas::BlitPart(const Canvas& src, int sx, int sy, int w, int h, int x, int y, bool mirror) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      Colour c = src.Get(sx + (mirror ? w - 1 - i : i), sy + j);
      if (c != kClear) Put(x + i, y + j, c);
    }
}

void Canvas::Outline(int x, int y, int w, int h, Colour c, bool diagonal) {
  std::vector<std::pair<int, int>> spots;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      if (Opaque(i, j)) continue;
      bool near = false;
      const int d[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
      for (int k = 0; k < (diagonal ? 8 : 4); ++k) {
        const auto& o = d[k];
        int ni = i + o[0], nj = j + o[1];
        if (ni >= x && nj >= y && ni < x + w && nj < y + h && Opaque(ni, nj)) near = true;
      }
      if (near) spots.emplace_back(i, j);
    }
  for (auto& s : spots) Put(s.first, s.second, c);
}

void Canvas::Recolour(int x, int y, int w, int h, Colour c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (Opaque(i, j)) Put(i, j, c);
}

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  out.BlitPart(*this, x, y, w, h, 0, 0);
  return out;
}

void Canvas::Poly(const std::vector<std::pair<int, int>>& pts, Colour c) {
  if (pts.size() < 3) return;
  int ymin = pts[0].second, ymax = pts[0].second;
  for (auto& p : pts) {
    ymin = std::min(ymin, p.second);
    ymax = std::max(ymax, p.second);
  }
  for (int y = ymin; y <= ymax; ++y) {
    std::vector<double> xs;
    double fy = y + 0.5;
    for (size_t i = 0; i < pts.size(); ++i) {
      auto a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.second <= fy) == (b.second <= fy)) continue;
      double t = (fy - a.second) / (b.second - a.second);
      xs.push_back(a.first + t * (b.first - a.first));
    }
    std::sort(xs.begin(), xs.end());
    // A pixel is filled when its centre lies inside.
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int x0 = static_cast<int>(std::ceil(xs[i] - 0.5)),
          x1 = static_cast<int>(std::floor(xs[i + 1] - 0.5));
      for (int x = x0; x <= x1; ++x) Put(x, y, c);
    }
  }
}

Canvas Canvas::Scaled(int w, int h) const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Put(x, y, Get(x * width_ / w, y * height_ / h));
  return out;
}

void Sculpt(Canvas& layer, Colour light, Colour base, Colour dark, Colour edge) {
  Canvas src = layer;
  for (int y = 0; y < layer.Height(); ++y) {
    int x = 0;
    while (x < layer.Width()) {
      if (!src.Opaque(x, y)) {
        ++x;
        continue;
      }
      // A run of the silhouette across this row, lit like a rounded body from the left.
      int l = x;
      while (x < layer.Width() && src.Opaque(x, y)) ++x;
      int r = x - 1, span = std::max(1, r - l);
      for (int i = l; i <= r; ++i) {
        int t = (i - l) * 100 / span;
        Colour c = t < 28 ? light : (t > 72 ? dark : base);
        if (!src.Opaque(i, y - 1) && t <= 72) c = light;  // tops catch the light
        layer.Put(i, y, c);
      }
    }
  }
  layer.Outline(0, 0, layer.Width(), layer.Height(), edge);
}

void ShadeEdges(Canvas& c, int x, int y, int w, int h) {
  Canvas src = c;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      if (!src.Opaque(i, j)) continue;
      Colour col = src.Get(i, j);
      bool lowRight = src.Get(i + 1, j) != col || src.Get(i, j + 1) != col;
      bool upLeft = src.Get(i - 1, j) != col || src.Get(i, j - 1) != col;
      if (lowRight && !upLeft)
        c.Put(i, j, Shade(col, 78));
      else if (upLeft && !lowRight)
        c.Put(i, j, Mix(col, 0xFFFFFF, 1, 5));
    }
}

std::uint32_t Rng::Next() {
  s_ ^= s_ << 13;
  s_ ^= s_ >> 17;
  s_ ^= s_ << 5;
  return s_;
}

}  // namespace artgen

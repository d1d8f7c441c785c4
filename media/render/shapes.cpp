// Filled rectangles, lines and ovals in the current colour.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "media/render/render_internal.h"

namespace media {
namespace render {

void FillSpan(int x0, int x1, int y) {
  State& s = S();
  if (x0 >= x1) return;
  Pixel* row = s.back.data() + static_cast<std::size_t>(y) * s.width;
  const Pixel colour = Rgb(s.red, s.green, s.blue);
  const int mode = s.blend;
  if (s.alpha255 == 255 && (mode == MASKBLEND || mode == SOLIDBLEND || mode == ALPHABLEND)) {
    std::fill(row + x0, row + x1, colour);
    return;
  }
  switch (mode) {
    case MASKBLEND:
    case SOLIDBLEND:
    case ALPHABLEND:  // the colour is opaque: all three mix by the current alpha
      for (int x = x0; x < x1; ++x) row[x] = LerpPixel(row[x], colour, s.alpha255);
      break;
    case LIGHTBLEND:
      for (int x = x0; x < x1; ++x) ApplyBlend<LIGHTBLEND>(row[x], colour, s.alpha255);
      break;
    default:
      for (int x = x0; x < x1; ++x) ApplyBlend<SHADEBLEND>(row[x], colour, s.alpha255);
      break;
  }
}

void PlotPixel(int x, int y) {
  const Rect& c = S().clip;
  if (x < c.x0 || x >= c.x1 || y < c.y0 || y >= c.y1) return;
  FillSpan(x, x + 1, y);
}

namespace {

// Pixel edges of a span from a position and a size (a negative size extends the other way).
void Edges(float pos, float size, int& from, int& to) {
  if (size < 0) {
    pos += size;
    size = -size;
  }
  from = ToPixel(pos);
  to = ToPixel(pos + size);
}

// Line coordinates beyond this are pulled in, so a line never takes more than a few million
// steps; lines that far off the screen are not drawn faithfully.
constexpr int kLineLimit = 1 << 20;

}  // namespace
}  // namespace render

void DrawRect(float x, float y, float width, float height) {
  const render::State& s = render::S();
  int x0, x1, y0, y1;
  render::Edges(x + s.originX, width, x0, x1);
  render::Edges(y + s.originY, height, y0, y1);
  const render::Rect& c = s.clip;
  x0 = std::max(x0, c.x0);
  x1 = std::min(x1, c.x1);
  y0 = std::max(y0, c.y0);
  y1 = std::min(y1, c.y1);
  for (int row = y0; row < y1; ++row) render::FillSpan(x0, x1, row);
}

// Bresenham's line from the first point to the second, both end points included unless
// drawLastPixel is false.
void DrawLine(float x1, float y1, float x2, float y2, bool drawLastPixel) {
  const render::State& s = render::S();
  const int limit = render::kLineLimit;
  int ax = std::clamp(render::ToPixel(x1 + s.originX), -limit, limit);
  int ay = std::clamp(render::ToPixel(y1 + s.originY), -limit, limit);
  const int bx = std::clamp(render::ToPixel(x2 + s.originX), -limit, limit);
  const int by = std::clamp(render::ToPixel(y2 + s.originY), -limit, limit);
  const render::Rect& c = s.clip;
  // Nothing to draw when both ends lie beyond the same edge of the clip rectangle.
  if ((ax < c.x0 && bx < c.x0) || (ax >= c.x1 && bx >= c.x1) || (ay < c.y0 && by < c.y0) ||
      (ay >= c.y1 && by >= c.y1)) {
    return;
  }
  const int dx = std::abs(bx - ax), sx = ax < bx ? 1 : -1;
  const int dy = -std::abs(by - ay), sy = ay < by ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    const bool last = ax == bx && ay == by;
    if (!last || drawLastPixel) render::PlotPixel(ax, ay);
    if (last) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      ax += sx;
    }
    if (e2 <= dx) {
      err += dx;
      ay += sy;
    }
  }
}

// A filled ellipse inscribed in the box: a pixel is inside when its centre is.
void DrawOval(float x, float y, float width, float height) {
  const render::State& s = render::S();
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  if (!(width > 0) || !(height > 0)) return;
  const double left = static_cast<double>(x) + s.originX;
  const double top = static_cast<double>(y) + s.originY;
  const double rx = width / 2.0, ry = height / 2.0;
  const double cx = left + rx, cy = top + ry;
  const render::Rect& c = s.clip;
  const int rowFrom = std::max(render::ToPixel(static_cast<float>(top)), c.y0);
  const int rowTo = std::min(render::ToPixel(static_cast<float>(top + height)), c.y1);
  for (int row = rowFrom; row < rowTo; ++row) {
    const double dy = (row + 0.5 - cy) / ry;
    const double q = 1.0 - dy * dy;
    if (q < 0) continue;
    const double half = rx * std::sqrt(q);
    // Pixels whose centres px + 0.5 lie within [cx - half, cx + half].
    const double from = std::max(std::ceil(cx - half - 0.5), static_cast<double>(c.x0));
    const double to = std::min(std::floor(cx + half - 0.5) + 1.0, static_cast<double>(c.x1));
    if (from < to) render::FillSpan(static_cast<int>(from), static_cast<int>(to), row);
  }
}

}  // namespace media

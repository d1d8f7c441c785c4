// Drawing image cells: DrawImage and TileImage. Nothing is scaled or rotated, so a cell is
// drawn row by row over its precomputed runs of visible pixels.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/render/render_internal.h"

namespace media {
namespace render {

void EnsureRuns(const ImageData& image, const ImageCell& cell) {
  if (cell.runsValid && cell.locks == 0) return;
  cell.runs.clear();
  cell.rowFirstRun.assign(static_cast<std::size_t>(image.height) + 1, 0);
  for (int y = 0; y < image.height; ++y) {
    cell.rowFirstRun[y] = static_cast<int>(cell.runs.size());
    const Pixel* row = cell.pixels.data() + static_cast<std::size_t>(y) * image.width;
    int x = 0;
    while (x < image.width) {
      const Pixel a = row[x] >> 24;
      if (a == 0) {
        ++x;
        continue;
      }
      const bool opaque = a == 255;
      int end = x + 1;
      while (end < image.width) {
        const Pixel b = row[end] >> 24;
        if (b == 0 || (b == 255) != opaque) break;
        ++end;
      }
      cell.runs.push_back(PixelRun{x, end - x, opaque});
      x = end;
    }
  }
  cell.rowFirstRun[image.height] = static_cast<int>(cell.runs.size());
  cell.runsValid = true;
}

namespace {

template <int Mode, bool Tinted>
void BlendRun(Pixel* dst, const Pixel* src, int n, const State& s) {
  const int a = s.alpha255, r = s.red, g = s.green, b = s.blue;
  for (int i = 0; i < n; ++i) {
    const Pixel m = Tinted ? Tint(src[i], r, g, b) : src[i];
    ApplyBlend<Mode>(dst[i], m, a);
  }
}

template <int Mode>
void BlendRunTint(Pixel* dst, const Pixel* src, int n, const State& s, bool white) {
  if (white) {
    BlendRun<Mode, false>(dst, src, n, s);
  } else {
    BlendRun<Mode, true>(dst, src, n, s);
  }
}

// Blends n pixels of src into dst, tinted by the current colour, by the blend mode.
void BlendPixels(Pixel* dst, const Pixel* src, int n, const State& s) {
  const bool white = s.red == 255 && s.green == 255 && s.blue == 255;
  switch (s.blend) {
    case MASKBLEND:
      return BlendRunTint<MASKBLEND>(dst, src, n, s, white);
    case SOLIDBLEND:
      return BlendRunTint<SOLIDBLEND>(dst, src, n, s, white);
    case LIGHTBLEND:
      return BlendRunTint<LIGHTBLEND>(dst, src, n, s, white);
    case SHADEBLEND:
      return BlendRunTint<SHADEBLEND>(dst, src, n, s, white);
    default:
      return BlendRunTint<ALPHABLEND>(dst, src, n, s, white);
  }
}

// Copies n pixels; short rows in blocks of four that the compiler keeps inline.
inline void CopyPixels(Pixel* dst, const Pixel* src, int n) {
  if (n > 64) {
    std::memcpy(dst, src, static_cast<std::size_t>(n) * sizeof(Pixel));
    return;
  }
  int i = 0;
  for (; i + 4 <= n; i += 4) std::memcpy(dst + i, src + i, 4 * sizeof(Pixel));
  for (; i < n; ++i) dst[i] = src[i];
}

void CopyOpaque(Pixel* dst, const Pixel* src, int n) {
  for (int i = 0; i < n; ++i) dst[i] = src[i] | 0xFF000000u;
}

}  // namespace

void BlitCell(const ImageData& image, const ImageCell& cell, int x, int y) {
  State& s = S();
  const Rect& c = s.clip;
  const std::int64_t right = std::int64_t{x} + image.width;
  const std::int64_t bottom = std::int64_t{y} + image.height;
  const int x0 = std::max(x, c.x0);
  const int y0 = std::max(y, c.y0);
  const int x1 = static_cast<int>(std::min<std::int64_t>(right, c.x1));
  const int y1 = static_cast<int>(std::min<std::int64_t>(bottom, c.y1));
  if (x0 >= x1 || y0 >= y1 || s.alpha255 == 0) return;  // at alpha 0 no mode changes a pixel
  const int mode = s.blend;
  const bool white = s.red == 255 && s.green == 255 && s.blue == 255;
  // A straight copy is exact for opaque source pixels in these modes at full alpha and white.
  const bool copy =
      white && s.alpha255 == 255 && (mode == MASKBLEND || mode == SOLIDBLEND || mode == ALPHABLEND);
  const int u0 = x0 - x, u1 = x1 - x;  // the visible columns of the cell
  Pixel* out = s.back.data();
  const std::size_t pitch = static_cast<std::size_t>(s.width);

  if (mode == SOLIDBLEND) {
    for (int row = y0; row < y1; ++row) {
      const Pixel* src = cell.pixels.data() + static_cast<std::size_t>(row - y) * image.width + u0;
      Pixel* dst = out + row * pitch + x0;
      if (copy) {
        CopyOpaque(dst, src, u1 - u0);
      } else {
        BlendPixels(dst, src, u1 - u0, s);
      }
    }
    return;
  }
  EnsureRuns(image, cell);
  for (int row = y0; row < y1; ++row) {
    const int v = row - y;
    const Pixel* srcRow = cell.pixels.data() + static_cast<std::size_t>(v) * image.width;
    const PixelRun* run = cell.runs.data() + cell.rowFirstRun[v];
    const PixelRun* end = cell.runs.data() + cell.rowFirstRun[v + 1];
    for (; run != end; ++run) {
      const int from = std::max(run->start, u0);
      const int to = std::min(run->start + run->length, u1);
      if (from >= to) continue;
      if (copy && run->opaque) {
        CopyPixels(out + row * pitch + (x0 + from - u0), srcRow + from, to - from);
      } else {
        BlendPixels(out + row * pitch + (x0 + from - u0), srcRow + from, to - from, s);
      }
    }
  }
}

namespace {

const ImageCell* CellOf(const Image& image, int frame) {
  if (!image || frame < 0 || frame >= static_cast<int>(image->cells.size())) return nullptr;
  if (image->width <= 0 || image->height <= 0) return nullptr;
  return &image->cells[frame];
}

}  // namespace
}  // namespace render

bool DrawImageCovers(const Image& image, int frame, int x, int y, int width, int height) {
  const ImageCell* cell = render::CellOf(image, frame);
  if (!cell || width <= 0 || height <= 0) return false;
  const render::State& s = render::S();
  const bool replaces = s.blend == MASKBLEND || s.blend == SOLIDBLEND || s.blend == ALPHABLEND;
  if (!replaces || s.alpha255 != 255) return false;
  // A fractional handle moves the cell by a rounding that depends on the position.
  const auto whole = [](float h) { return h == std::floor(h) && std::fabs(h) <= 1e6f; };
  if (!whole(image->handleX) || !whole(image->handleY)) return false;
  const std::int64_t u0 = std::int64_t{x} + static_cast<std::int64_t>(image->handleX);
  const std::int64_t v0 = std::int64_t{y} + static_cast<std::int64_t>(image->handleY);
  const std::int64_t u1 = u0 + width, v1 = v0 + height;
  if (u0 < 0 || v0 < 0 || u1 > image->width || v1 > image->height) return false;
  render::EnsureRuns(*image, *cell);
  // Runs are maximal, so an opaque span lies within a single opaque run.
  for (std::int64_t v = v0; v < v1; ++v) {
    const PixelRun* run = cell->runs.data() + cell->rowFirstRun[v];
    const PixelRun* end = cell->runs.data() + cell->rowFirstRun[v + 1];
    bool covered = false;
    for (; run != end && !covered; ++run)
      covered = run->opaque && run->start <= u0 && run->start + run->length >= u1;
    if (!covered) return false;
  }
  return true;
}

void DrawImage(const Image& image, float x, float y, int frame) {
  const ImageCell* cell = render::CellOf(image, frame);
  if (!cell) return;
  const render::State& s = render::S();
  render::BlitCell(*image, *cell, render::ToPixel(x + s.originX - image->handleX),
                   render::ToPixel(y + s.originY - image->handleY));
}

// One copy of the cell at x, y (with the origin and less the handle, as DrawImage), repeated
// in both directions over the whole viewport.
void TileImage(const Image& image, float x, float y, int frame) {
  const ImageCell* cell = render::CellOf(image, frame);
  if (!cell) return;
  const render::State& s = render::S();
  const render::Rect& c = s.clip;
  if (c.Empty()) return;
  const int w = image->width, h = image->height;
  const std::int64_t px = render::ToPixel(x + s.originX - image->handleX);
  const std::int64_t py = render::ToPixel(y + s.originY - image->handleY);
  // The first copy at or left of (above) the clip edge that stays aligned with px, py.
  auto first = [](std::int64_t edge, std::int64_t pos, int size) {
    std::int64_t m = (edge - pos) % size;
    if (m < 0) m += size;
    return edge - m;
  };
  const std::int64_t startX = first(c.x0, px, w);
  const std::int64_t startY = first(c.y0, py, h);
  for (std::int64_t ty = startY; ty < c.y1; ty += h) {
    for (std::int64_t tx = startX; tx < c.x1; tx += w) {
      render::BlitCell(*image, *cell, static_cast<int>(tx), static_cast<int>(ty));
    }
  }
}

}  // namespace media

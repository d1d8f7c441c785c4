// Internal state and helpers of the software renderer. Only media/render/ includes this.
//
// Pixel arithmetic, used by every drawing operation:
// - The current alpha becomes an integer A = round(alpha * 255), clamped to 0..255.
// - Mul(x, y) = round(x * y / 255) for x, y in 0..255 (exact; no ties can occur).
// - Lerp(d, s, f) = round((s * f + d * (255 - f)) / 255): f = 255 gives s, f = 0 gives d.
// - An image pixel (sa, sr, sg, sb) is first tinted by the current colour: m = Mul(s, colour)
//   per channel (white leaves it unchanged). Shapes and text use the current colour with
//   sa = 255.
// - Per blend mode, per channel, with d the framebuffer pixel:
//     masked: skipped when sa < 128, else d = Lerp(d, m, A)
//     solid:  d = Lerp(d, m, A)
//     alpha:  d = Lerp(d, m, Mul(sa, A))
//     light:  d = min(255, d + Mul(m, Mul(sa, A)))
//     shade:  d = Lerp(d, Mul(d, m), Mul(sa, A))
// - Framebuffer pixels are always opaque: every write sets the alpha byte to 0xFF.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "media/graphics.h"

namespace media {

// One run of pixels of a cell row that are not fully transparent.
struct PixelRun {
  int start = 0;
  int length = 0;
  bool opaque = false;  // every pixel of the run has alpha 255
};

struct ImageCell {
  std::vector<Pixel> pixels;  // width x height, row after row
  // Runs of visible pixels, rebuilt lazily when the pixels may have changed.
  mutable std::vector<PixelRun> runs;
  mutable std::vector<int> rowFirstRun;  // height + 1 entries into `runs`
  mutable bool runsValid = false;
  int locks = 0;  // while locked, the runs are rebuilt on every draw
};

struct ImageData {
  int width = 0;  // of one cell
  int height = 0;
  int flags = 0;
  float handleX = 0;
  float handleY = 0;
  std::vector<ImageCell> cells;
};

struct FontData {};

namespace render {

// Largest picture side and pixel count the renderer accepts (decoding, CreateImage, Graphics).
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

struct Rect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x0 <= x < x1, y0 <= y < y1
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

struct State {
  int width = 800;
  int height = 600;
  int hertz = 60;
  std::vector<Pixel> back = std::vector<Pixel>(800 * 600, 0xFF000000u);
  std::vector<Pixel> shown = std::vector<Pixel>(800 * 600, 0xFF000000u);
  int red = 255, green = 255, blue = 255;
  float alpha = 1.0f;
  int alpha255 = 255;
  int blend = MASKBLEND;
  int viewX = 0, viewY = 0, viewW = 800, viewH = 600;
  Rect clip{0, 0, 800, 600};  // the viewport within the screen
  float originX = 0, originY = 0;
  Pixel clsColor = 0xFF000000u;
  int maskR = 0, maskG = 0, maskB = 0;
  std::string title;
  // Frame pacing of Flip.
  bool paceStarted = false;
  std::int64_t paceBase = 0;
  std::int64_t paceFrames = 0;
  // With a display that paces Present: when the next frame is due, and the milliseconds the
  // program waited with Delay since the last Flip.
  double refreshDue = 0.0;
  int delayedSinceFlip = 0;
};

State& S();
void UpdateClip();

// A drawing position to a pixel: a pixel belongs to a shape whose edge passes through its
// centre from the left/top, so whole numbers map to themselves and x.5 rounds down.
inline int ToPixel(float v) {
  double p = std::ceil(static_cast<double>(v) - 0.5);
  if (!(p > -1e9)) return -1000000000;  // also NaN: far off the screen
  if (p > 1e9) return 1000000000;
  return static_cast<int>(p);
}

inline int Div255(int x) {  // round(x / 255) for 0 <= x <= 255 * 255
  x += 128;
  return (x + (x >> 8)) >> 8;
}
inline int Mul(int x, int y) {
  return Div255(x * y);
}
inline int Lerp(int d, int s, int f) {
  return Div255(s * f + d * (255 - f));
}

inline int Ch(Pixel p, int shift) {
  return static_cast<int>((p >> shift) & 0xFFu);
}
inline Pixel Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) |
         static_cast<Pixel>(b);
}

// Lerp of the red and blue lanes and of green at once: exact per channel (no lane carries,
// as every lane stays below 65536).
inline Pixel LerpPixel(Pixel d, Pixel m, int f) {
  const std::uint32_t g = static_cast<std::uint32_t>(255 - f), uf = static_cast<std::uint32_t>(f);
  std::uint32_t rb = (m & 0x00FF00FFu) * uf + (d & 0x00FF00FFu) * g + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t gg = ((m >> 8) & 0xFFu) * uf + ((d >> 8) & 0xFFu) * g + 0x80u;
  gg = ((gg + (gg >> 8)) >> 8) & 0xFFu;
  return 0xFF000000u | rb | (gg << 8);
}

// Blends a source pixel m (already tinted) into the framebuffer pixel d by the blend mode.
template <int Mode>
inline void ApplyBlend(Pixel& d, Pixel m, int a255) {
  const int sa = Ch(m, 24);
  // LerpPixel gives d itself at f = 0 and m at f = 255, so these need no branches.
  if constexpr (Mode == MASKBLEND) {
    d = LerpPixel(d, m, sa >= 128 ? a255 : 0);
  } else if constexpr (Mode == SOLIDBLEND) {
    d = LerpPixel(d, m, a255);
  } else if constexpr (Mode == ALPHABLEND) {
    d = LerpPixel(d, m, Mul(sa, a255));
  } else if constexpr (Mode == LIGHTBLEND) {
    const int f = Mul(sa, a255);
    if (f == 0) return;
    const int r = Ch(d, 16) + Mul(Ch(m, 16), f);
    const int g = Ch(d, 8) + Mul(Ch(m, 8), f);
    const int b = Ch(d, 0) + Mul(Ch(m, 0), f);
    d = Rgb(r > 255 ? 255 : r, g > 255 ? 255 : g, b > 255 ? 255 : b);
  } else {
    const int f = Mul(sa, a255);
    if (f == 0) return;
    const int dr = Ch(d, 16), dg = Ch(d, 8), db = Ch(d, 0);
    d = LerpPixel(d, Rgb(Mul(dr, Ch(m, 16)), Mul(dg, Ch(m, 8)), Mul(db, Ch(m, 0))), f);
  }
}

inline void BlendPixel(Pixel& d, Pixel m, int mode, int a255) {
  switch (mode) {
    case MASKBLEND:
      return ApplyBlend<MASKBLEND>(d, m, a255);
    case SOLIDBLEND:
      return ApplyBlend<SOLIDBLEND>(d, m, a255);
    case LIGHTBLEND:
      return ApplyBlend<LIGHTBLEND>(d, m, a255);
    case SHADEBLEND:
      return ApplyBlend<SHADEBLEND>(d, m, a255);
    default:
      return ApplyBlend<ALPHABLEND>(d, m, a255);
  }
}

// Tints an image pixel by the current colour (keeps its alpha).
inline Pixel Tint(Pixel s, int r, int g, int b) {
  return (s & 0xFF000000u) | (static_cast<Pixel>(Mul(Ch(s, 16), r)) << 16) |
         (static_cast<Pixel>(Mul(Ch(s, 8), g)) << 8) | static_cast<Pixel>(Mul(Ch(s, 0), b));
}

// Fills pixels x0..x1-1 of row y (already clipped) with the current colour by the blend mode.
void FillSpan(int x0, int x1, int y);
// Plots one pixel in the current colour when it lies inside the clip rectangle.
void PlotPixel(int x, int y);

// True when pixel (x, y) of the built-in font's 8 x 8 cell of character ch is set.
bool GlyphPixel(int ch, int x, int y);

// Draws one cell with its top-left corner at window pixel (x, y), clipped to the viewport.
void BlitCell(const ImageData& image, const ImageCell& cell, int x, int y);
void EnsureRuns(const ImageData& image, const ImageCell& cell);

// Decoded picture: pixels 0xAARRGGBB; hasAlpha when the file had an alpha channel or tRNS.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  std::vector<Pixel> pixels;
};
bool DecodePng(const unsigned char* data, std::size_t size, DecodedPicture& out,
               std::string& error);
bool EncodePng(const Pixel* pixels, int width, int height, std::vector<unsigned char>& out,
               bool alpha = true, int level = -1);

}  // namespace render
}  // namespace media

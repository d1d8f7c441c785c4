#include "core/text.h"

#include <algorithm>

#include "core/draw.h"
#include "core/globals.h"
#include "media/text.h"

int widthTable[kFontGlyphs];
int pausecounter;

namespace {

constexpr int kGlyphSize = 16;
constexpr int kSpaceAdvance = 5;
constexpr int kHiddenCounts = 25;

// The glyph index of character c in a font of `glyphs` cells, or -1 when it has none.
int GlyphIndex(unsigned char c, int glyphs) {
  const int k = static_cast<int>(c) - 32;
  return (k >= 0 && k < glyphs) ? k : -1;
}

// The width of one glyph cell: one more than its rightmost column with a visible pixel.
int MeasureGlyph(const media::Image& font, int frame) {
  media::Pixmap pm = media::LockImage(font, frame, true, false);
  int width = 0;
  const int cols = std::min(kGlyphSize, pm.width);
  const int rows = std::min(kGlyphSize, pm.height);
  for (int x = cols - 1; x >= 0 && width == 0; --x) {
    for (int y = 0; y < rows; ++y) {
      if ((media::ReadPixel(pm, x, y) >> 24) != 0) {
        width = x + 1;
        break;
      }
    }
  }
  media::UnlockImage(font, frame);
  return width;
}

}  // namespace

void MeasureFontWidths() {
  std::fill(std::begin(widthTable), std::end(widthTable), 0);
  widthTable[0] = kSpaceAdvance;
  if (!imgFont) return;
  const int frames = std::min(kFontGlyphs, media::ImageFrames(imgFont));
  for (int k = 1; k < frames; ++k) widthTable[k] = MeasureGlyph(imgFont, k);
}

int BmpFontWidth(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    const int k = GlyphIndex(c, kFontGlyphs);
    if (k >= 0) width += widthTable[k];
  }
  return width;
}

int DrawBmpFont(const std::string& text, int x, int y, int centreX, int centreY) {
  if (text.empty()) return 0;
  if (centreX != 0) x -= BmpFontWidth(text) / 2;
  if (centreY != 0) y -= 8;
  for (unsigned char c : text) {
    const int k = GlyphIndex(c, kFontGlyphs);
    if (k < 0) continue;
    DrawImage(imgFont, x, y, k);
    x += widthTable[k];
  }
  return 0;
}

int DisplayText(const std::string& text, int x, int y, int centre, int alt) {
  int n = 0;
  for (unsigned char c : text)
    if (GlyphIndex(c, kMenuFontGlyphs) >= 0) ++n;
  if (n == 0) return 0;
  if (centre != 0) x = (46 - n) * 8;
  const media::Image& font = alt == 0 ? optAlpha : optAlpha2;
  int i = 0;
  for (unsigned char c : text) {
    const int k = GlyphIndex(c, kMenuFontGlyphs);
    if (k < 0) continue;
    ++i;
    DrawImage(font, x + 16 * i, y, k);
  }
  return 0;
}

int FlashingMsg(const std::string& text, int period, int x, int y, int centre, int alt) {
  if (period >= 1) {
    pausecounter = static_cast<int>((static_cast<long long>(pausecounter) + 1) % period);
    if (pausecounter >= period - kHiddenCounts) return 0;
  }
  return DisplayText(media::Upper(text), x, y, centre, alt);
}

void ResetText() {
  std::fill(std::begin(widthTable), std::end(widthTable), 0);
  pausecounter = 0;
}

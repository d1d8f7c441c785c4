// What a player must be able to read and see whole: every letter of the three fonts is ringed by
// pixels that contrast with its fill (so text reads over any picture below it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "tools/art/art_util.h"

namespace {

double Luminance(media::Pixel p) {
  auto lin = [](unsigned v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin((p >> 16) & 255) + 0.7152 * lin((p >> 8) & 255) + 0.0722 * lin(p & 255);
}

double Contrast(media::Pixel a, media::Pixel b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between a glyph's fill and the pixels around it. The ring colours are
// those of the pixels that touch transparency; every other opaque pixel is fill. A fill pixel
// next to a transparent one gives 1 (the picture below shows right beside it), next to a ring
// pixel the two colours' contrast. -1 when the glyph has no fill at all.
double LowestRingContrast(const media::Image& font, int glyph) {
  media::Pixmap p = media::LockImage(font, glyph, true, false);
  auto at = [&p](int x, int y) -> media::Pixel {
    return (x < 0 || y < 0 || x > 15 || y > 15) ? 0 : media::ReadPixel(p, x, y);
  };
  auto clear = [&at](int x, int y) { return (at(x, y) >> 24) == 0; };
  std::set<media::Pixel> ring;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      for (int d = 0; d < 9 && !clear(x, y); ++d)
        if (clear(x + d % 3 - 1, y + d / 3 - 1)) ring.insert(at(x, y));
  double lowest = -1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (clear(x, y) || ring.count(at(x, y))) continue;
      for (int d = 0; d < 9; ++d) {
        const media::Pixel n = at(x + d % 3 - 1, y + d / 3 - 1);
        double c = (n >> 24) == 0 ? 1.0 : ring.count(n) ? Contrast(at(x, y), n) : 99.0;
        lowest = lowest < 0 ? c : std::min(lowest, c);
      }
    }
  media::UnlockImage(font, glyph);
  return lowest;
}

TEST(ArtReadable, EveryLetterIsRingedByPixelsThatContrastWithItsFill) {
  struct Font {
    const char* name;
    int glyphs;
  };
  for (const Font& f : {Font{"Images/Font.png", 95}, Font{"Images/optAlpha.png", 59},
                        Font{"Images/optAlpha2.png", 59}}) {
    media::Image font = arttest::LoadCells(f.name, 16, 16, f.glyphs);
    ASSERT_TRUE(font) << f.name;
    for (int k = 1; k < f.glyphs; ++k) {
      const char c = static_cast<char>(32 + k);
      if (f.glyphs == 59 && (c == '#' || c == '$' || c == '&')) continue;  // arrows, ornament
      EXPECT_GE(LowestRingContrast(font, k), 4.5) << f.name << " character " << c;
    }
  }
}

}  // namespace

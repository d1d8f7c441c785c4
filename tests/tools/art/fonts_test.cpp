// The three bitmap fonts measure and look as the text drawing expects.
#include <gtest/gtest.h>

#include "tools/art/art_util.h"

namespace {

TEST(ArtFonts, ProportionalGlyphsMeasureAsStartUpMeasuresThem) {
  media::Image font = arttest::LoadCells("Images/Font.png", 16, 16, 95);
  ASSERT_TRUE(font);
  // The space's cell is empty (start-up gives it 5 whatever it holds).
  EXPECT_EQ(arttest::OpaqueCount(font, 0, 0, 0, 16, 16), 0);
  for (int k = 1; k <= 94; ++k) {
    int w = arttest::MeasuredWidth(font, k);
    EXPECT_GT(w, 1) << "character " << static_cast<char>(32 + k) << " has no width";
    EXPECT_LE(w, 9) << "character " << static_cast<char>(32 + k) << " is too wide";
    // The letter's own gap: nothing in column 0, so letters drawn side by side never touch.
    EXPECT_EQ(arttest::OpaqueCount(font, k, 0, 0, 1, 16), 0) << static_cast<char>(32 + k);
  }
  // Narrow and wide letters differ: it is a proportional font.
  EXPECT_LT(arttest::MeasuredWidth(font, 'i' - 32), arttest::MeasuredWidth(font, 'm' - 32));
  EXPECT_EQ(arttest::MeasuredWidth(font, 'A' - 32), arttest::MeasuredWidth(font, 'H' - 32));
}

TEST(ArtFonts, ProportionalFontMasksMagentaOnly) {
  media::Image font = arttest::LoadCells("Images/Font.png", 16, 16, 95);
  ASSERT_TRUE(font);
  media::Pixmap p = media::LockImage(font, 'A' - 32, true, false);
  int ink = 0, clear = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      media::Pixel px = media::ReadPixel(p, x, y);
      if ((px >> 24) == 0) {
        ++clear;
        EXPECT_EQ(px & 0xFFFFFFu, 0xFF00FFu) << "a transparent pixel that was not magenta";
      } else {
        ++ink;
      }
    }
  media::UnlockImage(font, 'A' - 32);
  EXPECT_GT(ink, 10);
  EXPECT_GT(clear, 100);
}

TEST(ArtFonts, MenuFontsHoldCapitalsDigitsAndTheirSpecialGlyphs) {
  for (const char* name : {"Images/optAlpha.png", "Images/optAlpha2.png"}) {
    media::Image font = arttest::LoadCells(name, 16, 16, 59);
    ASSERT_TRUE(font) << name;
    EXPECT_EQ(arttest::OpaqueCount(font, 0, 0, 0, 16, 16), 0) << name << ": space";
    for (int c = 33; c <= 90; ++c)
      EXPECT_GT(arttest::OpaqueCount(font, c - 32, 0, 0, 16, 16), 4)
          << name << " character " << static_cast<char>(c);
  }
}

// optAlpha's "#" is an up arrow and "$" a down arrow: more ink at the wide end.
TEST(ArtFonts, ArrowGlyphsPointUpAndDown) {
  media::Image font = arttest::LoadCells("Images/optAlpha.png", 16, 16, 59);
  ASSERT_TRUE(font);
  int upTop = arttest::OpaqueCount(font, '#' - 32, 0, 0, 16, 6);
  int upBottom = arttest::OpaqueCount(font, '#' - 32, 0, 10, 16, 6);
  int downTop = arttest::OpaqueCount(font, '$' - 32, 0, 0, 16, 6);
  int downBottom = arttest::OpaqueCount(font, '$' - 32, 0, 10, 16, 6);
  EXPECT_LT(upTop, upBottom * 2);
  EXPECT_GT(downTop * 2, downBottom);
  // The tip of the up arrow is at the top, narrow; the down arrow's at the bottom.
  EXPECT_LT(arttest::OpaqueCount(font, '#' - 32, 0, 2, 16, 2),
            arttest::OpaqueCount(font, '#' - 32, 0, 7, 16, 2));
  EXPECT_LT(arttest::OpaqueCount(font, '$' - 32, 0, 12, 16, 2),
            arttest::OpaqueCount(font, '$' - 32, 0, 7, 16, 2));
}

// optAlpha2's "&" is drawn ten or twenty times in a row: its left and right edges must join.
TEST(ArtFonts, OrnamentTilesAtSixteenPixels) {
  media::Image font = arttest::LoadCells("Images/optAlpha2.png", 16, 16, 59);
  ASSERT_TRUE(font);
  int joined = 0;
  for (int y = 0; y < 16; ++y) {
    bool left = arttest::Opaque(font, '&' - 32, 0, y),
         right = arttest::Opaque(font, '&' - 32, 15, y);
    EXPECT_EQ(left, right) << "row " << y;
    if (left && right) ++joined;
  }
  EXPECT_GE(joined, 2);
}

TEST(ArtFonts, TheTwoMenuFontsLookDifferent) {
  media::Image a = arttest::LoadCells("Images/optAlpha.png", 16, 16, 59);
  media::Image b = arttest::LoadCells("Images/optAlpha2.png", 16, 16, 59);
  ASSERT_TRUE(a && b);
  media::Pixmap pa = media::LockImage(a, 'E' - 32, true, false);
  media::Pixmap pb = media::LockImage(b, 'E' - 32, true, false);
  int different = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (media::ReadPixel(pa, x, y) != media::ReadPixel(pb, x, y)) ++different;
  media::UnlockImage(a, 'E' - 32);
  media::UnlockImage(b, 'E' - 32);
  EXPECT_GT(different, 40);
}

}  // namespace

namespace {

// Several screens centre a line of this font with the media layer's text width, 8 pixels a
// character: the font's own advance has to come close to it or such lines sit off centre.
TEST(ArtFonts, ProportionalLinesMeasureCloseToEightPixelsACharacter) {
  media::Image font = arttest::LoadCells("Images/Font.png", 16, 16, 95);
  ASSERT_TRUE(font);
  for (const std::string line :
       {"Easy: lives never run out, F4 shows a grid. Hard: every mummy climbs.",
        "Take every piece of gold in the stage. When the last one is gone,",
        "Schwer: alle Mumien klettern.", "Tutorial 1: walking and climbing"}) {
    int width = 0;
    for (char c : line) width += c == ' ' ? 5 : arttest::MeasuredWidth(font, c - 32);
    int media = 8 * static_cast<int>(line.size());
    EXPECT_GT(width * 10, media * 9) << line << ": " << width << " of " << media;
    EXPECT_LT(width * 10, media * 11) << line << ": " << width << " of " << media;
  }
}

}  // namespace

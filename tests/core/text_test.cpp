// Bitmap-font text: advances, centring, skipped characters, blinking and glyph measuring.
#include "core/text.h"

#include <algorithm>
#include <array>

#include "screen_fixture.h"

namespace {

using coretest::MarkerFont;
using coretest::MarkerOf;
using coretest::ScreenTest;

class TextTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    imgFont = MarkerFont(kFontGlyphs);
    optAlpha = MarkerFont(kMenuFontGlyphs);
    optAlpha2 = MarkerFont(kMenuFontGlyphs);
    // optAlpha2's markers differ from optAlpha's.
    for (int f = 0; f < kMenuFontGlyphs; ++f) {
      media::Pixmap pm = media::LockImage(optAlpha2, f);
      media::WritePixel(pm, 0, 0, MarkerOf(f + 100));
      media::UnlockImage(optAlpha2, f);
    }
    for (int k = 0; k < kFontGlyphs; ++k) widthTable[k] = 7 + k % 5;
    widthTable[0] = 5;
  }

  // The character whose marker of `font` stands at (x, y), or -1.
  static int GlyphAt(int x, int y, int offset = 0) {
    const media::Pixel p = media::ReadScreenPixel(x, y);
    if ((p & 0xFFFFFF) == 0) return -1;
    return static_cast<int>(p & 0xFFFFFF) - 1 - offset + 32;
  }

  // How many marker pixels are on the screen row y.
  static int MarkersOnRow(int y) {
    int n = 0;
    for (int x = 0; x < 800; ++x)
      if ((media::ReadScreenPixel(x, y) & 0xFFFFFF) != 0) ++n;
    return n;
  }
};

TEST_F(TextTest, DisplayTextCentredPutsABAt368And384) {
  DisplayText("AB", 0, 100, 1, 0);
  EXPECT_EQ(GlyphAt(368, 100), 'A');
  EXPECT_EQ(GlyphAt(384, 100), 'B');
  EXPECT_EQ(MarkersOnRow(100), 2);
}

TEST_F(TextTest, DisplayTextAtAnXStartsSixteenPixelsRight) {
  DisplayText("AB", 250, 40, 0, 0);
  EXPECT_EQ(GlyphAt(266, 40), 'A');
  EXPECT_EQ(GlyphAt(282, 40), 'B');
  EXPECT_EQ(MarkersOnRow(40), 2);
}

TEST_F(TextTest, DisplayTextCentredIgnoresXAndSpansAroundThe384Line) {
  DisplayText("HELLO", 700, 10, 1, 0);  // n = 5: x = 328, glyphs at 344 to 408
  EXPECT_EQ(GlyphAt(344, 10), 'H');
  EXPECT_EQ(GlyphAt(408, 10), 'O');
  EXPECT_EQ(MarkersOnRow(10), 5);
}

TEST_F(TextTest, DisplayTextAltChoosesTheSecondFont) {
  DisplayText("A", 0, 50, 0, 1);
  EXPECT_EQ(GlyphAt(16, 50, 100), 'A');
}

TEST_F(TextTest, DisplayTextSkipsCharactersOutsideTheMenuFont) {
  // 'a' (97) and '~' (126) have no menu glyph: skipped with no advance, and not counted.
  DisplayText("AaZ~", 250, 60, 0, 0);
  EXPECT_EQ(GlyphAt(266, 60), 'A');
  EXPECT_EQ(GlyphAt(282, 60), 'Z');
  EXPECT_EQ(MarkersOnRow(60), 2);
  // The first codes past either end of the range: 31 and '[' (91).
  DisplayText("\x1F[Z[", 250, 64, 0, 0);
  EXPECT_EQ(GlyphAt(266, 64), 'Z');
  EXPECT_EQ(MarkersOnRow(64), 1);
  DisplayText(
      "A\x80"
      "B",
      0, 70, 1, 0);
  EXPECT_EQ(GlyphAt(368, 70), 'A');
  EXPECT_EQ(GlyphAt(384, 70), 'B');
}

TEST_F(TextTest, DisplayTextOfEmptyDrawsNothing) {
  DisplayText("", 0, 80, 1, 0);
  DisplayText("", 0, 80, 0, 1);
  EXPECT_EQ(MarkersOnRow(80), 0);
}

TEST_F(TextTest, DisplayTextKeepsTheColour) {
  media::SetColor(255, 0, 0);
  DisplayText("A", 0, 90, 0, 0);
  EXPECT_EQ(GlyphAt(16, 90), 'A');  // drawn in its own colour, not tinted
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 0, 0}));
}

TEST_F(TextTest, DrawBmpFontAdvancesByTheWidthTable) {
  DrawBmpFont("AB", 100, 30);
  EXPECT_EQ(GlyphAt(100, 30), 'A');
  EXPECT_EQ(GlyphAt(100 + widthTable['A' - 32], 30), 'B');
  EXPECT_EQ(MarkersOnRow(30), 2);
}

TEST_F(TextTest, DrawBmpFontSpaceAdvancesFive) {
  DrawBmpFont(" A", 100, 40);
  EXPECT_EQ(GlyphAt(100, 40), ' ');
  EXPECT_EQ(GlyphAt(105, 40), 'A');
}

TEST_F(TextTest, DrawBmpFontSkipsCharactersOutsideTheFont) {
  DrawBmpFont(std::string("A\x01\x7F\xE9") + "B", 100, 50);
  EXPECT_EQ(GlyphAt(100, 50), 'A');
  EXPECT_EQ(GlyphAt(100 + widthTable['A' - 32], 50), 'B');
  EXPECT_EQ(MarkersOnRow(50), 2);
  EXPECT_EQ(BmpFontWidth("A\x01"
                         "B"),
            widthTable[33] + widthTable[34]);
}

TEST_F(TextTest, DrawBmpFontCentres) {
  widthTable['A' - 32] = 9;
  widthTable['B' - 32] = 8;
  EXPECT_EQ(BmpFontWidth("AB"), 17);
  DrawBmpFont("AB", 200, 60, 1, 1);  // x - 17 / 2 = 192, y - 8 = 52
  EXPECT_EQ(GlyphAt(192, 52), 'A');
  EXPECT_EQ(GlyphAt(201, 52), 'B');
  EXPECT_EQ(BmpFontWidth(""), 0);
}

TEST_F(TextTest, DrawBmpFontCentringTruncatesTowardZero) {
  widthTable['A' - 32] = 9;
  DrawBmpFont("A", 0, 70, 1, 0);  // 0 - 9 / 2 = -4: the marker is off the screen
  EXPECT_EQ(MarkersOnRow(70), 0);
  widthTable['A' - 32] = -9;
  widthTable['B' - 32] = 0;  // a negative sum halves toward zero: x + 4
  DrawBmpFont("AB", 10, 72, 1, 0);
  EXPECT_EQ(GlyphAt(14, 72), 'A');
  EXPECT_EQ(GlyphAt(5, 72), 'B');
}

TEST_F(TextTest, FlashingMsgShowsForCounts0To974OfAThousand) {
  media::SetViewport(0, 0, 800, 120);
  pausecounter = 999;  // the first call steps it to 0
  int shown = 0;
  for (int step = 0; step < 1000; ++step) {
    media::Cls();
    FlashingMsg("ab", 1000, 0, 100, 1, 0);
    const bool visible = GlyphAt(368, 100) == 'A' && GlyphAt(384, 100) == 'B';
    EXPECT_EQ(pausecounter, step);
    EXPECT_EQ(visible, step <= 974) << "count " << step;
    shown += visible ? 1 : 0;
  }
  EXPECT_EQ(shown, 975);
}

TEST_F(TextTest, FlashingMsgWithNoPeriodDoesNotBlink) {
  pausecounter = 3;
  FlashingMsg("A", 0, 0, 20, 0, 0);
  EXPECT_EQ(GlyphAt(16, 20), 'A');
  EXPECT_EQ(pausecounter, 3);
}

TEST_F(TextTest, MeasureFontWidthsFindsTheRightmostVisibleColumn) {
  imgFont = media::CreateImage(16, 16, kFontGlyphs);
  for (int k = 0; k < kFontGlyphs; ++k) {
    media::Pixmap pm = media::LockImage(imgFont, k);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) media::WritePixel(pm, x, y, 0x00FF00FF);    // transparent
    if (k % 17 != 3) media::WritePixel(pm, k % 16, (k * 7) % 16, 0xFF000000);  // opaque black
    if (k % 17 != 3) media::WritePixel(pm, 0, 15, 0xFFFFFFFF);
    media::UnlockImage(imgFont, k);
  }
  widthTable[3] = 99;
  MeasureFontWidths();
  EXPECT_EQ(widthTable[0], 5);
  for (int k = 1; k < kFontGlyphs; ++k) {
    const int want = (k % 17 == 3) ? 0 : k % 16 + 1;
    EXPECT_EQ(widthTable[k], want) << "glyph " << k;
  }
}

TEST_F(TextTest, MeasureFontWidthsWithoutAFontLeavesOnlyTheSpace) {
  imgFont.reset();
  MeasureFontWidths();
  EXPECT_EQ(widthTable[0], 5);
  EXPECT_EQ(*std::max_element(widthTable + 1, widthTable + kFontGlyphs), 0);
  imgFont = MarkerFont(10);  // too few cells: the rest measure 0
  MeasureFontWidths();
  EXPECT_EQ(widthTable[9], 1);
  EXPECT_EQ(widthTable[10], 0);
  EXPECT_EQ(widthTable[94], 0);
}

}  // namespace

// The game's drawing helpers and bitmap-font text on the headless screen.
#include <array>
#include <limits>

#include "core/draw.h"
#include "core/text.h"
#include "support/game_fixture.h"
#include "support/pictures.h"

namespace {

using media::Pixel;
using quill_test::CountPixels;
using quill_test::Filled;

class ScreenTest : public quill_test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  }
  static Pixel Rgb(int x, int y) { return media::ReadScreenPixel(x, y) & 0xFFFFFF; }
  static std::array<int, 3> Colour() {
    int r = 0, g = 0, b = 0;
    media::GetColor(r, g, b);
    return {r, g, b};
  }
};

using DrawTest = ScreenTest;

TEST_F(DrawTest, ImagesInTheirOwnColoursAndOutlines) {
  media::Image img = Filled(2, 2, 0xFF20A040, 2);
  media::SetImageHandle(img, 0, 1);
  media::SetOrigin(16, 0);
  media::SetColor(255, 0, 0);
  DrawBlock(img, 100, 100, 1);  // at the handle and the origin, not tinted
  EXPECT_EQ(Rgb(116, 99), 0x20A040u);
  EXPECT_EQ(Rgb(117, 100), 0x20A040u);
  EXPECT_EQ(Rgb(116, 101), 0u);
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(DrawImage(nullptr, 0, 0, 5), 0);
  media::SetOrigin(0, 0);
  media::Cls();
  // An outline of 20 x 20 lights the 80 border pixels of 21 x 21.
  media::SetColor(255, 255, 255);
  Rect(514, 298, 20, 20, 0);
  EXPECT_EQ(CountPixels(0xFFFFFFFFu, 514, 298, 535, 319), 80);
  EXPECT_EQ(CountPixels(0xFFFFFFFFu), 80);
  EXPECT_EQ(Rgb(534, 318), 0xFFFFFFu);
  Rect(10, 10, 5, 3, 1);
  EXPECT_EQ(CountPixels(0xFFFFFFFFu, 10, 10, 15, 13), 15);
  media::Cls();
  // outl: a black box from x - 1 to x + w in a white frame from x - 2 to x + w + 2.
  media::SetColor(255, 0, 0);
  Rect(0, 0, 100, 100, 1);
  outl(20, 20, 10, 10);
  // clang-format off
  for (auto [x, y, rgb] : std::vector<std::array<unsigned, 3>>{
           {18, 18, 0xFFFFFF}, {32, 32, 0xFFFFFF}, {32, 18, 0xFFFFFF}, {19, 19, 0}, {30, 30, 0},
           {31, 31, 0xFF0000}, {17, 17, 0xFF0000}, {33, 25, 0xFF0000}})
    // clang-format on
    EXPECT_EQ(Rgb(x, y), rgb) << x << "," << y;
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(DrawTest, RenderOverBordersBlacksTheStripsBesideTheViewport) {
  struct Case {
    int vx, vy, vw, vh;
    float ox, oy;
  };
  for (const Case& c : {Case{16, 0, 768, 600, 16, 0}, Case{40, 100, 720, 300, -8, 25},
                        Case{0, 0, 800, 600, 5, 5}}) {
    media::ResetGraphicsState();
    media::SetColor(255, 255, 255);
    Rect(0, 0, 800, 600, 1);
    media::SetViewport(c.vx, c.vy, c.vw, c.vh);
    media::SetOrigin(c.ox, c.oy);
    media::SetColor(10, 20, 30);
    RenderOverBorders();
    EXPECT_EQ(CountPixels(0xFF000000u), 2 * c.vx * 600) << c.vx;
    for (int y : {0, 299, 599}) {
      if (c.vx > 0) {
        EXPECT_EQ(Rgb(c.vx - 1, y), 0u) << c.vx << " " << y;
      }
      EXPECT_EQ(Rgb(c.vx, y), 0xFFFFFFu) << c.vx << " " << y;
      EXPECT_EQ(Rgb(799 - c.vx, y), 0xFFFFFFu) << c.vx << " " << y;
      EXPECT_EQ(Rgb(800 - c.vx, y), 0u) << c.vx << " " << y;
    }
    EXPECT_EQ(Colour(), (std::array<int, 3>{10, 20, 30}));
    int vx, vy, vw, vh;
    media::GetViewport(vx, vy, vw, vh);
    EXPECT_EQ((std::array<int, 4>{vx, vy, vw, vh}), (std::array<int, 4>{c.vx, c.vy, c.vw, c.vh}));
    float ox, oy;
    media::GetOrigin(ox, oy);
    EXPECT_EQ(ox + oy, c.ox + c.oy);
  }
}

TEST_F(DrawTest, ImagesOverlapCountsTouchingBoxesWithoutHandles) {
  media::Image a = Filled(48, 48, 0xFFFFFFFF), b = Filled(48, 48, 0xFFFFFFFF);
  media::Image small = Filled(24, 12, 0xFFFFFFFF);
  media::SetImageHandle(b, 40, 40);  // plays no part
  const int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
  struct Case {
    media::Image i1;
    int x1, y1;
    media::Image i2;
    int x2, y2, want;
  };
  // clang-format off
  const Case cases[] = {
      {a, 0, 0, b, 48, 48, 1}, {a, 0, 0, b, 48, 0, 1}, {a, 0, 0, b, 49, 0, 0},
      {a, 49, 0, b, 0, 0, 0}, {a, 0, 0, b, 0, 49, 0}, {a, 0, 49, b, 0, 0, 0},
      {a, 0, 48, b, 0, 0, 1}, {a, 48, 0, b, 0, 0, 1}, {a, 10, 10, b, 20, 30, 1},
      {small, 0, 0, a, 24, 12, 1}, {small, 0, 0, a, 0, 13, 0}, {small, 0, 0, a, 25, 0, 0},
      {a, top, 0, a, 0, 0, 0}, {a, 0, 0, a, 0, top, 0}, {a, top, top, a, top - 48, top - 48, 1},
      {a, bottom, 0, a, 0, 0, 0}, {a, bottom, bottom, a, bottom + 48, bottom, 1}};
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(ImagesOverlap(c.i1, c.x1, c.y1, c.i2, c.x2, c.y2), c.want)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
}

TEST_F(DrawTest, ForwardingCommands) {
  Color(0, 0, 255);
  Origin(100, 0);
  Viewport(100, 0, 10, 10);
  Line(0, 0, 50, 0);
  Line(5, 5, 5, 8);
  EXPECT_EQ(CountPixels(0xFF0000FFu), 10 + 4);  // clipped; both end pixels
  // The entries kept for the old drawing calls change nothing.
  media::Image a = Filled(2, 2, 0xFFFFFFFF);
  EXPECT_EQ(CopyImage(a), a);
  EXPECT_FALSE(BackBuffer() || FrontBuffer() || ImageBuffer(a));
  EXPECT_EQ(SetBuffer(a) + MaskImage(a, 1, 2, 3) + GetColor(1, 1) + ColorRed() + ColorGreen() +
                ColorBlue() + clsColor(1, 2, 3) + FreeImage(a) + CopyRect(0, 0, 5, 5, 10, 10),
            0);
  EXPECT_EQ(CountPixels(0xFF0000FFu), 14);
}

// A font picture of `glyphs` cells, each transparent but for one marker pixel at its (0, 0)
// whose colour names the cell: 1 + cell + offset.
media::Image MarkerFont(int glyphs, int offset = 0) {
  media::Image img = Filled(16, 16, 0, glyphs);
  for (int f = 0; f < glyphs; ++f) {
    media::Pixmap pm = media::LockImage(img, f);
    media::WritePixel(pm, 0, 0, 0xFF000000u | static_cast<Pixel>(f + 1 + offset));
    media::UnlockImage(img, f);
  }
  return img;
}

class TextTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    imgFont = MarkerFont(kFontGlyphs);
    optAlpha = MarkerFont(kMenuFontGlyphs);
    optAlpha2 = MarkerFont(kMenuFontGlyphs, 100);
    for (int k = 0; k < kFontGlyphs; ++k) widthTable[k] = 7 + k % 5;
  }
  // The text of the markers on row y, left to right, with their x positions.
  static std::string Row(int y, std::vector<int>* xs = nullptr, int offset = 0) {
    std::string s;
    for (int x = 0; x < 800; ++x) {
      const int v = static_cast<int>(Rgb(x, y));
      if (v == 0) continue;
      s.push_back(static_cast<char>(v - 1 - offset + 32));
      if (xs) xs->push_back(x);
    }
    return s;
  }
};

// Menu text: 16 pixels a character from x + 16, or centred on the line x = 384; characters
// outside the menu font (32 to 90) are skipped and not counted.
TEST_F(TextTest, DisplayTextPlacesMenuCharacters) {
  struct Case {
    std::string text;
    int x, centre;
    std::string shown;
    std::vector<int> xs;
  };
  // clang-format off
  const Case cases[] = {
      {"AB", 0, 1, "AB", {368, 384}}, {"HELLO", 700, 1, "HELLO", {344, 360, 376, 392, 408}},
      {"AB", 250, 0, "AB", {266, 282}}, {"AaZ~", 250, 0, "AZ", {266, 282}},
      {"\x1F[Z[", 250, 0, "Z", {266}}, {"A\x80" "B", 0, 1, "AB", {368, 384}}, {"", 0, 1, "", {}}};
  // clang-format on
  int y = 10;
  for (const Case& c : cases) {
    media::SetColor(255, 0, 0);
    DisplayText(c.text, c.x, y, c.centre, 0);
    std::vector<int> xs;
    EXPECT_EQ(Row(y, &xs), c.shown) << c.text;
    EXPECT_EQ(xs, c.xs) << c.text;
    y += 20;
  }
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 0, 0}));
  DisplayText("A", 0, 300, 0, 1);
  EXPECT_EQ(Row(300, nullptr, 100), "A");  // the second font
}

TEST_F(TextTest, DrawBmpFontAdvancesByTheWidthTable) {
  widthTable['A' - 32] = 9;
  widthTable['B' - 32] = 8;
  MeasureFontWidths();  // the space is 5; glyphs measure their own width below
  widthTable['A' - 32] = 9;
  widthTable['B' - 32] = 8;
  std::vector<int> xs;
  DrawBmpFont(std::string(" A\x01\x7F\xE9") + "B", 100, 30);
  EXPECT_EQ(Row(30, &xs), " AB");
  EXPECT_EQ(xs, (std::vector<int>{100, 105, 114}));
  EXPECT_EQ(BmpFontWidth("A\x01"
                         "B"),
            17);
  xs.clear();
  DrawBmpFont("AB", 200, 60, 1, 1);  // x - 17 / 2 = 192, y - 8 = 52
  EXPECT_EQ(Row(52, &xs), "AB");
  EXPECT_EQ(xs, (std::vector<int>{192, 201}));
  widthTable['A' - 32] = -9;  // a negative width halves toward zero
  widthTable['B' - 32] = 0;
  xs.clear();
  DrawBmpFont("AB", 10, 72, 1, 0);
  EXPECT_EQ(Row(72, &xs), "BA");
  EXPECT_EQ(xs, (std::vector<int>{5, 14}));
}

TEST_F(TextTest, FlashingMsgShowsForCounts0To974OfAThousand) {
  media::SetViewport(0, 0, 800, 120);
  pausecounter = 999;  // the first call steps it to 0
  int shown = 0;
  for (int step = 0; step < 1000; ++step) {
    media::Cls();
    FlashingMsg("ab", 1000, 0, 100, 1, 0);
    const bool visible = Row(100) == "AB";
    EXPECT_EQ(pausecounter, step);
    EXPECT_EQ(visible, step <= 974) << "count " << step;
    shown += visible;
  }
  EXPECT_EQ(shown, 975);
  pausecounter = 3;
  media::Cls();
  FlashingMsg("A", 0, 0, 20, 0, 0);  // no period: no blinking
  EXPECT_EQ(Row(20), "A");
  EXPECT_EQ(pausecounter, 3);
}

TEST_F(TextTest, MeasureFontWidthsFindsTheRightmostOpaqueColumn) {
  imgFont = media::CreateImage(16, 16, kFontGlyphs);
  for (int k = 0; k < kFontGlyphs; ++k) {
    media::Pixmap pm = media::LockImage(imgFont, k);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) media::WritePixel(pm, x, y, 0x00FF00FF);
    if (k % 17 != 3) media::WritePixel(pm, k % 16, (k * 7) % 16, 0xFF000000);
    if (k % 17 != 3) media::WritePixel(pm, 0, 15, 0xFFFFFFFF);
    media::UnlockImage(imgFont, k);
  }
  widthTable[3] = 99;
  MeasureFontWidths();
  EXPECT_EQ(widthTable[0], 5);
  for (int k = 1; k < kFontGlyphs; ++k)
    EXPECT_EQ(widthTable[k], k % 17 == 3 ? 0 : k % 16 + 1) << "glyph " << k;
  imgFont = MarkerFont(10);  // too few cells: the rest measure 0
  MeasureFontWidths();
  EXPECT_EQ(widthTable[9], 1);
  EXPECT_EQ(widthTable[10], 0);
  imgFont.reset();
  MeasureFontWidths();
  EXPECT_EQ(widthTable[0] + widthTable[9], 5);
}

}  // namespace

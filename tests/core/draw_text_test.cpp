// The game's drawing helpers and bitmap-font text on the headless screen.
#include <array>

#include "core/draw.h"
#include "core/text.h"
#include "support/game_fixture.h"
#include "support/pictures.h"

namespace {

using media::Pixel;
using quill_test::CountPixels;
using quill_test::Filled;

constexpr Pixel kWhite = 0xFFFFFFFFu;

Pixel Rgb(int x, int y) {
  return media::ReadScreenPixel(x, y) & 0xFFFFFF;
}

std::array<int, 3> Colour() {
  int r = 0, g = 0, b = 0;
  media::GetColor(r, g, b);
  return {r, g, b};
}

// A font picture of `glyphs` cells, each transparent but for one marker pixel at its (0, 0)
// whose colour names the cell: 1 + cell.
media::Image MarkerFont(int glyphs) {
  media::Image img = Filled(16, 16, 0, glyphs);
  for (int f = 0; f < glyphs; ++f) {
    media::Pixmap pm = media::LockImage(img, f);
    media::WritePixel(pm, 0, 0, 0xFF000000u | static_cast<Pixel>(f + 1));
    media::UnlockImage(img, f);
  }
  return img;
}

// The text of the markers on row y, left to right, with their x positions.
std::string Row(int y, std::vector<int>* xs = nullptr) {
  std::string s;
  for (int x = 0; x < 800; ++x) {
    const int v = static_cast<int>(Rgb(x, y));
    if (v != 0) s.push_back(static_cast<char>(v - 1 + 32));
    if (v != 0 && xs) xs->push_back(x);
  }
  return s;
}

class DrawTest : public quill_test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
    imgFont = MarkerFont(kFontGlyphs);
    optAlpha = MarkerFont(kMenuFontGlyphs);  // the menu font of FlashingMsg
    for (int k = 0; k < kFontGlyphs; ++k) widthTable[k] = 7 + k % 5;
  }
};

// Blocks in their own colours at the handle and the origin, outlines, the outl frame, the
// forwarding commands, and the black strips beside the viewport.
TEST_F(DrawTest, DrawingHelpersKeepToTheirPixels) {
  media::Image img = Filled(2, 2, 0xFF20A040, 2);
  media::SetImageHandle(img, 0, 1);
  media::SetOrigin(16, 0);
  media::SetColor(255, 0, 0);
  DrawBlock(img, 100, 100, 1);  // not tinted
  EXPECT_EQ((std::array<Pixel, 3>{Rgb(116, 99), Rgb(117, 100), Rgb(116, 101)}),
            (std::array<Pixel, 3>{0x20A040u, 0x20A040u, 0}));
  EXPECT_EQ(DrawImage(nullptr, 0, 0, 5), 0);
  media::SetOrigin(0, 0);
  media::Cls();
  media::SetColor(255, 255, 255);
  Rect(514, 298, 20, 20, 0);  // lights the 80 border pixels of 21 x 21
  EXPECT_EQ(CountPixels(kWhite, 514, 298, 535, 319) * 1000 + CountPixels(kWhite), 80080);
  EXPECT_EQ(Rgb(534, 318), 0xFFFFFFu);
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
  media::Cls();
  Color(0, 0, 255);
  Origin(100, 0);
  Viewport(100, 0, 10, 10);
  Line(0, 0, 50, 0);
  Line(5, 5, 5, 8);
  EXPECT_EQ(CountPixels(0xFF0000FFu), 10 + 4);  // clipped; both end pixels
  // The entries kept for the old drawing calls change nothing.
  media::Image a = Filled(2, 2, kWhite);
  EXPECT_EQ(CopyImage(a), a);
  EXPECT_FALSE(BackBuffer() || FrontBuffer() || ImageBuffer(a));
  EXPECT_EQ(SetBuffer(a) + MaskImage(a, 1, 2, 3) + GetColor(1, 1) + ColorRed() + ColorGreen() +
                ColorBlue() + clsColor(1, 2, 3) + FreeImage(a) + CopyRect(0, 0, 5, 5, 10, 10),
            0);
  EXPECT_EQ(CountPixels(0xFF0000FFu), 14);
  // RenderOverBorders blacks the strips beside the viewport, whatever the origin.
  for (int vx : {16, 40}) {
    media::ResetGraphicsState();
    Rect(0, 0, 800, 600, 1);
    media::SetViewport(vx, 100, 800 - 2 * vx, 300);
    media::SetOrigin(vx == 16 ? 16.0f : -8.0f, vx == 16 ? 0.0f : 25.0f);
    media::SetColor(10, 20, 30);
    RenderOverBorders();
    EXPECT_EQ(CountPixels(0xFF000000u), 2 * vx * 600) << vx;
    for (int y : {0, 299, 599})
      EXPECT_EQ(
          (std::array<Pixel, 4>{Rgb(vx - 1, y), Rgb(vx, y), Rgb(799 - vx, y), Rgb(800 - vx, y)}),
          (std::array<Pixel, 4>{0, 0xFFFFFF, 0xFFFFFF, 0}))
          << vx << " " << y;
    EXPECT_EQ(Colour(), (std::array<int, 3>{10, 20, 30}));
    int x, y, w, h;
    media::GetViewport(x, y, w, h);
    float ox, oy;
    media::GetOrigin(ox, oy);
    EXPECT_EQ(
        (std::array<int, 6>{x, y, w, h, static_cast<int>(ox), static_cast<int>(oy)}),
        (std::array<int, 6>{vx, 100, 800 - 2 * vx, 300, vx == 16 ? 16 : -8, vx == 16 ? 0 : 25}));
  }
}

TEST_F(DrawTest, DrawBmpFontAdvancesByTheWidthTable) {
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

TEST_F(DrawTest, FlashingMsgShowsForCounts0To974OfAThousand) {
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
  EXPECT_EQ(Row(20) + std::to_string(pausecounter), "A3");
}

}  // namespace

// The game's drawing helpers on the headless screen.
#include "core/draw.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "screen_fixture.h"

namespace {

using coretest::ScreenTest;
using coretest::SolidImage;

class DrawTest : public ScreenTest {};

TEST_F(DrawTest, DrawImageUnderRedShowsOwnColoursAndKeepsRed) {
  media::Image img = SolidImage(4, 4, 0xFF20A040);
  media::SetColor(255, 0, 0);
  EXPECT_EQ(DrawImage(img, 10, 20), 0);
  EXPECT_EQ(Rgb(10, 20), 0x20A040u);
  EXPECT_EQ(Rgb(13, 23), 0x20A040u);
  EXPECT_EQ(Rgb(14, 23), 0u);
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 0, 0}));
}

TEST_F(DrawTest, DrawImageDrawsTheAskedFrameAtItsHandleAndOrigin) {
  media::Image img = media::CreateImage(2, 2, 2);
  for (int f = 0; f < 2; ++f) {
    media::Pixmap pm = media::LockImage(img, f);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) media::WritePixel(pm, x, y, f == 0 ? 0xFF111111 : 0xFF222222);
    media::UnlockImage(img, f);
  }
  media::SetImageHandle(img, 0, 1);
  media::SetOrigin(16, 0);
  DrawBlock(img, 100, 100, 1);
  EXPECT_EQ(Rgb(116, 99), 0x222222u);
  EXPECT_EQ(Rgb(117, 100), 0x222222u);
  EXPECT_EQ(Rgb(116, 101), 0u);
}

TEST_F(DrawTest, DrawImageOfNullDrawsNothing) {
  media::SetColor(1, 2, 3);
  EXPECT_EQ(DrawImage(nullptr, 0, 0, 5), 0);
  EXPECT_EQ(Rgb(0, 0), 0u);
  EXPECT_EQ(Colour(), (std::array<int, 3>{1, 2, 3}));
}

TEST_F(DrawTest, OutlineRectCoversTwentyOneByTwentyOnePixels) {
  media::SetColor(255, 255, 255);
  Rect(514, 298, 20, 20, 0);
  int lit = 0, minX = 800, maxX = -1, minY = 600, maxY = -1;
  for (int y = 280; y < 340; ++y) {
    for (int x = 500; x < 560; ++x) {
      if (Rgb(x, y) == 0) continue;
      ++lit;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  EXPECT_EQ(minX, 514);
  EXPECT_EQ(maxX, 534);
  EXPECT_EQ(minY, 298);
  EXPECT_EQ(maxY, 318);
  EXPECT_EQ(lit, 80);  // the four edges of a 21 x 21 square
  EXPECT_NE(Rgb(534, 318), 0u);
  EXPECT_NE(Rgb(534, 298), 0u);
  EXPECT_NE(Rgb(514, 318), 0u);
  EXPECT_EQ(Rgb(524, 308), 0u);
}

TEST_F(DrawTest, SolidRectFills) {
  media::SetColor(0, 255, 0);
  Rect(10, 10, 5, 3, 1);
  EXPECT_EQ(Rgb(10, 10), 0x00FF00u);
  EXPECT_EQ(Rgb(14, 12), 0x00FF00u);
  EXPECT_EQ(Rgb(15, 12), 0u);
  EXPECT_EQ(Rgb(12, 11), 0x00FF00u);
}

TEST_F(DrawTest, OutlDrawsBlackBoxInAWhiteFrameAndLeavesWhite) {
  media::SetColor(255, 0, 0);
  Rect(0, 0, 100, 100, 1);  // red background
  media::SetColor(0, 0, 255);
  outl(20, 20, 10, 10);
  EXPECT_EQ(Rgb(18, 18), 0xFFFFFFu);  // frame corner (x - 2, y - 2)
  EXPECT_EQ(Rgb(32, 32), 0xFFFFFFu);  // frame corner (x + w + 2, y + h + 2)
  EXPECT_EQ(Rgb(19, 19), 0u);         // black box from x - 1
  EXPECT_EQ(Rgb(30, 30), 0u);         // to x + w
  EXPECT_EQ(Rgb(17, 17), 0xFF0000u);
  EXPECT_EQ(Rgb(33, 25), 0xFF0000u);
  EXPECT_EQ(Colour(), (std::array<int, 3>{255, 255, 255}));
}

TEST_F(DrawTest, RenderOverBordersBlacksThePlayStrips) {
  media::SetColor(255, 255, 255);
  Rect(0, 0, 800, 600, 1);
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  media::SetColor(10, 20, 30);
  RenderOverBorders();
  for (int y : {0, 300, 599}) {
    EXPECT_EQ(Rgb(0, y), 0u);
    EXPECT_EQ(Rgb(15, y), 0u);
    EXPECT_EQ(Rgb(16, y), 0xFFFFFFu);
    EXPECT_EQ(Rgb(783, y), 0xFFFFFFu);
    EXPECT_EQ(Rgb(784, y), 0u);
    EXPECT_EQ(Rgb(799, y), 0u);
  }
  EXPECT_EQ(Colour(), (std::array<int, 3>{10, 20, 30}));
  int vx = 0, vy = 0, vw = 0, vh = 0;
  media::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vx, 16);
  EXPECT_EQ(vy, 0);
  EXPECT_EQ(vw, 768);
  EXPECT_EQ(vh, 600);
  float ox = 0, oy = 0;
  media::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 16.0f);
  EXPECT_EQ(oy, 0.0f);
}

TEST_F(DrawTest, RenderOverBordersCoversTheWholeHeightWhateverTheOrigin) {
  media::SetColor(255, 255, 255);
  Rect(0, 0, 800, 600, 1);
  // The strips run from the screen's top edge to its bottom edge: a vertical origin does not
  // leave rows at the top uncovered. The viewport's own top and height play no part.
  media::SetViewport(40, 100, 720, 300);
  media::SetOrigin(-8, 25);
  RenderOverBorders();
  for (int y : {0, 24, 25, 599}) {
    EXPECT_EQ(Rgb(0, y), 0u) << y;
    EXPECT_EQ(Rgb(39, y), 0u) << y;
    EXPECT_EQ(Rgb(40, y), 0xFFFFFFu) << y;
    EXPECT_EQ(Rgb(759, y), 0xFFFFFFu) << y;
    EXPECT_EQ(Rgb(760, y), 0u) << y;
    EXPECT_EQ(Rgb(799, y), 0u) << y;
  }
  float ox = 0, oy = 0;
  media::GetOrigin(ox, oy);
  EXPECT_EQ(ox, -8.0f);
  EXPECT_EQ(oy, 25.0f);
}

TEST_F(DrawTest, RenderOverBordersWithTheFullScreenChangesNoPixel) {
  media::SetColor(200, 100, 50);
  Rect(0, 0, 800, 600, 1);
  const media::Pixel* px = media::BackBufferPixels();
  std::vector<media::Pixel> before(px, px + 800 * 600);
  RenderOverBorders();
  px = media::BackBufferPixels();
  EXPECT_TRUE(std::equal(before.begin(), before.end(), px));
}

TEST_F(DrawTest, ImagesOverlapCountsTouchingBoxes) {
  media::Image a = SolidImage(48, 48, 0xFFFFFFFF);
  media::Image b = SolidImage(48, 48, 0xFFFFFFFF);
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 48, 48), 1);  // corners touch
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 48, 0), 1);   // edges touch
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 49, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 49, 0, b, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 0, 49), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, 49, b, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, 48, b, 0, 0), 1);  // b's lower edge touches a's upper edge
  EXPECT_EQ(ImagesOverlap(a, 48, 0, b, 0, 0), 1);
  EXPECT_EQ(ImagesOverlap(a, 10, 10, b, 20, 30), 1);
  // Handles play no part.
  media::SetImageHandle(b, 40, 40);
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 49, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 48, 0), 1);
  // Sizes of different images.
  media::Image small = SolidImage(24, 12, 0xFFFFFFFF);
  EXPECT_EQ(ImagesOverlap(small, 0, 0, a, 24, 12), 1);
  EXPECT_EQ(ImagesOverlap(small, 0, 0, a, 0, 13), 0);
}

TEST_F(DrawTest, ImagesOverlapAtTheEndsOfTheIntRange) {
  media::Image a = SolidImage(48, 48, 0xFFFFFFFF);
  const int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
  EXPECT_EQ(ImagesOverlap(a, top, 0, a, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, top, a, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, 0, 0, a, 0, top), 0);
  EXPECT_EQ(ImagesOverlap(a, top, top, a, top - 48, top - 48), 1);
  EXPECT_EQ(ImagesOverlap(a, bottom, 0, a, 0, 0), 0);
  EXPECT_EQ(ImagesOverlap(a, bottom, bottom, a, bottom + 48, bottom), 1);
}

TEST_F(DrawTest, CompatibilityEntriesDoNothing) {
  media::Image a = SolidImage(2, 2, 0xFFFFFFFF);
  EXPECT_EQ(CopyImage(a), a);
  EXPECT_EQ(BackBuffer(), nullptr);
  EXPECT_EQ(FrontBuffer(), nullptr);
  EXPECT_EQ(ImageBuffer(a), nullptr);
  EXPECT_EQ(SetBuffer(a) + MaskImage(a, 1, 2, 3) + GetColor(1, 1) + ColorRed() + ColorGreen() +
                ColorBlue() + clsColor(1, 2, 3) + FreeImage(a) + CopyRect(0, 0, 5, 5, 10, 10),
            0);
  EXPECT_EQ(Rgb(10, 10), 0u);
}

TEST_F(DrawTest, ForwardingCommands) {
  Color(0, 0, 255);
  Line(5, 5, 8, 5);
  EXPECT_EQ(Rgb(5, 5), 0x0000FFu);
  EXPECT_EQ(Rgb(8, 5), 0x0000FFu);  // end pixel drawn
  Origin(100, 0);
  Viewport(100, 0, 10, 10);
  Line(0, 0, 50, 0);
  EXPECT_EQ(Rgb(109, 0), 0x0000FFu);
  EXPECT_EQ(Rgb(110, 0), 0u);  // clipped by the viewport
}

}  // namespace

// Positions, origin, viewport clipping, handles, tiling, lines, ovals, grabbing and text.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "media/graphics.h"
#include "render_helpers.h"

using media::Pixel;
using render_test::Filled;
using render_test::FreshScreen;

namespace {

constexpr Pixel kBlack = 0xFF000000u;
constexpr Pixel kWhite = 0xFFFFFFFFu;

// Counts the pixels of a colour in a window rectangle of the back buffer.
int Count(Pixel p, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) n += media::ReadScreenPixel(x, y) == p;
  }
  return n;
}
int CountAll(Pixel p) {
  return Count(p, 0, 0, 800, 600);
}

class RenderDraw : public ::testing::Test {
 protected:
  void SetUp() override { FreshScreen(); }
};

TEST_F(RenderDraw, ResetGivesTheDocumentedState) {
  media::SetColor(1, 2, 3);
  media::SetAlpha(0.5f);
  media::SetBlend(4);
  media::SetViewport(5, 5, 5, 5);
  media::SetOrigin(3, 4);
  media::DrawRect(0, 0, 800, 600);
  media::ResetGraphicsState();
  int r, g, b, x, y, w, h;
  media::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_FLOAT_EQ(media::GetAlpha(), 1.0f);
  EXPECT_EQ(media::GetBlend(), media::MASKBLEND);
  media::GetViewport(x, y, w, h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  float ox, oy;
  media::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 0.0f);
  EXPECT_EQ(oy, 0.0f);
  EXPECT_EQ(CountAll(kBlack), 800 * 600);
  EXPECT_EQ(media::ShownPixels()[0], kBlack);
}

TEST_F(RenderDraw, RectCoversExactlyItsBoxPlusTheOrigin) {
  media::SetOrigin(16, 2);
  media::DrawRect(10, 20, 5, 3);
  EXPECT_EQ(Count(kWhite, 26, 22, 31, 25), 15);
  EXPECT_EQ(CountAll(kWhite), 15);
}

TEST_F(RenderDraw, RectWithNegativeSizeExtendsTheOtherWay) {
  media::DrawRect(10, 10, -4, -2);
  EXPECT_EQ(Count(kWhite, 6, 8, 10, 10), 8);
  EXPECT_EQ(CountAll(kWhite), 8);
}

TEST_F(RenderDraw, ViewportClipsEveryDrawing) {
  media::SetViewport(16, 0, 768, 600);
  media::DrawRect(-50, -50, 900, 700);
  EXPECT_EQ(CountAll(kWhite), 768 * 600);
  EXPECT_EQ(media::ReadScreenPixel(15, 10), kBlack);
  EXPECT_EQ(media::ReadScreenPixel(16, 10), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(783, 10), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(784, 10), kBlack);

  media::ResetGraphicsState();
  media::SetViewport(100, 100, 10, 10);
  media::DrawImage(Filled(48, 48, kWhite), 90, 95);
  media::DrawLine(0, 105, 799, 105);
  media::DrawOval(50, 50, 200, 200);
  media::DrawText("WWWWWWWWWWWWWWWWWWWW", 0, 100);
  EXPECT_EQ(CountAll(kWhite), 100);
  EXPECT_EQ(Count(kWhite, 100, 100, 110, 110), 100);
}

TEST_F(RenderDraw, ViewportBeyondTheScreenIsCut) {
  media::SetViewport(790, 590, 100, 100);
  media::DrawRect(0, 0, 2000, 2000);
  EXPECT_EQ(CountAll(kWhite), 100);
  int x, y, w, h;
  media::GetViewport(x, y, w, h);
  EXPECT_EQ(w, 100);  // the viewport reads back as set
}

TEST_F(RenderDraw, ClsClearsOnlyTheViewportToTheClearColour) {
  media::DrawRect(0, 0, 800, 600);
  media::SetViewport(10, 10, 20, 20);
  media::SetClsColor(0, 0, 255);
  media::Cls();
  EXPECT_EQ(Count(0xFF0000FFu, 0, 0, 800, 600), 400);
  EXPECT_EQ(media::ReadScreenPixel(10, 10), 0xFF0000FFu);
  EXPECT_EQ(media::ReadScreenPixel(9, 10), kWhite);
}

TEST_F(RenderDraw, ImageIsDrawnAtPositionPlusOriginLessHandle) {
  media::Image image = Filled(4, 3, kWhite);
  media::SetImageHandle(image, 1, 2);
  media::SetOrigin(16, 0);
  media::DrawImage(image, 100, 50);
  EXPECT_EQ(Count(kWhite, 115, 48, 119, 51), 12);
  EXPECT_EQ(CountAll(kWhite), 12);
}

TEST_F(RenderDraw, ImageCellsPartlyOffScreenAreClipped) {
  media::Image image = Filled(48, 48, kWhite);
  media::DrawImage(image, -40, -40);
  media::DrawImage(image, 790, 590);
  EXPECT_EQ(CountAll(kWhite), 64 + 100);
  media::DrawImage(image, -48, 0);  // entirely off
  media::DrawImage(image, 1e9f, 1e9f);
  media::DrawImage(image, -1e9f, 0);
  EXPECT_EQ(CountAll(kWhite), 164);
}

TEST_F(RenderDraw, FramesAreSelectedAndBadFramesOrNullImagesIgnored) {
  media::Image image = media::CreateImage(2, 1, 3);
  for (int f = 0; f < 3; ++f) {
    media::Pixmap pm = media::LockImage(image, f);
    media::WritePixel(pm, 0, 0, 0xFF000000u | static_cast<Pixel>(f + 1));
    media::WritePixel(pm, 1, 0, 0xFF000000u | static_cast<Pixel>(f + 1));
    media::UnlockImage(image, f);
  }
  media::DrawImage(image, 0, 0, 2);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF000003u);
  media::DrawImage(image, 0, 0, 3);
  media::DrawImage(image, 0, 0, -1);
  media::DrawImage(nullptr, 0, 0);
  media::TileImage(nullptr);
  media::TileImage(image, 0, 0, 7);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF000003u);
  EXPECT_EQ(CountAll(kBlack), 800 * 600 - 2);
}

TEST_F(RenderDraw, PixelsWrittenAfterADrawShowOnTheNextDraw) {
  media::Image image = Filled(3, 1, 0x00000000u);
  media::DrawImage(image, 0, 0);
  media::Pixmap pm = media::LockImage(image);
  media::WritePixel(pm, 1, 0, 0xFF00FF00u);
  media::UnlockImage(image);
  media::DrawImage(image, 0, 0);
  EXPECT_EQ(media::ReadScreenPixel(1, 0), 0xFF00FF00u);
}

TEST_F(RenderDraw, TileImageAlignsOneCopyAtThePositionAndCoversTheViewport) {
  // A 5 x 4 cell with one marked pixel at its top-left corner.
  std::vector<std::vector<Pixel>> rows(4, std::vector<Pixel>(5, 0xFF202020u));
  rows[0][0] = kWhite;
  media::Image image = render_test::ImageOf(rows);
  media::SetViewport(10, 10, 30, 20);
  media::TileImage(image, 12, 7);
  // Marks at x = 12 + 5k and y = 7 + 4k within the viewport.
  int marks = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (media::ReadScreenPixel(x, y) == kWhite) {
        ++marks;
        EXPECT_EQ((x - 12) % 5, 0) << x;
        EXPECT_EQ((y - 7) % 4, 0) << y;
      }
    }
  }
  EXPECT_EQ(marks, 6 * 5);
  EXPECT_EQ(Count(kBlack, 10, 10, 40, 30), 0);
  EXPECT_EQ(Count(kBlack, 0, 0, 800, 600), 800 * 600 - 600);
}

TEST_F(RenderDraw, TileImageUsesTheOrigin) {
  std::vector<std::vector<Pixel>> rows(2, std::vector<Pixel>(3, 0xFF202020u));
  rows[0][0] = kWhite;
  media::Image image = render_test::ImageOf(rows);
  media::SetOrigin(16, 0);
  media::SetViewport(16, 0, 768, 600);
  media::TileImage(image, 0, 0);
  EXPECT_EQ(media::ReadScreenPixel(16, 0), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(19, 2), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(17, 0), 0xFF202020u);
  EXPECT_EQ(media::ReadScreenPixel(15, 0), kBlack);
}

TEST_F(RenderDraw, LineDrawsBothEndPoints) {
  media::DrawLine(10, 10, 20, 14);
  EXPECT_EQ(media::ReadScreenPixel(10, 10), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(20, 14), kWhite);
  EXPECT_EQ(CountAll(kWhite), 11);  // one pixel per column of an x-major line
  media::Cls();
  media::DrawLine(5, 5, 5, 5);
  EXPECT_EQ(CountAll(kWhite), 1);
}

TEST_F(RenderDraw, LineWithoutLastPixelStopsBeforeIt) {
  media::DrawLine(10, 10, 10, 20, false);
  EXPECT_EQ(media::ReadScreenPixel(10, 10), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(10, 19), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(10, 20), kBlack);
  EXPECT_EQ(CountAll(kWhite), 10);
}

TEST_F(RenderDraw, LineOutlineCoversColumnsXToXPlusW) {
  // The outline of a 20 x 20 box drawn with four lines lights 21 x 21 pixels' border.
  const int x = 514, y = 298, w = 20, h = 20;
  media::DrawLine(x, y, x + w, y);
  media::DrawLine(x, y, x, y + h);
  media::DrawLine(x + w, y, x + w, y + h);
  media::DrawLine(x, y + h, x + w, y + h);
  EXPECT_EQ(CountAll(kWhite), 4 * 20);
  EXPECT_EQ(media::ReadScreenPixel(534, 318), kWhite);
  EXPECT_EQ(Count(kWhite, 514, 298, 535, 319), 80);
}

TEST_F(RenderDraw, LinesFarOffTheScreenFinish) {
  media::DrawLine(-1e9f, -1e9f, 1e9f, 1e9f);
  media::DrawLine(-5e6f, 300, 5e6f, 300);
  EXPECT_EQ(media::ReadScreenPixel(400, 300), kWhite);
}

TEST_F(RenderDraw, LineWithOriginIsShifted) {
  media::SetOrigin(16, 0);
  media::DrawLine(0, 0, 3, 0);
  EXPECT_EQ(Count(kWhite, 16, 0, 20, 1), 4);
  EXPECT_EQ(CountAll(kWhite), 4);
}

TEST_F(RenderDraw, OvalStaysInItsBoxAndIsSymmetric) {
  media::DrawOval(310, 368, 53, 45);
  const int inside = Count(kWhite, 310, 368, 363, 413);
  EXPECT_EQ(CountAll(kWhite), inside);
  // Close to pi / 4 of the box.
  EXPECT_NEAR(inside, 3.14159 / 4 * 53 * 45, 40);
  // The corners stay empty, the centre is filled, the middle row spans the box.
  EXPECT_EQ(media::ReadScreenPixel(310, 368), kBlack);
  EXPECT_EQ(media::ReadScreenPixel(336, 390), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(310, 390), kWhite);
  EXPECT_EQ(media::ReadScreenPixel(362, 390), kWhite);
  for (int y = 368; y < 413; ++y) {
    for (int x = 310; x < 363; ++x) {
      ASSERT_EQ(media::ReadScreenPixel(x, y), media::ReadScreenPixel(310 + 362 - x, y));
      ASSERT_EQ(media::ReadScreenPixel(x, y), media::ReadScreenPixel(x, 368 + 412 - y));
    }
  }
  media::Cls();
  media::DrawOval(0, 0, 0, 10);
  EXPECT_EQ(CountAll(kWhite), 0);
  media::DrawOval(0, 0, 1e30f, 1e30f);  // absurd sizes finish without trouble
  media::Cls();
  media::DrawOval(-1000, -1000, 2800, 2600);  // centred on (400, 300)
  EXPECT_EQ(media::ReadScreenPixel(400, 300), kWhite);
}

TEST_F(RenderDraw, GrabImageCopiesTheBackBufferIgnoringTheOrigin) {
  media::SetColor(255, 0, 0);
  media::DrawRect(100, 100, 2, 2);
  media::SetOrigin(16, 0);
  media::Image image = media::CreateImage(4, 4);
  media::GrabImage(image, 99, 99);
  media::Pixmap pm = media::LockImage(image);
  EXPECT_EQ(media::ReadPixel(pm, 0, 0), kBlack);
  EXPECT_EQ(media::ReadPixel(pm, 1, 1), 0xFFFF0000u);
  EXPECT_EQ(media::ReadPixel(pm, 2, 2), 0xFFFF0000u);
  EXPECT_EQ(media::ReadPixel(pm, 3, 3), kBlack);
  EXPECT_EQ(media::ReadPixel(pm, 4, 0), 0u);  // outside the pixmap
  media::UnlockImage(image);
  // Drawn back at (-16, 0) with the origin (16, 0) it lands where it was taken.
  media::SetOrigin(0, 0);
  media::Cls();
  media::SetColor(255, 255, 255);
  media::SetOrigin(16, 0);
  media::DrawImage(image, 99 - 16, 99);
  EXPECT_EQ(media::ReadScreenPixel(100, 100), 0xFFFF0000u);
  EXPECT_EQ(media::ReadScreenPixel(101, 101), 0xFFFF0000u);
  EXPECT_EQ(media::ReadScreenPixel(102, 102), kBlack);
}

TEST_F(RenderDraw, GrabbingBeyondTheScreenGivesTransparentPixels) {
  media::DrawRect(0, 0, 800, 600);
  media::Image image = media::CreateImage(4, 1);
  media::GrabImage(image, 798, 0);
  media::Pixmap pm = media::LockImage(image);
  EXPECT_EQ(media::ReadPixel(pm, 1, 0), kWhite);
  EXPECT_EQ(media::ReadPixel(pm, 2, 0), 0u);
  media::UnlockImage(image);
  media::GrabImage(nullptr, 0, 0);
  media::GrabImage(image, 0, 0, 5);
}

TEST_F(RenderDraw, CreateImageRejectsBadSizes) {
  EXPECT_EQ(media::CreateImage(0, 5), nullptr);
  EXPECT_EQ(media::CreateImage(5, -1), nullptr);
  EXPECT_EQ(media::CreateImage(5, 5, 0), nullptr);
  EXPECT_EQ(media::CreateImage(100000, 100000), nullptr);
  media::Image image = media::CreateImage(800, 600);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(media::ImageWidth(image), 800);
  EXPECT_EQ(media::ImageHeight(image), 600);
  EXPECT_EQ(media::ImageFrames(image), 1);
  EXPECT_EQ(media::ImageWidth(nullptr), 0);
  EXPECT_EQ(media::ImageHeight(nullptr), 0);
  EXPECT_EQ(media::ImageFrames(nullptr), 0);
  media::SetImageHandle(nullptr, 1, 1);
  EXPECT_EQ(media::LockImage(nullptr).pixels, nullptr);
  media::UnlockImage(nullptr);
  media::WritePixel(media::Pixmap{}, 0, 0, 1);
  EXPECT_EQ(media::ReadPixel(media::Pixmap{}, 0, 0), 0u);
}

TEST_F(RenderDraw, TextIsDrawnInTheCurrentColourAndMeasured) {
  EXPECT_EQ(media::TextWidth("Hello"), 40);
  EXPECT_EQ(media::TextWidth(""), 0);
  EXPECT_EQ(media::TextHeight("|"), 8);
  media::SetColor(0, 255, 0);
  media::SetOrigin(16, 0);
  media::DrawText("I", 100, 50);
  // "I": a bar of three on rows 0 and 6, a stem in the middle column.
  const Pixel green = 0xFF00FF00u;
  EXPECT_EQ(Count(green, 116, 50, 124, 58), 11);
  EXPECT_EQ(CountAll(green), 11);
  EXPECT_EQ(media::ReadScreenPixel(116 + 3, 53), green);
  media::Cls();
  media::DrawText(" ", 0, 0);
  media::DrawText("\x01\x7f\xff", 0, 0);  // outside the font: blank cells
  EXPECT_EQ(CountAll(green), 0);
}

TEST_F(RenderDraw, EveryPrintableCharacterButSpaceHasPixelsInItsCell) {
  for (int c = 33; c <= 126; ++c) {
    media::Cls();
    media::DrawText(std::string(1, static_cast<char>(c)), 200, 200);
    const int inside = Count(kWhite, 200, 200, 208, 208);
    EXPECT_GT(inside, 0) << c;
    EXPECT_EQ(CountAll(kWhite), inside) << c;
  }
}

TEST_F(RenderDraw, ImageFontsAreRefused) {
  EXPECT_EQ(media::LoadImageFont("whatever.ttf", 12, 4), nullptr);
  media::SetImageFont(nullptr);
  EXPECT_EQ(media::TextWidth("ab"), 16);
}

}  // namespace

namespace {

// Random cells, viewports, origins, handles and positions against a pixel-by-pixel model of
// masked drawing, to check the run-based blitter's clipping.
TEST_F(RenderDraw, ClippedDrawingMatchesAPixelModel) {
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int trial = 0; trial < 60; ++trial) {
    const int w = pick(1, 40), h = pick(1, 30);
    std::vector<std::vector<Pixel>> rows(h, std::vector<Pixel>(w));
    for (auto& row : rows) {
      for (auto& p : row) {
        const int a = pick(0, 2) == 0 ? 0 : (pick(0, 1) ? 255 : pick(1, 254));
        p = static_cast<Pixel>(a) << 24 | static_cast<Pixel>(pick(0, 0xFFFFFF));
      }
    }
    media::Image image = render_test::ImageOf(rows);
    const int handleX = pick(-5, 5), handleY = pick(-5, 5);
    media::SetImageHandle(image, static_cast<float>(handleX), static_cast<float>(handleY));
    media::ResetGraphicsState();
    const int vx = pick(-20, 780), vy = pick(-20, 580), vw = pick(0, 120), vh = pick(0, 120);
    media::SetViewport(vx, vy, vw, vh);
    const int ox = pick(-10, 10), oy = pick(-10, 10);
    media::SetOrigin(static_cast<float>(ox), static_cast<float>(oy));
    const int x = pick(vx - 50, vx + vw + 10), y = pick(vy - 40, vy + vh + 10);
    const bool tile = trial % 3 == 0;
    if (tile) {
      media::TileImage(image, static_cast<float>(x), static_cast<float>(y));
    } else {
      media::DrawImage(image, static_cast<float>(x), static_cast<float>(y));
    }
    const int px = x + ox - handleX, py = y + oy - handleY;
    for (int sy = 0; sy < 600; ++sy) {
      for (int sx = 0; sx < 800; ++sx) {
        const bool inClip = sx >= vx && sx < vx + vw && sy >= vy && sy < vy + vh;
        Pixel expect = kBlack;
        if (inClip) {
          int u = sx - px, v = sy - py;
          if (tile) {
            u = ((u % w) + w) % w;
            v = ((v % h) + h) % h;
          }
          if (u >= 0 && u < w && v >= 0 && v < h && (rows[v][u] >> 24) >= 128) {
            expect = rows[v][u] | 0xFF000000u;
          }
        }
        ASSERT_EQ(media::ReadScreenPixel(sx, sy), expect)
            << "trial " << trial << " at " << sx << "," << sy;
      }
    }
  }
}

}  // namespace

namespace {

TEST_F(RenderDraw, NotANumberPositionsDrawNothing) {
  const float nan = std::nanf("");
  media::Image image = Filled(8, 8, kWhite);
  media::DrawImage(image, nan, 10);
  media::TileImage(image, nan, nan);  // aligned far away: the viewport is still covered
  EXPECT_EQ(CountAll(kWhite), 800 * 600);
  media::Cls();
  media::DrawRect(nan, 0, 10, 10);
  media::DrawRect(0, 0, nan, 10);
  media::DrawLine(nan, nan, nan, nan);
  media::DrawOval(nan, 0, 10, 10);
  media::DrawOval(0, 0, nan, 10);
  media::DrawText("X", nan, 0);
  EXPECT_FALSE(media::ImagesCollide(image, nan, 0, 0, image, 0, 0, 0));
  media::SetOrigin(nan, 0);
  media::DrawImage(image, 0, 0);
  EXPECT_EQ(CountAll(kWhite), 0);
}

}  // namespace

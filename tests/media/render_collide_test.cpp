// Pixel-exact collisions of image cells.
#include <gtest/gtest.h>

#include "media/graphics.h"
#include "render_helpers.h"

using media::Pixel;
using render_test::Filled;
using render_test::FreshScreen;

namespace {

class RenderCollide : public ::testing::Test {
 protected:
  void SetUp() override { FreshScreen(); }
};

TEST_F(RenderCollide, BoxesThatShareAPixelCollideAndBoxesOnePixelApartDoNot) {
  media::Image a = Filled(48, 48, 0xFFFFFFFFu);
  media::Image b = Filled(48, 48, 0xFF00FF00u);
  EXPECT_TRUE(media::ImagesCollide(a, 0, 0, 0, b, 47, 47, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 0, b, 48, 0, 0));  // edges touch, no shared pixel
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 0, b, 0, 48, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 0, b, -48, 0, 0));
  EXPECT_TRUE(media::ImagesCollide(a, 0, 0, 0, b, -47, 10, 0));
  EXPECT_TRUE(media::ImagesCollide(a, 100, 100, 0, b, 100, 100, 0));
}

TEST_F(RenderCollide, OnlyOpaquePixelsCount) {
  // Two diagonal shapes: a has its pixel at (0, 0), b at (1, 1) of a 2 x 2 cell.
  media::Image a = render_test::ImageOf({{0xFFFFFFFFu, 0}, {0, 0}});
  media::Image b = render_test::ImageOf({{0, 0}, {0, 0xFFFFFFFFu}});
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 0, b, 0, 0, 0));
  EXPECT_TRUE(media::ImagesCollide(a, 1, 1, 0, b, 0, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 2, 1, 0, b, 0, 0, 0));  // misses by one pixel
  EXPECT_FALSE(media::ImagesCollide(a, 1, 0, 0, b, 0, 0, 0));
}

TEST_F(RenderCollide, AlphaThresholdIsOneHalf) {
  media::Image solid = Filled(1, 1, 0xFFFFFFFFu);
  EXPECT_FALSE(media::ImagesCollide(Filled(1, 1, 0x7FFFFFFFu), 0, 0, 0, solid, 0, 0, 0));
  EXPECT_TRUE(media::ImagesCollide(Filled(1, 1, 0x80000000u), 0, 0, 0, solid, 0, 0, 0));
}

TEST_F(RenderCollide, HandlesShiftTheShapes) {
  media::Image a = Filled(48, 72, 0xFFFFFFFFu);
  media::SetImageHandle(a, 0, 24);
  media::Image b = Filled(48, 48, 0xFFFFFFFFu);
  // a at y 71 covers rows 47 to 118, at y 72 rows 48 to 119.
  EXPECT_TRUE(media::ImagesCollide(a, 0, 71, 0, b, 0, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 0, 72, 0, b, 0, 0, 0));
  EXPECT_TRUE(media::ImagesCollide(b, 0, 0, 0, a, 0, 71, 0));
  media::SetImageHandle(a, 0, 0);
  EXPECT_FALSE(media::ImagesCollide(a, 0, 71, 0, b, 0, 0, 0));
}

TEST_F(RenderCollide, FramesAreTestedSeparately) {
  media::Image a = media::CreateImage(1, 1, 2);
  media::Pixmap pm = media::LockImage(a, 1);
  media::WritePixel(pm, 0, 0, 0xFFFFFFFFu);
  media::UnlockImage(a, 1);
  media::Image b = Filled(1, 1, 0xFFFFFFFFu);
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 0, b, 0, 0, 0));
  EXPECT_TRUE(media::ImagesCollide(a, 0, 0, 1, b, 0, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 0, 0, 2, b, 0, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(nullptr, 0, 0, 0, b, 0, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(b, 0, 0, 0, nullptr, 0, 0, 0));
}

TEST_F(RenderCollide, FarApartPositionsAreSafe) {
  media::Image a = Filled(4, 4, 0xFFFFFFFFu);
  EXPECT_FALSE(media::ImagesCollide(a, -2e9f, 0, 0, a, 2e9f, 0, 0));
  EXPECT_FALSE(media::ImagesCollide(a, 0, 1e30f, 0, a, 0, -1e30f, 0));
}

}  // namespace

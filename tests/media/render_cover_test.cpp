// DrawImageCovers: which rectangles of a cell a drawing sets whatever lies beneath, checked
// against the drawing itself over two different screens.
#include <gtest/gtest.h>

#include "media/graphics.h"
#include "support/headless_fixture.h"
#include "support/pictures.h"

namespace {

using media::Pixel;

class RenderCover : public quill_test::HeadlessTest {};

TEST_F(RenderCover, OpaqueRectanglesInReplacingModesOnly) {
  constexpr Pixel O = 0xFF3070A0u, P = 0x80FF0000u, T = 0x00000000u;
  // Frame 0 has a half-transparent and a transparent pixel; frame 1 is opaque.
  media::Image image = quill_test::ImageOf({{O, O, O, O}, {O, O, P, O}, {T, O, O, O}}, 2);
  media::Pixmap pm = media::LockImage(image, 1);
  for (int i = 0; i < 12; ++i) media::WritePixel(pm, i % 4, i / 4, O + static_cast<Pixel>(i));
  media::UnlockImage(image, 1);
  struct Case {
    int frame, x, y, w, h, blend;
    float alpha, handleX, handleY;
    bool covers;
  };
  constexpr int M = media::MASKBLEND, S = media::SOLIDBLEND, A = media::ALPHABLEND;
  // clang-format off
  const Case cases[] = {
      {0, 0, 0, 4, 1, M, 1, 0, 0, true}, {0, 0, 0, 4, 2, M, 1, 0, 0, false},
      {0, 0, 1, 2, 1, A, 1, 0, 0, true}, {0, 1, 2, 3, 1, S, 1, 0, 0, true},
      {0, 0, 2, 1, 1, M, 1, 0, 0, false}, {0, 3, 0, 1, 3, M, 1, 0, 0, true},
      {1, 0, 0, 4, 3, M, 1, 0, 0, true}, {1, 0, 0, 4, 3, A, 1, 0, 0, true},
      {1, 0, 0, 4, 3, media::LIGHTBLEND, 1, 0, 0, false},
      {1, 0, 0, 4, 3, media::SHADEBLEND, 1, 0, 0, false}, {1, 0, 0, 4, 3, M, 0.5f, 0, 0, false},
      {1, 0, 0, 5, 3, M, 1, 0, 0, false}, {1, -1, 0, 1, 1, M, 1, 0, 0, false},
      {1, 0, 0, 0, 3, M, 1, 0, 0, false}, {2, 0, 0, 1, 1, M, 1, 0, 0, false},
      {1, -1, -1, 4, 3, M, 1, 1, 1, true}, {1, 0, 0, 4, 3, M, 1, 1, 1, false},
      {1, 0, 0, 1, 1, M, 1, 0.5f, 0, false}};
  // clang-format on
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.frame << " at " << k.x << "," << k.y << " " << k.w << "x"
                                      << k.h << " blend " << k.blend << " " << k.alpha);
    media::SetBlend(k.blend);
    media::SetAlpha(k.alpha);
    media::SetImageHandle(image, k.handleX, k.handleY);
    EXPECT_EQ(media::DrawImageCovers(image, k.frame, k.x, k.y, k.w, k.h), k.covers);
    if (!k.covers) continue;
    // Drawn over black and over white, the rectangle comes out the same.
    Pixel seen[2][12];
    for (int pass = 0; pass < 2; ++pass) {
      media::SetClsColor(255 * pass, 255 * pass, 255 * pass);
      media::Cls();
      media::DrawImage(image, 100, 100, k.frame);
      for (int i = 0; i < k.w * k.h; ++i)
        seen[pass][i] = media::ReadScreenPixel(100 + k.x + i % k.w, 100 + k.y + i / k.w);
    }
    for (int i = 0; i < k.w * k.h; ++i) EXPECT_EQ(seen[0][i], seen[1][i]);
  }
  media::SetImageHandle(image, 0, 0);
  media::SetBlend(M);
  media::SetAlpha(1);
  EXPECT_FALSE(media::DrawImageCovers(nullptr, 0, 0, 0, 1, 1));
  // A pixel made transparent afterwards counts at once.
  pm = media::LockImage(image, 1);
  media::WritePixel(pm, 3, 2, T);
  media::UnlockImage(image, 1);
  EXPECT_FALSE(media::DrawImageCovers(image, 1, 0, 0, 4, 3));
  EXPECT_TRUE(media::DrawImageCovers(image, 1, 0, 0, 3, 3));
}

}  // namespace

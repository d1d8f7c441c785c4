// The software renderer: blend modes against a float reference, clipped drawing against a pixel
// model, shapes, text, grabbing and collisions.
#include <cmath>
#include <random>

#include "media/graphics.h"
#include "support/headless_fixture.h"
#include "support/pictures.h"

using media::Pixel;
using quill_test::CountPixels;
using quill_test::Filled;
using quill_test::ImageOf;

namespace {

constexpr Pixel kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

Pixel Argb(int a, int r, int g, int b) {
  return static_cast<Pixel>(a) << 24 | static_cast<Pixel>(r) << 16 | static_cast<Pixel>(g) << 8 |
         static_cast<Pixel>(b);
}

int R(double v) {
  return static_cast<int>(std::lround(v));
}

// The blend rules in floating point: source s tinted by (cr, cg, cb) over destination d at the
// current alpha A (0 to 255).
Pixel Reference(Pixel d, Pixel s, int mode, int cr, int cg, int cb, int A) {
  const int sa = s >> 24;
  const int src[3] = {R(((s >> 16) & 255) * cr / 255.0), R(((s >> 8) & 255) * cg / 255.0),
                      R((s & 255) * cb / 255.0)};
  const int dst[3] = {static_cast<int>((d >> 16) & 255), static_cast<int>((d >> 8) & 255),
                      static_cast<int>(d & 255)};
  const int fa = R(sa * A / 255.0);
  int out[3];
  for (int i = 0; i < 3; ++i) {
    switch (mode) {
      case media::MASKBLEND:
        if (sa < 128) return d | 0xFF000000u;
        [[fallthrough]];
      case media::SOLIDBLEND:
        out[i] = R((src[i] * A + dst[i] * (255 - A)) / 255.0);
        break;
      case media::ALPHABLEND:
        out[i] = R((src[i] * fa + dst[i] * (255 - fa)) / 255.0);
        break;
      case media::LIGHTBLEND:
        out[i] = std::min(255, dst[i] + R(src[i] * fa / 255.0));
        break;
      default:
        out[i] = R((R(dst[i] * src[i] / 255.0) * fa + dst[i] * (255 - fa)) / 255.0);
    }
  }
  return Argb(255, out[0], out[1], out[2]);
}

class Render : public quill_test::HeadlessTest {};

TEST_F(Render, EveryBlendModeMatchesTheFloatReference) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  const float alphas[] = {1.0f, 0.7f, 0.5f, 0.3f, 0.0f};
  for (int trial = 0; trial < 3000; ++trial) {
    const int mode = 1 + trial % 5;
    const float alpha = alphas[(trial / 5) % 5];
    const int cr = trial % 3 == 0 ? 255 : byte(rng), cg = byte(rng), cb = byte(rng);
    const Pixel d = Argb(255, byte(rng), byte(rng), byte(rng));
    const int sa = trial % 4 == 0   ? 255
                   : trial % 4 == 1 ? (trial % 8 == 1 ? 127 + trial % 3 : 0)
                                    : byte(rng);
    const Pixel s = Argb(sa, byte(rng), byte(rng), byte(rng));
    media::SetBlend(mode);
    media::SetAlpha(alpha);
    media::SetColor(cr, cg, cb);
    media::SetClsColor((d >> 16) & 255, (d >> 8) & 255, d & 255);
    media::Cls();
    media::DrawImage(Filled(1, 1, s), 10, 10);
    const Pixel want = Reference(d, s, mode, cr, cg, cb, R(alpha * 255.0f));
    ASSERT_EQ(media::ReadScreenPixel(10, 10), want)
        << "mode " << mode << " alpha " << alpha << std::hex << " d " << d << " s " << s;
    media::Cls();
    media::DrawRect(10, 10, 1, 1);  // the colour as an opaque source
    ASSERT_EQ(media::ReadScreenPixel(10, 10),
              Reference(d, Argb(255, 255, 255, 255), mode, cr, cg, cb, R(alpha * 255.0f)))
        << "rect, mode " << mode << " alpha " << alpha;
  }
  // The state is held to its range: unknown modes are ignored, NaN alpha is 0.
  media::SetColor(300, -5, 7);
  int r, g, b;
  media::GetColor(r, g, b);
  media::SetAlpha(2.0f);
  const float high = media::GetAlpha();
  media::SetAlpha(std::nanf(""));
  media::SetBlend(3);
  media::SetBlend(9);
  EXPECT_EQ(r * 1000000 + g * 1000 + b + high * 10 + media::GetAlpha() + media::GetBlend() * 100,
            255000007 + 10 + 300);
}

// Random cells (wide rows of mixed runs), viewports, origins, handles and positions against a
// pixel-by-pixel model of drawing and tiling, in every mode at full alpha.
TEST_F(Render, ClippedDrawingMatchesAPixelModel) {
  std::mt19937 rng(99);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int trial = 0; trial < 60; ++trial) {
    const int w = pick(1, 40), h = pick(1, 30), mode = 1 + trial % 5;
    quill_test::Rows rows(h, std::vector<Pixel>(w));
    for (auto& row : rows)
      for (auto& p : row)
        p = Argb(pick(0, 2) ? (pick(0, 1) ? 255 : pick(1, 254)) : 0, pick(0, 255), pick(0, 255),
                 pick(0, 255));
    media::Image image = ImageOf(rows);
    const int hx = pick(-5, 5), hy = pick(-5, 5);
    media::SetImageHandle(image, static_cast<float>(hx), static_cast<float>(hy));
    media::ResetGraphicsState();
    media::SetBlend(mode);
    const int vx = pick(-20, 780), vy = pick(-20, 580), vw = pick(0, 120), vh = pick(0, 120);
    media::SetViewport(vx, vy, vw, vh);
    const int ox = pick(-10, 10), oy = pick(-10, 10);
    media::SetOrigin(static_cast<float>(ox), static_cast<float>(oy));
    const int x = pick(vx - 50, vx + vw + 10), y = pick(vy - 40, vy + vh + 10);
    const bool tile = trial % 3 == 0;
    (tile ? media::TileImage : media::DrawImage)(image, static_cast<float>(x),
                                                 static_cast<float>(y), 0);
    const int px = x + ox - hx, py = y + oy - hy;
    for (int sy = 0; sy < 600; ++sy) {
      for (int sx = 0; sx < 800; ++sx) {
        Pixel want = kBlack;
        if (sx >= vx && sx < vx + vw && sy >= vy && sy < vy + vh) {
          int u = sx - px, v = sy - py;
          if (tile) u = ((u % w) + w) % w, v = ((v % h) + h) % h;
          if (u >= 0 && u < w && v >= 0 && v < h)
            want = Reference(kBlack, rows[v][u], mode, 255, 255, 255, 255);
        }
        ASSERT_EQ(media::ReadScreenPixel(sx, sy), want)
            << "trial " << trial << " mode " << mode << " at " << sx << "," << sy;
      }
    }
  }
}

TEST_F(Render, RectsLinesOvalsAndTextKeepToTheirBoxesAndTheViewport) {
  media::SetOrigin(16, 2);
  media::DrawRect(10, 20, 5, 3);
  media::DrawRect(10, 10, -4, -2);  // a negative size extends the other way
  EXPECT_EQ(CountPixels(kWhite, 26, 22, 31, 25) + CountPixels(kWhite, 22, 10, 26, 12) * 100, 815);
  EXPECT_EQ(CountPixels(kWhite), 23);
  media::SetOrigin(0, 0);
  media::Cls();
  // Lines: both end points unless the last is left out; one pixel a column when x-major.
  media::DrawLine(10, 10, 20, 14);
  media::DrawLine(30, 10, 30, 20, false);
  media::DrawLine(40, 40, 40, 40);
  EXPECT_EQ(CountPixels(kWhite), 11 + 10 + 1);
  EXPECT_EQ(CountPixels(kWhite, 20, 14, 21, 15) + CountPixels(kWhite, 30, 19, 31, 21), 2);
  media::Cls();
  // An oval stays in its box, is symmetric, and fills about pi / 4 of it.
  media::DrawOval(310, 368, 53, 45);
  const int inside = CountPixels(kWhite, 310, 368, 363, 413);
  EXPECT_EQ(CountPixels(kWhite), inside);
  EXPECT_NEAR(inside, 3.14159 / 4 * 53 * 45, 40);
  EXPECT_EQ(CountPixels(kWhite, 310, 368, 311, 369) + CountPixels(kWhite, 310, 390, 311, 391) +
                CountPixels(kWhite, 362, 390, 363, 391),
            2);
  for (int i = 0; i < 53 * 45; ++i) {
    const int x = 310 + i % 53, y = 368 + i / 53;
    ASSERT_EQ(media::ReadScreenPixel(x, y), media::ReadScreenPixel(672 - x, 780 - y))
        << x << "," << y;
    ASSERT_EQ(media::ReadScreenPixel(x, y), media::ReadScreenPixel(x, 780 - y)) << x << "," << y;
  }
  media::Cls();
  // Text: 8 x 8 cells in the current colour; every printable character but space has pixels.
  media::SetImageFont(media::LoadImageFont("whatever.ttf", 12, 4));  // none: the built-in font
  EXPECT_EQ(media::TextWidth("Hello") + media::TextHeight("|"), 48);
  for (int c = 33; c <= 126; ++c) {
    media::Cls();
    media::DrawText(std::string(1, static_cast<char>(c)), 200, 200);
    const int n = CountPixels(kWhite, 200, 200, 208, 208);
    EXPECT_TRUE(n > 0 && CountPixels(kWhite) == n) << c;
  }
  media::Cls();
  media::SetColor(0, 255, 0);
  media::DrawText(" \x01\x7f\xff", 0, 0);  // blank cells
  media::DrawText("I", 100, 50);           // bars of three on rows 0 and 6, a stem between
  EXPECT_EQ(CountPixels(0xFF00FF00u), 11);
  EXPECT_EQ(media::ReadScreenPixel(103, 53), 0xFF00FF00u);
  // Everything is clipped by the viewport; Cls clears only the viewport.
  media::SetColor(255, 255, 255);
  media::SetViewport(100, 100, 10, 10);
  media::DrawImage(Filled(48, 48, kWhite), 90, 95);
  media::DrawLine(0, 105, 799, 105);
  media::DrawOval(50, 50, 200, 200);
  media::DrawText("WWWWWWWWWWWWWWWWWWWW", 0, 100);
  media::DrawRect(-50, -50, 2000, 2000);
  EXPECT_EQ(CountPixels(kWhite) + CountPixels(kWhite, 100, 100, 110, 110), 200);
  media::SetViewport(105, 105, 100, 100);
  media::SetClsColor(0, 0, 255);
  media::Cls();
  EXPECT_EQ(CountPixels(0xFF0000FFu) + CountPixels(kWhite), 100 * 100 + 75);
  // Far off, absurd or not-a-number positions finish and draw nothing wrong.
  media::ResetGraphicsState();
  const float nan = std::nanf("");
  media::DrawLine(-1e9f, -1e9f, 1e9f, 1e9f);
  EXPECT_EQ(media::ReadScreenPixel(400, 400), kWhite);
  media::Cls();
  media::DrawOval(0, 0, 1e30f, 1e30f);
  media::DrawImage(Filled(8, 8, kWhite), 1e9f, -1e9f);
  media::DrawImage(Filled(8, 8, kWhite), nan, 10);
  media::DrawRect(nan, 0, 10, 10);
  media::DrawRect(0, 0, nan, 10);
  media::DrawLine(nan, nan, nan, nan);
  media::DrawOval(nan, 0, 10, 10);
  media::DrawOval(0, 0, 0, 10);
  media::DrawText("X", nan, 0);
  EXPECT_EQ(CountPixels(kWhite), 0);
}

TEST_F(Render, ImagesFramesGrabbingAndBadArguments) {
  media::Image image = Filled(2, 1, kBlack, 3);
  for (int f = 0; f < 3; ++f) {
    media::Pixmap pm = media::LockImage(image, f);
    media::WritePixel(pm, 0, 0, 0xFF000000u | static_cast<Pixel>(f + 1));
    media::UnlockImage(image, f);
  }
  media::DrawImage(image, 0, 0, 2);
  for (int bad : {3, -1}) media::DrawImage(image, 0, 0, bad);
  media::DrawImage(nullptr, 0, 0);
  media::TileImage(nullptr);
  media::TileImage(image, 0, 0, 7);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF000003u);
  // Pixels written after a draw show on the next draw.
  media::Pixmap pm = media::LockImage(image, 2);
  media::WritePixel(pm, 1, 0, 0xFF00FF00u);
  media::UnlockImage(image, 2);
  media::DrawImage(image, 0, 0, 2);
  EXPECT_EQ(media::ReadScreenPixel(1, 0), 0xFF00FF00u);
  // GrabImage copies the back buffer at screen positions (no origin); beyond it transparent.
  media::SetColor(255, 0, 0);
  media::DrawRect(100, 100, 2, 2);
  media::SetOrigin(16, 0);
  media::Image grab = media::CreateImage(4, 4);
  media::GrabImage(grab, 99, 99);
  EXPECT_EQ(
      (std::array<Pixel, 4>{quill_test::PixelOf(grab, 0, 0), quill_test::PixelOf(grab, 2, 2),
                            quill_test::PixelOf(grab, 3, 3), quill_test::PixelOf(grab, 4, 0)}),
      (std::array<Pixel, 4>{kBlack, 0xFFFF0000u, kBlack, 0}));
  media::GrabImage(grab, 798, 0);
  EXPECT_EQ(quill_test::PixelOf(grab, 2, 0), 0u);
  media::GrabImage(nullptr, 0, 0);
  for (auto [w, h, frames] :
       std::vector<std::array<int, 3>>{{0, 5, 1}, {5, -1, 1}, {5, 5, 0}, {100000, 100000, 1}})
    EXPECT_EQ(media::CreateImage(w, h, frames), nullptr) << w << "x" << h;
  EXPECT_EQ(media::ImageWidth(nullptr) + media::ImageHeight(nullptr) + media::ImageFrames(nullptr),
            0);
  EXPECT_EQ(media::LockImage(nullptr).pixels, nullptr);
  EXPECT_EQ(media::ReadPixel(media::Pixmap{}, 0, 0), 0u);
}

}  // namespace

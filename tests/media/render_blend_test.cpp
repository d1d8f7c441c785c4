// Blend modes, colour tinting and alpha on known pixels, and a float reference for every mode.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "media/graphics.h"
#include "render_helpers.h"

using media::Pixel;
using render_test::Filled;
using render_test::FreshScreen;

namespace {

Pixel Argb(int a, int r, int g, int b) {
  return (static_cast<Pixel>(a) << 24) | (static_cast<Pixel>(r) << 16) |
         (static_cast<Pixel>(g) << 8) | static_cast<Pixel>(b);
}

// Clears the screen to a colour and draws a 1 x 1 image of pixel p at (10, 10).
Pixel DrawOver(Pixel background, Pixel p) {
  media::SetClsColor((background >> 16) & 255, (background >> 8) & 255, background & 255);
  media::Cls();
  media::DrawImage(Filled(1, 1, p), 10, 10);
  return media::ReadScreenPixel(10, 10);
}

class RenderBlend : public ::testing::Test {
 protected:
  void SetUp() override { FreshScreen(); }
};

TEST_F(RenderBlend, MaskedSkipsPixelsBelowHalfAlphaAndWritesTheRestOpaque) {
  media::SetBlend(media::MASKBLEND);
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(127, 255, 0, 0)), 0xFF0000FFu);
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(128, 255, 0, 0)), 0xFFFF0000u);
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(0, 255, 0, 0)), 0xFF0000FFu);
}

TEST_F(RenderBlend, MaskedAtHalfAlphaMixesByTheCurrentAlpha) {
  media::SetBlend(media::MASKBLEND);
  media::SetAlpha(0.5f);  // A = 128
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(255, 255, 0, 0)), Argb(255, 128, 0, 127));
}

TEST_F(RenderBlend, SolidWritesEveryPixelEvenTransparentOnes) {
  media::SetBlend(media::SOLIDBLEND);
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(0, 10, 20, 30)), Argb(255, 10, 20, 30));
}

TEST_F(RenderBlend, AlphaBlendsBySourceAlphaTimesCurrentAlpha) {
  media::SetBlend(media::ALPHABLEND);
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(128, 255, 0, 0)), Argb(255, 128, 0, 127));
  media::SetAlpha(0.5f);
  // f = round(128 * 128 / 255) = 64
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(128, 255, 0, 0)), Argb(255, 64, 0, 191));
  EXPECT_EQ(DrawOver(0xFF0000FF, Argb(0, 255, 0, 0)), 0xFF0000FFu);
}

TEST_F(RenderBlend, LightAddsAndSaturates) {
  media::SetBlend(media::LIGHTBLEND);
  EXPECT_EQ(DrawOver(0xFF646464, Argb(255, 200, 50, 0)), Argb(255, 255, 150, 100));
  media::SetAlpha(0.5f);  // adds round(200 * 128 / 255) = 100
  EXPECT_EQ(DrawOver(0xFF000000, Argb(255, 200, 0, 0)), Argb(255, 100, 0, 0));
}

TEST_F(RenderBlend, ShadeMultiplies) {
  media::SetBlend(media::SHADEBLEND);
  EXPECT_EQ(DrawOver(0xFFC86432, Argb(255, 128, 255, 0)), Argb(255, 100, 100, 0));
  // A transparent pixel changes nothing.
  EXPECT_EQ(DrawOver(0xFFC86432, Argb(0, 0, 0, 0)), 0xFFC86432u);
}

TEST_F(RenderBlend, ImagesAreTintedByTheCurrentColour) {
  media::SetColor(128, 128, 128);
  EXPECT_EQ(DrawOver(0xFF000000, Argb(255, 200, 100, 50)), Argb(255, 100, 50, 25));
  media::SetColor(255, 0, 0);
  EXPECT_EQ(DrawOver(0xFF000000, 0xFFFFFFFF), 0xFFFF0000u);
}

TEST_F(RenderBlend, RectAtHalfAlphaInAlphaBlendIsAHalfMix) {
  media::SetBlend(media::ALPHABLEND);
  media::SetAlpha(0.5f);
  media::DrawRect(0, 0, 4, 4);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF808080u);
  EXPECT_EQ(media::ReadScreenPixel(3, 3), 0xFF808080u);
  EXPECT_EQ(media::ReadScreenPixel(4, 4), 0xFF000000u);
  media::SetColor(255, 0, 0);
  media::DrawRect(0, 0, 1, 1);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), Argb(255, 192, 64, 64));
}

TEST_F(RenderBlend, AlphaZeroDrawsNothingInAnyMode) {
  media::SetAlpha(0.0f);
  for (int mode = 1; mode <= 5; ++mode) {
    media::SetBlend(mode);
    EXPECT_EQ(DrawOver(0xFF102030, 0xFFFFFFFF), 0xFF102030u) << mode;
    media::DrawRect(10, 10, 1, 1);
    EXPECT_EQ(media::ReadScreenPixel(10, 10), 0xFF102030u) << mode;
  }
}

TEST_F(RenderBlend, StateIsClampedAndReadBack) {
  media::SetColor(300, -5, 7);
  int r, g, b;
  media::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 7);
  media::SetAlpha(2.0f);
  EXPECT_FLOAT_EQ(media::GetAlpha(), 1.0f);
  media::SetAlpha(std::nanf(""));
  EXPECT_FLOAT_EQ(media::GetAlpha(), 0.0f);
  media::SetBlend(3);
  media::SetBlend(9);  // unknown modes are ignored
  EXPECT_EQ(media::GetBlend(), 3);
}

// An independent float reference of the blend rules.
int R(double v) {
  return static_cast<int>(std::lround(v));
}

Pixel Reference(Pixel d, Pixel s, int mode, int cr, int cg, int cb, int A) {
  const int sa = s >> 24;
  const int src[3] = {R(((s >> 16) & 255) * cr / 255.0), R(((s >> 8) & 255) * cg / 255.0),
                      R((s & 255) * cb / 255.0)};
  const int dst[3] = {static_cast<int>((d >> 16) & 255), static_cast<int>((d >> 8) & 255),
                      static_cast<int>(d & 255)};
  int out[3];
  const int fa = R(sa * A / 255.0);
  for (int i = 0; i < 3; ++i) {
    switch (mode) {
      case media::MASKBLEND:
        if (sa < 128) return d | 0xFF000000u;
        out[i] = R((src[i] * A + dst[i] * (255 - A)) / 255.0);
        break;
      case media::SOLIDBLEND:
        out[i] = R((src[i] * A + dst[i] * (255 - A)) / 255.0);
        break;
      case media::ALPHABLEND:
        out[i] = R((src[i] * fa + dst[i] * (255 - fa)) / 255.0);
        break;
      case media::LIGHTBLEND:
        out[i] = std::min(255, dst[i] + R(src[i] * fa / 255.0));
        break;
      default: {
        const int m = R(dst[i] * src[i] / 255.0);
        out[i] = R((m * fa + dst[i] * (255 - fa)) / 255.0);
      }
    }
  }
  return Argb(255, out[0], out[1], out[2]);
}

TEST_F(RenderBlend, EveryModeMatchesTheFloatReference) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  const float alphas[] = {1.0f, 0.7f, 0.5f, 0.3f, 0.0f};
  for (int trial = 0; trial < 3000; ++trial) {
    const int mode = 1 + trial % 5;
    const float alpha = alphas[(trial / 5) % 5];
    const int cr = trial % 3 == 0 ? 255 : byte(rng), cg = byte(rng), cb = byte(rng);
    const Pixel d = Argb(255, byte(rng), byte(rng), byte(rng));
    const int sa = trial % 4 == 0 ? 255 : (trial % 4 == 1 ? 0 : byte(rng));
    const Pixel s = Argb(sa, byte(rng), byte(rng), byte(rng));
    media::SetBlend(mode);
    media::SetAlpha(alpha);
    media::SetColor(cr, cg, cb);
    const Pixel got = DrawOver(d, s);
    const int A = static_cast<int>(std::lround(alpha * 255.0f));
    ASSERT_EQ(got, Reference(d, s, mode, cr, cg, cb, A))
        << "mode " << mode << " alpha " << alpha << " d " << std::hex << d << " s " << s;
  }
}

// The fast copy paths for wide images must agree with the per-pixel rule.
TEST_F(RenderBlend, WideImagesWithMixedRunsMatchThePixelRule) {
  std::mt19937 rng(7);
  std::vector<std::vector<Pixel>> rows(5, std::vector<Pixel>(37));
  for (auto& row : rows) {
    for (auto& p : row) {
      const int kind = rng() % 3;
      p = Argb(kind == 0 ? 0 : (kind == 1 ? 255 : 1 + rng() % 254), rng() % 256, rng() % 256,
               rng() % 256);
    }
  }
  media::Image image = render_test::ImageOf(rows);
  for (int mode = 1; mode <= 5; ++mode) {
    media::SetBlend(mode);
    media::SetClsColor(40, 80, 120);
    media::Cls();
    media::DrawImage(image, 3, 4);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 37; ++x) {
        ASSERT_EQ(media::ReadScreenPixel(3 + x, 4 + y),
                  Reference(0xFF285078u, rows[y][x], mode, 255, 255, 255, 255))
            << mode << " " << x << "," << y;
      }
    }
  }
}

}  // namespace

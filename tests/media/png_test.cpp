// PNG pictures: every colour type and bit depth, and masking.
#include "media/files.h"
#include "media/graphics.h"
#include "support/headless_fixture.h"
#include "support/pictures.h"

using media::Pixel;
using quill_test::EmbedPng;
using quill_test::PackBits;
using quill_test::PixelOf;
using quill_test::PngSpec;

namespace {

class Png : public quill_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    media::ClearEmbedded();
  }
};

PngSpec PngOf(int w, int h, int depth, int type, std::vector<std::vector<unsigned char>> rows) {
  PngSpec pic;
  pic.width = w;
  pic.height = h;
  pic.bitDepth = depth;
  pic.colourType = type;
  pic.rows = std::move(rows);
  return pic;
}

// Each picture loads with its pixels as 32-bit ARGB; the mask colour makes its pixels
// transparent only in pictures without transparency of their own. "t" stands for any
// transparent pixel.
TEST_F(Png, EveryColourTypeLoadsAsArgb) {
  struct Case {
    const char* name;
    PngSpec pic;
    std::array<int, 3> mask;
    std::vector<Pixel> want;  // the first row, left to right
    int flags = -1;
  };
  constexpr Pixel t = 0x00ABCDEFu;
  const PngSpec rgb = PngOf(3, 1, 8, PNG_COLOR_TYPE_RGB, {{255, 0, 255, 255, 0, 0, 0, 0, 0}});
  PngSpec pal = PngOf(3, 1, 8, PNG_COLOR_TYPE_PALETTE, {{0, 1, 2}});
  pal.palette = {{255, 0, 255}, {0, 128, 0}, {1, 2, 3}};
  pal.trnsAlpha = {0, 255};  // entry 2 has no value: opaque
  PngSpec pal2 = PngOf(4, 1, 2, PNG_COLOR_TYPE_PALETTE, {PackBits({0, 1, 1, 0}, 2)});
  pal2.palette = {{255, 0, 255}, {9, 8, 7}};
  pal2.interlace = true;
  PngSpec greyTrns = PngOf(2, 1, 8, PNG_COLOR_TYPE_GRAY, {{7, 9}});
  greyTrns.hasTrnsColour = true;
  greyTrns.trnsColour.gray = 7;
  greyTrns.interlace = true;
  // clang-format off
  const std::vector<Case> cases = {
      {"rgb masked", rgb, {255, 0, 255}, {t, 0xFFFF0000u, 0xFF000000u}},
      {"rgb black masked", rgb, {0, 0, 0}, {0xFFFF00FFu, 0xFFFF0000u, t}},
      {"rgb unmasked", rgb, {255, 0, 255}, {0xFFFF00FFu, 0xFFFF0000u, 0xFF000000u}, 0},
      {"rgb masked flag", rgb, {255, 0, 255}, {t, 0xFFFF0000u, 0xFF000000u},
       media::MASKEDIMAGE | media::DYNAMICIMAGE},
      {"rgba", PngOf(2, 1, 8, PNG_COLOR_TYPE_RGB_ALPHA, {{255, 0, 255, 255, 10, 20, 30, 77}}),
       {255, 0, 255}, {0xFFFF00FFu, 0x4D0A141Eu}},
      {"palette tRNS", pal, {1, 2, 3}, {t, 0xFF008000u, 0xFF010203u}},
      {"palette 2 bit", pal2, {255, 0, 255}, {t, 0xFF090807u, 0xFF090807u, t}},
      {"rgba 16", PngOf(1, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA, {{0xFF, 0xFF, 0x80, 0x80, 0, 0, 0xFF, 0xFF}}),
       {0, 0, 0}, {0xFFFF8000u}},
      {"rgb 16 masked", PngOf(1, 1, 16, PNG_COLOR_TYPE_RGB, {{0xFF, 0xFF, 0, 0, 0, 0}}), {255, 0, 0}, {t}},
      {"grey 1", PngOf(3, 1, 1, PNG_COLOR_TYPE_GRAY, {PackBits({0, 1, 0}, 1)}), {0, 0, 0}, {t, 0xFFFFFFFFu, t}},
      {"grey 2", PngOf(3, 1, 2, PNG_COLOR_TYPE_GRAY, {PackBits({3, 0, 1}, 2)}), {0, 0, 0},
       {0xFFFFFFFFu, t, 0xFF555555u}},
      {"grey 4", PngOf(2, 1, 4, PNG_COLOR_TYPE_GRAY, {PackBits({8, 15}, 4)}), {0, 0, 0}, {0xFF888888u, 0xFFFFFFFFu}},
      {"grey 8", PngOf(2, 1, 8, PNG_COLOR_TYPE_GRAY, {{0, 200}}), {0, 0, 0}, {t, 0xFFC8C8C8u}},
      {"grey alpha", PngOf(1, 1, 8, PNG_COLOR_TYPE_GRAY_ALPHA, {{100, 50}}), {0, 0, 0}, {0x32646464u}},
      {"grey tRNS", greyTrns, {1, 1, 1}, {t, 0xFF090909u}}};
  // clang-format on
  for (const Case& c : cases) {
    media::SetMaskColor(c.mask[0], c.mask[1], c.mask[2]);
    const std::string url = EmbedPng(std::string("t/") + c.name, c.pic);
    media::Image image = c.flags < 0 ? media::LoadImage(url) : media::LoadImage(url, c.flags);
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(media::ImageWidth(image), c.pic.width) << c.name;
    for (std::size_t x = 0; x < c.want.size(); ++x) {
      const Pixel p = PixelOf(image, static_cast<int>(x), 0);
      EXPECT_EQ(c.want[x] == t ? p >> 24 : p, c.want[x] == t ? 0 : c.want[x]) << c.name << " " << x;
    }
  }
  // Drawn masked, the masked pixel leaves the background.
  media::SetMaskColor(255, 0, 255);
  media::SetClsColor(0, 0, 255);
  media::Cls();
  media::DrawImage(media::LoadImage(EmbedPng("t/rgb", rgb)), 0, 0);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(media::ReadScreenPixel(1, 0), 0xFFFF0000u);
  // Animation cells are cut row by row; layouts the 3 x 1 picture cannot give are refused.
  const std::string url = EmbedPng("t/cells", rgb);
  EXPECT_EQ(PixelOf(media::LoadAnimImage(url, 1, 1, 1, 2), 0, 0, 1), 0xFF000000u);
  testing::internal::CaptureStderr();
  for (auto [w, h, first, count] : std::vector<std::array<int, 4>>{
           {1, 1, 2, 2}, {4, 1, 0, 1}, {0, 1, 0, 1}, {1, 0, 0, 1}, {1, 1, -1, 1}, {1, 1, 0, 0}})
    EXPECT_EQ(media::LoadAnimImage(url, w, h, first, count), nullptr) << w << " " << first;
  testing::internal::GetCapturedStderr();
}

}  // namespace

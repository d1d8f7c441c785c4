// PNG pictures: every colour type and bit depth, masking, animation cells, broken and damaged
// files, and saving.
#include "media/files.h"
#include "media/graphics.h"
#include "support/headless_fixture.h"
#include "support/pictures.h"
#include "support/temp_folder.h"

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

// A 3 x 2 sheet of 2 x 1 cells, each cell's pixels holding 10 + the cell's number in blue.
PngSpec Sheet() {
  PngSpec pic = PngOf(6, 2, 8, PNG_COLOR_TYPE_RGB, {});
  for (int y = 0; y < 2; ++y) {
    std::vector<unsigned char> row;
    for (int x = 0; x < 6; ++x)
      row.insert(row.end(), {0, 0, static_cast<unsigned char>(10 + y * 3 + x / 2)});
    pic.rows.push_back(row);
  }
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
}

TEST_F(Png, AnimCellsAreCutRowByRow) {
  const std::string url = EmbedPng("t/sheet", Sheet());
  media::Image all = media::LoadAnimImage(url, 2, 1, 0, 6),
               some = media::LoadAnimImage(url, 2, 1, 2, 3);
  ASSERT_TRUE(all && some);
  EXPECT_EQ(media::ImageFrames(all) * 100 + media::ImageWidth(all) * 10 + media::ImageHeight(all),
            621);
  for (int f = 0; f < 6; ++f)
    EXPECT_EQ(PixelOf(all, 0, 0, f) + PixelOf(all, 1, 0, f), 2 * (0xFF000000u | (10u + f))) << f;
  EXPECT_EQ(media::ImageFrames(some), 3);
  EXPECT_EQ(PixelOf(some, 0, 0, 2), 0xFF00000Eu);
  EXPECT_NE(media::LoadAnimImage(url, 3, 2, 0, 2), nullptr);
  testing::internal::CaptureStderr();  // cell layouts the 6 x 2 sheet cannot give
  for (auto [w, h, first, count] : std::vector<std::array<int, 4>>{
           {2, 1, 4, 3}, {7, 1, 0, 1}, {0, 1, 0, 1}, {2, 0, 0, 1}, {2, 1, -1, 1}, {2, 1, 0, 0}})
    EXPECT_EQ(media::LoadAnimImage(url, w, h, first, count), nullptr) << w << " " << first;
  testing::internal::GetCapturedStderr();
}

// Truncated, corrupt and oversized copies give null (or, past the image data, the right
// picture). Random damage is the png fuzz target's.
TEST_F(Png, BrokenAndDamagedPictures) {
  std::vector<unsigned char> good;
  ASSERT_TRUE(quill_test::WritePng(Sheet(), good));
  testing::internal::CaptureStderr();
  for (std::size_t n = 0; n < good.size(); ++n) {
    media::Image image = media::LoadImage(
        quill_test::Embed("t/cut", std::vector<unsigned char>(good.begin(), good.begin() + n)));
    EXPECT_TRUE(!image || n >= good.size() - 16) << n;  // only the trailing IEND may be missing
  }
  std::vector<unsigned char> corrupt = good, huge = good;
  corrupt[45] ^= 0xFF;  // inside the image data
  for (int i : {16, 20}) huge[i + 1] = 0x01, huge[i + 2] = 0x86, huge[i + 3] = 0xA0;  // 100000
  EXPECT_EQ(media::LoadImage(quill_test::Embed("t/corrupt", corrupt)), nullptr);
  EXPECT_EQ(media::LoadImage(quill_test::Embed("t/huge", huge)), nullptr);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("t/corrupt"), std::string::npos) << err;
}

TEST_F(Png, SavedPicturesLoadBack) {
  quill_test::TempFolder folder;
  media::SetColor(255, 0, 0);
  media::DrawRect(1, 2, 3, 4);
  ASSERT_TRUE(media::SavePNG(media::BackBufferPixels(), 800, 600, "frame.png"));
  int width = 0;
  EXPECT_EQ(quill_test::PixelOfPng("frame.png", 1, 2, &width), 0xFFFF0000u);
  EXPECT_EQ(width, 800);
  media::Image image = media::LoadImage("frame.png");  // saved with alpha: black is not masked
  EXPECT_EQ(PixelOf(image, 4, 2), 0xFF000000u);
  const Pixel* back = media::BackBufferPixels();
  EXPECT_FALSE(media::SavePNG(nullptr, 800, 600, "x.png") ||
               media::SavePNG(back, 0, 600, "x.png") ||
               media::SavePNG(back, 800, 600, "no/such/dir/x.png"));
}

}  // namespace

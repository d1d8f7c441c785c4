// Loading PNG pictures of every colour type, masking, animation cells, broken files, saving.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "media/graphics.h"
#include "render_helpers.h"

using media::Pixel;
using render_test::EmbedPng;
using render_test::FreshScreen;
using render_test::PngSpec;

namespace {

Pixel At(const media::Image& image, int x, int y, int frame = 0) {
  media::Pixmap pm = media::LockImage(image, frame);
  const Pixel p = media::ReadPixel(pm, x, y);
  media::UnlockImage(image, frame);
  return p;
}

// A 3 x 1 RGB picture: magenta, red, black.
PngSpec RgbMagenta() {
  PngSpec pic;
  pic.width = 3;
  pic.height = 1;
  pic.rows = {{255, 0, 255, 255, 0, 0, 0, 0, 0}};
  return pic;
}

class RenderPng : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshScreen();
    media::ClearEmbedded();
  }
};

TEST_F(RenderPng, RgbPictureWithMagentaMasked) {
  const std::string url = EmbedPng("t/rgb.png", RgbMagenta());
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage(url);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(media::ImageWidth(image), 3);
  EXPECT_EQ(media::ImageHeight(image), 1);
  EXPECT_EQ(At(image, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(image, 1, 0), 0xFFFF0000u);
  EXPECT_EQ(At(image, 2, 0), 0xFF000000u);
  // Drawn masked, the magenta pixel leaves the background.
  media::SetClsColor(0, 0, 255);
  media::Cls();
  media::DrawImage(image, 0, 0);
  EXPECT_EQ(media::ReadScreenPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(media::ReadScreenPixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(media::ReadScreenPixel(2, 0), 0xFF000000u);
}

TEST_F(RenderPng, DefaultMaskColourBlackAndUnmaskedFlags) {
  const std::string url = EmbedPng("t/rgb.png", RgbMagenta());
  media::Image image = media::LoadImage(url);  // mask colour black after a reset
  EXPECT_EQ(At(image, 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(At(image, 2, 0) >> 24, 0u);
  media::SetMaskColor(255, 0, 255);
  media::Image plain = media::LoadImage(url, media::FILTEREDIMAGE);
  EXPECT_EQ(At(plain, 0, 0), 0xFFFF00FFu);
  media::Image masked = media::LoadImage(url, media::MASKEDIMAGE | media::DYNAMICIMAGE);
  EXPECT_EQ(At(masked, 0, 0) >> 24, 0u);
}

TEST_F(RenderPng, RgbaPictureKeepsItsAlphaAndIgnoresTheMaskColour) {
  PngSpec pic;
  pic.width = 2;
  pic.height = 1;
  pic.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  pic.rows = {{255, 0, 255, 255, 10, 20, 30, 77}};
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage(EmbedPng("t/rgba.png", pic));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(image, 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(At(image, 1, 0), 0x4D0A141Eu);
}

TEST_F(RenderPng, PaletteWithTransparency) {
  PngSpec pic;
  pic.width = 3;
  pic.height = 1;
  pic.colourType = PNG_COLOR_TYPE_PALETTE;
  pic.palette = {{255, 0, 255}, {0, 128, 0}, {1, 2, 3}};
  pic.trnsAlpha = {0, 255};  // entry 2 has no tRNS value: opaque
  pic.rows = {{0, 1, 2}};
  media::SetMaskColor(1, 2, 3);  // not applied: the picture has transparency of its own
  media::Image image = media::LoadImage(EmbedPng("t/pal.png", pic));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(image, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(image, 1, 0), 0xFF008000u);
  EXPECT_EQ(At(image, 2, 0), 0xFF010203u);
}

TEST_F(RenderPng, PaletteWithoutTransparencyIsMasked) {
  PngSpec pic;
  pic.width = 4;
  pic.height = 1;
  pic.bitDepth = 2;
  pic.colourType = PNG_COLOR_TYPE_PALETTE;
  pic.palette = {{255, 0, 255}, {9, 8, 7}};
  pic.rows = {render_test::PackBits({0, 1, 1, 0}, 2)};
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage(EmbedPng("t/pal2.png", pic));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(image, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(image, 1, 0), 0xFF090807u);
  EXPECT_EQ(At(image, 3, 0) >> 24, 0u);
}

TEST_F(RenderPng, SixteenBitChannelsAreReducedToEight) {
  PngSpec pic;
  pic.width = 1;
  pic.height = 1;
  pic.bitDepth = 16;
  pic.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  // R 0xFFFF, G 0x8080, B 0x0000, A 0xFFFF (big-endian samples)
  pic.rows = {{0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0xFF, 0xFF}};
  media::Image image = media::LoadImage(EmbedPng("t/16.png", pic));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(image, 0, 0), 0xFFFF8000u);

  PngSpec rgb = pic;
  rgb.colourType = PNG_COLOR_TYPE_RGB;
  rgb.rows = {{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}};
  media::SetMaskColor(255, 0, 0);  // masking compares the reduced colour
  media::Image masked = media::LoadImage(EmbedPng("t/16rgb.png", rgb));
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(At(masked, 0, 0), 0x00FF0000u);
}

TEST_F(RenderPng, GreyOfEveryLowBitDepthBecomesRgb) {
  struct Case {
    int depth;
    int max;
  };
  for (Case c : {Case{1, 1}, Case{2, 3}, Case{4, 15}, Case{8, 255}}) {
    PngSpec pic;
    pic.width = 3;
    pic.height = 2;
    pic.bitDepth = c.depth;
    pic.colourType = PNG_COLOR_TYPE_GRAY;
    const std::vector<int> row0 = {0, c.max, 0};
    const std::vector<int> row1 = {c.max, 0, c.max};
    if (c.depth < 8) {
      pic.rows = {render_test::PackBits(row0, c.depth), render_test::PackBits(row1, c.depth)};
    } else {
      pic.rows = {{0, 255, 0}, {255, 0, 255}};
    }
    media::SetMaskColor(0, 0, 0);
    media::Image image = media::LoadImage(EmbedPng("t/grey" + std::to_string(c.depth), pic));
    ASSERT_NE(image, nullptr) << c.depth;
    EXPECT_EQ(media::ImageWidth(image), 3);
    EXPECT_EQ(media::ImageHeight(image), 2);
    EXPECT_EQ(At(image, 0, 0) >> 24, 0u) << c.depth;  // black masked
    EXPECT_EQ(At(image, 1, 0), 0xFFFFFFFFu) << c.depth;
    EXPECT_EQ(At(image, 0, 1), 0xFFFFFFFFu) << c.depth;
    EXPECT_EQ(At(image, 2, 1), 0xFFFFFFFFu) << c.depth;
  }
  // A middle grey of 4 bits: 8 / 15 of 255 = 136.
  PngSpec mid;
  mid.width = 1;
  mid.height = 1;
  mid.bitDepth = 4;
  mid.colourType = PNG_COLOR_TYPE_GRAY;
  mid.rows = {render_test::PackBits({8}, 4)};
  media::Image image = media::LoadImage(EmbedPng("t/mid", mid));
  EXPECT_EQ(At(image, 0, 0), 0xFF888888u);
}

TEST_F(RenderPng, GreyWithAlphaAndGreyWithTransparentColour) {
  PngSpec ga;
  ga.width = 1;
  ga.height = 1;
  ga.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  ga.rows = {{100, 50}};
  EXPECT_EQ(At(media::LoadImage(EmbedPng("t/ga", ga)), 0, 0), 0x32646464u);

  PngSpec trns;
  trns.width = 2;
  trns.height = 1;
  trns.colourType = PNG_COLOR_TYPE_GRAY;
  trns.rows = {{7, 9}};
  trns.hasTrnsColour = true;
  trns.trnsColour.gray = 7;
  media::Image image = media::LoadImage(EmbedPng("t/gt", trns));
  EXPECT_EQ(At(image, 0, 0) >> 24, 0u);
  EXPECT_EQ(At(image, 1, 0), 0xFF090909u);
}

TEST_F(RenderPng, InterlacedPicturesDecode) {
  PngSpec pic;
  pic.width = 9;
  pic.height = 9;
  pic.interlace = true;
  for (int y = 0; y < 9; ++y) {
    std::vector<unsigned char> row;
    for (int x = 0; x < 9; ++x) {
      row.push_back(static_cast<unsigned char>(x * 20));
      row.push_back(static_cast<unsigned char>(y * 20));
      row.push_back(7);
    }
    pic.rows.push_back(row);
  }
  media::Image image = media::LoadImage(EmbedPng("t/adam7", pic));
  ASSERT_NE(image, nullptr);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      ASSERT_EQ(At(image, x, y), 0xFF000007u | (x * 20u) << 16 | (y * 20u) << 8);
    }
  }
}

// A 3 x 2 sheet of 2 x 1 cells, each cell's pixels holding the cell's number in blue.
PngSpec Sheet() {
  PngSpec pic;
  pic.width = 6;
  pic.height = 2;
  for (int y = 0; y < 2; ++y) {
    std::vector<unsigned char> row;
    for (int x = 0; x < 6; ++x) {
      const int cell = y * 3 + x / 2;
      row.insert(row.end(), {0, 0, static_cast<unsigned char>(10 + cell)});
    }
    pic.rows.push_back(row);
  }
  return pic;
}

TEST_F(RenderPng, AnimCellsAreCutRowByRow) {
  media::Image image = media::LoadAnimImage(EmbedPng("t/sheet", Sheet()), 2, 1, 0, 6);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(media::ImageFrames(image), 6);
  EXPECT_EQ(media::ImageWidth(image), 2);
  EXPECT_EQ(media::ImageHeight(image), 1);
  for (int f = 0; f < 6; ++f) {
    EXPECT_EQ(At(image, 0, 0, f), 0xFF000000u | (10u + f)) << f;
    EXPECT_EQ(At(image, 1, 0, f), 0xFF000000u | (10u + f)) << f;
  }
}

TEST_F(RenderPng, AnimFirstAndCountSelectCells) {
  media::Image image = media::LoadAnimImage(EmbedPng("t/sheet", Sheet()), 2, 1, 2, 3);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(media::ImageFrames(image), 3);
  EXPECT_EQ(At(image, 0, 0, 0), 0xFF00000Cu);
  EXPECT_EQ(At(image, 0, 0, 2), 0xFF00000Eu);
  media::DrawImage(image, 0, 0, 1);
  EXPECT_EQ(media::ReadScreenPixel(1, 0), 0xFF00000Du);
}

TEST_F(RenderPng, AnimAskingForMoreCellsThanThePictureHoldsFails) {
  const std::string url = EmbedPng("t/sheet", Sheet());
  EXPECT_EQ(media::LoadAnimImage(url, 2, 1, 4, 3), nullptr);
  EXPECT_EQ(media::LoadAnimImage(url, 7, 1, 0, 1), nullptr);
  EXPECT_EQ(media::LoadAnimImage(url, 0, 1, 0, 1), nullptr);
  EXPECT_EQ(media::LoadAnimImage(url, 2, 1, -1, 1), nullptr);
  EXPECT_EQ(media::LoadAnimImage(url, 2, 1, 0, 0), nullptr);
  EXPECT_NE(media::LoadAnimImage(url, 3, 2, 0, 2), nullptr);
}

TEST_F(RenderPng, BrokenPicturesGiveNullAndNameTheFile) {
  std::vector<unsigned char> good;
  ASSERT_TRUE(render_test::WritePng(Sheet(), good));
  // Every truncation of a valid file fails cleanly (or, past the image data, still decodes).
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<unsigned char> part(good.begin(), good.begin() + n);
    media::Image image = media::LoadImage(render_test::Embed("t/cut", part));
    if (image) {
      EXPECT_GE(n, good.size() - 16) << n;  // only the trailing IEND may be missing
    }
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(media::LoadImage(render_test::Embed("t/empty", {})), nullptr);
  EXPECT_EQ(media::LoadImage("incbin::t/none.png"), nullptr);
  EXPECT_EQ(media::LoadImage("/no/such/file.png"), nullptr);
  std::vector<unsigned char> corrupt = good;
  corrupt[45] ^= 0xFF;  // inside the image data
  EXPECT_EQ(media::LoadImage(render_test::Embed("t/corrupt", corrupt)), nullptr);
  EXPECT_EQ(media::LoadImage(render_test::Embed("t/text", {'h', 'e', 'l', 'l', 'o'})), nullptr);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("t/empty"), std::string::npos) << err;
  EXPECT_NE(err.find("/no/such/file.png"), std::string::npos) << err;
  EXPECT_NE(err.find("t/corrupt"), std::string::npos) << err;
}

TEST_F(RenderPng, HugeDeclaredSizeIsRefusedBeforeAllocating) {
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(render_test::WritePng(RgbMagenta(), bytes));
  // Patch the header to 100000 x 100000 (the CRC is then wrong too; either check must hold).
  bytes[16] = 0x00;
  bytes[17] = 0x01;
  bytes[18] = 0x86;
  bytes[19] = 0xA0;
  bytes[20] = 0x00;
  bytes[21] = 0x01;
  bytes[22] = 0x86;
  bytes[23] = 0xA0;
  testing::internal::CaptureStderr();
  EXPECT_EQ(media::LoadImage(render_test::Embed("t/huge", bytes)), nullptr);
  testing::internal::GetCapturedStderr();
}

TEST_F(RenderPng, SavePngWritesAPictureThatLoadsBack) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quill_render_png_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "frame.png").string();
  media::SetColor(255, 0, 0);
  media::DrawRect(1, 2, 3, 4);
  ASSERT_TRUE(media::SavePNG(media::BackBufferPixels(), 800, 600, path));
  media::Image image = media::LoadImage(path);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(media::ImageWidth(image), 800);
  EXPECT_EQ(At(image, 1, 2), 0xFFFF0000u);
  EXPECT_EQ(At(image, 4, 2), 0xFF000000u);  // saved with alpha, so black is not masked
  std::filesystem::remove_all(dir);
}

TEST_F(RenderPng, SavePngRefusesBadArguments) {
  EXPECT_FALSE(media::SavePNG(nullptr, 800, 600, "/tmp/x.png"));
  EXPECT_FALSE(media::SavePNG(media::BackBufferPixels(), 0, 600, "/tmp/x.png"));
  EXPECT_FALSE(media::SavePNG(media::BackBufferPixels(), 800, 600, "/no/such/dir/x.png"));
}

}  // namespace

namespace {

// Damaged copies of valid pictures decode to the right size or to null, never crash (the
// sanitizer build runs this too).
TEST_F(RenderPng, RandomlyDamagedPicturesNeverCrash) {
  PngSpec palette;
  palette.width = 6;
  palette.height = 2;
  palette.colourType = PNG_COLOR_TYPE_PALETTE;
  palette.bitDepth = 4;
  palette.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  palette.trnsAlpha = {0};
  palette.interlace = true;
  palette.rows = {render_test::PackBits({0, 1, 2, 0, 1, 2}, 4),
                  render_test::PackBits({2, 1, 0, 2, 1, 0}, 4)};
  std::vector<std::vector<unsigned char>> originals(2);
  ASSERT_TRUE(render_test::WritePng(Sheet(), originals[0]));
  ASSERT_TRUE(render_test::WritePng(palette, originals[1]));
  std::mt19937 rng(2024);
  int decoded = 0;
  testing::internal::CaptureStderr();
  for (int trial = 0; trial < 2000; ++trial) {
    std::vector<unsigned char> bytes = originals[trial % 2];
    const int damage = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < damage; ++i)
      bytes[rng() % bytes.size()] = static_cast<unsigned char>(rng());
    if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
    media::Image image = media::LoadImage(render_test::Embed("t/fuzz", bytes));
    if (image) {
      ++decoded;
      ASSERT_EQ(media::ImageWidth(image), 6) << trial;
      ASSERT_EQ(media::ImageHeight(image), 2) << trial;
      media::DrawImage(image, 0, 0);
    }
  }
  testing::internal::GetCapturedStderr();
  EXPECT_LT(decoded, 2000);
}

}  // namespace

// The proportional-font lines of the language files measured in pixels with the game's own font
// (the embedded Images/Font.png, glyph widths measured as start-up measures them) against the
// room where each is drawn. Callers centre some lines with the media layer's TextWidth, whose
// font differs, so both widths enter the placement.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/files.h"
#include "media/graphics.h"
#include "tools/sound/sound_util.h"

namespace {

std::vector<std::string> Lines(const std::string& code) {
  std::string dir = std::string(QUILL_SOURCE_DIR) + "/assets/Langs/";
  if (!code.empty()) dir += code + "/";
  std::ifstream in(dir + "Lang.txt", std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

class FontWidths : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    media::ClearEmbedded();
    soundtest::RegisterBuiltins();
    media::SetMaskColor(255, 0, 255);
    media::Image font =
        media::LoadAnimImage("incbin::Images/Font.png", 16, 16, 0, 95, media::MASKEDIMAGE);
    ASSERT_TRUE(font) << "the font picture does not load";
    widths_.assign(95, 0);
    widths_[0] = 5;
    for (int k = 1; k < 95; ++k) {
      media::Pixmap pm = media::LockImage(font, k);
      for (int x = 15; x >= 0 && widths_[static_cast<std::size_t>(k)] == 0; --x) {
        for (int y = 0; y < 16; ++y) {
          if ((media::ReadPixel(pm, x, y) >> 24) != 0) {
            widths_[static_cast<std::size_t>(k)] = x + 1;
            break;
          }
        }
      }
      media::UnlockImage(font, k);
    }
    media::SetMaskColor(0, 0, 0);
  }
  void TearDown() override { media::ClearEmbedded(); }

  int Width(const std::string& text) const {
    int w = 0;
    for (unsigned char c : text) {
      if (c >= 32 && c <= 126) w += widths_[c - 32];
    }
    return w;
  }
  // Drawn from x = centre - TextWidth / 2 with the bitmap advances: the pixels it covers.
  void ExpectCentredWithin(const std::string& s, int centre, int left, int right, int line) {
    const int x = centre - media::TextWidth(s) / 2;
    EXPECT_GE(x, left) << "line " << line << ": " << s;
    EXPECT_LE(x + Width(s), right) << "line " << line << ": " << s;
  }

  std::vector<int> widths_;
  int widest_ = 0;
};

TEST_P(FontWidths, EveryProportionalLineFitsWhereItIsDrawn) {
  // The measurement itself: letters have widths, and a wide letter is wider than a narrow one.
  ASSERT_GT(Width("W"), Width("i"));
  ASSERT_GT(Width("i"), 0);
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  // Tutorial titles: the black tutorial bar spans x 1 to 765 of the play field (centred on 432);
  // the stage title and the chooser centre them on 432 and 440 of an 800-pixel screen.
  for (int i = 0; i <= 10; ++i) {
    const std::string& s = lines[static_cast<std::size_t>(i)];
    ExpectCentredWithin(s, 432, 1, 766, i);
    ExpectCentredWithin(s, 440, 0, 784, i);
  }
  // Options help lines, centred on 390 of the screen.
  for (int i : {24, 25, 27, 28, 29, 31}) {
    ExpectCentredWithin(lines[static_cast<std::size_t>(i)], 390, 0, 800, i);
  }
  // Instruction page lines from x 6.
  for (int i = 88; i <= 119; ++i) {
    if (i == 106) continue;  // the second page's heading, in a menu font
    const std::string& s = lines[static_cast<std::size_t>(i)];
    EXPECT_LE(6 + Width(s), 800) << "line " << i << ": " << s;
    widest_ = std::max(widest_, Width(s));
  }
  RecordProperty("widest_page_line_px", widest_);
}

INSTANTIATE_TEST_SUITE_P(Languages, FontWidths, ::testing::Values("", "fr", "gr", "it"),
                         [](const auto& info) {
                           return std::string(*info.param ? info.param : "en");
                         });

}  // namespace

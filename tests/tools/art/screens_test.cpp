// Pictures as the screens show them: where they meet other drawing, and on what background.
#include <gtest/gtest.h>

#include <string>

#include "tools/art/art_util.h"

namespace {

// The title menu is drawn at (258, 327); a strip of the credits line covers the screen from
// y 584, so the last entry's plaque ends above picture row 257.
TEST(ArtMenu, LastEntryStaysAboveTheCreditsStrip) {
  for (const char* dir : {"Images/", "Images/fr/", "Images/gr/", "Images/it/"}) {
    media::Image menu = arttest::LoadCells(std::string(dir) + "Options1.png", 295, 264, 1);
    ASSERT_TRUE(menu) << dir;
    EXPECT_EQ(arttest::OpaqueCount(menu, 0, 0, 257, 295, 7), 0) << dir;
    EXPECT_GT(arttest::OpaqueCount(menu, 0, 0, 220 + 3, 295, 30), 295 * 20) << dir;
  }
}

}  // namespace

namespace {

// The language chooser shows the flags on black: each flag keeps a light rim all round, so a
// dark stripe does not melt into the screen.
TEST(ArtFlags, EveryFlagHasALightRim) {
  arttest::RegisterBuiltins();
  media::SetMaskColor(255, 0, 255);
  media::Image flags = media::LoadImage("incbin::Images/Flags.png");
  ASSERT_TRUE(flags);
  media::Pixmap p = media::LockImage(flags, 0, true, false);
  auto bright = [&p](int x, int y) {
    unsigned v = media::ReadPixel(p, x, y);
    return ((v >> 16) & 255) + ((v >> 8) & 255) + (v & 255) > 360;
  };
  for (int k = 0; k < 4; ++k) {
    int x0 = 48 * k + 1, y0 = 7, w = 46, h = 34;  // the rim round the 44 x 32 flag
    int dark = 0;
    for (int x = x0; x < x0 + w; ++x) dark += !bright(x, y0) + !bright(x, y0 + h - 1);
    for (int y = y0; y < y0 + h; ++y) dark += !bright(x0, y) + !bright(x0 + w - 1, y);
    EXPECT_EQ(dark, 0) << "flag " << k;
  }
  media::UnlockImage(flags, 0);
}

}  // namespace

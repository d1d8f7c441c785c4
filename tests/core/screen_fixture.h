// Fixtures over the headless media layer with the game's globals reset, and small image makers.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "core/globals.h"
#include "media/app.h"
#include "media/graphics.h"
#include "media/headless.h"

namespace coretest {

// The headless media layer and the game's globals at their start values, before and after each
// test.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    ResetGlobals();
  }
  void TearDown() override { ResetGlobals(); }
};

// An 800 x 600 headless screen besides.
class ScreenTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
    media::ResetGraphicsState();
  }

  // The colour of a back-buffer pixel without its alpha.
  static media::Pixel Rgb(int x, int y) { return media::ReadScreenPixel(x, y) & 0xFFFFFF; }
  // The current drawing colour.
  static std::array<int, 3> Colour() {
    int r = 0, g = 0, b = 0;
    media::GetColor(r, g, b);
    return {r, g, b};
  }
};

// An image of `frames` cells of w x h, every pixel `argb`.
inline media::Image SolidImage(int w, int h, media::Pixel argb, int frames = 1) {
  media::Image img = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; ++f) {
    media::Pixmap pm = media::LockImage(img, f);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) media::WritePixel(pm, x, y, argb);
    media::UnlockImage(img, f);
  }
  return img;
}

// A font picture of `glyphs` 16 x 16 cells, each transparent but for one opaque marker pixel at
// its cell's (0, 0) whose colour is MarkerOf(cell).
inline media::Pixel MarkerOf(int cell) {
  return 0xFF000000u | static_cast<media::Pixel>(cell + 1);
}
inline media::Image MarkerFont(int glyphs) {
  media::Image img = media::CreateImage(16, 16, glyphs);
  for (int f = 0; f < glyphs; ++f) {
    media::Pixmap pm = media::LockImage(img, f);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) media::WritePixel(pm, x, y, 0);
    media::WritePixel(pm, 0, 0, MarkerOf(f));
    media::UnlockImage(img, f);
  }
  return img;
}

}  // namespace coretest

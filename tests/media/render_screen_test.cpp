// Graphics, Flip (presenting, the shown copy, pacing) and AppTitle against a recording backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/app.h"
#include "media/backend.h"
#include "media/graphics.h"
#include "media/headless.h"

using media::Pixel;

namespace {

class RecordingBackend : public media::detail::Backend {
 public:
  bool OpenScreen(int width, int height, bool fullscreen, int hertz) override {
    calls.push_back("open " + std::to_string(width) + "x" + std::to_string(height) +
                    (fullscreen ? " full " : " window ") + std::to_string(hertz));
    return openOk;
  }
  void CloseScreen() override {}
  void SetTitle(const std::string& title) override { calls.push_back("title " + title); }
  void Present(const Pixel* pixels, int width, int height) override {
    calls.push_back("present");
    presented.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
  }
  bool PacesItself() const override { return pacesItself; }
  void PumpEvents() override { calls.push_back("pump"); }
  std::int64_t Millis() override { return clock; }
  void Sleep(int ms) override {
    calls.push_back("sleep " + std::to_string(ms));
    if (ms > 0) clock += ms;
  }
  void ShowCursor(bool) override {}
  void WarpMouse(int, int) override {}
  std::string ReadConsoleLine() override { return ""; }
  void PrintLine(const std::string&) override {}
  void AfterFlip() override {
    calls.push_back("after");
    clock += work;  // time the program spends on the next frame
  }

  std::vector<std::string> calls;
  std::vector<Pixel> presented;
  bool openOk = true;
  bool pacesItself = false;
  std::int64_t clock = 1000;
  int work = 0;
};

class RenderScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    media::detail::SetBackend(&backend);
  }
  // The modes, titles and drawing state these tests set do not reach the next test.
  void TearDown() override { media::headless::ResetHeadless(); }
  RecordingBackend backend;
};

TEST_F(RenderScreen, GraphicsOpensTheScreenAndKeepsTheSize) {
  media::AppTitle("Quill");
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  ASSERT_TRUE(media::Graphics(800, 600, 32, 85));
  EXPECT_EQ(backend.calls,
            (std::vector<std::string>{"title Quill", "open 800x600 window 60", "title Quill",
                                      "open 800x600 full 85", "title Quill"}));
  EXPECT_EQ(media::GraphicsWidth(), 800);
  EXPECT_EQ(media::GraphicsHeight(), 600);
}

TEST_F(RenderScreen, GraphicsOfAnotherSizeResizesTheFramebufferAndViewport) {
  ASSERT_TRUE(media::Graphics(320, 200, 0, 60));
  EXPECT_EQ(media::GraphicsWidth(), 320);
  int x, y, w, h;
  media::GetViewport(x, y, w, h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 200);
  media::DrawRect(0, 0, 1000, 1000);
  EXPECT_EQ(media::ReadScreenPixel(319, 199), 0xFFFFFFFFu);
  EXPECT_EQ(media::ReadScreenPixel(320, 0), 0u);
  media::Flip(0);
  EXPECT_EQ(backend.presented.size(), 320u * 200u);
}

TEST_F(RenderScreen, FailedOrBadModesReportFalse) {
  backend.openOk = false;
  EXPECT_FALSE(media::Graphics(800, 600, 0, 60));
  backend.openOk = true;
  EXPECT_FALSE(media::Graphics(0, 600, 0, 60));
  EXPECT_FALSE(media::Graphics(800, -1, 0, 60));
  EXPECT_EQ(media::GraphicsWidth(), 800);
}

TEST_F(RenderScreen, GraphicsKeepsTheMaskColourAndResetsTheDrawingState) {
  media::SetMaskColor(255, 0, 255);
  media::SetColor(1, 2, 3);
  media::SetOrigin(16, 0);
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  int r, g, b;
  media::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  float ox, oy;
  media::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 0.0f);
}

TEST_F(RenderScreen, FlipPresentsCopiesToShownAndKeepsTheBackBuffer) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  backend.calls.clear();
  media::SetColor(0, 0, 255);
  media::DrawRect(5, 5, 1, 1);
  EXPECT_EQ(media::ShownPixels()[5 * 800 + 5], 0xFF000000u);
  media::Flip();
  EXPECT_EQ(backend.presented[5 * 800 + 5], 0xFF0000FFu);
  EXPECT_EQ(media::ShownPixels()[5 * 800 + 5], 0xFF0000FFu);
  EXPECT_EQ(media::BackBufferPixels()[5 * 800 + 5], 0xFF0000FFu);
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"present", "sleep 16", "pump", "after"}));
  // Drawing after the Flip changes only the back buffer.
  media::Cls();
  EXPECT_EQ(media::ShownPixels()[5 * 800 + 5], 0xFF0000FFu);
}

TEST_F(RenderScreen, SixtyFlipsAtSixtyHertzTakeOneSecondWithoutDrift) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  const std::int64_t start = backend.clock;
  for (int i = 0; i < 60; ++i) media::Flip();
  EXPECT_EQ(backend.clock - start, 1000);
  for (int i = 0; i < 120; ++i) media::Flip();
  EXPECT_EQ(backend.clock - start, 3000);
}

TEST_F(RenderScreen, WorkWithinTheFrameIsAbsorbed) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  backend.work = 10;
  const std::int64_t start = backend.clock;
  for (int i = 0; i < 60; ++i) media::Flip();
  // The last frame's work comes after its Flip.
  EXPECT_EQ(backend.clock - start, 1000 + 10);
}

TEST_F(RenderScreen, ALateFrameResyncsInsteadOfRushing) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 50));  // 20 ms frames
  media::Flip();
  backend.clock += 100;  // a long stall
  backend.calls.clear();
  media::Flip();  // late by far more than a frame: no wait, and the count starts again
  EXPECT_EQ(backend.calls, (std::vector<std::string>{"present", "pump", "after"}));
  const std::int64_t t = backend.clock;
  media::Flip();
  media::Flip();
  EXPECT_EQ(backend.clock - t, 40);
}

TEST_F(RenderScreen, NoPacingWhenTheBackendPacesItselfOrSyncIsZero) {
  ASSERT_TRUE(media::Graphics(800, 600, 32, 85));
  backend.pacesItself = true;
  const std::int64_t start = backend.clock;
  for (int i = 0; i < 10; ++i) media::Flip();
  EXPECT_EQ(backend.clock, start);
  backend.pacesItself = false;
  for (int i = 0; i < 10; ++i) media::Flip(0);
  EXPECT_EQ(backend.clock, start);
}

TEST_F(RenderScreen, AClockThatGoesBackRestartsThePacing) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  for (int i = 0; i < 5; ++i) media::Flip();
  backend.clock = 0;
  media::Flip();
  EXPECT_EQ(backend.clock, 16);
}

TEST_F(RenderScreen, ARateOfZeroPacesAtSixtyHertz) {
  ASSERT_TRUE(media::Graphics(800, 600, 0, 0));
  const std::int64_t start = backend.clock;
  for (int i = 0; i < 60; ++i) media::Flip();
  EXPECT_EQ(backend.clock - start, 1000);
}

TEST(RenderScreenHeadless, FlipAdvancesTheVirtualClock) {
  media::UseHeadlessBackend();
  media::ResetGraphicsState();
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  const std::int64_t start = media::detail::CurrentBackend().Millis();
  for (int i = 0; i < 60; ++i) media::Flip();
  EXPECT_EQ(media::detail::CurrentBackend().Millis() - start, 1000);
}

}  // namespace

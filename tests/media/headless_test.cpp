// The headless backend: frame counting, the flip callback and stopping, mixed audio, reset.
#include "media/headless.h"

#include <gtest/gtest.h>

#include "media/app.h"
#include "media/backend.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/timing.h"

using namespace media;

namespace {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::ResetHeadless();
    Graphics(800, 600, 0, 60);
  }
  void TearDown() override { headless::ResetHeadless(); }
};

}  // namespace

TEST_F(HeadlessTest, TheHeadlessBackendIsTheDefault) {
  detail::SetBackend(nullptr);
  EXPECT_FALSE(detail::CurrentBackend().PacesItself());
  Delay(7);
  EXPECT_EQ(headless::VirtualMillis(), 7);
  UseHeadlessBackend();
  EXPECT_EQ(MilliSecs(), 7);
}

TEST_F(HeadlessTest, OnFlipSeesEachFrameNumberAndTheShownPicture) {
  std::vector<int> frames;
  std::vector<Pixel> pixels;
  headless::OnFlip([&](int frame) {
    frames.push_back(frame);
    pixels.push_back(ShownPixels()[0]);
    return true;
  });
  for (int i = 0; i < 3; ++i) {
    SetClsColor(i * 10, 0, 0);
    Cls();
    Flip();
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(pixels, (std::vector<Pixel>{0xFF000000u, 0xFF0A0000u, 0xFF140000u}));
  EXPECT_EQ(headless::FrameCount(), 3);
}

TEST_F(HeadlessTest, AFalseFromOnFlipStopsTheNextWaitingCall) {
  headless::OnFlip([](int frame) { return frame < 1; });
  Flip();
  Flip();  // the callback says stop here; this Flip itself completes
  EXPECT_EQ(headless::FrameCount(), 2);
  EXPECT_EQ(KeyHit(KEY_SPACE), 0);  // queries do not wait and do not throw
  EXPECT_THROW(Flip(), headless::Stop);
  EXPECT_THROW(Delay(1), headless::Stop);
  Timer t = CreateTimer(150);
  EXPECT_THROW(WaitTimer(t), headless::Stop);
  EXPECT_EQ(headless::FrameCount(), 2);
  headless::ResetHeadless();
  Flip();  // a reset clears the stop
  EXPECT_EQ(headless::FrameCount(), 1);
}

TEST_F(HeadlessTest, ScriptFramesCountFromWhenTheScriptWasSet) {
  Flip();
  Flip();
  headless::InputEvent e;
  e.frame = 1;
  e.kind = headless::InputEvent::KeyDown;
  e.code = KEY_UP;
  headless::SetScript({e});
  EXPECT_EQ(KeyDown(KEY_UP), 0);
  Flip();
  EXPECT_EQ(KeyDown(KEY_UP), 1);
  EXPECT_EQ(headless::FrameCount(), 3);
}

TEST_F(HeadlessTest, TheClockPullsTheMixerExactly) {
  headless::TakeMixedAudio();
  for (int i = 0; i < 10; ++i) Delay(1);  // 44.1 frames each: 441 in all, none lost
  EXPECT_EQ(headless::TakeMixedAudio().size(), 441u * 2);
  EXPECT_TRUE(headless::TakeMixedAudio().empty());
  for (int i = 0; i < 60; ++i) Flip();  // one second of frames
  std::vector<short> second = headless::TakeMixedAudio();
  EXPECT_EQ(second.size(), 44100u * 2);
  for (short s : second) ASSERT_EQ(s, 0);  // nothing plays
  EXPECT_EQ(headless::ActiveChannels(), 0);
}

TEST_F(HeadlessTest, TheAudioBufferIsCapped) {
  Delay(60 * 1000);
  EXPECT_EQ(headless::TakeMixedAudio().size(), static_cast<std::size_t>(44100 * 2 * 10));
}

TEST_F(HeadlessTest, ResetBringsEverythingBack) {
  headless::KeyDownNow(KEY_A);
  headless::TypeChar('q');
  headless::SetConsoleLines({"x"});
  Print("line");
  SetColor(1, 2, 3);
  Flip();
  Delay(100);
  headless::ResetHeadless();
  EXPECT_EQ(headless::FrameCount(), 0);
  EXPECT_EQ(headless::VirtualMillis(), 0);
  EXPECT_EQ(KeyDown(KEY_A), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_TRUE(headless::PrintedLines().empty());
  EXPECT_EQ(RequestFile(), "");
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 255 * 3);
  EXPECT_TRUE(headless::TakeMixedAudio().empty());
}

TEST_F(HeadlessTest, ResetBringsBackTheStartUpScreen) {
  AppTitle("Other");
  ASSERT_TRUE(Graphics(320, 200, 32, 85));
  SetMaskColor(255, 0, 255);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 10, 10);
  Flip();
  headless::ResetHeadless();
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(GraphicsHeight(), 600);
  int x, y, w, h;
  GetViewport(x, y, w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(ReadScreenPixel(5, 5), 0xFF000000u);
  EXPECT_EQ(ShownPixels()[5], 0xFF000000u);
  EXPECT_EQ(ReadScreenPixel(799, 599), 0xFF000000u);
  // 60 Hz again: a Flip waits 16 ms, not the 11 or 12 of 85 Hz.
  Flip();
  EXPECT_EQ(headless::VirtualMillis(), 16);
}

// One input state per frame in the SDL backend (dummy video driver): the window's events
// are taken in at Flip and in WaitKey, so every read within a frame sees the same state.
#ifdef QUILL_HAVE_SDL
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/app.h"
#include "media/backend.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "media/sdl/sdl_testing.h"
#include "media/sound.h"

namespace {

namespace st = media::sdl::testing;

class SdlFrameInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    media::detail::Input() = {};
    media::detail::StopAllChannels();
    st::RestartSdl();
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  }
  void TearDown() override {
    media::ShutdownMedia();
    media::headless::ResetHeadless();
  }
};

TEST_F(SdlFrameInput, ReadsWithinAFrameSeeTheStateTakenInAtFlip) {
  ASSERT_TRUE(st::QueueKey("Left", true));
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 0);  // not taken in before the frame ends
  EXPECT_EQ(media::KeyHit(media::KEY_LEFT), 0);
  media::Flip(0);
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 1);
  // Released in the middle of a frame: every read of this frame still sees it held.
  ASSERT_TRUE(st::QueueKey("Left", false));
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 1);
  EXPECT_EQ(media::KeyHit(media::KEY_LEFT), 1);
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 1);
  media::Flip(0);
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 0);
  // A press and release between two flips still counts once.
  ASSERT_TRUE(st::QueueKey("Space", true));
  ASSERT_TRUE(st::QueueKey("Space", false));
  media::Flip(0);
  EXPECT_EQ(media::KeyDown(media::KEY_SPACE), 0);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE), 1);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE), 0);
}

TEST_F(SdlFrameInput, WaitKeyTakesTheEventsInWhileItWaits) {
  ASSERT_TRUE(st::QueueKey("A", true));
  EXPECT_EQ(media::WaitKey(), 'A');
  EXPECT_EQ(media::KeyDown('A'), 1);
}

}  // namespace
#endif  // QUILL_HAVE_SDL

// Channels driven by the headless backend's virtual clock through the mixer.
#include <gtest/gtest.h>

#include <vector>

#include "media/app.h"
#include "media/audio/sound_data.h"
#include "media/backend.h"
#include "media/headless.h"
#include "media/sound.h"
#include "media/timing.h"

namespace {

class SoundHeadless : public ::testing::Test {
 protected:
  void SetUp() override {
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    media::detail::StopAllChannels();
    media::headless::TakeMixedAudio();
  }
  void TearDown() override { media::headless::ResetHeadless(); }
};

media::Sound TenthOfASecond(short value) {
  auto s = std::make_shared<media::SoundData>();
  s->samples.assign(4410, value);
  s->frames = 4410;
  s->rate = 44100;
  s->channels = 1;
  return s;
}

TEST_F(SoundHeadless, ASoundEndsWhenTheVirtualClockPassesItsLength) {
  media::Channel ch = media::PlaySound(TenthOfASecond(700));
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
  media::Delay(50);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::Delay(60);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  EXPECT_EQ(media::headless::ActiveChannels(), 0);
  std::vector<short> out = media::headless::TakeMixedAudio();
  ASSERT_EQ(out.size(), 2u * 4851);  // 110 ms at 44100 Hz, stereo
  EXPECT_EQ(out[0], 700);
  EXPECT_EQ(out[2 * 4409 + 1], 700);
  EXPECT_EQ(out[2 * 4410], 0);
}

TEST_F(SoundHeadless, PausedChannelWaitsOutTheClockAndShutdownStopsIt) {
  media::Channel ch = media::PlaySound(TenthOfASecond(100));
  media::PauseChannel(ch);
  media::Delay(500);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::ResumeChannel(ch);
  media::Delay(50);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::ShutdownMedia();
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

}  // namespace

// Channels through the mixer: ending, looping, pausing, volume, summing and clamping.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "media/audio/sound_data.h"
#include "media/backend.h"
#include "media/sound.h"

namespace {

media::Sound MakeSound(std::vector<short> samples, int rate, int channels, bool loop) {
  auto s = std::make_shared<media::SoundData>();
  s->frames = static_cast<int>(samples.size()) / channels;
  s->samples = std::move(samples);
  s->rate = rate;
  s->channels = channels;
  s->loop = loop;
  return s;
}

// A mono ramp 1, 2, 3, ... of `frames` frames.
media::Sound Ramp(int frames, bool loop, int rate = 44100) {
  std::vector<short> v(frames);
  for (int i = 0; i < frames; ++i) v[i] = static_cast<short>(i + 1);
  return MakeSound(std::move(v), rate, 1, loop);
}

media::Sound Constant(short value, int frames, bool loop = false) {
  return MakeSound(std::vector<short>(frames, value), 44100, 1, loop);
}

std::vector<short> Mix(int frames) {
  std::vector<short> out(2 * frames, 12345);  // filled so that silence must be written
  media::detail::MixAudio(out.data(), frames);
  return out;
}

class SoundMixer : public ::testing::Test {
 protected:
  void SetUp() override { media::detail::StopAllChannels(); }
  void TearDown() override { media::detail::StopAllChannels(); }
};

TEST_F(SoundMixer, NothingPlayingGivesSilence) {
  for (short v : Mix(700)) ASSERT_EQ(v, 0);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 0);
}

TEST_F(SoundMixer, NonLoopingSoundPlaysItsSamplesAndEndsAfterItsLength) {
  media::Channel ch = media::PlaySound(Ramp(1000, false));
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 1);
  auto out = Mix(999);
  for (int i = 0; i < 999; ++i) {
    ASSERT_EQ(out[2 * i], i + 1) << i;
    ASSERT_EQ(out[2 * i + 1], i + 1) << i;
  }
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  out = Mix(10);
  EXPECT_EQ(out[0], 1000);
  EXPECT_EQ(out[2], 0);  // after the end: silence
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 0);
}

TEST_F(SoundMixer, SoundEndsExactlyWhenItsLastFrameIsMixed) {
  media::Channel ch = media::PlaySound(Ramp(600, false));
  Mix(600);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

TEST_F(SoundMixer, LoopingSoundWrapsAndNeverEnds) {
  media::Channel ch = media::PlaySound(Ramp(1000, true));
  auto out = Mix(2500);
  for (int i = 0; i < 2500; ++i) ASSERT_EQ(out[2 * i], i % 1000 + 1) << i;
  for (int k = 0; k < 20; ++k) Mix(4410);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
}

TEST_F(SoundMixer, StereoSamplesKeepTheirSides) {
  media::Channel ch = media::PlaySound(MakeSound({100, -200, 300, -400}, 44100, 2, false));
  auto out = Mix(3);
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[1], -200);
  EXPECT_EQ(out[2], 300);
  EXPECT_EQ(out[3], -400);
  EXPECT_EQ(out[4], 0);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

TEST_F(SoundMixer, HalfRateSoundLastsTwiceAsLongAndIsInterpolated) {
  media::Channel ch = media::PlaySound(MakeSound({0, 1000, 2000, 3000}, 22050, 1, false));
  auto out = Mix(7);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 500);  // halfway between the first two samples
  EXPECT_EQ(out[4], 1000);
  EXPECT_EQ(out[6], 1500);
  EXPECT_EQ(out[12], 3000);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  Mix(1);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

TEST_F(SoundMixer, VolumeScalesTheOutput) {
  media::Channel ch = media::PlaySound(Constant(20000, 4000));
  media::SetChannelVolume(ch, 0.5f);
  auto out = Mix(100);
  EXPECT_EQ(out[0], 10000);
  media::SetChannelVolume(ch, 0.1f);
  out = Mix(100);
  EXPECT_NEAR(out[0], 2000, 1);
  media::SetChannelVolume(ch, 0.0f);
  out = Mix(100);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);  // a silent channel still plays
}

TEST_F(SoundMixer, VolumeOutsideTheRangeIsHeldToIt) {
  media::Channel ch = media::PlaySound(Constant(20000, 4000));
  media::SetChannelVolume(ch, 3.0f);
  EXPECT_EQ(Mix(10)[0], 20000);
  media::SetChannelVolume(ch, -1.0f);
  EXPECT_EQ(Mix(10)[0], 0);
  media::SetChannelVolume(ch, std::nanf(""));
  EXPECT_EQ(Mix(10)[0], 0);
}

TEST_F(SoundMixer, TwoChannelsSumAndClampToSixteenBits) {
  media::Sound a = Constant(1000, 4000), b = Constant(2500, 4000);
  media::Channel ca = media::PlaySound(a), cb = media::PlaySound(b);
  EXPECT_EQ(Mix(10)[0], 3500);
  media::StopChannel(ca);
  media::StopChannel(cb);
  media::PlaySound(Constant(30000, 100));
  media::PlaySound(Constant(30000, 100));
  auto hi = Mix(10);
  EXPECT_EQ(hi[0], 32767);
  EXPECT_EQ(hi[1], 32767);
  media::detail::StopAllChannels();
  media::PlaySound(Constant(-30000, 100));
  media::PlaySound(Constant(-30000, 100));
  EXPECT_EQ(Mix(10)[0], -32768);
}

TEST_F(SoundMixer, TheSameSoundOnTwoChannelsPlaysTwice) {
  media::Sound s = Ramp(100, false);
  media::Channel c1 = media::PlaySound(s);
  Mix(50);
  media::Channel c2 = media::PlaySound(s);
  EXPECT_NE(c1, c2);
  auto out = Mix(1);
  EXPECT_EQ(out[0], 51 + 1);  // the first at frame 51, the second at its start
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 2);
}

TEST_F(SoundMixer, PauseHoldsThePlaceAndResumeGoesOn) {
  media::Channel ch = media::PlaySound(Ramp(1000, false));
  Mix(100);
  media::PauseChannel(ch);
  auto out = Mix(500);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[998], 0);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);  // a paused channel counts as playing
  media::ResumeChannel(ch);
  out = Mix(1);
  EXPECT_EQ(out[0], 101);
  Mix(899);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

TEST_F(SoundMixer, StoppedChannelIsSilentAndStaysStopped) {
  media::Channel ch = media::PlaySound(Constant(500, 10000, true));
  Mix(10);
  media::StopChannel(ch);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  EXPECT_EQ(Mix(10)[0], 0);
  media::ResumeChannel(ch);
  media::StopChannel(ch);  // twice is harmless
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 0);
}

TEST_F(SoundMixer, NullSoundsAndChannelsAreSafe) {
  EXPECT_EQ(media::PlaySound(nullptr), nullptr);
  media::Channel none;
  media::StopChannel(none);
  media::SetChannelVolume(none, 0.5f);
  media::PauseChannel(none);
  media::ResumeChannel(none);
  EXPECT_EQ(media::ChannelPlaying(none), 0);
  EXPECT_EQ(media::SoundFrames(nullptr), 0);
  EXPECT_EQ(media::SoundRate(nullptr), 0);
  EXPECT_EQ(media::SoundChannels(nullptr), 0);
  EXPECT_EQ(media::SoundSamples(nullptr), nullptr);
}

TEST_F(SoundMixer, EmptySoundStartsNothing) {
  media::Channel ch = media::PlaySound(MakeSound({}, 44100, 1, true));
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 0);
  Mix(10);
}

TEST_F(SoundMixer, ChannelOutlivesTheCallersSoundHandle) {
  media::Channel ch;
  {
    media::Sound s = Ramp(300, false);
    ch = media::PlaySound(s);
  }
  auto out = Mix(2);
  EXPECT_EQ(out[2], 2);
  Mix(400);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
}

TEST_F(SoundMixer, StopAllChannelsEndsEveryChannel) {
  media::Channel a = media::PlaySound(Constant(1, 100, true));
  media::Channel b = media::PlaySound(Constant(1, 100, false));
  media::detail::StopAllChannels();
  EXPECT_EQ(media::ChannelPlaying(a), 0);
  EXPECT_EQ(media::ChannelPlaying(b), 0);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), 0);
}

// The mixer runs on another thread in the real program: channel commands meanwhile must leave
// the table whole.
TEST_F(SoundMixer, CommandsWhileAnotherThreadMixes) {
  std::atomic<bool> stop{false};
  std::thread mixer([&] {
    std::vector<short> out(2 * 256);
    while (!stop) media::detail::MixAudio(out.data(), 256);
  });
  media::Sound shortSound = Ramp(64, false), loop = Ramp(64, true);
  std::vector<media::Channel> loops, all;
  for (int i = 0; i < 2000; ++i) {
    media::Channel c = media::PlaySound(i % 2 ? shortSound : loop);
    media::SetChannelVolume(c, 0.5f);
    all.push_back(c);
    if (i % 2 == 0) loops.push_back(c);
    if (i % 3 == 0) media::PauseChannel(c);
    if (i % 5 == 0) media::StopChannel(c);
  }
  stop = true;
  mixer.join();
  for (int k = 0; k < 3; ++k) Mix(128);  // the short sounds not paused have ended by now
  int alive = 0, loopsAlive = 0;
  for (const auto& c : all) alive += media::ChannelPlaying(c);
  for (const auto& c : loops) loopsAlive += media::ChannelPlaying(c);
  EXPECT_EQ(media::detail::ActiveMixerChannels(), alive);
  EXPECT_EQ(loopsAlive, 1000 - 200);  // the loops with i % 10 == 0 were stopped
  int unpausedShort = 0;
  for (int i = 1; i < 2000; i += 2)
    if (i % 3 != 0) unpausedShort += media::ChannelPlaying(all[i]);
  EXPECT_EQ(unpausedShort, 0);
}

}  // namespace

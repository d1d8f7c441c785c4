// Channels through the mixer, driven directly and by the headless backend's virtual clock.
#include "media/sound.h"

#include <cmath>

#include "media/audio/sound_data.h"
#include "media/backend.h"
#include "media/files.h"
#include "media/timing.h"
#include "support/headless_fixture.h"

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

// A mono ramp 1, 2, 3, ... of `frames` frames at 44100 Hz.
media::Sound Ramp(int frames, bool loop) {
  std::vector<short> v(frames);
  for (int i = 0; i < frames; ++i) v[i] = static_cast<short>(i + 1);
  return MakeSound(std::move(v), 44100, 1, loop);
}

media::Sound Constant(short value, int frames) {
  return MakeSound(std::vector<short>(frames, value), 44100, 1, false);
}

// The left samples of the next `frames` frames mixed (both sides where `right` is given).
std::vector<short> Mix(int frames, std::vector<short>* right = nullptr) {
  std::vector<short> out(2 * frames, 12345);  // filled, so that silence must be written
  media::detail::MixAudio(out.data(), frames);
  std::vector<short> left;
  for (int i = 0; i < frames; ++i) {
    left.push_back(out[2 * i]);
    if (right) right->push_back(out[2 * i + 1]);
  }
  return left;
}

class Sound : public quill_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    media::detail::StopAllChannels();
    media::ClearEmbedded();
  }
  void TearDown() override {
    media::detail::StopAllChannels();
    HeadlessTest::TearDown();
  }
};

// A ramp of 1000 frames: every sample in order, silence after the last, and the channel ends
// exactly when its last frame is mixed; a paused channel holds its place and still plays.
TEST_F(Sound, AChannelPlaysItsSamplesOnceInOrder) {
  EXPECT_EQ(Mix(3), (std::vector<short>{0, 0, 0}));
  media::Channel ch = media::PlaySound(Ramp(1000, false));
  std::vector<short> right;
  auto out = Mix(100, &right);
  EXPECT_EQ(out.front() + out.back() + right.back(), 1 + 100 + 100);
  media::PauseChannel(ch);
  EXPECT_EQ(Mix(500), std::vector<short>(500, 0));
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::ResumeChannel(ch);
  out = Mix(899);
  EXPECT_EQ(out.front() * 10000 + out.back() * 10 + media::ChannelPlaying(ch), 1019991);
  EXPECT_EQ(Mix(2), (std::vector<short>{1000, 0}));
  EXPECT_EQ(media::ChannelPlaying(ch) + media::detail::ActiveMixerChannels(), 0);
  ch = media::PlaySound(Ramp(600, false));
  Mix(600);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);  // ended with its last frame, not one call later
  // A loop wraps for ever; two channels of one sound play at their own places.
  media::Sound loop = Ramp(1000, true);
  media::Channel a = media::PlaySound(loop);
  out = Mix(2500);
  for (int i = 0; i < 2500; ++i) ASSERT_EQ(out[i], i % 1000 + 1) << i;
  media::Channel b = media::PlaySound(loop);
  EXPECT_NE(a, b);
  EXPECT_EQ(Mix(1)[0], 501 + 1);
  for (int k = 0; k < 20; ++k) Mix(4410);
  EXPECT_EQ(media::ChannelPlaying(a) + media::ChannelPlaying(b), 2);
  media::StopChannel(a);
  media::StopChannel(a);
  media::ResumeChannel(a);
  EXPECT_EQ(media::ChannelPlaying(a) * 10 + media::detail::ActiveMixerChannels(), 1);
}

TEST_F(Sound, RatesSidesVolumesAndSums) {
  // Half rate: twice as long, interpolated between samples.
  media::Channel ch = media::PlaySound(MakeSound({0, 1000, 2000, 3000}, 22050, 1, false));
  EXPECT_EQ(Mix(7), (std::vector<short>{0, 500, 1000, 1500, 2000, 2500, 3000}));
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  Mix(1);
  EXPECT_EQ(media::ChannelPlaying(ch), 0);
  std::vector<short> right;
  media::PlaySound(MakeSound({100, -200, 300, -400}, 44100, 2, false));
  EXPECT_EQ(Mix(3, &right), (std::vector<short>{100, 300, 0}));
  EXPECT_EQ(right, (std::vector<short>{-200, -400, 0}));
  // Volumes are held to 0 to 1 (NaN is 0); a silent channel still plays.
  ch = media::PlaySound(Constant(20000, 40000));
  const std::pair<float, short> volumes[] = {{0.5f, 10000}, {0.1f, 2000},       {3.0f, 20000},
                                             {-1.0f, 0},    {std::nanf(""), 0}, {1.0f, 20000}};
  for (auto [volume, want] : volumes) {
    media::SetChannelVolume(ch, volume);
    EXPECT_NEAR(Mix(10)[0], want, 1) << volume;
  }
  media::SetChannelVolume(ch, 0.0f);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::StopChannel(ch);
  // Channels add up and clamp to 16 bits.
  for (auto [value, want] :
       std::vector<std::pair<short, short>>{{1000, 2000}, {30000, 32767}, {-30000, -32768}}) {
    media::PlaySound(Constant(value, 100));
    media::PlaySound(Constant(value, 100));
    right.clear();
    EXPECT_EQ(Mix(10, &right)[0], want);
    EXPECT_EQ(right[0], want);
    media::detail::StopAllChannels();
  }
  // Null and empty sounds start nothing.
  EXPECT_EQ(media::PlaySound(nullptr), nullptr);
  EXPECT_EQ(media::ChannelPlaying(media::PlaySound(MakeSound({}, 44100, 1, true))), 0);
  media::Channel none;
  media::StopChannel(none);
  media::SetChannelVolume(none, 0.5f);
  media::PauseChannel(none);
  EXPECT_EQ(media::ChannelPlaying(none) + media::SoundFrames(nullptr) + media::SoundRate(nullptr) +
                media::SoundChannels(nullptr) + (media::SoundSamples(nullptr) != nullptr),
            0);
}

// The headless clock pulls the mixer exactly (44.1 frames a millisecond, none lost, at most ten
// seconds kept): a tenth of a second ends after 100 ms, paused channels wait, shutdown stops all.
TEST_F(Sound, TheVirtualClockDrivesTheChannels) {
  media::headless::TakeMixedAudio();
  for (int i = 0; i < 10; ++i) media::Delay(1);
  EXPECT_EQ(media::headless::TakeMixedAudio().size(), 441u * 2);
  media::Channel ch = media::PlaySound(Constant(700, 4410));
  media::Channel held = media::PlaySound(Constant(100, 4410));
  media::PauseChannel(held);
  EXPECT_EQ(media::headless::ActiveChannels(), 2);
  media::Delay(50);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  media::Delay(60);
  EXPECT_EQ(media::ChannelPlaying(ch) + media::ChannelPlaying(held) * 10, 10);
  const std::vector<short> out = media::headless::TakeMixedAudio();
  ASSERT_EQ(out.size(), 2u * 4851);  // 110 ms at 44100 Hz, stereo
  EXPECT_EQ(out[2 * 4409 + 1] * 10 + out[2 * 4410], 7000);
  media::Delay(60 * 1000);
  EXPECT_EQ(media::headless::TakeMixedAudio().size(), 44100u * 2 * 10);
  media::ShutdownMedia();
  EXPECT_EQ(media::ChannelPlaying(held), 0);
}

}  // namespace

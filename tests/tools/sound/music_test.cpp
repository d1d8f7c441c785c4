// The two music tracks of the runnable folder: they decode, last 60 to 90 seconds, loop without
// a click or a gap at the seam, and fit the memory they take once decoded at start-up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/sfxgen/song.h"
#include "tools/sfxgen/text.h"
#include "tools/sound/sound_util.h"

namespace {

using soundtest::Pcm;

constexpr long kTrackBudgetBytes = 14L << 20;  // decoded, per track
constexpr long kAllMusicBudgetBytes = 28L << 20;

Pcm LoadTrack(const std::string& name) {
  return soundtest::Decode(std::string(QUILL_GAME_DIR) + "/Music/" + name, 1);
}

long DecodedBytes(const Pcm& pcm) {
  return static_cast<long>(pcm.samples.size()) * 2;
}

// The step from the last sample to the first, against the steps inside the track: the largest
// sample-to-sample step of the channel that 99.9 % of the track stays under, plus a quarter
// (at least 64).
// Positive when the seam jumps further than that.
int SeamExcess(const Pcm& pcm, int c) {
  auto at = [&](int frame) {
    return static_cast<int>(pcm.samples[static_cast<std::size_t>(frame * pcm.channels + c)]);
  };
  std::vector<int> steps;
  steps.reserve(static_cast<std::size_t>(pcm.frames));
  for (int i = 1; i < pcm.frames; ++i) steps.push_back(std::abs(at(i) - at(i - 1)));
  const std::size_t k = steps.size() * 999 / 1000;
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(k), steps.end());
  const int allowed = std::max(steps[k] + steps[k] / 4, 64);
  return std::abs(at(0) - at(pcm.frames - 1)) - allowed;
}

void ExpectSeamless(const Pcm& pcm, const std::string& name) {
  for (int c = 0; c < pcm.channels; ++c)
    EXPECT_LE(SeamExcess(pcm, c), 0) << name << " channel " << c;
  // No gap: the music plays on across the seam.
  const double whole = pcm.Rms(0, pcm.frames);
  EXPECT_GT(pcm.Rms(pcm.frames - 2205, 2205), 0.1 * whole) << name << " fades out before the end";
  EXPECT_GT(pcm.Rms(0, 2205), 0.1 * whole) << name << " starts with silence";
}

Pcm Sine(int frames, double hz) {
  Pcm pcm;
  pcm.ok = true;
  pcm.rate = 44100;
  pcm.channels = 1;
  pcm.frames = frames;
  for (int i = 0; i < frames; ++i) {
    pcm.samples.push_back(
        static_cast<short>(20000 * std::sin(2 * 3.14159265358979 * hz * i / 44100)));
  }
  return pcm;
}

class Music : public ::testing::TestWithParam<std::string> {};

TEST_P(Music, DecodesAsAStereoTrackOfSixtyToNinetySeconds) {
  Pcm pcm = LoadTrack(GetParam());
  ASSERT_TRUE(pcm.ok);
  EXPECT_LE(pcm.rate, 44100);
  EXPECT_GE(pcm.rate, 22050);
  EXPECT_LE(pcm.channels, 2);
  EXPECT_GE(pcm.Seconds(), 60.0);
  EXPECT_LE(pcm.Seconds(), 90.0);
}

TEST_P(Music, LoopsWithoutAClickOrAGap) {
  Pcm pcm = LoadTrack(GetParam());
  ASSERT_TRUE(pcm.ok);
  ExpectSeamless(pcm, GetParam());
}

// The decoded track is exactly as long as its bars: no padding and nothing lost at the end.
TEST_P(Music, LastsExactlyItsBars) {
  Pcm pcm = LoadTrack(GetParam());
  ASSERT_TRUE(pcm.ok);
  const std::string name = GetParam().substr(0, GetParam().size() - 4);
  std::string text;
  ASSERT_TRUE(sfxgen::ReadWholeFile(
      std::string(QUILL_SOURCE_DIR) + "/assets/sound/music/" + name + ".song", &text));
  const sfxgen::Song song = sfxgen::ParseSong(name, text);
  EXPECT_EQ(pcm.frames, song.TotalFrames());
  EXPECT_EQ(song.TotalSteps() % 16, 0) << "the loop should close on a whole bar";
}

TEST_P(Music, IsNotClippedAndFitsItsMemoryBudget) {
  Pcm pcm = LoadTrack(GetParam());
  ASSERT_TRUE(pcm.ok);
  EXPECT_EQ(pcm.ClippedSamples(), 0);
  // Mixed low so that the effects stand above it at the default volumes, yet well audible.
  EXPECT_GT(pcm.Peak(), 32768 * 0.12);
  EXPECT_LE(DecodedBytes(pcm), kTrackBudgetBytes);
  RecordProperty("decoded_bytes", std::to_string(DecodedBytes(pcm)));
}

INSTANTIATE_TEST_SUITE_P(Tracks, Music, ::testing::Values("Title.ogg", "Song1.ogg"),
                         [](const auto& info) {
                           return info.param.substr(0, info.param.size() - 4);
                         });

TEST(MusicFolder, BothTracksTogetherFitTheBudget) {
  Pcm title = LoadTrack("Title.ogg");
  Pcm song = LoadTrack("Song1.ogg");
  ASSERT_TRUE(title.ok && song.ok);
  EXPECT_LE(DecodedBytes(title) + DecodedBytes(song), kAllMusicBudgetBytes);
}

// The seam check itself: a tone of whole periods loops cleanly, one cut mid-period does not.
TEST(MusicFolder, TheSeamCheckTellsACleanLoopFromACutOne) {
  EXPECT_LE(SeamExcess(Sine(44100, 441.0), 0), 0);       // 441 whole periods
  EXPECT_GT(SeamExcess(Sine(44100 + 25, 441.0), 0), 0);  // ends a quarter period late
}

}  // namespace

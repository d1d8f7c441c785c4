// The music cache and player, the channel wrappers and the sound-effect helper.
#include "core/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/globals.h"
#include "media/app.h"
#include "media/files.h"
#include "media/headless.h"
#include "media/sound_test_ogg.h"
#include "media/temp_folder.h"
#include "media/timing.h"
#include "screen_fixture.h"

namespace {

namespace fs = std::filesystem;

// Each test works in a fresh folder of its own with an empty "Music" folder in it.
class SoundTest : public coretest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(fs::create_directory("Music"));
  }

  static void Tone(const std::string& name, float hertz = 440.0f) {
    // A fifth of a second of a mono sine at 22,050 Hz, loud enough for the loudness checks.
    const std::vector<unsigned char> ogg = quilltest::EncodeSineOgg(22050, 1, 4410, hertz, 0.9);
    ASSERT_FALSE(ogg.empty());
    ASSERT_TRUE(quilltest::WriteBytes("Music/" + name, ogg));
  }
  static void Junk(const std::string& name) {
    quill_test::WriteBytes("Music/" + name, "not a sound");
  }
  static std::vector<std::string> CachedPaths() {
    std::vector<std::string> v;
    for (const auto& m : AllPrecachedMusic) v.push_back(m.Path);
    std::sort(v.begin(), v.end());
    return v;
  }
  // The loudest sample mixed over the next `ms` milliseconds of the virtual clock.
  static int Loudness(int ms) {
    media::headless::TakeMixedAudio();
    media::Delay(ms);
    int peak = 0;
    for (short s : media::headless::TakeMixedAudio()) peak = std::max(peak, std::abs(int{s}));
    return peak;
  }

  quill_test::TempFolder folder_;
};

TEST_F(SoundTest, PrecacheTakesNamesContainingOggAnywhere) {
  Tone("Title.ogg");
  Tone("Song1.OGG");
  Tone("myoggtune.bin");
  Junk("broken.ogg");
  Junk("readme.txt");
  Junk("Song2.mp3");
  fs::create_directories("Music/sub");
  EXPECT_EQ(PrecacheAllMusic(0), 0);
  EXPECT_EQ(CachedPaths(), (std::vector<std::string>{"Music/Song1.OGG", "Music/Title.ogg",
                                                     "Music/broken.ogg", "Music/myoggtune.bin"}));
  for (const auto& m : AllPrecachedMusic) {
    // A file that does not decode keeps its record with no sound.
    EXPECT_EQ(m.Music == nullptr, m.Path == "Music/broken.ogg") << m.Path;
  }
}

TEST_F(SoundTest, PrecacheTwiceAddsNothing) {
  Tone("Title.ogg");
  Tone("Song1.ogg");
  PrecacheAllMusic(0);
  ASSERT_EQ(AllPrecachedMusic.size(), 2u);
  const media::Sound first = AllPrecachedMusic[0].Music;
  PrecacheAllMusic(0);
  EXPECT_EQ(AllPrecachedMusic.size(), 2u);
  EXPECT_EQ(AllPrecachedMusic[0].Music, first);
  // A new file is added by the next call, after the others.
  Tone("Song2.ogg");
  PrecacheAllMusic(0);
  ASSERT_EQ(AllPrecachedMusic.size(), 3u);
  EXPECT_EQ(AllPrecachedMusic[2].Path, "Music/Song2.ogg");
}

TEST_F(SoundTest, NamesDifferingOnlyInLetterCaseAreCachedBothAndTheFirstIsFound) {
  Tone("Title.ogg", 440.0f);
  Tone("TITLE.ogg", 880.0f);
  PrecacheAllMusic(0);
  ASSERT_EQ(CachedPaths(), (std::vector<std::string>{"Music/TITLE.ogg", "Music/Title.ogg"}));
  ASSERT_TRUE(AllPrecachedMusic[0].Music && AllPrecachedMusic[1].Music);
  EXPECT_NE(AllPrecachedMusic[0].Music, AllPrecachedMusic[1].Music);
  // The lookup ignores case, so either spelling finds the record loaded first.
  EXPECT_EQ(GetPrecachedMusic("Music/Title.ogg"), AllPrecachedMusic[0].Music);
  EXPECT_EQ(GetPrecachedMusic("Music/TITLE.ogg"), AllPrecachedMusic[0].Music);
  PrecacheAllMusic(0);
  EXPECT_EQ(AllPrecachedMusic.size(), 2u);
}

TEST_F(SoundTest, PrecacheOnlyOneStopsAfterTheFirstRecord) {
  Tone("a.ogg");
  Tone("b.ogg");
  Tone("c.ogg");
  PrecacheAllMusic(1);
  EXPECT_EQ(AllPrecachedMusic.size(), 1u);
  PrecacheAllMusic(1);
  EXPECT_EQ(AllPrecachedMusic.size(), 2u);
  PrecacheAllMusic(0);
  EXPECT_EQ(CachedPaths(), (std::vector<std::string>{"Music/a.ogg", "Music/b.ogg", "Music/c.ogg"}));
}

// Decoded on worker threads or on the spot, the cache holds the same tracks in the same order
// with the same samples, and a broken track is null with one message.
TEST_F(SoundTest, BackgroundDecodingFillsTheSameCache) {
  Tone("Title.ogg", 440.0f);
  Tone("Song1.ogg", 660.0f);
  Junk("broken.ogg");
  Tone("c.ogg", 880.0f);
  using Track = std::pair<std::string, std::vector<short>>;
  const auto tracks = [] {
    std::vector<Track> v;
    for (const auto& m : AllPrecachedMusic) {
      const short* s = media::SoundSamples(m.Music);
      const int n = media::SoundFrames(m.Music) * media::SoundChannels(m.Music);
      v.emplace_back(m.Path, s ? std::vector<short>(s, s + n) : std::vector<short>{});
    }
    return v;
  };
  const auto messages = [](const std::string& err) {
    std::size_t n = 0;
    for (std::size_t at = err.find("broken.ogg"); at != std::string::npos;
         at = err.find("broken.ogg", at + 1))
      ++n;
    return n;
  };
  ::testing::internal::CaptureStderr();
  PrecacheAllMusic(0);
  EXPECT_EQ(messages(::testing::internal::GetCapturedStderr()), 1u);
  const std::vector<Track> onTheSpot = tracks();
  ASSERT_EQ(onTheSpot.size(), 4u);
  ResetMusic();

  ::testing::internal::CaptureStderr();
  StartMusicDecoding();
  StartMusicDecoding();  // already running: nothing more
  PrecacheAllMusic(1);
  EXPECT_EQ(AllPrecachedMusic.size(), 1u);
  StartMusicDecoding();  // the rest is decoded: nothing more
  PrecacheAllMusic(0);
  EXPECT_EQ(messages(::testing::internal::GetCapturedStderr()), 1u);
  EXPECT_EQ(tracks(), onTheSpot);
  EXPECT_EQ(GetPrecachedMusic("Music/broken.ogg"), nullptr);
  EXPECT_NE(GetPrecachedMusic("Music/Song1.ogg"), nullptr);

  // Left running, decoding is waited for and dropped with the cache.
  ResetMusic();
  ::testing::internal::CaptureStderr();
  StartMusicDecoding();
  ResetMusic();
  ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(AllPrecachedMusic.empty());
  PrecacheAllMusic(0);
  EXPECT_EQ(tracks(), onTheSpot);
}

TEST_F(SoundTest, MissingOrEmptyMusicFolderLeavesTheCacheEmpty) {
  PrecacheAllMusic(0);
  EXPECT_TRUE(AllPrecachedMusic.empty());
  fs::remove_all("Music");
  PrecacheAllMusic(0);
  EXPECT_TRUE(AllPrecachedMusic.empty());
}

TEST_F(SoundTest, GetPrecachedMusicIgnoresLetterCase) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  ASSERT_EQ(AllPrecachedMusic.size(), 1u);
  EXPECT_EQ(GetPrecachedMusic("Music/Title.ogg"), AllPrecachedMusic[0].Music);
  EXPECT_EQ(GetPrecachedMusic("MUSIC/title.OGG"), AllPrecachedMusic[0].Music);
  EXPECT_EQ(GetPrecachedMusic("Music/Title"), nullptr);
  EXPECT_EQ(GetPrecachedMusic(""), nullptr);
}

TEST_F(SoundTest, SamePathKeepsOneChannelAcrossCalls) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  media::Channel first = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(first);
  EXPECT_EQ(ChannelPlaying(first), 1);
  for (int tick = 0; tick < 20; ++tick) {
    song = PlayMusic("Music/Title.ogg");
    SetChannelVolume(song, MusicVol);
    media::Delay(10);
    EXPECT_EQ(song, first);
  }
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
  EXPECT_EQ(MusicChannel, first);
  EXPECT_EQ(MusicName, "Music/Title.ogg");
}

TEST_F(SoundTest, KeepingTheChannelSetsItsVolumeBackToFull) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  song = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(song);
  SetChannelVolume(song, 0.0f);
  EXPECT_EQ(Loudness(50), 0);
  EXPECT_EQ(PlayMusic("Music/Title.ogg"), song);
  EXPECT_GT(Loudness(50), 1000);
}

TEST_F(SoundTest, SamePathAfterAStopRestartsOnANewChannel) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  song = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(song);
  media::Channel old = song;
  StopChannel(song);
  EXPECT_EQ(ChannelPlaying(old), 0);
  // The music file is gone from the folder: the remembered sound is used, no lookup.
  AllPrecachedMusic.clear();
  song = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(song);
  EXPECT_NE(song, old);
  EXPECT_EQ(ChannelPlaying(song), 1);
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
}

TEST_F(SoundTest, AnotherPathStopsTheOldTrackFirst) {
  Tone("Title.ogg");
  Tone("Song1.ogg", 880.0f);
  PrecacheAllMusic(0);
  media::Channel title = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(title);
  media::Channel tune = PlayMusic("Music/Song1.ogg");
  ASSERT_TRUE(tune);
  EXPECT_NE(tune, title);
  EXPECT_EQ(ChannelPlaying(title), 0);
  EXPECT_EQ(ChannelPlaying(tune), 1);
  EXPECT_EQ(MusicSound, GetPrecachedMusic("Music/Song1.ogg"));
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
}

TEST_F(SoundTest, LetterCaseFindsTheTrackButCountsAsAnotherName) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  media::Channel a = PlayMusic("Music/Title.ogg");
  media::Channel b = PlayMusic("music/title.ogg");
  ASSERT_TRUE(a);
  ASSERT_TRUE(b);
  EXPECT_NE(a, b);
  EXPECT_EQ(ChannelPlaying(a), 0);
  media::Channel c = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(c);
  EXPECT_NE(c, b);
  EXPECT_EQ(ChannelPlaying(b), 0);
  EXPECT_EQ(PlayMusic("Music/Title.ogg"), c);
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
}

TEST_F(SoundTest, PathNotInTheCacheStartsNothing) {
  Tone("Title.ogg");
  Junk("broken.ogg");
  PrecacheAllMusic(0);
  media::Channel title = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(title);
  EXPECT_EQ(PlayMusic("Music/Nothing.ogg"), nullptr);
  EXPECT_EQ(ChannelPlaying(title), 0);  // the old track stopped all the same
  EXPECT_EQ(PlayMusic("Music/Nothing.ogg"), nullptr);
  EXPECT_EQ(PlayMusic("Music/broken.ogg"), nullptr);  // cached, but it did not load
  EXPECT_EQ(media::headless::ActiveChannels(), 0);
  EXPECT_EQ(MusicChannel, nullptr);
  // Back to a good track.
  EXPECT_TRUE(PlayMusic("Music/Title.ogg"));
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
}

TEST_F(SoundTest, PlayMusicWithAnEmptyCacheIsSafe) {
  EXPECT_EQ(PlayMusic(""), nullptr);
  EXPECT_EQ(PlayMusic("Music/Title.ogg"), nullptr);
  EXPECT_EQ(media::headless::ActiveChannels(), 0);
}

TEST_F(SoundTest, ReplaceMusicComparesExactly) {
  EXPECT_EQ(ReplaceMusic(""), 0);
  EXPECT_EQ(ReplaceMusic("Music/Title.ogg"), 1);
  PlayMusic("Music/Title.ogg");
  EXPECT_EQ(ReplaceMusic("Music/Title.ogg"), 0);
  EXPECT_EQ(ReplaceMusic("Music/title.ogg"), 1);
}

TEST_F(SoundTest, ChannelOperationsAcceptNull) {
  media::Channel none;
  EXPECT_EQ(StopChannel(none), 0);
  EXPECT_EQ(SetChannelVolume(none, 0.5f), 0);
  EXPECT_EQ(PauseChannel(none), 0);
  EXPECT_EQ(ResumeChannel(none), 0);
  EXPECT_EQ(ChannelPlaying(none), 0);
  EXPECT_EQ(::StopChannel(nullptr), 0);
  EXPECT_EQ(::ChannelPlaying(nullptr), 0);
}

TEST_F(SoundTest, ChannelOperationsReachTheChannel) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  song = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(song);
  PauseChannel(song);
  EXPECT_EQ(ChannelPlaying(song), 1);  // a paused channel counts as playing
  EXPECT_EQ(Loudness(50), 0);
  ResumeChannel(song);
  EXPECT_GT(Loudness(50), 1000);
  SetChannelVolume(song, 0.0f);
  EXPECT_EQ(Loudness(50), 0);
  StopChannel(song);
  EXPECT_EQ(ChannelPlaying(song), 0);
}

TEST_F(SoundTest, PlaySfxKeepsTheChannelAtSfxVolumeAndEffectsOverlap) {
  Tone("fx.ogg");
  const media::Sound fx = media::LoadSound("Music/fx.ogg");
  ASSERT_TRUE(fx);
  SfxVol = 0.0f;
  media::Channel first = PlaySfx(fx);
  ASSERT_TRUE(first);
  EXPECT_EQ(Sfx, first);
  EXPECT_EQ(Loudness(20), 0);  // at SfxVol
  SfxVol = 1.0f;
  media::Channel second = PlaySfx(fx);
  EXPECT_EQ(Sfx, second);
  EXPECT_NE(first, second);
  EXPECT_EQ(ChannelPlaying(first), 1);  // not stopped by the next effect
  EXPECT_EQ(media::headless::ActiveChannels(), 2);
  EXPECT_GT(Loudness(20), 1000);
}

TEST_F(SoundTest, PlaySfxOfNullLeavesSfxNull) {
  Sfx = nullptr;
  EXPECT_EQ(PlaySfx(nullptr), nullptr);
  EXPECT_EQ(Sfx, nullptr);
}

TEST_F(SoundTest, ResetMusicClearsThePlayer) {
  Tone("Title.ogg");
  PrecacheAllMusic(0);
  media::Channel c = PlayMusic("Music/Title.ogg");
  ResetMusic();
  EXPECT_TRUE(AllPrecachedMusic.empty());
  EXPECT_EQ(MusicName, "");
  EXPECT_EQ(MusicSound, nullptr);
  EXPECT_EQ(MusicChannel, nullptr);
  EXPECT_EQ(ChannelPlaying(c), 0);
}

}  // namespace

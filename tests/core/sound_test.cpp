// The music cache and player, the channel wrappers and the sound-effect helper.
#include "core/sound.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "media/sound.h"
#include "media/text.h"
#include "media/timing.h"
#include "support/game_fixture.h"
#include "support/ogg.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Each test works in a fresh folder with an empty "Music" folder in it.
class SoundTest : public quill_test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(fs::create_directory("Music"));
  }
  // A fifth of a second of a mono sine at 22,050 Hz at 0.9 of full scale.
  static void Tone(const std::string& name) {
    static const auto ogg = quill_test::EncodeSineOgg(22050, 1, 4410, 440.0, 0.9);
    ASSERT_TRUE(quill_test::WriteBytes("Music/" + name, ogg));
  }
  static std::vector<std::string> CachedPaths() {
    std::vector<std::string> v;
    for (const auto& m : AllPrecachedMusic) v.push_back(m.Path);
    std::sort(v.begin(), v.end());
    return v;
  }
  // The loudest sample mixed over the next 50 ms of the virtual clock.
  static int Loudness() {
    media::headless::TakeMixedAudio();
    media::Delay(50);
    int peak = 0;
    for (short s : media::headless::TakeMixedAudio()) peak = std::max(peak, std::abs(int{s}));
    return peak;
  }
  quill_test::TempFolder folder_;
};

TEST_F(SoundTest, PrecacheTakesNamesContainingOggOnceEach) {
  PrecacheAllMusic(0);
  EXPECT_TRUE(AllPrecachedMusic.empty());
  for (const char* name : {"Title.ogg", "TITLE.ogg", "myoggtune.bin"}) Tone(name);
  quill_test::WriteBytes("Music/broken.ogg", "not a sound");
  quill_test::WriteBytes("Music/Song2.mp3", "not a sound");
  fs::create_directories("Music/sub");
  PrecacheAllMusic(1);  // one record a call
  const std::size_t one = AllPrecachedMusic.size();
  PrecacheAllMusic(1);
  EXPECT_EQ(one * 10 + AllPrecachedMusic.size(), 12u);
  PrecacheAllMusic(0);
  PrecacheAllMusic(0);
  EXPECT_EQ(CachedPaths(), (std::vector<std::string>{"Music/TITLE.ogg", "Music/Title.ogg",
                                                     "Music/broken.ogg", "Music/myoggtune.bin"}));
  for (const auto& m : AllPrecachedMusic)
    EXPECT_EQ(m.Music == nullptr, m.Path == "Music/broken.ogg") << m.Path;  // kept, no sound
  // The lookup ignores letter case and finds the record loaded first.
  const auto first =
      std::find_if(AllPrecachedMusic.begin(), AllPrecachedMusic.end(),
                   [](const auto& m) { return media::Lower(m.Path) == "music/title.ogg"; });
  EXPECT_TRUE(GetPrecachedMusic("MUSIC/title.OGG") == first->Music &&
              !GetPrecachedMusic("Music/Title"));
  Tone("Song2.ogg");  // a new file comes last on the next call
  PrecacheAllMusic(0);
  EXPECT_EQ(AllPrecachedMusic.back().Path, "Music/Song2.ogg");
}

// One channel for a track played again and again, back at full volume; another track or a
// stop starts a new one; an unknown track stops the old one and starts nothing.
TEST_F(SoundTest, PlayMusicKeepsOneChannelPerTrack) {
  for (const char* name : {"Title.ogg", "Song1.ogg", "fx.ogg"}) Tone(name);
  quill_test::WriteBytes("Music/broken.ogg", "x");
  PrecacheAllMusic(0);
  song = PlayMusic("Music/Title.ogg");
  ASSERT_TRUE(song);
  const int full = Loudness();
  EXPECT_GT(full, 25000);
  for (int tick = 0; tick < 5; ++tick) {
    SetChannelVolume(song, 0.0f);
    EXPECT_EQ(Loudness(), 0);
    EXPECT_EQ(PlayMusic("Music/Title.ogg"), song);
    EXPECT_NEAR(Loudness(), full, full / 10);  // full volume again
  }
  EXPECT_EQ(MusicName, "Music/Title.ogg");
  media::Channel old = song;
  StopChannel(song);
  AllPrecachedMusic.clear();  // the remembered sound restarts, no lookup
  song = PlayMusic("Music/Title.ogg");
  EXPECT_TRUE(song != old && ChannelPlaying(song));
  PrecacheAllMusic(0);
  old = song;
  song = PlayMusic("music/title.ogg");  // found, but another name: a new channel
  EXPECT_TRUE(song != old && !ChannelPlaying(old));
  old = song;
  song = PlayMusic("Music/Song1.ogg");
  EXPECT_TRUE(!ChannelPlaying(old) && ChannelPlaying(song));
  EXPECT_EQ(MusicSound, GetPrecachedMusic("Music/Song1.ogg"));
  EXPECT_EQ(media::headless::ActiveChannels(), 1);
  EXPECT_EQ(ReplaceMusic("Music/Song1.ogg"), 0);
  EXPECT_EQ(ReplaceMusic("Music/song1.ogg"), 1);
  for (const char* none : {"Music/Nothing.ogg", "Music/broken.ogg", ""}) {
    EXPECT_EQ(PlayMusic(none), nullptr) << none;
    EXPECT_EQ(ChannelPlaying(song), 0) << none;
    EXPECT_EQ(media::headless::ActiveChannels(), 0) << none;
  }
  // Effects play at SfxVol and overlap; the channel wrappers reach the mixer.
  const media::Sound fx = GetPrecachedMusic("Music/fx.ogg");
  ASSERT_TRUE(fx);
  SfxVol = 0.0f;
  StopChannel(song);
  media::Channel first = PlaySfx(fx);
  EXPECT_EQ(Sfx, first);
  EXPECT_EQ(Loudness(), 0);  // at SfxVol
  SfxVol = 1.0f;
  media::Channel second = PlaySfx(fx);
  EXPECT_TRUE(first != second && ChannelPlaying(first));
  EXPECT_GT(Loudness(), 25000);
  PauseChannel(second);
  EXPECT_EQ(ChannelPlaying(second) * 100000 + Loudness(), 100000);
  ResumeChannel(second);
  EXPECT_GT(Loudness(), 25000);
  StopChannel(second);
  EXPECT_EQ(ChannelPlaying(second), 0);
  media::Channel none;
  EXPECT_EQ(StopChannel(none) + SetChannelVolume(none, 1) + PauseChannel(none) +
                ResumeChannel(none) + ChannelPlaying(none),
            0);
  EXPECT_TRUE(!PlaySfx(nullptr) && !Sfx);
  ResetMusic();
  EXPECT_TRUE(AllPrecachedMusic.empty() && MusicName.empty() && !MusicSound && !MusicChannel);
}

}  // namespace

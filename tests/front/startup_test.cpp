// Start-up: the language chooser, the settings files, the display-rate probe, the logo slide and
// the progress bar, then each shipped language through every menu screen.
#include "app/startup.h"

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/sound.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

namespace hl = media::headless;
using fronttest::At;
using fronttest::Bytes;
using fronttest::LineOf;

namespace {

class StartupTest : public fronttest::FrontTest {
 protected:
  // Runs the program to its first title frame; `chooser(n)` acts on the chooser's frames.
  void StartToTitle(const std::function<void(int)>& chooser = nullptr) {
    Run([] { _bb_main(); },
        [&](int n) {
          if (Language == 0 && Flags && chooser) chooser(n);
          return !(Game && Game->State == 31);
        });
  }
};

TEST_F(StartupTest, FirstStartChoosesTheLanguageInAWindow) {
  WriteLanguageFiles();
  std::filesystem::copy(std::filesystem::path(QUILL_GAME_DIR) / "Music", dir_ / "Music");
  int chooserFrames = 0;
  StartToTitle([&](int n) {
    ++chooserFrames;
    EXPECT_EQ(GraphicsFullScreen, 0);
    if (n == 1) {
      // The screen frame and English framed, from (300, 275) to (348, 323).
      for (auto [x, y] : {std::pair{0, 0}, {799, 599}, {400, 599}, {300, 275}, {348, 323}})
        EXPECT_EQ(At(x, y), 0xFFFFFFFFu) << x << "," << y;
      for (auto [x, y] : {std::pair{1, 1}, {299, 300}, {320, 324}})
        EXPECT_EQ(At(x, y), 0xFF000000u) << x << "," << y;
      hl::PressKey(media::KEY_LEFT);  // 1 wraps to 4
    }
    if (n == 2) {
      EXPECT_EQ(At(444, 300), 0xFFFFFFFFu);  // Italian: (444, 275) to (492, 323)
      EXPECT_EQ(At(492, 323), 0xFFFFFFFFu);
      hl::PressKey(media::KEY_RIGHT);  // 4 wraps to 1
    }
    if (n == 3) {
      EXPECT_EQ(LangRect, 1);
      hl::PressKey(media::KEY_RIGHT);
    }
    if (n == 4) {
      EXPECT_EQ(LangRect, 2);
      hl::PressKey(media::KEY_ESCAPE);  // English, whatever is highlighted
    }
  });
  EXPECT_GE(chooserFrames, 5);
  EXPECT_EQ(Language, 1);
  EXPECT_EQ(Read("Country.ini"), Bytes{1});
  EXPECT_EQ(Read("prefs.ini"), Bytes{0});
  EXPECT_EQ(GraphicsFullScreen, 1);  // prefs.ini 0: full screen after the chooser
  EXPECT_EQ((std::vector{Lang[176], Tut[1], Tut[11], ItemName[1], ItemName[30], md, dir}),
            (std::vector{LineOf(1, 176), LineOf(1, 0), LineOf(1, 10), LineOf(1, 147),
                         LineOf(1, 176), LineOf(1, 11), std::string("Images/")}));
  const std::string cwd = media::CurrentDir();
  EXPECT_EQ((std::vector{AppPath, Path, FilePath}),
            (std::vector{cwd, cwd + "/", cwd + "\\PlayerLevels\\"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "PlayerLevels"));
  // Full screen at 85 Hz: the probe measures about 85 frames a second.
  const auto& log = media::DebugLogLines();
  EXPECT_NEAR(FPS, 85, 1);
  EXPECT_EQ(log, (std::vector<std::string>{cwd, media::Str(FPS), "Delaytime: 5"}));
  EXPECT_EQ(AllPrecachedMusic.size(), 2u);
  EXPECT_EQ(ChannelPlaying(song), 1);  // the title music
}

// Damaged settings read as no choice, and leftovers of interrupted saves are cleared away.
TEST_F(StartupTest, DamagedSettingsAskAgainAndLeftoverTemporaryFilesGo) {
  WriteLanguageFiles();
  Write("Country.ini", Bytes{128});  // no language
  Write("prefs.ini", Bytes{7});      // no display mode
  std::filesystem::create_directory(dir_ / "PlayerLevels");
  const std::vector<std::string> leftovers = {".Played.Bin.tmp-a1B2c3",
                                              "PlayerLevels/.Mine.tmp-Zz09xY"};
  for (const std::string& name : leftovers) Write(name, "half a save");
  Write("PlayerLevels/Mine", "a stage");
  int chooserFrames = 0;
  StartToTitle([&](int n) {
    ++chooserFrames;
    if (n == 1) {
      EXPECT_EQ(LangRect, 1);  // the damaged byte frames no flag of its own
    }
    if (n == 2) hl::PressKey(media::KEY_RIGHT);
    if (n == 3) hl::PressKey(media::KEY_SPACE);  // French
  });
  EXPECT_GE(chooserFrames, 4);
  EXPECT_EQ(Language, 2);
  EXPECT_EQ(Read("Country.ini"), Bytes{2});
  EXPECT_EQ(Read("prefs.ini"), Bytes{0});
  EXPECT_EQ(Mode, 0);
  EXPECT_EQ(md, LineOf(2, 11));
  EXPECT_EQ(Lang[43], LineOf(2, 43));
  for (const std::string& name : leftovers) EXPECT_FALSE(std::filesystem::exists(dir_ / name));
  EXPECT_EQ(Read("PlayerLevels/Mine").size(), 7u);
}

TEST_F(StartupTest, DisplayRateProbe) {
  media::Graphics(800, 600, 0, 60);
  struct Case {
    int delay;  // added to every frame, ms
    int fps, frames;
    long long minMs, maxMs;
  };
  // 60 Hz: the first pass checks at once, then one second of frames. 10 frames a second: the
  // rate never reaches 25 and the eleventh check gives 25.
  const Case cases[] = {{0, 60, 61, 1000, 1100}, {100, 25, 101, 10000, 11200}};
  for (const Case& c : cases) {
    const auto start = hl::VirtualMillis();
    const int frames = Run([] { ProbeDisplayRate(); },
                           [&](int) {
                             if (c.delay) media::Delay(c.delay);
                             return true;
                           });
    EXPECT_EQ(FPS, c.fps);
    EXPECT_EQ(frames, c.frames);
    EXPECT_EQ(DelayTime, 0);
    EXPECT_GE(hl::VirtualMillis() - start, c.minMs);
    EXPECT_LT(hl::VirtualMillis() - start, c.maxMs);
  }
  const int delays[][2] = {{25, 0}, {60, 0}, {61, 0}, {62, 0}, {85, 5}, {120, 8}, {144, 10}};
  for (auto [fps, delay] : delays) EXPECT_EQ(DelayTimeFor(fps), delay) << fps;
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash("/home/q"), "/home/q/");
  EXPECT_EQ(WithTrailingSlash("C:\\game\\"), "C:\\game\\");
}

}  // namespace

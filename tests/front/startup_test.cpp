// Start-up: the first start, the settings files, the display-rate probe, the tables, the logo
// slide and the progress bar.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::FrontTest;
using fronttest::LineOf;

namespace {

using Bytes = std::vector<unsigned char>;

class StartupTest : public FrontTest {};

TEST_F(StartupTest, FirstStartInAnEmptyFolderRunsTheChooserAndEscapePicksEnglish) {
  WriteLanguageFiles();
  int chooserFrames = 0;
  int fullScreenAtTitle = -1;
  bool stopped = Run([] { _bb_main(); },
                     [&](int frame) {
                       if (Language == 0) {
                         ++chooserFrames;
                         // The chooser runs in a window, English highlighted.
                         EXPECT_EQ(GraphicsFullScreen, 0);
                         if (frame < 4) {
                           EXPECT_EQ(LangRect, 1);
                         }
                         if (frame == 3) media::headless::KeyDownNow(media::KEY_RIGHT);
                         if (frame == 4) {
                           media::headless::KeyUpNow(media::KEY_RIGHT);
                           EXPECT_EQ(LangRect, 2);
                           media::headless::PressKey(media::KEY_ESCAPE);
                         }
                         return true;
                       }
                       if (Game && Game->State == 31) {
                         fullScreenAtTitle = GraphicsFullScreen;
                         return false;
                       }
                       return true;
                     });
  ASSERT_TRUE(stopped);
  EXPECT_GE(chooserFrames, 5);
  EXPECT_EQ(Language, 1);  // Escape picks English whatever is highlighted
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{1});
  EXPECT_EQ(ReadBytes("prefs.ini"), Bytes{0});
  EXPECT_EQ(fullScreenAtTitle, 1);  // prefs.ini 0: the game continues in full screen
  EXPECT_EQ(Lang[0], LineOf(1, 0));
  EXPECT_EQ(Lang[176], LineOf(1, 176));
  EXPECT_EQ(dir, "Images/");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "PlayerLevels"));
}

TEST_F(StartupTest, ChooserTakesTheHighlightedFlagWithSpace) {
  WriteLanguageFiles();
  Run([] { _bb_main(); },
      [&](int frame) {
        if (Language == 0) {
          if (frame == 2) media::headless::PressKey(media::KEY_LEFT);  // 1 wraps to 4
          if (frame == 3) media::headless::PressKey(media::KEY_LEFT);  // 3
          if (frame == 4) media::headless::PressKey(media::KEY_SPACE);
          return true;
        }
        return !(Game && Game->State == 31);
      });
  EXPECT_EQ(Language, 3);
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{3});
  EXPECT_EQ(Lang[5], LineOf(3, 5));
}

TEST_F(StartupTest, ChooserDrawsTheScreenFrameAndTheFrameAroundTheHighlightedFlag) {
  WriteLanguageFiles();
  const media::Pixel white = 0xFFFFFFFFu;
  auto at = [](int x, int y) { return media::ReadScreenPixel(x, y) | 0xFF000000u; };
  int checked = 0;
  Run([] { _bb_main(); },
      [&](int frame) {
        if (Language != 0) return false;
        if (frame == 1) {
          // The one-pixel screen frame from (0, 0) to (799, 599).
          EXPECT_EQ(at(0, 0), white);
          EXPECT_EQ(at(799, 599), white);
          EXPECT_EQ(at(400, 599), white);
          EXPECT_EQ(at(1, 1), 0xFF000000u);
          // Flag 1 is framed from (300, 275) to (348, 323).
          EXPECT_EQ(at(300, 275), white);
          EXPECT_EQ(at(348, 323), white);
          EXPECT_EQ(at(348, 300), white);
          EXPECT_EQ(at(299, 300), 0xFF000000u);
          EXPECT_EQ(at(320, 324), 0xFF000000u);
          media::headless::PressKey(media::KEY_RIGHT);
          ++checked;
        }
        if (frame == 2) {
          // Flag 2: from (348, 275) to (396, 323).
          EXPECT_EQ(at(396, 300), white);
          EXPECT_EQ(at(372, 323), white);
          EXPECT_EQ(at(299, 300), 0xFF000000u);
          media::headless::PressKey(media::KEY_ESCAPE);
          ++checked;
        }
        return true;
      });
  EXPECT_EQ(checked, 2);
}

TEST_F(StartupTest, CountryHoldingZeroStartsWithNoFlagAndSpaceChoosesNothing) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {0});
  int framesAfterSpace = 0;
  Run([] { _bb_main(); },
      [&](int frame) {
        if (Language == 0) {
          if (frame == 1) {
            EXPECT_EQ(LangRect, 0);
            media::headless::PressKey(media::KEY_SPACE);
          }
          if (frame > 1) ++framesAfterSpace;
          if (frame == 5) media::headless::PressKey(media::KEY_RIGHT);
          if (frame == 6) media::headless::PressKey(media::KEY_ENTER);
          return true;
        }
        return !(Game && Game->State == 31);
      });
  EXPECT_GE(framesAfterSpace, 4);  // Space with the frame left of the flags chose nothing
  EXPECT_EQ(Language, 1);
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{1});
}

TEST_F(StartupTest, CountryHoldingThreeUsesGermanTextsAndPictures) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {3});
  WriteBytes("prefs.ini", {1});
  int chooserFrames = 0;
  Run([] { _bb_main(); },
      [&](int) {
        if (Game && Game->State == 0 && Flags && !Title && Language == 0) ++chooserFrames;
        return !(Game && Game->State == 31);
      });
  EXPECT_EQ(chooserFrames, 0);
  EXPECT_EQ(Language, 3);
  EXPECT_EQ(LangRect, 3);
  EXPECT_EQ(Lang[50], LineOf(3, 50));
  EXPECT_EQ(Tut[1], LineOf(3, 0));
  EXPECT_EQ(Tut[11], LineOf(3, 10));
  EXPECT_EQ(ItemName[1], LineOf(3, 147));
  EXPECT_EQ(ItemName[30], LineOf(3, 176));
  EXPECT_EQ(md, LineOf(3, 12));
  EXPECT_EQ(dir, "Images/gr/");
  EXPECT_EQ(GraphicsFullScreen, 0);
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{3});
  EXPECT_EQ(yes, "89");  // "yes": Y
  EXPECT_EQ(no, "78");
}

TEST_F(StartupTest, DebugLogHoldsTheFolderTheRateAndTheDelay) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {1});
  WriteBytes("prefs.ini", {0});
  RunGame([](int) { return false; });
  const auto& log = media::DebugLogLines();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], media::CurrentDir());
  EXPECT_EQ(log[1], media::Str(FPS));
  EXPECT_EQ(log[2], "Delaytime: " + media::Str(DelayTime));
  // Full screen at 85 Hz: the probe measures about 85 frames a second.
  EXPECT_GE(FPS, 84);
  EXPECT_LE(FPS, 86);
  EXPECT_EQ(DelayTime, 5);
}

TEST_F(StartupTest, FoldersAndPathsComeFromTheStartFolder) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {1});
  RunGame([](int) { return false; });
  const std::string cwd = media::CurrentDir();
  EXPECT_EQ(AppPath, cwd);
  EXPECT_EQ(Path, cwd + "/");
  EXPECT_EQ(FilePath, cwd + "\\PlayerLevels\\");
  EXPECT_EQ(media::FileType("PlayerLevels"), 2);
}

TEST_F(StartupTest, BuiltInTablesAreFilled) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {1});
  RunGame([](int) { return false; });
  const int jump[18] = {0, 0, 0, -12, -12, -6, -6, -6, -3, 0, 0, 0, 3, 6, 6, 6, 12, 12};
  const int bounce[18] = {-12, -6, -3, -3, 0, 0, 3, 3, 6, 12, -12, -3, 0, 3, 12, -6, 0, 6};
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(PlayerJump[i], jump[i]) << i;
    EXPECT_EQ(PlayerJumpX[i], i == 0 ? 0 : 3) << i;
    EXPECT_EQ(Bounce[i], bounce[i]) << i;
  }
  EXPECT_EQ(PlayerJump[18], 0);
  EXPECT_EQ(W[2], 48);
  EXPECT_EQ(W[11], 96);
  EXPECT_EQ(H[11], 24);
  EXPECT_EQ(H[10], 48);
  EXPECT_EQ(W[25], 96);
  EXPECT_EQ(H[25], 96);
  EXPECT_EQ(Difficulity, 1);
  EXPECT_EQ(Players_list.Count(), 1);
  EXPECT_EQ(Games_list.Count(), 1);
  EXPECT_EQ(ExitDoors_list.Count(), 1);
  EXPECT_EQ(media::ImageWidth(PlayerSprite), 48);
  EXPECT_EQ(media::ImageFrames(Options2), 6);
  EXPECT_NE(Title, nullptr);
}

TEST_F(StartupTest, DelayTimeFromTheMeasuredRate) {
  EXPECT_EQ(DelayTimeFor(85), 5);
  EXPECT_EQ(DelayTimeFor(120), 8);
  EXPECT_EQ(DelayTimeFor(144), 10);
  EXPECT_EQ(DelayTimeFor(61), 0);
  EXPECT_EQ(DelayTimeFor(62), 0);
  EXPECT_EQ(DelayTimeFor(60), 0);
  EXPECT_EQ(DelayTimeFor(25), 0);
}

TEST_F(StartupTest, ProbeInAWindowMeasuresSixtyAndWaitsNothing) {
  media::Graphics(800, 600, 0, 60);
  const auto start = media::headless::VirtualMillis();
  ProbeDisplayRate();
  EXPECT_GE(FPS, 59);
  EXPECT_LE(FPS, 61);
  EXPECT_EQ(DelayTime, 0);
  EXPECT_GE(media::headless::VirtualMillis() - start, 1000);
  EXPECT_LT(media::headless::VirtualMillis() - start, 1100);
}

TEST_F(StartupTest, ProbeFirstCheckCountsItsOwnFrameThenOneSecondOfFrames) {
  media::Graphics(800, 600, 0, 60);
  const int before = media::headless::FrameCount();
  ProbeDisplayRate();
  // The first pass is checked at once and shown; the next 60 frames fill one second.
  EXPECT_EQ(FPS, 60);
  EXPECT_EQ(media::headless::FrameCount() - before, 61);
  EXPECT_EQ(DelayTime, 0);
}

TEST_F(StartupTest, ProbeOfTenFramesASecondShowsOneFrameAndTenSecondsOfFrames) {
  media::Graphics(800, 600, 0, 60);
  const int before = media::headless::FrameCount();
  // Every frame takes 100 ms.
  Run([] { ProbeDisplayRate(); },
      [](int) {
        media::Delay(100);
        return true;
      });
  EXPECT_EQ(FPS, 25);
  // The first frame, then ten windows of ten frames each.
  EXPECT_EQ(media::headless::FrameCount() - before, 101);
}

TEST_F(StartupTest, ProbeThatNeverReachesTwentyFiveGivesUpAtTheEleventhCheck) {
  media::Graphics(800, 600, 0, 60);
  // Every frame takes 100 ms: ten frames a second.
  Run([] { ProbeDisplayRate(); },
      [](int) {
        media::Delay(84);
        return true;
      });
  EXPECT_EQ(FPS, 25);
  EXPECT_EQ(DelayTime, 0);
  EXPECT_GE(media::headless::VirtualMillis(), 10000);
  EXPECT_LT(media::headless::VirtualMillis(), 10300);
}

TEST_F(StartupTest, PathGetsOneTrailingSlash) {
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash("/home/q/game"), "/home/q/game/");
  EXPECT_EQ(WithTrailingSlash("/home/q/game/"), "/home/q/game/");
  EXPECT_EQ(WithTrailingSlash("C:\\game\\"), "C:\\game\\");
}

TEST_F(StartupTest, LogoSlidesInOnTheTimerWithTheGoldSound) {
  fronttest::LoadForScreens();
  media::Graphics(800, 600, 0, 60);
  const int before = media::headless::FrameCount();
  const auto start = media::headless::VirtualMillis();
  LogoSlide();
  // 300 pixels in steps of 5: 61 slide frames and the frame at rest.
  EXPECT_EQ(media::headless::FrameCount() - before, 62);
  EXPECT_GE(media::headless::VirtualMillis() - start, 61 * 1000 / 150);
  int r, g, b;
  media::GetColor(r, g, b);
  EXPECT_EQ(r, 228);
  EXPECT_EQ(g, 140);
  EXPECT_EQ(b, 15);
  EXPECT_NE(sndGold, nullptr);
  EXPECT_NE(LogoTimer, nullptr);
  int vx, vy, vw, vh;
  media::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vx, 0);
  EXPECT_EQ(vw, 800);
}

TEST_F(StartupTest, ProgressBarGrowsInOrangeFrom298To471) {
  fronttest::LoadForScreens();
  media::Cls();
  media::SetColor(228, 140, 15);
  const int before = media::headless::FrameCount();
  LoadWithProgressBar();
  EXPECT_EQ(media::headless::FrameCount() - before, 42);
  const media::Pixel orange = 0xFFE48C0Fu;
  EXPECT_EQ(media::ReadScreenPixel(298, 430) | 0xFF000000u, orange);
  EXPECT_EQ(media::ReadScreenPixel(471, 441) | 0xFF000000u, orange);
  EXPECT_EQ(media::ReadScreenPixel(472, 435) & 0xFFFFFFu, 0u);
  EXPECT_EQ(media::ReadScreenPixel(297, 435) & 0xFFFFFFu, 0u);
  EXPECT_EQ(media::ReadScreenPixel(300, 442) & 0xFFFFFFu, 0u);
  EXPECT_NE(sndExiting, nullptr);
  EXPECT_NE(sndOptions, nullptr);
  EXPECT_EQ(media::ImageFrames(Doors), 30);
}

}  // namespace

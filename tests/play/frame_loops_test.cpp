// The pause and help loop, the map screen loop, and the strips beside the play viewport.
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "play/frame_fixture.h"
#include "play/map.h"
#include "play/render.h"
#include "play/stage_start.h"

namespace frametest {
namespace {

using media::headless::PressKey;

class FrameLoops : public FrameTest {};

TEST_F(FrameLoops, PauseLoopKeepsTheFallGoingWithoutATick) {
  Player->Action = 14;
  Player->Y = 100;
  PressKey(kKeyPause);
  int flips = 0;
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    flips = n;
                    if (n == 5) PressKey(kKeyPause);
                  }));
  EXPECT_EQ(flips, 6);  // five passes of the loop, then the frame's own
  // The frame's own step and one per pass.
  EXPECT_EQ(Player->FallCounter, 6);
  EXPECT_EQ(Player->Y, 100 + 6 * 12);
  EXPECT_EQ(Player->Action, 14);
  EXPECT_EQ(Help, 0);
  EXPECT_EQ(pausecounter, 0);
}

TEST_F(FrameLoops, PauseEndsWithF1F2OrEscapeAndSetsTheStandingPose) {
  for (int key : {kKeyPause, kKeyHelp, kKeyQuit}) {
    Player->State = 3;
    Player->Direction = 1;
    Player->Frame = 0;
    PressKey(kKeyPause);
    int flips = 0;
    ASSERT_TRUE(Run([] { RenderGame(0); },
                    [&](int n) {
                      flips = n;
                      if (n == 3) PressKey(key);
                    },
                    100))
        << key;
    EXPECT_EQ(flips, 4) << key;  // Escape ended the pause; no quit dialog opened
    EXPECT_EQ(Game->State, 26);
    EXPECT_EQ(Player->Frame, (3 * 3 + 1) * 4 + 2);
  }
}

// Whether "PAUSE" centred at y 290 shows.
bool PauseTextShows() {
  const std::string text = "PAUSE";
  const int x = (46 - 5) * 8;
  for (int i = 0; i < 5; ++i)
    if (!FrameTest::Shows(optAlpha, text[i] - 32, x + 16 * (i + 1), 290)) return false;
  return true;
}

TEST_F(FrameLoops, PausePausesTheMusicAndBlinksItsText) {
  CacheMusic();
  PressKey(kKeyPause);
  std::vector<int> shownAt;
  bool heard = false;
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    // At flip n the back buffer holds pass n - 1; flip 204 is the frame's own.
                    if (n >= 2 && PauseTextShows()) shownAt.push_back(n - 1);
                    if (n >= 2 && n <= 203 && Audible()) heard = true;
                    if (n == 1) Audible();
                    if (n == 203) PressKey(kKeyPause);
                  }));
  EXPECT_FALSE(heard);
  // Counts 0 to 74 of each hundred show (75 of 100 frames), 75 to 99 do not.
  std::vector<int> expected;
  for (int pass = 1; pass <= 203; ++pass)
    if (pass % 100 <= 74) expected.push_back(pass);
  EXPECT_EQ(shownAt, expected);
  Audible();
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Audible());  // resumed
}

TEST_F(FrameLoops, HelpShowsItsPictureOverThePlayfieldAndKeepsTheMusic) {
  CacheMusic();
  Back = nullptr;  // the background is the plain pulsing colour
  // An opaque pixel of the help picture away from the player.
  media::Pixmap pm = media::LockImage(F1_Help, 0, true, false);
  int hx = -1, hy = -1;
  for (int y = 5; y < pm.height && hx < 0; ++y)
    for (int x = 5; x < pm.width && hx < 0; ++x)
      if ((media::ReadPixel(pm, x, y) >> 24) == 255) hx = x, hy = y;
  ASSERT_GE(hx, 0);
  const Rgb help = ToRgb(media::ReadPixel(pm, hx, hy));
  media::UnlockImage(F1_Help, 0);
  Player->X = 700;
  Player->Y = 500;

  PressKey(kKeyHelp);
  bool heard = true, blended = true, pauseText = false;
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    if (n == 1) Audible();
                    if (n >= 2) {
                      heard = heard && Audible();
                      const Rgb bg{redvalue, greenvalue, 100};
                      const Rgb want{(7 * help.r + 3 * bg.r) / 10, (7 * help.g + 3 * bg.g) / 10,
                                     (7 * help.b + 3 * bg.b) / 10};
                      blended = blended && Near(RoomPixel(250 + hx, 150 + hy), want, 3);
                      pauseText = pauseText || PauseTextShows();
                    }
                    if (n == 10) PressKey(kKeyHelp);
                  }));
  EXPECT_TRUE(heard);
  EXPECT_TRUE(blended);
  EXPECT_FALSE(pauseText);
  EXPECT_EQ(Help, 0);
}

TEST_F(FrameLoops, DyingThatEndsDuringAPauseEndsTheStageOnce) {
  Difficulity = 1;
  Player->Lives = 2;
  Player->Action = 16;
  Player->DyingCounter = 140;
  PressKey(kKeyPause);
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    if (n == 500) PressKey(kKeyPause);
                  },
                  1000));
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Game->Stage, 4);
  EXPECT_EQ(Player->Lives, 1);
  EXPECT_EQ(Player->DyingCounter, 0);
}

TEST_F(FrameLoops, MapScreenOpensOnThePlayersRoomAndClosesWithF3OrEscape) {
  Rooms[1][2] = 1;
  RoomX = 1;
  RoomY = 2;
  RoomXX = RoomYY = 0;
  const int x0 = Player->X, y0 = Player->Y;
  for (int key : {kKeyMap, kKeyQuit}) {
    PressKey(kKeyMap);
    int flips = 0;
    Rgb mark, other, missing;
    ASSERT_TRUE(Run([] { RenderGame(0); },
                    [&](int n) {
                      flips = n;
                      if (n == 2) {
                        mark = RoomPixel(522 + 40 * 1 + 10, 252 + 40 * 2 + 10);
                        other = RoomPixel(522 + 10, 252 + 10);
                        missing = RoomPixel(522 + 40 * 5 + 10, 252 + 40 * 5 + 10);
                      }
                      if (n == 4) PressKey(key);
                    },
                    100))
        << key;
    EXPECT_EQ(flips, 5) << key;  // four map frames, then the play frame
    EXPECT_TRUE(Near(mark, {255, 0, 0}, 0));
    EXPECT_TRUE(Near(other, {0, 255, 0}, 0));
    EXPECT_TRUE(Near(missing, {0, 0, 0}, 0));
    EXPECT_EQ(RoomXX, 1);
    EXPECT_EQ(RoomYY, 2);
    EXPECT_EQ(Game->State, 26);  // Escape closed the map only
  }
  EXPECT_EQ(Player->X, x0);
  EXPECT_EQ(Player->Y, y0);
}

TEST_F(FrameLoops, StripsBesideTheViewportAreBlackBeforeAndAfterTheFlip) {
  auto paintStrips = [] {
    media::SetViewport(0, 0, 800, 600);
    media::SetOrigin(0, 0);
    media::SetColor(255, 255, 255);
    media::DrawRect(0, 0, 16, 600);
    media::DrawRect(784, 0, 16, 600);
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
  };
  paintStrips();
  // Painted again right after the frame's Flip: the blacking out after it removes them.
  ASSERT_TRUE(Run([] { RenderGame(0); }, [&](int) { paintStrips(); }));
  const media::Pixel* shown = media::ShownPixels();
  for (int y : {0, 300, 599}) {
    for (int x : {0, 15, 784, 799}) {
      EXPECT_TRUE(Near(ToRgb(shown[y * 800 + x]), {0, 0, 0}, 0)) << x << "," << y;
      EXPECT_TRUE(Near(ToRgb(media::ReadScreenPixel(x, y)), {0, 0, 0}, 0)) << x << "," << y;
    }
  }
}

TEST_F(FrameLoops, NonZeroFlagNeitherShowsNorBlacksOut) {
  ASSERT_TRUE(Frame());
  const int before = media::headless::FrameCount();
  media::SetViewport(0, 0, 800, 600);
  media::SetOrigin(0, 0);
  media::SetColor(255, 255, 255);
  media::DrawRect(0, 0, 16, 600);
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  RenderGame(1);
  EXPECT_EQ(media::headless::FrameCount(), before);
  EXPECT_TRUE(Near(ToRgb(media::ReadScreenPixel(5, 300)), {255, 255, 255}, 0));
}

}  // namespace
}  // namespace frametest

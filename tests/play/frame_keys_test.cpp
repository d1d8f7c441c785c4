// The frame's keys during play and during a replay, the replay step and label, and the
// door-open flash.
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "play/frame_fixture.h"
#include "play/render.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace frametest {
namespace {

using media::headless::PressKey;

class FrameKeys : public FrameTest {};

TEST_F(FrameKeys, GridOverlayTogglesOnlyOnDifficultyOne) {
  Difficulity = 1;
  PressKey(kKeyGrid);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ShowGrid, 1);
  PressKey(kKeyGrid);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ShowGrid, 0);

  Difficulity = 2;
  PressKey(kKeyGrid);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ShowGrid, 0);
  ShowGrid = 1;
  PressKey(kKeyGrid);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ShowGrid, 1);
}

TEST_F(FrameKeys, GiveUpTakesALifeAndStartsDying) {
  Player->Lives = 3;
  PressKey(kKeyGiveUp);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Player->Lives, 2);
  EXPECT_EQ(Player->Action, 16);
  // Also while already dying.
  PressKey(kKeyGiveUp);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Player->Lives, 1);
  EXPECT_EQ(Player->Action, 16);
  // No key, no life.
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Player->Lives, 1);
}

TEST_F(FrameKeys, GiveUpInTheFrameThatEndsTheStageCostsNothing) {
  Difficulity = 1;
  Player->Lives = 3;
  Player->Action = 16;
  Player->DyingCounter = 150;
  PressKey(kKeyGiveUp);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Player->Lives, 1);  // the one life a death leaves
}

TEST_F(FrameKeys, MusicKeyRestoresTheSavedVolumeOr08) {
  MusicVol = 0.6f;
  tmpMusicVol = 0.6f;
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(MusicVol, 0.0f);
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(MusicVol, 0.6f);

  tmpMusicVol = 0.0f;
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(MusicVol, 0.8f);
  EXPECT_FLOAT_EQ(SfxVol, 0.3f);  // the effects are left alone
}

TEST_F(FrameKeys, MusicKeySilencesTheSongChannel) {
  CacheMusic();
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Audible());
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  Audible();
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Audible());
  PressKey(kKeyMusic);
  ASSERT_TRUE(Frame());
  Audible();
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Audible());
}

TEST_F(FrameKeys, EffectsKeyTogglesTheEffectsVolume) {
  SfxVol = 0.3f;
  tmpSfxVol = 0.5f;
  PressKey(kKeyEffects);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(SfxVol, 0.0f);
  PressKey(kKeyEffects);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(SfxVol, 0.5f);
  tmpSfxVol = 0.0f;
  PressKey(kKeyEffects);
  ASSERT_TRUE(Frame());
  PressKey(kKeyEffects);
  ASSERT_TRUE(Frame());
  EXPECT_FLOAT_EQ(SfxVol, 0.8f);
  EXPECT_FLOAT_EQ(MusicVol, 1.0f);
}

TEST_F(FrameKeys, SolutionKeyRestartsTheStageAsItsReplay) {
  Difficulity = 2;
  PressKey(kKeySolution);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Difficulity, 1);
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(Game->Stage, 4);
  EXPECT_EQ(Game->State, 27);
}

TEST_F(FrameKeys, SolutionKeyDoesNothingInTutorialsButIsConsumed) {
  Tutorial = 1;
  Difficulity = 2;
  PressKey(kKeySolution);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Difficulity, 2);
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(Game->Stage, 5);
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(media::KeyHit(kKeySolution), 0);
}

TEST_F(FrameKeys, SolutionKeyInTheFrameThatEndsTheStageLowersTheStageOnce) {
  Player->Action = 16;
  Player->DyingCounter = 150;
  PressKey(kKeySolution);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Game->Stage, 4);
  EXPECT_EQ(DemoMode, 0);
}

// A replay of three records: 1 tick of nothing, 3 ticks right, 5 ticks left.
void LoadShortReplay() {
  Demo[0][0] = 0, Demo[1][0] = 1;
  Demo[0][1] = 2, Demo[1][1] = 3;
  Demo[0][2] = 1, Demo[1][2] = 5;
  TotalActionCount = 2;
  DemoMode = 1;
}

TEST_F(FrameKeys, DuringAReplayOnlyF8AndEscapeAct) {
  LoadShortReplay();
  Difficulity = 1;
  Player->Lives = 2;
  const float music = MusicVol, effects = SfxVol;
  for (int key : {kKeyHelp, kKeyPause, kKeyMap, kKeyGrid, kKeyGiveUp, kKeyMusic, kKeyEffects}) {
    PressKey(key);
    int flips = 0;
    ASSERT_TRUE(Run([] { RenderGame(0); }, [&](int n) { flips = n; }, 20)) << key;
    EXPECT_EQ(flips, 1) << key;  // no pause or map loop ran
  }
  EXPECT_EQ(ShowGrid, 0);
  EXPECT_EQ(Player->Lives, 2);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_FLOAT_EQ(MusicVol, music);
  EXPECT_FLOAT_EQ(SfxVol, effects);

  PressKey(kKeySolution);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Game->Stage, 4);
}

TEST_F(FrameKeys, EscapeOpensTheQuitDialogDuringAReplay) {
  LoadShortReplay();
  media::headless::PressKey(kKeyQuit);
  int flips = 0;
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    flips = n;
                    if (n == 2) PressKey('Y');
                  },
                  50));
  EXPECT_GT(flips, 2);
  EXPECT_EQ(Game->State, 31);
}

TEST_F(FrameKeys, EscapeOpensTheQuitDialogInPlayAndNoGoesOn) {
  PressKey(kKeyQuit);
  int flips = 0;
  ASSERT_TRUE(Run([] { RenderGame(0); },
                  [&](int n) {
                    flips = n;
                    if (n == 3) PressKey('N');
                  },
                  50));
  EXPECT_GT(flips, 3);
  EXPECT_EQ(Game->State, 26);
}

TEST_F(FrameKeys, ReplayStepsOneRecordTickPerFrame) {
  LoadShortReplay();
  Demo[1][0] = 1;  // run 0 with no recorded step drives no tick: run 1 plays at once
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ActionCount, 1);
  EXPECT_EQ(ActionNo, 1);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ActionCount, 1);
  EXPECT_EQ(ActionNo, 2);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ActionCount, 2);
  EXPECT_EQ(ActionNo, 0);
  // Live play does not step.
  DemoMode = 0;
  ASSERT_TRUE(Frame());
  EXPECT_EQ(ActionCount, 2);
  EXPECT_EQ(ActionNo, 0);
}

// Whether "REPLAY" in the menu font shows at the top-left of the room.
bool ReplayLabelShows() {
  const std::string label = "REPLAY";
  for (int i = 0; i < static_cast<int>(label.size()); ++i)
    if (!FrameTest::Shows(optAlpha, label[i] - 32, 3 + 16 * (i + 1), 3)) return false;
  return true;
}

TEST_F(FrameKeys, ReplayLabelBlinks39OfEvery80Frames) {
  LoadShortReplay();
  int shown = 0;
  for (int f = 1; f <= 160; ++f) {
    ASSERT_TRUE(Frame());
    const bool label = ReplayLabelShows();
    EXPECT_EQ(label, f % 80 > 40) << f;
    shown += label ? 1 : 0;
  }
  EXPECT_EQ(shown, 78);
}

TEST_F(FrameKeys, NoReplayLabelInTutorials) {
  LoadShortReplay();
  Tutorial = 1;
  TutNo = 1;
  for (int f = 1; f <= 80; ++f) {
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(ReplayLabelShows()) << f;
  }
  // The tutorial heading is there instead.
  EXPECT_TRUE(Shows(optAlpha, 'T' - 32, 19, 3));
}

// An opaque pixel of the score bar where no digit is written.
bool BarPixel(int* x, int* y) {
  media::Pixmap pm = media::LockImage(ScoreBar, 0, true, false);
  bool found = false;
  for (int px = 767; px >= 600 && !found; --px) {
    for (int py = 2; py < 22 && !found; ++py) {
      if ((media::ReadPixel(pm, px, py) >> 24) >= 128) {
        *x = px;
        *y = py;
        found = true;
      }
    }
  }
  media::UnlockImage(ScoreBar, 0);
  return found;
}

TEST_F(FrameKeys, DoorFlashFillsTheBarEveryOtherFrameFor150Frames) {
  int bx = 0, by = 0;
  ASSERT_TRUE(BarPixel(&bx, &by));
  media::Pixmap pm = media::LockImage(ScoreBar, 0, true, false);
  const Rgb bar = ToRgb(media::ReadPixel(pm, bx, by));
  media::UnlockImage(ScoreBar, 0);

  CacheMusic();
  PauseChannel(song);
  Audible();
  DoorOpened = 1;
  for (int f = 1; f <= 149; ++f) {
    ASSERT_TRUE(Frame());
    EXPECT_EQ(FlashCounter, f);
    const Rgb pulse{redvalue, greenvalue, 100};
    const Rgb seen = RoomPixel(bx, 576 + by);
    if (f % 2 == 0) {
      EXPECT_TRUE(Near(seen, pulse, 0)) << f;
    } else {
      EXPECT_TRUE(Near(seen, bar, 1)) << f;
    }
  }
  EXPECT_EQ(DoorOpened, 1);
  EXPECT_FALSE(Audible());  // the music stays paused while the flash runs
  ASSERT_TRUE(Frame());
  EXPECT_EQ(DoorOpened, 0);
  EXPECT_EQ(FlashCounter, 0);
  EXPECT_TRUE(Audible());  // resumed in the 150th frame
  ASSERT_TRUE(Frame());
  EXPECT_EQ(FlashCounter, 0);
}

TEST_F(FrameKeys, NoDoorFlashInTutorials) {
  Tutorial = 1;
  TutNo = 1;
  DoorOpened = 1;
  for (int f = 1; f <= 200; ++f) ASSERT_TRUE(Frame());
  EXPECT_EQ(DoorOpened, 1);
  EXPECT_EQ(FlashCounter, 0);
}

}  // namespace
}  // namespace frametest

// The title menu, driven through the whole program with scripted input.
#include "front/title.h"

#include <gtest/gtest.h>

#include <map>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::FrontTest;
namespace hl = media::headless;

namespace {

class TitleTest : public FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    WriteLanguageFiles();
    WriteBytes("Country.ini", {1});
    WriteBytes("prefs.ini", {1});
  }
  // Runs the game; at the title's frame n the action of `steps` for n runs (checks included);
  // the run ends after frame `last`.
  void Drive(const std::map<int, std::function<void()>>& steps, int last) {
    bool stopped = RunGame([&](int n) {
      auto it = steps.find(n);
      if (it != steps.end()) it->second();
      return n < last;
    });
    EXPECT_TRUE(stopped);
  }
};

// The hover test uses the pointer's y read at the start of the frame, so a key that moves the
// pointer settles on its entry one frame later; with the pointer parked above the menu the keys
// act alone.
TEST_F(TitleTest, UpAndDownWrapAndMoveThePointer) {
  Drive({{0,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);
            EXPECT_EQ(media::MouseX(), 405);
            EXPECT_EQ(media::MouseY(), 355);
            hl::MoveMouseNow(405, 100);
            hl::PressKey(media::KEY_UP);
          }},
         {1,
          [] {
            EXPECT_EQ(TitleMenu.selection, 5);
            EXPECT_EQ(TitleMenu.rowTop, 547);
            EXPECT_EQ(media::MouseX(), 405);
            EXPECT_EQ(media::MouseY(), 567);
          }},
         {2,
          [] {
            EXPECT_EQ(TitleMenu.selection, 5);
            hl::MoveMouseNow(405, 100);
            hl::PressKey(media::KEY_DOWN);
          }},
         {3,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);
            EXPECT_EQ(media::MouseY(), 347);
          }},
         {4,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);
            hl::PressKey(media::KEY_DOWN);  // the pointer is on the menu now
          }},
         {6, [] { EXPECT_EQ(TitleMenu.selection, 1); }}},
        6);
}

TEST_F(TitleTest, UpAndDownInOneFrameBothAct) {
  Drive({{0,
          [] {
            hl::MoveMouseNow(100, 100);
            hl::PressKey(media::KEY_DOWN);
            hl::PressKey(media::KEY_DOWN);
          }},
         {1,
          [] {
            EXPECT_EQ(TitleMenu.selection, 1);  // two presses, one query: one step
            hl::MoveMouseNow(100, 100);
            hl::PressKey(media::KEY_UP);
            hl::PressKey(media::KEY_DOWN);
          }},
         {2, [] { EXPECT_EQ(TitleMenu.selection, 1); }}},
        2);
}

TEST_F(TitleTest, HoverSelectsTheEntryUnderThePointerWithinItsLimits) {
  Drive({{0, [] { hl::MoveMouseNow(400, 589); }},
         {1,
          [] {
            EXPECT_EQ(TitleMenu.selection, 5);
            hl::MoveMouseNow(400, 328);
          }},
         {2,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);
            hl::MoveMouseNow(260, 500);
          }},
         {3,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);  // x 260 is outside
            hl::MoveMouseNow(535, 500);
          }},
         {4,
          [] {
            EXPECT_EQ(TitleMenu.selection, 0);  // x 535 is outside
            hl::MoveMouseNow(534, 500);
          }},
         {5,
          [] {
            EXPECT_EQ(TitleMenu.selection, 3);  // (500 - 327) div 44
            hl::MoveMouseNow(261, 327);
          }},
         {6,
          [] {
            EXPECT_EQ(TitleMenu.selection, 3);  // y 327 is above the menu
            hl::MoveMouseNow(400, 590);
          }},
         {7, [] { EXPECT_EQ(TitleMenu.selection, 3); }}},
        7);
}

TEST_F(TitleTest, CreditsScrollLeftAndComeBackFromTheRight) {
  Drive({{0, [] { EXPECT_EQ(TitleMenu.creditsX, 799); }},
         {1, [] { EXPECT_EQ(TitleMenu.creditsX, 797); }},
         {10,
          [] {
            EXPECT_EQ(TitleMenu.creditsX, 779);
            TitleMenu.creditsX = -media::TextWidth(kCredits) + 1;
          }},
         {11, [] { EXPECT_EQ(TitleMenu.creditsX, 801); }},
         {12, [] { EXPECT_EQ(TitleMenu.creditsX, 799); }}},
        12);
}

TEST_F(TitleTest, ArrowAnimatesEverySixFrames) {
  Drive({{0, [] { EXPECT_EQ(TitleMenu.arrowCell, 0); }},
         {5, [] { EXPECT_EQ(TitleMenu.arrowCell, 1); }},
         {11, [] { EXPECT_EQ(TitleMenu.arrowCell, 2); }},
         {59, [] { EXPECT_EQ(TitleMenu.arrowCell, 0); }}},
        59);
}

TEST_F(TitleTest, StartGameSetsUpANewGame) {
  bool sawNextStage = false;
  Run([] { _bb_main(); },
      [&](int) {
        if (!Game || !Title) return true;
        if (Game->State == 27 && !sawNextStage) {
          sawNextStage = true;
          EXPECT_EQ(Player->Score, 0);
          EXPECT_EQ(Player->Lives, 2);
          EXPECT_EQ(Player->XS, 3);
          EXPECT_EQ(Player->YS, 3);
          EXPECT_EQ(Player->Frame, 6);
          EXPECT_EQ(Game->Stage, 0);
          EXPECT_EQ(DoorOpened, 0);
          int vx, vy, vw, vh;
          media::GetViewport(vx, vy, vw, vh);
          EXPECT_EQ(vx, 16);
          EXPECT_EQ(vw, 768);
          float ox, oy;
          media::GetOrigin(ox, oy);
          EXPECT_EQ(ox, 16.0f);
          EXPECT_EQ(Tutorial, 0);
          return false;
        }
        if (Game->State == 31) {
          Player->Score = 1234;
          DoorOpened = 1;
          hl::PressKey(media::KEY_ENTER);
        }
        return true;
      });
  EXPECT_TRUE(sawNextStage);
}

TEST_F(TitleTest, TutorialsPlaySilentlyAndTheTitleRestoresTheVolumes) {
  tmpMusicVol = 0.7f;
  tmpSfxVol = 0.3f;
  int titleVisits = 0;
  bool sawTutorial = false;
  int lastTitleFrame = -10;
  Run([] { _bb_main(); },
      [&](int frame) {
        if (!Game || !Title) return true;
        if (Game->State == 27) {
          if (!sawTutorial) {
            sawTutorial = true;
            EXPECT_EQ(MusicVol, 0.0f);
            EXPECT_EQ(SfxVol, 0.0f);
            EXPECT_EQ(Tutorial, 1);
            EXPECT_EQ(TutNo, 0);
            EXPECT_EQ(DemoMode, 1);
            EXPECT_EQ(User, 1);
            EXPECT_EQ(tmpMusicVol, 0.7f);
          } else {
            hl::PressKey(media::KEY_ESCAPE);  // a chooser of the stage flow: back to the title
          }
          return true;
        }
        if (Game->State != 31) {
          hl::PressKey(media::KEY_ESCAPE);  // leave whatever the stage flow shows
          return true;
        }
        if (frame != lastTitleFrame + 1) ++titleVisits;
        lastTitleFrame = frame;
        if (titleVisits == 1) {
          EXPECT_EQ(MusicVol, 0.7f);
          if (TitleMenu.selection != 2) {
            hl::PressKey(media::KEY_DOWN);
          } else {
            hl::PressKey(media::KEY_SPACE);
          }
          return true;
        }
        // Back on the title: the volumes of before the tutorials.
        EXPECT_EQ(MusicVol, 0.7f);
        EXPECT_EQ(SfxVol, 0.3f);
        EXPECT_EQ(Tutorial, 0);
        EXPECT_EQ(DemoMode, 0);
        return false;
      },
      5000);
  EXPECT_TRUE(sawTutorial);
  EXPECT_EQ(titleVisits, 2);
}

TEST_F(TitleTest, EnterSpaceAndClickInOneFrameActOnce) {
  // On the options entry: leftover Space or click would toggle the difficulty there.
  Drive({{0, [] { hl::MoveMouseNow(400, 513); }},
         {2,
          [] {
            EXPECT_EQ(TitleMenu.selection, 4);
            hl::PressKey(media::KEY_ENTER);
            hl::PressKey(media::KEY_SPACE);
            hl::ClickNow(1);
          }},
         {3,
          [] {
            EXPECT_EQ(media::MouseX(), 318);  // the options screen opened
            EXPECT_EQ(media::MouseY(), 228);
          }},
         {6, [] { EXPECT_EQ(Difficulity, 1); }}},
        6);
}

TEST_F(TitleTest, EnterSpaceAndClickOpenTheInstructionsAtPageZero) {
  Drive({{0, [] { hl::MoveMouseNow(400, 380); }},
         {1,
          [] {
            EXPECT_EQ(TitleMenu.selection, 1);
            InstructionPage = 2;
            hl::PressKey(media::KEY_ENTER);
            hl::PressKey(media::KEY_SPACE);
            hl::ClickNow(1);
          }},
         {4, [] { EXPECT_EQ(InstructionPage, 0); }}},
        4);
}

TEST_F(TitleTest, EditorEntrySetsStateThirtyTwo) {
  bool sawEditor = false;
  Run([] { _bb_main(); },
      [&](int) {
        if (!Game || !Title) return true;
        if (Game->State == 32) {
          sawEditor = true;
          int vx, vy, vw, vh;
          media::GetViewport(vx, vy, vw, vh);
          EXPECT_EQ(vx, 0);  // the viewport is left as it was
          return false;
        }
        if (Game->State == 31) {
          if (TitleMenu.selection != 3) {
            hl::PressKey(media::KEY_DOWN);
          } else {
            hl::ClickNow(1);
          }
        }
        return true;
      });
  EXPECT_TRUE(sawEditor);
}

TEST_F(TitleTest, EscapeOpensTheQuitDialogAndNReturnsToTheMenu) {
  int dialogFrames = 0;
  Drive({{0,
          [] {
            hl::MoveMouseNow(400, 380);
            hl::PressKey(media::KEY_ESCAPE);
          }},
         {1,
          [&] {
            // The dialog's first frame: its pointer starts at (370, 350).
            EXPECT_EQ(media::MouseX(), 370);
            EXPECT_EQ(media::MouseY(), 350);
            ++dialogFrames;
          }},
         {2, [] { hl::PressKey('N'); }},
         {4,
          [] {
            EXPECT_EQ(quit, 0);
            EXPECT_EQ(TitleMenu.selection, 1);
            hl::MoveMouseNow(400, 430);
          }},
         {5, [] { EXPECT_EQ(TitleMenu.selection, 2); }}},
        5);
  EXPECT_EQ(dialogFrames, 1);
}

TEST_F(TitleTest, YesInTheQuitDialogEndsTheProgram) {
  EXPECT_THROW(
      Drive({{0, [] { hl::PressKey(media::KEY_ESCAPE); }}, {2, [] { hl::PressKey('Y'); }}}, 50),
      fronttest::ProgramEnded);
}

TEST_F(TitleTest, ExitEntryOpensTheQuitDialog) {
  EXPECT_THROW(Drive({{0, [] { hl::MoveMouseNow(400, 560); }},
                      {1, [] { hl::PressKey(media::KEY_SPACE); }},
                      {3, [] { hl::PressKey('Y'); }}},
                     50),
               fronttest::ProgramEnded);
}

TEST_F(TitleTest, LeavingTheOptionsKeepsSelectionCreditsAndArrow) {
  int creditsAtEntry = 0;
  Drive({{0, [] { hl::MoveMouseNow(400, 513); }},
         {2,
          [&] {
            creditsAtEntry = TitleMenu.creditsX;
            hl::PressKey(media::KEY_SPACE);
          }},
         {8, [] { hl::PressKey(media::KEY_ESCAPE); }},
         {10,
          [&] {
            EXPECT_EQ(TitleMenu.selection, 4);
            // Two title passes since: the credits did not move while the options ran.
            EXPECT_EQ(TitleMenu.creditsX, creditsAtEntry - 4);
          }}},
        10);
}

}  // namespace

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "front/choosers.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "screens.h"
#include "world.h"

using media::headless::ClickNow;
using media::headless::MoveMouseNow;
using media::headless::PressKey;
using stagetest::OnFrames;
using stagetest::World;

namespace {

class Chooser : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    stagetest::MakeScreenPictures();
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    Lang[131] = "Tutorials";
    Lang[132] = "Choose";
    for (int n = 1; n <= 11; n++) Tut[n] = "Line " + std::to_string(n);
  }
  // The colour of the shown picture at a point of button (bx, by) clear of its number.
  static media::Pixel ButtonPixel(int bx, int by) {
    return media::ShownPixels()[(by + 5) * 800 + bx + 16 + 5];
  }
  // Escape after `frames` frames, so a chooser that takes no choice still ends.
  static void EscapeAfter(int frames) {
    int at = media::headless::FrameCount() + frames;
    OnFrames([at](int f) {
      if (f == at) PressKey(media::KEY_ESCAPE);
    });
  }
  World world_;
};

TEST_F(Chooser, ClickOnStage30ChoosesIt) {
  MoveMouseNow(700, 200);
  ClickNow(1);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 29);
  EXPECT_EQ(MainMenu, 0);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(media::headless::FrameCount(), 1);
}

TEST_F(Chooser, EnterOrSpaceChooseToo) {
  MoveMouseNow(100, 130);  // stage 12
  PressKey(media::KEY_ENTER);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 11);
  MoveMouseNow(40, 500);  // stage 61
  PressKey(media::KEY_SPACE);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 60);
}

TEST_F(Chooser, MarginsCountAsTheFirstRowAndColumn) {
  MoveMouseNow(5, 20);
  ClickNow(1);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 0);
  MoveMouseNow(5, 20);
  ClickNow(1);
  ChooseTutorial();
  EXPECT_EQ(TutNo, 1);
}

TEST_F(Chooser, EleventhColumnChoosesTheNextRowsFirstStageWithoutHighlight) {
  EXPECT_EQ(ChooserIndex(770, 60), 10);
  EXPECT_EQ(ChooserIndex(799, 130), 20);
  MoveMouseNow(770, 130);
  ClickNow(1);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 20);
  // No button is highlighted anywhere.
  const media::Pixel* shown = media::ShownPixels();
  int highlighted = 0;
  for (int i = 0; i < 800 * 600; i++) highlighted += shown[i] == stagetest::kHighlight;
  EXPECT_EQ(highlighted, 0);
  MoveMouseNow(770, 60);
  ClickNow(1);
  ChooseTutorial();
  EXPECT_EQ(TutNo, 11);
}

TEST_F(Chooser, BelowTheLastRowChoosesNothing) {
  Game->Stage = 7;
  MoveMouseNow(100, 565);
  ClickNow(1);
  EscapeAfter(3);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 7);
  EXPECT_EQ(MainMenu, 1);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(media::headless::FrameCount(), 5);  // Escape read in the fifth frame
}

TEST_F(Chooser, TutorialSecondRowRightOfElevenChoosesNothingAndShowsNoLine) {
  TutNo = 0;
  MoveMouseNow(100, 130);
  ClickNow(1);
  EscapeAfter(1);
  ChooseTutorial();
  EXPECT_EQ(TutNo, 0);
  EXPECT_EQ(MainMenu, 1);
  // The title line (imgFont is yellow) is not drawn at y 350.
  const media::Pixel* shown = media::ShownPixels();
  int yellow = 0;
  for (int x = 0; x < 800; x++) yellow += shown[355 * 800 + x] == 0xFFFFFF00;
  EXPECT_EQ(yellow, 0);
}

TEST_F(Chooser, TutorialLineOfTheButtonUnderThePointer) {
  MoveMouseNow(250, 60);  // tutorial 4
  EscapeAfter(0);
  ChooseTutorial();
  const media::Pixel* shown = media::ShownPixels();
  int yellow = 0;
  for (int x = 0; x < 800; x++) yellow += shown[355 * 800 + x] == 0xFFFFFF00;
  EXPECT_EQ(yellow, 6 * 8);  // "Line 4": six glyphs of 8 pixels
}

TEST_F(Chooser, RightFiveTimesMovesOverTheSixthButton) {
  MoveMouseNow(40, 60);
  OnFrames([](int f) {
    if (f < 5) PressKey(media::KEY_RIGHT);
    if (f == 5) ClickNow(1);
  });
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 5);
  EXPECT_EQ(media::MouseX(), 40 + 5 * 75);
  EXPECT_EQ(media::MouseY(), 60);
}

TEST_F(Chooser, ArrowsUpAndDownMoveByARow) {
  MoveMouseNow(40, 60);
  OnFrames([](int f) {
    if (f < 3) PressKey(media::KEY_DOWN);
    if (f == 3) PressKey(media::KEY_UP);
    if (f == 4) ClickNow(1);
  });
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 20);
}

TEST_F(Chooser, EscapeInTheSameFrameAsAChoiceSetsBoth) {
  MoveMouseNow(700, 200);
  ClickNow(1);
  PressKey(media::KEY_ESCAPE);
  ChooseLevel();
  EXPECT_EQ(Game->Stage, 29);
  EXPECT_EQ(MainMenu, 1);
}

TEST_F(Chooser, QuitAlreadySetReturnsAtOnce) {
  quit = 1;
  ChooseLevel();
  EXPECT_EQ(quit, 0);
  quit = 1;
  ChooseTutorial();
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(media::headless::FrameCount(), 0);
}

TEST_F(Chooser, FinishedStagesAreMarkedAndKeepTheirMarkUnderThePointer) {
  Played[3] = 3;
  MoveMouseNow(10 + 3 * 75 + 40, 40 + 40);  // over stage 4
  EscapeAfter(0);
  ChooseLevel();
  EXPECT_EQ(ButtonPixel(10 + 2 * 75, 40), stagetest::kFinished);   // stage 3
  EXPECT_EQ(ButtonPixel(10 + 3 * 75, 40), stagetest::kHighlight);  // stage 4, under the pointer
  EXPECT_EQ(ButtonPixel(10 + 4 * 75, 40), stagetest::kNormal);
  EXPECT_EQ(ButtonPixel(10 + 9 * 75, 40 + 6 * 75), stagetest::kNormal);  // stage 70

  MoveMouseNow(10 + 2 * 75 + 40, 40 + 40);  // over the finished stage 3
  EscapeAfter(0);
  ChooseLevel();
  EXPECT_EQ(ButtonPixel(10 + 2 * 75, 40), stagetest::kFinished);
}

}  // namespace

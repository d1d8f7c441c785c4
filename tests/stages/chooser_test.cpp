// The level and tutorial choosers driven by pointer, arrows and keys: which button a position
// chooses, the edges of the grid, and the marks of finished stages.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "front/choosers.h"
#include "media/headless.h"
#include "media/input.h"
#include "world.h"

using media::headless::PressKey;

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
  // Moves the pointer, presses `keys` one a frame, then Escape: the chooser's result.
  static int Choose(bool tutorial, int mx, int my, std::vector<int> keys) {
    Game->Stage = -1, TutNo = -1, MainMenu = 0;
    media::headless::MoveMouseNow(mx, my);
    keys.push_back(media::KEY_ESCAPE);
    int next = 0;
    stagetest::OnFrames([&](int) {
      if (quit == 0 && next < static_cast<int>(keys.size())) {
        const int key = keys[next++];
        key == 0 ? media::headless::ClickNow(1) : PressKey(key);
      }
    });
    tutorial ? ChooseTutorial() : ChooseLevel();
    media::headless::OnFlip(nullptr);
    return tutorial ? TutNo : Game->Stage;
  }
  stagetest::World world_;
};

TEST_F(Chooser, PositionsAndKeysChooseAButtonOrNothing) {
  using media::KEY_DOWN, media::KEY_ENTER, media::KEY_RIGHT, media::KEY_SPACE, media::KEY_UP;
  const struct {
    bool tutorial;
    int mx, my;
    std::vector<int> keys;  // 0 a click
    int chosen;             // Game.Stage (the stage less 1) or TutNo; -1 nothing
  } cases[] = {
      {false, 700, 200, {0}, 29},
      {false, 100, 130, {KEY_ENTER}, 11},
      {false, 40, 500, {KEY_SPACE}, 60},
      {false, 5, 20, {0}, 0},      // the margins count as button 1
      {false, 770, 130, {0}, 20},  // the eleventh column: the next row's first
      {false, 700, 515, {0}, 69},
      {false, 770, 515, {0}, -1},  // index 70: nothing
      {false, 100, 565, {0}, -1},  // below the last row
      {false, 40, 60, {KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, 0}, 5},
      {false, 40, 60, {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, 0}, 20},
      {true, 5, 20, {0}, 1},
      {true, 250, 60, {KEY_ENTER}, 4},
      {true, 770, 60, {0}, 11},
      {true, 40, 130, {0}, 11},
      {true, 100, 130, {0}, -1},  // index 11: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.mx) + "," + std::to_string(c.my));
    EXPECT_EQ(Choose(c.tutorial, c.mx, c.my, c.keys), c.chosen);
    EXPECT_EQ(MainMenu, c.chosen < 0 ? 1 : 0);
    EXPECT_EQ(quit, 0);
  }
}

TEST_F(Chooser, FinishedStagesAreMarkedAndTheButtonUnderThePointerLit) {
  Played[3] = 3;
  for (int over : {3, 2}) {  // stage 4, then the finished stage 3
    Choose(false, 10 + over * 75 + 40, 80, {});
    EXPECT_EQ(stagetest::Shown(10 + 2 * 75 + 21, 45), stagetest::kFinished);
    EXPECT_EQ(stagetest::Shown(10 + 3 * 75 + 21, 45),
              over == 3 ? stagetest::kHighlight : stagetest::kNormal);
    EXPECT_EQ(stagetest::Shown(10 + 9 * 75 + 21, 40 + 6 * 75 + 5), stagetest::kNormal);
  }
  // The tutorial line of the button under the pointer: "Line 4", six glyphs.
  Choose(true, 250, 60, {});
  int yellow = 0;
  for (int x = 0; x < 800; x++) yellow += stagetest::Shown(x, 355) == stagetest::kYellow;
  EXPECT_EQ(yellow, 6 * 8);
  // A choice and Escape in the same frame set both; a chooser asked with quit set returns.
  media::headless::MoveMouseNow(700, 200);
  media::headless::ClickNow(1);
  PressKey(media::KEY_ESCAPE);
  ChooseLevel();
  EXPECT_EQ(Game->Stage * 10 + MainMenu, 291);
  const int frames = media::headless::FrameCount();
  quit = 1;
  ChooseTutorial();
  EXPECT_EQ(quit, 0);
  quit = 1;
  ChooseLevel();
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(media::headless::FrameCount(), frames);
}

}  // namespace

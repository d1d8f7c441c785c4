// Where the stage title and the choosers put their texts, buttons and pointer, to the pixel.
// The test pictures are plain: every menu-font glyph is a filled 16 x 16 square (optAlpha
// white, optAlpha2 grey), every proportional glyph an 8 x 16 yellow block advancing 8, so a
// text shows as one run of its colour whose ends are the first and last glyph's edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "core/globals.h"
#include "core/objects.h"
#include "front/choosers.h"
#include "front/flow.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "screens.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "world.h"

using media::headless::FrameCount;
using media::headless::MoveMouseNow;
using media::headless::PressKey;
using stagefile::Encode;
using stagetest::OnFrames;
using stagetest::World;

namespace {

constexpr media::Pixel kGrey = 0xFF808080;    // optAlpha2
constexpr media::Pixel kYellow = 0xFFFFFF00;  // imgFont
constexpr media::Pixel kCyan = 0xFF00FFFF;    // ItemSprite (the pointer)
constexpr media::Pixel kBack = 0xFF101010;    // Back

media::Pixel Shown(int x, int y) {
  return media::ShownPixels()[y * 800 + x];
}

// The first and last screen column of row y that shows `colour`, or {-1, -1}.
std::pair<int, int> RowRun(int y, media::Pixel colour) {
  int first = -1, last = -1;
  for (int x = 0; x < 800; x++)
    if (Shown(x, y) == colour) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

// The first and last screen row of column x that shows `colour`, or {-1, -1}.
std::pair<int, int> Column(int x, media::Pixel colour) {
  int first = -1, last = -1;
  for (int y = 0; y < 600; y++)
    if (Shown(x, y) == colour) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

// A centred menu-font text of n glyphs: drawing x (46 - n) * 8 + 16 for the first glyph,
// 16 pixels a glyph; the screen adds the origin's 16.
std::pair<int, int> Centred(int n) {
  int first = (46 - n) * 8 + 16 + 16;
  return {first, first + 16 * n - 1};
}

class StageTitle : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    stagetest::MakeScreenPictures();
    Lang[42] = "Tutorial ";
    Lang[43] = "Stage ";
    Lang[44] = "Go";
    Lang[58] = "Bad stage file";
    Lang[59] = "No stage file";
    for (int n = 1; n <= 11; n++) Tut[n] = "Line " + std::to_string(n);
    Game->State = 27;
    world_.WriteBytes("Levels/LEVEL 5", Encode(stagetest::SmallStage()));
    world_.WriteBytes("Levels/Tut4", Encode(stagetest::OtherStage()));
    world_.WriteBytes("PlayerLevels/mine", Encode(stagetest::OtherStage()));
    // Enter after the first title frame, so the shown picture is that frame.
    OnFrames([](int f) {
      if (f == 0) PressKey(media::KEY_ENTER);
    });
  }
  World world_;
};

TEST_F(StageTitle, BuiltInStageHeadingOrnamentAndPrompt) {
  Game->Stage = 4;
  GoNextStage();
  ASSERT_EQ(FrameCount(), 1);
  EXPECT_EQ(RowRun(250, kGrey), Centred(7));  // "STAGE 5" in optAlpha2 at y 250
  EXPECT_EQ(RowRun(265, kGrey), Centred(7));
  EXPECT_EQ(Column(Centred(7).first, kGrey), std::make_pair(250, 285));  // heading, then "&"
  EXPECT_EQ(RowRun(270, kGrey), Centred(10));                            // ten "&" at y 270
  EXPECT_EQ(RowRun(285, kGrey), Centred(10));
  EXPECT_EQ(RowRun(580, stagetest::kWhite), Centred(2));  // "GO" in optAlpha at y 580
  EXPECT_EQ(Column(Centred(2).first, stagetest::kWhite), std::make_pair(580, 595));
  EXPECT_EQ(RowRun(350, kYellow).first, -1);  // no tutorial line
}

TEST_F(StageTitle, TutorialHeadingAndLine) {
  User = 1, Tutorial = 1, TutNo = 3;
  GoNextStage();
  ASSERT_EQ(TutNo, 4);
  EXPECT_EQ(RowRun(250, kGrey), Centred(10));  // "TUTORIAL 4"
  EXPECT_EQ(RowRun(275, kGrey).first, -1);     // no ornament
  // "Line 4" at drawing x 432 - w / 2 (w the media layer's TextWidth), y 350.
  int first = 432 - media::TextWidth("Line 4") / 2 + 16;
  EXPECT_EQ(RowRun(350, kYellow), std::make_pair(first, first + 6 * 8 - 1));
  EXPECT_EQ(Column(first, kYellow), std::make_pair(350, 365));
  EXPECT_EQ(RowRun(580, stagetest::kWhite), Centred(2));
}

TEST_F(StageTitle, PlayerStageHeadingIsUpperCased) {
  User = 1, Tutorial = 0;
  UserStage = "mine";
  GoNextStage();
  EXPECT_EQ(SN, "mine");
  EXPECT_EQ(ReplayName, "MINE");
  EXPECT_EQ(RowRun(250, kGrey), Centred(10));  // "STAGE MINE"
  EXPECT_EQ(RowRun(275, kGrey).first, -1);
  EXPECT_EQ(RowRun(350, kYellow).first, -1);
}

TEST_F(StageTitle, FaultLineCentredUnderTheTitle) {
  Game->Stage = 8;  // "LEVEL 9" is missing
  testing::internal::CaptureStderr();
  GoNextStage();
  testing::internal::GetCapturedStderr();
  int w = 8 * static_cast<int>(Lang[59].size());
  EXPECT_EQ(RowRun(420, kYellow), std::make_pair(400 - w / 2, 400 - w / 2 + w - 1));
  EXPECT_EQ(Column(400, kYellow), std::make_pair(420, 435));
  // Under a tutorial's line it is placed as that line is (by the media layer's width).
  User = 1, Tutorial = 1, TutNo = 6;  // "Tut7" is missing
  Game->State = 27;
  media::Cls();  // the old picture scrolling away would still show the first line
  const int shown = FrameCount();
  OnFrames([shown](int f) {
    if (f == shown) PressKey(media::KEY_ENTER);
  });
  testing::internal::CaptureStderr();
  GoNextStage();
  testing::internal::GetCapturedStderr();
  const int first = 432 - media::TextWidth(Lang[59]) / 2 + 16;
  EXPECT_EQ(RowRun(420, kYellow), std::make_pair(first, first + w - 1));
}

class ChooserLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    stagetest::MakeScreenPictures();
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    Lang[131] = "Tutorials";
    Lang[132] = "Choose";
    for (int n = 1; n <= 11; n++) Tut[n] = "Line " + std::to_string(n);
    PressKey(media::KEY_ESCAPE);  // one frame, then back
  }
  World world_;
};

// A button's number: white (or grey when highlighted) 16-pixel glyphs from screen x `first`,
// rows by + 51 to by + 66, with the button's own colour just left and right of it.
void ExpectNumber(int bx, int by, int digits, int offset, media::Pixel glyph, media::Pixel button) {
  int first = bx + offset + 16, y = by + 51;
  SCOPED_TRACE("button at " + std::to_string(bx) + ", " + std::to_string(by));
  EXPECT_EQ(Shown(first - 1, y + 5), button);
  EXPECT_EQ(Shown(first, y + 5), glyph);
  EXPECT_EQ(Shown(first + 16 * digits - 1, y + 5), glyph);
  EXPECT_EQ(Shown(first + 16 * digits, y + 5), button);
  EXPECT_EQ(Shown(first + 2, y - 1), button);
  EXPECT_EQ(Shown(first + 2, y), glyph);
  EXPECT_EQ(Shown(first + 2, y + 15), glyph);
  EXPECT_EQ(Shown(first + 2, y + 16), button);
}

TEST_F(ChooserLayout, LevelChooserButtonsNumbersPromptAndPointer) {
  Played[12] = 12;
  MoveMouseNow(100, 130);  // over stage 12 (button 85, 115), which is finished
  ChooseLevel();
  ASSERT_EQ(FrameCount(), 1);
  // Buttons at (10 + 75c, 40 + 75r) in drawing coordinates: stage 1's left edge at screen 26.
  EXPECT_EQ(Shown(25, 45), kBack);
  EXPECT_EQ(Shown(26, 40), stagetest::kNormal);
  EXPECT_EQ(Shown(26, 39), kBack);
  EXPECT_EQ(Shown(16 + 10 + 9 * 75 + 74, 40 + 6 * 75 + 74), stagetest::kNormal);  // stage 70
  ExpectNumber(10, 40, 1, 31, stagetest::kWhite, stagetest::kNormal);             // 1
  ExpectNumber(10 + 8 * 75, 40, 1, 31, stagetest::kWhite, stagetest::kNormal);    // 9
  ExpectNumber(10 + 9 * 75, 40, 2, 23, stagetest::kWhite, stagetest::kNormal);    // 10
  ExpectNumber(10 + 9 * 75, 40 + 6 * 75, 2, 23, stagetest::kWhite, stagetest::kNormal);
  // The finished stage under the pointer keeps its mark; its number is drawn again in grey.
  ExpectNumber(85, 115, 2, 23, kGrey, stagetest::kFinished);
  // The prompt in optAlpha2, centred at y 580.
  EXPECT_EQ(RowRun(580, kGrey), Centred(6));
  // The pointer at (MouseX, MouseY) in drawing coordinates.
  EXPECT_EQ(Shown(116, 130), kCyan);
  EXPECT_EQ(Shown(119, 133), kCyan);
  EXPECT_NE(Shown(115, 130), kCyan);
  EXPECT_NE(Shown(116, 129), kCyan);
}

TEST_F(ChooserLayout, LevelChooserHighlightsAnUnfinishedButton) {
  MoveMouseNow(700, 554);  // the last row's lowest highlighted line: stage 70
  ChooseLevel();
  int bx = 10 + 9 * 75, by = 40 + 6 * 75;
  EXPECT_EQ(Shown(bx + 16, by + 2), stagetest::kHighlight);
  EXPECT_EQ(Shown(bx + 16 + 74, by + 74), stagetest::kHighlight);
  ExpectNumber(bx, by, 2, 23, kGrey, stagetest::kHighlight);
  // One line lower the pointer still counts as stage 70, but nothing is highlighted.
  PressKey(media::KEY_ESCAPE);
  MoveMouseNow(700, 555);
  ChooseLevel();
  EXPECT_EQ(Shown(bx + 16, by + 2), stagetest::kNormal);
  ExpectNumber(bx, by, 2, 23, stagetest::kWhite, stagetest::kNormal);
}

TEST_F(ChooserLayout, TutorialChooserButtonsHeadingLineAndPrompt) {
  MoveMouseNow(30, 130);  // over tutorial 11 (button 10, 115)
  ChooseTutorial();
  ASSERT_EQ(FrameCount(), 1);
  ExpectNumber(10, 40, 1, 31, stagetest::kWhite, stagetest::kNormal);           // 1
  ExpectNumber(10 + 9 * 75, 40, 2, 21, stagetest::kWhite, stagetest::kNormal);  // 10
  ExpectNumber(10, 115, 2, 21, kGrey, stagetest::kHighlight);                   // 11
  // Nothing right of tutorial 11 on the second row.
  EXPECT_NE(Shown(16 + 85 + 10, 120), stagetest::kNormal);
  // The heading in optAlpha at y 155, the prompt in optAlpha2 at y 580.
  EXPECT_EQ(RowRun(160, stagetest::kWhite), Centred(9));
  EXPECT_EQ(Column(Centred(9).first, stagetest::kWhite), std::make_pair(155, 170));
  EXPECT_EQ(RowRun(580, kGrey), Centred(6));
  // The line of tutorial 11 at drawing x 440 - w / 2, y 350.
  int first = 440 - media::TextWidth("Line 11") / 2 + 16;
  EXPECT_EQ(RowRun(350, kYellow), std::make_pair(first, first + 7 * 8 - 1));
  EXPECT_EQ(Column(first, kYellow), std::make_pair(350, 365));
}

}  // namespace

namespace {

// The virtual clock: a 60 Hz Flip waits for the rest of its 16 or 17 ms, Delay(DelayTime)
// adds its milliseconds.
class LoopWaits : public ChooserLayout {
 protected:
  void SetUp() override {
    ChooserLayout::SetUp();
    DelayTime = 1000;
    start_ = media::headless::VirtualMillis();
  }
  std::int64_t Elapsed() const { return media::headless::VirtualMillis() - start_; }
  std::int64_t start_ = 0;
};

TEST_F(LoopWaits, LevelChooserWaitsAfterEachFrame) {
  ChooseLevel();
  ASSERT_EQ(FrameCount(), 1);
  EXPECT_GE(Elapsed(), 1000 + 16);
  EXPECT_LE(Elapsed(), 1000 + 17);
}

TEST_F(LoopWaits, TutorialChooserDoesNotWait) {
  ChooseTutorial();
  ASSERT_EQ(FrameCount(), 1);
  EXPECT_LE(Elapsed(), 17);
}

TEST_F(LoopWaits, StageTitleWaitsUnlessEnterOrAClickEndsTheFrame) {
  Lang[43] = "Stage ";
  world_.WriteBytes("Levels/LEVEL 5", Encode(stagetest::SmallStage()));
  media::FlushKeys();  // the Escape of the chooser set-up
  Game->Stage = 4;
  OnFrames([](int f) {
    if (f == 2) PressKey(media::KEY_ENTER);
  });
  GoNextStage();
  ASSERT_EQ(FrameCount(), 3);
  // Two waits (the third frame ends with Enter); a Flip after a long wait waits no more.
  EXPECT_GE(Elapsed(), 2 * 1000);
  EXPECT_LE(Elapsed(), 2 * 1000 + 3 * 17);
}

}  // namespace

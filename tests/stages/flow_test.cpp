// The level and tutorial choosers driven by pointer, arrows and keys (which button a position
// chooses, the edges of the grid, the marks of finished stages), and the step from one stage to
// the next: the stage title until a press, the stage file and its replay, the song, and the
// ends of the stage and tutorial lists.
#include "front/flow.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "front/choosers.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/stage_start.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "world.h"

using media::headless::FrameCount;
using media::headless::PressKey;
using stagefile::Encode;

namespace {

class Flow : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    stagetest::MakeScreenPictures();
    Lang[42] = "Tutorial ", Lang[43] = "Stage ", Lang[44] = "Go";
    Lang[58] = "Bad stage file", Lang[59] = "No stage file";
    Game->State = 27;
    for (int n = 1; n <= 70; n++) {
      stagefile::Data s = stagetest::SmallStage();
      s.doorFrame = n;  // tells the stages apart
      world_.WriteBytes("Levels/LEVEL " + std::to_string(n), Encode(s));
    }
    stagefile::Data tut = stagetest::SmallStage();
    tut.doorFrame = 90;
    for (int n = 1; n <= 11; n++) world_.WriteBytes("Levels/Tut" + std::to_string(n), Encode(tut));
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    Lang[131] = "Tutorials", Lang[132] = "Choose";
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
  // GoNextStage with Enter after `frames` frames of the title; the frames shown.
  static int Next(int frames = 0) {
    const int at = FrameCount() + frames, before = FrameCount();
    stagetest::OnFrames([at](int f) {
      if (f == at) PressKey(media::KEY_ENTER);
    });
    GoNextStage();
    return FrameCount() - before;
  }
  static int YellowInRow(int y) {
    int n = 0;
    for (int x = 0; x < 800; x++) n += stagetest::Shown(x, y) == stagetest::kYellow;
    return n;
  }
  stagetest::World world_;
};

TEST_F(Flow, PositionsAndKeysChooseAButtonOrNothing) {
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

TEST_F(Flow, FinishedStagesAreMarkedAndTheButtonUnderThePointerLit) {
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

TEST_F(Flow, ANewGameChoosesItsStageAndTheSongFollowsTheStageNumber) {
  Game->Stage = 0;
  media::headless::MoveMouseNow(700, 200);  // stage 30
  media::headless::ClickNow(1);
  EXPECT_EQ(Next(3), 1 + 3);  // one chooser frame, then the title until Enter
  EXPECT_EQ(std::vector<int>({Game->Stage, NumOfGold, Game->State, SongNumber}),
            std::vector<int>({30, 30, 26, 30}));
  EXPECT_EQ(SN, "LEVEL 30");
  EXPECT_EQ(ReplayName, "Stage 30");
  EXPECT_EQ(Sng, "");  // above 25 the song before goes on
  for (int stage : {24, 25, 26}) {
    Sng = "";
    Game->Stage = stage - 1;
    EXPECT_EQ(Next(), 1);  // a restart skips the chooser
    EXPECT_EQ(Sng, stage <= 25 ? "Song1.ogg" : "") << stage;
  }
}

TEST_F(Flow, APressPendingFromPlayEndsTheTitleBeforeItsFirstFrame) {
  for (int key : {media::KEY_SPACE, media::KEY_ENTER, 0}) {
    Game->Stage = 4;
    key ? PressKey(key) : media::headless::ClickNow(1);
    const int before = FrameCount();
    GoNextStage();
    EXPECT_EQ(FrameCount(), before) << key;
    EXPECT_EQ(SN, "LEVEL 5");
  }
}

TEST_F(Flow, EscapeGoesBackToTheTitleMenu) {
  LoadStage("LEVEL 9");
  Game->Stage = 0;
  PressKey(media::KEY_ESCAPE);  // in the level chooser: nothing loaded
  GoNextStage();
  EXPECT_EQ(std::vector<int>({Game->State, MainMenu, Game->Stage, NumOfGold}),
            std::vector<int>({31, 0, 0, 9}));
  User = 1, Tutorial = 1, TutNo = 0;
  PressKey(media::KEY_ESCAPE);  // in the tutorial chooser: one frame, no title
  EXPECT_EQ(Next(), 1);
  EXPECT_EQ(std::vector<int>({Game->State, TutNo, NumOfGold}), std::vector<int>({31, 1, 9}));
  User = Tutorial = 0, Game->Stage = 4;
  media::FlushKeys();
  const int at = FrameCount() + 2;
  stagetest::OnFrames([at](int f) {
    if (f == at) PressKey(media::KEY_ESCAPE);  // on the title: loaded all the same
  });
  GoNextStage();
  EXPECT_EQ(std::vector<int>({Game->State, Game->Stage, NumOfGold}), std::vector<int>({31, 5, 5}));
}

TEST_F(Flow, TutorialsCountOnAndPlayTheirReplays) {
  User = 1, Tutorial = 1, TutNo = 0;
  media::headless::MoveMouseNow(250, 60);  // tutorial 4
  media::headless::ClickNow(1);
  Next(1);
  EXPECT_EQ(TutNo, 4);
  EXPECT_EQ(SN + " " + ReplayName + " " + Sng, "Tut4 TUT4 Song1.ogg");
  EXPECT_EQ(DemoMode, 0);  // no replay file: played by the player
  world_.WriteBytes("Levels/TUT5.SOL", {1, 0, 0, 0, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0});
  Next();
  EXPECT_EQ(SN, "Tut5");
  EXPECT_EQ(std::vector<int>({DemoMode, TotalActionCount, Demo[0][0], Demo[1][0]}),
            std::vector<int>({1, 1, 2, 4}));
  // A built-in stage's replay is named with the language's word; no chooser in replay mode.
  User = Tutorial = 0, DemoMode = 1, Game->Stage = 0;
  world_.WriteBytes("Levels/Stage 1.SOL", {1, 0, 0, 0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0});
  Next();
  EXPECT_EQ(std::vector<int>({Game->Stage, DemoMode, Demo[0][0]}), std::vector<int>({1, 1, 7}));
  // A player-made stage from PlayerLevels/, its replay named in capitals.
  world_.WriteBytes("PlayerLevels/mine", Encode(stagetest::SmallStage()));
  User = 1, UserStage = "mine";
  Next();
  EXPECT_EQ(SN + " " + ReplayName, "mine MINE");
}

TEST_F(Flow, NoStageAfterTheLastAndNoTutorialAfterTheEleventh) {
  Game->Stage = 69;
  Next();
  EXPECT_EQ(SN, "LEVEL 70");
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(Next(), 0);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(SN, "LEVEL 70");
  User = 1, Tutorial = 1, TutNo = 10, DemoMode = 1;
  Next();
  EXPECT_EQ(SN, "Tut11");
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(Next(), 0);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(DemoMode, 0);
}

// The title tells what is wrong with the next stage file in a language line at y 420, centred
// at x 400, or under a tutorial's line placed as that line is; the stage before stays loaded.
TEST_F(Flow, AMissingOrBadStageFileIsToldOnTheTitle) {
  LoadStage("LEVEL 3");
  std::filesystem::remove(world_.root() / "Levels/LEVEL 8");
  std::filesystem::remove(world_.root() / "Levels/Tut7");
  std::vector<unsigned char> half = Encode(stagetest::SmallStage());
  half.resize(half.size() / 2);
  world_.WriteBytes("Levels/LEVEL 9", half);
  const int missing = 8 * 13, bad = 8 * 14;  // "No stage file", "Bad stage file"
  const struct {
    int tutorial, line, first, yellow, gold;
  } titles[] = {{0, 59, 400 - missing / 2, missing, 3},                            // stage 8
                {0, 58, 400 - bad / 2, bad, 3},                                    // stage 9
                {0, -1, -1, 0, 10},                                                // stage 10
                {1, 59, 432 - media::TextWidth(Lang[59]) / 2 + 16, missing, 10}};  // tutorial 7
  Game->Stage = 7;
  for (const auto& t : titles) {
    User = Tutorial = t.tutorial, TutNo = 6;
    media::Cls();  // the old picture the title scrolls away
    testing::internal::CaptureStderr();
    Next();
    const std::string err = testing::internal::GetCapturedStderr();
    int first = -1;
    for (int x = 799; x >= 0; x--)
      first = stagetest::Shown(x, 425) == stagetest::kYellow ? x : first;
    EXPECT_EQ(first, t.first) << t.line;
    EXPECT_EQ(YellowInRow(425), t.yellow) << t.line;
    EXPECT_EQ(StageFaultLine(LastStageCheck), t.line);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), t.line < 0 ? 0 : 1);
    EXPECT_EQ(NumOfGold, t.gold);
    EXPECT_EQ(Game->State, 26);
  }
}

TEST_F(Flow, ThePromptBlinksAndTheLastEffectStopsBeforeTheStage) {
  Game->Stage = 4;
  std::vector<int> hidden;
  const int start = FrameCount();
  stagetest::OnFrames([start, &hidden](int f) {
    const int pass = f - start + 1;
    if (stagetest::Shown(390, 588) != stagetest::kWhite) hidden.push_back(pass);
    if (pass == 1001) PressKey(media::KEY_ENTER);
  });
  std::size_t size = 0;
  const unsigned char* data = media::BuiltinBlob("Sfx/Gold.ogg", &size);
  ASSERT_NE(data, nullptr);
  media::RegisterEmbedded("Sfx/Gold.ogg", data, size);
  Sfx = media::PlaySound(media::LoadSound("incbin::Sfx/Gold.ogg", media::SOUND_LOOP));
  GoNextStage();
  ASSERT_EQ(hidden.size(), 25u);
  EXPECT_EQ(hidden.front(), 975);
  EXPECT_EQ(media::ChannelPlaying(Sfx), 0);
  Sfx = nullptr;
}

TEST_F(Flow, ResetAllClearsThePerStageCountersAndKeepsTheRest) {
  auto e = New<bbEnemies>();
  auto t = New<bbTraps>();
  auto w = New<bbWeapons>();
  Player->Direction = 0, Player->Score = 900, Player->Lives = 3;
  int* const fields[] = {
      &e->CoffineCounter, &e->HaltingCounter, &e->Fallcounter, &e->JumpCounter, &e->MovingCounter,
      &e->FrameRate, &e->LifeSpan, &t->Framecounter, &t->timer, &t->NumOfPass, &w->Timer, &w->State,
      &w->SpiningCounter, &w->BoomCounter, &w->CollideCounter, &Player->FallCounter,
      &Player->DyingCounter, &Player->Action, &Player->State, &jcounter, &pausecounter,
      &FlashCounter, &ActionCount, &ActionNo, &ActionType, &LastActionType, &TotalActionCount,
      // kept:
      &e->State, &t->State, &w->x, &Player->Frame};
  for (int* f : fields) *f = 7;
  ResetAll();
  std::vector<int> after;
  for (int* f : fields) after.push_back(*f);
  std::vector<int> expected(27, 0);
  expected.insert(expected.end(), {7, 7, 7, 5});
  EXPECT_EQ(after, expected);
  EXPECT_EQ(std::vector<int>(
                {Player->Direction, Player->JumpFrame, Player->Score, Player->Lives, Game->State}),
            std::vector<int>({1, 124, 900, 3, 26}));
}

}  // namespace

// A live run recorded, written at the exit, loaded and played back.
#include <gtest/gtest.h>

#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;

using Trace = std::vector<std::vector<int>>;

class RulesReplay : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    User = 1;  // a player-made stage: its replay is written at the exit and read back
    ReplayName = "RUN";
  }

  // Room (0, 0): the upper floor (row 20) up to column 14, a lower floor (row 22) beyond, a
  // digging tool and a gold piece on the lower floor, a brick wall in column 22 and the exit
  // door behind it.
  void BuildStage() {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    MakeRoom(0, 0, false);
    for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, c < 15 ? 20 : 22, 1);
    SetRoomCell(0, 0, 22, 20, 2);
    SetRoomCell(0, 0, 22, 21, 2);
    auto tool = New<bbItems>();
    tool->X = 17, tool->Y = 20, tool->kind = 3, tool->frame = 24;
    auto gold = New<bbItems>();
    gold->X = 20, gold->Y = 20, gold->kind = 6, gold->frame = 48;
    Exitdoor->x = 24, Exitdoor->y = 18, Exitdoor->State = 1, Exitdoor->Frame = 1;
    Exitdoor->FrameRate = Exitdoor->FrameCounter = 0;
    Exitdoor->roomx = Exitdoor->roomy = 0;
    RoomX = RoomY = 0;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->FrameRate = 0;
    Player->FrameCounter = 0, Player->LastDirection = 1;
    Game->State = 26;
  }

  // The live run: walking right, a jump up from standing, a jump right while walking, a fall
  // from the ledge, the tool, the gold, a dig through the wall, the door.
  Trace PlayLive(bool standingSidewaysJump) {
    Trace trace;
    int tick = 0;
    Hold(KEY_RIGHT);
    while (Game->State == 26 && tick < 3000) {
      if (tick == 20) Release(KEY_RIGHT);
      if (tick == 25) Hit(KEY_SPACE);  // straight up
      if (!standingSidewaysJump) {
        if (tick == 70) Hold(KEY_RIGHT);
        if (tick == 80) Hit(KEY_SPACE);  // right, while walking
      } else if (tick == 70) {
        Hold(KEY_RIGHT);
        Hit(KEY_SPACE);  // right, from standing still
      }
      if (Player->State == 4 && Player->X + 47 >= 22 * 24 && Player->Action == 0)
        Hit(KEY_SPACE);  // the dig
      Pass();
      trace.push_back(PlayerState());
      ++tick;
    }
    Release(KEY_RIGHT);
    return trace;
  }

  Trace PlayBack() {
    Trace trace;
    int tick = 0;
    while (Game->State == 26 && tick < 3000) {
      Pass();
      trace.push_back(PlayerState());
      ++tick;
    }
    return trace;
  }
};

TEST_F(RulesReplay, APlayedBackRunFollowsTheLiveRunTickForTick) {
  BuildStage();
  const Trace live = PlayLive(false);
  ASSERT_EQ(Game->State, 27);
  ASSERT_EQ(live.back()[2], 26);  // ended in the exit door
  ASSERT_GT(ActionCount, 5);
  EXPECT_EQ(Player->Score, 600);  // the tool and the gold
  EXPECT_EQ(RoomCell(0, 0, 22, 21), 0);
  auto seen = [&live](int action) {
    for (const auto& s : live)
      if (s[2] == action) return true;
    return false;
  };
  EXPECT_TRUE(seen(13) && seen(14) && seen(9));

  BuildStage();
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  const Trace replay = PlayBack();
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(DemoMode, 0);
  ASSERT_EQ(replay.size(), live.size());
  for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t], live[t]) << "tick " << t;
  EXPECT_EQ(replay.back(), live.back());
}

// Its landing tick records nothing, so the run's 37 ticks are the jump's 36 and the landing.
TEST_F(RulesReplay, ASidewaysJumpFromStandingStillPlaysBackInStep) {
  BuildStage();
  const Trace live = PlayLive(true);
  ASSERT_EQ(Game->State, 27);
  BuildStage();
  DemoMode = 1;
  LoadReplay();
  // The jump's run: 36 ticks from standing still, its first tick recorded twice.
  bool jumpRun = false;
  for (int r = 0; r <= TotalActionCount; ++r)
    jumpRun = jumpRun || (Demo[0][r] == kActionJumpRight && Demo[1][r] == 37);
  EXPECT_TRUE(jumpRun);
  const Trace replay = PlayBack();
  EXPECT_EQ(Game->State, 27);
  for (std::size_t t = 0; t < replay.size() && t < live.size(); ++t)
    EXPECT_EQ(replay[t], live[t]) << "tick " << t;
  ASSERT_EQ(replay.size(), live.size());
}

// A straight jump from standing still is recorded twice in its first tick as a sideways one
// is: its run of 37 drives the 36 ticks of the jump and the landing, and the walk that follows
// the landing keeps all its steps.
TEST_F(RulesReplay, AStraightJumpFromStandingStillPlaysBackInStep) {
  BuildStage();
  Trace live;
  for (int t = 0; t < 120; ++t) {
    if (t == 5) Hit(KEY_SPACE);
    if (t == 6) Hold(KEY_RIGHT);  // held through the jump: the walk starts after the landing
    if (t == 60) Release(KEY_RIGHT);
    Pass();
    live.push_back(PlayerState());
  }
  ASSERT_EQ(live[5][2], 13);
  ASSERT_EQ(live[41][2], 0);   // landed
  ASSERT_EQ(live[42][0], 51);  // the first step after the landing
  ActionType = kActionExit;
  RecordAction();
  SaveReplay();
  BuildStage();
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  bool jumpRun = false;
  for (int r = 0; r <= TotalActionCount; ++r)
    jumpRun = jumpRun || (Demo[0][r] == kActionJumpUp && Demo[1][r] == 37);
  EXPECT_TRUE(jumpRun);
  Trace replay;
  for (int t = 0; t < 121; ++t) {
    Pass();
    replay.push_back(PlayerState());
  }
  for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t], live[t]) << "tick " << t;
}

// A straight jump in the tick after a throw records nothing of its own: the throw's run of 8
// goes on through the jump, and in playback its code is first the throw, then the jump.
TEST_F(RulesReplay, AStraightJumpRightAfterAThrowCarriesOnTheThrowsRun) {
  BuildStage();
  Player->State = 1;
  Trace live;
  for (int t = 0; t < 100; ++t) {
    if (t == 5 || t == 6) Hit(KEY_SPACE);
    Pass();
    live.push_back(PlayerState());
    if (t == 6) {
      EXPECT_EQ(LastActionType, kActionThrow);
      EXPECT_EQ(ActionNo, 2);  // the throw, then the jump's first tick twice
    }
  }
  ASSERT_EQ(live[5][3], 0);  // thrown
  ASSERT_EQ(live[6][2], 13);
  // The knife is in flight, stuck or lying as an item again.
  const int objects = Weapons_list.Count() + Items_list.Count();
  ActionType = kActionExit;
  RecordAction();
  SaveReplay();
  BuildStage();
  for (auto w : Weapons_list.Each<bbWeapons>()) w->Remove();
  Player->State = 1;
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  Trace replay;
  for (int t = 0; t < 101; ++t) {
    Pass();
    replay.push_back(PlayerState());
  }
  for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t], live[t]) << "tick " << t;
  EXPECT_EQ(Weapons_list.Count() + Items_list.Count(), objects);
}

// A straight jump in the first tick after a sideways jump's landing: recorded as 5, so the
// playback does not take the sideways run's code as its fire press.
TEST_F(RulesReplay, AStraightJumpRightAfterASidewaysJumpStaysStraight) {
  BuildStage();
  Trace live;
  media::headless::KeyDownNow(KEY_RIGHT);
  Hit(KEY_SPACE);
  for (int t = 0; t < 200; ++t) {
    if (t == 1) Release(KEY_RIGHT);
    if (t == 37) Hit(KEY_SPACE);  // the tick after the landing
    Pass();
    live.push_back(PlayerState());
  }
  ASSERT_EQ(live[35][2], 14);  // the sideways jump's end
  ASSERT_EQ(live[36][2], 0);   // the landing
  ASSERT_EQ(live[37][2], 13);  // straight up
  EXPECT_EQ(RectJump, 2);
  ActionType = kActionExit;
  RecordAction();
  SaveReplay();
  BuildStage();
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  Trace replay;
  for (int t = 0; t < 201; ++t) {
    Pass();
    replay.push_back(PlayerState());
  }
  for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t], live[t]) << "tick " << t;
}

}  // namespace
}  // namespace playtest

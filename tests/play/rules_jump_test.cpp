// Jumps, the ledge step-up and falls.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/actions.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN;
using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;

class RulesJump : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
  // Runs passes while the jump lasts; returns their number and the highest point.
  int RunJump(int* topY) {
    int ticks = 0;
    *topY = Player->Y;
    while (Player->Action == 13 && ticks < 100) {
      Pass();
      *topY = std::min(*topY, Player->Y);
      ++ticks;
    }
    return ticks;
  }
};

TEST_F(RulesJump, StraightUpRisesFortyFivePixelsForThirtySixTicks) {
  PlaceAt(300);
  Hit(KEY_SPACE);
  Pass();  // the jump starts; its first frame takes no step (FrameRate was 0)
  ASSERT_EQ(Player->Action, 13);
  EXPECT_EQ(RectJump, 2);
  EXPECT_EQ(Player->Frame, 125);  // facing right
  int top = 0;
  const int ticks = 1 + RunJump(&top);
  EXPECT_EQ(ticks, 36);
  EXPECT_EQ(top, kStandY - 45);
  EXPECT_EQ(Player->X, 300);
  EXPECT_EQ(Player->Y, kStandY);
  EXPECT_EQ(Player->Action, 14);
  EXPECT_EQ(Player->Frame, 4);
  Pass();  // the fall lands at once
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(jcounter, 0);
}

TEST_F(RulesJump, SidewaysJumpGoesFiftyOnePixelsAndIsRecordedTwiceAtTheStart) {
  PlaceAt(300);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  ASSERT_EQ(Player->Action, 13);
  EXPECT_EQ(RectJump, 1);
  int top = 0;
  const int ticks = 1 + RunJump(&top);
  EXPECT_EQ(ticks, 36);
  EXPECT_EQ(top, kStandY - 45);
  EXPECT_EQ(Player->X, 351);
  EXPECT_EQ(Player->Y, kStandY);
  Passes(2);  // the landing records nothing; standing records 0 and closes the jump's run
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 0);
  EXPECT_EQ(Demo[0][1], 7);
  EXPECT_EQ(Demo[1][1], 36);  // 37 steps for 36 ticks
}

TEST_F(RulesJump, JumpLeftWhileWalkingStepsOnEverySecondTickFromTheFirst) {
  PlaceAt(300);
  Hold(KEY_LEFT);
  Pass();  // a step: FrameRate 1
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_LEFT);
  ASSERT_EQ(Player->Action, 13);
  EXPECT_EQ(RectJump, 0);
  EXPECT_EQ(Player->Frame, 124);
  int top = 0;
  const int ticks = 1 + RunJump(&top);
  EXPECT_EQ(ticks, 35);
  EXPECT_EQ(Player->X, 297 - 51);
  EXPECT_EQ(ActionCount, 2);
  EXPECT_EQ(LastActionType, 6);
}

// The press starts nothing: one step of no input, so playback spends the tick too.
TEST_F(RulesJump, RefusedUnderASolidCellAndRecordedAsNoInput) {
  SetRoomCell(0, 0, 14, 17, 2);  // above the head's right part (x 342)
  PlaceAt(300);
  Pass();
  const int runs = ActionCount, steps = ActionNo;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(ActionCount, runs);
  EXPECT_EQ(ActionNo, steps + 1);
}

TEST_F(RulesJump, BlockedSideRisesAndFallsInPlace) {
  for (int r = 14; r < kFloorRow; ++r) SetRoomCell(0, 0, 14, r, 1);  // x 336 to 359
  // Right edge 337: inside the wall's cell, as a walk leaves it.
  PlaceAt(290);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  int top = 0;
  RunJump(&top);
  EXPECT_EQ(top, kStandY - 45);
  EXPECT_EQ(Player->X, 290);
  EXPECT_EQ(Player->Y, kStandY);
}

TEST_F(RulesJump, FallingHalfStopsOnAHigherFloor) {
  for (int c = 7; c < 32; ++c) SetRoomCell(0, 0, c, kFloorRow - 1, 1);  // one row up from x 168
  PlaceAt(100);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  int top = 0;
  const int ticks = 1 + RunJump(&top);
  EXPECT_EQ(ticks, 36);  // the jump keeps its 18 steps
  EXPECT_EQ(Player->Y, kStandY - 24);
  EXPECT_EQ(Player->X, 151);
  Pass();
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Y, kStandY - 24);
}

TEST_F(RulesJump, LedgeStepUpEndsTheJumpOnTopOfTheWall) {
  for (int r = 18; r < kFloorRow; ++r) SetRoomCell(0, 0, 7, r, 1);  // two cells high at x 168
  PlaceAt(120);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  int top = 0;
  const int ticks = 1 + RunJump(&top);
  EXPECT_LT(ticks, 36);  // cut short
  EXPECT_EQ(Player->Action, 14);
  EXPECT_EQ(Player->X, 132);  // 3, blocked, then 9 for the step-up
  EXPECT_EQ(Player->Y, 16 * 24);
  EXPECT_EQ(RectJump, 2);
  EXPECT_EQ(jcounter, 0);
  Pass();
  EXPECT_EQ(Player->Action, 0);  // landed on the wall's top
  EXPECT_EQ(Player->Y, 18 * 24 - 48);
}

TEST_F(RulesJump, AFlatJumpPlaysHitFloorOnlyAtTheLanding) {
  Audible(HitFloor, "HitFloor");
  PlaceAt(300);
  Hit(KEY_SPACE);
  Pass();
  int top = 0;
  RunJump(&top);
  EXPECT_EQ(Plays(), 0);  // the last step starts 12 pixels above the floor
  Pass();
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesJump, HitFloorAtTheJumpsEndAndAgainAtTheLanding) {
  Audible(HitFloor, "HitFloor");
  for (int c = 7; c < 32; ++c) SetRoomCell(0, 0, c, kFloorRow - 1, 1);
  PlaceAt(100);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  int top = 0;
  RunJump(&top);
  EXPECT_EQ(Plays(), 1);  // the feet already stand on the higher floor
  EXPECT_EQ(RectJump, 2);
  Pass();
  EXPECT_EQ(Plays(), 2);
}

TEST_F(RulesJump, LedgeStepUpPlaysNoHitFloorAtTheJumpsEnd) {
  Audible(HitFloor, "HitFloor");
  for (int r = 18; r < kFloorRow; ++r) SetRoomCell(0, 0, 7, r, 1);
  PlaceAt(120);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Pass();
  Release(KEY_RIGHT);
  int top = 0;
  RunJump(&top);
  EXPECT_EQ(Plays(), 0);
  Pass();
  EXPECT_EQ(Plays(), 1);  // the landing
}

class RulesFall : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0, false);
    for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 23, 1);
  }
  // A fall that lands in its n-th tick onto the floor of row 23.
  int FallOf(int n) {
    PlaceAt(300, 23 * 24 - 48 - 12 * (n - 1));
    Player->Action = 14;
    int ticks = 0;
    while (Player->Action == 14 && ticks < 100) {
      Pass();
      ++ticks;
    }
    return ticks;
  }
};

TEST_F(RulesFall, TwentyFiveTicksPlayTheLongFallSound) {
  Audible(sndFall, "Fall");
  EXPECT_EQ(FallOf(25), 25);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(Player->Y, 23 * 24 - 48);
  EXPECT_EQ(Player->FallCounter, 0);
}

TEST_F(RulesFall, TwentyFourTicksDoNot) {
  Audible(sndFall, "Fall");
  EXPECT_EQ(FallOf(24), 24);
  EXPECT_EQ(Plays(), 0);
}

TEST_F(RulesFall, TheLandingPlaysHitFloorAndRecordsNothing) {
  Audible(HitFloor, "HitFloor");
  EXPECT_EQ(FallOf(25), 25);
  EXPECT_EQ(Plays(), 1);
  // 24 falling ticks of code 11 (the fall was started directly, so nothing else recorded).
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(LastActionType, 11);
  EXPECT_EQ(ActionNo, 23);
}

TEST_F(RulesFall, FallingOutOfTheRoomEntersTheRoomBelow) {
  MakeRoom(0, 1);
  for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 23, 0);
  PlaceAt(300, 540);
  Player->Action = 14;
  Passes(4);  // 552, 564, 576: out, then into the room below at y 4 and on
  EXPECT_EQ(RoomY, 1);
  EXPECT_LT(Player->Y, 40);
  EXPECT_EQ(Player->Action, 14);
}

}  // namespace
}  // namespace playtest

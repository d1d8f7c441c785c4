// Fire: throws, fire replacing a walk, replay input, and the walking animation.
#include <gtest/gtest.h>

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

using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;

class RulesFire : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    MakeRoom(2, 1);
  }
  // A replay of one run of `code` for many ticks.
  static void PlayCode(int code) {
    DemoMode = 1;
    Demo[0][0] = code;
    Demo[1][0] = 1000;
    TotalActionCount = 1;
  }
};

TEST_F(RulesFire, ThrowMakesAWeaponInWorldPixelsAndEmptiesTheHands) {
  RoomX = 2;
  RoomY = 1;
  PlaceAt(300);
  Player->State = 2;
  Player->LastDirection = 1;
  Hit(KEY_SPACE);
  Pass();
  ASSERT_EQ(Weapons_list.Count(), 1);
  ASSERT_TRUE(Weapon);
  EXPECT_EQ(Weapon->kind, 1);
  EXPECT_EQ(Weapon->Frame, 59);
  EXPECT_EQ(Weapon->State, 1);
  EXPECT_EQ(Weapon->Direction, 1);
  EXPECT_EQ(Weapon->x, 2 * 768 + 300);
  EXPECT_EQ(Weapon->y, 576 + kStandY);
  EXPECT_EQ(Weapon->roomx, 2);
  EXPECT_EQ(Weapon->roomy, 1);
  EXPECT_EQ(Player->State, 0);
  EXPECT_EQ(Player->Frame, 4);
  EXPECT_EQ(LastActionType, kActionThrow);
}

TEST_F(RulesFire, AKnifeIsThrownInMidJumpButAToolDoesNothing) {
  PlaceAt(300);
  Hit(KEY_SPACE);
  Pass();
  ASSERT_EQ(Player->Action, 13);
  Player->State = 1;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Weapons_list.Count(), 1);
  EXPECT_EQ(Weapon->Frame, 56);
  EXPECT_EQ(Player->Action, 13);
  Player->State = 3;
  const int runs = ActionCount, steps = ActionNo;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->State, 3);
  EXPECT_EQ(Weapons_list.Count(), 1);
  // Only the jump's own frame was recorded.
  EXPECT_EQ(ActionCount, runs);
  EXPECT_EQ(ActionNo, steps + 1);
}

TEST_F(RulesFire, FireWhileWalkingLeftJumpsLeftInsteadOfTheStep) {
  PlaceAt(300);
  Hold(KEY_LEFT);
  Pass();
  EXPECT_EQ(Player->X, 297);
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(RectJump, 0);
  EXPECT_EQ(Player->Direction, 0);
  EXPECT_EQ(LastActionType, kActionJumpLeft);
  // No walking step; the jump took its first step at once (FrameRate was 1), which moves 0.
  EXPECT_EQ(Player->X, 297);
  EXPECT_EQ(jcounter, 1);
}

// The press starts nothing: one step of no input, so playback spends the tick too.
TEST_F(RulesFire, FireOnALadderWithEmptyHandsRecordsNoInput) {
  PlaceAt(300);
  Player->Action = 15;
  Pass();
  const int runs = ActionCount, steps = ActionNo;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(ActionCount, runs);
  EXPECT_EQ(ActionNo, steps + 1);
  EXPECT_EQ(LastActionType, kActionNone);
}

TEST_F(RulesFire, InAReplayTheKeysDoNotMoveThePlayer) {
  PlayCode(kActionNone);
  PlaceAt(300);
  Hold(KEY_RIGHT);
  Hit(KEY_SPACE);
  Passes(5);
  EXPECT_EQ(Player->X, 300);
  EXPECT_EQ(Player->Action, 0);
}

TEST_F(RulesFire, ReplayedCodesWalkAndJump) {
  PlayCode(kActionLeft);
  PlaceAt(300);
  Passes(4);
  EXPECT_EQ(Player->X, 288);
  EXPECT_EQ(ActionNo, 4);
  PlayCode(kActionJumpRight);
  ActionNo = 0;
  Pass();
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(RectJump, 1);
  EXPECT_EQ(Player->Direction, 1);
  EXPECT_EQ(Player->Frame, 125);
  PlayCode(kActionDigDown);  // a fire press with empty hands: straight up
  PlaceAt(300);
  Pass();
  EXPECT_EQ(RectJump, 2);
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(LastActionType, 0);  // nothing recorded
}

TEST_F(RulesFire, ReplayedThrowInAnyAction) {
  PlayCode(kActionThrow);
  PlaceAt(300);
  Player->Action = 14;
  Player->State = 1;
  UpdatePlayer();
  EXPECT_EQ(Weapons_list.Count(), 1);
  EXPECT_EQ(Player->State, 0);
}

TEST_F(RulesFire, TheWalkingPoseAdvancesEveryEightSteps) {
  PlaceAt(300);
  Player->FrameRate = 0;
  Player->FrameCounter = 0;
  Hold(KEY_RIGHT);
  Passes(7);
  EXPECT_EQ(Player->FrameCounter, 0);
  Pass();  // the 8th step: FrameRate 8, above 7
  EXPECT_EQ(Player->FrameCounter, 1);
  EXPECT_EQ(Player->FrameRate, 0);
}

TEST_F(RulesFire, StandingFacingRightShowsTheSecondFrame) {
  PlaceAt(300);
  Player->Direction = 1;
  Player->FrameCounter = 3;
  Pass();
  EXPECT_EQ(Player->FrameCounter, 1);
  Player->Direction = 0;
  Pass();
  EXPECT_EQ(Player->FrameCounter, 0);
}

TEST_F(RulesFire, AReplayedCodeAboveZeroAnimatesAsAWalk) {
  PlayCode(kActionUp);  // up on open ground moves nothing
  PlaceAt(300);
  Player->Direction = Player->LastDirection = 1;
  Player->FrameCounter = 2;
  Player->FrameRate = 8;
  Pass();
  EXPECT_EQ(Player->FrameCounter, 3);
  PlayCode(kActionNone);
  Pass();
  EXPECT_EQ(Player->FrameCounter, 1);
}

TEST_F(RulesFire, TheSpriteIsDrawnOverTheBodyAndHiddenInTheDoor) {
  media::Cls();
  PlaceAt(300);
  Player->Frame = 4;
  PlayerTail();
  bool drawn = false;
  for (int y = kStandY - 24; y < kStandY + 48 && !drawn; ++y)
    for (int x = 300; x < 348 && !drawn; ++x)
      drawn = (media::ReadScreenPixel(x, y) & 0xFFFFFF) != 0;
  EXPECT_TRUE(drawn);
  media::Cls();
  Player->Action = 26;
  PlayerTail();
  for (int y = kStandY - 24; y < kStandY + 48; ++y)
    for (int x = 300; x < 348; ++x) ASSERT_EQ(media::ReadScreenPixel(x, y) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace playtest

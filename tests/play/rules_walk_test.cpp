// Direction codes, walking, walls and ladders.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN;
using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_UP;

TEST(RulesInput, KeyCombinationsGiveTheirDirectionCodes) {
  EXPECT_EQ(KeyCode(0, 0, 0, 0), 0);
  EXPECT_EQ(KeyCode(1, 0, 0, 0), 1);
  EXPECT_EQ(KeyCode(0, 1, 0, 0), 2);
  EXPECT_EQ(KeyCode(0, 0, 1, 0), 3);
  EXPECT_EQ(KeyCode(0, 0, 0, 1), 4);
  EXPECT_EQ(KeyCode(1, 1, 0, 0), 3);  // left and right: down
  EXPECT_EQ(KeyCode(1, 0, 1, 0), 4);  // left and down: up
  EXPECT_EQ(KeyCode(1, 0, 0, 1), 5);  // left and up: nothing
  EXPECT_EQ(KeyCode(1, 1, 1, 1), 10);
}

TEST(RulesInput, JoystickUpWinsOverDownOverRightOverLeft) {
  EXPECT_EQ(JoyCode(0, 0), 0);
  EXPECT_EQ(JoyCode(-1, 0), 1);
  EXPECT_EQ(JoyCode(1, 0), 2);
  EXPECT_EQ(JoyCode(-1, 1), 3);
  EXPECT_EQ(JoyCode(1, 1), 3);
  EXPECT_EQ(JoyCode(-1, -1), 4);
  EXPECT_EQ(JoyCode(0, -1), 4);
}

class RulesWalk : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
};

TEST_F(RulesWalk, StepsThreePixelsAndRecordsTheDirection) {
  PlaceAt(300);
  Hold(KEY_RIGHT);
  Passes(5);
  EXPECT_EQ(Player->X, 315);
  EXPECT_EQ(Player->Direction, 1);
  EXPECT_EQ(Player->LastDirection, 1);
  EXPECT_EQ(Player->Frame, 4);
  EXPECT_EQ(dx, 12);
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  Passes(2);
  EXPECT_EQ(Player->X, 309);
  EXPECT_EQ(Player->Direction, 0);
  EXPECT_EQ(dx, -12);
  Release(KEY_LEFT);
  Pass();
  // Run 0 is stored as (0, 0); five steps right are one run of count 4; then left.
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 0);
  EXPECT_EQ(Demo[0][1], 2);
  EXPECT_EQ(Demo[1][1], 4);
  EXPECT_EQ(Demo[0][2], 1);
  EXPECT_EQ(Demo[1][2], 1);
  EXPECT_EQ(LastActionType, 0);
}

TEST_F(RulesWalk, WallStopsTheBodyUpToThreePixelsInside) {
  for (int r = 18; r < kFloorRow; ++r) {
    SetRoomCell(0, 0, 10, r, 1);  // x 240 to 263
    SetRoomCell(0, 0, 3, r, 2);   // x 72 to 95
  }
  PlaceAt(120);
  Hold(KEY_RIGHT);
  Passes(40);
  EXPECT_EQ(Player->X + 47, 240 + 2);  // the right edge 2 pixels into the wall's cell
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  Passes(60);
  EXPECT_EQ(Player->X, 95 - 2);
}

TEST_F(RulesWalk, CrumblingFloorCellsBlockAWalk) {
  SetRoomCell(0, 0, 10, 19, 88);
  PlaceAt(150);
  Hold(KEY_RIGHT);
  Passes(30);
  EXPECT_LT(Player->X + 47, 240 + 3);
  EXPECT_GE(Player->X + 47, 240);
}

TEST_F(RulesWalk, WalkingOffAFloorStartsAFall) {
  for (int c = 12; c < 32; ++c) SetRoomCell(0, 0, c, kFloorRow, 0);
  PlaceAt(240);
  Hold(KEY_RIGHT);
  int ticks = 0;
  while (Player->Action == 0 && ticks < 40) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(Player->Action, 14);
  // The probes are taken before the step: the tick that starts at x 285 (left foot at 288,
  // off the floor) steps once more and then falls.
  EXPECT_EQ(Player->X, 288);
}

TEST_F(RulesWalk, NoFallAtTheRoomsLeftEdge) {
  for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, kFloorRow, 0);
  PlaceAt(6);
  Hold(KEY_LEFT);
  Pass();  // x 3: outside 4 to 766
  EXPECT_EQ(Player->X, 3);
  EXPECT_EQ(Player->Action, 0);
  Pass();  // x 0
  EXPECT_EQ(Player->Action, 0);
}

TEST_F(RulesWalk, LeftAndUpTogetherDoNothing) {
  PlaceAt(300);
  Hold(KEY_LEFT);
  Hold(KEY_UP);
  Passes(3);
  EXPECT_EQ(Player->X, 300);
  EXPECT_EQ(Player->Y, kStandY);
  EXPECT_EQ(LastActionType, 0);  // recorded as no direction
}

TEST_F(RulesWalk, TheJoystickWalksAndItsButtonJumps) {
  using media::headless::InputEvent;
  Control = 1;
  PlaceAt(300);
  media::headless::SetScript({{0, InputEvent::JoyAxis, 0, 32767, 0}});
  Passes(4);
  EXPECT_EQ(Player->X, 312);
  media::headless::SetScript({{0, InputEvent::JoyAxis, 0, 0, 0}});
  Hold(KEY_RIGHT);  // the keys are not read with the joystick
  Pass();
  EXPECT_EQ(Player->X, 312);
  media::headless::SetScript(
      {{0, InputEvent::JoyAxis, 1, -32768, 0}, {0, InputEvent::JoyButtonDown, 1, 0, 0}});
  Pass();
  EXPECT_EQ(Player->X, 312);
  EXPECT_EQ(Player->Action, 13);  // button 1 is fire: a straight jump (up wins)
  EXPECT_EQ(RectJump, 2);
}

class RulesLadder : public RulesTest {
 protected:
  // A ladder in columns 10 and 11 from row 11 (the upper floor's level) down to row 19; the
  // upper floor along row 11 elsewhere.
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 11, 1);
    for (int r = 11; r < kFloorRow; ++r) {
      SetRoomCell(0, 0, 10, r, 3);
      SetRoomCell(0, 0, 11, r, 99);
    }
  }
};

TEST_F(RulesLadder, ClimbsUpWithASnapAndStepsOffAtTheTop) {
  PlaceAt(230);
  Hold(KEY_UP);
  Pass();
  EXPECT_EQ(Player->X, 240);  // snapped to the next column: bl was not on the ladder
  EXPECT_EQ(Player->Y, kStandY - 3);
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(Player->Direction, 2);
  EXPECT_EQ(Player->Frame, 8);
  int ticks = 1;
  while (Player->Action == 15 && ticks < 200) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Y, 11 * 24 - 48);  // standing on the upper floor
  EXPECT_EQ(Player->X, 240);
  EXPECT_EQ(Player->Direction, Player->LastDirection);
  // 72 steps of 3 pixels up, then the tick that finds no ladder around the body.
  EXPECT_EQ(ticks, 73);
}

TEST_F(RulesLadder, ClimbsDownFromTheTopAndStopsOnTheFloor) {
  PlaceAt(250, 11 * 24 - 48);
  Hold(KEY_DOWN);
  Pass();
  EXPECT_EQ(Player->X, 240);  // bld (x 250) is on the ladder: snapped down to its column
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(Player->Y, 11 * 24 - 48 + 3);
  int ticks = 1;
  while (Player->Action == 15 && ticks < 200) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Y, kStandY);
}

TEST_F(RulesLadder, LeftAndRightTogetherClimbDown) {
  PlaceAt(240, 11 * 24 - 48);
  Hold(KEY_LEFT);
  Hold(KEY_RIGHT);
  Passes(4);
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(Player->Y, 11 * 24 - 48 + 12);
  EXPECT_EQ(Player->X, 240);
}

TEST_F(RulesLadder, LeftAndDownTogetherClimbUp) {
  PlaceAt(240);
  Hold(KEY_LEFT);
  Hold(KEY_DOWN);
  Passes(4);
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(Player->Y, kStandY - 12);
}

TEST_F(RulesLadder, WalkingSidewaysOffTheLadderInMidAirFalls) {
  PlaceAt(240);
  Hold(KEY_UP);
  Passes(30);
  ASSERT_EQ(Player->Action, 15);
  Release(KEY_UP);
  Hold(KEY_RIGHT);
  int ticks = 0;
  while (Player->Action == 15 && ticks < 40) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(Player->Action, 14);
  Release(KEY_RIGHT);
  Passes(30);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Y, kStandY);
}

TEST_F(RulesLadder, UpUnderASolidCellStands) {
  SetRoomCell(0, 0, 11, 16, 1);  // a block above the body's centre half way up
  PlaceAt(240);
  Hold(KEY_UP);
  Passes(40);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Y % 24, 0);
  EXPECT_GE(Player->Y, 17 * 24 - 3);
}

}  // namespace
}  // namespace playtest

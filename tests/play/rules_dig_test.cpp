// Digging sideways and downwards.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/dig.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;

class RulesDig : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
  void BrickColumn(int c, int code = 2) {
    SetRoomCell(0, 0, c, 18, code);
    SetRoomCell(0, 0, c, 19, code);
  }
  // Walks into the wall with `key` held until the body stops, then takes `tool` in hand.
  void WalkInto(int key, int tool) {
    Hold(key);
    Passes(40);
    Release(key);
    Pass();
    Player->State = tool;
  }
  // Fires; returns the number of passes until the dig is over.
  int Dig() {
    Hit(KEY_SPACE);
    int ticks = 0;
    do {
      Pass();
      ++ticks;
    } while ((Player->Action == 9 || Player->Action == 11) && ticks < 200);
    return ticks;
  }
};

TEST_F(RulesDig, TwoDeepSidewaysDigLastsNinetyTicksAndStepsIntoTheTunnel) {
  Audible(sndDrill, "Drill");
  BrickColumn(7);
  BrickColumn(8);
  BrickColumn(9);
  PlaceAt(300);
  WalkInto(KEY_LEFT, 3);
  ASSERT_EQ(Player->X, 237);  // 3 pixels into column 9
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 9);
  EXPECT_EQ(Player->State, 7);
  EXPECT_EQ(Player->Frame, 84);
  EXPECT_EQ(Deep, 2);
  EXPECT_EQ(RoomCell(0, 0, 9, 18), 0);  // cleared in the first tick
  EXPECT_EQ(RoomCell(0, 0, 9, 19), 0);
  EXPECT_EQ(RoomCell(0, 0, 8, 18), 2);
  EXPECT_EQ(Plays(), 1);
  Passes(43);
  EXPECT_EQ(Player->X, 237);
  Pass();  // the 45th tick: the step into the dug column
  EXPECT_EQ(Player->X, 213);
  EXPECT_EQ(Plays(), 1);
  Pass();  // the 46th: the second block and its sound
  EXPECT_EQ(Plays(), 2);
  EXPECT_EQ(RoomCell(0, 0, 8, 18), 0);
  EXPECT_EQ(RoomCell(0, 0, 8, 19), 0);
  int ticks = 46;
  while (Player->Action == 9 && ticks < 200) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(ticks, 90);
  EXPECT_EQ(Player->X, 213);  // standing in the first dug column
  EXPECT_EQ(Player->State, 0);
  EXPECT_EQ(Player->Frame, 0);
  EXPECT_EQ(RoomCell(0, 0, 7, 18), 2);
  EXPECT_EQ(DigingCounter, 0);
  EXPECT_EQ(DigingTimer, 0);
  EXPECT_EQ(DigFrame, 0);
}

TEST_F(RulesDig, OneDeepToolRemovesOneBlockInFortyFiveTicks) {
  Audible(sndHammer, "Hammer");
  BrickColumn(8);
  BrickColumn(9);
  PlaceAt(300);
  WalkInto(KEY_LEFT, 4);
  EXPECT_EQ(Dig(), 45);
  EXPECT_EQ(Player->X, 213);  // the step comes in the last tick
  EXPECT_EQ(RoomCell(0, 0, 9, 18), 0);
  EXPECT_EQ(RoomCell(0, 0, 8, 18), 2);
  EXPECT_EQ(Player->State, 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesDig, TwoDeepToolWithoutASecondBrickDigsOneBlock) {
  BrickColumn(8, 1);
  BrickColumn(9);
  PlaceAt(300);
  WalkInto(KEY_LEFT, 3);
  EXPECT_EQ(Dig(), 45);
  EXPECT_EQ(RoomCell(0, 0, 8, 18), 1);
  EXPECT_EQ(Deep, 1);
}

TEST_F(RulesDig, FacingRightDigsTheColumnOfTheRightEdgeThenTheNext) {
  BrickColumn(14);
  BrickColumn(15);
  PlaceAt(240);
  WalkInto(KEY_RIGHT, 3);
  ASSERT_EQ(Player->X + 47, 14 * 24 + 2);
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Frame, 88);
  int ticks = 1;
  while (Player->Action == 9 && ticks < 200) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(ticks, 90);
  EXPECT_EQ(Player->X, 291 + 24);
  EXPECT_EQ(RoomCell(0, 0, 14, 18), 0);
  EXPECT_EQ(RoomCell(0, 0, 15, 19), 0);
  EXPECT_EQ(RoomCell(0, 0, 16, 19), 0);  // never a brick; the floor row below is untouched
  EXPECT_EQ(RoomCell(0, 0, 15, kFloorRow), 1);
}

TEST_F(RulesDig, NoBricksNoDig) {
  BrickColumn(9, 1);
  PlaceAt(300);
  WalkInto(KEY_LEFT, 3);
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->State, 3);
  EXPECT_EQ(RoomCell(0, 0, 9, 18), 1);
}

TEST_F(RulesDig, DownwardTwoDeepFacingLeft) {
  Audible(sndPick, "Pick");
  for (int r = kFloorRow; r <= kFloorRow + 1; ++r) {
    SetRoomCell(0, 0, 9, r, 2);
    SetRoomCell(0, 0, 10, r, 2);
  }
  PlaceAt(250);
  Player->LastDirection = 0;
  Player->Direction = 0;
  Player->State = 5;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 11);
  EXPECT_EQ(Player->State, 9);
  EXPECT_EQ(Player->Frame, 100);
  EXPECT_EQ(Deep, 2);
  EXPECT_EQ(RoomCell(0, 0, 9, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 10, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 10, kFloorRow + 1), 2);
  int ticks = 1;
  while (Player->Action == 11 && ticks < 200) {
    Pass();
    ++ticks;
  }
  EXPECT_EQ(ticks, 90);
  EXPECT_EQ(Player->X, 250);  // never moves
  EXPECT_EQ(RoomCell(0, 0, 9, kFloorRow + 1), 0);
  EXPECT_EQ(RoomCell(0, 0, 10, kFloorRow + 1), 0);
  EXPECT_EQ(Plays(), 2);
  Pass();  // nothing under the feet now
  EXPECT_EQ(Player->Action, 0);
}

TEST_F(RulesDig, DownwardOneDeepFacingRight) {
  for (int r = kFloorRow; r <= kFloorRow + 1; ++r) {
    SetRoomCell(0, 0, 12, r, 2);
    SetRoomCell(0, 0, 13, r, 2);
  }
  PlaceAt(240);
  Player->LastDirection = 1;
  Player->State = 6;
  EXPECT_EQ(Dig(), 45);
  EXPECT_EQ(RoomCell(0, 0, 12, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 13, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 12, kFloorRow + 1), 2);
  EXPECT_EQ(Player->X, 240);
}

TEST_F(RulesDig, EveryDigTickIsRecordedOnceAndAJumpRightAfterGoesOnWithItsCode) {
  BrickColumn(9);
  PlaceAt(300);
  WalkInto(KEY_LEFT, 4);
  const int runsBefore = ActionCount;
  Dig();
  EXPECT_EQ(LastActionType, kActionDigSide);
  EXPECT_EQ(ActionNo, 44);  // 45 steps
  EXPECT_EQ(ActionCount, runsBefore + 1);
  Hit(KEY_SPACE);
  Pass();
  ASSERT_EQ(Player->Action, 13);
  // The jump's first tick records the dig's code twice (its press and its first frame), as
  // the first tick of every jump does.
  EXPECT_EQ(LastActionType, kActionDigSide);
  EXPECT_EQ(ActionNo, 46);
}

TEST_F(RulesDig, NothingIsRecordedInReplayMode) {
  BrickColumn(9);
  PlaceAt(237);
  Player->State = 4;
  Player->LastDirection = 0;
  Player->Direction = 0;
  DemoMode = 1;
  Demo[0][0] = kActionDigSide;
  Demo[1][0] = 2;  // run 0 drives one tick fewer than its count
  Demo[0][1] = 0;
  Demo[1][1] = 1000;
  TotalActionCount = 2;
  Pass();
  EXPECT_EQ(Player->Action, 9);
  Passes(44);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->X, 213);
  EXPECT_EQ(LastActionType, 0);
  EXPECT_EQ(ActionNo, 44);  // the playback cursor only
}

}  // namespace
}  // namespace playtest

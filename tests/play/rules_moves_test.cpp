// Finer points of the moves: the ladder cases that snap by the left edge's cells, going down
// onto a crumbling-floor cell, and the jump and scoop sounds.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN;
using media::KEY_LEFT;
using media::KEY_SPACE;
using media::KEY_UP;

class RulesMoves : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
};

// At Y 420 the left edge's cells are rows 17 (top), 18 (middle) and 19 (bottom) of column 2
// for X 50; the centre column is 3.
TEST_F(RulesMoves, UpWithALadderOnlyBesideTheMiddleSnapsToTheNextColumn) {
  SetRoomCell(0, 0, 2, 18, 3);
  PlaceAt(50, 420);
  Player->FrameRate = 0;
  Hold(KEY_UP);
  Pass();
  EXPECT_EQ(Player->X, 72);
  EXPECT_EQ(Player->Y, 417);
  EXPECT_EQ(Player->Action, 15);
  EXPECT_EQ(Player->Direction, 2);
  EXPECT_EQ(Player->Frame, 8);
  EXPECT_EQ(Player->FrameRate, 1);
  EXPECT_EQ(LastActionType, kActionUp);
}

TEST_F(RulesMoves, UpWithALadderOnlyUnderTheLeftFootSnapsToItsColumn) {
  SetRoomCell(0, 0, 2, 19, 4);  // a vanishing ladder's cell counts the same
  PlaceAt(50, 420);
  Hold(KEY_UP);
  Pass();
  EXPECT_EQ(Player->X, 48);
  EXPECT_EQ(Player->Y, 417);
  EXPECT_EQ(Player->Action, 15);
}

TEST_F(RulesMoves, UpOnTheLadderKeepsTheColumn) {
  SetRoomCell(0, 0, 2, 18, 3);
  PlaceAt(50, 420);
  Player->Action = 15;
  Hold(KEY_UP);
  Pass();
  EXPECT_EQ(Player->X, 50);  // no snap once on the ladder
  EXPECT_EQ(Player->Y, 417);
}

// The centre's cell below the feet is a crumbling floor's: the player stands where it is.
TEST_F(RulesMoves, DownOntoACrumblingCellStandsWithoutSnapping) {
  SetRoomCell(0, 0, 13, kFloorRow, 88);
  PlaceAt(300, kStandY + 1);
  Player->Direction = 1;
  Player->LastDirection = 0;
  Hold(KEY_DOWN);
  Pass();
  EXPECT_EQ(Player->Y, kStandY + 1);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Direction, 0);
  EXPECT_EQ(Player->Frame, 0);
  EXPECT_EQ(Player->X, 300);
}

TEST_F(RulesMoves, DownOntoASolidCellSnapsToTheRow) {
  PlaceAt(300, kStandY + 1);
  Player->Direction = 2;
  Player->LastDirection = 1;
  Player->State = 1;
  Hold(KEY_DOWN);
  Pass();
  EXPECT_EQ(Player->Y, kStandY);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->Direction, 1);
  EXPECT_EQ(Player->Frame, 16);  // (State 1 * 3 + 1) * 4
}

TEST_F(RulesMoves, AJumpPlaysItsSoundOnceAndARefusedOneNone) {
  Audible(jumpsound, "Jump");
  PlaceAt(300);
  SetRoomCell(0, 0, 14, 17, 1);  // above the head's right side
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Plays(), 0);
  SetRoomCell(0, 0, 14, 17, 0);
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(Plays(), 1);
  Passes(10);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesMoves, AOneDeepDownwardDigPlaysTheScoopOnceFacingLeft) {
  Audible(sndScoop, "Scoop");
  for (int r = kFloorRow; r <= kFloorRow + 1; ++r) {
    SetRoomCell(0, 0, 9, r, 2);
    SetRoomCell(0, 0, 10, r, 2);
  }
  PlaceAt(240);
  Player->LastDirection = 0;
  Player->Direction = 0;
  Player->State = 6;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 11);
  EXPECT_EQ(Player->State, 10);
  EXPECT_EQ(Player->Frame, 108);
  EXPECT_EQ(Deep, 1);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(RoomCell(0, 0, 9, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 10, kFloorRow), 0);
  EXPECT_EQ(RoomCell(0, 0, 11, kFloorRow), 1);
  Passes(44);
  EXPECT_EQ(Player->Action, 0);
  EXPECT_EQ(Player->State, 0);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(RoomCell(0, 0, 9, kFloorRow + 1), 2);
}

// Walking left with the left arrow held, then Space with no arrow: a fire press in the first
// tick after a walk jumps straight up and records 5, taking the walk's place.
TEST_F(RulesMoves, AStraightJumpFromTheGroundRecordsFiveTwiceInItsFirstTick) {
  PlaceAt(300);
  Hold(KEY_LEFT);
  Passes(3);
  Release(KEY_LEFT);
  const int runs = ActionCount;
  Hit(KEY_SPACE);
  Pass();
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(ActionCount, runs + 1);
  EXPECT_EQ(LastActionType, kActionJumpUp);
  EXPECT_EQ(ActionNo, 1);  // opened by the input, counted again by the jump's first tick
}

}  // namespace
}  // namespace playtest

// Gold and items taken, scoring, the extra life, and the crumbling floors and vanishing
// ladders the player has crossed.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/tick.h"

namespace playtest {
namespace {

using media::KEY_LEFT;
using media::KEY_RIGHT;

class RulesPickUp : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    MakeRoom(1, 0);
    Exitdoor->State = 1;
    Exitdoor->Frame = 3;
    PlaceAt(12 * 24, kStandY);
  }
  // An item of `kind` under the player (cell 12, 18) in room (rx, 0).
  std::shared_ptr<bbItems> ItemHere(int kind, int rx = 0) {
    auto it = New<bbItems>();
    it->X = 12;
    it->Y = 18;
    it->kind = kind;
    it->frame = kind * 8;
    it->RoomX = rx;
    return it;
  }
  static int ItemCount() { return Items_list.Count(); }
};

TEST_F(RulesPickUp, GoldScoresAndCountsDown) {
  Audible(sndGold, "Gold");
  ItemHere(6);
  Pass();
  EXPECT_EQ(Player->Score, 500);
  EXPECT_EQ(Player->ExtraLife, 500);
  EXPECT_EQ(Exitdoor->Frame, 2);
  EXPECT_EQ(Exitdoor->State, 1);
  EXPECT_EQ(ItemCount(), 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesPickUp, TwoGoldInOneTickOpenTheDoor) {
  Audible(sndAllGold, "AllGold");
  Exitdoor->Frame = 2;
  ItemHere(6);
  ItemHere(6);
  Pass();
  EXPECT_EQ(Player->Score, 1000);
  EXPECT_EQ(Exitdoor->Frame, 0);
  EXPECT_EQ(Exitdoor->State, 2);
  EXPECT_EQ(DoorOpened, 1);
  EXPECT_EQ(ItemCount(), 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesPickUp, AStageWithoutGoldCountNeverOpensItsDoor) {
  Exitdoor->Frame = 0;
  ItemHere(6);
  Pass();
  EXPECT_EQ(Exitdoor->Frame, -1);
  EXPECT_EQ(Exitdoor->State, 1);
  EXPECT_EQ(DoorOpened, 0);
}

TEST_F(RulesPickUp, ItemsOfAnotherRoomAreNotTaken) {
  ItemHere(6, 1);
  ItemHere(2, 1);
  Pass();
  EXPECT_EQ(ItemCount(), 2);
  EXPECT_EQ(Player->Score, 0);
  EXPECT_EQ(Player->State, 0);
}

TEST_F(RulesPickUp, AnItemOutOfReachIsNotTaken) {
  auto it = ItemHere(6);
  it->X = 20;
  Pass();
  EXPECT_EQ(ItemCount(), 1);
}

TEST_F(RulesPickUp, ADiggingToolScoresAndIsTakenInHand) {
  Audible(sndItem, "Item");
  Player->Direction = 1;
  ItemHere(2);
  Pass();
  EXPECT_EQ(Player->State, 3);
  EXPECT_EQ(Player->Frame, (3 * 3 + 1) * 4);
  EXPECT_EQ(Player->Score, 100);
  EXPECT_EQ(ItemCount(), 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesPickUp, AThrowingWeaponScoresNothing) {
  ItemHere(1);
  Pass();
  EXPECT_EQ(Player->State, 2);
  EXPECT_EQ(Player->Score, 0);
  EXPECT_EQ(ItemCount(), 0);
}

TEST_F(RulesPickUp, ASecondToolInTheSameTickStaysOnTheGround) {
  ItemHere(5);
  ItemHere(3);
  Pass();
  EXPECT_EQ(Player->State, 6);
  EXPECT_EQ(Player->Score, 100);
  EXPECT_EQ(ItemCount(), 1);
}

TEST_F(RulesPickUp, AToolInHandLeavesTheItemButTheExtraLifeTestRuns) {
  Player->State = 3;
  Player->ExtraLife = 5000;
  ItemHere(4);
  Pass();
  EXPECT_EQ(ItemCount(), 1);
  EXPECT_EQ(Player->State, 3);
  EXPECT_EQ(Player->Score, 0);
  EXPECT_EQ(Player->Lives, 3);
  EXPECT_EQ(Player->ExtraLife, 0);
}

TEST_F(RulesPickUp, TheExtraLifeComesOnlyWithANonGoldTouch) {
  Player->ExtraLife = 4600;
  ItemHere(6);
  Pass();
  EXPECT_EQ(Player->ExtraLife, 5100);
  EXPECT_EQ(Player->Lives, 2);
  ItemHere(0);
  Pass();
  EXPECT_EQ(Player->State, 1);
  EXPECT_EQ(Player->Lives, 3);
  EXPECT_EQ(Player->ExtraLife, 0);  // the excess is not carried over
}

class RulesFloorTrap : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    // A crumbling floor over columns 20 to 23 of the floor row.
    for (int c = 20; c < 24; ++c) SetRoomCell(0, 0, c, kFloorRow, 88);
    floor_ = New<bbTraps>();
    floor_->Kind = 1;
    floor_->X = 20;
    floor_->Y = kFloorRow - 1;
  }
  bool FloorThere() const { return Traps_list.Count() == 1; }
  std::shared_ptr<bbTraps> floor_;
};

TEST_F(RulesFloorTrap, CollapsesOnAStepFromSolidGroundAfterTwoCrossings) {
  Audible(sndFloor, "Floor");
  floor_->NumOfPass = 1;
  PlaceAt(240);
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_TRUE(FloorThere());
  floor_->NumOfPass = 2;
  Pass();
  EXPECT_FALSE(FloorThere());
  for (int c = 20; c < 24; ++c) EXPECT_EQ(RoomCell(0, 0, c, kFloorRow), 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesFloorTrap, NoCollapseWhileStandingOnTheCrumblingCells) {
  floor_->NumOfPass = 2;
  PlaceAt(21 * 24);  // both feet on code 88
  Hold(KEY_LEFT);
  Pass();
  EXPECT_TRUE(FloorThere());
  EXPECT_EQ(RoomCell(0, 0, 21, kFloorRow), 88);
}

TEST_F(RulesFloorTrap, TheLatchClearsOnlyOffTheTrap) {
  floor_->Passing = 1;
  PlaceAt(18 * 24);  // overlapping the trap's picture
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_EQ(floor_->Passing, 1);
  PlaceAt(4 * 24);
  Pass();
  EXPECT_EQ(floor_->Passing, 0);
}

class RulesLadderTrap : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    // A vanishing ladder in columns 20 and 21, rows 12 (its top) to 19.
    for (int r = 12; r < kFloorRow; ++r) {
      SetRoomCell(0, 0, 20, r, 4);
      SetRoomCell(0, 0, 21, r, 99);
    }
    ladder_ = New<bbTraps>();
    ladder_->Kind = 3;
    ladder_->X = 20;
    ladder_->Y = 12;
    ladder_->Height = 8;
  }
  std::shared_ptr<bbTraps> ladder_;
};

TEST_F(RulesLadderTrap, VanishesAfterThreeCrossingsLeavingABrickTop) {
  Audible(sndLadder, "Ladder");
  ladder_->NumOfPass = 2;
  PlaceAt(100);
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_EQ(Traps_list.Count(), 1);
  ladder_->NumOfPass = 3;
  Pass();
  EXPECT_EQ(Traps_list.Count(), 0);
  EXPECT_EQ(RoomCell(0, 0, 20, 12), 2);
  EXPECT_EQ(RoomCell(0, 0, 21, 12), 2);
  for (int r = 13; r < kFloorRow; ++r) {
    EXPECT_EQ(RoomCell(0, 0, 20, r), 0) << r;
    EXPECT_EQ(RoomCell(0, 0, 21, r), 0) << r;
  }
  EXPECT_EQ(RoomCell(0, 0, 20, kFloorRow), 1);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesLadderTrap, ATrapOfAnotherRoomCollapsesInItsOwnRoom) {
  MakeRoom(1, 0);
  for (int r = 12; r < kFloorRow; ++r) SetRoomCell(1, 0, 20, r, 4);
  ladder_->Roomx = 1;
  ladder_->NumOfPass = 3;
  PlaceAt(100);
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_EQ(RoomCell(1, 0, 20, 12), 2);
  EXPECT_EQ(RoomCell(1, 0, 20, 13), 0);
  EXPECT_EQ(RoomCell(0, 0, 20, 13), 4);  // the current room is untouched
}

}  // namespace
}  // namespace playtest

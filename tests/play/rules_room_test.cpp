// Room changes, wrap-around and gaps; the cells outside the grid.
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
using media::KEY_RIGHT;
using media::KEY_UP;

class RulesRoom : public RulesTest {};

TEST_F(RulesRoom, WalkingLeftOutOfTheRoomEntersTheRoomToTheLeft) {
  MakeRoom(0, 2);
  MakeRoom(1, 2);
  RoomX = 1;
  RoomY = 2;
  PlaceAt(2);
  Hold(KEY_LEFT);
  Pass();  // x -1
  EXPECT_EQ(RoomX, 1);
  EXPECT_EQ(Player->X, -1);
  Pass();  // room change to x 760, then a step
  EXPECT_EQ(RoomX, 0);
  EXPECT_EQ(RoomY, 2);
  EXPECT_EQ(Player->X, 757);
}

TEST_F(RulesRoom, WrapsToTheFarEndOfTheRow) {
  MakeRoom(0, 1);
  MakeRoom(3, 1);
  RoomY = 1;
  PlaceAt(-1);
  Hold(KEY_LEFT);
  Pass();
  EXPECT_EQ(RoomX, 3);
  EXPECT_EQ(Player->X, 757);
}

TEST_F(RulesRoom, AGapIsNotSkipped) {
  MakeRoom(0, 0);
  MakeRoom(1, 0);
  MakeRoom(3, 0);
  RoomX = 3;
  PlaceAt(-1);
  Hold(KEY_LEFT);
  Pass();
  EXPECT_EQ(RoomX, 3);  // room 2 is missing: the far end of the row, room 3 itself
  EXPECT_EQ(Player->X, 757);
  Release(KEY_LEFT);
  RoomX = 1;
  PlaceAt(761);
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_EQ(RoomX, 0);  // from column 0 upwards
  EXPECT_EQ(Player->X, 7);
}

TEST_F(RulesRoom, WithoutTheKeyThePlayerStaysOutside) {
  MakeRoom(0, 0);
  MakeRoom(1, 0);
  RoomX = 1;
  PlaceAt(-2);
  Pass();
  EXPECT_EQ(RoomX, 1);
  EXPECT_EQ(Player->X, -2);
  Hold(KEY_RIGHT);  // the wrong arrow does not change the room either
  Pass();
  EXPECT_EQ(RoomX, 1);
  EXPECT_EQ(Player->X, 1);
}

TEST_F(RulesRoom, UpAndDownChangeRowsWithWrapAround) {
  MakeRoom(2, 0, false);
  MakeRoom(2, 1, false);
  MakeRoom(2, 4, false);
  RoomX = 2;
  RoomY = 1;
  PlaceAt(300, -1);
  Player->Action = 15;
  Hold(KEY_UP);
  Pass();
  EXPECT_EQ(RoomY, 0);
  Release(KEY_UP);
  PlaceAt(300, -1);
  Hold(KEY_UP);
  FindRoom();
  EXPECT_EQ(RoomY, 4);  // the first room from row 5 down
  EXPECT_EQ(Player->Y, 571);
  Release(KEY_UP);
  PlaceAt(300, 576);
  Hold(KEY_DOWN);
  Pass();
  EXPECT_EQ(RoomY, 0);  // the first room from row 0 up
}

TEST_F(RulesRoom, NoRoomChangeWhileJumping) {
  MakeRoom(0, 0);
  MakeRoom(1, 0);
  RoomX = 1;
  PlaceAt(-3);
  Player->Action = 13;
  Hold(KEY_LEFT);
  UpdatePlayer();
  EXPECT_EQ(RoomX, 1);
  EXPECT_EQ(Player->X, -3);
}

TEST_F(RulesRoom, ReplayedCodeChangesTheRoomOnlyWhenOutside) {
  MakeRoom(0, 0, false);
  MakeRoom(0, 1, false);
  DemoMode = 1;
  Demo[0][0] = 3;
  Demo[1][0] = 100;
  TotalActionCount = 1;
  PlaceAt(300, 570);
  Player->Action = 15;
  UpdatePlayer();
  EXPECT_EQ(RoomY, 0);
  PlaceAt(300, 576);
  Player->Action = 15;
  UpdatePlayer();
  EXPECT_EQ(RoomY, 1);
  EXPECT_EQ(Player->Y, 4);
}

TEST_F(RulesRoom, ProbesOutsideTheGridReadAsEmpty) {
  MakeRoom(0, 0);
  for (auto& column : Stage)
    for (int& cell : column) cell = 1;
  PlaceAt(-40, -40);
  TakeProbes();
  EXPECT_EQ(jltb, 0);  // x -49: column -2
  EXPECT_EQ(tl, 0);    // x -40: column -1
  EXPECT_EQ(mdown2, 1);
  RoomX = 5;
  RoomY = 5;
  PlaceAt(880, 600);
  TakeProbes();
  EXPECT_EQ(tl, 1);   // column 196, row 145: the grid's last column
  EXPECT_EQ(bl, 1);   // row 146: the grid's last row
  EXPECT_EQ(tr, 0);   // column 198: outside the 197 columns
  EXPECT_EQ(bld, 0);  // row 147: outside the 147 rows
  EXPECT_EQ(CellAt(196, 146), 1);
  EXPECT_EQ(CellAt(197, 0), 0);
  EXPECT_EQ(CellAt(0, -1), 0);
  SetCell(197, 0, 5);  // ignored
  SetCell(-1, 3, 5);
  EXPECT_EQ(CellAt(196, 0), 1);
}

TEST_F(RulesRoom, ABodyFarOutsideTheGridReadsEmptyCells) {
  MakeRoom(0, 0);
  PlaceAt(-2000, -3000);
  Passes(5);  // no key: no room change, and nothing under the body
  EXPECT_EQ(RoomX, 0);
  EXPECT_EQ(Player->X, -2000);
  EXPECT_EQ(fall + flb + frb + tl + br + jltb + jrtb, 0);
  RoomX = 5;
  RoomY = 5;
  PlaceAt(5000, 500);
  Hold(KEY_RIGHT);
  Pass();  // the far right: wraps to the first room of the row
  EXPECT_EQ(RoomX, 5);
  EXPECT_EQ(Player->X, 7);
}

}  // namespace
}  // namespace playtest

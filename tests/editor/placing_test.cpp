// Placing, painting and deleting in the current room: trap footprints and heights (also
// spilling into the next rooms), gold and door counts, room deletion and border rings.
#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/editor.h"
#include "editor/place.h"
#include "editor/rooms.h"
#include "editor_test.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

using editortest::EditorTest;

// A left click with `tool` on cell (c, r), the pointer inside the cell as the bounds allow.
void Click(int tool, int c, int r) {
  EditorLoop loop;
  loop.tool = tool;
  loop.sx = c * kCell, loop.sy = r * kCell;
  PlaceObject(loop, c * kCell + 6, r * kCell + 1);
}

std::shared_ptr<bbTraps> LastTrap() {
  std::shared_ptr<bbTraps> last;
  for (auto t : Traps_list.Each<bbTraps>()) last = t;
  return last;
}

TEST_F(EditorTest, TrapsTakeTheirCellsAndHeightsAndGiveThemBack) {
  Stage[5][12] = Stage[12][8] = CellCode::Brick;
  struct Case {
    int tool, c, r;
    int X, Y, Height, Frame;
    std::vector<std::array<int, 3>> cells;  // Stage column, row, code after placing
  };
  const Case cases[] = {
      {11, 5, 10, 5, 10, 0, 23, {{5, 10, 0}}},  // the wall below is full at once
      {11, 6, 10, 6, 10, 11, 23, {{6, 12, 0}}},
      {14, 20, 21, 20, 21, 2, 26, {{20, 21, 4}, {21, 22, 99}, {20, 23, 0}}},
      {12, 30, 5, 30, 4, 0, 24, {{31, 5, 88}, {32, 5, 88}, {33, 5, 88}}},  // into room (1, 0)
      {13, 31, 8, 31, 8, 0, 25, {{31, 9, 1}, {32, 8, 1}, {32, 9, 1}}},
      {15, 10, 21, 9, 21, 5, 8, {{10, 21, 1}, {10, 23, 1}, {10, 24, 1}, {10, 25, 0}}},  // room
                                                                                        // below
      {18, 12, 5, 12, 5, 4, 19, {{12, 5, 1}, {12, 7, 1}, {12, 8, CellCode::Brick}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("tool " + std::to_string(c.tool));
    const int before = numoftraps;
    Click(c.tool, c.c, c.r);
    ASSERT_EQ(numoftraps, before + 1);
    auto t = LastTrap();
    EXPECT_EQ(t->Kind, c.tool - 11);
    EXPECT_EQ(t->X, c.X);
    EXPECT_EQ(t->Y, c.Y);
    EXPECT_EQ(t->Height, c.Height);
    EXPECT_EQ(t->Frame, c.Frame);
    EXPECT_EQ(t->ID, before + 5);
    for (const auto& cell : c.cells) EXPECT_EQ(Stage[cell[0]][cell[1]], cell[2]);
  }
  Click(13, 5, 11);  // the cell below is a brick
  EXPECT_EQ(numoftraps, 7);
  // A right click takes each trap with its cells, also those in the next rooms.
  for (const Case& c : cases) DeleteUnder(c.X * kCell, c.Y * kCell);
  EXPECT_EQ(numoftraps, 0);
  for (const Case& c : cases)
    for (const auto& cell : c.cells)
      EXPECT_EQ(Stage[cell[0]][cell[1]], cell[2] == CellCode::Brick ? cell[2] : 0);
}

TEST_F(EditorTest, GoldAndTheDoorCountTogether) {
  for (int c : {3, 6, 9}) Click(10, c, 3);
  EXPECT_EQ(NumOfGold, 3);
  Click(24, 20, 10);  // the door placed later takes the count
  EXPECT_EQ(Exitdoor->Frame, 3);
  EXPECT_EQ(Exitdoor->State, DoorState::Shut);
  DeleteUnder(6 * kCell, 4 * kCell);
  EXPECT_EQ(NumOfGold, 2);
  EXPECT_EQ(Exitdoor->Frame, 2);
  EXPECT_EQ(numofitems, 2);
  Click(23, 2, 13);
  Click(19, 12, 13);
  Click(25, 14, 2);
  DeleteRoom(0, 0);
  EXPECT_EQ(NumOfGold, 0);
  EXPECT_EQ(Exitdoor->Frame, 0);
  EXPECT_EQ(Exitdoor->State, DoorState::None);
  EXPECT_EQ(Player->Exist, 0);
  EXPECT_EQ(Player->X, 2);  // positions stay
  EXPECT_EQ(numofitems + numofenemies + numofstatus, 0);
  EXPECT_EQ(Items_list.Count() + Enemies_list.Count() + statuses_list.Count(), 0);
}

TEST_F(EditorTest, DeletingRoomsKeepsOneAndLeavesSpilledCells) {
  Rooms[3][2] = 1;
  NumOfRooms = 2;
  Click(12, 30, 5);  // spills into room (1, 0)
  DeleteRoom(0, 0);
  EXPECT_EQ(NumOfRooms, 1);
  EXPECT_EQ(Rooms[0][0], 0);
  EXPECT_EQ(Rooms[3][2], 1);
  EXPECT_EQ(Stage[30][5], 0);
  EXPECT_EQ(Stage[32][5], CellCode::Solid88);
  EXPECT_EQ(numoftraps, 0);
  DeleteRoom(3, 2);
  EXPECT_EQ(NumOfRooms, 1);
  EXPECT_EQ(Rooms[0][0], 1);
  DeleteRoom(4, 4);  // a room that does not exist changes no count
  EXPECT_EQ(NumOfRooms, 1);
}

TEST_F(EditorTest, PaintingLaddersAndBorderRings) {
  Show = 0;
  EditorLoop loop;
  loop.tool = 3;
  loop.sx = 744, loop.sy = 96;
  media::headless::MoveMouseNow(760, 100);
  media::headless::ButtonDownNow(1);
  PaintHeld(loop);
  media::headless::ButtonUpNow(1);
  EXPECT_EQ(Stage[30][4], CellCode::Ladder);
  EXPECT_EQ(Stage[31][4], CellCode::LadderRight);
  Stage[1][5] = CellCode::Ladder;
  struct Case {
    int second, tool, c, r, code;
  };
  const Case cases[] = {
      {0, 1, 0, 0, 1}, {0, 1, 31, 23, 1}, {0, 1, 1, 1, 0}, {0, 1, 31, 4, 1},
      {1, 3, 1, 1, 2}, {1, 3, 30, 22, 2}, {1, 3, 1, 5, 2}, {1, 3, 0, 12, 2},
      {1, 3, 2, 2, 0}, {1, 3, 32, 0, 0},  // the next room is left alone
  };
  for (const Case& c : cases) {
    DrawBorder(c.second, c.tool);
    EXPECT_EQ(Stage[c.c][c.r], c.code) << c.second << " " << c.c << "," << c.r;
  }
}

}  // namespace

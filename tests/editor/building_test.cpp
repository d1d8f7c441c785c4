// Building in the editor: the palette, the room map and the bottom panel's buttons at their
// pixel edges; placing, painting and deleting (trap footprints and heights, also spilling into
// the next rooms, gold and door counts), room deletion and border rings.
#include "editor/palette.h"
#include "editor/place.h"
#include "editor/rooms.h"
#include "editor_test.h"

namespace {

using namespace editortest;

TEST_F(EditorTest, PaletteAndRoomMapClicksAtTheirEdges) {
  Show = 1;
  struct Case {
    int mx, my;
    int tool, hx, hy;  // after the click
    int roomX, roomY, rooms;
  };
  const Case cases[] = {
      {642, 10, 1, 624, 0, 0, 0, 1},     {691, 10, 1, 624, 0, 0, 0, 1},
      {692, 10, 1, 676, 0, 0, 0, 1},  // the tool to the left, the frame to the right
      {701, 10, 1, 676, 0, 0, 0, 1},     {702, 10, 2, 676, 0, 0, 0, 1},
      {744, 60, 5, 728, 52, 0, 0, 1},    {753, 60, 5, 728, 52, 0, 0, 1},
      {754, 60, 6, 728, 52, 0, 0, 1},    {799, 415, 24, 780, 364, 0, 0, 1},
      {760, 420, 24, 780, 364, 0, 0, 1},  // index 27 selects nothing
      {647, 473, 24, 780, 364, 0, 0, 1},  // the map's first room, existing
      {729, 552, 24, 780, 364, 5, 5, 2},  // the last one, made
      {730, 500, 24, 780, 364, 5, 5, 2}, {733, 500, 24, 780, 364, 5, 5, 2},
      {660, 500, 24, 780, 364, 1, 2, 3}, {641, 500, 24, 780, 364, 1, 2, 3},  // not the map
  };
  EditorLoop loop;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mx) + "," + std::to_string(c.my));
    ASSERT_TRUE(OnPanel(c.mx, c.my));
    PanelClick(loop, c.mx, c.my);
    EXPECT_EQ((std::vector{loop.tool, loop.hx, loop.hy, RoomX, RoomY, NumOfRooms}),
              (std::vector{c.tool, c.hx, c.hy, c.roomX, c.roomY, c.rooms}));
  }
  EXPECT_FALSE(OnPanel(641, 441));
  EXPECT_TRUE(OnPanel(641, 442));
  // The 36th room is made; with every room made a map click selects without making.
  NumOfRooms = 35;
  PanelClick(loop, 700, 490);
  EXPECT_EQ((std::vector{NumOfRooms, Rooms[3][1]}), (std::vector{36, 1}));
  PanelClick(loop, 715, 490);
  EXPECT_EQ((std::vector{NumOfRooms, Rooms[4][1], RoomX * 10 + RoomY}), (std::vector{36, 0, 41}));
  // The bottom panel: theme buttons by halves, the stored button repeated from x 572 on.
  struct Button {
    int mx, my, theme, backdrop, button;
  };
  const Button buttons[] = {
      {260, 520, 2, 4, 6},  {285, 520, 2, 4, 6},   {286, 520, 2, 5, 7},
      {311, 520, 2, 5, 7},  {467, 500, 5, 11, 13}, {156, 544, 0, 0, 2},
      {312, 520, 3, 6, 8},  {600, 520, 5, 6, 19},  // x 572 on repeats the stored value
      {600, 520, 5, 6, 19}, {300, 545, 5, 6, -1},  // outside the band
      {300, 496, 5, 6, -1},
  };
  for (const Button& c : buttons) {
    SCOPED_TRACE(std::to_string(c.mx) + "," + std::to_string(c.my));
    BottomPanelClick(loop, c.mx, c.my);
    EXPECT_EQ((std::vector{Worldtheme, BackGround, loop.button}),
              (std::vector{c.theme, c.backdrop, c.button}));
  }
}

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
    EXPECT_EQ((std::vector{t->Kind, t->X, t->Y, t->Height, t->Frame, t->ID}),
              (std::vector{c.tool - 11, c.X, c.Y, c.Height, c.Frame, before + 5}));
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

TEST_F(EditorTest, GoldAndTheDoorCountTogetherAndRoomsGoWithTheirObjects) {
  auto counts = [] {
    return std::vector{
        NumOfGold,    Exitdoor->Frame, Exitdoor->State, numofitems, numofenemies + numofstatus,
        Player->Exist};
  };
  for (int c : {3, 6, 9}) Click(10, c, 3);
  Exitdoor->Frame = 9;  // as a loaded file may have it: the door placed takes the gold count
  Click(24, 20, 10);
  Click(23, 2, 13), Click(19, 12, 13), Click(25, 14, 2);
  EXPECT_EQ(counts(), (std::vector{3, 3, 1, 3, 2, 1}));
  DeleteUnder(6 * kCell, 4 * kCell);
  EXPECT_EQ(counts(), (std::vector{2, 2, 1, 2, 2, 1}));
  Rooms[3][2] = 1, NumOfRooms = 2;
  Click(12, 30, 5);  // spills into room (1, 0)
  DeleteRoom(0, 4);  // a room that does not exist changes nothing
  EXPECT_EQ(counts(), (std::vector{2, 2, 1, 2, 2, 1}));
  DeleteRoom(0, 0);
  EXPECT_EQ(counts(), (std::vector{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Items_list.Count() + Enemies_list.Count() + statuses_list.Count(), 0);
  EXPECT_EQ(Player->X, 2);  // positions stay
  EXPECT_EQ((std::vector{NumOfRooms, Rooms[0][0], Rooms[3][2], numoftraps}),
            (std::vector{1, 0, 1, 0}));
  EXPECT_EQ(Stage[30][5], 0);
  EXPECT_EQ(Stage[32][5], CellCode::Solid88);
  DeleteRoom(3, 2);  // the last room: (0, 0) stands again
  EXPECT_EQ((std::vector{NumOfRooms, Rooms[0][0], Rooms[3][2]}), (std::vector{1, 1, 0}));
  for (int i = 0; i < 17; ++i) Click(10, 1 + i, 8);  // sixteen gold at most
  EXPECT_EQ((std::vector{NumOfGold, Items_list.Count()}), (std::vector{16, 16}));
  numofitems = kMaxFileObjects;  // the file counts items in one byte
  Click(4, 5, 5);
  EXPECT_EQ(Items_list.Count(), 16);
}

TEST_F(EditorTest, PaintingLaddersAndBorderRings) {
  Show = 0;
  EditorLoop loop;
  loop.tool = 3;
  loop.sx = 744, loop.sy = 96;
  hl::MoveMouseNow(760, 100);
  hl::ButtonDownNow(1);
  PaintHeld(loop);
  hl::ButtonUpNow(1);
  EXPECT_EQ(Stage[30][4], CellCode::Ladder);
  EXPECT_EQ(Stage[31][4], CellCode::LadderRight);
  Stage[1][5] = CellCode::Ladder;
  struct Case {
    int second, tool, c, r, code;
  };
  const Case cases[] = {
      {0, 1, 0, 0, 1},  {0, 1, 31, 23, 1}, {0, 1, 5, 23, 1},  {0, 1, 5, 22, 0}, {0, 1, 1, 1, 0},
      {0, 1, 31, 4, 1}, {1, 3, 1, 1, 2},   {1, 3, 30, 22, 2}, {1, 3, 1, 5, 2},  {1, 3, 0, 12, 2},
      {1, 3, 2, 2, 0},  {1, 3, 32, 0, 0},  // the next room is left alone
  };
  for (const Case& c : cases) {
    DrawBorder(c.second, c.tool);
    EXPECT_EQ(Stage[c.c][c.r], c.code) << c.second << " " << c.c << "," << c.r;
  }
}

}  // namespace

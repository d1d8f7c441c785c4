// The palette, the room map and the bottom panel's buttons at their pixel edges.
#include "core/globals.h"
#include "editor/editor.h"
#include "editor/palette.h"
#include "editor_test.h"

namespace {

using editortest::EditorTest;

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
    EXPECT_EQ(loop.tool, c.tool);
    EXPECT_EQ(loop.hx, c.hx);
    EXPECT_EQ(loop.hy, c.hy);
    EXPECT_EQ(RoomX * 10 + RoomY, c.roomX * 10 + c.roomY);
    EXPECT_EQ(NumOfRooms, c.rooms);
  }
  EXPECT_FALSE(OnPanel(641, 441));
  EXPECT_TRUE(OnPanel(641, 442));
  // With every room made a map click selects without making.
  NumOfRooms = 36;
  PanelClick(loop, 700, 490);
  EXPECT_EQ(Rooms[3][1], 0);
  EXPECT_EQ(RoomX * 10 + RoomY, 31);
}

TEST_F(EditorTest, ThemeButtonsByHalvesAndTheStoredButton) {
  Show = 1;
  struct Case {
    int mx, my, theme, backdrop, button;
  };
  const Case cases[] = {
      {260, 520, 2, 4, 6},  {285, 520, 2, 4, 6},   {286, 520, 2, 5, 7},
      {311, 520, 2, 5, 7},  {467, 500, 5, 11, 13}, {156, 544, 0, 0, 2},
      {312, 520, 3, 6, 8},  {600, 520, 5, 6, 19},  // x 572 on repeats the stored value
      {600, 520, 5, 6, 19}, {300, 545, 5, 6, -1},  // outside the band
      {300, 496, 5, 6, -1},
  };
  EditorLoop loop;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mx) + "," + std::to_string(c.my));
    BottomPanelClick(loop, c.mx, c.my);
    EXPECT_EQ(Worldtheme, c.theme);
    EXPECT_EQ(BackGround, c.backdrop);
    EXPECT_EQ(loop.button, c.button);
  }
}

}  // namespace

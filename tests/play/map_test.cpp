// The map screen: the room chooser's hit areas and marks, and what the plan shows.
#include "play/map.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "play/render.h"
#include "play/rules_fixture.h"

namespace playtest {
namespace {

class Map : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    ASSERT_TRUE(Mappy && Mappy2);
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    MakeRoom(0, 0);
    MakeRoom(1, 0);
    Rooms[2][2] = 2;  // neither drawn nor selectable
    MakeRoom(0, 5);
  }
  // One frame, always with the same pulse of the background.
  std::vector<media::Pixel> Frame() {
    ResetRenderGlobals();
    DrawMap();
    const media::Pixel* p = media::ShownPixels();
    return std::vector<media::Pixel>(p, p + 800 * 600);
  }
  // The shown picture's pixel at drawing coordinates (x, y).
  static media::Pixel At(const std::vector<media::Pixel>& f, int x, int y) {
    return f[y * 800 + x + 16] & 0xFFFFFF;
  }
  // Pixels that differ between two frames inside the plan box (x, y, w, h).
  static int Differ(const std::vector<media::Pixel>& a, const std::vector<media::Pixel>& b, int x,
                    int y, int w, int h) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) n += At(a, i, j) != At(b, i, j);
    return n;
  }
};

TEST_F(Map, ClicksChooseExistingRoomsOnlyInsideTheChooser) {
  const struct {
    int x, y, roomx, roomy;
  } cases[] = {
      {565, 255, 1, 0},  // room (1, 0)
      {520, 300, 0, 0},  // on the left outline
      {600, 250, 0, 0},  // on the top outline
      {610, 345, 0, 0},  // a room entry of 2
      {760, 300, 0, 0},  // right of the chooser
      {530, 489, 0, 5},  // the last row
      {530, 490, 0, 0},  // below it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    RoomXX = RoomYY = 0;
    media::headless::MoveMouseNow(c.x, c.y);
    media::headless::ClickNow(1);
    Frame();
    EXPECT_EQ(RoomXX, c.roomx);
    EXPECT_EQ(RoomYY, c.roomy);
  }
}

TEST_F(Map, TheChooserMarksExistingRoomsGreenAndTheRoomShownRed) {
  RoomXX = 1, RoomYY = 0;
  media::headless::MoveMouseNow(0, 0);
  const auto f = Frame();
  EXPECT_EQ(At(f, 540, 270), 0x00FF00u);  // (0, 0)
  EXPECT_EQ(At(f, 580, 270), 0xFF0000u);  // (1, 0), shown
  EXPECT_EQ(At(f, 620, 350), 0x000000u);  // (2, 2): entry 2
  EXPECT_EQ(At(f, 520, 250), 0xFFFFFFu);  // an outline's corner
  EXPECT_EQ(At(f, 540, 470), 0x00FF00u);  // (0, 5)
}

// A door of Height 3 shows two pictures, one of Height 1 none; the exit door, items, the
// player's start and enemies show in their room only, enemies at their start.
TEST_F(Map, ThePlanShowsTheRoomsObjectsAtSixteenPixelsACell) {
  media::headless::MoveMouseNow(0, 0);
  RoomXX = RoomYY = 0;
  Exitdoor->roomx = 1;
  Player->RoomX = 1;
  const auto empty = Frame();
  auto door = New<bbTraps>();
  door->Kind = TrapKind::OneWayLeft, door->X = 4, door->Y = 2, door->Height = 3;
  std::vector<std::vector<media::Pixel>> byHeight;
  for (int h = 1; h <= 4; ++h) {
    door->Height = h;
    byHeight.push_back(Frame());
  }
  EXPECT_EQ(Differ(empty, byHeight[0], 0, 185, 512, 384), 0);  // Height 1: none
  for (int h = 1; h < 4; ++h) {
    // Each further cell of height adds a picture 16 pixels below the last.
    EXPECT_EQ(Differ(byHeight[h - 1], byHeight[h], 0, 185, 512, 16 * (h + 1)), 0) << h;
    EXPECT_GT(Differ(byHeight[h - 1], byHeight[h], 0, 185 + 16 * (h + 1), 512, 32), 0) << h;
  }
  auto mummy = New<bbEnemies>();
  mummy->CoffineX = 20 * 24, mummy->CoffineY = 2 * 24;
  mummy->x = 768 + 100;  // walked into the next room: still shown at its start
  const auto shown = Frame();
  EXPECT_GT(Differ(byHeight[3], shown, 320, 185 + 48, 32, 32), 0);  // one row below the coffin
  EXPECT_EQ(Differ(byHeight[3], shown, 320, 185, 32, 48), 0);
  Exitdoor->roomx = 0, Exitdoor->x = 20, Exitdoor->y = 12;
  Player->RoomX = 0, PlayerX = 2 * 24, PlayerY = 12 * 24;
  const auto both = Frame();
  EXPECT_GT(Differ(shown, both, 320, 185 + 192, 64, 64), 0);
  EXPECT_GT(Differ(shown, both, 32, 185 + 192, 32, 32), 0);
}

}  // namespace
}  // namespace playtest

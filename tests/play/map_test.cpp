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
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    MakeRoom(0, 0);
    MakeRoom(1, 0);
    MakeRoom(0, 5);
    Rooms[2][2] = 2;  // neither drawn nor selectable
  }
  // One frame, with the same pulse of the background every time; pixels without alpha.
  std::vector<media::Pixel> Frame() {
    ResetRenderGlobals();
    DrawMap();
    std::vector<media::Pixel> f(media::ShownPixels(), media::ShownPixels() + 800 * 600);
    for (auto& p : f) p &= 0xFFFFFF;
    return f;
  }
  // Pixels that differ inside the box (x, y, w, h) of drawing coordinates.
  static int Differ(const std::vector<media::Pixel>& a, const std::vector<media::Pixel>& b, int x,
                    int y, int w, int h) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x + 16; i < x + 16 + w; ++i) n += a[j * 800 + i] != b[j * 800 + i];
    return n;
  }
};

TEST_F(Map, ClicksChooseExistingRoomsInsideTheChooserAndTheMarksFollow) {
  const int cases[][4] = {// mouse x, y, the room shown after the click
                          {565, 255, 1, 0}, {520, 300, 0, 0}, {600, 250, 0, 0}, {610, 345, 0, 0},
                          {760, 300, 0, 0}, {530, 489, 0, 5}, {530, 490, 0, 0}};
  for (const auto& c : cases) {
    RoomXX = RoomYY = 0;
    media::headless::MoveMouseNow(c[0], c[1]);
    media::headless::ClickNow(1);
    Frame();
    EXPECT_EQ(RoomXX * 10 + RoomYY, c[2] * 10 + c[3]) << c[0] << "," << c[1];
  }
  media::headless::MoveMouseNow(0, 0);
  RoomXX = 1, RoomYY = 0;
  const auto f = Frame();
  const int marks[][3] = {// x, y, colour: (0, 0) and (0, 5) green, (1, 0) red, (2, 2) none
                          {540, 270, 0x00FF00},
                          {580, 270, 0xFF0000},
                          {540, 470, 0x00FF00},
                          {620, 350, 0x000000},
                          {520, 250, 0xFFFFFF}};
  for (const auto& m : marks) EXPECT_EQ(f[m[1] * 800 + m[0] + 16], media::Pixel(m[2])) << m[0];
}

// A door of Height h shows h - 1 pictures down from its cell; a mummy shows at its start, one
// row below its coffin, in its origin room whatever room it is in now.
TEST_F(Map, ThePlanShowsDoorsByTheirHeightAndEnemiesWhereTheyStart) {
  media::headless::MoveMouseNow(0, 0);
  RoomXX = RoomYY = 0;
  Exitdoor->roomx = Player->RoomX = 1;
  const auto empty = Frame();
  auto door = New<bbTraps>();
  door->Kind = TrapKind::OneWayLeft, door->X = 4, door->Y = 2;
  std::vector<std::vector<media::Pixel>> byHeight;
  for (int h = 1; h <= 4; ++h) {
    door->Height = h;
    byHeight.push_back(Frame());
  }
  EXPECT_EQ(Differ(empty, byHeight[0], 0, 185, 512, 384), 0);
  for (int h = 1; h < 4; ++h) {
    EXPECT_EQ(Differ(byHeight[h - 1], byHeight[h], 0, 185, 512, 16 * (h + 1)), 0) << h;
    EXPECT_GT(Differ(byHeight[h - 1], byHeight[h], 0, 185 + 16 * (h + 1), 512, 32), 0) << h;
  }
  auto mummy = New<bbEnemies>();
  mummy->CoffineX = 20 * 24, mummy->CoffineY = 2 * 24, mummy->x = 768 + 100;
  const auto shown = Frame();
  EXPECT_GT(Differ(byHeight[3], shown, 320, 185 + 48, 32, 32), 0);
  EXPECT_EQ(Differ(byHeight[3], shown, 320, 185, 32, 48), 0);
}

}  // namespace
}  // namespace playtest

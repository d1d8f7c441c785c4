// Thrown weapons in small worlds: flight, the stop probes, 40 ticks stuck, the drop and the
// landing as an item, the catch, and the hits on enemies by their state.
#include "play/weapons.h"

#include <gtest/gtest.h>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/enemies.h"
#include "play/rules_fixture.h"

namespace playtest {
namespace {

class Weapons : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
  // A kind-0 weapon as the throw makes it, top-left at world (x, y).
  static std::shared_ptr<bbWeapons> Thrown(int x, int y, int direction) {
    auto w = New<bbWeapons>();
    w->Frame = 56, w->State = 1, w->Direction = direction, w->x = x, w->y = y;
    return w;
  }
};

TEST_F(Weapons, FliesSticksFortyTicksDropsAndLandsAsOneItem) {
  for (int c = 0; c < 8; ++c) SetRoomCell(0, 0, c, kFloorRow - 2, 1);  // a ledge to throw from
  for (int r = 0; r < kFloorRow; ++r) SetRoomCell(0, 0, 20, r, 1);
  PlaceAt(60, kStandY - 48);
  Player->State = Tool::Weapon1, Player->LastDirection = 1;
  Audible(sndBoome, "Boome");
  Hit(media::KEY_SPACE);
  Pass();
  auto w = Weapon;
  for (int t = 0; w->State == 1 && t < 100; ++t) Pass();
  EXPECT_EQ(Plays(), 1);  // the flight sound, once
  EXPECT_EQ(w->x, 432);   // x + 47 met column 20 at x 438: back to the cell boundary
  Passes(40);
  EXPECT_EQ(w->State, 21);
  Pass();
  EXPECT_EQ(w->State, 14);
  Passes(4);
  EXPECT_EQ(w->y, kStandY);
  Pass();
  EXPECT_EQ(Weapons_list.Count(), 0);
  ASSERT_EQ(Items_list.Count(), 1);
  EXPECT_EQ(std::vector<int>({item->kind, item->frame, item->X, item->Y}),
            std::vector<int>({1, 8, 18, kFloorRow - 2}));
}

TEST_F(Weapons, StopProbesDifferByDirection) {
  // A wall only in the weapon's upper row: flying right, only the top-left probe meets it.
  const int cases[][4] = {{1, 102, 0, 432}, {1, 102, 1, 480}, {0, 400, 0, 120}, {0, 400, 1, 120}};
  for (const auto& c : cases) {  // direction, x, upper row only, where it sticks
    for (int r = 0; r < 24; ++r) SetRoomCell(0, 0, 20, r, 0), SetRoomCell(0, 0, 4, r, 0);
    const int column = c[0] == 1 ? 20 : 4;
    SetRoomCell(0, 0, column, 10, 1), SetRoomCell(0, 0, column, 11, 1 - c[2]);
    auto w = Thrown(c[1], 240, c[0]);
    for (int t = 0; t < 100 && w->State == 1; ++t) UpdateWeapons();
    EXPECT_EQ(w->x, c[3]) << c[0] << " " << c[2];
    w->Remove();
  }
}

TEST_F(Weapons, CatchNeedsEmptyHandsTheGroundNineTicksAndNoStuckWeapon) {
  const int cases[][5] = {// counter, tool, action, weapon state, caught
                          {8, Tool::None, Act::Ground, 1, 1},
                          {7, Tool::None, Act::Ground, 1, 0},
                          {8, Tool::SideOne, Act::Ground, 14, 0},
                          {8, Tool::None, Act::Jump, 1, 0},
                          {20, Tool::None, Act::Ground, 21, 0}};
  PlaceAt(300, 100);
  for (const auto& c : cases) {
    auto w = Thrown(300, 100, 1);
    w->CollideCounter = c[0], w->State = c[3];
    Player->State = c[1], Player->Action = c[2];
    UpdateWeapons();
    EXPECT_EQ(Player->State, c[4] ? Tool::Weapon0 : c[1]) << c[0] << " " << c[3];
    w->Remove();
  }
}

TEST_F(Weapons, HitsOnEnemiesByKindAndState) {
  namespace S = EnemyState;
  const int cases[][6] = {
      // kind, state, frame, dy, state after, stuck
      {0, S::Halting, 22, 10, S::Dying, 1},  {0, S::Halting, 22, 11, S::Halting, 0},
      {1, S::Forming, 22, 0, S::Forming, 0}, {1, S::Dying, 20, 0, S::Dying, 0},
      {2, S::Moving, 12, 0, S::Resting, 1},  {2, S::Halting, 26, 0, S::Halting, 0},
      {3, S::Moving, 16, -10, S::Dying, 1}};
  PlaceAt(700, 48);
  for (const auto& c : cases) {
    auto e = Spawn(c[0], 0, 0);
    e->State = c[1], e->frame = c[2], e->HaltingCounter = 2, e->LifeSpan = 3;
    e->x = 301, e->y = 240 + c[3];
    auto w = Thrown(292, 240, 1);
    UpdateWeapons();
    EXPECT_EQ(e->State * 100 + w->State, c[4] * 100 + (c[5] ? 21 : 1)) << c[0] << " " << c[1];
    if (c[5]) {
      // A rock stops on the cell grid and drops off; a mummy killed while halting keeps its
      // halt-step count.
      EXPECT_EQ(std::vector<int>({e->LifeSpan, e->x}),
                std::vector<int>({c[0] == 2 ? 4 : 0, c[0] == 2 ? 288 : 301}));
      UpdateEnemies();
      EXPECT_EQ(e->HaltingCounter, c[0] == 2 ? 0 : 3);
    }
    e->Remove();
    w->Remove();
  }
}

}  // namespace
}  // namespace playtest

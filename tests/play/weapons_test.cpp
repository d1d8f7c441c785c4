// Thrown weapons in small worlds: flight, the stop probes, 40 ticks stuck, the drop and the
// landing as an item, the catch, the hits on enemies by their state, and re-homing.
#include "play/weapons.h"

#include <gtest/gtest.h>

#include <memory>

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
    PlaceAt(20);
  }
  // A weapon of kind 0 as the throw makes it, top-left at world (x, y).
  static std::shared_ptr<bbWeapons> Throw(int x, int y, int direction) {
    auto w = New<bbWeapons>();
    w->Frame = 56, w->State = 1, w->Direction = direction, w->x = x, w->y = y;
    return w;
  }
};

TEST_F(Weapons, FliesSticksFortyTicksDropsAndLandsAsOneItem) {
  // A ledge under the thrower, a wall further right, the floor below.
  for (int c = 0; c < 8; ++c) SetRoomCell(0, 0, c, kFloorRow - 2, 1);
  for (int r = 0; r < kFloorRow; ++r) SetRoomCell(0, 0, 20, r, 1);
  PlaceAt(60, kStandY - 48);
  Player->State = Tool::Weapon1, Player->LastDirection = 1;
  Audible(sndBoome, "Boome");
  Hit(media::KEY_SPACE);
  Pass();
  ASSERT_EQ(Weapons_list.Count(), 1);
  auto w = Weapon;
  int t = 1;
  for (; w->State == 1 && t < 100; ++t) Pass();
  EXPECT_EQ(Plays(), 1);  // the flight sound, once
  EXPECT_EQ(w->State, 21);
  EXPECT_EQ(w->x, 432);  // x + 47 met column 20 at x 438: back to the cell boundary
  Passes(40);
  EXPECT_EQ(w->State, 21);
  Pass();
  EXPECT_EQ(w->State, 14);
  EXPECT_EQ(w->y, kStandY - 48);
  Passes(4);
  EXPECT_EQ(w->y, kStandY);
  Pass();
  EXPECT_EQ(Weapons_list.Count(), 0);
  ASSERT_EQ(Items_list.Count(), 1);
  EXPECT_EQ(item->kind, 1);
  EXPECT_EQ(item->frame, 8);
  EXPECT_EQ(item->X, 18);
  EXPECT_EQ(item->Y, kFloorRow - 2);
}

TEST_F(Weapons, StopProbesDifferByDirection) {
  // A wall only in the weapon's upper row: flying right, only the top-left probe meets it.
  struct Case {
    int direction, x;
    bool upperOnly;
    int stuckX;
  } cases[] = {
      {1, 102, false, 432}, {1, 102, true, 480}, {0, 400, false, 120}, {0, 400, true, 120}};
  for (const Case& c : cases) {
    for (int r = 0; r < 24; ++r) SetRoomCell(0, 0, 20, r, 0), SetRoomCell(0, 0, 4, r, 0);
    const int column = c.direction == 1 ? 20 : 4;
    SetRoomCell(0, 0, column, 10, 1);
    if (!c.upperOnly) SetRoomCell(0, 0, column, 11, 1);
    auto w = Throw(c.x, 240, c.direction);
    for (int t = 0; t < 100 && w->State == 1; ++t) UpdateWeapons();
    EXPECT_EQ(w->x, c.stuckX) << c.direction << " " << c.upperOnly;
    w->Remove();
  }
}

TEST_F(Weapons, CatchNeedsEmptyHandsTheGroundNineTicksAndNoStuckWeapon) {
  struct Case {
    int counter, tool, action, state;
    bool caught;
  } cases[] = {
      {8, Tool::None, Act::Ground, 1, true},      {7, Tool::None, Act::Ground, 1, false},
      {8, Tool::SideOne, Act::Ground, 14, false}, {8, Tool::None, Act::Jump, 1, false},
      {8, Tool::None, Act::Ground, 21, false},    {20, Tool::None, Act::Ground, 14, true},
  };
  PlaceAt(300, 100);
  for (const Case& c : cases) {
    auto w = Throw(300, 100, 1);
    w->CollideCounter = c.counter, w->State = c.state;
    Player->State = c.tool, Player->Action = c.action, Player->Direction = 1;
    UpdateWeapons();
    EXPECT_EQ(Weapons_list.Count(), c.caught ? 0 : 1) << c.counter << " " << c.state;
    EXPECT_EQ(Player->State, c.caught ? Tool::Weapon0 : c.tool);
    if (c.caught) {
      EXPECT_EQ(Player->Frame, (3 + 1) * 4);
    }
    w->Remove();
  }
}

TEST_F(Weapons, HitsOnEnemiesByKindAndState) {
  struct Case {
    int kind, state, frame, dy, after;
    bool stuck;
  } cases[] = {
      {0, EnemyState::Halting, 22, 10, EnemyState::Dying, true},
      {0, EnemyState::Halting, 22, 11, EnemyState::Halting, false},
      {1, EnemyState::Forming, 22, 0, EnemyState::Forming, false},
      {1, EnemyState::Dying, 20, 0, EnemyState::Dying, false},
      {2, EnemyState::Moving, 12, 0, EnemyState::Resting, true},
      {2, EnemyState::Halting, 26, 0, EnemyState::Halting, false},
      {3, EnemyState::Moving, 16, -10, EnemyState::Dying, true},
  };
  PlaceAt(700, 48);
  for (const Case& c : cases) {
    auto e = New<bbEnemies>();
    e->Kind = c.kind, e->State = c.state, e->frame = c.frame, e->HaltingCounter = 2;
    e->x = 301, e->y = 240 + c.dy, e->framecounter = 1, e->LifeSpan = 3, e->FrameRate = 5;
    auto w = Throw(292, 240, 1);
    UpdateWeapons();
    EXPECT_EQ(e->State, c.after) << c.kind << " " << c.state << " " << c.dy;
    EXPECT_EQ(w->State, c.stuck ? 21 : 1) << c.kind << " " << c.state << " " << c.dy;
    if (c.after == EnemyState::Resting) {
      EXPECT_EQ(e->x, 288);
    }
    if (c.stuck) {
      EXPECT_EQ(e->LifeSpan, c.kind == 2 ? 4 : 0);
    }
    // A mummy killed while halting keeps its halt-step count as its dying count.
    if (c.stuck && c.kind != 2) {
      UpdateEnemies();
      EXPECT_EQ(e->HaltingCounter, 3);
    }
    e->Remove();
    w->Remove();
  }
}

TEST_F(Weapons, LeavingARoomEntersTheNeighbourOrWraps) {
  MakeRoom(1, 0);
  MakeRoom(0, 1);
  struct Case {
    int rx, ry, x, y, toRx, toRy, toX, toY;
  } cases[] = {
      {0, 0, 766 + 3, 100, 1, 0, 768 + 4, 100},  // into the neighbour
      {1, 0, 768 + 767, 100, 0, 0, 4, 100},      // the row's first room
      {0, 0, 3, 100, 1, 0, 768 + 766, 100},      // the row's last room
      {0, 0, 100, 576, 0, 1, 100, 576 + 4},      // the room below
      {0, 1, 100, 2 * 576, 0, 0, 100, 4},        // the column's top room
  };
  for (const Case& c : cases) {
    auto w = Throw(c.x, c.y, 1);
    w->roomx = c.rx, w->roomy = c.ry;
    Weapon = w;
    FindWeaponRoom();
    EXPECT_EQ(w->roomx, c.toRx) << c.x << " " << c.y;
    EXPECT_EQ(w->roomy, c.toRy) << c.x << " " << c.y;
    EXPECT_EQ(w->x, c.toX);
    EXPECT_EQ(w->y, c.toY);
    w->Remove();
  }
}

}  // namespace
}  // namespace playtest

// Enemies in small worlds run for N ticks: the coffin's beats, the pony's cloud, the rock's
// wait, roll and rest, re-homing, and where enemies meet the traps.
#include "play/enemies.h"

#include <gtest/gtest.h>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/weapons.h"

namespace playtest {
namespace {

namespace S = EnemyState;
constexpr int kRow = kFloorRow - 2;  // the top cell row of a body standing on the floor

class Enemies : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    PlaceAt(700);
  }
  static void Ticks(int n) {
    for (int i = 0; i < n; ++i) UpdateEnemies();
  }
};

// Each kind's timings from the stage start: the coffin's beats (visible from 160, out at 240,
// walking at 320), the pony's cloud (out at 140), the rock's forming (140) and wait (120).
TEST_F(Enemies, EachKindKeepsItsTimings) {
  const int marks[][4] = {// kind, tick, state, visible
                          {0, 159, S::Forming, 0}, {0, 160, S::Forming, 1}, {0, 239, S::Forming, 1},
                          {0, 240, S::Halting, 1}, {0, 319, S::Halting, 1}, {0, 320, S::Moving, 1},
                          {3, 1, S::Forming, 1},   {3, 139, S::Forming, 1}, {3, 140, S::Halting, 1},
                          {3, 141, S::Moving, 1},  {2, 140, S::Halting, 1}, {2, 259, S::Halting, 1},
                          {2, 260, S::Moving, 1}};
  std::shared_ptr<bbEnemies> e;
  auto turned = [&e] { EXPECT_TRUE(!e || e->Direction == 1) << e->Kind; };  // toward the player
  int tick = 0;
  for (const auto& m : marks) {
    if (!e || e->Kind != m[0]) turned(), ClearEnemies(), e = Spawn(m[0], 12, kRow), tick = 0;
    for (; tick < m[1]; ++tick) UpdateEnemies();
    EXPECT_EQ(e->State * 10 + e->Visible, m[2] * 10 + m[3]) << m[0] << " " << m[1];
  }
  turned();
}

TEST_F(Enemies, ReHomingEntersNeighboursAndWrapsAlongRowsAndColumns) {
  MakeRoom(1, 0);
  MakeRoom(0, 1);
  Rooms[2][0] = 2;  // no neighbour, but the wrap search finds it
  struct Case {
    int rx, ry, lx, ly, toRx, toRy, x, y;
  } cases[] = {
      {0, 0, 763, 100, 1, 0, 768 + 3, 100},
      {1, 0, 763, 100, 0, 0, 3, 100},
      {0, 0, 2, 100, 2, 0, 2 * 768 + 762, 100},
      {0, 0, 100, 576, 0, 1, 100, 576 + 4},
      {0, 1, 100, 576, 0, 0, 100, 4},
      {0, 0, 100, 5, 0, 1, 100, 576 + 573},
      {4, 4, 763, 100, 4, 4, 4 * 768 + 3, 4 * 576 + 100},  // a room the stage lacks
  };
  for (const Case& c : cases) {
    auto e = Spawn(EnemyKind::SlowMummy, 0, 0, c.rx, c.ry);
    e->x = c.rx * 768 + c.lx, e->y = c.ry * 576 + c.ly;
    Enemy = e;
    FindEnemyRoom();
    EXPECT_EQ(std::vector<int>({e->RoomX, e->RoomY, e->x, e->y}),
              std::vector<int>({c.toRx, c.toRy, c.x, c.y}));
  }
}

TEST_F(Enemies, RockWaitsRollsRestsAsSolidCellsAndGivesThemBack) {
  for (int r = kRow - 1; r < kFloorRow; ++r) SetRoomCell(0, 0, 3, r, 1);
  SetRoomCell(0, 0, 4, kRow, CellCode::Ladder);  // where the rock will rest
  SetRoomCell(0, 0, 5, kRow, CellCode::LadderRight);
  PlaceAt(100, 300);
  auto rock = Spawn(EnemyKind::Rock, 12, kRow);
  rock->State = S::Moving;
  for (int t = 0; t < 300 && rock->State == S::Moving; ++t) UpdateEnemies();
  ASSERT_EQ(rock->State, S::Resting);
  EXPECT_EQ(rock->x, 4 * 24);
  UpdateEnemies();
  for (int c = 4; c <= 5; ++c)
    for (int r = kRow; r <= kRow + 1; ++r) EXPECT_EQ(RoomCell(0, 0, c, r), 88);
  Ticks(398);
  EXPECT_EQ(rock->State, S::Resting);
  Ticks(1);
  EXPECT_EQ(rock->State, S::Halting);
  EXPECT_EQ(RoomCell(0, 0, 4, kRow), CellCode::Ladder);
  EXPECT_EQ(RoomCell(0, 0, 5, kRow), CellCode::LadderRight);
  EXPECT_EQ(RoomCell(0, 0, 4, kRow + 1), 0);
  // A player coming down on the waiting rock dies without losing a life.
  const int lives = Player->Lives;
  PlaceAt(4 * 24 + 20, kStandY - 20);
  bld = brd = 0;
  UpdateEnemies();
  EXPECT_EQ(Player->Action, Act::Dying);
  EXPECT_EQ(Player->Lives, lives);
}

// Code 88 where the traps and the enemies meet: a mummy walks on a crumbling floor's 88 cells
// and through a resting rock's (neither floor nor wall to it is missing), the rock's cells stay
// 88 while it rests; when the floor gives way under the player's crossings, a mummy there falls.
TEST_F(Enemies, AMummyWalksOverCrumblingFloorAndRestingRockCellsAndFallsWhenTheFloorGives) {
  for (int c = 10; c <= 13; ++c) SetRoomCell(0, 0, c, kFloorRow, CellCode::Solid88);
  auto floor = New<bbTraps>();
  floor->Kind = TrapKind::Crumble, floor->X = 10, floor->Y = kFloorRow - 1;
  auto rock = Spawn(EnemyKind::Rock, 16, kRow);
  rock->State = S::Resting;
  auto m = Spawn(EnemyKind::SlowMummy, 4, kRow);
  m->State = S::Moving, m->Direction = 1, m->FrameRate = 1;
  for (int t = 0; t < 240; ++t) {
    UpdateEnemies();
    ASSERT_EQ(m->State, S::Moving) << t;
    ASSERT_EQ(RoomCell(0, 0, 17, kRow + 1), CellCode::Solid88) << t;
  }
  EXPECT_EQ(m->x, 4 * 24 + 360);  // past the rock, at its own pace
  EXPECT_EQ(m->y, kRow * 24);
  floor->NumOfPass = 2;
  ActivateTrap();
  EXPECT_EQ(Traps_list.Count(), 0);
  for (int c = 10; c <= 13; ++c) EXPECT_EQ(RoomCell(0, 0, c, kFloorRow), CellCode::Empty);
  m->x = 10 * 24;
  Ticks(2);
  EXPECT_EQ(m->State, S::Falling);
  EXPECT_GT(m->y, kRow * 24);
}

}  // namespace
}  // namespace playtest

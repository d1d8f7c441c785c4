// Enemies in small worlds run for N ticks: the coffin's beats, the mummy's walk and climb, the
// pony's cloud, hop and rebirth, the rock's wait, roll and rest, the contact box, the turn rules
// at their pixel boundaries, re-homing, and where enemies meet the traps.
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

// A mummy walks 3 pixels every second tick up to the player and kills once; a slow mummy climbs
// only on difficulty 2 (3 pixels a tick, its turn count reset), a fast one always (9).
TEST_F(Enemies, AMummyWalksAndKillsOnceAndClimbsByKindAndDifficulty) {
  auto m = Spawn(EnemyKind::SlowMummy, 4, kRow);
  m->State = S::Moving, m->Direction = 1, m->FrameRate = 1;
  const int lives = Player->Lives;
  Ticks(100);
  EXPECT_EQ(m->x, 4 * 24 + 150);
  for (int t = 0; t < 400 && Player->Action != Act::Dying; ++t) UpdateEnemies();
  EXPECT_TRUE(700 - m->x <= 24 && 700 - m->x > 21) << m->x;  // the contact box; steps of 3
  Ticks(50);
  EXPECT_EQ(Player->Lives, lives - 1);
  const int cases[][3] = {{0, 1, 0}, {0, 2, -3}, {1, 1, -9}, {1, 2, -9}};  // kind, difficulty, ys
  for (int r = 0; r < kFloorRow; ++r) SetRoomCell(0, 0, 9, r, CellCode::Ladder);
  PlaceAt(100, 48);
  for (const auto& c : cases) {
    ClearEnemies();
    Difficulity = c[1];
    m = Spawn(c[0], 0, kRow);
    m->x = 10 * 24 + 2, m->State = S::Moving, m->MovingCounter = 21, m->LifeSpan = 5;
    UpdateEnemies();  // left-head, at x - 3, lies in the ladder column
    EXPECT_EQ(m->ys * 10 + m->LifeSpan, c[2] * 10 + (c[2] != 0 && c[1] == 2 ? 0 : 5)) << c[0];
  }
}

// A pony hops along the jump curve (45 up, 51 across), then reads the cells under it from a step
// up: a tick of falling, then it hops on; it is born again 400 ticks after dying.
TEST_F(Enemies, PonyHopsAlongTheJumpCurveAndIsBornAgain) {
  auto p = Spawn(EnemyKind::Pony, 4, kRow);
  p->State = S::Halting;
  const int y0 = p->y;
  int top = y0;
  for (int t = 0; t < 55; ++t, top = std::min(top, p->y)) UpdateEnemies();
  EXPECT_EQ(std::vector<int>({y0 - top, p->y, p->x, p->State}),
            std::vector<int>({45, y0, 4 * 24 + 51, S::Falling}));
  Ticks(1);
  EXPECT_EQ(p->State, S::Moving);
  p->State = S::Dying, p->HaltingCounter = 1;
  Ticks(398);
  EXPECT_EQ(p->State, S::Dying);
  Ticks(1);
  EXPECT_EQ(std::vector<int>({p->State, p->x, p->y, p->frame}),
            std::vector<int>({S::Forming, 4 * 24, y0, 28}));
}

TEST_F(Enemies, WallsTurnAWalkerAtItsProbesAHaltLooksFurtherAndTheFifteenthTurnKills) {
  SetRoomCell(0, 0, 20, kRow, 1);  // a wall at pixels 480 to 503
  SetRoomCell(0, 0, 20, kRow + 1, 1);
  struct Case {
    int state, direction, x, lifeSpan, after;
    bool turns;
  } cases[] = {
      {S::Moving, 0, 506, 0, S::Halting, true}, {S::Moving, 0, 507, 0, S::Moving, false},   // x-3
      {S::Moving, 1, 435, 0, S::Halting, true}, {S::Moving, 1, 434, 0, S::Moving, false},   // x+45
      {S::Halting, 1, 429, 0, S::Moving, true}, {S::Halting, 1, 428, 0, S::Moving, false},  // x+51
      {S::Moving, 1, 435, 14, S::Dying, true},
  };
  for (const Case& c : cases) {
    ClearEnemies();
    auto m = Spawn(EnemyKind::SlowMummy, 0, kRow);
    m->x = c.x, m->State = c.state, m->Direction = c.direction, m->LifeSpan = c.lifeSpan;
    m->HaltingCounter = 3, m->FrameRate = 19;
    UpdateEnemies();
    EXPECT_EQ(m->State, c.after) << c.state << " " << c.x;
    EXPECT_EQ(m->Direction != c.direction, c.turns) << c.state << " " << c.x;
  }
}

// The contact box reaches 24 pixels each way; a dying mummy and a resting rock do not kill, a
// bouncing rock and an unknown kind do; two enemies at once take one life.
TEST_F(Enemies, ContactBoxStatesAndOneLifePerTick) {
  const int cases[][5] = {// kind, state, dx, dy, lives lost
                          {0, S::Forming, 24, 24, 1}, {0, S::Forming, -24, -24, 1},
                          {0, S::Forming, 25, 0, 0},  {0, S::Forming, 0, -25, 0},
                          {1, S::Dying, 0, 0, 0},     {2, S::Resting, 0, 0, 0},
                          {2, S::Bouncing, 10, 0, 1}, {77, S::Halting, 0, 0, 1}};
  for (const auto& c : cases) {
    ClearEnemies();
    PlaceAt(300);
    Player->Lives = 3;
    for (int copies = 0; copies < 2; ++copies) {
      auto e = Spawn(c[0], 0, 0);
      e->State = c[1], e->HaltingCounter = 5, e->x = 300 + c[2], e->y = kStandY + c[3];
    }
    UpdateEnemies();
    EXPECT_EQ(Player->Lives, 3 - c[4]) << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
  }
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

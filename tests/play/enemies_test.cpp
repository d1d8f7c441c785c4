// Enemies in small worlds run for N ticks: the mummy's coffin beats and walk, the pony's cloud
// and rebirth, the rock's wait, roll and rest, the contact box, the turn and climb rules at
// their pixel boundaries, re-homing, and a hostile crowd that must stay inside the grid.
#include "play/enemies.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/weapons.h"

namespace playtest {
namespace {

constexpr int kStandRow = kFloorRow - 2;  // the top cell row of a body standing on the floor

class Enemies : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    PlaceAt(700);
  }
  // An enemy as the stage reader makes it, its top-left at cell (c, r) of room (rx, ry).
  static std::shared_ptr<bbEnemies> Spawn(int kind, int c, int r = kStandRow, int rx = 0,
                                          int ry = 0) {
    auto e = New<bbEnemies>();
    e->Kind = kind;
    e->OriginRoomX = e->RoomX = rx;
    e->OriginRoomY = e->RoomY = ry;
    e->CoffineX = c * 24;
    e->CoffineY = (r - 1) * 24;
    e->x = rx * 768 + c * 24;
    e->y = ry * 576 + r * 24;
    return e;
  }
  static void Ticks(int n) {
    for (int i = 0; i < n; ++i) UpdateEnemies();
  }
};

TEST_F(Enemies, MummyLeavesItsCoffinOnTheBeatsThenWalksToThePlayerAndKillsOnce) {
  auto m = Spawn(EnemyKind::SlowMummy, 4);
  Ticks(159);
  EXPECT_EQ(m->Visible, 0);
  Ticks(1);
  EXPECT_EQ(m->Visible, 1);
  Ticks(79);
  EXPECT_EQ(m->State, EnemyState::Forming);
  Ticks(1);
  EXPECT_EQ(m->State, EnemyState::Halting);
  EXPECT_EQ(m->Direction, 1);
  Ticks(80);
  EXPECT_EQ(m->State, EnemyState::Moving);
  const int x0 = m->x;
  Ticks(100);
  EXPECT_EQ(m->x, x0 + 150);  // 3 pixels every second tick
  EXPECT_EQ(m->frame, 2);
  const int lives = Player->Lives;
  for (int t = 0; t < 400 && Player->Action != Act::Dying; ++t) UpdateEnemies();
  EXPECT_EQ(Player->Lives, lives - 1);
  EXPECT_LE(700 - m->x, 24);  // the contact box is 24 pixels; the last step was 3
  EXPECT_GT(700 - m->x, 21);
  Ticks(50);
  EXPECT_EQ(Player->Lives, lives - 1);
}

TEST_F(Enemies, ContactBoxStatesAndOneLifePerTick) {
  struct Case {
    int kind, state, dx, dy, lost;
  } cases[] = {
      {0, EnemyState::Forming, 24, 24, 1}, {0, EnemyState::Forming, -24, -24, 1},
      {0, EnemyState::Forming, 25, 0, 0},  {0, EnemyState::Forming, 0, -25, 0},
      {1, EnemyState::Dying, 0, 0, 0},     {2, EnemyState::Resting, 0, 0, 0},
      {2, EnemyState::Bouncing, 10, 0, 1}, {77, EnemyState::Halting, 0, 0, 1},
  };
  for (const Case& c : cases) {
    for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
    PlaceAt(300);
    Player->Lives = 3;
    for (int copies = 0; copies < 2; ++copies) {
      auto e = Spawn(c.kind, 0);
      e->State = c.state;
      e->HaltingCounter = 5;
      e->x = 300 + c.dx;
      e->y = kStandY + c.dy;
    }
    UpdateEnemies();
    EXPECT_EQ(Player->Lives, 3 - c.lost) << c.kind << " " << c.state << " " << c.dx << " " << c.dy;
    EXPECT_EQ(Player->Action, c.lost ? Act::Dying : Act::Ground);
  }
}

TEST_F(Enemies, WallsTurnAWalkerAtItsProbesAndAHaltLooksFurtherRight) {
  // A wall column at cell 20 (pixels 480 to 503), two cells high over the floor.
  SetRoomCell(0, 0, 20, kStandRow, 1);
  SetRoomCell(0, 0, 20, kStandRow + 1, 1);
  struct Case {
    int state, direction, x;
    bool turns;
  } cases[] = {
      {EnemyState::Moving, 0, 506, true},                                         // x - 3 = 503
      {EnemyState::Moving, 0, 507, false},                                        // x - 3 = 504
      {EnemyState::Moving, 1, 435, true},                                         // x + 45 = 480
      {EnemyState::Moving, 1, 434, false},  {EnemyState::Halting, 1, 429, true},  // x + 51 = 480
      {EnemyState::Halting, 1, 428, false},
  };
  for (const Case& c : cases) {
    for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
    auto m = Spawn(EnemyKind::SlowMummy, 0);
    m->x = c.x;
    m->State = c.state;
    m->Direction = c.direction;
    m->HaltingCounter = 3;
    m->FrameRate = 19;
    UpdateEnemies();
    EXPECT_EQ(m->Direction != c.direction, c.turns) << c.state << " " << c.x;
    EXPECT_EQ(m->LifeSpan, c.turns ? 1 : 0) << c.state << " " << c.x;
  }
}

TEST_F(Enemies, TheFifteenthTurnAroundKills) {
  SetRoomCell(0, 0, 20, kStandRow, 1);
  auto m = Spawn(EnemyKind::SlowMummy, 0);
  m->x = 435, m->State = EnemyState::Moving, m->Direction = 1, m->LifeSpan = 13;
  UpdateEnemies();
  EXPECT_EQ(m->State, EnemyState::Halting);
  m->State = EnemyState::Moving, m->Direction = 1;
  UpdateEnemies();
  EXPECT_EQ(m->State, EnemyState::Dying);
  EXPECT_EQ(m->LifeSpan, 0);
  Ticks(399);
  EXPECT_EQ(m->State, EnemyState::Dying);
  EXPECT_EQ(m->Visible, 0);
  Ticks(1);
  EXPECT_EQ(m->State, EnemyState::Forming);
  EXPECT_EQ(m->x, 0);
  EXPECT_EQ(m->y, kStandRow * 24);
}

TEST_F(Enemies, ClimbingFollowsKindAndDifficulty) {
  struct Case {
    int kind, difficulty, ys;  // ys 0: no climb
  } cases[] = {{0, 1, 0}, {0, 2, -3}, {1, 1, -9}, {1, 2, -9}};
  for (int r = 0; r < kFloorRow; ++r) SetRoomCell(0, 0, 9, r, CellCode::Ladder);
  PlaceAt(100, 48);
  for (const Case& c : cases) {
    for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
    Difficulity = c.difficulty;
    auto m = Spawn(c.kind, 0);
    m->x = 10 * 24 + 2;  // left-head at x - 3 lies in the ladder column
    m->State = EnemyState::Moving;
    m->MovingCounter = 21;
    m->LifeSpan = 5;
    UpdateEnemies();
    EXPECT_EQ(m->State == EnemyState::Climbing, c.ys != 0) << c.kind << " " << c.difficulty;
    EXPECT_EQ(m->ys, c.ys);
    if (c.ys != 0) {
      EXPECT_EQ(m->LifeSpan, c.difficulty == 2 ? 0 : 5);
    }
  }
}

TEST_F(Enemies, ReHomingEntersNeighboursAndWrapsAlongRowsAndColumns) {
  MakeRoom(1, 0);
  MakeRoom(0, 1);
  Rooms[2][0] = 2;  // an entry of 2 is no neighbour, but the wrap search finds it
  struct Case {
    int rx, ry, lx, ly, toRx, toRy, x, y;
  } cases[] = {
      {0, 0, 763, 100, 1, 0, 768 + 3, 100},                // into the neighbour on the right
      {1, 0, 763, 100, 0, 0, 3, 100},                      // no room beyond: the row's first room
      {0, 0, 2, 100, 2, 0, 2 * 768 + 762, 100},            // the far end of the row
      {0, 0, 100, 576, 0, 1, 100, 576 + 4},                // down into the room below
      {0, 1, 100, 576, 0, 0, 100, 4},                      // no room below: the column's top
      {0, 0, 100, 5, 0, 1, 100, 576 + 573},                // up past the top: the column's bottom
      {4, 4, 763, 100, 4, 4, 4 * 768 + 3, 4 * 576 + 100},  // a room the stage does not have
  };
  for (const Case& c : cases) {
    auto e = Spawn(EnemyKind::SlowMummy, 0, 0, c.rx, c.ry);
    e->x = c.rx * 768 + c.lx;
    e->y = c.ry * 576 + c.ly;
    Enemy = e;
    FindEnemyRoom();
    EXPECT_EQ(e->RoomX, c.toRx) << c.rx << c.ry << " " << c.lx << " " << c.ly;
    EXPECT_EQ(e->RoomY, c.toRy) << c.rx << c.ry << " " << c.lx << " " << c.ly;
    EXPECT_EQ(e->x, c.x);
    EXPECT_EQ(e->y, c.y);
  }
}

TEST_F(Enemies, PonyTakesShapeSetsOutAtTick140AndIsBornAgain400TicksAfterDying) {
  PlaceAt(4 * 24);
  auto p = Spawn(EnemyKind::Pony, 4);
  Ticks(1);
  EXPECT_EQ(p->Visible, 1);
  EXPECT_EQ(p->frame, 28);
  Ticks(139);
  EXPECT_EQ(p->State, EnemyState::Halting);
  Ticks(1);
  EXPECT_EQ(p->State, EnemyState::Moving);
  EXPECT_EQ(p->Direction, 1);  // the player exactly at its x
  p->State = EnemyState::Dying;
  p->x += 100;
  p->HaltingCounter = 1;  // no contact: the player's box is 24 pixels
  Ticks(398);
  EXPECT_EQ(p->State, EnemyState::Dying);
  Ticks(1);
  EXPECT_EQ(p->State, EnemyState::Forming);
  EXPECT_EQ(p->x, 4 * 24);
  EXPECT_EQ(p->frame, 28);
}

TEST_F(Enemies, PonyHopsAlongTheJumpCurveAndLandsWhereItBegan) {
  auto p = Spawn(EnemyKind::Pony, 4);
  p->State = EnemyState::Halting;
  const int y0 = p->y;
  Ticks(1);  // aims at the player on the right
  int top = p->y;
  for (int t = 0; t < 54; ++t) {
    UpdateEnemies();
    top = std::min(top, p->y);
  }
  EXPECT_EQ(y0 - top, 45);
  EXPECT_EQ(p->y, y0);
  EXPECT_EQ(p->x, 4 * 24 + 51);
  // The hop's last step reads the cells under it from one step up: a tick of falling finds
  // the floor and it hops on.
  EXPECT_EQ(p->State, EnemyState::Falling);
  Ticks(1);
  EXPECT_EQ(p->State, EnemyState::Moving);
  EXPECT_EQ(p->y, y0);
}

TEST_F(Enemies, RockWaitsRollsRestsAsSolidCellsAndGivesThemBack) {
  // A wall at column 3; ladder cells where the rock will come to rest next to it.
  for (int r = kStandRow - 1; r < kFloorRow; ++r) SetRoomCell(0, 0, 3, r, 1);
  SetRoomCell(0, 0, 4, kStandRow, CellCode::Ladder);
  SetRoomCell(0, 0, 5, kStandRow, CellCode::LadderRight);
  PlaceAt(100, 300);  // left of the rock, in the air, but far away
  auto rock = Spawn(EnemyKind::Rock, 12);
  Ticks(140);
  EXPECT_EQ(rock->State, EnemyState::Halting);
  Ticks(119);
  EXPECT_EQ(rock->State, EnemyState::Halting);
  Ticks(1);
  EXPECT_EQ(rock->State, EnemyState::Moving);
  EXPECT_EQ(rock->Direction, 0);
  for (int t = 0; t < 300 && rock->State == EnemyState::Moving; ++t) UpdateEnemies();
  ASSERT_EQ(rock->State, EnemyState::Resting);
  EXPECT_EQ(rock->x, 4 * 24);
  UpdateEnemies();
  for (int c = 4; c <= 5; ++c)
    for (int r = kStandRow; r <= kStandRow + 1; ++r) EXPECT_EQ(RoomCell(0, 0, c, r), 88);
  EXPECT_EQ(rock->Block1, CellCode::Ladder);
  EXPECT_EQ(rock->Block2, CellCode::LadderRight);
  Ticks(398);
  EXPECT_EQ(rock->State, EnemyState::Resting);
  Ticks(1);
  EXPECT_EQ(rock->State, EnemyState::Halting);
  EXPECT_EQ(RoomCell(0, 0, 4, kStandRow), CellCode::Ladder);
  EXPECT_EQ(RoomCell(0, 0, 5, kStandRow), CellCode::LadderRight);
  EXPECT_EQ(RoomCell(0, 0, 4, kStandRow + 1), 0);
  // A player coming down on the waiting rock dies without losing a life.
  const int lives = Player->Lives;
  PlaceAt(4 * 24 + 20, kStandY - 20);
  bld = brd = 0;
  UpdateEnemies();
  EXPECT_EQ(Player->Action, Act::Dying);
  EXPECT_EQ(Player->Lives, lives);
}

TEST_F(Enemies, RockDropsWhenItsFloorGoesAndBouncesAfterALongFall) {
  for (int c = 10; c <= 13; ++c) SetRoomCell(0, 0, c, 10, 1);
  auto rock = Spawn(EnemyKind::Rock, 11, 8);
  rock->State = EnemyState::Resting;
  UpdateEnemies();
  EXPECT_EQ(RoomCell(0, 0, 11, 8), 88);
  for (int c = 10; c <= 13; ++c) SetRoomCell(0, 0, c, 10, 0);
  UpdateEnemies();
  EXPECT_EQ(rock->State, EnemyState::Falling);
  EXPECT_EQ(RoomCell(0, 0, 11, 8), 0);
  for (int t = 0; t < 100 && rock->State == EnemyState::Falling; ++t) UpdateEnemies();
  EXPECT_EQ(rock->State, EnemyState::Bouncing);
  EXPECT_EQ(rock->y, kStandRow * 24);
  Ticks(35);
  EXPECT_EQ(rock->State, EnemyState::Bouncing);
  Ticks(1);
  EXPECT_EQ(rock->State, EnemyState::Resting);
  EXPECT_EQ(rock->y, kStandRow * 24);
}

// Enemies of every kind byte, with any frame, all over the grid and in rooms the stage does
// not have, with weapons flying among them: every cell they read or write lies in the grid
// (the sanitizer build checks the accesses), and they stay in rooms 0 to 5.
TEST_F(Enemies, AHostileCrowdStaysInsideTheGrid) {
  std::mt19937 rng(7);
  for (int rx = 0; rx < 6; ++rx) MakeRoom(rx, 5);
  MakeRoom(5, 0);
  MakeRoom(5, 3);
  for (auto& column : Stage)
    for (int& cell : column) cell = static_cast<int>(rng() % 5) == 0 ? 88 : rng() % 5;
  for (int i = 0; i < 255; ++i) {
    const int rx = rng() % 6, ry = rng() % 6;
    auto e = Spawn(i < 64 ? i % 4 : static_cast<int>(rng() % 256), rng() % 32, rng() % 24, rx, ry);
    e->frame = static_cast<int>(rng() % 256);
    if (i % 5 == 0) e->x = rx * 768 + (i % 2 == 0 ? 0 : 767);
    if (i % 7 == 0) e->y = ry * 576 + (i % 2 == 0 ? 0 : 575);
  }
  for (int t = 0; t < 2000; ++t) {
    if (t % 100 == 0) {
      auto w = New<bbWeapons>();
      w->kind = t % 2, w->Frame = 56 + 3 * (t % 2), w->State = 1, w->Direction = t % 3 == 0;
      w->roomx = RoomX = rng() % 6;
      w->roomy = RoomY = 5;
      w->x = RoomX * 768 + static_cast<int>(rng() % 768);
      w->y = 5 * 576 + static_cast<int>(rng() % 576);
    }
    Player->Action = Act::Ground;
    UpdateWeapons();
    UpdateEnemies();
  }
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    EXPECT_TRUE(e->RoomX >= 0 && e->RoomX <= 5 && e->RoomY >= 0 && e->RoomY <= 5);
    EXPECT_LT(std::abs(e->x - e->RoomX * 768), 2 * 768);
    EXPECT_LT(std::abs(e->y - e->RoomY * 576), 2 * 576);
  }
  EXPECT_EQ(Enemies_list.Count(), 255);
}

}  // namespace
}  // namespace playtest

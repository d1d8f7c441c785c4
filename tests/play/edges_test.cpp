// The rules at the edges of rooms and of the world: room changes and their wrap, stones and
// enemies re-homed, cells outside the grid, the contact box's reach, the keys and the joystick.
#include <gtest/gtest.h>

#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/enemies.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/traps.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN, media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP;
using Edges = RulesTest;

constexpr long long R(int rx, int ry) {
  return 1LL << (ry * 6 + rx);
}

TEST_F(Edges, RoomChangesWrapAroundTheRowOrColumn) {
  const long long row = R(0, 0) | R(1, 0) | R(3, 0), column = R(2, 0) | R(2, 1) | R(2, 4);
  const int S = kStandY;
  const struct {
    const char* name;
    long long rooms;
    int roomX, roomY, x, y, action, key, endRoomX, endRoomY, endX;
  } cases[] = {
      {"left into the room to the left", R(0, 2) | R(1, 2), 1, 2, -1, S, 0, KEY_LEFT, 0, 2, 757},
      {"left wraps to the row's far end", R(0, 1) | R(3, 1), 0, 1, -1, S, 0, KEY_LEFT, 3, 1, 757},
      {"a gap is not skipped", row, 3, 0, -1, S, 0, KEY_LEFT, 3, 0, 757},
      {"right over a gap: from column 0 up", row, 1, 0, 761, S, 0, KEY_RIGHT, 0, 0, 7},
      {"no key: stays outside", row, 1, 0, -2, S, 0, 0, 1, 0, -2},
      {"the wrong arrow: stays", row, 1, 0, -2, S, 0, KEY_RIGHT, 1, 0, 1},
      {"up into the room above", column, 2, 1, 300, -1, 15, KEY_UP, 2, 0, 300},
      {"up wraps: from row 5 down", column, 2, 0, 300, -1, 15, KEY_UP, 2, 4, 300},
      {"down wraps: from row 0 up", column, 2, 4, 300, 576, 15, KEY_DOWN, 2, 0, 300},
      {"none while jumping", row, 1, 0, -3, S, 13, KEY_LEFT, 1, 0, -3},
      {"a fall enters the room below", column, 2, 0, 300, 576, 14, 0, 2, 1, 300},
      {"a row without rooms keeps the room", R(0, 1), 0, 0, -1, S, 0, KEY_LEFT, 0, 0, 757},
      {"far out: empty cells, a wrap", R(5, 5), 5, 5, 5000, 500, 0, KEY_RIGHT, 5, 5, 7},
  };
  for (const auto& m : cases) {
    for (int rx = 0; rx < 6; ++rx)
      for (int ry = 0; ry < 6; ++ry) Rooms[rx][ry] = (m.rooms & R(rx, ry)) ? 1 : 0;
    RoomX = m.roomX, RoomY = m.roomY;
    PlaceAt(m.x, m.y);
    Player->Action = m.action;
    if (m.key) Hold(m.key);
    UpdatePlayer();
    if (m.key) Release(m.key);
    EXPECT_EQ(std::vector<int>({RoomX, RoomY, Player->X}),
              std::vector<int>({m.endRoomX, m.endRoomY, m.endX}))
        << m.name;
  }
  PlayRuns({{kActionUp, 100}});  // a replayed arrow changes the room only from outside it
  Rooms[2][0] = Rooms[2][1] = 1;
  RoomX = 2, RoomY = 1;
  for (int y : {5, -1}) {
    PlaceAt(300, y);
    Player->Action = 15;
    UpdatePlayer();
    EXPECT_EQ(RoomY, y < 0 ? 0 : 1);
  }
}

// A body at the side edge does not fall: walking off a floorless room's left side, no fall
// left of x 4.
TEST_F(Edges, NoFallAtTheSideEdge) {
  MakeRoom(0, 0, false);
  PlaceAt(6);
  Hold(KEY_LEFT);
  Passes(2);
  Release(KEY_LEFT);
  EXPECT_EQ(std::vector<int>({Player->X, Player->Y, Player->Action}),
            std::vector<int>({0, kStandY, 0}));
}

// Stones left, right and below, wrapping to the far end of the row or the top of the column,
// and off the world's last room column and row; enemies into a neighbour or along the wrap.
TEST_F(Edges, StonesAndEnemiesOutOfTheirRoomAreReHomed) {
  const struct {
    std::vector<std::pair<int, int>> rooms;
    int from[4], to[4];  // Roomx, Roomy, X, Y
  } stones[] = {
      {{{1, 0}, {2, 0}}, {2, 0, 0, 5}, {1, 0, 28, 5}},
      {{{0, 0}, {5, 0}}, {0, 0, 0, 5}, {5, 0, 28, 5}},
      {{{0, 0}, {3, 0}}, {0, 0, 0, 5}, {3, 0, 28, 5}},
      {{{0, 0}, {1, 0}}, {0, 0, 30, 5}, {1, 0, 1, 5}},
      {{{0, 0}, {2, 0}}, {2, 0, 30, 5}, {0, 0, 1, 5}},
      {{{5, 0}}, {5, 0, 31, 5}, {5, 0, 1, 5}},
      {{{0, 0}, {0, 1}}, {0, 0, 5, 25}, {0, 1, 5, 1}},
      {{{0, 0}, {0, 2}}, {0, 2, 5, 25}, {0, 0, 5, 1}},
      {{{5, 0}, {5, 5}}, {5, 5, 31, 25}, {5, 0, 1, 1}},
  };
  for (const auto& c : stones) {
    for (auto& column : Rooms)
      for (int& r : column) r = 0;
    for (auto [rx, ry] : c.rooms) Rooms[rx][ry] = 1;
    const int wc = c.to[0] * 32 + c.to[2], wr = c.to[1] * 24 + c.to[3];
    const int oc = c.from[0] * 32 + c.from[2], or_ = c.from[1] * 24 + c.from[3];
    const bool same = oc == wc && or_ == wr;  // a fall into the room below: the same cells
    Stage[wc][wr] = CellCode::Ladder;
    Trap = New<bbTraps>();
    Trap->Kind = TrapKind::Stone, Trap->X = c.from[2], Trap->Y = c.from[3];
    Trap->Roomx = c.from[0], Trap->Roomy = c.from[1], Trap->Block1 = 7;
    FindTrapRoom();
    EXPECT_EQ(
        (std::vector<int>{Trap->Roomx, Trap->Roomy, Trap->X, Trap->Y, Trap->Block1,
                          Stage[wc][wr] + Stage[wc + 1][wr + 1]}),
        (std::vector<int>{c.to[0], c.to[1], c.to[2], c.to[3], same ? 7 : CellCode::Ladder, 2}));
    const int back = oc < kStageCols && or_ < kStageRows ? 7 : 0;  // given back
    EXPECT_TRUE(same || CellAt(oc, or_) == back) << oc << "," << or_;
    Trap->Remove();
    ClearWorld();
  }
  Rooms[5][0] = Rooms[5][5] = 0;
  Rooms[0][0] = Rooms[1][0] = Rooms[0][1] = 1;
  Rooms[2][0] = 2;  // no neighbour, but the wrap search finds it
  const int enemies[][8] = {
      // room, room pixels; the room it ends in, world pixels
      {0, 0, 763, 100, 1, 0, 768 + 3, 100},
      {1, 0, 763, 100, 0, 0, 3, 100},
      {0, 0, 2, 100, 2, 0, 2 * 768 + 762, 100},
      {0, 0, 100, 576, 0, 1, 100, 576 + 4},
      {0, 1, 100, 576, 0, 0, 100, 4},
      {0, 0, 100, 5, 0, 1, 100, 576 + 573},
      {4, 4, 763, 100, 4, 4, 4 * 768 + 3, 4 * 576 + 100},  // a room the stage lacks
  };
  for (const auto& c : enemies) {
    auto e = Spawn(EnemyKind::SlowMummy, 0, 0, c[0], c[1]);
    e->x = c[0] * 768 + c[2], e->y = c[1] * 576 + c[3];
    Enemy = e;
    FindEnemyRoom();
    EXPECT_EQ(std::vector<int>({e->RoomX, e->RoomY, e->x, e->y}), std::vector<int>(c + 4, c + 8));
  }
}

// The contact box reaches 24 pixels each way; a dying mummy and a resting rock do not kill, a
// bouncing rock and an unknown kind do; two enemies at once take one life.
TEST_F(Edges, ContactBoxStatesAndOneLifePerTick) {
  namespace S = EnemyState;
  const int cases[][5] = {// kind, state, dx, dy, lives lost
                          {0, S::Forming, 24, 24, 1}, {0, S::Forming, -24, -24, 1},
                          {0, S::Forming, 25, 0, 0},  {0, S::Forming, 0, -25, 0},
                          {1, S::Dying, 0, 0, 0},     {2, S::Resting, 0, 0, 0},
                          {2, S::Bouncing, 10, 0, 1}, {77, S::Halting, 0, 0, 1}};
  MakeRoom(0, 0);
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

// Code 88 is neither floor nor wall to an enemy: a mummy walks over a crumbling floor's cells
// and through a resting rock's at its own pace.
TEST_F(Edges, AMummyWalksOverAndThroughCodeEightyEight) {
  namespace S = EnemyState;
  MakeRoom(0, 0);
  PlaceAt(700);
  for (int c = 10; c <= 13; ++c) SetRoomCell(0, 0, c, kFloorRow, CellCode::Solid88);
  Spawn(EnemyKind::Rock, 16, kFloorRow - 2)->State = S::Resting;
  auto m = Spawn(EnemyKind::SlowMummy, 4, kFloorRow - 2);
  m->State = S::Moving, m->Direction = 1, m->FrameRate = 1;
  for (int t = 0; t < 240; ++t) UpdateEnemies();
  EXPECT_EQ(std::vector<int>({m->State, m->x, m->y}),
            std::vector<int>({S::Moving, 4 * 24 + 360, (kFloorRow - 2) * 24}));
}

// Keys: left 1, right 2, down 3, up 4 summed; the joystick: up wins over down over right over
// left, its button 1 is fire, and the keys are not read with it. Cells outside the grid read
// as empty and take no writes.
TEST_F(Edges, KeysJoystickAndCellsOutsideTheGrid) {
  EXPECT_EQ(std::vector<int>({KeyCode(1, 0, 0, 0), KeyCode(0, 1, 0, 0), KeyCode(1, 1, 0, 0),
                              KeyCode(1, 0, 1, 0), KeyCode(1, 1, 1, 1), JoyCode(0, 0),
                              JoyCode(-1, 0), JoyCode(1, 0), JoyCode(-1, 1), JoyCode(1, -1)}),
            std::vector<int>({1, 2, 3, 4, 10, 0, 1, 2, 3, 4}));
  using media::headless::InputEvent;
  MakeRoom(0, 0);
  Control = 1;
  PlaceAt(300);
  media::headless::SetScript({{0, InputEvent::JoyAxis, 0, 32767, 0}});
  Passes(4);
  EXPECT_EQ(Player->X, 312);
  media::headless::SetScript(
      {{0, InputEvent::JoyAxis, 0, 0, 0}, {0, InputEvent::JoyButtonDown, 1, 0, 0}});
  Hold(KEY_LEFT);
  Pass();
  Release(KEY_LEFT);
  EXPECT_EQ(Player->X * 100 + Player->Action, 31213);
  for (auto& column : Stage)
    for (int& cell : column) cell = 1;
  RoomX = RoomY = 5;
  PlaceAt(880, 600);
  TakeProbes();
  EXPECT_EQ(std::vector<int>({tl, bl, tr, bld}), std::vector<int>({1, 1, 0, 0}));
  SetCell(197, 0, 5);
  SetCell(-1, 3, 5);
  EXPECT_EQ(std::vector<int>({CellAt(196, 146), CellAt(197, 0), CellAt(0, -1), CellAt(196, 0)}),
            std::vector<int>({1, 0, 0, 1}));
}

}  // namespace
}  // namespace playtest

// The player's moves as small scenarios: keys held for some ticks in a room built for the
// case, and where the body ends up. Figures follow from 3 pixels a step, 24-pixel cells and a
// 48 x 48 body whose probes sit at its edges.
#include <gtest/gtest.h>

#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN;
using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;
using media::KEY_UP;

class RulesMoves : public RulesTest {
 protected:
  // Room (0, 0) with its floor and nothing else; the player standing, at rest.
  void Fresh() {
    ClearWorld();
    MakeRoom(0, 0);
    Player->FrameRate = 0;
  }
};

// Cells c0..c1 x r0..r1 of room (0, 0) set to `code`.
struct Box {
  int c0, r0, c1, r1, code;
};
using Boxes = std::vector<Box>;

// Keys: held for holdTicks passes; kFire hits Space before the first.
constexpr int kLeft = 1, kRight = 2, kUp = 4, kDown = 8, kFire = 16;

struct Move {
  const char* name;
  const Boxes* cells;
  int x, y, keys, holdTicks, passes;
  int endX, endY, action;
};

TEST_F(RulesMoves, Scenarios) {
  const int up = 11 * 24 - 48;  // standing on the upper floor
  // A ladder in columns 10 and 11 from the upper floor (row 11) down to the floor.
  const Boxes none, ladder = {{0, 11, 31, 11, 1}, {10, 11, 10, 19, 3}, {11, 11, 11, 19, 99}};
  const Boxes blockedLadder = {
      {0, 11, 31, 11, 1}, {10, 11, 10, 19, 3}, {11, 11, 11, 19, 99}, {11, 16, 11, 16, 1}};
  const Boxes wallRight = {{10, 18, 10, 19, 1}}, bricksLeft = {{3, 18, 3, 19, 2}};
  const Boxes crumbling = {{10, 19, 10, 19, 88}}, crumblingBelow = {{13, 20, 13, 20, 88}};
  const Boxes floorEnds = {{12, 20, 31, 20, 0}}, noFloor = {{0, 20, 31, 20, 0}};
  const Boxes ladderBeside = {{2, 18, 2, 18, 3}}, ladderUnder = {{2, 19, 2, 19, 4}};
  const Boxes tallWall = {{14, 14, 14, 19, 1}}, higherFloor = {{7, 19, 31, 19, 1}};
  const Boxes ledge = {{7, 18, 7, 19, 1}}, overHead = {{14, 17, 14, 17, 2}};
  const int S = kStandY, L = kLeft, R = kRight, U = kUp, D = kDown, F = kFire;
  const std::vector<Move> moves = {
      {"walk right", &none, 300, S, R, 99, 5, 315, S, 0},
      {"a wall stops the right edge 2 px in", &wallRight, 120, S, R, 99, 40, 195, S, 0},
      {"a brick wall on the left", &bricksLeft, 120, S, L, 99, 60, 93, S, 0},
      {"a crumbling cell at the feet blocks", &crumbling, 150, S, R, 99, 30, 195, S, 0},
      {"walking off the floor: a fall from x 288", &floorEnds, 240, S, R, 99, 16, 288, S + 12, 14},
      {"no fall left of x 4", &noFloor, 6, S, L, 99, 2, 0, S, 0},
      {"left and up together: nothing", &none, 300, S, L | U, 99, 3, 300, S, 0},
      {"up the ladder in 72 steps, snapped to it", &ladder, 230, S, U, 99, 73, 240, up, 0},
      {"down the ladder to the floor", &ladder, 250, up, D, 99, 100, 240, S, 0},
      {"left and right together: down", &ladder, 240, up, L | R, 99, 4, 240, up + 12, 15},
      {"left and down together: up", &ladder, 240, S, L | D, 99, 4, 240, S - 12, 15},
      {"a block over the ladder ends the climb", &blockedLadder, 240, S, U, 99, 40, 240, 408, 0},
      {"a ladder beside the middle: next column", &ladderBeside, 50, 420, U, 99, 1, 72, 417, 15},
      {"a vanishing ladder under the left foot", &ladderUnder, 50, 420, U, 99, 1, 48, 417, 15},
      {"down onto a crumbling cell: stays", &crumblingBelow, 300, S + 1, D, 99, 1, 300, S + 1, 0},
      {"down onto a solid cell snaps to the row", &none, 300, S + 1, D, 99, 1, 300, S, 0},
      {"a straight jump lasts 36 ticks", &none, 300, S, F, 0, 36, 300, S, 14},
      {"a sideways jump goes 51 pixels", &none, 300, S, F | R, 1, 36, 351, S, 14},
      {"a jump against a wall rises in place", &tallWall, 290, S, F | R, 1, 36, 290, S, 14},
      {"a jump onto a higher floor", &higherFloor, 100, S, F | R, 1, 37, 151, S - 24, 0},
      {"the ledge step-up ends on the wall", &ledge, 120, S, F | R, 1, 36, 132, 18 * 24 - 48, 0},
      {"no jump under a solid cell", &overHead, 300, S, F, 0, 1, 300, S, 0}};
  const int keyOf[4] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
  for (const Move& m : moves) {
    SCOPED_TRACE(m.name);
    Fresh();
    for (const Box& b : *m.cells)
      for (int c = b.c0; c <= b.c1; ++c)
        for (int r = b.r0; r <= b.r1; ++r) SetRoomCell(0, 0, c, r, b.code);
    PlaceAt(m.x, m.y);
    for (int k = 0; k < 4; ++k)
      if (m.keys & (1 << k)) Hold(keyOf[k]);
    if (m.keys & kFire) Hit(KEY_SPACE);
    for (int t = 0; t < m.passes; ++t) {
      if (t == m.holdTicks)
        for (int key : keyOf) Release(key);
      Pass();
    }
    for (int key : keyOf) Release(key);
    EXPECT_EQ(Player->X, m.endX);
    EXPECT_EQ(Player->Y, m.endY);
    EXPECT_EQ(Player->Action, m.action);
  }
}

// A fall that lands in its n-th tick: the long-fall sound from the 25th tick on, the landing
// sound always, and every falling tick recorded as code 11.
TEST_F(RulesMoves, FallsAndTheirSounds) {
  Audible(sndFall, "Fall");
  MakeRoom(0, 0, false);
  for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 23, 1);
  for (int n : {24, 25}) {
    SCOPED_TRACE(n);
    ResetAll();
    const int plays = Plays();
    PlaceAt(300, 23 * 24 - 48 - 12 * (n - 1));
    Player->Action = 14;
    EXPECT_EQ(PassesWhile(14), n);
    EXPECT_EQ(Plays() - plays, n >= 25 ? 1 : 0);
    EXPECT_EQ(Player->Y, 23 * 24 - 48);
    EXPECT_EQ(LastActionType, kActionFall);
    EXPECT_EQ(ActionNo, n - 2);
  }
  Audible(HitFloor, "HitFloor");
  const int plays = Plays();
  PlaceAt(300, 400);
  Player->Action = 14;
  PassesWhile(14);
  EXPECT_EQ(Plays() - plays, 1);
}

struct Dig {
  const char* name;
  int bc0, bc1, br0, br1, solidColumn;  // bricks (code 2), a solid column in rows 18 and 19
  int x, direction, tool;
  int ticks, endX, sounds;
  int dc0, dc1, dr0, dr1, keptC, keptR;  // the cells dug out, a cell left
};

TEST_F(RulesMoves, DigsByTool) {
  Audible(sndDrill, "Drill"), Audible(sndHammer, "Hammer");
  Audible(sndPick, "Pick"), Audible(sndScoop, "Scoop");
  const std::vector<Dig> digs = {
      {"drill: two, a step in", 7, 9, 18, 19, -1, 237, 0, 3, 90, 213, 2, 8, 9, 18, 19, 7, 18},
      {"hammer: one block", 8, 9, 18, 19, -1, 237, 0, 4, 45, 213, 1, 9, 9, 18, 19, 8, 18},
      {"drill, a solid block behind", 9, 9, 18, 19, 8, 237, 0, 3, 45, 213, 1, 9, 9, 18, 19, 8, 18},
      {"drill facing right", 14, 15, 18, 19, -1, 291, 1, 3, 90, 315, 2, 14, 15, 18, 19, 15, 20},
      {"pick: two down left", 9, 10, 20, 21, -1, 250, 0, 5, 90, 250, 2, 9, 10, 20, 21, 11, 20},
      {"scoop: one down right", 12, 13, 20, 21, -1, 240, 1, 6, 45, 240, 1, 12, 13, 20, 20, 12, 21},
      {"no bricks, no dig", 0, -1, 0, -1, 9, 237, 0, 3, 1, 237, 0, 0, -1, 0, -1, 9, 18},
  };
  for (const Dig& d : digs) {
    SCOPED_TRACE(d.name);
    Fresh();
    for (int c = d.bc0; c <= d.bc1; ++c)
      for (int r = d.br0; r <= d.br1; ++r) SetRoomCell(0, 0, c, r, 2);
    if (d.solidColumn >= 0)
      SetRoomCell(0, 0, d.solidColumn, 18, 1), SetRoomCell(0, 0, d.solidColumn, 19, 1);
    const int plays = Plays();
    PlaceAt(d.x);
    Player->Direction = Player->LastDirection = d.direction;
    Player->State = d.tool;
    Hit(KEY_SPACE);
    Pass();
    const int ticks = 1 + PassesWhile(Player->Action == 0 ? -1 : Player->Action);
    EXPECT_EQ(ticks, d.ticks);
    EXPECT_EQ(Player->X, d.endX);
    EXPECT_EQ(Player->State, d.ticks > 1 ? 0 : d.tool);
    EXPECT_EQ(Plays() - plays, d.sounds);
    for (int c = d.dc0; c <= d.dc1; ++c)
      for (int r = d.dr0; r <= d.dr1; ++r) EXPECT_EQ(RoomCell(0, 0, c, r), 0) << c << "," << r;
    EXPECT_NE(RoomCell(0, 0, d.keptC, d.keptR), 0);
  }
}

constexpr long long R(int rx, int ry) {
  return 1LL << (ry * 6 + rx);
}

struct RoomMove {
  const char* name;
  long long rooms;
  int roomX, roomY, x, y, action, key;
  int endRoomX, endRoomY, endX;
};

TEST_F(RulesMoves, RoomChangesWrapAroundTheRowOrColumn) {
  const long long row = R(0, 0) | R(1, 0) | R(3, 0), column = R(2, 0) | R(2, 1) | R(2, 4);
  const std::vector<RoomMove> cases = {
      {"left into the room to the left", R(0, 2) | R(1, 2), 1, 2, -1, kStandY, 0, KEY_LEFT, 0, 2,
       757},
      {"left wraps to the row's far end", R(0, 1) | R(3, 1), 0, 1, -1, kStandY, 0, KEY_LEFT, 3, 1,
       757},
      {"a gap is not skipped", row, 3, 0, -1, kStandY, 0, KEY_LEFT, 3, 0, 757},
      {"right over a gap: from column 0 up", row, 1, 0, 761, kStandY, 0, KEY_RIGHT, 0, 0, 7},
      {"no key: stays outside", row, 1, 0, -2, kStandY, 0, 0, 1, 0, -2},
      {"the wrong arrow: stays", row, 1, 0, -2, kStandY, 0, KEY_RIGHT, 1, 0, 1},
      {"up into the room above", column, 2, 1, 300, -1, 15, KEY_UP, 2, 0, 300},
      {"up wraps: the first room from row 5 down", column, 2, 0, 300, -1, 15, KEY_UP, 2, 4, 300},
      {"down wraps: the first room from row 0 up", column, 2, 4, 300, 576, 15, KEY_DOWN, 2, 0, 300},
      {"none while jumping", row, 1, 0, -3, kStandY, 13, KEY_LEFT, 1, 0, -3},
      {"a fall enters the room below", column, 2, 0, 300, 576, 14, 0, 2, 1, 300},
      {"a row without rooms keeps the room", R(0, 1), 0, 0, -1, kStandY, 0, KEY_LEFT, 0, 0, 757},
      {"a body far out reads empty cells and wraps", R(5, 5), 5, 5, 5000, 500, 0, KEY_RIGHT, 5, 5,
       7},
  };
  for (const RoomMove& m : cases) {
    SCOPED_TRACE(m.name);
    for (int rx = 0; rx < 6; ++rx)
      for (int ry = 0; ry < 6; ++ry) Rooms[rx][ry] = (m.rooms & R(rx, ry)) ? 1 : 0;
    RoomX = m.roomX, RoomY = m.roomY;
    PlaceAt(m.x, m.y);
    Player->Action = m.action;
    if (m.key) Hold(m.key);
    UpdatePlayer();
    if (m.key) Release(m.key);
    EXPECT_EQ(RoomX, m.endRoomX);
    EXPECT_EQ(RoomY, m.endRoomY);
    EXPECT_EQ(Player->X, m.endX);
  }
  PlayRuns({{kActionUp, 100}});  // a replayed arrow changes the room only from outside it
  Rooms[2][0] = Rooms[2][1] = 1;
  RoomX = 2, RoomY = 1;
  PlaceAt(300, 5);
  Player->Action = 15;
  UpdatePlayer();
  EXPECT_EQ(RoomY, 1);
  PlaceAt(300, -1);
  UpdatePlayer();
  EXPECT_EQ(RoomY, 0);
}

// Keys: left 1, right 2, down 3, up 4 summed; the joystick: up wins over down over right over
// left, its button 1 is fire, and the keys are not read with it.
TEST_F(RulesMoves, KeysAndJoystick) {
  EXPECT_EQ(std::vector<int>({KeyCode(1, 0, 0, 0), KeyCode(0, 1, 0, 0), KeyCode(1, 1, 0, 0),
                              KeyCode(1, 0, 1, 0), KeyCode(1, 1, 1, 1)}),
            std::vector<int>({1, 2, 3, 4, 10}));
  EXPECT_EQ(std::vector<int>(
                {JoyCode(0, 0), JoyCode(-1, 0), JoyCode(1, 0), JoyCode(-1, 1), JoyCode(1, -1)}),
            std::vector<int>({0, 1, 2, 3, 4}));
  using media::headless::InputEvent;
  Fresh();
  Control = 1;
  PlaceAt(300);
  media::headless::SetScript({{0, InputEvent::JoyAxis, 0, 32767, 0}});
  Passes(4);
  EXPECT_EQ(Player->X, 312);
  media::headless::SetScript(
      {{0, InputEvent::JoyAxis, 0, 0, 0}, {0, InputEvent::JoyButtonDown, 1, 0, 0}});
  Hold(KEY_LEFT);
  Pass();
  EXPECT_EQ(Player->X, 312);
  EXPECT_EQ(Player->Action, 13);
  Release(KEY_LEFT);
}

TEST_F(RulesMoves, CellsOutsideTheGridReadAsEmptyAndIgnoreWrites) {
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

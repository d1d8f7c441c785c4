// The player's moves as small scenarios: keys held for some ticks in a room built for the
// case, and where the body ends up. Figures follow from 3 pixels a step, 24-pixel cells and a
// 48 x 48 body whose probes sit at its edges.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "stages/flow.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_DOWN;
using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;
using media::KEY_UP;

class RulesMoves : public RulesTest {
 public:
  void Column(int c, int r0, int r1, int code) {
    for (int r = r0; r <= r1; ++r) SetRoomCell(0, 0, c, r, code);
  }
  void Row(int r, int c0, int c1, int code) {
    for (int c = c0; c <= c1; ++c) SetRoomCell(0, 0, c, r, code);
  }
  // A ladder in columns 10 and 11 from the upper floor (row 11) down to the floor.
  void Ladder() {
    Row(11, 0, 31, 1);
    Column(10, 11, 19, 3);
    Column(11, 11, 19, 99);
  }
};

struct Move {
  const char* name;
  std::function<void(RulesMoves&)> build;  // cells and the player's start
  std::vector<int> keys;
  bool fire;
  int holdTicks, passes;
  int x, y, action;
};

TEST_F(RulesMoves, Scenarios) {
  using M = RulesMoves;
  const std::vector<Move> moves = {
      {"walk right", [](M& t) { t.PlaceAt(300); }, {KEY_RIGHT}, false, 99, 5, 315, kStandY, 0},
      {"a wall stops the right edge 2 pixels in",
       [](M& t) { t.Column(10, 18, 19, 1), t.PlaceAt(120); },
       {KEY_RIGHT},
       false,
       99,
       40,
       195,
       kStandY,
       0},
      {"a brick wall on the left",
       [](M& t) { t.Column(3, 18, 19, 2), t.PlaceAt(120); },
       {KEY_LEFT},
       false,
       99,
       60,
       93,
       kStandY,
       0},
      {"a crumbling cell at the feet blocks",
       [](M& t) { t.SetRoomCell(0, 0, 10, 19, 88), t.PlaceAt(150); },
       {KEY_RIGHT},
       false,
       99,
       30,
       195,
       kStandY,
       0},
      {"walking off the floor falls from x 288",
       [](M& t) { t.Row(kFloorRow, 12, 31, 0), t.PlaceAt(240); },
       {KEY_RIGHT},
       false,
       99,
       16,
       288,
       kStandY + 12,
       14},
      {"no fall left of x 4",
       [](M& t) { t.Row(kFloorRow, 0, 31, 0), t.PlaceAt(6); },
       {KEY_LEFT},
       false,
       99,
       2,
       0,
       kStandY,
       0},
      {"left and up together: nothing",
       [](M& t) { t.PlaceAt(300); },
       {KEY_LEFT, KEY_UP},
       false,
       99,
       3,
       300,
       kStandY,
       0},
      {"up the ladder in 72 steps, snapped to it",
       [](M& t) { t.Ladder(), t.PlaceAt(230); },
       {KEY_UP},
       false,
       99,
       73,
       240,
       11 * 24 - 48,
       0},
      {"down the ladder to the floor",
       [](M& t) { t.Ladder(), t.PlaceAt(250, 216); },
       {KEY_DOWN},
       false,
       99,
       100,
       240,
       kStandY,
       0},
      {"left and right together: down",
       [](M& t) { t.Ladder(), t.PlaceAt(240, 216); },
       {KEY_LEFT, KEY_RIGHT},
       false,
       99,
       4,
       240,
       228,
       15},
      {"left and down together: up",
       [](M& t) { t.Ladder(), t.PlaceAt(240); },
       {KEY_LEFT, KEY_DOWN},
       false,
       99,
       4,
       240,
       kStandY - 12,
       15},
      {"a block over the ladder stops the climb on a row",
       [](M& t) { t.Ladder(), t.SetRoomCell(0, 0, 11, 16, 1), t.PlaceAt(240); },
       {KEY_UP},
       false,
       99,
       40,
       240,
       408,
       0},
      {"a ladder beside the middle snaps to the next column",
       [](M& t) { t.SetRoomCell(0, 0, 2, 18, 3), t.PlaceAt(50, 420); },
       {KEY_UP},
       false,
       99,
       1,
       72,
       417,
       15},
      {"a vanishing ladder under the left foot snaps to its column",
       [](M& t) { t.SetRoomCell(0, 0, 2, 19, 4), t.PlaceAt(50, 420); },
       {KEY_UP},
       false,
       99,
       1,
       48,
       417,
       15},
      {"down onto a crumbling cell stands where it is",
       [](M& t) { t.SetRoomCell(0, 0, 13, kFloorRow, 88), t.PlaceAt(300, kStandY + 1); },
       {KEY_DOWN},
       false,
       99,
       1,
       300,
       kStandY + 1,
       0},
      {"down onto a solid cell snaps to the row",
       [](M& t) { t.PlaceAt(300, kStandY + 1); },
       {KEY_DOWN},
       false,
       99,
       1,
       300,
       kStandY,
       0},
      {"a straight jump lasts 36 ticks",
       [](M& t) { t.PlaceAt(300); },
       {},
       true,
       0,
       36,
       300,
       kStandY,
       14},
      {"a sideways jump goes 51 pixels",
       [](M& t) { t.PlaceAt(300); },
       {KEY_RIGHT},
       true,
       1,
       36,
       351,
       kStandY,
       14},
      {"a jump against a wall rises in place",
       [](M& t) { t.Column(14, 14, 19, 1), t.PlaceAt(290); },
       {KEY_RIGHT},
       true,
       1,
       36,
       290,
       kStandY,
       14},
      {"a jump onto a higher floor",
       [](M& t) { t.Row(kFloorRow - 1, 7, 31, 1), t.PlaceAt(100); },
       {KEY_RIGHT},
       true,
       1,
       37,
       151,
       kStandY - 24,
       0},
      {"the ledge step-up ends on the wall",
       [](M& t) { t.Column(7, 18, 19, 1), t.PlaceAt(120); },
       {KEY_RIGHT},
       true,
       1,
       36,
       132,
       18 * 24 - 48,
       0},
      {"no jump under a solid cell",
       [](M& t) { t.SetRoomCell(0, 0, 14, 17, 2), t.PlaceAt(300); },
       {},
       true,
       0,
       1,
       300,
       kStandY,
       0},
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.name);
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    MakeRoom(0, 0);
    Player->FrameRate = 0;
    m.build(*this);
    for (int key : m.keys) Hold(key);
    if (m.fire) Hit(KEY_SPACE);
    for (int t = 0; t < m.passes; ++t) {
      if (t == m.holdTicks)
        for (int key : m.keys) Release(key);
      Pass();
    }
    for (int key : m.keys) Release(key);
    EXPECT_EQ(Player->X, m.x);
    EXPECT_EQ(Player->Y, m.y);
    EXPECT_EQ(Player->Action, m.action);
  }
}

TEST_F(RulesMoves, WalkingIsRecordedAsRuns) {
  MakeRoom(0, 0);
  PlaceAt(300);
  Hold(KEY_RIGHT);
  Passes(5);
  EXPECT_EQ(Player->Frame, 4);
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  Passes(2);
  EXPECT_EQ(Player->Direction, 0);
  Release(KEY_LEFT);
  Pass();
  // Run 0 is stored as (0, 0); five steps right are one run of count 4; then left.
  const std::vector<int> runs = {Demo[0][0], Demo[1][0], Demo[0][1],    Demo[1][1],
                                 Demo[0][2], Demo[1][2], LastActionType};
  EXPECT_EQ(runs, (std::vector<int>{0, 0, 2, 4, 1, 1, 0}));
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
  std::vector<std::pair<int, int>> bricks, solid;  // cells of code 2 and of code 1
  int x, direction, tool;
  int ticks, endX, sounds;
  std::vector<std::pair<int, int>> dug, kept;
};

TEST_F(RulesMoves, DigsByTool) {
  Audible(sndDrill, "Drill");
  Audible(sndHammer, "Hammer");
  Audible(sndPick, "Pick");
  Audible(sndScoop, "Scoop");
  const std::vector<Dig> digs = {
      {"drill: two blocks left, a step in after the first",
       {{7, 18}, {7, 19}, {8, 18}, {8, 19}, {9, 18}, {9, 19}},
       {},
       237,
       0,
       3,
       90,
       213,
       2,
       {{9, 18}, {9, 19}, {8, 18}, {8, 19}},
       {{7, 18}}},
      {"hammer: one block",
       {{8, 18}, {8, 19}, {9, 18}, {9, 19}},
       {},
       237,
       0,
       4,
       45,
       213,
       1,
       {{9, 18}, {9, 19}},
       {{8, 18}, {8, 19}}},
      {"drill with a solid block behind: one",
       {{9, 18}, {9, 19}},
       {{8, 18}, {8, 19}},
       237,
       0,
       3,
       45,
       213,
       1,
       {{9, 18}},
       {{8, 18}}},
      {"drill facing right",
       {{14, 18}, {14, 19}, {15, 18}, {15, 19}},
       {},
       291,
       1,
       3,
       90,
       315,
       2,
       {{14, 18}, {14, 19}, {15, 18}, {15, 19}},
       {{15, 20}}},
      {"pick: two blocks down on the left",
       {{9, 20}, {10, 20}, {9, 21}, {10, 21}},
       {},
       250,
       0,
       5,
       90,
       250,
       2,
       {{9, 20}, {10, 20}, {9, 21}, {10, 21}},
       {{11, 20}}},
      {"scoop: one block down on the right",
       {{12, 20}, {13, 20}, {12, 21}, {13, 21}},
       {},
       240,
       1,
       6,
       45,
       240,
       1,
       {{12, 20}, {13, 20}},
       {{12, 21}, {13, 21}}},
      {"no bricks, no dig", {}, {{9, 18}, {9, 19}}, 237, 0, 3, 1, 237, 0, {}, {{9, 18}}},
  };
  for (const Dig& d : digs) {
    SCOPED_TRACE(d.name);
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    MakeRoom(0, 0);
    for (auto [c, r] : d.bricks) SetRoomCell(0, 0, c, r, 2);
    for (auto [c, r] : d.solid) SetRoomCell(0, 0, c, r, 1);
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
    for (auto [c, r] : d.dug) EXPECT_EQ(RoomCell(0, 0, c, r), 0) << c << "," << r;
    for (auto [c, r] : d.kept) EXPECT_NE(RoomCell(0, 0, c, r), 0) << c << "," << r;
  }
}

struct RoomMove {
  const char* name;
  std::vector<std::pair<int, int>> rooms;
  int roomX, roomY, x, y, action, key;
  int endRoomX, endRoomY, endX;
};

TEST_F(RulesMoves, RoomChangesWrapAroundTheRowOrColumn) {
  const std::vector<RoomMove> cases = {
      {"left into the room to the left",
       {{0, 2}, {1, 2}},
       1,
       2,
       -1,
       kStandY,
       0,
       KEY_LEFT,
       0,
       2,
       757},
      {"left wraps to the row's far end",
       {{0, 1}, {3, 1}},
       0,
       1,
       -1,
       kStandY,
       0,
       KEY_LEFT,
       3,
       1,
       757},
      {"a gap is not skipped", {{0, 0}, {1, 0}, {3, 0}}, 3, 0, -1, kStandY, 0, KEY_LEFT, 3, 0, 757},
      {"right over a gap: from column 0 up",
       {{0, 0}, {1, 0}, {3, 0}},
       1,
       0,
       761,
       kStandY,
       0,
       KEY_RIGHT,
       0,
       0,
       7},
      {"no key: stays outside", {{0, 0}, {1, 0}}, 1, 0, -2, kStandY, 0, 0, 1, 0, -2},
      {"the wrong arrow: stays", {{0, 0}, {1, 0}}, 1, 0, -2, kStandY, 0, KEY_RIGHT, 1, 0, 1},
      {"up into the room above", {{2, 0}, {2, 1}, {2, 4}}, 2, 1, 300, -1, 15, KEY_UP, 2, 0, 300},
      {"up wraps: the first room from row 5 down",
       {{2, 0}, {2, 1}, {2, 4}},
       2,
       0,
       300,
       -1,
       15,
       KEY_UP,
       2,
       4,
       300},
      {"down wraps: the first room from row 0 up",
       {{2, 0}, {2, 1}, {2, 4}},
       2,
       4,
       300,
       576,
       15,
       KEY_DOWN,
       2,
       0,
       300},
      {"none while jumping", {{0, 0}, {1, 0}}, 1, 0, -3, kStandY, 13, KEY_LEFT, 1, 0, -3},
      {"a body far out reads empty cells and wraps",
       {{5, 5}},
       5,
       5,
       5000,
       500,
       0,
       KEY_RIGHT,
       5,
       5,
       7},
  };
  for (const RoomMove& m : cases) {
    SCOPED_TRACE(m.name);
    for (auto& row : Rooms)
      for (int& room : row) room = 0;
    for (auto [rx, ry] : m.rooms) Rooms[rx][ry] = 1;
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

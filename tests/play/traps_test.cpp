// The traps: wall trap growth, crossings of floors and ladders, stones falling, pushed and
// re-homed, doors pushed both ways, and a live run through a door and a stone played back.
#include "play/traps.h"

#include <gtest/gtest.h>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "stages/flow.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_LEFT;
using media::KEY_RIGHT;

class Traps : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
  }
  std::shared_ptr<bbTraps> Add(int kind, int x, int y, int height = 0, int frame = 0) {
    auto t = New<bbTraps>();
    t->Kind = kind, t->X = x, t->Y = y, t->Height = height, t->Frame = frame;
    return t;
  }
  // A stone resting at (x, y) of room (0, 0), its cells solid.
  std::shared_ptr<bbTraps> AddStone(int x, int y) {
    for (int c : {x, x + 1})
      for (int r : {y, y + 1}) SetRoomCell(0, 0, c, r, CellCode::Block);
    return Add(TrapKind::Stone, x, y);
  }
  // A door of height 5 standing on the floor with its solid column.
  std::shared_ptr<bbTraps> AddDoor(int kind, int x, int frame) {
    const int column = (kind == TrapKind::TwoWayLeft || kind == TrapKind::OneWayLeft) ? x + 1 : x;
    for (int r = 16; r <= 19; ++r) SetRoomCell(0, 0, column, r, CellCode::Block);
    return Add(kind, x, 16, 5, frame);
  }
  // Passes until cond holds; the number of passes, or -1 after `bound`.
  template <class F>
  int PassUntil(F cond, int bound = 400) {
    for (int n = 1; n <= bound; ++n) {
      Pass();
      if (cond()) return n;
    }
    return -1;
  }
  static bool Listed(const std::shared_ptr<bbTraps>& t) {
    for (auto o : Traps_list.Each<bbTraps>())
      if (o == t) return true;
    return false;
  }
};

TEST_F(Traps, WallTrapsBuildOneBrickEveryFortyOneTicksThenLeave) {
  Audible(sndCreateWall, "CrtWall");
  for (int height : {0, 3}) {
    SCOPED_TRACE(height);
    const int x = height == 0 ? 4 : 20;
    auto t = Add(TrapKind::WallTrap, x, 18, height);
    PlaceAt(x * 24 + 8);
    std::vector<int> appeared(height + 2, 0);
    int removed = 0;
    for (int tick = 1; tick <= 300 && removed == 0; ++tick) {
      UpdateTraps();
      for (int k = 0; k < height + 2; ++k)
        if (appeared[k] == 0 && RoomCell(0, 0, x, 18 - height + k) == CellCode::Brick)
          appeared[k] = tick;
      if (!Listed(t)) removed = tick;
      if (height == 0 && (tick == 1 || tick == 2 || tick == 43)) {
        EXPECT_EQ(Plays(), tick == 1 ? 0 : tick == 2 ? 1 : 2) << tick;
      }
    }
    const std::vector<int> want = {1, 41, 82, 123, 164};
    EXPECT_EQ(appeared, std::vector<int>(want.begin(), want.begin() + height + 2));
    EXPECT_EQ(removed, 41 * (height + 2));
    EXPECT_EQ(RoomCell(0, 0, x, 18 - height - 1), 0);  // nothing above the top
  }
}

TEST_F(Traps, AWallTrapFiresWithinEightPixelsOfItsColumnInThePlayersRoomOnly) {
  const struct {
    int offset, room;
    bool fires;
  } cases[] = {{-9, 0, false}, {-8, 0, true}, {8, 0, true}, {9, 0, false}, {0, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    auto t = Add(TrapKind::WallTrap, 10, 18, 2);
    t->Roomx = c.room;
    Rooms[1][0] = 1;
    PlaceAt(240 + c.offset);
    UpdateTraps();
    EXPECT_EQ(t->State, c.fires ? 1 : 0);
    t->Remove();
  }
}

// Crossings counted where the player stands on the floor (or walks onto the ladder's top).
TEST_F(Traps, FloorsAndLaddersCountACrossingOnceWhileOverlapped) {
  const struct {
    int kind, y, action, counts, latched;
  } cases[] = {
      {TrapKind::Crumble, kStandY, Act::Ground, 1, 1},       // standing on the floor row
      {TrapKind::Crumble, kStandY - 12, Act::Jump, 0, 1},    // in the air over it
      {TrapKind::VanishLadder, kStandY, Act::Ground, 1, 1},  // walking onto its top
      {TrapKind::VanishLadder, kStandY, Act::Ladder, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind * 100 + c.action);
    auto t = Add(c.kind, 10, c.kind == TrapKind::Crumble ? 19 : 20, 4);
    PlaceAt(250, c.y);
    Player->Action = c.action;
    UpdateTraps();
    UpdateTraps();  // the latch holds: no second count
    EXPECT_EQ(t->NumOfPass, c.counts);
    EXPECT_EQ(t->Passing, c.latched);
    t->Remove();
  }
}

TEST_F(Traps, AFloorWalkedOverTwiceGivesWayWhenThePlayerStepsOffIt) {
  for (int c = 10; c <= 13; ++c) SetRoomCell(0, 0, c, 20, CellCode::Solid88);
  auto floor = Add(TrapKind::Crumble, 10, 19);
  PlaceAt(120);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([] { return Player->X >= 420; }), 0);
  EXPECT_EQ(floor->NumOfPass, 1);
  EXPECT_EQ(floor->Passing, 0);
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  // Counted again on entering its box; the next step, feet still on the solid floor, drops it.
  ASSERT_GT(PassUntil([&] { return !Listed(floor); }), 0);
  EXPECT_GT(Player->X, 300);
  for (int c = 10; c <= 13; ++c) EXPECT_EQ(RoomCell(0, 0, c, 20), 0);
}

// The push count, the move on the 29th counted tick, and the cells a stone covers and gives
// back: a ladder it was pushed over comes back when it moves on.
TEST_F(Traps, AStoneMovesOnTheTwentyNinthPushAndGivesBackWhatItCovered) {
  Audible(sndPushStone, "PushSton");
  auto stone = AddStone(10, 18);
  for (int r : {18, 19}) SetRoomCell(0, 0, 12, r, CellCode::Ladder);
  PlaceAt(180);
  Hold(KEY_RIGHT);
  const int first = PassUntil([&] { return stone->NumOfPass == 1; });
  ASSERT_GT(first, 0);
  EXPECT_EQ(PassUntil([&] { return stone->X == 11; }), 28);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(stone->NumOfPass, 0);
  EXPECT_EQ((std::vector<int>{stone->Block1, stone->Block2, stone->Block3, stone->Block4}),
            (std::vector<int>{0, 3, 0, 3}));
  EXPECT_EQ(RoomCell(0, 0, 10, 18), 0);
  EXPECT_EQ(RoomCell(0, 0, 12, 19), 1);
  // Let go while touching: the count stays; walking away resets it.
  ASSERT_GT(PassUntil([&] { return stone->NumOfPass == 10; }), 0);
  Release(KEY_RIGHT);
  Passes(5);
  EXPECT_EQ(stone->NumOfPass, 10);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([&] { return stone->X == 13; }, 200), 0);
  for (int r : {18, 19}) EXPECT_EQ(RoomCell(0, 0, 12, r), CellCode::Ladder);
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  Passes(5);
  EXPECT_EQ(stone->NumOfPass, 0);
}

TEST_F(Traps, AStonePushedAgainstASolidCellStaysAndLosesItsCount) {
  auto stone = AddStone(10, 18);
  SetRoomCell(0, 0, 12, 19, CellCode::Brick);
  PlaceAt(180);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([&] { return stone->NumOfPass == 28; }), 0);
  Pass();
  EXPECT_EQ(stone->X, 10);
  EXPECT_EQ(stone->NumOfPass, 0);
}

TEST_F(Traps, AStoneFallsACellATickIntoEmptySpaceAndLandsOnce) {
  Audible(sndCloseCoffine, "CloseCof");
  for (int c = 15; c <= 20; ++c) SetRoomCell(0, 0, c, 20, 0);
  for (int c = 15; c <= 20; ++c) SetRoomCell(0, 0, c, 23, CellCode::Block);
  SetRoomCell(0, 0, 15, 20, CellCode::Block);  // one cell beneath: it stays
  auto resting = AddStone(14, 18);
  auto stone = AddStone(17, 16);
  std::vector<int> ys;
  for (int tick = 0; tick < 8; ++tick) {
    UpdateTraps();
    ys.push_back(stone->Y);
  }
  EXPECT_EQ(ys, (std::vector<int>{17, 18, 19, 20, 21, 21, 21, 21}));
  EXPECT_EQ(resting->Y, 18);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(stone->State, 0);
  for (int r = 16; r <= 20; ++r) EXPECT_EQ(RoomCell(0, 0, 17, r), 0) << r;
  for (int r : {21, 22}) EXPECT_EQ(RoomCell(0, 0, 18, r), 1) << r;
}

// Out of its room: left, right, below, with the wrap-arounds to the far end of the row and the
// top of the column, and off the last room row and column of the world.
TEST_F(Traps, AStoneOutOfItsRoomIsReHomedInEveryDirection) {
  const struct {
    std::vector<std::pair<int, int>> rooms;
    int roomx, roomy, x, y;
    int wantRoomx, wantRoomy, wantX, wantY;
  } cases[] = {
      {{{1, 0}, {2, 0}}, 2, 0, 0, 5, 1, 0, 28, 5},  {{{0, 0}, {5, 0}}, 0, 0, 0, 5, 5, 0, 28, 5},
      {{{0, 0}, {3, 0}}, 0, 0, 0, 5, 3, 0, 28, 5},  {{{0, 0}, {1, 0}}, 0, 0, 30, 5, 1, 0, 1, 5},
      {{{0, 0}, {2, 0}}, 2, 0, 30, 5, 0, 0, 1, 5},  {{{5, 0}}, 5, 0, 31, 5, 5, 0, 1, 5},
      {{{0, 0}, {0, 1}}, 0, 0, 5, 25, 0, 1, 5, 1},  {{{0, 0}, {0, 2}}, 0, 2, 5, 25, 0, 0, 5, 1},
      {{{5, 0}, {5, 5}}, 5, 5, 31, 25, 5, 0, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.roomx) + "," + std::to_string(c.roomy) + " " +
                 std::to_string(c.x) + "," + std::to_string(c.y));
    for (auto& column : Rooms)
      for (int& r : column) r = 0;
    for (auto [rx, ry] : c.rooms) Rooms[rx][ry] = 1;
    const int wc = c.wantRoomx * 32 + c.wantX, wr = c.wantRoomy * 24 + c.wantY;
    Stage[wc][wr] = CellCode::Ladder;
    Stage[wc + 1][wr + 1] = CellCode::LadderRight;
    Trap = Add(TrapKind::Stone, c.x, c.y);
    Trap->Roomx = c.roomx, Trap->Roomy = c.roomy;
    Trap->Block1 = 7;
    FindTrapRoom();
    EXPECT_EQ((std::vector<int>{Trap->Roomx, Trap->Roomy, Trap->X, Trap->Y}),
              (std::vector<int>{c.wantRoomx, c.wantRoomy, c.wantX, c.wantY}));
    // A fall into the room below re-enters the cells it gave back.
    const int oc = c.roomx * 32 + c.x, or_ = c.roomy * 24 + c.y;
    const bool same = oc == wc && or_ == wr;
    EXPECT_EQ(Trap->Block1, same ? 7 : CellCode::Ladder);
    EXPECT_EQ(Trap->Block4, same ? 0 : CellCode::LadderRight);
    EXPECT_EQ(Stage[wc][wr], 1);
    EXPECT_EQ(Stage[wc + 1][wr + 1], 1);
    if (!same) {
      EXPECT_EQ(CellAt(oc, or_), oc < kStageCols && or_ < kStageRows ? 7 : 0);  // given back
    }
    Trap->Remove();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
  }
}

TEST_F(Traps, TwoWayDoorsOpenOnTheFortiethPushTheirWayAndSwapKind) {
  Audible(sndDoor, "RLDoor");
  auto door = AddDoor(TrapKind::TwoWayLeft, 10, 8);
  // The wrong way for 40 ticks: shut, and the count starts again.
  PlaceAt(190);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([&] { return door->NumOfPass == 1; }), 0);
  EXPECT_EQ(PassUntil([&] { return door->NumOfPass == 0; }), 39);
  EXPECT_EQ(door->Kind, TrapKind::TwoWayLeft);
  EXPECT_EQ(Player->Action, Act::Ground);
  // Both arrows held: a push in no direction, not counted.
  Hold(KEY_LEFT);
  Passes(3);
  EXPECT_EQ(door->NumOfPass, 0);
  Release(KEY_LEFT);
  Release(KEY_RIGHT);
  // The right way, from the right side.
  PlaceAt(300);
  Hold(KEY_LEFT);
  ASSERT_GT(PassUntil([&] { return door->NumOfPass == 1; }), 0);
  EXPECT_EQ(PassUntil([] { return Player->Action == Act::TwoWayLeft; }), 39);
  EXPECT_EQ(door->Kind, TrapKind::TwoWayRight);
  EXPECT_EQ(door->State, 2);
  EXPECT_EQ(Plays(), 1);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 11, r), 0);
  ASSERT_GT(PassUntil([] { return Player->Action == Act::Ground; }), 0);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 10, r), 1);
  // Now it only opens rightwards.
  EXPECT_GT(PassUntil([&] { return door->NumOfPass == 39; }), 0);
  Pass();
  EXPECT_EQ(Player->Action, Act::Ground);
  Release(KEY_LEFT);
  Hold(KEY_RIGHT);
  EXPECT_GT(PassUntil([] { return Player->Action == Act::TwoWayRight; }), 0);
  EXPECT_EQ(door->Kind, TrapKind::TwoWayLeft);
}

TEST_F(Traps, OneWayDoorsKeepTheirKind) {
  auto door = AddDoor(TrapKind::OneWayRight, 10, 23);
  PlaceAt(190);
  Hold(KEY_RIGHT);
  EXPECT_GT(PassUntil([] { return Player->Action == Act::OneWayRight; }), 0);
  EXPECT_EQ(door->Kind, TrapKind::OneWayRight);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 10, r), 1);  // never cleared
}

// A live run that pushes a door (with both arrows for a while, and a jump against it) and a
// stone off a ledge (jumping while it falls), recorded, saved and played back: the playback
// follows one tick behind, tick for tick.
TEST_F(Traps, ALiveRunThroughADoorAndAStonePlaysBackInStep) {
  User = 1;
  ReplayName = "TRAPS";
  using Trace = std::vector<std::vector<int>>;
  auto build = [this] {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto t : Traps_list.Each<bbTraps>()) t->Remove();
    MakeRoom(0, 0);
    for (int c = 22; c < 32; ++c) SetRoomCell(0, 0, c, 20, 0);
    for (int c = 22; c < 32; ++c) SetRoomCell(0, 0, c, 23, 1);
    AddDoor(TrapKind::TwoWayRight, 10, 11);
    AddStone(19, 18);
    PlaceAt(150);
    Player->LastDirection = 1;
    Player->FrameRate = Player->FrameCounter = 0;
  };
  auto state = [] {
    std::vector<int> s = PlayerState();
    s.push_back(Player->FrameRate);
    for (auto t : Traps_list.Each<bbTraps>())
      s.insert(s.end(), {t->Kind, t->X, t->Y, t->NumOfPass, t->State});
    return s;
  };
  build();
  Trace live;
  Hold(KEY_RIGHT);
  for (int t = 0; t < 400; ++t) {
    if (t == 20) Hold(KEY_LEFT);  // both: no direction
    if (t == 40) Release(KEY_LEFT);
    if (t == 50) Hit(media::KEY_SPACE);
    Pass();
    live.push_back(state());
  }
  Release(KEY_RIGHT);
  auto seen = [&live](int index, int value) {
    for (const auto& s : live)
      if (s[index] == value) return true;
    return false;
  };
  ASSERT_TRUE(seen(2, Act::TwoWayRight));
  ASSERT_TRUE(seen(2, Act::Jump));
  ASSERT_GT(Traps_list.Count(), 1);
  EXPECT_GT(live.back()[live.back().size() - 3], 18);  // the stone fell off the ledge
  ActionType = kActionExit;
  RecordAction();
  SaveReplay();
  build();
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  Trace replay;
  for (int t = 0; t < 401; ++t) {
    Pass();
    replay.push_back(state());
  }
  for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t + 1], live[t]) << "tick " << t;
}

}  // namespace
}  // namespace playtest

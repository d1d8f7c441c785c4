// The traps: wall traps, stones falling, pushed and re-homed, doors pushed both ways.
#include "play/traps.h"

#include <gtest/gtest.h>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/player.h"
#include "play/rules_fixture.h"

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
  std::shared_ptr<bbTraps> AddStone(int x, int y) {
    for (int c : {x, x + 1})
      for (int r : {y, y + 1}) SetRoomCell(0, 0, c, r, CellCode::Block);
    return Add(TrapKind::Stone, x, y);
  }
  // A door of height 5 on the floor, its solid column in place.
  std::shared_ptr<bbTraps> AddDoor(int kind, int x, int frame) {
    const bool left = kind == TrapKind::TwoWayLeft || kind == TrapKind::OneWayLeft;
    for (int r = 16; r <= 19; ++r) SetRoomCell(0, 0, left ? x + 1 : x, r, CellCode::Block);
    return Add(kind, x, 16, 5, frame);
  }
  // Passes until cond holds: their number, or -1 after `bound`.
  template <class F>
  int PassUntil(F cond, int bound = 400) {
    for (int n = 1; n <= bound; ++n) {
      Pass();
      if (cond()) return n;
    }
    return -1;
  }
};

// A wall trap fires with the player within 8 pixels of its column, builds a brick up every 41
// ticks (the sound in ticks 2 and 43) and goes when done; a stone falls a cell a tick into empty
// space and lands once (a stone with one empty cell beneath stays).
TEST_F(Traps, WallTrapsBuildEveryFortyOneTicksAndStonesFall) {
  Audible(sndCreateWall, "CrtWall");
  for (const int offset : {-9, 9, -8}) {
    auto t = Add(TrapKind::WallTrap, 10, 18, 3);
    PlaceAt(240 + offset);
    std::vector<int> appeared(5, 0);
    int removed = 0, plays = 0;
    for (int tick = 1; tick <= 300 && removed == 0; ++tick) {
      UpdateTraps();
      for (int k = 0; k < 5; ++k)
        if (appeared[k] == 0 && RoomCell(0, 0, 10, 15 + k) == CellCode::Brick) appeared[k] = tick;
      removed = Traps_list.Contains(t.get()) ? 0 : tick;
      if (tick == 2 || tick == 43) plays = plays * 10 + Plays();
    }
    if (offset != -8) {
      EXPECT_EQ(t->State, 0) << offset;
      t->Remove();
      continue;
    }
    EXPECT_EQ(appeared, (std::vector<int>{1, 41, 82, 123, 164}));
    EXPECT_EQ(std::vector<int>({removed, plays, RoomCell(0, 0, 10, 14)}),
              std::vector<int>({41 * 5, 12, 0}));
  }
  for (int c = 15; c <= 20; ++c)
    SetRoomCell(0, 0, c, 20, c == 15 ? CellCode::Block : 0), SetRoomCell(0, 0, c, 23, 1);
  Audible(sndCloseCoffine, "CloseCof");
  auto resting = AddStone(14, 18);
  auto stone = AddStone(17, 16);
  const int sounds = Plays();
  std::vector<int> ys;
  for (int tick = 0; tick < 7; ++tick) UpdateTraps(), ys.push_back(stone->Y);
  EXPECT_EQ(ys, (std::vector<int>{17, 18, 19, 20, 21, 21, 21}));
  EXPECT_EQ(std::vector<int>({resting->Y, Plays() - sounds, stone->State}),
            std::vector<int>({18, 1, 0}));
  for (int r = 16; r <= 20; ++r) EXPECT_EQ(RoomCell(0, 0, 17, r), 0) << r;
}

// The push count, the move on the 29th counted tick, the cells a stone covers and gives back
// (a ladder comes back), the count kept while touching, and a solid cell that blocks a push.
TEST_F(Traps, AStoneMovesOnTheTwentyNinthPushAndGivesBackWhatItCovered) {
  Audible(sndPushStone, "PushSton");
  auto stone = AddStone(10, 18);
  for (int r : {18, 19}) SetRoomCell(0, 0, 12, r, CellCode::Ladder);
  SetRoomCell(0, 0, 15, 19, CellCode::Brick);
  PlaceAt(180);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([&] { return stone->NumOfPass == 1; }), 0);
  EXPECT_EQ(PassUntil([&] { return stone->X == 11; }), 28);
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ((std::vector<int>{stone->Block1, stone->Block2, stone->Block3, stone->Block4}),
            (std::vector<int>{0, 3, 0, 3}));
  EXPECT_EQ(RoomCell(0, 0, 10, 18), 0);
  ASSERT_GT(PassUntil([&] { return stone->NumOfPass == 10; }), 0);
  Release(KEY_RIGHT);
  Passes(5);
  EXPECT_EQ(stone->NumOfPass, 10);
  Hold(KEY_RIGHT);
  ASSERT_GT(PassUntil([&] { return stone->X == 13; }), 0);
  for (int r : {18, 19}) EXPECT_EQ(RoomCell(0, 0, 12, r), CellCode::Ladder);
  ASSERT_GT(PassUntil([&] { return stone->NumOfPass == 28; }), 0);
  Pass();  // the brick in column 15 blocks: the count starts again
  EXPECT_EQ(stone->X, 13);
  EXPECT_EQ(stone->NumOfPass, 0);
  Release(KEY_RIGHT);
  Hold(KEY_LEFT);
  Passes(5);
  EXPECT_EQ(stone->NumOfPass, 0);
}

// Left, right and below, wrapping to the far end of the row or the top of the column, and off
// the world's last room column and row.
TEST_F(Traps, AStoneOutOfItsRoomIsReHomedInEveryDirection) {
  const struct {
    std::vector<std::pair<int, int>> rooms;
    int from[4], to[4];  // Roomx, Roomy, X, Y
  } cases[] = {
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
  for (const auto& c : cases) {
    for (auto& column : Rooms)
      for (int& r : column) r = 0;
    for (auto [rx, ry] : c.rooms) Rooms[rx][ry] = 1;
    const int wc = c.to[0] * 32 + c.to[2], wr = c.to[1] * 24 + c.to[3];
    const int oc = c.from[0] * 32 + c.from[2], or_ = c.from[1] * 24 + c.from[3];
    const bool same = oc == wc && or_ == wr;  // a fall into the room below: the same cells
    Stage[wc][wr] = CellCode::Ladder;
    Trap = Add(TrapKind::Stone, c.from[2], c.from[3]);
    Trap->Roomx = c.from[0], Trap->Roomy = c.from[1], Trap->Block1 = 7;
    FindTrapRoom();
    EXPECT_EQ((std::vector<int>{Trap->Roomx, Trap->Roomy, Trap->X, Trap->Y}),
              std::vector<int>(c.to, c.to + 4));
    EXPECT_EQ(Trap->Block1, same ? 7 : CellCode::Ladder);
    EXPECT_EQ(Stage[wc][wr] + Stage[wc + 1][wr + 1], 2);
    if (!same) {
      EXPECT_EQ(CellAt(oc, or_), oc < kStageCols && or_ < kStageRows ? 7 : 0);  // given back
    }
    Trap->Remove();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
  }
}

TEST_F(Traps, DoorsOpenOnTheFortiethPushTheirWayOnly) {
  Audible(sndDoor, "RLDoor");
  auto door = AddDoor(TrapKind::TwoWayLeft, 10, 8);
  auto oneWay = AddDoor(TrapKind::OneWayRight, 24, 23);
  PlaceAt(190);
  Hold(KEY_RIGHT);  // the wrong way for 40 ticks: shut, the count starts again
  ASSERT_GT(PassUntil([&] { return door->NumOfPass == 1; }), 0);
  EXPECT_EQ(PassUntil([&] { return door->NumOfPass == 0; }), 39);
  EXPECT_EQ(Player->Action, Act::Ground);
  Hold(KEY_LEFT);  // both arrows: no direction, no count
  Passes(3);
  EXPECT_EQ(door->NumOfPass, 0);
  Release(KEY_RIGHT);
  PlaceAt(300);
  ASSERT_GT(PassUntil([&] { return door->NumOfPass == 1; }), 0);
  EXPECT_EQ(PassUntil([] { return Player->Action == Act::TwoWayLeft; }), 39);
  EXPECT_EQ(door->Kind, TrapKind::TwoWayRight);
  EXPECT_EQ(Plays(), 1);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 11, r), 0);
  ASSERT_GT(PassUntil([] { return Player->Action == Act::Ground; }), 0);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 10, r), 1);
  Passes(5);  // a step away: dx follows the last step taken
  Release(KEY_LEFT);
  Hold(KEY_RIGHT);  // back the other way, then on through the one-way door
  EXPECT_GT(PassUntil([] { return Player->Action == Act::TwoWayRight; }), 0);
  EXPECT_EQ(door->Kind, TrapKind::TwoWayLeft);
  EXPECT_GT(PassUntil([] { return Player->Action == Act::OneWayRight; }), 0);
  EXPECT_EQ(oneWay->Kind, TrapKind::OneWayRight);
  for (int r = 16; r <= 19; ++r) EXPECT_EQ(RoomCell(0, 0, 24, r), 1);  // never cleared
}

}  // namespace
}  // namespace playtest

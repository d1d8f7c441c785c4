// Counts and windows that a stage seldom reaches: how long enemies live and how many turns
// kill them, a rock's fall that bounces, a weapon's reach against enemies, the pushes a stone
// and a door take, the exit door's entry window.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/enemies.h"
#include "play/rules_fixture.h"
#include "play/tick.h"
#include "play/weapons.h"

namespace playtest {
namespace {

using Lifeline = std::vector<std::pair<int, int>>;  // (state, ticks in it), in order

// Runs the enemies alone for `ticks` ticks and returns each one's states with their lengths.
std::vector<Lifeline> Lifelines(const std::vector<std::shared_ptr<bbEnemies>>& enemies, int ticks) {
  std::vector<Lifeline> lines(enemies.size());
  for (std::size_t i = 0; i < enemies.size(); ++i) lines[i].push_back({enemies[i]->State, 0});
  for (int t = 0; t < ticks; ++t) {
    UpdateEnemies();
    for (std::size_t i = 0; i < enemies.size(); ++i) {
      lines[i].back().second += 1;
      if (enemies[i]->State != lines[i].back().first) lines[i].push_back({enemies[i]->State, 0});
    }
  }
  return lines;
}

// The first n entries of a lifeline (fewer when it has fewer).
Lifeline Head(const Lifeline& line, std::size_t n) {
  return Lifeline(line.begin(), line.begin() + static_cast<long>(std::min(n, line.size())));
}

void Fill(int rx, int c, int r0, int r1, int code) {
  for (int r = r0; r <= r1; ++r) RulesTest::SetRoomCell(rx, 0, c, r, code);
}

// Rocks in room 1, the player far off in room 0: one in a pit between walls one cell high turns
// twice at every wait and dies at the fifth (ten turns); one shut in at the head dies at its
// first; one dropping 32 pixels bounces, one dropping 24 does not. A death lasts 400 ticks.
TEST_F(RulesTest, RocksFormWaitRestTurnDieAndBounce) {
  MakeRoom(0, 0), MakeRoom(1, 0);
  PlaceAt(100);
  Fill(1, 3, 19, 19, 1), Fill(1, 6, 19, 19, 1);   // the pit: feet walls either side of 4-5
  Fill(1, 9, 18, 19, 1), Fill(1, 12, 18, 19, 1);  // shut in round 10-11
  auto pit = Spawn(EnemyKind::Rock, 4, 18, 1), shut = Spawn(EnemyKind::Rock, 10, 18, 1);
  auto bounce = Spawn(EnemyKind::Rock, 16, 16, 1), drop = Spawn(EnemyKind::Rock, 22, 16, 1);
  bounce->y = 432 - 32, drop->y = 432 - 24;
  const auto lines = Lifelines({pit, shut, bounce, drop}, 2800);
  const Lifeline cycle = {{19, 119}, {20, 1}, {21, 400}};
  Lifeline pitLine = {{0, 140}, {19, 120}, {20, 1}, {21, 400}};
  for (int i = 0; i < 3; ++i) pitLine.insert(pitLine.end(), cycle.begin(), cycle.end());
  pitLine.insert(pitLine.end(), {{19, 119}, {16, 400}, {0, 60}});
  EXPECT_EQ(lines[0], pitLine);
  EXPECT_EQ(Head(lines[1], 4), Lifeline({{0, 140}, {19, 120}, {16, 400}, {0, 140}}));
  EXPECT_EQ(Head(lines[2], 5), Lifeline({{0, 140}, {14, 5}, {18, 36}, {21, 400}, {19, 120}}));
  EXPECT_EQ(Head(lines[3], 4), Lifeline({{0, 140}, {14, 4}, {21, 400}, {19, 120}}));
  EXPECT_EQ(std::vector<int>({pit->x, pit->y, bounce->y, drop->y}),
            std::vector<int>({768 + 96, 432, 432, 432}));
}

// A slow mummy shut in between two walls shows at its coffin's second beat, leaves at the third,
// halts 80 ticks, turns at every wall and dies on its fifteenth turn; 400 ticks later it is back
// in its coffin.
TEST_F(RulesTest, AMummyShutInTurnsFifteenTimesThenComesBack) {
  MakeRoom(0, 0), MakeRoom(1, 0);
  PlaceAt(100);
  Fill(1, 3, 18, 19, 1), Fill(1, 7, 18, 19, 1);
  auto mummy = Spawn(EnemyKind::SlowMummy, 4, 18, 1);
  const auto coffin = Lifelines({mummy}, 159);
  const int hidden = mummy->Visible;
  Lifelines({mummy}, 1);
  const int shown = mummy->Visible;
  const auto leave = Lifelines({mummy}, 160);
  int most = 0, ticks = 0;
  for (; ticks < 5000 && mummy->State != EnemyState::Dying; ++ticks)
    UpdateEnemies(), most = std::max(most, mummy->LifeSpan);
  const auto after = Lifelines({mummy}, 400);
  EXPECT_EQ(std::vector<int>({coffin[0][0].second, hidden, shown, most}),
            std::vector<int>({159, 0, 1, 14}));
  EXPECT_EQ(Head(leave[0], 2), Lifeline({{0, 80}, {19, 80}}));
  EXPECT_EQ(after[0], Lifeline({{16, 400}, {0, 0}}));
  EXPECT_EQ(std::vector<int>({mummy->x, mummy->y}), std::vector<int>({768 + 96, 432}));
}

// A weapon kills a mummy whose y is within 10 pixels of its own, passes one in its coffin or
// dying, and stops a rolling rock on the cell grid, which counts a turn.
TEST_F(RulesTest, AWeaponsReachAgainstEnemies) {
  MakeRoom(0, 0);
  PlaceAt(600, 100);
  const int cases[][5] = {// kind, state, dy, state after, weapon state after
                          {0, 20, 10, 16, 21}, {0, 20, -10, 16, 21}, {1, 19, 11, 19, 1},
                          {0, 20, -11, 20, 1}, {0, 0, 0, 0, 1},      {1, 16, 0, 16, 1},
                          {2, 20, 0, 21, 21},  {2, 19, 0, 19, 1},    {3, 20, 10, 16, 21}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0] * 1000 + c[1] * 10 + c[2]);
    auto e = Spawn(c[0], 8, 10);
    e->State = c[1], e->frame = 22, e->x += 5, e->LifeSpan = 3;
    auto w = New<bbWeapons>();
    w->Frame = 56, w->State = 1, w->Direction = 1, w->CollideCounter = 20;
    w->x = e->x - 9, w->y = e->y + c[2];
    UpdateWeapons();
    const bool hit = c[4] == 21;
    EXPECT_EQ(std::vector<int>({e->State, w->State, e->LifeSpan, e->x % 24}),
              std::vector<int>({c[3], c[4],
                                !hit        ? 3
                                : c[0] == 2 ? 4
                                            : 0,
                                c[0] == 2 && hit ? 0 : 5}));
    e->Remove(), w->Remove();
  }
}

// A stone moves on the 29th tick it is pushed, a door opens on the 40th.
TEST_F(RulesTest, AStoneTakes29PushesADoor40) {
  using media::KEY_LEFT;
  using media::KEY_RIGHT;
  MakeRoom(0, 0);
  for (int c : {10, 11})
    for (int r : {18, 19}) SetRoomCell(0, 0, c, r, CellCode::Block);
  auto stone = New<bbTraps>();
  stone->Kind = TrapKind::Stone, stone->X = 10, stone->Y = 18;
  PlaceAt(180), Hold(KEY_RIGHT);
  int counted = 0;
  for (int n = 0; n < 200 && stone->X == 10; ++n) Pass(), counted += stone->NumOfPass > 0;
  Release(KEY_RIGHT);
  EXPECT_EQ(std::vector<int>({counted, stone->X}), std::vector<int>({28, 11}));

  ClearWorld(), MakeRoom(0, 0);
  Fill(0, 11, 16, 19, CellCode::Block);
  auto door = New<bbTraps>();
  door->Kind = TrapKind::TwoWayLeft, door->X = 10, door->Y = 16, door->Height = 5, door->Frame = 8;
  PlaceAt(300), Hold(KEY_LEFT);
  counted = 0;
  for (int n = 0; n < 200 && Player->Action == Act::Ground; ++n)
    Pass(), counted += door->NumOfPass > 0;
  Release(KEY_LEFT);
  EXPECT_EQ(std::vector<int>({counted, Player->Action}), std::vector<int>({39, 22}));
}

// The open exit door takes a player whose x is 22 to 26 pixels past its left edge and whose y is
// more than 44 below its top.
TEST_F(RulesTest, TheExitDoorsEntryWindow) {
  MakeRoom(0, 0);
  Exitdoor->x = 10, Exitdoor->y = 16, Exitdoor->Frame = 0;
  const int cases[][3] = {{21, 48, 0}, {22, 48, 1}, {26, 48, 1}, {27, 48, 0},
                          {24, 44, 0}, {24, 45, 1}, {24, 60, 1}};
  for (const auto& c : cases) {
    Exitdoor->State = DoorState::Open;
    PlaceAt(240 + c[0], 384 + c[1]);
    TestExitDoor();
    EXPECT_EQ(Player->Action == Act::Exiting, c[2] == 1) << c[0] << " " << c[1];
  }
}

// A new game starts with no score and two lives, whatever the last game left.
TEST_F(RulesTest, ANewGameStartsWithTwoLives) {
  Player->Score = 12345, Player->Lives = 7, Player->XS = Player->YS = 9;
  SetNewGamePlayer();
  EXPECT_EQ(std::vector<int>({Player->Score, Player->Lives, Player->XS, Player->YS}),
            std::vector<int>({0, 2, 3, 3}));
}

}  // namespace
}  // namespace playtest

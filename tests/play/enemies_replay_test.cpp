// Live runs among enemies, recorded, written, loaded and played back: tick for tick the playback
// passes through the same states of the player, the enemies, the weapons and the items, through
// throws, catches, deaths and room changes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/enemy_fixture.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using Trace = std::vector<std::vector<int>>;

std::vector<int> WorldState() {
  std::vector<int> s = PlayerState();
  s.push_back(Player->Lives);
  for (auto e : Enemies_list.Each<bbEnemies>()) s.insert(s.end(), {e->x, e->y, e->State});
  for (auto w : Weapons_list.Each<bbWeapons>()) s.insert(s.end(), {w->x, w->y, w->State});
  for (auto it : Items_list.Each<bbItems>()) s.insert(s.end(), {it->X, it->Y, it->kind});
  return s;
}

class EnemiesReplay : public RulesTest {
 protected:
  // Two rooms side by side with a ledge, a ladder and bricks; knives; a mummy of each kind, a
  // pony and a rock.
  void Build() {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    ClearEnemies();
    for (auto w : Weapons_list.Each<bbWeapons>()) w->Remove();
    for (int rx = 0; rx < 2; ++rx) {
      MakeRoom(rx, 0, false);
      for (int c = 0; c < 32; ++c) SetRoomCell(rx, 0, c, c < 15 ? 20 : 22, 1);
      for (int r = 0; r < 24; ++r) SetRoomCell(rx, 0, rx == 0 ? 0 : 31, r, 1);
    }
    for (int r = 12; r < 20; ++r) SetRoomCell(0, 0, 5, r, 3), SetRoomCell(0, 0, 6, r, 99);
    for (int c = 7; c < 12; ++c) SetRoomCell(0, 0, c, 12, 2);
    for (int i = 0; i < 3; ++i) {
      auto knife = New<bbItems>();
      knife->X = 9 + 6 * i, knife->Y = i == 0 ? 18 : 20, knife->kind = i % 2;
      knife->frame = 8 * knife->kind;
    }
    Spawn(EnemyKind::FastMummy, 20, 20);
    Spawn(EnemyKind::SlowMummy, 18, 8);
    Spawn(EnemyKind::Pony, 8, 20, 1);
    Spawn(EnemyKind::Rock, 18, 12);
    Exitdoor->State = 1, Exitdoor->Frame = 5;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->State = 0;
    Player->FrameRate = Player->FrameCounter = 0, Player->LastDirection = 1, Player->Lives = 3;
    Game->State = GameState::Play;
    RoomX = RoomY = 0;
  }
  // Live with `input` before every pass until `ticks` passes or a death (the dying records
  // nothing), saved; then played back as long. Expects the same trace; returns it.
  Trace LiveThenPlayback(
      int ticks, const std::function<void(int)>& input,
      const std::function<void()>& setup = [] {}) {
    Trace runs[2];
    for (int pass = 0; pass < 2; ++pass) {
      Build();
      setup();
      if (pass == 1) {
        DemoMode = 1;
        LoadReplay();
        EXPECT_EQ(DemoMode, 1);
      }
      runs[pass].push_back(WorldState());
      for (int t = 0;
           pass == 1 ? runs[1].size() < runs[0].size() : t < ticks && Player->Action != Act::Dying;
           ++t) {
        if (pass == 0) input(t);
        Pass();
        runs[pass].push_back(WorldState());
      }
      for (int key : {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN})
        Release(key);
      ActionType = kActionExit;
      if (pass == 0) RecordAction(), SaveReplay();
    }
    DemoMode = 0;
    ResetReplayGlobals();
    for (std::size_t i = 0; i < runs[0].size(); ++i)
      if (runs[0][i] != runs[1][i]) ADD_FAILURE() << "tick " << i;
    return runs[0];
  }
};

TEST_F(EnemiesReplay, RandomRunsPlayBackTickForTick) {
  User = 1;
  ReplayName = "ENEMIES";
  const int keys[4] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
  int deaths = 0, throws = 0, catches = 0;
  for (unsigned seed = 1; seed <= 40 && !HasFailure(); ++seed) {
    std::mt19937 rng(seed);
    int held = -1, weapons = 0, tool = 0;
    const Trace live = LiveThenPlayback(1500, [&](int) {
      // What the last pass did, then this pass's keys.
      throws += Weapons_list.Count() > weapons;
      catches += tool == 0 && Player->State != 0 && Weapons_list.Count() < weapons;
      weapons = Weapons_list.Count(), tool = Player->State;
      if (rng() % 12 == 0) {
        if (held >= 0) Release(keys[held]);
        held = static_cast<int>(rng() % 5) - 1;
        if (held >= 0) Hold(keys[held]);
      }
      if (rng() % 20 == 0) Hit(media::KEY_SPACE);
    });
    deaths += live.back()[2] == Act::Dying;
  }
  EXPECT_GT(deaths, 3);
  EXPECT_GT(throws, 3);
  EXPECT_GT(catches, 0);
}

// A jump out over the side edge with the arrow let go in mid-air: the fall that follows carries
// the player into the next room, live and in playback alike.
TEST_F(EnemiesReplay, AJumpOverTheSideEdgeChangesRoomInPlaybackToo) {
  User = 1;
  ReplayName = "EDGE";
  const Trace live = LiveThenPlayback(
      120,
      [this](int t) {
        if (t == 2) Hold(media::KEY_RIGHT);
        if (t == 3) Hit(media::KEY_SPACE);
        if (t == 6) Release(media::KEY_RIGHT);
      },
      [this] {
        Player->X = 720, Player->Y = 22 * 24 - 48;  // on the lower floor, no ledge ahead
        for (int c = 0; c < 15; ++c) SetRoomCell(1, 0, c, 20, 0);
      });
  EXPECT_EQ(live.back()[8], 1);  // RoomX
}

}  // namespace
}  // namespace playtest

// Live runs recorded, written, read back and played back: tick for tick the playback passes
// through the live run's states of the player, the enemies, the weapons, the items and the traps.
#include "stages/replay.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"

namespace playtest {
namespace {

using Trace = std::vector<std::vector<int>>;
using media::KEY_LEFT, media::KEY_RIGHT, media::KEY_SPACE;

std::vector<int> WorldState() {
  std::vector<int> s = PlayerState();
  s.insert(s.end(), {Player->Lives, Player->FrameRate});
  for (auto e : Enemies_list.Each<bbEnemies>()) s.insert(s.end(), {e->x, e->y, e->State});
  for (auto w : Weapons_list.Each<bbWeapons>()) s.insert(s.end(), {w->x, w->y, w->State});
  for (auto it : Items_list.Each<bbItems>()) s.insert(s.end(), {it->X, it->Y, it->kind});
  for (auto t : Traps_list.Each<bbTraps>())
    s.insert(s.end(), {t->Kind, t->X, t->Y, t->NumOfPass, t->State});
  return s;
}

class Replay : public RulesTest {
 protected:
  // Room (0, 0): a floor stepping down at column 15, a ladder up to a brick shelf. With
  // `enemies`: room (1, 0) beside it, knives, both mummies, a pony and a rock; else a walled
  // room with bricks to dig, a digging tool and gold.
  void Build(bool enemies, int tool = 0) {
    ClearWorld();
    for (int rx = 0; rx <= enemies; ++rx) {
      MakeRoom(rx, 0, false);
      for (int c = 0; c < 32; ++c) SetRoomCell(rx, 0, c, c < 15 ? 20 : 22, 1);
      for (int r = 0; r < 24; ++r) SetRoomCell(rx, 0, rx == 0 ? 0 : 31, r, 1);
    }
    for (int r = 12; r < 20; ++r) SetRoomCell(0, 0, 5, r, 3), SetRoomCell(0, 0, 6, r, 99);
    for (int c = 7; c < 12; ++c) SetRoomCell(0, 0, c, 12, 2);
    if (enemies) {
      for (int i = 0; i < 3; ++i) Item(i % 2, 9 + 6 * i, i == 0 ? 18 : 20);
      Spawn(EnemyKind::FastMummy, 20, 20), Spawn(EnemyKind::SlowMummy, 18, 8);
      Spawn(EnemyKind::Pony, 8, 20, 1), Spawn(EnemyKind::Rock, 18, 12);
    } else {
      for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 0, 1), SetRoomCell(0, 0, 31, c % 24, 1);
      for (int r = 18; r < 22; ++r) SetRoomCell(0, 0, 22, r, 2);
      SetRoomCell(0, 0, 28, 21, 1);
      Item(3, 17, 20), Item(6, 9, 10);
    }
    Exitdoor->State = 1, Exitdoor->Frame = 5;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->State = tool;
    Player->FrameRate = Player->FrameCounter = 0, Player->LastDirection = 1, Player->Lives = 3;
    Game->State = GameState::Play;
    RoomX = RoomY = 0;
  }
  // `build`, then live with `input(t)` before every pass for `ticks` passes or up to a death
  // (the dying records nothing), saved as a player-made stage's replay; `build` again and the
  // replay played back as long. Expects the same trace; returns the live one.
  Trace LiveThenPlayback(int ticks, const std::function<void(int)>& input,
                         const std::function<void()>& build) {
    Trace runs[2];
    User = 1;
    for (int pass = 0; pass < 2; ++pass) {
      build();
      ReplayName = "RUN";
      if (pass == 1) DemoMode = 1, LoadReplay();
      EXPECT_EQ(DemoMode, pass);
      runs[pass].push_back(WorldState());
      for (int t = 0;
           pass == 1 ? runs[1].size() < runs[0].size() : t < ticks && Player->Action != Act::Dying;
           ++t) {
        if (pass == 0) input(t);
        Pass();
        runs[pass].push_back(WorldState());
      }
      for (int key : {KEY_LEFT, KEY_RIGHT, media::KEY_UP, media::KEY_DOWN}) Release(key);
      ActionType = kActionExit;
      if (pass == 0) RecordAction(), SaveReplay();
    }
    DemoMode = 0;
    ResetReplayGlobals();
    for (std::size_t i = 0; i < runs[0].size(); ++i)
      if (runs[0][i] != runs[1][i]) ADD_FAILURE() << "tick " << i;
    return runs[0];
  }
  static void Item(int kind, int x, int y) {
    auto it = New<bbItems>();
    it->X = x, it->Y = y, it->kind = kind, it->frame = 8 * kind;
  }
  // Random arrows (held for a while) and fire presses, one in `fire`.
  static std::function<void(int)> RandomKeys(std::mt19937& rng, int& held, int change, int fire) {
    return [&rng, &held, change, fire](int) {
      const int keys[4] = {KEY_LEFT, KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
      if (rng() % change == 0) {
        if (held >= 0) media::headless::KeyUpNow(keys[held]);
        held = static_cast<int>(rng() % 5) - 1;
        if (held >= 0) media::headless::KeyDownNow(keys[held]);
      }
      if (rng() % fire == 0) media::headless::PressKey(KEY_SPACE);
    };
  }
};

// The recording's corner cases: a jump from standing still records its first tick twice; a
// straight jump right after a throw carries on the throw's run; one right after a sideways
// jump's landing is recorded as 5 so playback does not jump sideways.
TEST_F(Replay, ScriptedRunsPlayBackTickForTick) {
  const struct {
    const char* name;
    int tool;
    std::vector<std::tuple<int, int, int>> events;  // tick, 0 hold / 1 release / 2 hit, key
    int checkTick, action;  // the live run's action then, to show the case happened
  } scripts[] = {
      {"straight jump, then a walk",
       0,
       {{5, 2, KEY_SPACE}, {6, 0, KEY_RIGHT}, {60, 1, KEY_RIGHT}},
       6,
       13},
      {"sideways jump", 0, {{0, 0, KEY_RIGHT}, {0, 2, KEY_SPACE}, {1, 1, KEY_RIGHT}}, 36, 14},
      {"a throw, then a straight jump", 1, {{5, 2, KEY_SPACE}, {6, 2, KEY_SPACE}}, 7, 13},
      {"sideways, then straight",
       0,
       {{0, 0, KEY_RIGHT}, {0, 2, KEY_SPACE}, {1, 1, KEY_RIGHT}, {37, 2, KEY_SPACE}},
       38,
       13},
  };
  for (const auto& s : scripts) {
    SCOPED_TRACE(s.name);
    const Trace live = LiveThenPlayback(
        120,
        [&](int t) {
          for (auto [tick, what, key] : s.events)
            if (tick == t) what == 0 ? Hold(key) : what == 1 ? Release(key) : Hit(key);
        },
        [&] { Build(false, s.tool); });
    EXPECT_EQ(live[s.checkTick][2], s.action);
  }
}

// Random keys in the walled room (digging, climbing, jumping, gold) and among enemies (throws,
// catches, deaths): a fire press that starts nothing records a step of no input, so it spends
// its tick in playback too.
TEST_F(Replay, RandomRunsPlayBackTickForTick) {
  for (unsigned seed = 1; seed <= 25 && !HasFailure(); ++seed) {
    std::mt19937 rng(seed);
    int held = -1;
    LiveThenPlayback(800, RandomKeys(rng, held, 10, 25), [this] { Build(false); });
  }
  int deaths = 0, throws = 0, catches = 0;
  for (unsigned seed = 1; seed <= 40 && !HasFailure(); ++seed) {
    std::mt19937 rng(seed);
    int held = -1, weapons = 0, tool = 0;
    const auto keys = RandomKeys(rng, held, 12, 20);
    const Trace live = LiveThenPlayback(
        1500,
        [&](int t) {  // what the last pass did, then this pass's keys
          throws += Weapons_list.Count() > weapons;
          catches += tool == 0 && Player->State != 0 && Weapons_list.Count() < weapons;
          weapons = Weapons_list.Count(), tool = Player->State;
          keys(t);
        },
        [this] { Build(true); });
    deaths += live.back()[2] == Act::Dying;
  }
  EXPECT_GT(deaths, 3);
  EXPECT_GT(throws, 3);
  EXPECT_GT(catches, 0);
}

// A jump out over the side edge with the arrow let go in mid-air: the fall carries the player
// into the next room. A door pushed (both arrows for a while, a jump against it) and a stone
// pushed off a ledge.
TEST_F(Replay, AnEdgeJumpADoorAndAStonePlayBackInStep) {
  const Trace edge = LiveThenPlayback(
      120,
      [](int t) {
        if (t == 2) Hold(KEY_RIGHT);
        if (t == 3) Hit(KEY_SPACE);
        if (t == 6) Release(KEY_RIGHT);
      },
      [this] {
        Build(true);
        Player->X = 720, Player->Y = 22 * 24 - 48;  // on the lower floor, no ledge ahead
        for (int c = 0; c < 15; ++c) SetRoomCell(1, 0, c, 20, 0);
      });
  EXPECT_EQ(edge.back()[8], 1);  // RoomX
  const Trace traps = LiveThenPlayback(
      400,
      [](int t) {
        if (t == 0 || t == 20) Hold(t == 0 ? KEY_RIGHT : KEY_LEFT);
        if (t == 40) Release(KEY_LEFT);
        if (t == 50) Hit(KEY_SPACE);
      },
      [this] {
        Build(false);
        for (int c = 0; c < 32; ++c)
          for (int r = 0; r < 24; ++r) SetRoomCell(0, 0, c, r, r == 23 || (r == 20 && c < 22));
        for (auto it : Items_list.Each<bbItems>()) it->Remove();
        for (int r = 16; r <= 19; ++r) SetRoomCell(0, 0, 10, r, 1);
        auto door = New<bbTraps>();
        door->Kind = TrapKind::TwoWayRight, door->X = 10, door->Y = 16, door->Height = 5;
        door->Frame = 11;
        for (int c : {19, 20}) SetRoomCell(0, 0, c, 18, 1), SetRoomCell(0, 0, c, 19, 1);
        auto stone = New<bbTraps>();
        stone->Kind = TrapKind::Stone, stone->X = 19, stone->Y = 18;
        PlaceAt(150);
      });
  EXPECT_GT(traps.back()[traps.back().size() - 3], 18);  // the stone fell off the ledge
  EXPECT_EQ(traps.back()[traps.back().size() - 10], TrapKind::TwoWayLeft);  // the door passed
}

}  // namespace
}  // namespace playtest

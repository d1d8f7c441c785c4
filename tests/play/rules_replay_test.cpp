// Live runs recorded, written, loaded and played back: the playback follows the live run tick
// for tick.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using Trace = std::vector<std::vector<int>>;
using media::KEY_RIGHT;
using media::KEY_SPACE;

class RulesReplay : public RulesTest {
 protected:
  // A walled room: a ledge with a ladder, a brick shelf, bricks, a lower floor, a tool and gold.
  void Build(int tool) {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    for (auto w : Weapons_list.Each<bbWeapons>()) w->Remove();
    MakeRoom(0, 0, false);
    for (int c = 0; c < 32; ++c)
      SetRoomCell(0, 0, c, c < 15 ? 20 : 22, 1), SetRoomCell(0, 0, c, 0, 1);
    for (int r = 0; r < 24; ++r) SetRoomCell(0, 0, 0, r, 1), SetRoomCell(0, 0, 31, r, 1);
    for (int r = 12; r < 20; ++r) SetRoomCell(0, 0, 5, r, 3), SetRoomCell(0, 0, 6, r, 99);
    for (int c = 7; c < 12; ++c) SetRoomCell(0, 0, c, 12, 2);
    for (int r = 18; r < 22; ++r) SetRoomCell(0, 0, 22, r, 2);
    SetRoomCell(0, 0, 28, 21, 1);
    auto item = New<bbItems>();
    item->X = 17, item->Y = 20, item->kind = 3, item->frame = 24;
    item = New<bbItems>();
    item->X = 9, item->Y = 10, item->kind = 6, item->frame = 48;
    Exitdoor->State = 1, Exitdoor->Frame = 5;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->State = tool;
    Player->FrameRate = Player->FrameCounter = 0, Player->LastDirection = 1;
    Game->State = 26;
    RoomX = RoomY = 0;
  }
  // Closes the recording as the exit door does, writes it, rebuilds the room and plays it back
  // for `ticks` passes.
  Trace PlayBack(int tool, int ticks) {
    ActionType = kActionExit;
    RecordAction();
    SaveReplay();
    Build(tool);
    DemoMode = 1;
    LoadReplay();
    EXPECT_EQ(DemoMode, 1);
    Trace trace = {PlayerState()};
    for (int t = 0; t < ticks; ++t) Pass(), trace.push_back(PlayerState());
    DemoMode = 0;
    return trace;
  }
  void SetUp() override {
    RulesTest::SetUp();
    User = 1;  // a player-made stage: its replay is written to PlayerLevels/ and read back
    ReplayName = "RUN";
  }
};

// (tick, what, key): 0 hold, 1 release, 2 hit.
using Events = std::vector<std::tuple<int, int, int>>;
struct Script {
  const char* name;
  int tool;
  Events events;
  int checkTick, action;  // the live run's action at that tick, to show the case happened
};

// The recording's corner cases: a jump from standing still records its first tick twice; a
// straight jump right after a throw carries on the throw's run; one right after a sideways
// jump's landing is recorded as 5 so playback does not jump sideways.
TEST_F(RulesReplay, ScriptedRunsPlayBackTickForTick) {
  const std::vector<Script> scripts = {
      {"straight jump from standing, then a walk",
       0,
       {{5, 2, KEY_SPACE}, {6, 0, KEY_RIGHT}, {60, 1, KEY_RIGHT}},
       6,
       13},
      {"sideways jump from standing",
       0,
       {{0, 0, KEY_RIGHT}, {0, 2, KEY_SPACE}, {1, 1, KEY_RIGHT}},
       36,
       14},
      {"a throw, then a straight jump", 1, {{5, 2, KEY_SPACE}, {6, 2, KEY_SPACE}}, 7, 13},
      {"a sideways jump, then a straight one",
       0,
       {{0, 0, KEY_RIGHT}, {0, 2, KEY_SPACE}, {1, 1, KEY_RIGHT}, {37, 2, KEY_SPACE}},
       38,
       13},
  };
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.name);
    Build(s.tool);
    Trace live = {PlayerState()};
    for (int t = 0; t < 120; ++t) {
      for (auto [tick, what, key] : s.events)
        if (tick == t) what == 0 ? Hold(key) : what == 1 ? Release(key) : Hit(key);
      Pass();
      live.push_back(PlayerState());
    }
    EXPECT_EQ(live[s.checkTick][2], s.action);
    const Trace replay = PlayBack(s.tool, 121);
    for (std::size_t t = 0; t < live.size(); ++t) ASSERT_EQ(replay[t], live[t]) << "tick " << t;
  }
}

// Random keys: the playback follows the live run tick for tick (a fire press that starts nothing
// records a step of no input, so it spends its tick in playback too).
TEST_F(RulesReplay, RandomRunsPlayBackThroughTheLiveStates) {
  const int keys[4] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
  for (unsigned seed = 1; seed <= 25; ++seed) {
    Build(0);
    std::mt19937 rng(seed);
    Trace live = {PlayerState()};
    int held = -1;
    for (int t = 0; t < 800; ++t) {
      if (rng() % 10 == 0) {
        if (held >= 0) Release(keys[held]);
        held = static_cast<int>(rng() % 5) - 1;
        if (held >= 0) Hold(keys[held]);
      }
      if (rng() % 25 == 0) Hit(KEY_SPACE);
      Pass();
      live.push_back(PlayerState());
    }
    if (held >= 0) Release(keys[held]);
    const Trace replay = PlayBack(0, 800);
    for (std::size_t t = 0; t < live.size(); ++t)
      ASSERT_EQ(replay[t], live[t]) << "seed " << seed << " tick " << t;
    ResetReplayGlobals();
    ReplayName = "RUN";
  }
}

}  // namespace
}  // namespace playtest

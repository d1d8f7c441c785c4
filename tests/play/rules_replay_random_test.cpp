// Random live runs in a walled room, recorded, written, loaded and played back: the playback
// passes through the same states in the same order and ends in the same state. (A fire press
// that starts nothing records no step, so such a tick is absent from the playback: the states
// are compared without their repeats.)
#include <gtest/gtest.h>

#include <random>
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

Trace WithoutRepeats(const Trace& trace) {
  Trace out;
  for (const auto& state : trace)
    if (out.empty() || out.back() != state) out.push_back(state);
  return out;
}

class RulesReplayRandom : public RulesTest {
 protected:
  // Walls all round, a ledge with a ladder, a step, bricks, a lower floor, a tool and gold.
  void Build() {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    MakeRoom(0, 0, false);
    for (int c = 0; c < 32; ++c) {
      SetRoomCell(0, 0, c, c < 15 ? 20 : 22, 1);
      SetRoomCell(0, 0, c, 0, 1);
    }
    for (int r = 0; r < 24; ++r) {
      SetRoomCell(0, 0, 0, r, 1);
      SetRoomCell(0, 0, 31, r, 1);
    }
    for (int r = 12; r < 20; ++r) {
      SetRoomCell(0, 0, 5, r, 3);
      SetRoomCell(0, 0, 6, r, 99);
    }
    for (int c = 7; c < 12; ++c) SetRoomCell(0, 0, c, 12, 2);
    for (int r = 18; r < 22; ++r) SetRoomCell(0, 0, 22, r, 2);
    SetRoomCell(0, 0, 28, 21, 1);
    auto tool = New<bbItems>();
    tool->X = 17, tool->Y = 20, tool->kind = 3, tool->frame = 24;
    auto gold = New<bbItems>();
    gold->X = 9, gold->Y = 10, gold->kind = 6, gold->frame = 48;
    Exitdoor->State = 1, Exitdoor->Frame = 5;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->State = 0;
    Player->FrameRate = Player->FrameCounter = 0, Player->LastDirection = 1;
    Game->State = 26;
    RoomX = RoomY = 0;
  }
};

TEST_F(RulesReplayRandom, PlaybackPassesThroughTheLiveStates) {
  User = 1;
  ReplayName = "RANDOM";
  const int keys[4] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
  for (unsigned seed = 1; seed <= 25; ++seed) {
    Build();
    std::mt19937 rng(seed);
    Trace live = {PlayerState()};
    int held = -1;
    for (int t = 0; t < 800; ++t) {
      if (rng() % 10 == 0) {
        if (held >= 0) Release(keys[held]);
        held = static_cast<int>(rng() % 5) - 1;
        if (held >= 0) Hold(keys[held]);
      }
      if (rng() % 25 == 0) Hit(media::KEY_SPACE);
      Pass();
      live.push_back(PlayerState());
    }
    if (held >= 0) Release(keys[held]);
    ActionType = kActionExit;
    RecordAction();
    SaveReplay();

    Build();
    DemoMode = 1;
    LoadReplay();
    ASSERT_EQ(DemoMode, 1) << seed;
    Trace replay = {PlayerState()};
    for (int t = 0; t < 2000 && WithoutRepeats(replay).size() < WithoutRepeats(live).size(); ++t) {
      Pass();
      replay.push_back(PlayerState());
    }
    DemoMode = 0;
    const Trace a = WithoutRepeats(live), b = WithoutRepeats(replay);
    ASSERT_EQ(a.size(), b.size()) << "seed " << seed;
    for (std::size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], b[i]) << "seed " << seed << " " << i;
    ResetReplayGlobals();
  }
}

}  // namespace
}  // namespace playtest

// Random live runs among enemies, recorded, written, loaded and played back: tick for tick the
// playback passes through the same states of the player, the enemies and the weapons, through
// throws, catches and deaths.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "play/rules_fixture.h"
#include "stages/flow.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using Trace = std::vector<std::vector<int>>;

std::vector<int> WorldState() {
  std::vector<int> s = PlayerState();
  s.push_back(Player->Lives);
  for (auto e : Enemies_list.Each<bbEnemies>())
    s.insert(s.end(), {e->x, e->y, e->State, e->Direction, e->RoomX});
  for (auto w : Weapons_list.Each<bbWeapons>()) s.insert(s.end(), {w->x, w->y, w->State});
  s.push_back(Items_list.Count());
  for (auto it : Items_list.Each<bbItems>()) s.insert(s.end(), {it->X, it->Y, it->RoomX, it->kind});
  return s;
}

class EnemiesReplay : public RulesTest {
 protected:
  // Two rooms side by side with a ledge, a ladder and bricks; knives to throw; a fast mummy,
  // a slow one, a pony and a rock.
  void Build() {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
    for (auto w : Weapons_list.Each<bbWeapons>()) w->Remove();
    for (int rx = 0; rx < 2; ++rx) {
      MakeRoom(rx, 0, false);
      for (int c = 0; c < 32; ++c) SetRoomCell(rx, 0, c, c < 15 ? 20 : 22, 1);
      for (int r = 0; r < 24; ++r) SetRoomCell(rx, 0, rx == 0 ? 0 : 31, r, 1);
    }
    for (int r = 12; r < 20; ++r) {
      SetRoomCell(0, 0, 5, r, 3);
      SetRoomCell(0, 0, 6, r, 99);
    }
    for (int c = 7; c < 12; ++c) SetRoomCell(0, 0, c, 12, 2);
    for (int i = 0; i < 3; ++i) {
      auto knife = New<bbItems>();
      knife->X = 9 + 6 * i, knife->Y = i == 0 ? 18 : 20, knife->kind = i % 2,
      knife->frame = 8 * (i % 2);
    }
    const int enemies[4][3] = {{1, 20, 20}, {0, 8, 18}, {3, 20, 40}, {2, 12, 18}};
    for (const auto& d : enemies) {
      auto e = New<bbEnemies>();
      e->Kind = d[0];
      const int rx = d[2] >= 32 ? 1 : 0;
      e->OriginRoomX = e->RoomX = rx;
      e->CoffineX = (d[2] % 32) * 24, e->CoffineY = (d[1] - 1) * 24;
      e->x = rx * 768 + e->CoffineX, e->y = d[1] * 24;
    }
    Exitdoor->State = 1, Exitdoor->Frame = 5;
    Player->X = 48, Player->Y = kStandY, Player->Score = 0, Player->State = 0;
    Player->FrameRate = Player->FrameCounter = 0, Player->LastDirection = 1, Player->Lives = 3;
    Game->State = GameState::Play;
    RoomX = RoomY = 0;
  }
};

TEST_F(EnemiesReplay, PlaybackRepeatsTheLiveRunTickForTick) {
  User = 1;
  ReplayName = "ENEMIES";
  const int keys[4] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN};
  int deaths = 0, throws = 0, catches = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    Build();
    std::mt19937 rng(seed);
    Trace live = {WorldState()};
    int held = -1;
    // A death ends the recording (the dying records nothing): the run is compared up to it.
    for (int t = 0; t < 1500 && Player->Action != Act::Dying; ++t) {
      if (rng() % 12 == 0) {
        if (held >= 0) Release(keys[held]);
        held = static_cast<int>(rng() % 5) - 1;
        if (held >= 0) Hold(keys[held]);
      }
      if (rng() % 20 == 0) Hit(media::KEY_SPACE);
      const int tool = Player->State, weapons = Weapons_list.Count();
      Pass();
      throws += Weapons_list.Count() > weapons;
      catches += (tool == 0 && Player->State != 0 && Weapons_list.Count() < weapons);
      live.push_back(WorldState());
    }
    deaths += Player->Action == Act::Dying;
    if (held >= 0) Release(keys[held]);
    ActionType = kActionExit;
    RecordAction();
    SaveReplay();

    Build();
    DemoMode = 1;
    LoadReplay();
    ASSERT_EQ(DemoMode, 1) << seed;
    Trace replay = {WorldState()};
    while (replay.size() < live.size()) {
      Pass();
      replay.push_back(WorldState());
    }
    DemoMode = 0;
    for (std::size_t i = 0; i < live.size(); ++i)
      ASSERT_EQ(live[i], replay[i]) << "seed " << seed << " tick " << i;
    ResetReplayGlobals();
  }
  // The runs met what they are meant to cover.
  EXPECT_GT(deaths, 3);
  EXPECT_GT(throws, 3);
  EXPECT_GT(catches, 0);
}

// A jump out over the room's side edge with the arrow let go in mid-air: the fall that follows
// carries the player into the next room, live and in playback alike.
TEST_F(EnemiesReplay, AJumpOverTheSideEdgeChangesRoomInPlaybackToo) {
  User = 1;
  ReplayName = "EDGE";
  Trace runs[2];
  for (int pass = 0; pass < 2; ++pass) {
    Build();
    Player->X = 720, Player->Y = 22 * 24 - 48;  // on the lower floor, with no ledge ahead
    for (int c = 0; c < 15; ++c) SetRoomCell(1, 0, c, 20, 0);
    if (pass == 1) {
      DemoMode = 1;
      LoadReplay();
      ASSERT_EQ(DemoMode, 1);
    }
    for (int t = 0; t < 120; ++t) {
      if (pass == 0 && t == 2) Hold(media::KEY_RIGHT);
      if (pass == 0 && t == 3) Hit(media::KEY_SPACE);
      if (pass == 0 && t == 6) Release(media::KEY_RIGHT);
      Pass();
      runs[pass].push_back(WorldState());
    }
    if (pass == 0) {
      EXPECT_EQ(RoomX, 1);
      ActionType = kActionExit;
      RecordAction();
      SaveReplay();
    }
  }
  DemoMode = 0;
  EXPECT_EQ(runs[0], runs[1]);
}

}  // namespace
}  // namespace playtest

// One pass of the play loop without the wait and the present: the tick (UpdateGame) and the
// frame (RenderGame with a non-zero flag: no side strips, no Flip) on a busy room: every cell
// filled, items, traps, statues, enemies and weapons in the room, and the player walking.
#include <benchmark/benchmark.h>

#include <string>

#include "core/codes.h"
#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/tables.h"
#include "core/text.h"
#include "media/app.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"

namespace {

// The pictures and sounds as start-up loads them.
void LoadMedia() {
  FillBuiltinTables();
  LoadAllMedia();
}

// Room (0, 0): bricks, blocks and ladders in every cell but a corridor along rows 16 to 19
// with a floor under it; 12 items, 8 traps, 2 statues, 6 enemies and 4 weapons in the room.
void BuildBusyRoom() {
  Rooms[0][0] = 1;
  for (int c = 0; c < 32; ++c) {
    for (int r = 0; r < 24; ++r) {
      int code = 1 + (c + r) % 4;
      if (r >= 16 && r <= 19) code = 0;
      if (r == 20) code = 1;
      Stage[c][r] = code;
    }
  }
  for (int i = 0; i < 12; ++i) {
    auto it = New<bbItems>();
    it->X = 2 * i + 1;
    it->Y = 2 + i % 10;
    it->kind = i % 6;
    it->frame = it->kind * 8;
  }
  for (int i = 0; i < 8; ++i) {
    auto t = New<bbTraps>();
    t->X = 3 * i + 2;
    t->Y = 4 + i % 3;
    t->Kind = i % 8;
    t->Frame = 3 * (i % 4);
    t->Height = 3;
  }
  for (int i = 0; i < 2; ++i) {
    auto s = New<bbstatuses>();
    s->x = 5 + 20 * i;
    s->y = 12;
    s->frame = i;
  }
  for (int i = 0; i < 6; ++i) {
    auto e = New<bbEnemies>();
    e->Kind = i % 4;
    e->x = 100 + 110 * i;
    e->y = 16 * 24;
    e->Visible = 1;
    e->State = i % 2 == 0 ? EnemyState::Moving : EnemyState::Resting;
    e->CoffineX = 48 * i;
    e->CoffineY = 24;
  }
  for (int i = 0; i < 4; ++i) {
    auto w = New<bbWeapons>();
    w->x = 150 + 150 * i;
    w->y = 17 * 24;
    w->State = 1;
    w->Frame = 56;
  }
  Exitdoor->x = 26;
  Exitdoor->y = 16;
  Exitdoor->State = DoorState::Shut;
  Exitdoor->Frame = 12;
  Player->X = 100;
  Player->Y = 16 * 24;
  SetNewGamePlayer();
  Game->State = GameState::Play;
  Game->Stage = 3;
}

void BM_PlayPass(benchmark::State& state) {
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  ResetGlobals();
  ResetReplayGlobals();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  media::Graphics(800, 600, 0, 60);
  LoadMedia();
  ResetAll();
  BuildBusyRoom();
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  int key = media::KEY_RIGHT;
  media::headless::KeyDownNow(key);
  for (auto _ : state) {
    // The player walks the corridor to and fro.
    if (Player->X > 640 || Player->X < 60) {
      media::headless::KeyUpNow(key);
      key = Player->X > 640 ? media::KEY_LEFT : media::KEY_RIGHT;
      media::headless::KeyDownNow(key);
    }
    UpdateGame();
    RenderGame(1);
    Game->State = GameState::Play;
  }
  ResetGlobals();
}
BENCHMARK(BM_PlayPass)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

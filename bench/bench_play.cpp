// One pass of the play loop without the wait and the present: the tick (UpdateGame) and the
// frame (RenderGame with a non-zero flag: no side strips, no Flip) on a busy room: every cell
// filled, items, traps, statues, enemies and weapons in the room, and the player walking. Then
// the same pass in a room where a dozen enemies move, the tick alone on the fullest stage the
// editor can make (36 rooms, 36 enemies, 72 traps), and one tick alone on a stage with a trap of
// every kind in every one of its 36 rooms. Beside the busy room's pass, the drawing of one play
// frame alone and a plain copy of the framebuffer for scale (compare them within one run: the
// machine may be busy).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

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

// The headless world with the game's pictures and an empty stage.
void StartWorld() {
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
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
}

// Room (rx, ry): a border, a floor at row 20, two pits and a wall stub that turn the enemies.
void BuildRoom(int rx, int ry) {
  Rooms[rx][ry] = 1;
  for (int c = 0; c < 32; ++c)
    for (int r = 0; r < 24; ++r) {
      int code = r == 0 || r >= 20 || c == 0 || c == 31 ? 1 : 0;
      if (r >= 20 && r <= 21 && (c == 10 || c == 11 || c == 22 || c == 23)) code = 0;
      if (c == 16 && (r == 18 || r == 19)) code = 2;
      Stage[rx * 32 + c][ry * 24 + r] = code;
    }
}

std::shared_ptr<bbEnemies> AddEnemy(int kind, int rx, int ry, int c) {
  auto e = New<bbEnemies>();
  e->Kind = kind;
  e->OriginRoomX = e->RoomX = rx;
  e->OriginRoomY = e->RoomY = ry;
  e->CoffineX = c * 24;
  e->CoffineY = 17 * 24;
  e->x = rx * 768 + c * 24;
  e->y = ry * 576 + 18 * 24;
  e->frame = 2 * kind + 22;
  return e;
}

// The player out of reach in a closed cell at the top-left of room (0, 0).
void ShutInPlayer() {
  for (int c = 1; c <= 4; ++c) Stage[c][5] = 1;
  for (int r = 1; r <= 5; ++r) Stage[4][r] = 1;
  Player->X = 24;
  Player->Y = 48;
  Player->XS = Player->YS = 3;
  Player->Lives = 2;
  Game->State = 26;
  Game->Stage = 3;
}

// A pass of the play loop in room (0, 0) with twelve enemies of every kind moving in it.
void BM_PlayPassDozenEnemies(benchmark::State& state) {
  StartWorld();
  BuildRoom(0, 0);
  for (int i = 0; i < 12; ++i) AddEnemy(i % 4, 0, 0, 2 + 2 * i);
  ShutInPlayer();
  for (int t = 0; t < 600; ++t) UpdateGame();  // out of their coffins and clouds
  for (auto _ : state) {
    UpdateGame();
    RenderGame(1);
    Game->State = 26;
  }
  ResetGlobals();
}
BENCHMARK(BM_PlayPassDozenEnemies)->Unit(benchmark::kMicrosecond);

// UpdateGame alone on the fullest stage: every room, an enemy in each, two traps in each.
void BM_FullStageTick(benchmark::State& state) {
  StartWorld();
  for (int rx = 0; rx < 6; ++rx)
    for (int ry = 0; ry < 6; ++ry) {
      BuildRoom(rx, ry);
      AddEnemy((rx + ry) % 4, rx, ry, 6 + 3 * rx);
      for (int i = 0; i < 2; ++i) {
        auto t = New<bbTraps>();
        t->Roomx = rx, t->Roomy = ry;
        t->X = 12 + 8 * i, t->Y = 19, t->Kind = 1 + i, t->Height = 3;
      }
    }
  ShutInPlayer();
  for (int t = 0; t < 600; ++t) UpdateGame();
  for (auto _ : state) {
    UpdateGame();
    Game->State = 26;
  }
  ResetGlobals();
}
BENCHMARK(BM_FullStageTick)->Unit(benchmark::kMicrosecond);

void BM_PlayPass(benchmark::State& state) {
  StartWorld();
  BuildBusyRoom();
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
    Player->Action = 0;  // the enemies' touch does not stop the walk
  }
  ResetGlobals();
}
BENCHMARK(BM_PlayPass)->Unit(benchmark::kMicrosecond);

// The drawing of one play frame alone, on the busy room.
void BM_PlayFrameDrawing(benchmark::State& state) {
  StartWorld();
  BuildBusyRoom();
  for (auto _ : state) {
    DrawPlayFrame();
    benchmark::DoNotOptimize(media::BackBufferPixels()[1000]);
  }
  ResetGlobals();
}
BENCHMARK(BM_PlayFrameDrawing)->Unit(benchmark::kMicrosecond);

// For scale: one plain copy of the 800 x 600 framebuffer.
void BM_FramebufferCopy(benchmark::State& state) {
  std::vector<media::Pixel> from(800 * 600, 0xFF123456u), to(800 * 600);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(media::Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FramebufferCopy)->Unit(benchmark::kMicrosecond);

// All 36 rooms with a floor along row 20 and one trap of every kind each: a wall trap, a
// crumbling floor, a stone on the floor, a vanishing ladder and the four doors.
void BuildTrapWorld() {
  for (int rx = 0; rx < 6; ++rx) {
    for (int ry = 0; ry < 6; ++ry) {
      Rooms[rx][ry] = 1;
      const int c0 = rx * 32, r0 = ry * 24;
      for (int c = 0; c < 32; ++c) Stage[c0 + c][r0 + 20] = 1;
      const int kinds[][5] = {{0, 2, 10, 2, 0},   {1, 5, 19, 0, 31}, {2, 12, 18, 0, 0},
                              {3, 16, 8, 10, 0},  {4, 20, 16, 5, 8}, {5, 23, 16, 5, 11},
                              {6, 26, 16, 5, 20}, {7, 29, 16, 5, 23}};
      for (const auto& k : kinds) {
        auto t = New<bbTraps>();
        t->Kind = k[0], t->X = k[1], t->Y = k[2], t->Height = k[3], t->Frame = k[4];
        t->Roomx = rx, t->Roomy = ry;
      }
      for (int c = 5; c < 9; ++c) Stage[c0 + c][r0 + 20] = 88;
      for (int r = 18; r < 20; ++r) Stage[c0 + 12][r0 + r] = Stage[c0 + 13][r0 + r] = 1;
      for (int r = 8; r < 18; ++r) Stage[c0 + 16][r0 + r] = 4, Stage[c0 + 17][r0 + r] = 99;
      for (int r = 16; r < 20; ++r)
        Stage[c0 + 21][r0 + r] = Stage[c0 + 23][r0 + r] = Stage[c0 + 27][r0 + r] =
            Stage[c0 + 29][r0 + r] = 1;
    }
  }
  Exitdoor->State = 1;
  Exitdoor->Frame = 1;
  Player->X = 60;
  Player->Y = 18 * 24;
  Player->XS = Player->YS = 3;
  Game->State = 26;
}

// One tick alone (UpdateGame) on the trap world, the player standing in room (0, 0).
void BM_TrapTick(benchmark::State& state) {
  StartWorld();
  BuildTrapWorld();
  for (auto _ : state) {
    UpdateGame();
    Game->State = 26;
  }
  state.counters["traps"] = static_cast<double>(Traps_list.Count());
  ResetGlobals();
}
BENCHMARK(BM_TrapTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// A small world for the play rules: a headless screen, the game's own pictures (collisions read
// them), the single objects, an empty stage, a temporary start folder, and passes of the play
// loop as the state machine runs them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/tables.h"
#include "media/app.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/sound.h"
#include "play/actions.h"
#include "play/dig.h"
#include "play/player.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"
#include "support/temp_folder.h"

namespace playtest {

// The floor row of the test rooms and the Y of a player standing on it.
constexpr int kFloorRow = 20;
constexpr int kStandY = kFloorRow * 24 - 48;  // 432

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    ResetGlobals();
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
    media::ResetGraphicsState();
    LoadAllMedia(1, false);
    ASSERT_TRUE(PlayerSprite && ItemSprite && XDoor && Bricks);
    FillBuiltinTables();
    Game = New<bbGames>();
    Exitdoor = New<bbExitDoors>();
    Player = New<bbPlayers>();
    Player->XS = Player->YS = 3;
    Player->Lives = 2;
    Player->Exist = 1;
    Game->Stage = 5;
    ResetAll();
    RoomX = RoomY = 0;
    std::filesystem::create_directories(root_ / "Levels");
    std::filesystem::create_directories(root_ / "PlayerLevels");
    Path = root_.string() + "/";
    AppPath = root_.string();
    FilePath = root_.string() + "/PlayerLevels/";
  }
  void TearDown() override { ResetGlobals(); }

 public:
  // Room (rx, ry) exists, with a solid floor of code 1 along kFloorRow.
  static void MakeRoom(int rx, int ry, bool floor = true) {
    Rooms[rx][ry] = 1;
    for (int c = 0; c < 32 && floor; ++c) SetRoomCell(rx, ry, c, kFloorRow, 1);
  }
  // Every cell empty, no items, weapons, enemies or traps, the per-stage counters reset.
  static void ClearWorld() {
    ResetAll();
    for (auto& column : Stage)
      for (int& cell : column) cell = 0;
    for (auto* list : {&Items_list, &Weapons_list, &Enemies_list, &Traps_list})
      for (auto o : list->Each<TBBType>()) o->Remove();
  }
  // Cell (c, r) of room (rx, ry).
  static void SetRoomCell(int rx, int ry, int c, int r, int code) {
    Stage[rx * 32 + c][ry * 24 + r] = code;
  }
  static int RoomCell(int rx, int ry, int c, int r) { return Stage[rx * 32 + c][ry * 24 + r]; }
  // The player at room pixels (x, y) of the current room, standing (Action 0).
  static void PlaceAt(int x, int y = kStandY) { Player->X = x, Player->Y = y, Player->Action = 0; }

  // One pass of the play loop: the tick, then the frame's part of the rules (the player's
  // action and, in replay mode, the playback step).
  static void Pass() {
    UpdateGame();
    AnimatePlayer();
    if (DemoMode == 1) StepReplay();
  }
  static void Passes(int n) {
    for (int i = 0; i < n; ++i) Pass();
  }
  // Passes while Player->Action stays `action` (at most `limit`); returns their number.
  static int PassesWhile(int action, int limit = 1000) {
    int n = 0;
    while (Player->Action == action && n < limit) Pass(), ++n;
    return n;
  }

  // Keys held, released, hit once.
  static void Hold(int key) { media::headless::KeyDownNow(key); }
  static void Release(int key) { media::headless::KeyUpNow(key); }
  static void Hit(int key) { media::headless::PressKey(key); }

  // Loads one of the game's sound effects into `slot`; the others stay null, so the mixer's
  // channel count tells how often that sound played.
  static void Audible(media::Sound& slot, const std::string& name) {
    slot = media::LoadSound("incbin::Sfx/" + name + ".ogg");
    ASSERT_TRUE(slot) << name;
  }
  static int Plays() { return media::headless::ActiveChannels(); }

  // A replay in memory of the given (code, ticks) runs, replay mode on.
  static void PlayRuns(const std::vector<std::pair<int, int>>& runs) {
    for (std::size_t i = 0; i < runs.size(); ++i)
      Demo[0][i] = runs[i].first, Demo[1][i] = runs[i].second;
    TotalActionCount = static_cast<int>(runs.size()) - 1;
    ActionCount = ActionNo = 0;
    DemoMode = 1;
  }

  // The start folder (the game may change the working folder; it comes back at the end).
  quill_test::TempFolder folder_{false};
  std::filesystem::path root_ = folder_.path();
};

// The player's state as a list of integers, for comparing runs tick by tick.
inline std::vector<int> PlayerState() {
  return {Player->X,         Player->Y,           Player->Action, Player->State, Player->Frame,
          Player->Direction, Player->FallCounter, Player->Score,  RoomX,         RoomY,
          Exitdoor->State,   Exitdoor->Frame};
}

// An enemy of `kind` with its top-left at cell (c, r) of room (rx, ry), its coffin there too,
// made as the stage reader makes it.
inline std::shared_ptr<bbEnemies> Spawn(int kind, int c, int r, int rx = 0, int ry = 0) {
  auto e = New<bbEnemies>();
  e->Kind = kind;
  e->OriginRoomX = e->RoomX = rx, e->OriginRoomY = e->RoomY = ry;
  e->CoffineX = c * 24, e->CoffineY = (r - 1) * 24;
  e->x = rx * 768 + c * 24, e->y = ry * 576 + r * 24;
  return e;
}
inline void ClearEnemies() {
  for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
}

}  // namespace playtest

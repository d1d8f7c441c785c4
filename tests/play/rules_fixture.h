// A small world for the play rules: a headless screen, the game's own pictures (collisions read
// them), the single objects, an empty stage, a temporary start folder, and passes of the play
// loop as the state machine runs them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/objects.h"
#include "media/sound.h"

namespace playtest {

// The floor row of the test rooms and the Y of a player standing on it.
constexpr int kFloorRow = 20;
constexpr int kStandY = kFloorRow * 24 - 48;  // 432

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Room (rx, ry) exists, with a solid floor of code 1 along kFloorRow.
  void MakeRoom(int rx, int ry, bool floor = true);
  // Every cell empty, no items, weapons, enemies or traps, the per-stage counters reset.
  static void ClearWorld();
  // Cell (c, r) of room (rx, ry).
  void SetRoomCell(int rx, int ry, int c, int r, int code);
  int RoomCell(int rx, int ry, int c, int r) const;
  // The player at room pixels (x, y) of the current room, standing (Action 0).
  void PlaceAt(int x, int y = kStandY);

  // One pass of the play loop: the tick, then the frame's part of the rules (the player's
  // action and, in replay mode, the playback step).
  void Pass();
  void Passes(int n);
  // Passes while Player->Action stays `action` (at most `limit`); returns their number.
  int PassesWhile(int action, int limit = 1000);

  // Keys held, released, hit once.
  void Hold(int key);
  void Release(int key);
  void Hit(int key);

  // Loads one of the game's sound effects into `slot`; the others stay null, so the mixer's
  // channel count tells how often that sound played.
  void Audible(media::Sound& slot, const std::string& name);
  int Plays() const;

  // A replay in memory of the given (code, ticks) runs, replay mode on.
  static void PlayRuns(const std::vector<std::pair<int, int>>& runs);

  std::filesystem::path root_;

 private:
  std::filesystem::path startDir_;
};

// The player's state as a list of integers, for comparing runs tick by tick.
std::vector<int> PlayerState();

// An enemy of `kind` with its top-left at cell (c, r) of room (rx, ry), its coffin there too,
// made as the stage reader makes it.
std::shared_ptr<bbEnemies> Spawn(int kind, int c, int r, int rx = 0, int ry = 0);
void ClearEnemies();

}  // namespace playtest

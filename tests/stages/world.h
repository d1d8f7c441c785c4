// Helpers for the stage tests: a fresh world, a temporary start folder, stage files built in
// memory, and a snapshot of everything the stage reader may change.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "stages/stage_format.h"

namespace stagetest {

// A temporary start folder with Levels/ and PlayerLevels/; Path and FilePath point into it.
// Resets the globals, the object lists and the replay cursors, and makes the single objects.
class World {
 public:
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  const std::filesystem::path& root() const { return root_; }
  void WriteBytes(const std::string& relative, const std::vector<unsigned char>& bytes) const;
  std::vector<unsigned char> ReadBytes(const std::string& relative) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path startDir_;
};

// A small sound stage: rooms (0, 0) and (1, 0), an enemy, a trap, an item, a statue, with
// different cell codes in each room.
stagefile::Data SmallStage();
// Another sound stage, different in every part, with room (2, 1) only.
stagefile::Data OtherStage();

// Everything LoadStage may change, with the objects' fields in list order.
struct Snapshot {
  std::vector<int> stage;
  std::vector<int> rooms;
  std::vector<int> counters;
  std::vector<std::vector<int>> enemies, traps, items, statues, weapons;
  std::vector<const void*> identities;
  std::vector<int> player, door;
  bool operator==(const Snapshot&) const = default;
};
Snapshot Take();

}  // namespace stagetest

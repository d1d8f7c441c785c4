// The tutorials that teach the traps and the enemies: each shipped replay TUTn.SOL, played as
// the tutorial entry plays it (replay mode, the player's difficulty kept), shows what it
// teaches and ends in the exit door.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;
using Traps = std::vector<std::vector<int>>;  // kind, X, Y, count, state of each trap

bool Any(const std::vector<Traps>& run, const std::function<bool(const Traps&)>& f) {
  for (const Traps& t : run)
    if (f(t)) return true;
  return false;
}

const struct {
  int number;
  std::function<bool(const std::vector<Traps>&)> shows;
} kTutorials[] = {
    // The left door pushed the whole count the wrong way, the two-way door passed and turned.
    {6,
     [](const auto& run) {
       return Any(run, [](const Traps& t) { return t[0][3] == 39; }) && run.back()[0][0] == 7 &&
              run.back()[2][0] == TrapKind::TwoWayLeft;
     }},
    // The stone falls (state 1) and rests lower and further right.
    {7,
     [](const auto& run) {
       return Any(run, [](const Traps& t) { return t[0][4] == 1; }) &&
              run.back()[0][2] > run.front()[0][2] + 5 && run.back()[0][4] == 0;
     }},
    // The floor counts one crossing, then gives way; the ladder two, and on the third vanishes.
    {8,
     [](const auto& run) {
       return Any(run, [](const Traps& t) { return t.size() == 2 && t[0][3] == 1; }) &&
              Any(run, [](const Traps& t) { return t.size() == 1 && t[0][3] == 2; }) &&
              run.back().empty() && Stage[32 + 12][10] == CellCode::Brick;
     }},
    // The wall trap fires and builds its wall down to the floor.
    {9,
     [](const auto& run) {
       return Any(run, [](const Traps& t) { return !t.empty() && t[0][4] == 1; }) &&
              Stage[10][11] == CellCode::Brick && Stage[10][19] == CellCode::Brick;
     }},
};

TEST(Tutorials, EachReplayShowsItsTrapAndEndsInTheExitDoor) {
  std::random_device rd;
  const fs::path root = fs::temp_directory_path() / ("quill-tutorials-" + std::to_string(rd()));
  const fs::path start = fs::current_path(), levels = fs::path(QUILL_GAME_DIR) / "Levels";
  for (const auto& tut : kTutorials) {
    const solc::StageRef ref{tut.number, true};
    SCOPED_TRACE(solc::StageFileFor(ref));
    std::string error;
    solc::SetUpWorld();
    const fs::path folder = root / std::to_string(tut.number);
    ASSERT_TRUE(solc::PrepareFolder(folder.string(), levels.string(), ref, true, error)) << error;
    ASSERT_TRUE(solc::StartStage(ref, true, error)) << error;
    std::vector<Traps> run;
    bool inDoor = false;
    while (Game->State == 26 && run.size() < 5000) {
      solc::Pass();
      run.emplace_back();
      for (auto t : Traps_list.Each<bbTraps>())
        run.back().push_back({t->Kind, t->X, t->Y, t->NumOfPass, t->State});
      inDoor = inDoor || Player->Action == Act::Exiting;
    }
    EXPECT_TRUE(tut.shows(run));
    EXPECT_TRUE(inDoor);
    EXPECT_EQ(Game->State, 27);
  }
  std::error_code ec;
  fs::current_path(start, ec);
  fs::remove_all(root, ec);
  ResetGlobals();
}

TEST(Tutorials, EnemyTutorialsReachTheExitDoorOnBothSettings) {
  namespace S = EnemyState;
  // Tutorial 5: a mummy leaves its coffin and dies by the knife, thrown once. Tutorial 10: a
  // mummy falls into its pit, a rock rolls and rests, a pony hops and falls.
  const std::pair<int, std::set<std::pair<int, int>>> cases[] = {
      {5, {{0, S::Halting}, {0, S::Moving}, {0, S::Dying}}},
      {10, {{0, S::Falling}, {2, S::Moving}, {2, S::Resting}, {3, S::Moving}, {3, S::Falling}}}};
  const fs::path start = fs::current_path();
  const fs::path folder =
      fs::temp_directory_path() / ("quill-tutorials-" + std::to_string(std::random_device{}()));
  for (const auto& [tut, shown] : cases)
    for (int difficulty : {1, 2}) {
      SCOPED_TRACE(std::to_string(tut) + " on difficulty " + std::to_string(difficulty));
      const solc::StageRef ref{tut, true};
      std::string error;
      solc::SetUpWorld();
      ASSERT_TRUE(solc::PrepareFolder(
          folder.string(), (fs::path(QUILL_GAME_DIR) / "Levels").string(), ref, true, error))
          << error;
      ASSERT_TRUE(solc::StartStage(ref, true, error, difficulty)) << error;
      std::set<std::pair<int, int>> seen;
      int throws = 0;
      for (int t = 0; t < 20000 && Game->State == GameState::Play; ++t) {
        const int weapons = Weapons_list.Count();
        solc::Pass();
        throws += Weapons_list.Count() > weapons;
        for (auto e : Enemies_list.Each<bbEnemies>()) seen.insert({e->Kind, e->State});
      }
      EXPECT_EQ(Game->State, GameState::NextStage);
      EXPECT_EQ(Exitdoor->State, DoorState::Leaving);
      EXPECT_EQ(throws, tut == 5 ? 1 : 0);
      for (const auto& ks : shown) EXPECT_TRUE(seen.count(ks)) << ks.first << " " << ks.second;
    }
  std::error_code ec;
  fs::current_path(start, ec);
  fs::remove_all(folder, ec);
  ResetGlobals();
}

}  // namespace

// The shipped tutorials with enemies: each replay, played headless as the game plays a tutorial
// (replay mode, the player's difficulty kept), reaches the exit door on both settings and shows
// what the tutorial teaches.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";

// What a run showed: the enemy states seen per kind, the throws, the pick-ups of a weapon.
struct Seen {
  std::set<std::pair<int, int>> enemyStates;  // (Kind, State)
  int throws = 0, weaponPickUps = 0;
  bool inDoor = false;
};

Seen PlayTutorial(int tut, int difficulty) {
  Seen seen;
  const fs::path folder =
      fs::temp_directory_path() / ("quill-tut-" + std::to_string(std::random_device()()));
  std::string error;
  solc::SetUpWorld();
  EXPECT_TRUE(solc::PrepareTutorialFolder(folder.string(), kLevels.string(), tut, true, error))
      << error;
  EXPECT_TRUE(solc::StartTutorial(tut, true, difficulty, error)) << error;
  EXPECT_EQ(DemoMode, 1);
  for (int t = 0; t < 20000 && Game->State == GameState::Play; ++t) {
    const int tool = Player->State, weapons = Weapons_list.Count();
    solc::Pass();
    seen.throws += Weapons_list.Count() > weapons;
    seen.weaponPickUps += tool == Tool::None && (Player->State == 1 || Player->State == 2);
    seen.inDoor = seen.inDoor || Player->Action == Act::Exiting;
    for (auto e : Enemies_list.Each<bbEnemies>()) seen.enemyStates.insert({e->Kind, e->State});
  }
  EXPECT_EQ(Game->State, GameState::NextStage);
  EXPECT_EQ(Exitdoor->State, DoorState::Leaving);
  EXPECT_EQ(Difficulity, difficulty);
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(folder, ec);
  ResetGlobals();
  return seen;
}

TEST(Tutorials, EnemyTutorialsReachTheExitDoorOnBothSettings) {
  namespace S = EnemyState;
  struct Case {
    int tut;
    std::set<std::pair<int, int>> shown;
    int throws, pickUps;
  } cases[] = {
      // A mummy leaves its coffin and dies by the knife, which is taken, thrown and taken again.
      {5, {{0, S::Halting}, {0, S::Moving}, {0, S::Dying}}, 1, 2},
      // A mummy falls into its pit, a rock rolls and rests, a pony hops and falls.
      {10,
       {{0, S::Moving},
        {0, S::Falling},
        {2, S::Moving},
        {2, S::Resting},
        {3, S::Moving},
        {3, S::Falling}},
       0,
       0},
  };
  for (const Case& c : cases)
    for (int difficulty : {1, 2}) {
      SCOPED_TRACE("tutorial " + std::to_string(c.tut) + " difficulty " +
                   std::to_string(difficulty));
      const Seen seen = PlayTutorial(c.tut, difficulty);
      EXPECT_TRUE(seen.inDoor);
      for (const auto& ks : c.shown)
        EXPECT_TRUE(seen.enemyStates.count(ks)) << ks.first << " " << ks.second;
      EXPECT_EQ(seen.throws, c.throws);
      EXPECT_EQ(seen.weaponPickUps, c.pickUps);
    }
}

}  // namespace

// The shipped tutorials with enemies: each replay, played headless as the game plays a tutorial
// (replay mode, the player's difficulty kept), reaches the exit door on both settings after
// showing what it teaches.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;
namespace S = EnemyState;

TEST(Tutorials, EnemyTutorialsReachTheExitDoorOnBothSettings) {
  // Tutorial 5: a mummy leaves its coffin and dies by the knife, thrown once. Tutorial 10: a
  // mummy falls into its pit, a rock rolls and rests, a pony hops and falls.
  const std::pair<int, std::set<std::pair<int, int>>> cases[] = {
      {5, {{0, S::Halting}, {0, S::Moving}, {0, S::Dying}}},
      {10, {{0, S::Falling}, {2, S::Moving}, {2, S::Resting}, {3, S::Moving}, {3, S::Falling}}}};
  const fs::path folder = fs::temp_directory_path() / "quill-tutorials";
  for (const auto& [tut, shown] : cases)
    for (int difficulty : {1, 2}) {
      SCOPED_TRACE(std::to_string(tut) + " on difficulty " + std::to_string(difficulty));
      std::string error;
      solc::SetUpWorld();
      ASSERT_TRUE(solc::PrepareTutorialFolder(
          folder.string(), (fs::path(QUILL_GAME_DIR) / "Levels").string(), tut, true, error))
          << error;
      ASSERT_TRUE(solc::StartTutorial(tut, true, difficulty, error)) << error;
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
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(folder, ec);
  ResetGlobals();
}

}  // namespace

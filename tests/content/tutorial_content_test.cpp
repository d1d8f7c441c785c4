// The shipped tutorials that teach the traps: each TUTn.SOL is what its key script records
// now, and played back as the tutorial entry plays it, it shows its trap and ends in the exit
// door.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "stages/replay.h"
#include "tools/solc/script.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";

std::vector<unsigned char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a tick shows: the player's action, and every trap as kind, X, Y, count, state.
struct Tick {
  int action;
  std::vector<std::vector<int>> traps;
};

bool Any(const std::vector<Tick>& run, const std::function<bool(const Tick&)>& f) {
  for (const Tick& t : run)
    if (f(t)) return true;
  return false;
}

struct Tutorial {
  int number;
  const char* shows;
  std::function<bool(const std::vector<Tick>&)> check;
};

const Tutorial kTutorials[] = {
    {6, "a door pushed the wrong way stays shut; two doors passed the right way",
     [](const std::vector<Tick>& run) {
       const bool wrongWay = Any(run, [](const Tick& t) {
         return t.action == Act::Ground && t.traps[0][3] == 39 && t.traps[0][1] == 3;
       });
       return wrongWay && Any(run, [](const Tick& t) { return t.action == Act::OneWayRight; }) &&
              Any(run, [](const Tick& t) { return t.action == Act::TwoWayRight; }) &&
              run.back().traps[2][0] == TrapKind::TwoWayLeft;
     }},
    {7, "a stone pushed off the ledge falls and lands",
     [](const std::vector<Tick>& run) {
       const auto& first = run.front().traps[0];
       const auto& last = run.back().traps[0];
       return Any(run, [](const Tick& t) { return t.traps[0][4] == 1; }) &&
              last[2] > first[2] + 5 && last[1] > first[1] && last[4] == 0;
     }},
    {8, "a crumbling floor gives way after its second crossing",
     [](const std::vector<Tick>& run) {
       return Any(run, [](const Tick& t) { return t.traps.size() == 1 && t.traps[0][3] == 1; }) &&
              run.back().traps.empty();
     }},
    {9, "a wall trap fires and builds its wall",
     [](const std::vector<Tick>& run) {
       return Any(run, [](const Tick& t) { return !t.traps.empty() && t.traps[0][4] == 1; }) &&
              Stage[10][11] == CellCode::Brick && Stage[10][19] == CellCode::Brick;
     }},
};

class Tutorials : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-tutorials-" + std::to_string(rd()));
    start_ = fs::current_path();
  }
  void TearDown() override {
    std::error_code ec;
    fs::current_path(start_, ec);
    fs::remove_all(root_, ec);
    ResetGlobals();
  }
  fs::path root_, start_;
};

TEST_F(Tutorials, EachShowsItsTrapAndEndsInTheExitDoor) {
  for (const Tutorial& tut : kTutorials) {
    SCOPED_TRACE("Tut" + std::to_string(tut.number) + ": " + tut.shows);
    solc::SetUpWorld();
    const solc::StageRef ref{tut.number, true};
    std::string error;
    const fs::path folder = root_ / std::to_string(tut.number);
    ASSERT_TRUE(solc::PrepareFolder(folder.string(), kLevels.string(), ref, true, error)) << error;
    ASSERT_TRUE(solc::StartStage(ref, true, error)) << error;
    ASSERT_EQ(DemoMode, 1);
    std::vector<Tick> run;
    bool inDoor = false;
    while (Game->State == 26 && run.size() < 5000) {
      solc::Pass();
      Tick t{Player->Action, {}};
      for (auto trap : Traps_list.Each<bbTraps>())
        t.traps.push_back({trap->Kind, trap->X, trap->Y, trap->NumOfPass, trap->State});
      inDoor = inDoor || Player->Action == Act::Exiting;
      run.push_back(t);
    }
    EXPECT_TRUE(inDoor);
    EXPECT_EQ(Game->State, 27);
    EXPECT_TRUE(tut.check(run));
  }
}

TEST_F(Tutorials, EachReplayIsWhatItsKeyScriptRecords) {
  for (const Tutorial& tut : kTutorials) {
    const std::string name = "Tut" + std::to_string(tut.number);
    SCOPED_TRACE(name);
    solc::SetUpWorld();
    std::ifstream in(fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src" / (name + ".keys"));
    ASSERT_TRUE(in);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<solc::Step> steps;
    std::string error;
    ASSERT_TRUE(solc::ParseScript(text, steps, error)) << error;
    const solc::StageRef ref{tut.number, true};
    const fs::path folder = root_ / ("keys" + std::to_string(tut.number));
    ASSERT_TRUE(solc::PrepareFolder(folder.string(), kLevels.string(), ref, false, error)) << error;
    ASSERT_TRUE(solc::StartStage(ref, false, error)) << error;
    ASSERT_TRUE(solc::RunScript(steps, solc::Pass, nullptr, error)) << error;
    EXPECT_EQ(Game->State, 27);
    // The tutorial's own exit writes its replay into the player folder, as the game does for a
    // tutorial played without one.
    EXPECT_EQ(Bytes(folder / "PlayerLevels" / ("TUT" + std::to_string(tut.number) + ".SOL")),
              Bytes(kLevels / ("TUT" + std::to_string(tut.number) + ".SOL")));
  }
}

}  // namespace

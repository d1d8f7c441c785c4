// Every shipped stage with a solution replay: played headless as the game plays it in replay
// mode, it ends with the player leaving through the exit door.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "stages/replay.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";
constexpr int kTickBound = 20000;

// The shipped stages of the runnable folder that have a replay beside them: "LEVEL n" with
// "Level n.SOL", "Tutn" with "TUTn.SOL" (any letter case).
std::vector<solc::StageRef> StagesWithReplays() {
  std::vector<solc::StageRef> stages;
  const std::regex stageName("(LEVEL |Tut)([0-9]+)");
  for (const auto& entry : fs::directory_iterator(kLevels)) {
    std::smatch m;
    const std::string name = entry.path().filename().string();
    if (!std::regex_match(name, m, stageName)) continue;
    const solc::StageRef id(std::stoi(m[2].str()), m[1].str() == "Tut");
    std::string sol = solc::ReplayNameFor(id) + ".sol";
    for (char& c : sol) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& other : fs::directory_iterator(kLevels)) {
      std::string lower = other.path().filename().string();
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (lower == sol) stages.push_back(id);
    }
  }
  return stages;
}

std::vector<unsigned char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Content : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-content-" + std::to_string(rd()));
    start_ = fs::current_path();
    solc::SetUpWorld();
  }
  void TearDown() override {
    std::error_code ec;
    fs::current_path(start_, ec);
    fs::remove_all(root_, ec);
    ResetGlobals();
  }
  fs::path root_, start_;
};

TEST_F(Content, StageOneShipsWithItsSolution) {
  const auto stages = StagesWithReplays();
  EXPECT_TRUE(std::any_of(stages.begin(), stages.end(),
                          [](solc::StageRef s) { return !s.tutorial && s.number == 1; }))
      << "no Level 1.SOL beside LEVEL 1 in " << kLevels;
}

// A solution plays at difficulty 1 (F8 sets it); the tutorials keep the player's setting, so
// they must reach the door on both.
TEST_F(Content, EveryShippedSolutionEndsInTheExitDoor) {
  const auto stages = StagesWithReplays();
  ASSERT_FALSE(stages.empty());
  for (solc::StageRef stage : stages) {
    for (int difficulty = 1; difficulty <= (stage.tutorial ? 2 : 1); ++difficulty) {
      SCOPED_TRACE(solc::StageFileFor(stage) + " difficulty " + std::to_string(difficulty));
      solc::SetUpWorld();
      Difficulity = difficulty;
      std::string error;
      const fs::path folder = root_ / (solc::StageFileFor(stage) + std::to_string(difficulty));
      ASSERT_TRUE(solc::PrepareFolder(folder.string(), kLevels.string(), stage, true, error))
          << error;
      ASSERT_TRUE(solc::StartStage(stage, true, error, difficulty)) << error;
      ASSERT_EQ(DemoMode, 1);
      const int gold = Exitdoor->Frame;
      bool inDoor = false, died = false;
      int ticks = 0;
      while (Game->State == 26 && ticks < kTickBound) {
        solc::Pass();
        inDoor = inDoor || Player->Action == 26;
        died = died || Player->Action == 16;
        ++ticks;
      }
      EXPECT_FALSE(died);
      EXPECT_TRUE(inDoor);
      EXPECT_EQ(Game->State, solc::StateAfterExit(stage));
      EXPECT_EQ(Exitdoor->State, 3);
      EXPECT_EQ(DemoMode, 0);  // leaving a stage ends the replay
      EXPECT_GE(Player->Score, gold * 500);
      if (!stage.tutorial) {
        EXPECT_EQ(Played[stage.number], stage.number);
      }
      EXPECT_LT(ticks, kTickBound);
    }
  }
}

// The shipped replay is what the key script records now: a stale file fails here.
TEST_F(Content, StageOneReplayIsWhatItsKeyScriptRecords) {
  std::string error, text;
  std::ifstream in(fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src/LEVEL 1.keys");
  ASSERT_TRUE(in);
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::vector<solc::Step> steps;
  ASSERT_TRUE(solc::ParseScript(text, steps, error)) << error;
  ASSERT_TRUE(solc::PrepareFolder(root_.string(), kLevels.string(), 1, false, error)) << error;
  ASSERT_TRUE(solc::StartStage(1, false, error)) << error;
  std::vector<int> actions;
  ASSERT_TRUE(solc::RunScript(
      steps, solc::Pass, [&](int) { actions.push_back(Player->Action); }, error))
      << error;
  // The run shows what the stage teaches: a sideways dig, a climb, a jump, a fall, a
  // downward dig and the exit.
  for (int action : {9, 15, 13, 14, 11, 26})
    EXPECT_NE(std::find(actions.begin(), actions.end(), action), actions.end()) << action;
  EXPECT_EQ(Game->State, 27);
  FilePath = root_.string() + "/PlayerLevels/";
  ReplayName = "Level 1";
  SaveReplay();
  const auto fresh = Bytes(root_ / "PlayerLevels" / "Level 1.SOL");
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(fresh, Bytes(kLevels / "Level 1.SOL"));
}

// A replay that stops short of the exit leaves the player in the stage: the content check can
// tell a good replay from a bad one.
TEST_F(Content, AReplayCutShortDoesNotReachTheDoor) {
  std::string error;
  ASSERT_TRUE(solc::PrepareFolder(root_.string(), kLevels.string(), 1, true, error)) << error;
  auto bytes = Bytes(root_ / "Levels" / "Level 1.SOL");
  std::vector<solc::Run> runs;
  int n = 0;
  ASSERT_TRUE(solc::DecodeSol(bytes, runs, n, error)) << error;
  ASSERT_GT(n, 4);
  // Keep the first four runs only: N = 3, then records 0 to 3.
  std::vector<unsigned char> cut = {3, 0, 0, 0};
  cut.insert(cut.end(), bytes.begin() + 4, bytes.begin() + 4 + 5 * 4);
  {
    std::ofstream out(root_ / "Levels" / "Level 1.SOL", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(cut.data()), static_cast<std::streamsize>(cut.size()));
  }
  ASSERT_TRUE(solc::StartStage(1, true, error)) << error;
  for (int t = 0; t < 3000 && Game->State == 26; ++t) solc::Pass();
  EXPECT_EQ(Game->State, 26);
  EXPECT_NE(Player->Action, 26);
  EXPECT_EQ(Exitdoor->State, 1);
}

}  // namespace

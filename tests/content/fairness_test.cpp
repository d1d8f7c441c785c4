// Fair stages, played headless with the game's own rules: no shipped stage holds more gold than
// the exit door's picture counts, and along each stage's solution route a player who stops just
// after entering a room lives on there for a second.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "stage_folder_test.h"
#include "support/sanitized.h"
#include "tools/shortcut/snapshot.h"
#include "tools/solc/script.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(QUILL_GAME_DIR) / "Levels";
const fs::path kSources = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src";

constexpr int kStages = 70;
constexpr int kTutorials = 11;
// The exit door's picture shows the gold still wanted up to this many pieces.
constexpr int kDoorCounts = 16;
// A player who stops on entering a room must live this many ticks.
constexpr int kSafeTicks = 60;
constexpr int kKeys[] = {media::KEY_LEFT, media::KEY_RIGHT, media::KEY_UP, media::KEY_DOWN,
                         media::KEY_SPACE};

class Fairness : public StageFolderTest {
 protected:
  Fairness() : StageFolderTest("quill-fair-") {}
  // The stage started live in a folder of its own, copied from the runnable folder.
  void Start(solc::StageRef stage, bool fresh = true) {
    if (fresh) solc::SetUpWorld();
    std::string error;
    const fs::path folder = root_ / solc::StageFileFor(stage);
    ASSERT_TRUE(solc::PrepareFolder(folder.string(), kLevels.string(), stage, false, error))
        << error;
    ASSERT_TRUE(solc::StartStage(stage, false, error, 1)) << error;
  }
};

// (a) Every shipped stage and tutorial: its gold pieces and the door's count at most 16.
TEST_F(Fairness, NoStageHoldsMoreGoldThanTheDoorCounts) {
  std::vector<solc::StageRef> stages;
  for (int n = 1; n <= kStages; ++n) stages.push_back({n, false});
  for (int n = 1; n <= kTutorials; ++n) stages.push_back({n, true});
  solc::SetUpWorld();
  for (solc::StageRef stage : stages) {
    SCOPED_TRACE(solc::StageFileFor(stage));
    Start(stage, false);
    if (HasFatalFailure()) return;
    int gold = 0;
    for (auto it : Items_list.Each<bbItems>()) gold += it->kind == ItemKind::Gold;
    EXPECT_GT(gold, 0);
    EXPECT_LE(gold, kDoorCounts);
    EXPECT_LE(Exitdoor->Frame, kDoorCounts);
  }
}

// A player who stops now: every key let go and none pressed again (an action under way
// finishes by itself), for kSafeTicks passes. Runs in a child process, a copy
// of the game at that tick, so the route itself plays on untouched in the parent. The ticks to
// the player's death, 0 when the player lives through them all.
int TicksToDeathWhenStopping() {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    media::FlushKeys();
    for (int key : kKeys) media::headless::KeyUpNow(key);
    const int lives = Player->Lives;
    for (int t = 1; t <= kSafeTicks && Game->State == GameState::Play; ++t) {
      shortcut::FastPass();
      if (Player->Action == Act::Dying || Player->Lives < lives) _exit(t);
    }
    _exit(0);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class SafeEntries : public Fairness, public ::testing::WithParamInterface<int> {};

// (b) Along the solution route (the key script its replay is recorded from, played live), each
// room entered, and the start room at the start: a player who stops there lives on for 60
// ticks, neither dying nor losing a life.
TEST_P(SafeEntries, APlayerWhoStopsOnEnteringARoomLives) {
  const int stage = GetParam();
  // The sanitizer build walks every tenth route, for the forked copies' sake; the normal build
  // walks them all.
  if (quill_test::kSanitized && stage % 10 != 0) GTEST_SKIP() << "the normal build walks it";
  std::ifstream in(kSources / ("LEVEL " + std::to_string(stage) + ".keys"));
  ASSERT_TRUE(in) << "no key script for stage " << stage;
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<solc::Step> steps;
  std::string error;
  ASSERT_TRUE(solc::ParseScript(text, steps, error)) << error;
  Start({stage, false});
  // The rules' pass without the drawing (the content tests hold it to the full pass).
  shortcut::BeforeSearch();
  auto check = [&](const std::string& where) {
    const int died = TicksToDeathWhenStopping();
    EXPECT_EQ(died, 0) << "stage " << stage << ": " << where << ", the player "
                       << (died < 0 ? "could not be played on"
                                    : "dies " + std::to_string(died) + " ticks later");
  };
  check("standing still from the start");
  int tick = 0;
  auto pass = [&]() {
    const int rx = RoomX, ry = RoomY, now = tick++;
    shortcut::FastPass();
    if (RoomX == rx && RoomY == ry) return;
    check("stopping on entering room " + std::to_string(RoomX) + " " + std::to_string(RoomY) +
          " at tick " + std::to_string(now));
  };
  EXPECT_TRUE(solc::RunScript(steps, pass, nullptr, error)) << error;
  shortcut::AfterSearch();
  EXPECT_EQ(Game->State, GameState::NextStage) << "the route does not reach the exit door";
}

INSTANTIATE_TEST_SUITE_P(Stage, SafeEntries, ::testing::Range(1, kStages + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::to_string(info.param);
                         });

}  // namespace

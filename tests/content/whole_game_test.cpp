// The whole game from its title, headless: start a game, choose stage 1, switch it to its
// solution replay with F8 and watch it reach the exit door.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "front/startup.h"
#include "media/app.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "stages/stage.h"

namespace {

namespace fs = std::filesystem;
using media::headless::MoveMouseNow;
using media::headless::PressKey;

constexpr int kFrameBound = 12000;

class WholeGame : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-whole-" + std::to_string(rd()));
    const fs::path game(QUILL_GAME_DIR);
    fs::create_directories(root_);
    for (const char* sub : {"Langs", "Levels", "Music"})
      fs::copy(game / sub, root_ / sub, fs::copy_options::recursive);
    std::ofstream(root_ / "Country.ini", std::ios::binary).put(1);
    std::ofstream(root_ / "prefs.ini", std::ios::binary).put(1);
    start_ = fs::current_path();
    fs::current_path(root_);
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    ResetGlobals();
  }
  void TearDown() override {
    media::headless::OnFlip(nullptr);
    std::error_code ec;
    fs::current_path(start_, ec);
    fs::remove_all(root_, ec);
    ResetGlobals();
  }

  // Runs the program; `step` sees every frame and returns false to end the run.
  void Run(const std::function<bool(int)>& step) {
    media::headless::OnFlip([&](int frame) { return frame < kFrameBound && step(frame); });
    try {
      _bb_main();
    } catch (const media::headless::Stop&) {
    }
  }

  // From the title to stage 1 in play: Enter on the title's first entry (start game), the
  // pointer on the first button of the level chooser and Enter, then Enter at the stage
  // title. Returns true while it is still on the way.
  bool ToStageOne(int frame) {
    if (!Game) return true;
    if (Game->State == 31) {
      left_ = false;
      if (frame % 10 == 0) PressKey(media::KEY_ENTER);
      return true;
    }
    if (!left_) {
      left_ = true;
      MoveMouseNow(40, 70);
    }
    if (Game->Stage != 1 || Game->State != 26) {
      if (frame % 20 == 0) PressKey(media::KEY_ENTER);
      return true;
    }
    return false;
  }

  fs::path root_, start_;
  bool left_ = false;
};

TEST_F(WholeGame, TheSolutionReplayOfStageOneLeavesThroughTheDoorAndMarksItPlayed) {
  int phase = 0, since = 0;
  bool inDoor = false, replayed = false;
  Run([&](int frame) {
    switch (phase) {
      case 0:  // to stage 1, played by the player
        if (!ToStageOne(frame)) {
          EXPECT_EQ(DemoMode, 0);
          phase = 1;
          since = frame;
        }
        return true;
      case 1:  // a moment of play, then F8
        if (frame - since == 30) {
          PressKey(kKeySolution);
          phase = 2;
        }
        return true;
      case 2:  // the same stage again as its replay: Space at its title
        if (Game->State == 26 && Game->Stage == 1 && DemoMode == 1) {
          phase = 3;
          replayed = true;
        } else if (frame % 20 == 0) {
          PressKey(media::KEY_SPACE);
        }
        return true;
      default:  // the replay plays to the exit door
        inDoor = inDoor || Player->Action == 26;
        return !(inDoor && Game->State != 26);
    }
  });
  EXPECT_TRUE(replayed);
  EXPECT_TRUE(inDoor);
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(Played[1], 1);
  std::ifstream in(root_ / "Played.Bin", std::ios::binary);
  ASSERT_TRUE(in);
  EXPECT_EQ(in.get(), 1);
}

}  // namespace

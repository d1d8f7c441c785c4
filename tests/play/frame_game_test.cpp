// The whole program over the headless backend, from the title menu into the play loop of a
// small stage: the frame's keys act in the real state machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/text.h"
#include "front/front_globals.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/dig.h"
#include "play/frame.h"
#include "play/player.h"
#include "play/render.h"
#include "play/stage_start.h"
#include "stages/replay.h"
#include "stages/stage_format.h"

namespace frametest {
namespace {

using media::headless::ClickNow;
using media::headless::MoveMouseNow;
using media::headless::PressKey;

struct Ended {};

constexpr int kStartX = 2, kStartY = 19;  // cells

class FrameGame : public ::testing::Test {
 protected:
  void SetUp() override {
    oldDir_ = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("quill_frame_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Levels");
    std::filesystem::current_path(dir_);
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    media::ResetGraphicsState();
    media::FlushKeys();
    media::FlushMouse();
    ResetGlobals();
    SetEndProgramHandler([] { throw Ended{}; });
    Write("Country.ini", {1});
    Write("prefs.ini", {1});
    Write("Levels/LEVEL 1", stagefile::Encode(SmallStage()));
  }
  void TearDown() override {
    media::headless::OnFlip(nullptr);
    SetEndProgramHandler(nullptr);
    std::filesystem::current_path(oldDir_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
    ResetGlobals();
  }

  // One room with a floor, a piece of gold and the exit door.
  static stagefile::Data SmallStage() {
    stagefile::Data s;
    s.roomRecords.push_back({0, 0});
    for (int c = 0; c < 32; ++c) s.Cell(0, 0, c, 21) = 1;
    s.items.push_back({12, 19, 6, 48, 0, 0});
    s.playerX = kStartX, s.playerY = kStartY;
    s.doorX = 26, s.doorY = 17, s.doorFrame = 1;
    s.Worldtheme = 1;
    s.BackGround = 2;
    return s;
  }

  void Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream out(dir_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }

  // Runs the program from the title menu into stage 1; `inPlay(n)` is called on the n-th
  // frame (from 0) after the stage has been loaded, and ends the run by returning false.
  // Returns the number of frames played, or -1 when play was never reached.
  int PlayStageOne(const std::function<bool(int)>& inPlay, int maxFrames = 6000) {
    int phase = 0, since = 0, played = -1;
    media::headless::OnFlip([&](int frame) {
      if (frame >= maxFrames) return false;
      ++since;
      switch (phase) {
        case 0:  // the title menu: start a game
          if (Game && Game->State == 31 && Title) {
            MoveMouseNow(400, 349);
            ClickNow(1);
            phase = 1, since = 0;
          }
          return true;
        case 1:  // the level chooser: stage 1
          if (since == 60) {
            MoveMouseNow(47, 77);
            ClickNow(1);
            phase = 2, since = 0;
          }
          return true;
        case 2:  // the stage title: Space until the stage is loaded
          if (Game->Stage == 1 && Player->X == kStartX * 24 && Player->Y == kStartY * 24) {
            phase = 3, played = 0;
          } else if (since % 10 == 0) {
            PressKey(media::KEY_SPACE);
          }
          return true;
        default:
          return inPlay(played++);
      }
    });
    try {
      _bb_main();
    } catch (const media::headless::Stop&) {
    }
    media::headless::OnFlip(nullptr);
    return played;
  }

  std::filesystem::path dir_, oldDir_;
};

TEST_F(FrameGame, GivingUpALifeRestartsTheStageThroughTheChooser) {
  int livesAfterKey = -1, actionAfterKey = -1, stageAtEnd = -1, stateAtEnd = -1;
  const int played = PlayStageOne([&](int n) {
    if (n == 30) PressKey(kKeyGiveUp);
    if (n == 31) livesAfterKey = Player->Lives, actionAfterKey = Player->Action;
    if (n > 31 && Game->Stage == 0) {
      stageAtEnd = Game->Stage, stateAtEnd = Game->State;
      return false;
    }
    return n < 400;
  });
  ASSERT_GE(played, 31);
  EXPECT_EQ(livesAfterKey, 1);
  EXPECT_EQ(actionAfterKey, 16);
  // The 151st tick of dying hands the same stage back to the flow: stage 1 less 1.
  EXPECT_EQ(stageAtEnd, 0);
  EXPECT_GE(played, 31 + 150);
  EXPECT_EQ(Player->Lives, 1);
  EXPECT_EQ(stateAtEnd, 27);  // seen in the frame that ended the dying
}

TEST_F(FrameGame, SolutionKeyWithoutAReplayFilePlaysTheStageAgainLive) {
  int restartedAt = -1;
  const int played = PlayStageOne([&](int n) {
    if (n == 20) {
      Player->X += 48;  // moved away from the start, so the reload shows
      PressKey(kKeySolution);
    }
    if (n > 20 && Player->X == kStartX * 24 && Game->Stage == 1 && restartedAt < 0) restartedAt = n;
    if (n > 20 && restartedAt < 0 && n % 10 == 0) PressKey(media::KEY_SPACE);  // the title
    return restartedAt < 0 || n < restartedAt + 10;
  });
  ASSERT_GT(played, 20);
  EXPECT_GT(restartedAt, 20);
  EXPECT_EQ(Game->Stage, 1);
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(DemoMode, 0);  // no replay file: back to live play
  EXPECT_EQ(Difficulity, 1);
}

TEST_F(FrameGame, EscapeAndYesInPlayGoBackToTheTitle) {
  bool atTitle = false;
  PlayStageOne([&](int n) {
    if (n == 10) PressKey(media::KEY_ESCAPE);
    if (n == 14) PressKey('Y');
    if (n > 14 && Game->State == 31) {
      atTitle = true;
      return false;
    }
    return n < 200;
  });
  EXPECT_TRUE(atTitle);
}

}  // namespace
}  // namespace frametest

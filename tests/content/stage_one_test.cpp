// Stage 1 as a puzzle: its walls hold the player back until the tools are used.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "tools/solc/script.h"
#include "tools/solc/world.h"

namespace {

namespace fs = std::filesystem;

class StageOne : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-stage1-" + std::to_string(rd()));
    start_ = fs::current_path();
    solc::SetUpWorld();
    std::string error;
    ASSERT_TRUE(solc::PrepareFolder(root_.string(), (fs::path(QUILL_GAME_DIR) / "Levels").string(),
                                    1, false, error))
        << error;
    ASSERT_TRUE(solc::StartStage(1, false, error)) << error;
  }
  void TearDown() override {
    std::error_code ec;
    fs::current_path(start_, ec);
    fs::remove_all(root_, ec);
    ResetGlobals();
  }
  // Plays `text`; the result of RunScript, with its message in error_.
  bool Play(const std::string& text) {
    std::vector<solc::Step> steps;
    if (!solc::ParseScript(text, steps, error_)) return false;
    return solc::RunScript(steps, solc::Pass, nullptr, error_);
  }

  fs::path root_, start_;
  std::string error_;
};

TEST_F(StageOne, StartsInItsFirstRoomWithThreeGoldToTake) {
  EXPECT_EQ(RoomX, 0);
  EXPECT_EQ(RoomY, 0);
  EXPECT_EQ(Player->X, 48);
  EXPECT_EQ(Player->Y, 21 * 24);
  EXPECT_EQ(Exitdoor->Frame, 3);
  EXPECT_EQ(Exitdoor->roomx, 2);
  int gold = 0, tools = 0;
  for (auto it : Items_list.Each<bbItems>()) {
    gold += it->kind == 6 ? 1 : 0;
    tools += it->kind >= 2 && it->kind <= 5 ? 1 : 0;
  }
  EXPECT_EQ(gold, 3);
  EXPECT_EQ(tools, 2);
}

TEST_F(StageOne, TheBrickWallStopsAPlayerWhoDoesNotDig) {
  EXPECT_FALSE(Play("hold RIGHT\nuntil x >= 240\n"));
  EXPECT_EQ(error_.rfind("line 2: not met", 0), 0u) << error_;
  EXPECT_LT(Player->X + 48, 10 * 24 + 6);
  EXPECT_EQ(Player->State, 4);  // carrying the sideways tool, never used
  EXPECT_EQ(Exitdoor->Frame, 3);
  EXPECT_EQ(Game->State, 26);
}

TEST_F(StageOne, TheSecondRoomIsCrossedOnlyThroughThePit) {
  // The way of the solution up to the bricks over the pit, then on to the right without the
  // downward dig.
  EXPECT_FALSE(
      Play("hold RIGHT\nuntil x >= 195\npress SPACE\nuntil action 0\nuntil x >= 384\n"
           "release RIGHT\nhold UP\nuntil action 15\nuntil action 0\nrelease UP\nhold RIGHT\n"
           "until x >= 540\npress SPACE\nuntil room 1 0\nuntil room 2 0\n"));
  EXPECT_EQ(error_.rfind("line 15: not met", 0), 0u) << error_;
  EXPECT_EQ(RoomX, 1);
  EXPECT_LT(Player->X + 48, 22 * 24 + 6);  // held by the wall
  EXPECT_EQ(Player->State, 6);             // the downward tool, never used
  EXPECT_EQ(Exitdoor->Frame, 2);
}

TEST_F(StageOne, TheClosedDoorDoesNotLetThePlayerOut) {
  // Straight to the door without the pit's gold is not possible, so open it by hand: with one
  // piece left the door stays shut while the player stands in it.
  Player->RoomX = RoomX = 2;
  Player->X = 24 * 24 + 24;
  Player->Y = 20 * 24 - 48;
  for (int t = 0; t < 200; ++t) solc::Pass();
  EXPECT_EQ(Exitdoor->State, 1);
  EXPECT_NE(Player->Action, 26);
  EXPECT_EQ(Game->State, 26);
  // Opened, the same door takes the player out.
  Exitdoor->Frame = 0;
  Exitdoor->State = 2;
  bool inDoor = false;
  for (int t = 0; t < 400 && Game->State == 26; ++t) {
    solc::Pass();
    inDoor = inDoor || Player->Action == 26;
  }
  EXPECT_TRUE(inDoor);
  EXPECT_EQ(Game->State, 27);
}

}  // namespace

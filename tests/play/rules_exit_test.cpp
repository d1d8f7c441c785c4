// The exit door: entering it, the closing door, the end of the stage and "Played.Bin".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "core/objects.h"
#include "play/exit.h"
#include "play/rules_fixture.h"
#include "play/tick.h"
#include "stages/replay.h"

namespace playtest {
namespace {

class RulesExit : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    MakeRoom(1, 0);
    // The door's top-left cell (10, 16): x 240, y 384; open.
    Exitdoor->x = 10;
    Exitdoor->y = 16;
    Exitdoor->State = 2;
    Exitdoor->Frame = 0;
    DoorOpened = 1;
  }
  // Places the player at (x, y) relative to the door's corner and runs the door test.
  bool EntersAt(int across, int down) {
    PlaceAt(240 + across, 384 + down);
    Exitdoor->State = 2;
    TestExitDoor();
    return Player->Action == 26;
  }
  std::vector<unsigned char> Bytes(const std::string& name) const {
    std::ifstream in(root_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Passes until the stage ends; returns their number.
  int RunExit() {
    int ticks = 0;
    while (Game->State == 26 && ticks < 1000) {
      Pass();
      ++ticks;
    }
    return ticks;
  }
};

TEST_F(RulesExit, EntryOnlyInTheDoorsMiddleOnItsFloor) {
  EXPECT_FALSE(EntersAt(21, 48));
  EXPECT_TRUE(EntersAt(22, 48));
  EXPECT_TRUE(EntersAt(24, 48));
  EXPECT_TRUE(EntersAt(26, 48));
  EXPECT_FALSE(EntersAt(27, 48));
  EXPECT_FALSE(EntersAt(24, 44));
  EXPECT_TRUE(EntersAt(24, 45));
}

TEST_F(RulesExit, NoEntryThroughAShutDoorOrInAnotherRoom) {
  PlaceAt(264, 432);
  Exitdoor->State = 1;
  TestExitDoor();
  EXPECT_EQ(Player->Action, 0);
  Exitdoor->State = 2;
  Exitdoor->roomx = 1;
  TestExitDoor();
  EXPECT_EQ(Player->Action, 0);
}

TEST_F(RulesExit, EntryStartsTheExitAndClosesTheRecording) {
  Pass();  // a step of code 0
  PlaceAt(264, 432);
  Pass();
  EXPECT_EQ(Player->Action, 26);
  EXPECT_EQ(Exitdoor->State, 3);
  EXPECT_EQ(Exitdoor->FrameCounter, 1);
  EXPECT_EQ(Exitdoor->Frame, 17);
  EXPECT_EQ(DoorOpened, 0);
  EXPECT_EQ(LastActionType, kActionExit);
  EXPECT_EQ(ActionCount, 1);
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 1);  // run 0 counts all its steps: one
}

TEST_F(RulesExit, AnExitCutShortByADeathLeavesTheNextExitWhole) {
  PlaceAt(264, 432);
  Passes(100);
  ASSERT_EQ(Exitdoor->FrameCounter, 4);
  Player->Action = 16;  // the give-up key
  Passes(151);
  ASSERT_EQ(Game->State, 27);
  Game->State = 26;
  New<bbEnemies>();
  Exitdoor->State = 2;
  Exitdoor->Frame = 0;
  PlaceAt(264, 432);
  int ticks = 0;
  while (Game->State == 26 && ticks < 1000) {
    Pass();
    if (ticks == 0) {
      EXPECT_EQ(Enemies_list.Count(), 0);
    }
    ++ticks;
  }
  EXPECT_EQ(ticks, 326);
}

TEST_F(RulesExit, EntryDuringAReplayRecordsNothing) {
  DemoMode = 1;
  Demo[0][0] = 0;
  Demo[1][0] = 1000;
  TotalActionCount = 1;
  PlaceAt(264, 432);
  Pass();
  EXPECT_EQ(Player->Action, 26);
  EXPECT_EQ(LastActionType, 0);
  EXPECT_EQ(Demo[1][0], 1000);
}

TEST_F(RulesExit, TheStageEndsInThe326thTickAndPlayedBinIsWritten) {
  Audible(sndExiting, "Exiting");
  Played[3] = 3;
  auto mummy = New<bbEnemies>();
  auto rock = New<bbEnemies>();
  rock->Kind = 2, rock->State = 21, rock->HaltingCounter = 5, rock->RoomX = 1;
  rock->x = 768 + 5 * 24;
  rock->y = 10 * 24;
  rock->Block1 = 3, rock->Block2 = 99, rock->Block3 = 2, rock->Block4 = 0;
  SetRoomCell(1, 0, 5, 10, 88);
  SetRoomCell(1, 0, 6, 10, 88);
  SetRoomCell(1, 0, 5, 11, 88);
  SetRoomCell(1, 0, 6, 11, 88);
  New<bbWeapons>()->State = 21;  // stuck in a wall
  PlaceAt(264, 432);
  Pass();
  EXPECT_EQ(Enemies_list.Count(), 0);  // gone at once
  EXPECT_EQ(RoomCell(1, 0, 5, 10), 3);
  EXPECT_EQ(RoomCell(1, 0, 6, 10), 99);
  EXPECT_EQ(RoomCell(1, 0, 5, 11), 2);
  EXPECT_EQ(RoomCell(1, 0, 6, 11), 0);
  EXPECT_EQ(Weapons_list.Count(), 1);
  EXPECT_EQ(Plays(), 0);
  Pass();
  EXPECT_EQ(Plays(), 1);  // the second tick
  const int ticks = 2 + RunExit();
  EXPECT_EQ(ticks, 326);
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Exitdoor->Frame, 30);
  EXPECT_EQ(Exitdoor->FrameCounter, 0);
  EXPECT_EQ(Exitdoor->FrameRate, 0);
  EXPECT_EQ(Weapons_list.Count(), 0);
  EXPECT_EQ(Player->Action, 26);
  EXPECT_EQ(Played[5], 5);
  const auto bytes = Bytes("Played.Bin");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes[2], 3);  // stage 3
  EXPECT_EQ(bytes[4], 5);  // stage 5
  EXPECT_EQ(bytes[0], 0);
}

TEST_F(RulesExit, AReplayedStageIsMarkedAndReplayModeCleared) {
  DemoMode = 1;
  Demo[0][0] = 0;
  Demo[1][0] = 1000;
  TotalActionCount = 1;
  Game->Stage = 70;
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(Game->State, 27);
  const auto bytes = Bytes("Played.Bin");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes[69], 70);
}

TEST_F(RulesExit, AStageNumberOutsideTheTableWritesNothing) {
  for (int stage : {0, 71, -3}) {
    MarkStagePlayed(stage);
    EXPECT_FALSE(std::filesystem::exists(root_ / "Played.Bin")) << stage;
  }
  Game->Stage = 0;
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(Game->State, 27);
  EXPECT_FALSE(std::filesystem::exists(root_ / "Played.Bin"));
}

TEST_F(RulesExit, AnUnwritableFolderLeavesPlayGoingAndTheEntrySet) {
  Path = (root_ / "missing" / "").string();
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Played[5], 5);
}

TEST_F(RulesExit, APlayerMadeStageSavesItsReplayAndWritesNoProgress) {
  User = 1;
  ReplayName = "TUT3";
  Pass();
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(Game->State, 27);
  EXPECT_FALSE(std::filesystem::exists(root_ / "Played.Bin"));
  const auto bytes = Bytes("PlayerLevels/TUT3.SOL");
  ASSERT_EQ(bytes.size(), 4u + 5u * 2u);  // one closed run, and the open one
  EXPECT_EQ(bytes[0], 1);
}

TEST_F(RulesExit, TheEleventhTutorialReturnsToTheTitle) {
  Tutorial = 1;
  User = 1;
  TutNo = 11;
  DemoMode = 1;
  Demo[1][0] = 1000;
  TotalActionCount = 1;
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(Game->State, 31);
  TutNo = 10;
  Game->State = 26;
  Player->Action = 0;
  Exitdoor->State = 2;
  PlaceAt(264, 432);
  RunExit();
  EXPECT_EQ(Game->State, 27);
}

}  // namespace
}  // namespace playtest

#include "stages/replay.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/globals.h"
#include "world.h"

using stagetest::World;

namespace {

void Record(int code, int times = 1) {
  for (int i = 0; i < times; i++) {
    ActionType = code;
    RecordAction();
  }
}

std::vector<unsigned char> ReplayBytes(int n, const std::vector<std::pair<int, int>>& records) {
  std::vector<unsigned char> b;
  auto put32 = [&b](int v) {
    for (int i = 0; i < 4; i++)
      b.push_back(static_cast<unsigned char>((unsigned(v) >> (8 * i)) & 255));
  };
  put32(n);
  for (auto [code, count] : records) {
    b.push_back(static_cast<unsigned char>(code));
    put32(count);
  }
  return b;
}

TEST(Recorder, FiveTicksWalkingRightAreOneRun) {
  World w;
  Record(kActionNone, 3);
  Record(kActionRight, 5);
  Record(kActionExit);
  EXPECT_EQ(ActionCount, 2);
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 3);  // run 0 counts all its steps
  EXPECT_EQ(Demo[0][1], 2);
  EXPECT_EQ(Demo[1][1], 4);  // later runs count their steps less one
  ReplayName = "TUT1";
  SaveReplay();
  EXPECT_EQ(w.ReadBytes("PlayerLevels/TUT1.SOL"),
            ReplayBytes(2, {{0, 3}, {2, 4}, {Demo[0][2], Demo[1][2]}}));
  // Loaded, the run has count 5 and drives five ticks.
  std::filesystem::copy_file(w.root() / "PlayerLevels/TUT1.SOL", w.root() / "Levels/TUT1.SOL");
  ActionCount = ActionNo = 0;
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 2);
  EXPECT_EQ(Demo[1][1], 5);
  // Run 0 drives the three ticks it recorded, as the live run had them.
  std::vector<int> played;
  for (int tick = 0; tick < 3 + 5; tick++) {
    played.push_back(ReplayAction());
    StepReplay();
  }
  EXPECT_EQ(played, (std::vector<int>{0, 0, 0, 2, 2, 2, 2, 2}));
}

TEST(Recorder, FirstStepAJumpStoresRunZeroAsNothing) {
  World w;
  Record(kActionJumpRight, 3);
  Record(kActionRight, 2);
  EXPECT_EQ(ActionCount, 2);
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 0);
  EXPECT_EQ(Demo[0][1], 7);
  EXPECT_EQ(Demo[1][1], 2);
  EXPECT_EQ(LastActionType, 2);
  EXPECT_EQ(ActionNo, 1);
}

TEST(Recorder, StopsAtTheEndOfTheTable) {
  World w;
  Demo[0][5000] = 77;
  Demo[1][5000] = 88;
  for (int i = 0; i < 6000; i++) Record(i % 2 == 0 ? kActionLeft : kActionRight);
  EXPECT_EQ(ActionCount, 5000);
  EXPECT_EQ(Demo[0][5000], 77);  // never written past the runs the file can hold
  EXPECT_EQ(Demo[1][5000], 88);
  EXPECT_EQ(Demo[0][4999], 1);  // run 0 is (0, 0), then left in the odd runs
  ReplayName = "FULL";
  SaveReplay();
  auto bytes = w.ReadBytes("PlayerLevels/FULL.SOL");
  EXPECT_EQ(bytes.size(), 4u + 5u * 5001u);
  // And it loads back whole.
  std::filesystem::copy_file(w.root() / "PlayerLevels/FULL.SOL", w.root() / "Levels/FULL.SOL");
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 5000);
  EXPECT_EQ(Demo[0][5000], Demo[0][4999]);
}

TEST(Reader, LastRecordCopiesTheOneBefore) {
  World w;
  w.WriteBytes("Levels/TUT3.SOL", ReplayBytes(3, {{0, 4}, {2, 9}, {6, 36}, {11, 500}}));
  ReplayName = "TUT3";
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 3);
  EXPECT_EQ(Demo[0][0], 0);
  EXPECT_EQ(Demo[1][0], 5);
  EXPECT_EQ(Demo[0][1], 2);
  EXPECT_EQ(Demo[1][1], 10);
  EXPECT_EQ(Demo[0][2], 6);
  EXPECT_EQ(Demo[1][2], 37);
  EXPECT_EQ(Demo[0][3], 6);
  EXPECT_EQ(Demo[1][3], 37);
  EXPECT_EQ(ActionCount, 0);
  EXPECT_EQ(ActionNo, 0);
}

TEST(Reader, LargestCountDoesNotOverflow) {
  World w;
  w.WriteBytes("Levels/BIG.SOL", ReplayBytes(1, {{2, 0x7fffffff}, {0, 0}}));
  ReplayName = "BIG";
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(Demo[1][0], 0x7fffffff);
  EXPECT_EQ(Demo[1][1], 0x7fffffff);
}

TEST(Reader, NameInAnotherLetterCaseIsFound) {
  World w;
  w.WriteBytes("Levels/level 12.sol", ReplayBytes(1, {{2, 4}, {0, 0}}));
  ReplayName = "Level 12";
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(Demo[0][0], 2);
  EXPECT_EQ(Demo[1][0], 5);
}

TEST(Reader, PlayerStagesReadFromThePlayerFolder) {
  World w;
  w.WriteBytes("PlayerLevels/MINE.SOL", ReplayBytes(1, {{3, 4}, {0, 0}}));
  ReplayName = "MINE";
  DemoMode = 1;
  User = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(Demo[0][0], 3);
  User = 1, Tutorial = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 0);  // tutorials read Levels/
}

TEST(Reader, RefusedFilesTurnReplayModeOffAndKeepTheTable) {
  World w;
  for (int i = 0; i < 10; i++) Demo[0][i] = 40 + i, Demo[1][i] = 50 + i;
  auto full = ReplayBytes(3, {{0, 4}, {2, 9}, {6, 36}, {11, 500}});
  std::vector<std::vector<unsigned char>> bad = {
      {},
      {3, 0},
      ReplayBytes(0, {{1, 1}}),
      ReplayBytes(-1, {{1, 1}, {1, 1}}),
      ReplayBytes(5001, {{1, 1}, {1, 1}}),
      ReplayBytes(0x7fffffff, {{1, 1}}),
  };
  for (std::size_t n = 4; n < full.size(); n++)
    bad.push_back(std::vector<unsigned char>(full.begin(), full.begin() + static_cast<long>(n)));
  ReplayName = "BAD";
  for (std::size_t i = 0; i < bad.size(); i++) {
    w.WriteBytes("Levels/BAD.SOL", bad[i]);
    DemoMode = 1;
    TotalActionCount = 0;
    LoadReplay();
    EXPECT_EQ(DemoMode, 0) << i;
    EXPECT_EQ(TotalActionCount, 0) << i;
    for (int k = 0; k < 10; k++) EXPECT_EQ(Demo[0][k], 40 + k) << i;
  }
  // A missing file likewise.
  ReplayName = "NONE";
  DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(DemoMode, 0);
}

TEST(Playback, HoldsTheLastRecord) {
  World w;
  w.WriteBytes("Levels/R.SOL", ReplayBytes(2, {{1, 1}, {2, 0}, {9, 9}}));
  ReplayName = "R";
  DemoMode = 1;
  LoadReplay();
  Demo[0][3] = 99;  // whatever lies beyond is never reached
  Demo[1][3] = 99;
  std::vector<int> played;
  for (int tick = 0; tick < 10; tick++) {
    played.push_back(ReplayAction());
    StepReplay();
  }
  EXPECT_EQ(played, (std::vector<int>{1, 2, 2, 2, 2, 2, 2, 2, 2, 2}));  // run 0: its 1 tick
  EXPECT_EQ(ActionCount, 2);
}

TEST(Writer, KeepsTheOldFileWhenTheFolderIsMissing) {
  World w;
  Record(kActionLeft, 2);
  FilePath = (w.root() / "NoSuchFolder").string() + "/";
  ReplayName = "X";
  SaveReplay();  // reports on stderr, does not crash
  EXPECT_FALSE(std::filesystem::exists(w.root() / "NoSuchFolder"));
}

}  // namespace

// Replays: the run-length recorder, playback, and the writer (the reader's refusals are the
// replay fuzz target's).
#include "stages/replay.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "world.h"

namespace {

void Record(int code, int times = 1) {
  for (int i = 0; i < times; i++) ActionType = code, RecordAction();
}

std::vector<int> Runs(int from, int to) {
  std::vector<int> out;
  for (int i = from; i <= to; i++) out.push_back(Demo[0][i]), out.push_back(Demo[1][i]);
  return out;
}

TEST(Replay, RecordedAsRunsWrittenAndReadBack) {
  stagetest::World w;
  Record(kActionNone, 3);
  Record(kActionRight, 5);
  Record(kActionJumpUp);
  Record(kActionExit);
  // Run 0 counts all its steps, the others their steps less one; the exit closes the last.
  EXPECT_EQ(ActionCount, 3);
  EXPECT_EQ(Runs(0, 2), (std::vector<int>{0, 3, 2, 4, 5, 0}));
  ReplayName = "Mine";
  SaveReplay();
  User = 1;
  ReplayName = "MINE";  // found in another letter case
  DemoMode = 1;
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 3);
  // Read back one more each; the record still open at the exit copies the one before.
  EXPECT_EQ(Runs(0, 3), (std::vector<int>{0, 4, 2, 5, 5, 1, 5, 1}));
  // Playback: one tick a step, run 0 only the ticks it recorded, the last record held.
  ActionCount = ActionNo = 0;
  std::vector<int> codes;
  for (int t = 0; t < 12; t++) codes.push_back(ReplayAction()), StepReplay();
  EXPECT_EQ(codes, (std::vector<int>{0, 0, 0, 2, 2, 2, 2, 2, 5, 5, 5, 5}));
  EXPECT_EQ(ActionCount, 3);
}

TEST(Replay, TheRecorderStopsAtTheEndOfItsTable) {
  stagetest::World w;
  ActionCount = kReplayRuns - 2;
  Record(1), Record(2);
  EXPECT_EQ(ActionCount, kReplayRuns - 1);
  Record(3), Record(4);
  EXPECT_EQ(ActionCount, kReplayRuns - 1);
  EXPECT_EQ(Demo[0][kReplayRuns - 1], 0);
}

TEST(Replay, AMissingFolderKeepsTheOldFile) {
  stagetest::World w;
  w.WriteBytes("PlayerLevels/Keep.SOL", {1, 0, 0, 0, 3, 3, 0, 0, 0, 3, 3, 0, 0, 0});
  Record(1, 3), Record(kActionExit);
  ReplayName = "Keep";
  FilePath = (w.root() / "nowhere/").string();
  testing::internal::CaptureStderr();
  SaveReplay();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot be written"), std::string::npos);
  User = 1, DemoMode = 1;
  LoadReplay();
  EXPECT_EQ(Demo[0][0], 3);
}

}  // namespace

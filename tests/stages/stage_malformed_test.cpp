// Malformed stage files of every kind are refused whole: the stage in memory stays byte for
// byte as it was.
#include <gtest/gtest.h>

#include <functional>

#include "core/globals.h"
#include "core/objects.h"
#include "stages/stage.h"
#include "world.h"

using stagefile::Data;
using stagefile::Encode;
using stagefile::Fault;
using stagetest::Snapshot;
using stagetest::Take;
using stagetest::World;

namespace {

class Malformed : public ::testing::Test {
 protected:
  void SetUp() override {
    world_.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
    LoadStage("LEVEL 1");
    ASSERT_TRUE(LastStageCheck.ok());
    before_ = Take();
  }
  // Writes `bytes` as a stage, loads it and expects it refused with `fault`, nothing changed.
  void ExpectRefused(const std::vector<unsigned char>& bytes, Fault fault, const std::string& why) {
    world_.WriteBytes("Levels/BAD", bytes);
    LoadStage("BAD");
    EXPECT_EQ(LastStageCheck.fault, fault) << why;
    EXPECT_FALSE(LastStageCheck.what.empty()) << why;
    EXPECT_EQ(StageFaultLine(LastStageCheck), 58) << why;
    EXPECT_TRUE(Take() == before_) << why;
  }
  void ExpectRefused(const std::function<void(Data&)>& spoil, const std::string& why) {
    Data s = stagetest::OtherStage();
    spoil(s);
    ExpectRefused(Encode(s), Fault::OutOfRange, why);
  }
  World world_;
  Snapshot before_;
};

TEST_F(Malformed, TruncatedAtEveryByte) {
  std::vector<unsigned char> full = Encode(stagetest::OtherStage());
  for (std::size_t n = 0; n < full.size(); n++) {
    std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<long>(n));
    ExpectRefused(cut, Fault::Truncated, "cut at " + std::to_string(n));
    if (HasFailure()) break;
  }
}

TEST_F(Malformed, CountsLargerThanTheFile) {
  std::vector<unsigned char> bytes = Encode(stagetest::OtherStage());
  // The room count sits at byte 4; 36 rooms promised, one given.
  bytes[4] = 36;
  ExpectRefused(bytes, Fault::Truncated, "room count");
  bytes = Encode(stagetest::OtherStage());
  std::size_t statues = bytes.size() - 2 * 5 - 1;
  bytes[statues] = 200;
  ExpectRefused(bytes, Fault::Truncated, "statue count");
}

TEST_F(Malformed, RoomRecordOutsideTheRooms) {
  ExpectRefused([](Data& s) { s.roomRecords.push_back({6, 0}); }, "room x 6");
  ExpectRefused([](Data& s) { s.roomRecords.push_back({0, 6}); }, "room y 6");
  ExpectRefused([](Data& s) { s.roomRecords.push_back({255, 255}); }, "room 255");
}

TEST_F(Malformed, ObjectRoomsOutsideTheRooms) {
  ExpectRefused([](Data& s) { s.enemies[0].OriginRoomX = 6; }, "enemy room");
  ExpectRefused([](Data& s) { s.traps[0].Roomy = 7; }, "trap room");
  ExpectRefused([](Data& s) { s.items[2].RoomX = 200; }, "item room");
  ExpectRefused([](Data& s) { s.statues[1].roomy = 6; }, "statue room");
  ExpectRefused([](Data& s) { s.playerRoomX = 6; }, "player room");
  ExpectRefused([](Data& s) { s.doorRoomY = 9; }, "door room");
}

TEST_F(Malformed, ThemeAndBackdropOutOfRange) {
  ExpectRefused([](Data& s) { s.Worldtheme = 6; }, "theme 6");
  ExpectRefused([](Data& s) { s.BackGround = 12; }, "backdrop 12");
}

TEST_F(Malformed, ObjectsWhoseCellsLeaveTheGrid) {
  // The last room column and row leave only the grid's 5 spare columns and 3 spare rows.
  ExpectRefused([](Data& s) { s.enemies[0] = {200, 1, 0, 0, 5, 0}; }, "enemy x");
  ExpectRefused([](Data& s) { s.enemies[0] = {1, 26, 0, 0, 0, 5}; }, "enemy y");
  ExpectRefused([](Data& s) { s.traps[0] = {3, 10, 0, 0, 20, 0, 5}; }, "wall trap height");
  ExpectRefused([](Data& s) { s.traps[0] = {34, 3, 1, 0, 0, 5, 0}; }, "crumbling floor");
  ExpectRefused([](Data& s) { s.traps[0] = {3, 25, 2, 0, 0, 0, 5}; }, "stone row");
  ExpectRefused([](Data& s) { s.traps[0] = {3, 1, 3, 0, 30, 0, 5}; }, "ladder length");
  ExpectRefused([](Data& s) { s.traps[0] = {36, 1, 6, 0, 4, 5, 0}; }, "door column");
  ExpectRefused([](Data& s) { s.items[0] = {37, 3, 6, 48, 5, 0}; }, "item column");
  ExpectRefused([](Data& s) { s.statues[0] = {1, 27, 0, 0, 5}; }, "statue row");
  ExpectRefused([](Data& s) { s.playerX = 36, s.playerRoomX = 5; }, "player column");
  ExpectRefused([](Data& s) { s.doorY = 24, s.doorRoomY = 5; }, "door row");
}

TEST_F(Malformed, TheSameValuesInsideTheGridAreAccepted) {
  Data s = stagetest::OtherStage();
  s.roomRecords.push_back({5, 5});
  s.traps[0] = {30, 22, 2, 0, 0, 5, 5};  // a stone in the last room's corner reaches row 146
  s.traps.push_back({31, 23, 3, 0, 0, 5, 5});
  s.enemies[0] = {31, 23, 2, 0, 5, 5};
  world_.WriteBytes("Levels/EDGE", Encode(s));
  LoadStage("EDGE");
  EXPECT_TRUE(LastStageCheck.ok()) << LastStageCheck.what;
}

}  // namespace

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "media/files.h"
#include "stages/stage.h"
#include "world.h"

using stagefile::Data;
using stagefile::Encode;
using stagefile::Fault;
using stagetest::Snapshot;
using stagetest::Take;
using stagetest::World;

namespace {

std::vector<std::shared_ptr<bbEnemies>> Enemies() {
  std::vector<std::shared_ptr<bbEnemies>> v;
  for (auto e : Enemies_list.Each<bbEnemies>()) v.push_back(e);
  return v;
}
std::vector<std::shared_ptr<bbTraps>> Traps() {
  std::vector<std::shared_ptr<bbTraps>> v;
  for (auto t : Traps_list.Each<bbTraps>()) v.push_back(t);
  return v;
}

TEST(StageReader, LoadsEveryPartForPlay) {
  World w;
  Data s = stagetest::SmallStage();
  w.WriteBytes("Levels/LEVEL 3", Encode(s));
  Player->Score = 1234;
  Player->Lives = 2;
  LoadStage("LEVEL 3");
  EXPECT_TRUE(LastStageCheck.ok()) << LastStageCheck.what;
  EXPECT_EQ(SN, "LEVEL 3");
  EXPECT_EQ(Rooms[0][0], 1);
  EXPECT_EQ(Rooms[1][0], 1);
  EXPECT_EQ(Rooms[2][0], 0);
  EXPECT_EQ(NumOfRooms, 2);
  EXPECT_EQ(Stage[5][0], 3);
  EXPECT_EQ(Stage[0][23], 1);
  EXPECT_EQ(Stage[32 + 3][0], 88);
  EXPECT_EQ(Stage[32 + 3][23], 2);
  EXPECT_EQ(Stage[64][0], 0);
  EXPECT_EQ(numofenemies, 2);
  EXPECT_EQ(numoftraps, 2);
  EXPECT_EQ(numofitems, 2);
  EXPECT_EQ(numofstatus, 1);
  EXPECT_EQ(Worldtheme, 3);
  EXPECT_EQ(BackGround, 7);
  // The player's start becomes room pixels, and the current room is its room.
  EXPECT_EQ(Player->X, 48);
  EXPECT_EQ(Player->Y, 21 * 24);
  EXPECT_EQ(PlayerX, 48);
  EXPECT_EQ(PlayerY, 21 * 24);
  EXPECT_EQ(Player->Exist, 1);
  EXPECT_EQ(Player->Frame, 6);
  EXPECT_EQ(Player->Score, 1234);  // untouched fields carry over
  EXPECT_EQ(Player->Lives, 2);
  EXPECT_EQ(RoomX, 0);
  EXPECT_EQ(RoomY, 0);
  EXPECT_EQ(Exitdoor->x, 20);
  EXPECT_EQ(Exitdoor->y, 19);
  EXPECT_EQ(Exitdoor->Frame, 2);
  EXPECT_EQ(Exitdoor->roomx, 1);
  EXPECT_EQ(Exitdoor->State, 1);
  EXPECT_EQ(NumOfGold, 2);
  // Objects in file order.
  auto items = Items_list.Each<bbItems>();
  auto it = items.begin();
  EXPECT_EQ((*it)->kind, 6);
  ++it;
  EXPECT_EQ((*it)->kind, 2);
  EXPECT_EQ((*it)->RoomX, 1);
}

TEST(StageReader, EnemyAndCoffinPositionsInPlayAndInTheEditor) {
  World w;
  Data s = stagetest::SmallStage();
  s.roomRecords.push_back({2, 1});
  s.enemies = {{3, 5, 1, 8, 2, 1}};
  w.WriteBytes("Levels/LEVEL 1", Encode(s));
  w.WriteBytes("PlayerLevels/mine", Encode(s));
  LoadStage("LEVEL 1");
  auto e = Enemies();
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0]->x, 1608);
  EXPECT_EQ(e[0]->y, 696);
  EXPECT_EQ(e[0]->CoffineX, 72);
  EXPECT_EQ(e[0]->CoffineY, 96);
  EXPECT_EQ(e[0]->RoomX, 2);
  EXPECT_EQ(e[0]->RoomY, 1);
  EXPECT_EQ(e[0]->Kind, 1);
  EXPECT_EQ(e[0]->frame, 8);

  EditMode = 1;
  Game->State = 32;
  LoadStage("mine");
  e = Enemies();
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0]->x, 3);
  EXPECT_EQ(e[0]->y, 5);
  EXPECT_EQ(e[0]->CoffineX, 72);
  EXPECT_EQ(e[0]->CoffineY, 96);
  EXPECT_EQ(Player->X, 2);  // cells in the editor
  EXPECT_EQ(Player->Y, 21);
}

TEST(StageReader, WallTrapTakesItsHeightInPlayOnly) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  w.WriteBytes("PlayerLevels/LEVEL 1", Encode(stagetest::SmallStage()));
  LoadStage("LEVEL 1");
  auto t = Traps();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0]->Kind, 0);
  EXPECT_EQ(t[0]->Y, 14);
  EXPECT_EQ(t[1]->Kind, 2);
  EXPECT_EQ(t[1]->Y, 12);  // other traps keep their row
  EditMode = 1;
  Game->State = 32;
  LoadStage("LEVEL 1");
  t = Traps();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0]->Y, 10);
}

TEST(StageReader, SignaturesSummingTo21AreAccepted) {
  for (std::array<int, 4> sig : {std::array<int, 4>{1, 9, 7, 4}, std::array<int, 4>{21, 0, 0, 0},
                                 std::array<int, 4>{4, 7, 9, 1}}) {
    World w;
    Data s = stagetest::SmallStage();
    s.signature = sig;
    w.WriteBytes("Levels/LEVEL 2", Encode(s));
    LoadStage("LEVEL 2");
    EXPECT_TRUE(LastStageCheck.ok()) << sig[0];
    EXPECT_EQ(Worldtheme, 3);
  }
}

TEST(StageReader, WrongSignatureIsRefusedAndKeepsTheNewName) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  LoadStage("LEVEL 1");
  Snapshot before = Take();
  Data s = stagetest::OtherStage();
  s.signature = {4, 7, 9, 2};
  w.WriteBytes("Levels/LEVEL 2", Encode(s));
  LoadStage("LEVEL 2");
  EXPECT_EQ(LastStageCheck.fault, Fault::BadSignature);
  EXPECT_EQ(StageFaultLine(LastStageCheck), 58);
  EXPECT_EQ(SN, "LEVEL 2");
  EXPECT_TRUE(Take() == before);
}

TEST(StageReader, MissingFileEmptiesTheNameAndChangesNothingElse) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  LoadStage("LEVEL 1");
  Snapshot before = Take();
  LoadStage("LEVEL 9");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  EXPECT_EQ(StageFaultLine(LastStageCheck), 59);
  EXPECT_EQ(SN, "");
  EXPECT_TRUE(Take() == before);
  // The name must match in letter case.
  LoadStage("level 1");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  EXPECT_TRUE(Take() == before);
}

TEST(StageReader, FolderPartOfTheNameIsDropped) {
  World w;
  w.WriteBytes("Levels/Tut4", Encode(stagetest::OtherStage()));
  LoadStage("/some/where/else/Tut4");
  EXPECT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(SN, "Tut4");
  EXPECT_EQ(media::CurrentDir(), w.root().string() + "/Levels");
}

TEST(StageReader, ChoosesThePlayerFolderForPlayerStagesAndTheEditor) {
  World w;
  w.WriteBytes("PlayerLevels/mine", Encode(stagetest::OtherStage()));
  LoadStage("mine");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  User = 1, Tutorial = 1;  // tutorials are read from Levels/
  LoadStage("mine");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  Tutorial = 0;
  LoadStage("mine");
  EXPECT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(media::CurrentDir(), w.root().string() + "/PlayerLevels");
  User = 0;
  Game->State = 32;
  LoadStage("mine");
  EXPECT_TRUE(LastStageCheck.ok());
}

TEST(StageReader, RoomRecordsInAnyOrderAndListedTwice) {
  World w;
  Data s = stagetest::OtherStage();
  s.roomRecords = {{4, 3}, {0, 0}, {4, 3}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) {
      s.Cell(0, 0, column, row) = 1;
      s.Cell(4, 3, column, row) = 2;
    }
  s.playerRoomX = 0, s.playerRoomY = 0;
  std::vector<unsigned char> bytes = Encode(s);
  // Two distinct rooms give two cell blocks although three records are listed.
  EXPECT_EQ(bytes.size(), stagefile::FileSize(3, 1, 1, 3, 2) - 768);
  w.WriteBytes("Levels/LEVEL 1", bytes);
  Stage[195][145] = 42;  // the spare cells are not touched
  LoadStage("LEVEL 1");
  ASSERT_TRUE(LastStageCheck.ok()) << LastStageCheck.what;
  EXPECT_EQ(NumOfRooms, 3);
  EXPECT_EQ(Rooms[4][3], 1);
  EXPECT_EQ(Rooms[0][0], 1);
  EXPECT_EQ(Rooms[2][1], 0);
  EXPECT_EQ(Stage[31][23], 1);
  EXPECT_EQ(Stage[128][72], 2);
  EXPECT_EQ(Stage[128 + 31][72 + 23], 2);
  EXPECT_EQ(Stage[64][24], 0);
  EXPECT_EQ(Stage[195][145], 42);
}

TEST(StageReader, OnlyRoomZeroLeavesEveryOtherAreaEmpty) {
  World w;
  // First a stage with other rooms filled, then one with room (0, 0) only.
  Data full = stagetest::OtherStage();
  w.WriteBytes("Levels/LEVEL 1", Encode(full));
  LoadStage("LEVEL 1");
  ASSERT_NE(Stage[64 + 1][24], 0);
  Data s;
  s.roomRecords = {{0, 0}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) s.Cell(0, 0, column, row) = 99;
  w.WriteBytes("Levels/LEVEL 2", Encode(s));
  LoadStage("LEVEL 2");
  ASSERT_TRUE(LastStageCheck.ok());
  int nonEmpty = 0;
  for (int c = 0; c < 192; c++)
    for (int r = 0; r < 144; r++)
      if (c >= 32 || r >= 24) nonEmpty += Stage[c][r] != 0;
  EXPECT_EQ(nonEmpty, 0);
  EXPECT_EQ(Stage[31][23], 99);
}

TEST(StageReader, CountsOfZero) {
  World w;
  Data s;
  s.roomRecords = {{0, 0}};
  s.Worldtheme = 2, s.BackGround = 4;
  s.doorFrame = 0;
  std::vector<unsigned char> bytes = Encode(s);
  ASSERT_EQ(bytes.size(), stagefile::FileSize(1, 0, 0, 0, 0));
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  LoadStage("LEVEL 1");
  w.WriteBytes("Levels/LEVEL 2", bytes);
  LoadStage("LEVEL 2");
  ASSERT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(Enemies_list.Count(), 0);
  EXPECT_EQ(Traps_list.Count(), 0);
  EXPECT_EQ(Items_list.Count(), 0);
  EXPECT_EQ(statuses_list.Count(), 0);
  EXPECT_EQ(Worldtheme, 2);
  EXPECT_EQ(BackGround, 4);
}

TEST(StageReader, LoadingTwiceDoublesNothing) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  New<bbWeapons>();  // a weapon in flight is dropped too
  LoadStage("LEVEL 1");
  EXPECT_EQ(Weapons_list.Count(), 0);
  Snapshot first = Take();
  LoadStage("LEVEL 1");
  Snapshot second = Take();
  EXPECT_EQ(Enemies_list.Count(), 2);
  EXPECT_EQ(Traps_list.Count(), 2);
  EXPECT_EQ(Items_list.Count(), 2);
  EXPECT_EQ(statuses_list.Count(), 1);
  EXPECT_EQ(first.stage, second.stage);
  EXPECT_EQ(first.enemies, second.enemies);
  EXPECT_EQ(first.traps, second.traps);
  EXPECT_EQ(first.items, second.items);
  EXPECT_EQ(first.player, second.player);
}

TEST(StageFormat, EncodeDecodeRoundTripKeepsEveryByte) {
  for (const Data& s : {stagetest::SmallStage(), stagetest::OtherStage()}) {
    std::vector<unsigned char> bytes = Encode(s);
    Data d;
    ASSERT_TRUE(stagefile::Decode(bytes, d).ok());
    EXPECT_EQ(Encode(d), bytes);
  }
  Data s = stagetest::SmallStage();
  EXPECT_EQ(Encode(s).size(), stagefile::FileSize(2, 2, 2, 2, 1));
}

TEST(StageFormat, TrailingBytesAreIgnored) {
  std::vector<unsigned char> bytes = Encode(stagetest::SmallStage());
  bytes.push_back(7);
  Data d;
  EXPECT_TRUE(stagefile::Decode(bytes, d).ok());
}

}  // namespace

namespace {

TEST(StageReader, ReadOnlyFileOrAFolderCountsAsMissing) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  LoadStage("LEVEL 1");
  Snapshot before = Take();
  w.WriteBytes("Levels/LEVEL 2", Encode(stagetest::OtherStage()));
  std::filesystem::permissions(w.root() / "Levels/LEVEL 2",
                               std::filesystem::perms::owner_read |
                                   std::filesystem::perms::group_read |
                                   std::filesystem::perms::others_read);
  LoadStage("LEVEL 2");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  EXPECT_EQ(SN, "");
  EXPECT_TRUE(Take() == before);
  std::filesystem::create_directories(w.root() / "Levels/LEVEL 3");
  LoadStage("LEVEL 3");
  EXPECT_EQ(LastStageCheck.fault, Fault::Missing);
  EXPECT_TRUE(Take() == before);
}

TEST(StageReader, SpareCellsAndUnreadFieldsCarryOver) {
  World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  Stage[195][10] = 7;  // spare columns 192 to 196
  Stage[10][145] = 8;  // spare rows 144 to 146
  Player->XS = 3, Player->JumpFrame = 124, Player->Direction = 1, Player->Action = 13;
  Exitdoor->FrameRate = 5, Exitdoor->FrameCounter = 2;
  LoadStage("LEVEL 1");
  ASSERT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(Stage[195][10], 7);
  EXPECT_EQ(Stage[10][145], 8);
  EXPECT_EQ(Player->XS, 3);
  EXPECT_EQ(Player->JumpFrame, 124);
  EXPECT_EQ(Player->Action, 13);
  EXPECT_EQ(Exitdoor->FrameRate, 5);
  EXPECT_EQ(Exitdoor->FrameCounter, 2);
}

TEST(StageReader, EditorLeavesThePlayersPixelStartAlone) {
  World w;
  w.WriteBytes("PlayerLevels/mine", Encode(stagetest::OtherStage()));
  PlayerX = 777, PlayerY = 555;
  EditMode = 1;
  Game->State = 32;
  LoadStage("mine");
  ASSERT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(Player->X, 15);
  EXPECT_EQ(Player->Y, 10);
  EXPECT_EQ(PlayerX, 777);
  EXPECT_EQ(PlayerY, 555);
  EXPECT_EQ(RoomX, 2);
  EXPECT_EQ(RoomY, 1);
  EXPECT_EQ(Player->Exist, 1);
  EXPECT_EQ(Player->Frame, 6);
}

}  // namespace

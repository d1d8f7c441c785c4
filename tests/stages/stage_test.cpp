// The stage reader: a stage file into the world, for play in pixels and for the editor in cells;
// files that are missing, short or hold values outside the world are refused whole.
#include "stages/stage.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "world.h"

using stagefile::Data;
using stagefile::Encode;

namespace {

template <class T>
std::vector<std::vector<int>> Objects(media::TList& list, std::vector<int> (*f)(const T&)) {
  std::vector<std::vector<int>> out;
  for (auto o : list.Each<T>()) out.push_back(f(*o));
  return out;
}

TEST(StageReader, LoadsEveryPartForPlayAndForTheEditor) {
  stagetest::World w;
  Data s = stagetest::SmallStage();
  s.signature = {21, 0, 0, 0};  // any four bytes summing to 21
  s.roomRecords.push_back({2, 1});
  s.roomRecords.push_back({0, 0});  // listed twice
  s.enemies[0] = {3, 5, 1, 8, 2, 1};
  w.WriteBytes("Levels/LEVEL 3", Encode(s));
  w.WriteBytes("PlayerLevels/mine", Encode(s));
  Player->Score = 1234;
  LoadStage("some/folder/LEVEL 3");
  ASSERT_TRUE(LastStageCheck.ok()) << LastStageCheck.what;
  EXPECT_EQ(SN, "LEVEL 3");
  EXPECT_EQ(std::vector<int>({Rooms[0][0], Rooms[1][0], Rooms[2][1], Rooms[2][0], NumOfRooms}),
            std::vector<int>({1, 1, 1, 0, 4}));
  EXPECT_EQ(std::vector<int>(
                {Stage[5][0], Stage[0][23], Stage[32 + 3][0], Stage[32 + 3][23], Stage[64][0]}),
            std::vector<int>({3, 1, 88, 2, 0}));
  EXPECT_EQ(std::vector<int>({numofenemies, numoftraps, numofitems, numofstatus, Worldtheme,
                              BackGround, NumOfGold}),
            std::vector<int>({2, 2, 2, 1, 3, 7, 2}));
  // The player's start in room pixels, the current room its room; the score carries over.
  EXPECT_EQ(std::vector<int>({Player->X, Player->Y, PlayerX, PlayerY, Player->Exist, Player->Frame,
                              Player->Score, RoomX, RoomY}),
            std::vector<int>({48, 504, 48, 504, 1, 6, 1234, 0, 0}));
  EXPECT_EQ(std::vector<int>(
                {Exitdoor->x, Exitdoor->y, Exitdoor->Frame, Exitdoor->roomx, Exitdoor->State}),
            std::vector<int>({20, 19, 2, 1, 1}));
  // Enemies in world pixels, their coffin a cell above in room pixels; a wall trap's row moves
  // down by its height.
  auto enemy = [](const bbEnemies& e) {
    return std::vector<int>{e.x, e.y, e.CoffineX, e.CoffineY, e.RoomX, e.RoomY, e.Kind, e.frame};
  };
  auto trap = [](const bbTraps& t) { return std::vector<int>{t.Kind, t.Y}; };
  EXPECT_EQ(Objects<bbEnemies>(Enemies_list, +enemy)[0],
            (std::vector<int>{1608, 696, 72, 96, 2, 1, 1, 8}));
  EXPECT_EQ(Objects<bbTraps>(Traps_list, +trap), (std::vector<std::vector<int>>{{0, 14}, {2, 12}}));
  auto item = [](const bbItems& i) { return std::vector<int>{i.kind, i.RoomX}; };
  EXPECT_EQ(Objects<bbItems>(Items_list, +item), (std::vector<std::vector<int>>{{6, 0}, {2, 1}}));

  EditMode = 1, Game->State = 32;  // the editor: cells, from PlayerLevels/
  LoadStage("mine");
  ASSERT_TRUE(LastStageCheck.ok());
  EXPECT_EQ(Objects<bbEnemies>(Enemies_list, +enemy)[0],
            (std::vector<int>{3, 5, 72, 96, 2, 1, 1, 8}));
  EXPECT_EQ(Objects<bbTraps>(Traps_list, +trap)[0], (std::vector<int>{0, 10}));
  EXPECT_EQ(Player->X * 100 + Player->Y, 221);
  EXPECT_EQ(PlayerX, 48);  // the pixel start is left alone
  // Loading again doubles nothing.
  LoadStage("mine");
  EXPECT_EQ(Enemies_list.Count() + Traps_list.Count() + Items_list.Count(), 6);
}

// One value at a time at the edge of what the world holds (the cell grid is 197 x 147, rooms
// 0 to 5 across and down): the value accepted, one more refused.
TEST(StageReader, ValuesAtTheEdgesOfTheWorld) {
  const struct {
    const char* what;
    void (*set)(Data&, int);
    int good, bad;
  } edges[] = {
      {"theme", [](Data& d, int v) { d.Worldtheme = v; }, 5, 6},
      {"backdrop", [](Data& d, int v) { d.BackGround = v; }, 11, 12},
      {"room record", [](Data& d, int v) { d.roomRecords[0][0] = v, d.roomRecords[0][1] = 5; }, 5,
       6},
      {"enemy room", [](Data& d, int v) { d.enemies[0].OriginRoomY = v; }, 5, 6},
      {"enemy cells", [](Data& d, int v) { d.enemies[0] = {v, 22, 0, 0, 5, 5}; }, 35, 36},
      {"wall trap", [](Data& d, int v) { d.traps[0] = {0, v, 0, 0, 4, 5, 5}; }, 21, 22},
      {"floor trap", [](Data& d, int v) { d.traps[0] = {v, 22, 1, 0, 0, 5, 5}; }, 33, 34},
      {"stone", [](Data& d, int v) { d.traps[0] = {30, v, 2, 0, 0, 5, 5}; }, 24, 25},
      {"ladder trap", [](Data& d, int v) { d.traps[0] = {0, 10, 3, 0, v, 5, 5}; }, 16, 17},
      {"door trap", [](Data& d, int v) { d.traps[0] = {0, v, 5, 0, 2, 5, 5}; }, 23, 24},
      {"trap room", [](Data& d, int v) { d.traps[1].Roomx = v; }, 5, 6},
      {"item room", [](Data& d, int v) { d.items[0].RoomX = v; }, 5, 6},
      {"item cells", [](Data& d, int v) { d.items[0] = {v, 23, 6, 48, 5, 5}; }, 36, 37},
      {"player room", [](Data& d, int v) { d.playerRoomY = v; }, 5, 6},
      {"door room", [](Data& d, int v) { d.doorRoomX = v; }, 5, 6},
      {"statue cells", [](Data& d, int v) { d.statues[0].x = v, d.statues[0].roomx = 5; }, 36, 37},
      {"player", [](Data& d, int v) { d.playerX = v, d.playerRoomX = 5; }, 35, 36},
      {"door", [](Data& d, int v) { d.doorY = v, d.doorRoomY = 5; }, 23, 24},
      {"statue", [](Data& d, int v) { d.statues[0].roomy = v; }, 5, 6},
  };
  for (const auto& e : edges) {
    for (int v : {e.good, e.bad}) {
      Data d = stagetest::SmallStage(), out;
      e.set(d, v);
      EXPECT_EQ(stagefile::Decode(Encode(d), out).ok(), v == e.good) << e.what << " " << v;
    }
  }
}

// A file cut short anywhere, or a bad one, is refused whole: the world stays as it was, one
// line on standard error, the language line to tell the player.
TEST(StageReader, RefusedFilesLeaveTheWorldAsItWas) {
  stagetest::World w;
  const std::vector<unsigned char> good = Encode(stagetest::SmallStage());
  w.WriteBytes("Levels/LEVEL 1", good);
  LoadStage("LEVEL 1");
  const stagetest::Snapshot before = stagetest::Take();
  for (std::size_t size = 0; size < good.size();
       size += (size < 40 || size > good.size() - 80) ? 1 : 97) {
    std::vector<unsigned char> cut(good.begin(), good.begin() + static_cast<long>(size));
    w.WriteBytes("Levels/LEVEL 2", cut);
    testing::internal::CaptureStderr();
    LoadStage("LEVEL 2");
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_FALSE(LastStageCheck.ok()) << size;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << size;
    EXPECT_EQ(SN, "LEVEL 2");
    ASSERT_TRUE(stagetest::Take() == before) << size;
  }
  EXPECT_EQ(StageFaultLine(LastStageCheck), 58);
  std::vector<unsigned char> wrong = good;
  wrong[0] = 5;  // a signature summing to 22
  w.WriteBytes("Levels/LEVEL 2", wrong);
  testing::internal::CaptureStderr();
  LoadStage("LEVEL 2");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(LastStageCheck.fault, stagefile::Fault::BadSignature);
  testing::internal::CaptureStderr();
  LoadStage("LEVEL 9");
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(StageFaultLine(LastStageCheck), 59);
  EXPECT_EQ(SN, "");  // a missing file empties the name only
  EXPECT_TRUE(stagetest::Take() == before);
  EXPECT_EQ(StageFaultLine(stagefile::Check{}), -1);
}

}  // namespace

#include "world.h"

#include <fstream>
#include <iterator>
#include <random>

#include "core/globals.h"
#include "core/objects.h"
#include "front/flow.h"
#include "media/app.h"
#include "stages/replay.h"
#include "stages/stage.h"

namespace stagetest {

World::World() {
  media::UseHeadlessBackend();
  ResetGlobals();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  std::random_device rd;
  root_ = std::filesystem::temp_directory_path() / ("quill-stages-" + std::to_string(rd()));
  std::filesystem::create_directories(root_ / "Levels");
  std::filesystem::create_directories(root_ / "PlayerLevels");
  startDir_ = std::filesystem::current_path();
  Path = root_.string() + "/";
  AppPath = root_.string();
  FilePath = root_.string() + "/PlayerLevels/";
}

World::~World() {
  std::error_code ec;
  std::filesystem::current_path(startDir_, ec);
  std::filesystem::remove_all(root_, ec);
}

void World::WriteBytes(const std::string& relative, const std::vector<unsigned char>& bytes) const {
  std::ofstream out(root_ / relative, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> World::ReadBytes(const std::string& relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

stagefile::Data SmallStage() {
  stagefile::Data s;
  s.roomRecords = {{1, 0}, {0, 0}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) {
      s.Cell(0, 0, column, row) = row == 23 ? 1 : (column == 5 ? 3 : 0);
      s.Cell(1, 0, column, row) = row == 23 ? 2 : (column + row) % 3 == 0 ? 88 : 0;
    }
  s.enemies = {{3, 5, 0, 0, 1, 0}, {10, 20, 2, 8, 0, 0}};
  s.traps = {{4, 10, 0, 0, 4, 0, 0}, {6, 12, 2, 1, 0, 1, 0}};
  s.items = {{7, 8, 6, 48, 0, 0}, {9, 9, 2, 16, 1, 0}};
  s.playerX = 2, s.playerY = 21, s.playerRoomX = 0, s.playerRoomY = 0;
  s.doorX = 20, s.doorY = 19, s.doorFrame = 2, s.doorRoomX = 1, s.doorRoomY = 0;
  s.Worldtheme = 3, s.BackGround = 7;
  s.statues = {{12, 2, 1, 0, 0}};
  return s;
}

stagefile::Data OtherStage() {
  stagefile::Data s;
  s.signature = {21, 0, 0, 0};
  s.roomRecords = {{2, 1}};
  for (int row = 0; row < 24; row++)
    for (int column = 0; column < 32; column++) s.Cell(2, 1, column, row) = (row * 7 + column) % 5;
  s.enemies = {{1, 1, 3, 24, 2, 1}};
  s.traps = {{2, 3, 5, 4, 6, 2, 1}};
  s.items = {{3, 3, 0, 0, 2, 1}, {4, 4, 1, 8, 2, 1}, {5, 5, 6, 48, 2, 1}};
  s.playerX = 15, s.playerY = 10, s.playerRoomX = 2, s.playerRoomY = 1;
  s.doorX = 1, s.doorY = 2, s.doorFrame = 9, s.doorRoomX = 2, s.doorRoomY = 1;
  s.Worldtheme = 5, s.BackGround = 11;
  s.statues = {{1, 1, 0, 2, 1}, {20, 1, 1, 2, 1}};
  return s;
}

namespace {
template <class T, class F>
std::vector<std::vector<int>> Fields(media::TList& list, std::vector<const void*>& ids, F f) {
  std::vector<std::vector<int>> out;
  for (auto o : list.Each<T>()) {
    out.push_back(f(*o));
    ids.push_back(o.get());
  }
  return out;
}
}  // namespace

Snapshot Take() {
  Snapshot s;
  for (auto& column : Stage)
    for (int v : column) s.stage.push_back(v);
  for (auto& column : Rooms)
    for (int v : column) s.rooms.push_back(v);
  s.counters = {RoomX,      RoomY,      Worldtheme,  BackGround, NumOfRooms, numofenemies,
                numoftraps, numofitems, numofstatus, NumOfGold,  PlayerX,    PlayerY};
  s.enemies = Fields<bbEnemies>(Enemies_list, s.identities, [](const bbEnemies& e) {
    return std::vector<int>{e.x,           e.y,           e.Kind,  e.frame, e.CoffineX, e.CoffineY,
                            e.OriginRoomX, e.OriginRoomY, e.RoomX, e.RoomY, e.LifeSpan, e.State};
  });
  s.traps = Fields<bbTraps>(Traps_list, s.identities, [](const bbTraps& t) {
    return std::vector<int>{t.X, t.Y, t.Kind, t.Frame, t.Height, t.Roomx, t.Roomy, t.NumOfPass};
  });
  s.items = Fields<bbItems>(Items_list, s.identities, [](const bbItems& i) {
    return std::vector<int>{i.X, i.Y, i.kind, i.frame, i.RoomX, i.RoomY};
  });
  s.statues = Fields<bbstatuses>(statuses_list, s.identities, [](const bbstatuses& t) {
    return std::vector<int>{t.x, t.y, t.frame, t.roomx, t.roomy};
  });
  s.weapons = Fields<bbWeapons>(Weapons_list, s.identities, [](const bbWeapons& w) {
    return std::vector<int>{w.x, w.y, w.kind, w.State};
  });
  const bbPlayers& p = *Player;
  s.player = {p.X, p.Y, p.RoomX, p.RoomY, p.Exist, p.Frame, p.Score, p.Lives, p.Action};
  const bbExitDoors& d = *Exitdoor;
  s.door = {d.x, d.y, d.Frame, d.State, d.roomx, d.roomy, d.FrameRate, d.FrameCounter};
  return s;
}

}  // namespace stagetest

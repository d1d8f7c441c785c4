#include "play/rules_fixture.h"

#include <random>

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/tables.h"
#include "media/app.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "play/actions.h"
#include "play/dig.h"
#include "play/player.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"

namespace playtest {

void RulesTest::SetUp() {
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  ResetGlobals();
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  media::ResetGraphicsState();
  LoadAllMedia(1, false);
  ASSERT_TRUE(PlayerSprite && ItemSprite && XDoor && Bricks);
  FillBuiltinTables();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  Player->XS = Player->YS = 3;
  Player->Lives = 2;
  Player->Exist = 1;
  Game->Stage = 5;
  ResetAll();
  RoomX = RoomY = 0;

  std::random_device rd;
  root_ = std::filesystem::temp_directory_path() / ("quill-play-" + std::to_string(rd()));
  std::filesystem::create_directories(root_ / "Levels");
  std::filesystem::create_directories(root_ / "PlayerLevels");
  startDir_ = std::filesystem::current_path();
  Path = root_.string() + "/";
  AppPath = root_.string();
  FilePath = root_.string() + "/PlayerLevels/";
}

void RulesTest::TearDown() {
  std::error_code ec;
  std::filesystem::current_path(startDir_, ec);
  std::filesystem::remove_all(root_, ec);
  ResetGlobals();
}

void RulesTest::MakeRoom(int rx, int ry, bool floor) {
  Rooms[rx][ry] = 1;
  for (int c = 0; c < 32 && floor; ++c) SetRoomCell(rx, ry, c, kFloorRow, 1);
}

void RulesTest::ClearWorld() {
  ResetAll();
  for (auto& column : Stage)
    for (int& cell : column) cell = 0;
  for (auto* list : {&Items_list, &Weapons_list, &Enemies_list, &Traps_list})
    for (auto o : list->Each<TBBType>()) o->Remove();
}

void RulesTest::SetRoomCell(int rx, int ry, int c, int r, int code) {
  Stage[rx * 32 + c][ry * 24 + r] = code;
}

int RulesTest::RoomCell(int rx, int ry, int c, int r) const {
  return Stage[rx * 32 + c][ry * 24 + r];
}

void RulesTest::PlaceAt(int x, int y) {
  Player->X = x;
  Player->Y = y;
  Player->Action = 0;
}

void RulesTest::Pass() {
  UpdateGame();
  AnimatePlayer();
  if (DemoMode == 1) StepReplay();
}

void RulesTest::Passes(int n) {
  for (int i = 0; i < n; ++i) Pass();
}

int RulesTest::PassesWhile(int action, int limit) {
  int n = 0;
  while (Player->Action == action && n < limit) Pass(), ++n;
  return n;
}

void RulesTest::Hold(int key) {
  media::headless::KeyDownNow(key);
}
void RulesTest::Release(int key) {
  media::headless::KeyUpNow(key);
}
void RulesTest::Hit(int key) {
  media::headless::PressKey(key);
}

void RulesTest::Audible(media::Sound& slot, const std::string& name) {
  slot = media::LoadSound("incbin::Sfx/" + name + ".ogg");
  ASSERT_TRUE(slot) << name;
}

int RulesTest::Plays() const {
  return media::headless::ActiveChannels();
}

void RulesTest::PlayRuns(const std::vector<std::pair<int, int>>& runs) {
  for (std::size_t i = 0; i < runs.size(); ++i)
    Demo[0][i] = runs[i].first, Demo[1][i] = runs[i].second;
  TotalActionCount = static_cast<int>(runs.size()) - 1;
  ActionCount = ActionNo = 0;
  DemoMode = 1;
}

std::vector<int> PlayerState() {
  return {Player->X,         Player->Y,           Player->Action, Player->State, Player->Frame,
          Player->Direction, Player->FallCounter, Player->Score,  RoomX,         RoomY,
          Exitdoor->State,   Exitdoor->Frame};
}

std::shared_ptr<bbEnemies> Spawn(int kind, int c, int r, int rx, int ry) {
  auto e = New<bbEnemies>();
  e->Kind = kind;
  e->OriginRoomX = e->RoomX = rx;
  e->OriginRoomY = e->RoomY = ry;
  e->CoffineX = c * 24, e->CoffineY = (r - 1) * 24;
  e->x = rx * 768 + c * 24, e->y = ry * 576 + r * 24;
  return e;
}

void ClearEnemies() {
  for (auto e : Enemies_list.Each<bbEnemies>()) e->Remove();
}

}  // namespace playtest

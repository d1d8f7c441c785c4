#include "world.h"

#include <algorithm>

#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/app.h"
#include "media/headless.h"
#include "stages/replay.h"
#include "stages/stage.h"

namespace stagetest {

World::World() {
  media::UseHeadlessBackend();
  ResetGlobals();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  std::filesystem::create_directories(root_ / "Levels");
  std::filesystem::create_directories(root_ / "PlayerLevels");
  Path = root_.string() + "/";
  AppPath = root_.string();
  FilePath = root_.string() + "/PlayerLevels/";
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

Snapshot Take() {
  Snapshot s;
  for (auto& column : Stage) s.cells.insert(s.cells.end(), std::begin(column), std::end(column));
  for (auto& column : Rooms) s.cells.insert(s.cells.end(), std::begin(column), std::end(column));
  s.objects.push_back({RoomX, RoomY, Worldtheme, BackGround, NumOfRooms, numofenemies, numoftraps,
                       numofitems, numofstatus, NumOfGold, PlayerX, PlayerY});
  for (auto e : Enemies_list.Each<bbEnemies>())
    s.objects.push_back({e->x, e->y, e->Kind, e->frame, e->CoffineX, e->CoffineY, e->OriginRoomX,
                         e->OriginRoomY, e->RoomX, e->RoomY});
  for (auto t : Traps_list.Each<bbTraps>())
    s.objects.push_back({t->X, t->Y, t->Kind, t->Frame, t->Height, t->Roomx, t->Roomy});
  for (auto i : Items_list.Each<bbItems>())
    s.objects.push_back({i->X, i->Y, i->kind, i->frame, i->RoomX, i->RoomY});
  for (auto t : statuses_list.Each<bbstatuses>())
    s.objects.push_back({t->x, t->y, t->frame, t->roomx, t->roomy});
  s.objects.push_back({static_cast<int>(Weapons_list.Count())});
  const bbPlayers& p = *Player;
  s.objects.push_back({p.X, p.Y, p.RoomX, p.RoomY, p.Exist, p.Frame});
  const bbExitDoors& d = *Exitdoor;
  s.objects.push_back({d.x, d.y, d.Frame, d.State, d.roomx, d.roomy});
  return s;
}

namespace {
// Frame f of the picture in colours[f], the last colour for the frames past the list.
media::Image Plain(int w, int h, int frames, std::vector<media::Pixel> colours) {
  media::Image img = media::CreateImage(w, h, frames);
  for (int f = 0; f < frames; f++) {
    media::Pixmap p = media::LockImage(img, f);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++)
        media::WritePixel(p, x, y, colours[std::min<int>(f, colours.size() - 1)]);
    media::UnlockImage(img, f);
  }
  return img;
}
}  // namespace

void MakeScreenPictures() {
  media::Graphics(800, 600, 0, 60);
  media::ResetGraphicsState();
  optAlpha = Plain(16, 16, 59, {kWhite});
  optAlpha2 = Plain(16, 16, 59, {0xFF808080});
  imgFont = Plain(8, 16, 95, {kYellow});
  for (int& w : widthTable) w = 8;
  Back = Plain(8, 8, 12, {0xFF101010});
  ItemSprite = Plain(4, 4, 64, {0xFF00FFFF});
  Buttons = Plain(75, 75, 3, {kHighlight, kNormal, kFinished});
}

void OnFrames(std::function<void(int frame)> each, int limit) {
  media::headless::OnFlip([each, limit](int frame) {
    each(frame);
    return frame < limit;
  });
}

media::Pixel Shown(int x, int y) {
  return media::ShownPixels()[y * 800 + x];
}

}  // namespace stagetest

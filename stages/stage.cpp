#include "stages/stage.h"

#include <algorithm>
#include <cstdio>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/files.h"

stagefile::Check LastStageCheck;
std::string LastStageFile;

void ResetStageReader() {
  LastStageCheck = {};
  LastStageFile.clear();
}

std::string StageFolder() {
  if ((User != 0 && Tutorial == 0) || (Game && Game->State == GameState::Editor))
    return "PlayerLevels/";
  return "Levels/";
}

namespace {

// Opens the stage for reading and writing (exact letter case, writable) and reads it whole.
stagefile::Check ReadStage(const std::string& path, const std::string& file, stagefile::Data& out) {
  media::Stream in = file.empty() ? nullptr : media::OpenFile(path);
  if (!in) return {stagefile::Fault::Missing, "the file cannot be opened"};
  int size = std::max(0, media::StreamSize(in));
  int want = std::min<int>(size, static_cast<int>(stagefile::kMaxFileBytes));
  std::vector<unsigned char> bytes;
  bytes.reserve(want);
  for (int i = 0; i < want && !media::Eof(in); i++)
    bytes.push_back(static_cast<unsigned char>(media::ReadByte(in)));
  media::CloseFile(in);
  return stagefile::Decode(bytes, out);
}

template <class T>
void RemoveAll(media::TList& list) {
  for (auto obj : list.Each<T>()) obj->Remove();
}

}  // namespace

stagefile::Check CheckStageFile(const std::string& name) {
  std::string file = media::StripDir(name);
  stagefile::Data scratch;
  return ReadStage(Path + StageFolder() + file, file, scratch);
}

int StageFaultLine(const stagefile::Check& check) {
  switch (check.fault) {
    case stagefile::Fault::None:
      return -1;
    case stagefile::Fault::Missing:
      return 59;
    default:
      return 58;
  }
}

void CommitStage(const stagefile::Data& s) {
  const bool play = EditMode == 0;
  for (int rx = 0; rx < 6; rx++)
    for (int ry = 0; ry < 6; ry++) Rooms[rx][ry] = 0;
  RemoveAll<bbEnemies>(Enemies_list);
  RemoveAll<bbItems>(Items_list);
  RemoveAll<bbTraps>(Traps_list);
  RemoveAll<bbstatuses>(statuses_list);
  RemoveAll<bbWeapons>(Weapons_list);

  NumOfRooms = static_cast<int>(s.roomRecords.size());
  for (const auto& r : s.roomRecords) Rooms[r[0]][r[1]] = 1;
  for (int ry = 0; ry < 6; ry++)
    for (int rx = 0; rx < 6; rx++)
      for (int row = 0; row < kRoomRows; row++)
        for (int column = 0; column < kRoomCols; column++)
          Stage[kRoomCols * rx + column][kRoomRows * ry + row] =
              Rooms[rx][ry] != 0 ? s.Cell(rx, ry, column, row) : 0;

  numofenemies = static_cast<int>(s.enemies.size());
  for (const auto& r : s.enemies) {
    auto e = New<bbEnemies>();
    e->x = r.x, e->y = r.y, e->Kind = r.Kind, e->frame = r.frame;
    e->OriginRoomX = r.OriginRoomX, e->OriginRoomY = r.OriginRoomY;
    e->RoomX = r.OriginRoomX, e->RoomY = r.OriginRoomY;
    e->CoffineX = r.x * kCell;
    e->CoffineY = (r.y - 1) * kCell;
    if (play) {
      e->x = r.OriginRoomX * kRoomCols * kCell + r.x * kCell;
      e->y = r.OriginRoomY * kRoomRows * kCell + r.y * kCell;
    }
  }

  numoftraps = static_cast<int>(s.traps.size());
  for (const auto& r : s.traps) {
    auto t = New<bbTraps>();
    t->X = r.X, t->Y = r.Y, t->Kind = r.Kind, t->Frame = r.Frame, t->Height = r.Height;
    t->Roomx = r.Roomx, t->Roomy = r.Roomy;
    if (play && t->Kind == TrapKind::WallTrap) t->Y = t->Y + t->Height;
  }

  numofitems = static_cast<int>(s.items.size());
  for (const auto& r : s.items) {
    auto it = New<bbItems>();
    it->X = r.X, it->Y = r.Y, it->kind = r.kind, it->frame = r.frame;
    it->RoomX = r.RoomX, it->RoomY = r.RoomY;
  }

  Player->X = s.playerX, Player->Y = s.playerY;
  Player->RoomX = s.playerRoomX, Player->RoomY = s.playerRoomY;
  RoomX = Player->RoomX, RoomY = Player->RoomY;
  if (play) {
    Player->X = s.playerX * kCell, Player->Y = s.playerY * kCell;
    PlayerX = Player->X, PlayerY = Player->Y;
  }
  Player->Exist = 1;
  Player->Frame = 6;

  Exitdoor->x = s.doorX, Exitdoor->y = s.doorY, Exitdoor->Frame = s.doorFrame;
  Exitdoor->roomx = s.doorRoomX, Exitdoor->roomy = s.doorRoomY;
  Exitdoor->State = DoorState::Shut;
  NumOfGold = Exitdoor->Frame;

  Worldtheme = s.Worldtheme;
  BackGround = s.BackGround;
  numofstatus = static_cast<int>(s.statues.size());
  for (const auto& r : s.statues) {
    auto st = New<bbstatuses>();
    st->x = r.x, st->y = r.y, st->frame = r.frame, st->roomx = r.roomx, st->roomy = r.roomy;
  }
}

int LoadStage(const std::string& name) {
  std::string folder = Path + StageFolder();
  media::ChangeDir(folder);
  std::string file = media::StripDir(name);
  LastStageFile = folder + file;
  stagefile::Data scratch;
  LastStageCheck = ReadStage(LastStageFile, file, scratch);
  if (LastStageCheck.fault == stagefile::Fault::Missing) {
    SN.clear();
  } else {
    SN = file;
  }
  if (!LastStageCheck.ok()) {
    std::fprintf(stderr, "Quillmire: stage file \"%s\" refused: %s\n", LastStageFile.c_str(),
                 LastStageCheck.what.c_str());
    return 0;
  }
  if (!Player || !Exitdoor) return 0;
  CommitStage(scratch);
  return 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetStageReader);
}  // namespace

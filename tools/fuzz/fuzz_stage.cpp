// The stage reader: LoadStage of a file holding the input, over a sound stage loaded first, in
// play mode (inputs of even length) and editor mode (odd length).
#include <algorithm>

#include "core/globals.h"
#include "core/objects.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "stage";

// Everything LoadStage may change.
std::vector<int> Take() {
  std::vector<int> w = {NumOfRooms,      numofenemies,    numoftraps,      numofitems,
                        numofstatus,     NumOfGold,       RoomX,           RoomY,
                        PlayerX,         PlayerY,         Worldtheme,      BackGround,
                        Player->X,       Player->Y,       Player->RoomX,   Player->RoomY,
                        Player->Exist,   Player->Frame,   Exitdoor->x,     Exitdoor->y,
                        Exitdoor->Frame, Exitdoor->roomx, Exitdoor->roomy, Exitdoor->State};
  for (auto& column : Stage) w.insert(w.end(), column, column + kStageRows);
  for (auto& column : Rooms) w.insert(w.end(), column, column + 7);
  for (auto e : Enemies_list.Each<bbEnemies>())
    w.insert(w.end(), {e->x, e->y, e->Kind, e->frame, e->OriginRoomX, e->OriginRoomY, e->RoomX,
                       e->RoomY, e->CoffineX, e->CoffineY});
  for (auto t : Traps_list.Each<bbTraps>())
    w.insert(w.end(), {t->X, t->Y, t->Kind, t->Frame, t->Height, t->Roomx, t->Roomy});
  for (auto it : Items_list.Each<bbItems>())
    w.insert(w.end(), {it->X, it->Y, it->kind, it->frame, it->RoomX, it->RoomY});
  for (auto s : statuses_list.Each<bbstatuses>())
    w.insert(w.end(), {s->x, s->y, s->frame, s->roomx, s->roomy});
  w.push_back(Weapons_list.Count());
  return w;
}

bool RoomOk(int rx, int ry) {
  return rx >= 0 && rx < 6 && ry >= 0 && ry < 6;
}

// w x h cells from (column, row) of the whole grid lie inside it.
bool InGrid(int column, int row, int w, int h) {
  return column >= 0 && row >= 0 && column + w <= kStageCols && row + h <= kStageRows;
}

// The cells of the file as laid out, read without the decoder: true when they match Stage.
bool CellsMatch(const std::vector<std::uint8_t>& bytes) {
  const int rooms = bytes[4];
  bool exists[6][6] = {};
  for (int i = 0; i < rooms; i++) exists[bytes[5 + 2 * i]][bytes[6 + 2 * i]] = true;
  std::size_t at = 5 + 2 * static_cast<std::size_t>(rooms);
  for (int ry = 0; ry < 6; ry++)
    for (int rx = 0; rx < 6; rx++)
      for (int row = 0; row < kRoomRows; row++)
        for (int column = 0; column < kRoomCols; column++)
          if (Stage[rx * kRoomCols + column][ry * kRoomRows + row] !=
              (exists[rx][ry] ? bytes[at++] : 0))
            return false;
  return true;
}

void CheckLoaded(const std::vector<std::uint8_t>& bytes, bool play) {
  stagefile::Data d;
  FUZZ_CHECK(kName, stagefile::Decode(bytes, d).ok(), "a loaded stage decodes");
  const std::vector<unsigned char> again = stagefile::Encode(d);
  FUZZ_CHECK(kName,
             again.size() <= bytes.size() && std::equal(again.begin(), again.end(), bytes.begin()),
             "a loaded stage encodes back to the bytes it came from");
  FUZZ_CHECK(kName, NumOfRooms == bytes[4], "NumOfRooms is the file's count");
  FUZZ_CHECK(kName, CellsMatch(bytes), "the cell grid holds the file's cells");
  FUZZ_CHECK(kName,
             numofenemies == Enemies_list.Count() && numoftraps == Traps_list.Count() &&
                 numofitems == Items_list.Count() && numofstatus == statuses_list.Count(),
             "the counts are the lists'");
  FUZZ_CHECK(kName, Weapons_list.Count() == 0, "no weapon survives a load");
  FUZZ_CHECK(kName, Worldtheme >= 0 && Worldtheme <= 5 && BackGround >= 0 && BackGround <= 11,
             "theme and backdrop in range");
  FUZZ_CHECK(kName, RoomOk(RoomX, RoomY), "the shown room is one of the 36");
  // w x h cells from (x, y) of room (rx, ry) lie inside the grid.
  auto inside = [](int rx, int ry, int x, int y, int w, int h) {
    return RoomOk(rx, ry) && InGrid(rx * kRoomCols + x, ry * kRoomRows + y, w, h);
  };
  const int cell = play ? kCell : 1;  // play keeps pixels, the editor cells
  bool ok = inside(Player->RoomX, Player->RoomY, Player->X / cell, Player->Y / cell, 2, 2) &&
            inside(Exitdoor->roomx, Exitdoor->roomy, Exitdoor->x, Exitdoor->y, 4, 4);
  for (auto e : Enemies_list.Each<bbEnemies>())  // play places enemies on the whole grid
    ok = ok &&
         (play ? RoomOk(e->OriginRoomX, e->OriginRoomY) && InGrid(e->x / kCell, e->y / kCell, 2, 2)
               : inside(e->OriginRoomX, e->OriginRoomY, e->x, e->y, 2, 2));
  for (auto t : Traps_list.Each<bbTraps>()) ok = ok && inside(t->Roomx, t->Roomy, t->X, t->Y, 1, 1);
  for (auto i : Items_list.Each<bbItems>()) ok = ok && inside(i->RoomX, i->RoomY, i->X, i->Y, 1, 1);
  for (auto s : statuses_list.Each<bbstatuses>())
    ok = ok && inside(s->roomx, s->roomy, s->x, s->y, 1, 1);
  FUZZ_CHECK(kName, ok, "every object, the player and the door inside the grid");
  FUZZ_CHECK(kName, NumOfGold == Exitdoor->Frame, "the gold to collect is the door's");
}

}  // namespace

int FuzzStage(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  // Decoding the whole input straight from memory is as safe as through the file.
  const std::vector<std::uint8_t> all(data, data + size);
  stagefile::Data direct;
  if (stagefile::Decode(all, direct).ok()) {
    const auto again = stagefile::Encode(direct);
    FUZZ_CHECK(kName, again.size() <= size && std::equal(again.begin(), again.end(), all.begin()),
               "a decoded stage encodes back to its bytes");
  }
  // The reader never looks past the longest layout; neither does this check.
  const std::vector<std::uint8_t> bytes(data, data + std::min(size, stagefile::kMaxFileBytes));
  const bool sound = stagefile::Decode(bytes, direct).ok();
  FreshWorld();
  EditMode = static_cast<int>(size & 1);
  static const stagefile::Data baseline = BaselineStage();
  CommitStage(baseline);
  const std::vector<int> before = Take();
  if (!WriteRootFile("Levels/fuzz", bytes)) return 0;
  const stagefile::Check checked = CheckStageFile("fuzz");
  LoadStage("fuzz");
  SetTaken(LastStageCheck.ok());
  FUZZ_CHECK(kName, checked.fault == LastStageCheck.fault, "CheckStageFile agrees with LoadStage");
  FUZZ_CHECK(kName, LastStageCheck.ok() == sound, "the file reads as its bytes decode");
  FUZZ_CHECK(kName, SN == "fuzz", "the stage name is kept");
  if (!sound) {
    FUZZ_CHECK(kName, Take() == before, "a refused stage leaves the world as it was");
    FUZZ_CHECK(kName, !LastStageCheck.what.empty(), "a refusal says why");
    FUZZ_CHECK(kName, StageFaultLine(LastStageCheck) == 58, "a bad file gets line 58");
    return 0;
  }
  if (bytes.size() >= 5) CheckLoaded(bytes, EditMode == 0);
  FUZZ_CHECK(kName, bytes.size() >= 5, "a loaded stage has its header");
  return 0;
}

}  // namespace fuzz

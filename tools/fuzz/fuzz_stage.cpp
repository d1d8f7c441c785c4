// The stage reader: LoadStage of a file holding the input, over a sound stage loaded first, in
// play and in editor mode.
#include <algorithm>

#include "core/globals.h"
#include "core/objects.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_seeds.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "stage";

// Everything LoadStage may change.
struct World {
  std::vector<int> cells, rooms, values;
  std::vector<std::vector<int>> objects;
  bool operator==(const World&) const = default;
};

World Take() {
  World w;
  for (auto& column : Stage) w.cells.insert(w.cells.end(), column, column + kStageRows);
  for (auto& column : Rooms) w.rooms.insert(w.rooms.end(), column, column + 7);
  w.values = {NumOfRooms,      numofenemies,    numoftraps,      numofitems,     numofstatus,
              NumOfGold,       RoomX,           RoomY,           PlayerX,        PlayerY,
              Worldtheme,      BackGround,      Player->X,       Player->Y,      Player->RoomX,
              Player->RoomY,   Player->Exist,   Player->Frame,   Exitdoor->x,    Exitdoor->y,
              Exitdoor->Frame, Exitdoor->roomx, Exitdoor->roomy, Exitdoor->State};
  for (auto e : Enemies_list.Each<bbEnemies>())
    w.objects.push_back({0, e->x, e->y, e->Kind, e->frame, e->OriginRoomX, e->OriginRoomY, e->RoomX,
                         e->RoomY, e->CoffineX, e->CoffineY});
  for (auto t : Traps_list.Each<bbTraps>())
    w.objects.push_back({1, t->X, t->Y, t->Kind, t->Frame, t->Height, t->Roomx, t->Roomy});
  for (auto it : Items_list.Each<bbItems>())
    w.objects.push_back({2, it->X, it->Y, it->kind, it->frame, it->RoomX, it->RoomY});
  for (auto s : statuses_list.Each<bbstatuses>())
    w.objects.push_back({3, s->x, s->y, s->frame, s->roomx, s->roomy});
  for (auto wp : Weapons_list.Each<bbWeapons>()) w.objects.push_back({4, wp->x, wp->y});
  return w;
}

bool RoomOk(int rx, int ry) {
  return rx >= 0 && rx < 6 && ry >= 0 && ry < 6;
}

template <class T>
int Count(media::TList& list) {
  int n = 0;
  for (auto obj : list.Each<T>()) n += obj ? 1 : 0;
  return n;
}

// The cells of the file as laid out, read without the decoder: true when they match Stage.
bool CellsMatch(const std::vector<std::uint8_t>& bytes) {
  int rooms = bytes[4];
  bool exists[6][6] = {};
  for (int i = 0; i < rooms; i++) exists[bytes[5 + 2 * i]][bytes[6 + 2 * i]] = true;
  std::size_t at = 5 + 2 * static_cast<std::size_t>(rooms);
  for (int ry = 0; ry < 6; ry++)
    for (int rx = 0; rx < 6; rx++)
      for (int row = 0; row < kRoomRows; row++)
        for (int column = 0; column < kRoomCols; column++) {
          int want = exists[rx][ry] ? bytes[at++] : 0;
          if (Stage[rx * kRoomCols + column][ry * kRoomRows + row] != want) return false;
        }
  return true;
}

void CheckLoaded(const std::vector<std::uint8_t>& bytes, bool play) {
  stagefile::Data d;
  FUZZ_CHECK(kName, stagefile::Decode(bytes, d).ok(), "a loaded stage decodes");
  std::vector<unsigned char> again = stagefile::Encode(d);
  FUZZ_CHECK(kName,
             again.size() <= bytes.size() && std::equal(again.begin(), again.end(), bytes.begin()),
             "a loaded stage encodes back to the bytes it came from");
  FUZZ_CHECK(kName, NumOfRooms == bytes[4], "NumOfRooms is the file's count");
  FUZZ_CHECK(kName, CellsMatch(bytes), "the cell grid holds the file's cells");
  FUZZ_CHECK(kName, numofenemies == Count<bbEnemies>(Enemies_list), "enemy count");
  FUZZ_CHECK(kName, numoftraps == Count<bbTraps>(Traps_list), "trap count");
  FUZZ_CHECK(kName, numofitems == Count<bbItems>(Items_list), "item count");
  FUZZ_CHECK(kName, numofstatus == Count<bbstatuses>(statuses_list), "statue count");
  FUZZ_CHECK(kName, Count<bbWeapons>(Weapons_list) == 0, "no weapon survives a load");
  FUZZ_CHECK(kName, Worldtheme >= 0 && Worldtheme <= 5, "theme in range");
  FUZZ_CHECK(kName, BackGround >= 0 && BackGround <= 11, "backdrop in range");
  FUZZ_CHECK(kName, RoomOk(RoomX, RoomY), "the shown room is one of the 36");
  const int cell = play ? kCell : 1;
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    FUZZ_CHECK(kName, RoomOk(e->OriginRoomX, e->OriginRoomY), "enemy room");
    int column = play ? e->x / kCell : e->OriginRoomX * kRoomCols + e->x;
    int row = play ? e->y / kCell : e->OriginRoomY * kRoomRows + e->y;
    FUZZ_CHECK(kName, column >= 0 && row >= 0 && column + 2 <= kStageCols && row + 2 <= kStageRows,
               "enemy inside the grid");
  }
  for (auto t : Traps_list.Each<bbTraps>()) {
    FUZZ_CHECK(kName, RoomOk(t->Roomx, t->Roomy), "trap room");
    FUZZ_CHECK(kName, t->Roomx * kRoomCols + t->X < kStageCols, "trap column inside the grid");
    FUZZ_CHECK(kName, t->Roomy * kRoomRows + t->Y < kStageRows, "trap row inside the grid");
  }
  for (auto it : Items_list.Each<bbItems>()) {
    FUZZ_CHECK(kName, RoomOk(it->RoomX, it->RoomY), "item room");
    FUZZ_CHECK(
        kName,
        it->RoomX * kRoomCols + it->X < kStageCols && it->RoomY * kRoomRows + it->Y < kStageRows,
        "item inside the grid");
  }
  for (auto s : statuses_list.Each<bbstatuses>()) {
    FUZZ_CHECK(kName, RoomOk(s->roomx, s->roomy), "statue room");
    FUZZ_CHECK(kName,
               s->roomx * kRoomCols + s->x < kStageCols && s->roomy * kRoomRows + s->y < kStageRows,
               "statue inside the grid");
  }
  FUZZ_CHECK(kName, RoomOk(Player->RoomX, Player->RoomY), "player room");
  int px = Player->X / cell, py = Player->Y / cell;
  FUZZ_CHECK(kName,
             Player->RoomX * kRoomCols + px + 2 <= kStageCols &&
                 Player->RoomY * kRoomRows + py + 2 <= kStageRows,
             "player inside the grid");
  FUZZ_CHECK(kName, RoomOk(Exitdoor->roomx, Exitdoor->roomy), "door room");
  FUZZ_CHECK(kName,
             Exitdoor->roomx * kRoomCols + Exitdoor->x + 4 <= kStageCols &&
                 Exitdoor->roomy * kRoomRows + Exitdoor->y + 4 <= kStageRows,
             "door inside the grid");
  FUZZ_CHECK(kName, NumOfGold == Exitdoor->Frame, "the gold to collect is the door's");
}

void RunMode(const std::vector<std::uint8_t>& bytes, int mode, bool sound) {
  FreshWorld();
  EditMode = mode;
  // The stage in memory before the input: the baseline, put in place as the reader does.
  static const stagefile::Data baseline = BaselineStage();
  CommitStage(baseline);
  World before;
  if (!sound) before = Take();
  if (!WriteRootFile("Levels/fuzz", bytes)) return;
  const stagefile::Check checked = CheckStageFile("fuzz");
  LoadStage("fuzz");
  FUZZ_CHECK(kName, checked.fault == LastStageCheck.fault, "CheckStageFile agrees with LoadStage");
  FUZZ_CHECK(kName, LastStageCheck.ok() == sound, "the file reads as its bytes decode");
  FUZZ_CHECK(kName, LastStageCheck.fault != stagefile::Fault::Missing, "the file was there");
  FUZZ_CHECK(kName, SN == "fuzz", "the stage name is kept");
  if (!LastStageCheck.ok()) {
    FUZZ_CHECK(kName, sound || Take() == before, "a refused stage leaves the world as it was");
    FUZZ_CHECK(kName, !LastStageCheck.what.empty(), "a refusal says why");
    FUZZ_CHECK(kName, StageFaultLine(LastStageCheck) == 58, "a bad file gets line 58");
    return;
  }
  FUZZ_CHECK(kName, bytes.size() >= 5, "a loaded stage has its header");
  if (bytes.size() < 5) return;
  CheckLoaded(bytes, mode == 0);
}

}  // namespace

int FuzzStage(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  // The reader never looks past the longest layout; neither does this check.
  std::vector<std::uint8_t> all(data, data + size);
  std::vector<std::uint8_t> read(data, data + std::min(size, stagefile::kMaxFileBytes));
  // Decoding the whole input straight from memory must be as safe as through the file.
  stagefile::Data direct;
  stagefile::Check c = stagefile::Decode(all, direct);
  if (c.ok()) {
    auto again = stagefile::Encode(direct);
    FUZZ_CHECK(kName,
               again.size() <= all.size() && std::equal(again.begin(), again.end(), all.begin()),
               "a decoded stage encodes back to its bytes");
  }
  // Play mode for inputs of even length, the editor's cells for odd ones.
  stagefile::Data scratch;
  RunMode(read, static_cast<int>(size & 1), stagefile::Decode(read, scratch).ok());
  return 0;
}

}  // namespace fuzz

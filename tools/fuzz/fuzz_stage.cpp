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

// w x h cells from (x, y) of room (rx, ry) lie inside the grid.
bool Inside(int rx, int ry, int x, int y, int w, int h) {
  const int column = rx * kRoomCols + x, row = ry * kRoomRows + y;
  return rx >= 0 && rx < 6 && ry >= 0 && ry < 6 && column >= 0 && row >= 0 &&
         column + w <= kStageCols && row + h <= kStageRows;
}

void CheckLoaded(const std::vector<std::uint8_t>& bytes, bool play) {
  FUZZ_CHECK(kName, NumOfRooms == bytes[4], "NumOfRooms is the file's count");
  FUZZ_CHECK(kName,
             numofenemies == Enemies_list.Count() && numoftraps == Traps_list.Count() &&
                 numofitems == Items_list.Count() && numofstatus == statuses_list.Count() &&
                 Weapons_list.Count() == 0,
             "the counts are the lists', and no weapon survives a load");
  FUZZ_CHECK(kName, Worldtheme >= 0 && Worldtheme <= 5 && BackGround >= 0 && BackGround <= 11,
             "theme and backdrop in range");
  const int cell = play ? kCell : 1;  // play keeps pixels, the editor cells
  bool ok = Inside(RoomX, RoomY, 0, 0, 1, 1) &&
            Inside(Player->RoomX, Player->RoomY, Player->X / cell, Player->Y / cell, 2, 2) &&
            Inside(Exitdoor->roomx, Exitdoor->roomy, Exitdoor->x, Exitdoor->y, 4, 4);
  for (auto e : Enemies_list.Each<bbEnemies>())  // play places enemies on the whole grid
    ok = ok && (play ? Inside(e->OriginRoomX, e->OriginRoomY, 0, 0, 1, 1) &&
                           Inside(0, 0, e->x / kCell, e->y / kCell, 2, 2)
                     : Inside(e->OriginRoomX, e->OriginRoomY, e->x, e->y, 2, 2));
  for (auto t : Traps_list.Each<bbTraps>()) ok = ok && Inside(t->Roomx, t->Roomy, t->X, t->Y, 1, 1);
  for (auto i : Items_list.Each<bbItems>()) ok = ok && Inside(i->RoomX, i->RoomY, i->X, i->Y, 1, 1);
  for (auto s : statuses_list.Each<bbstatuses>())
    ok = ok && Inside(s->roomx, s->roomy, s->x, s->y, 1, 1);
  FUZZ_CHECK(kName, ok, "every object, the player and the door inside the grid");
  FUZZ_CHECK(kName, NumOfGold == Exitdoor->Frame, "the gold to collect is the door's");
}

}  // namespace

int FuzzStage(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  // The reader never looks past the longest layout; a stage it takes encodes back to its bytes.
  const std::vector<std::uint8_t> bytes(data, data + std::min(size, stagefile::kMaxFileBytes));
  stagefile::Data direct;
  const bool sound = stagefile::Decode(bytes, direct).ok();
  const auto again = stagefile::Encode(direct);
  FUZZ_CHECK(kName,
             !sound || (again.size() <= bytes.size() &&
                        std::equal(again.begin(), again.end(), bytes.begin())),
             "a decoded stage encodes back to its bytes");
  FreshWorld();
  EditMode = static_cast<int>(size & 1);
  static const stagefile::Data baseline = BaselineStage();
  CommitStage(baseline);
  if (!WriteRootFile("Levels/fuzz", bytes)) return 0;
  const stagefile::Check checked = CheckStageFile("fuzz");
  LoadStage("fuzz");
  SetTaken(LastStageCheck.ok());
  FUZZ_CHECK(kName, checked.fault == LastStageCheck.fault, "CheckStageFile agrees with LoadStage");
  FUZZ_CHECK(kName, LastStageCheck.ok() == sound && SN == "fuzz",
             "the file reads as its bytes decode, under its name");
  if (!sound) {
    FUZZ_CHECK(kName, numoftraps == 5 && NumOfRooms == 2, "a refused stage leaves the world");
    FUZZ_CHECK(kName, !LastStageCheck.what.empty() && StageFaultLine(LastStageCheck) == 58,
               "a refusal says why, on line 58");
    return 0;
  }
  FUZZ_CHECK(kName, bytes.size() >= 5, "a loaded stage has its header");
  if (bytes.size() >= 5) CheckLoaded(bytes, EditMode == 0);
  return 0;
}

}  // namespace fuzz

#include "editor/rooms.h"

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/screen.h"
#include "media/media.h"

namespace {

// The black bar the questions leave empty under the panel, shown before asking.
void QuestionBar() {
  media::FlushKeys();
  media::SetColor(0, 0, 0);
  media::DrawRect(90, 548, 550, 22);
  media::SetColor(255, 255, 255);
  media::Flip(-1);
}

}  // namespace

int DeleteRoom(int rx, int ry) {
  for (int r = 0; r < kRoomRows; ++r)
    for (int c = 0; c < kRoomCols; ++c) Stage[rx * kRoomCols + c][ry * kRoomRows + r] = 0;
  if (Rooms[rx][ry] == 1) NumOfRooms -= 1;
  Rooms[rx][ry] = 0;
  if (NumOfRooms < 1) {
    NumOfRooms = 1;
    Rooms[0][0] = 1;
  }
  for (auto i : Items_list.Each<bbItems>()) {
    item = i;
    if (i->RoomX != rx || i->RoomY != ry) continue;
    numofitems -= 1;
    if (i->kind == ItemKind::Gold) {
      NumOfGold -= 1;
      Exitdoor->Frame = NumOfGold < 0 ? 0 : NumOfGold;
    }
    i->Remove();
  }
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (e->OriginRoomX != rx || e->OriginRoomY != ry) continue;
    e->Remove();
    numofenemies -= 1;
  }
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (t->Roomx != rx || t->Roomy != ry) continue;
    t->Remove();
    numoftraps -= 1;
  }
  for (auto s : statuses_list.Each<bbstatuses>()) {
    status = s;
    if (s->roomx != rx || s->roomy != ry) continue;
    s->Remove();
    numofstatus -= 1;
  }
  if (Exitdoor->roomx == rx && Exitdoor->roomy == ry) Exitdoor->State = DoorState::None;
  if (Player->RoomX == rx && Player->RoomY == ry) Player->Exist = 0;
  return 0;
}

int DeleteOneRoom() {
  ShowPanel();
  media::Flip(-1);
  ShowPanel();
  QuestionBar();
  if (IsYes(Input(Lang[60]))) {
    DeleteRoom(RoomX, RoomY);
    SN.clear();
  }
  return 0;
}

int DeleteAll() {
  QuestionBar();
  if (IsYes(Input(Lang[121]))) {
    for (int ry = 0; ry < 6; ++ry)
      for (int rx = 0; rx < 6; ++rx) DeleteRoom(rx, ry);
    SN.clear();
  }
  return 0;
}

int DrawBorder(int second, int tool) {
  const int code = tool <= 1 ? CellCode::Block : CellCode::Brick;
  const int left = RoomX * kRoomCols, top = RoomY * kRoomRows;
  auto ring = [&](int inset) {
    for (int c = 0; c < kRoomCols; ++c) {
      Stage[left + c][top + inset] = code;
      Stage[left + c][top + kRoomRows - 1 - inset] = code;
    }
    for (int r = 0; r < kRoomRows; ++r) {
      Stage[left + inset][top + r] = code;
      Stage[left + kRoomCols - 1 - inset][top + r] = code;
    }
  };
  ring(0);
  if (second > 0) ring(1);
  return 0;
}

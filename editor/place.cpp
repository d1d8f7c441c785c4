#include "editor/place.h"

#include <cstdlib>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/media.h"

namespace {

constexpr int kLastRunRow = 22;  // runs of empty cells down a column stop after this row

bool InRange(int v, int low, int high) {
  return v >= low && v <= high;
}

bool RoomExists() {
  return Rooms[RoomX][RoomY] == 1;
}

// The number of empty cells of column c from row `from` down, up to row 22.
int EmptyRun(int c, int from) {
  int n = 0;
  for (int r = from; r <= kLastRunRow && EditCell(c, r) == CellCode::Empty; ++r) ++n;
  return n;
}

void NewItem(int kind, int mx, int my) {
  auto it = New<bbItems>();
  it->X = mx / kCell, it->Y = my / kCell;
  it->kind = kind;
  it->frame = kind * 8;
  it->RoomX = RoomX, it->RoomY = RoomY;
  numofitems += 1;
}

void ClearTrapCells(const bbTraps& t, int h) {
  switch (t.Kind) {
    case TrapKind::Crumble:
      for (int c = t.X; c <= t.X + 3; ++c) SetEditCell(c, t.Y + 1, CellCode::Empty);
      break;
    case TrapKind::Stone:
      for (int dr = 0; dr < 2; ++dr)
        for (int dc = 0; dc < 2; ++dc) SetEditCell(t.X + dc, t.Y + dr, CellCode::Empty);
      break;
    case TrapKind::VanishLadder:
      for (int r = t.Y; r <= t.Y + h - 1; ++r)
        SetEditCell(t.X, r, CellCode::Empty), SetEditCell(t.X + 1, r, CellCode::Empty);
      SetEditCell(t.X, t.Y, CellCode::Empty), SetEditCell(t.X + 1, t.Y, CellCode::Empty);
      break;
    case TrapKind::TwoWayLeft:
    case TrapKind::OneWayLeft:
      for (int r = t.Y; r <= t.Y + h - 2; ++r) SetEditCell(t.X + 1, r, CellCode::Empty);
      break;
    case TrapKind::TwoWayRight:
    case TrapKind::OneWayRight:
      for (int r = t.Y; r <= t.Y + h - 2; ++r) SetEditCell(t.X, r, CellCode::Empty);
      break;
    default:
      break;
  }
}

}  // namespace

int EditCell(int c, int r) {
  const int col = RoomX * kRoomCols + c, row = RoomY * kRoomRows + r;
  if (col < 0 || col >= kStageCols || row < 0 || row >= kStageRows) return 0;
  return Stage[col][row];
}

void SetEditCell(int c, int r, int code) {
  const int col = RoomX * kRoomCols + c, row = RoomY * kRoomRows + r;
  if (col < 0 || col >= kStageCols || row < 0 || row >= kStageRows) return;
  Stage[col][row] = code;
}

void PlaceTrap(int tool, int c, int r) {
  auto t = New<bbTraps>();
  t->X = c, t->Y = r;
  t->Kind = tool - 11;
  t->Roomx = RoomX, t->Roomy = RoomY;
  t->ID = numoftraps + 5;
  numoftraps += 1;
  t->Frame = tool + 12;
  switch (t->Kind) {
    case TrapKind::WallTrap:
      t->Height = EmptyRun(c, r + 2);
      break;
    case TrapKind::VanishLadder: {
      const int run = EmptyRun(c, r);
      for (int row = r; row < r + run; ++row)
        SetEditCell(c, row, CellCode::VanishLadder), SetEditCell(c + 1, row, CellCode::LadderRight);
      t->Height = run;
      SetEditCell(c, r, CellCode::VanishLadder);
      SetEditCell(c + 1, r, CellCode::LadderRight);
      break;
    }
    case TrapKind::Crumble:
      t->Y = r - 1;
      for (int col = c; col <= c + 3; ++col) SetEditCell(col, r, CellCode::Solid88);
      break;
    case TrapKind::Stone:
      for (int dr = 0; dr < 2; ++dr)
        for (int dc = 0; dc < 2; ++dc) SetEditCell(c + dc, r + dr, CellCode::Block);
      break;
    default: {  // the doors
      int set = 0;
      for (int row = r; row <= r + 3 && EditCell(c, row) == CellCode::Empty; ++row) {
        SetEditCell(c, row, CellCode::Block);
        ++set;
      }
      t->Height = 1 + set;
      const int h = t->Height;
      if (t->Kind == TrapKind::TwoWayLeft) t->X = c - 1, t->Frame = 4 * h - 12;
      if (t->Kind == TrapKind::TwoWayRight) t->Frame = 4 * h - 9;
      if (t->Kind == TrapKind::OneWayLeft) t->X = c - 1, t->Frame = 4 * h;
      if (t->Kind == TrapKind::OneWayRight) t->Frame = 4 * h + 3;
      break;
    }
  }
}

void PlaceObject(const EditorLoop& loop, int mx, int my) {
  if (!RoomExists()) return;
  const int tool = loop.tool;
  const int c = loop.sx / kCell, r = loop.sy / kCell;
  // Items are counted in one byte of the stage file: the 256th is refused.
  const bool itemRoom = numofitems < kMaxFileObjects;
  if (tool >= 4 && tool <= 9 && InRange(mx, 9, 755) && InRange(my, 9, 509) && itemRoom) {
    NewItem(tool - 4, mx, my);
  } else if (tool == 10 && InRange(mx, 9, 755) && InRange(my, 9, 509) && NumOfGold <= 15 &&
             itemRoom) {
    NewItem(ItemKind::Gold, mx, my);
    NumOfGold += 1;
    Exitdoor->Frame = NumOfGold;
  } else if ((tool == 25 || tool == 26) && InRange(mx, 9, 755) && InRange(my, 17, 509) &&
             numofstatus <= 35) {
    auto s = New<bbstatuses>();
    s->x = c, s->y = r, s->frame = tool - 25;
    s->roomx = RoomX, s->roomy = RoomY;
    numofstatus += 1;
  } else if (tool >= 19 && tool <= 22 && InRange(mx, 25, 755) && InRange(my, 49, 509) &&
             numofenemies <= 35) {
    auto e = New<bbEnemies>();
    e->Kind = tool - 19;
    e->x = c, e->y = r;
    e->CoffineX = c * kCell, e->CoffineY = (r - 1) * kCell;
    e->OriginRoomX = RoomX, e->OriginRoomY = RoomY;
    e->frame = tool == 22 ? 14 : 2 * tool - 16;
    numofenemies += 1;
  } else if (tool >= 11 && tool <= 18 && InRange(mx, 25, 755) && InRange(my, 25, 509) &&
             numoftraps <= 71 && EditCell(c, r) == CellCode::Empty &&
             EditCell(c, r + 1) == CellCode::Empty) {
    PlaceTrap(tool, c, r);
  } else if (tool == 23 && InRange(mx, 25, 755) && InRange(my, 49, 509)) {
    Player->RoomX = RoomX, Player->RoomY = RoomY;
    Player->Exist = 1;
    Player->X = PlayerX = c;
    Player->Y = PlayerY = r;
  } else if (tool == 24 && InRange(mx, 25, 671) && InRange(my, 25, 471)) {
    Exitdoor->roomx = RoomX, Exitdoor->roomy = RoomY;
    Exitdoor->State = DoorState::Shut;
    Exitdoor->x = c, Exitdoor->y = r;
    Exitdoor->Frame = NumOfGold;
    for (int dr = 0; dr < 4; ++dr)
      for (int dc = 0; dc < 4; ++dc) SetEditCell(c + dc, r + dr, CellCode::Empty);
  }
}

void DeleteUnder(int sx, int sy) {
  for (auto i : Items_list.Each<bbItems>()) {
    item = i;
    if (i->RoomX != RoomX || i->RoomY != RoomY) continue;
    if (!media::ImagesCollide(ItemSprite, sx, sy, 62, ItemSprite, i->X * kCell, i->Y * kCell,
                              i->frame))
      continue;
    if (i->kind == ItemKind::Gold) {
      NumOfGold -= 1;
      Exitdoor->Frame = NumOfGold < 0 ? 0 : NumOfGold;
    }
    numofitems -= 1;
    i->Remove();
  }
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (e->OriginRoomX != RoomX || e->OriginRoomY != RoomY) continue;
    if (!media::ImagesCollide(ItemSprite, sx, sy, 62, Enemiesprite, e->x * kCell, e->y * kCell,
                              e->frame))
      continue;
    e->Remove();
    numofenemies -= 1;
  }
  for (auto s : statuses_list.Each<bbstatuses>()) {
    status = s;
    if (s->roomx != RoomX || s->roomy != RoomY) continue;
    if (!media::ImagesCollide(ItemSprite, sx, sy, 62, Statusprite, s->x * kCell, s->y * kCell,
                              s->frame))
      continue;
    s->Remove();
    numofstatus -= 1;
  }
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (t->Roomx != RoomX || t->Roomy != RoomY || std::abs(sx - t->X * kCell) > kCell) continue;
    const int x = t->X * kCell, y = t->Y * kCell;
    if (ImagesOverlap(ItemSprite, sx, sy, Doors, x, y) == 0 &&
        ImagesOverlap(ItemSprite, sx, sy, Bricks, x, y) == 0 &&
        ImagesOverlap(ItemSprite, sx, sy, XDoor, x, y) == 0)
      continue;
    const int h = t->Height;
    if (t->Kind >= TrapKind::VanishLadder) t->Height -= 1;
    ClearTrapCells(*t, h);
    t->Remove();
    numoftraps -= 1;
  }
}

void PaintHeld(const EditorLoop& loop) {
  if (!RoomExists() || loop.tool < 1 || loop.tool > 3) return;
  const int mx = media::MouseX(), my = media::MouseY();
  const int codes[4] = {0, CellCode::Block, CellCode::Brick, CellCode::Ladder};
  const bool ladder = loop.tool == 3;
  if (media::MouseDown(1) && ((loop.sx <= 624 && loop.sy <= 480) || Show == 0) && mx <= 767 &&
      my <= 575) {
    int c = loop.sx / kCell;
    const int r = loop.sy / kCell;
    if (ladder && loop.sx == 744) c = 30;
    if (EditCell(c, r) <= CellCode::Ladder) SetEditCell(c, r, codes[loop.tool]);
    if (ladder) SetEditCell(c + 1, r, CellCode::LadderRight);
  }
  if (media::MouseDown(2) && (loop.sx <= 624 || Show == 0) && mx <= 767 && my <= 567) {
    const int c = loop.sx / kCell, r = loop.sy / kCell;
    const int code = EditCell(c, r);
    if (code <= CellCode::Ladder) {
      SetEditCell(c, r, CellCode::Empty);
      if (code == CellCode::Ladder) SetEditCell(c + 1, r, CellCode::Empty);
    }
  }
}

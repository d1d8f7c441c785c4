#include "play/traps.h"

#include <cstdlib>
#include <memory>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/graphics.h"
#include "play/player.h"
#include "stages/replay.h"

namespace {

bool Solid(int code) {
  return code == CellCode::Block || code == CellCode::Brick;
}

bool InPlayersRoom(const bbTraps& t) {
  return t.Roomx == RoomX && t.Roomy == RoomY;
}

// The Stage column and row of the trap's top-left cell.
int Column(const bbTraps& t) {
  return t.Roomx * kRoomCols + t.X;
}
int Row(const bbTraps& t) {
  return t.Roomy * kRoomRows + t.Y;
}

bool PlayerCollides(const media::Image& image, const bbTraps& t, int frame) {
  return media::ImagesCollide(PlayerSprite, static_cast<float>(Player->X + dx),
                              static_cast<float>(Player->Y), Player->Frame, image,
                              static_cast<float>(t.X * kCell), static_cast<float>(t.Y * kCell),
                              frame);
}

void WallTrap(const std::shared_ptr<bbTraps>& t) {
  if (t->State == 0 && InPlayersRoom(*t) &&
      ImagesOverlap(PlayerSprite, Player->X, Player->Y, Bricks, t->X * kCell, t->Y * kCell) &&
      std::abs(Player->X - t->X * kCell) <= 8)
    t->State = 1;
  if (t->State != 1) return;
  t->FrameRate += 1;
  if (t->FrameRate == 2) PlaySfx(sndCreateWall);
  if (t->FrameRate > 40) {
    t->FrameRate = 0;
    t->Framecounter += 1;
  }
  if (t->Framecounter == t->Height + 2) {
    t->Framecounter = 0;
    t->Remove();
    return;
  }
  SetCell(Column(*t), Row(*t) - t->Height + t->Framecounter, CellCode::Brick);
}

void CrumblingFloor(bbTraps& t) {
  if (t.Passing != 0 || !InPlayersRoom(t)) return;
  if (!ImagesOverlap(PlayerSprite, Player->X, Player->Y, XDoor, t.X * kCell, t.Y * kCell)) return;
  t.Passing = 1;
  if (t.Y * kCell - Player->Y == kCell) t.NumOfPass += 1;
}

void VanishingLadder(bbTraps& t) {
  if (t.Passing != 0 || !InPlayersRoom(t) || Player->Action != Act::Ground) return;
  if (!ImagesOverlap(PlayerSprite, Player->X, Player->Y, Bricks, t.X * kCell, t.Y * kCell)) return;
  t.Passing = 1;
  t.NumOfPass += 1;
}

// One cell down into empty space; true when the stone fell.
bool StoneFalls(bbTraps& t) {
  const int c = Column(t), r = Row(t);
  if (CellAt(c, r + 2) != CellCode::Empty || CellAt(c + 1, r + 2) != CellCode::Empty) return false;
  t.State = 1;
  SetCell(c, r, CellCode::Empty);
  SetCell(c + 1, r, CellCode::Empty);
  t.Y += 1;
  for (int row : {r + 1, r + 2}) {
    SetCell(c, row, CellCode::Block);
    SetCell(c + 1, row, CellCode::Block);
  }
  if (t.Y > 24) FindTrapRoom();
  return true;
}

// A stone that rests: its top cells made solid again when a fall across rooms left them
// empty, and the landing sound.
void StoneRests(bbTraps& t) {
  const int c = Column(t), r = Row(t);
  if (CellAt(c, r) == CellCode::Empty && CellAt(c + 1, r) == CellCode::Empty && InPlayersRoom(t)) {
    SetCell(c, r, CellCode::Block);
    SetCell(c + 1, r, CellCode::Block);
  }
  if (t.State == 1) {
    PlaySfx(sndCloseCoffine);
    t.State = 0;
  }
}

// One cell towards the side the player faces, unless a solid cell stands there: the column
// left behind gets its covered codes back, the new column's codes are kept.
void StoneMoves(bbTraps& t) {
  if (t.X < 1 || t.X > 29) FindTrapRoom();
  const int c = Column(t), r = Row(t);
  if (Player->LastDirection == 0) {
    if (Solid(CellAt(c - 1, r)) || Solid(CellAt(c - 1, r + 1))) return;
    PlaySfx(sndPushStone);
    SetCell(c + 1, r, t.Block2);
    SetCell(c + 1, r + 1, t.Block4);
    t.Block2 = t.Block1;
    t.Block4 = t.Block3;
    t.Block1 = CellAt(c - 1, r);
    t.Block3 = CellAt(c - 1, r + 1);
    SetCell(c - 1, r, CellCode::Block);
    SetCell(c - 1, r + 1, CellCode::Block);
    t.X -= 1;
  } else {
    if (Solid(CellAt(c + 2, r)) || Solid(CellAt(c + 2, r + 1))) return;
    PlaySfx(sndPushStone);
    SetCell(c, r, t.Block1);
    SetCell(c, r + 1, t.Block3);
    t.Block1 = t.Block2;
    t.Block3 = t.Block4;
    t.Block2 = CellAt(c + 2, r);
    t.Block4 = CellAt(c + 2, r + 1);
    SetCell(c + 2, r, CellCode::Block);
    SetCell(c + 2, r + 1, CellCode::Block);
    t.X += 1;
  }
}

void Stone(bbTraps& t) {
  if (!StoneFalls(t)) StoneRests(t);
  const bool touched =
      (InPlayersRoom(t) && Player->Action == Act::Ground && PlayerCollides(ItemSprite, t, 63)) ||
      t.State == 1;
  if (!touched) {
    t.NumOfPass = 0;
    return;
  }
  const int arrow = TickArrow();
  if (arrow == (Player->LastDirection == 0 ? Rec::Left : Rec::Right)) {
    Player->Y = (Player->Y / kCell) * kCell;
    t.NumOfPass += 1;
    Player->FrameRate += 1;
  }
  if (t.NumOfPass > kStonePushTicks && t.State == 0) {
    t.NumOfPass = 0;
    StoneMoves(t);
  }
}

// Clears the door's column over its passage rows.
void OpenColumn(const bbTraps& t, int column) {
  for (int row = t.Y; row <= t.Y + t.Height - 2; ++row)
    SetCell(t.Roomx * kRoomCols + column, t.Roomy * kRoomRows + row, CellCode::Empty);
}

void Door(bbTraps& t) {
  if (!InPlayersRoom(t) || Player->Action != Act::Ground || !PlayerCollides(Doors, t, t.Frame))
    return;
  const int arrow = TickArrow();
  if (arrow != Rec::Left && arrow != Rec::Right) {
    t.NumOfPass = 0;
    return;
  }
  t.NumOfPass += 1;
  Player->FrameRate += 1;
  if (t.NumOfPass <= kDoorPushTicks) return;
  t.NumOfPass = 0;
  const bool leftwards = t.Kind == TrapKind::TwoWayLeft || t.Kind == TrapKind::OneWayLeft;
  if (arrow != (leftwards ? Rec::Left : Rec::Right)) return;
  t.State = 2;
  switch (t.Kind) {
    case TrapKind::TwoWayLeft:
      t.Kind = TrapKind::TwoWayRight;
      Player->Action = Act::TwoWayLeft;
      OpenColumn(t, t.X + 1);
      break;
    case TrapKind::TwoWayRight:
      t.Kind = TrapKind::TwoWayLeft;
      Player->Action = Act::TwoWayRight;
      OpenColumn(t, t.X);
      break;
    case TrapKind::OneWayLeft:
      Player->Action = Act::OneWayLeft;
      break;
    default:
      Player->Action = Act::OneWayRight;
      break;
  }
  // The passage's frames record the code last handed to the recorder: the arrow that opened
  // the door, so that playback opens it in the same tick.
  if (DemoMode == 0) ActionType = arrow;
  PlaySfx(sndDoor);
}

// The first room from `from` stepping by `step` (wrapping never) in row ry (across) or column
// rx (down) that exists, or `fallback` when none does.
int FirstRoomAcross(int ry, int from, int step, int fallback) {
  for (int rx = from; rx >= 0 && rx <= 5; rx += step)
    if (Rooms[rx][ry] == 1) return rx;
  return fallback;
}
int FirstRoomDown(int rx, int from, int fallback) {
  for (int ry = from; ry <= 5; ++ry)
    if (Rooms[rx][ry] == 1) return ry;
  return fallback;
}

bool ValidRoom(int r) {
  return r >= 0 && r <= 5;
}

}  // namespace

int FindTrapRoom() {
  if (!Trap) return 0;
  bbTraps& t = *Trap;
  int c = Column(t), r = Row(t);
  SetCell(c, r, t.Block1);
  SetCell(c + 1, r, t.Block2);
  SetCell(c, r + 1, t.Block3);
  SetCell(c + 1, r + 1, t.Block4);
  if (ValidRoom(t.Roomx) && ValidRoom(t.Roomy)) {
    if (t.X < 1) {
      t.X = 28;
      if (t.Roomx > 0 && Rooms[t.Roomx - 1][t.Roomy] == 1)
        t.Roomx -= 1;
      else
        t.Roomx = FirstRoomAcross(t.Roomy, 5, -1, t.Roomx);
    } else if (t.X > 28) {
      t.X = 1;
      if (t.Roomx < 5 && Rooms[t.Roomx + 1][t.Roomy] == 1)
        t.Roomx += 1;
      else
        t.Roomx = FirstRoomAcross(t.Roomy, 0, 1, t.Roomx);
    }
    if (t.Y > 22) {
      t.Y = 1;
      if (t.Roomy < 5 && Rooms[t.Roomx][t.Roomy + 1] == 1)
        t.Roomy += 1;
      else
        t.Roomy = FirstRoomDown(t.Roomx, 0, t.Roomy);
    }
  }
  c = Column(t), r = Row(t);
  t.Block1 = CellAt(c, r);
  t.Block2 = CellAt(c + 1, r);
  t.Block3 = CellAt(c, r + 1);
  t.Block4 = CellAt(c + 1, r + 1);
  for (int row : {r, r + 1}) {
    SetCell(c, row, CellCode::Block);
    SetCell(c + 1, row, CellCode::Block);
  }
  return 0;
}

int UpdateTraps() {
  if (!Player) return 0;
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    switch (t->Kind) {
      case TrapKind::WallTrap:
        WallTrap(t);
        break;
      case TrapKind::Crumble:
        CrumblingFloor(*t);
        break;
      case TrapKind::Stone:
        Stone(*t);
        break;
      case TrapKind::VanishLadder:
        VanishingLadder(*t);
        break;
      case TrapKind::TwoWayLeft:
      case TrapKind::TwoWayRight:
      case TrapKind::OneWayLeft:
      case TrapKind::OneWayRight:
        Door(*t);
        break;
      default:
        break;
    }
  }
  return 0;
}

#include "play/render.h"

#include <string>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/text.h"

int redvalue = 0, greenvalue = 0, reddisp = 5, greendisp = 5;
int Statusred = 3, Statusdisp = 3;
int itemframeRate = 0, itemframecounter = 0;

namespace {

constexpr int kRoomW = kRoomCols * kCell;  // 768
constexpr int kRoomH = kRoomRows * kCell;  // 576

// One step of a pulsing value; the step turns round at 0 and 255.
void Pulse(int& value, int& step) {
  value += step;
  if (value <= 0 || value >= 255) step = -step;
}

bool InRoom(int rx, int ry) {
  return rx == RoomX && ry == RoomY;
}

// A ladder piece covered by a resting rock, drawn back: code 3 a ladder's left cell, code 4 a
// vanishing ladder's; other codes draw nothing.
void LadderPiece(int code, int x, int y, int theme) {
  if (code == CellCode::Ladder) DrawImage(Bricks, x, y, theme * 3 + 2);
  if (code == CellCode::VanishLadder) DrawImage(Bricks, x, y, 18);
}

// The ladder pieces in the right-hand column under a stone (a vanishing ladder's piece shows
// the wall picture, frame 19).
void CoveredByStones(int theme) {
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (t->Kind != TrapKind::Stone || !InRoom(t->Roomx, t->Roomy)) continue;
    const int x = (t->X + 1) * kCell, y = t->Y * kCell;
    if (t->Block2 == CellCode::Ladder) DrawImage(Bricks, x, y, theme * 3 + 2);
    if (t->Block4 == CellCode::Ladder) DrawImage(Bricks, x, y + kCell, theme * 3 + 2);
    if (t->Block2 == CellCode::VanishLadder) DrawImage(Bricks, x, y, 19);
    if (t->Block4 == CellCode::VanishLadder) DrawImage(Bricks, x, y + kCell, 19);
  }
}

void CoffinsAndRocks(int theme) {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if ((e->Kind == EnemyKind::SlowMummy || e->Kind == EnemyKind::FastMummy) &&
        InRoom(e->OriginRoomX, e->OriginRoomY))
      DrawImage(Doors, e->CoffineX, e->CoffineY, e->CoffineCounter + 24 + 3 * e->Kind);
    if (e->Kind == EnemyKind::Rock && e->State == EnemyState::Resting &&
        InRoom(e->RoomX, e->RoomY)) {
      const int bx = e->x - kRoomW * e->RoomX, by = e->y - kRoomH * e->RoomY;
      // Ladders first, vanishing ladders over them, the left column before the right.
      for (int code : {CellCode::Ladder, CellCode::VanishLadder}) {
        if (e->Block1 == code) LadderPiece(code, bx, by, theme);
        if (e->Block3 == code) LadderPiece(code, bx, by + kCell, theme);
      }
      for (int code : {CellCode::Ladder, CellCode::VanishLadder}) {
        if (e->Block2 == code) LadderPiece(code, bx + kCell, by, theme);
        if (e->Block4 == code) LadderPiece(code, bx + kCell, by + kCell, theme);
      }
    }
  }
}

}  // namespace

int RenderBack() {
  Pulse(redvalue, reddisp);
  Pulse(greenvalue, greendisp);
  media::SetColor(redvalue, greenvalue, 100);
  media::DrawRect(0, 0, 800, 600);
  ::TileImage(Back, 0, 0, BackGround);
  return 0;
}

int RenderDecoration() {
  Pulse(Statusred, Statusdisp);
  for (auto s : statuses_list.Each<bbstatuses>()) {
    status = s;
    if (!InRoom(s->roomx, s->roomy)) continue;
    media::SetColor(Statusred, 0, 0);
    media::DrawRect(static_cast<float>(s->x * kCell + 21), static_cast<float>(s->y * kCell + 15),
                    60, 58);
    DrawImage(Statusprite, s->x * kCell, s->y * kCell, s->frame + 2 * BackGround);
  }
  return 0;
}

int RenderBlocks(int firstColumn, int firstRow, int theme) {
  CoveredByStones(theme);
  CoffinsAndRocks(theme);
  for (int r = 0; r < kRoomRows; ++r) {
    for (int c = 0; c < kRoomCols; ++c) {
      const int code = CellAt(firstColumn + c, firstRow + r);
      if (code >= CellCode::Block && code <= CellCode::Ladder)
        DrawImage(Bricks, kCell * c, kCell * r, theme * 3 + code - 1);
      if (code == CellCode::VanishLadder) DrawImage(Bricks, kCell * c, kCell * r, 18);
    }
  }
  return 0;
}

int RenderExitDoor() {
  if (Exitdoor && Exitdoor->State > DoorState::None && InRoom(Exitdoor->roomx, Exitdoor->roomy))
    DrawImage(XDoor, Exitdoor->x * kCell, Exitdoor->y * kCell, Exitdoor->Frame);
  return 0;
}

int RenderItems() {
  itemframeRate += 1;
  if (itemframeRate >= 8) {
    itemframeRate = 0;
    itemframecounter = (itemframecounter + 1) % 8;
  }
  for (auto i : Items_list.Each<bbItems>()) {
    item = i;
    if (InRoom(i->RoomX, i->RoomY))
      DrawImage(ItemSprite, i->X * kCell, i->Y * kCell, i->frame + itemframecounter);
  }
  return 0;
}

int Rendertraps() {
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (!InRoom(t->Roomx, t->Roomy)) continue;
    const int x = t->X * kCell, y = t->Y * kCell;
    switch (t->Kind) {
      case TrapKind::WallTrap:
        if (EditMode != 0) {
          media::SetColor(0, 0, 200);
          media::DrawRect(static_cast<float>(x), static_cast<float>(y), kCell,
                          static_cast<float>(t->Height * kCell + 48));
        }
        DrawImage(Bricks, x, y, 19);
        break;
      case TrapKind::Crumble:
        DrawImage(XDoor, x, y, 31);
        break;
      case TrapKind::Stone:
        DrawImage(ItemSprite, x, y, 63);
        break;
      case TrapKind::VanishLadder:
        DrawImage(Bricks, x, y, 18);
        break;
      case TrapKind::TwoWayLeft:
      case TrapKind::TwoWayRight:
      case TrapKind::OneWayLeft:
      case TrapKind::OneWayRight:
        DrawImage(Doors, x, y, t->Frame);
        break;
      default:
        break;
    }
  }
  return 0;
}

int RenderWeapons() {
  for (auto w : Weapons_list.Each<bbWeapons>()) {
    Weapon = w;
    if (w->State != 0 && InRoom(w->roomx, w->roomy))
      DrawImage(ItemSprite, w->x - kRoomW * w->roomx, w->y - kRoomH * w->roomy,
                w->Frame + w->framecounter);
  }
  return 0;
}

int RenderEnemiesG() {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (e->Visible == 1 && InRoom(e->RoomX, e->RoomY))
      DrawImage(Enemiesprite, e->x - kRoomW * e->RoomX, e->y - kRoomH * e->RoomY,
                e->frame + e->framecounter);
  }
  return 0;
}

int RenderPanel() {
  if (Tutorial == 0) {
    DrawImage(ScoreBar, 0, 576);
    DrawBmpFont(std::to_string(Player ? Player->Score : 0), 385, 583);
    return 0;
  }
  media::SetColor(0, 200, 255);
  media::DrawLine(0, 576, 767, 576);
  media::DrawLine(0, 576, 0, 599);
  media::DrawLine(767, 576, 767, 599);
  media::DrawLine(0, 599, 767, 599);
  media::SetColor(0, 0, 0);
  media::DrawRect(1, 577, 765, 22);
  const std::string& line = TutNo >= 0 && TutNo < 12 ? Tut[TutNo] : std::string();
  DrawBmpFont(line, 432 - media::TextWidth(line) / 2, 580);
  DisplayText(media::Upper(Lang[61]), 3, 3);
  return 0;
}

void ResetRenderGlobals() {
  redvalue = greenvalue = 0;
  reddisp = greendisp = 5;
  Statusred = Statusdisp = 3;
  itemframeRate = itemframecounter = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetRenderGlobals);
}  // namespace

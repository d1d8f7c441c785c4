#include "play/map.h"

#include <string>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/text.h"
#include "play/render.h"

int RoomXX = 0, RoomYY = 0;

namespace {

constexpr int kPlanTop = 185;  // the plan's first row; 16 pixels a cell
constexpr int kChooserX = 520, kChooserY = 250, kChooserPitch = 40;

bool Shown(int rx, int ry) {
  return rx == RoomXX && ry == RoomYY;
}

void Label(int lang, int x, int y, int alt = 0) {
  DisplayText(media::Upper(Lang[lang]), x, y, 0, alt);
}
void Figure(int value, int x, int y) {
  DisplayText(std::to_string(value), x, y, 0, 1);
}

void Figures() {
  DisplayText(media::Upper(Lang[134]), 0, 10, 1, 0);
  DisplayText("&&&&&&&&&&&&&&&&&&&&", 0, 30, 1, 1);
  Label(135, 270, 65);
  if (User == 0)
    Figure(Game->Stage, 385, 65);
  else
    Label(136, 385, 65, 1);
  const struct {
    int lang, value, x, y;
  } rows[] = {{137, NumOfRooms, 10, 100},   {138, numofitems, 400, 100},
              {139, numofenemies, 10, 130}, {140, numoftraps, 400, 130},
              {141, NumOfGold, 10, 160},    {142, Exitdoor->Frame, 400, 160}};
  for (const auto& r : rows) {
    Label(r.lang, r.x, r.y);
    Figure(r.value, r.x + 260, r.y);
  }
  Label(143, 540, 230);
  Label(144, 530, 505, 1);
  Label(145, 555, 530, 1);
  DisplayText(media::Upper(Lang[146]), 0, 578, 1, 0);
}

void Chooser() {
  for (int ry = 0; ry < 6; ++ry) {
    for (int rx = 0; rx < 6; ++rx) {
      const int x = kChooserX + kChooserPitch * rx, y = kChooserY + kChooserPitch * ry;
      media::SetColor(255, 255, 255);
      Rect(x, y, 39, 39, 0);
      if (Rooms[rx][ry] == 1) {
        media::SetColor(0, 255, 0);
        Rect(x + 2, y + 2, 36, 36, 1);
      }
    }
  }
  media::SetColor(255, 0, 0);
  Rect(kChooserX + 2 + kChooserPitch * RoomXX, kChooserY + 2 + kChooserPitch * RoomYY, 36, 36, 1);
}

void Click(int my) {
  if (media::MouseHit(1) == 0) return;
  const int mx = media::MouseX();
  if (mx <= kChooserX || mx > 759 || my < 251 || my > 489) return;
  const int rx = (mx - kChooserX) / kChooserPitch, ry = (my - kChooserY) / kChooserPitch;
  if (Rooms[rx][ry] != 1) return;
  RoomXX = rx;
  RoomYY = ry;
}

void Plan() {
  for (int r = 0; r < kRoomRows; ++r) {
    for (int c = 0; c < kRoomCols; ++c) {
      const int code = Stage[RoomXX * kRoomCols + c][RoomYY * kRoomRows + r];
      const int x = 16 * c, y = kPlanTop + 16 * r;
      if (code == CellCode::Block || code == CellCode::Brick || code == CellCode::Ladder)
        DrawImage(Mappy, x, y, Worldtheme * 3 + code - 1);
      else if (code == CellCode::VanishLadder)
        DrawImage(Mappy, x, y, 18);
      // Never in play (the title menu sets CantFly): a ladder's right cell without its left.
      if (CantFly == 0 && code == CellCode::LadderRight && c > 0) {
        const int left = Stage[RoomXX * kRoomCols + c - 1][RoomYY * kRoomRows + r];
        if (left != CellCode::Ladder && left != CellCode::VanishLadder) {
          media::SetColor(255, 0, 0);
          Rect(x, y, 16, 16, 1);
        }
      }
    }
  }
}

void Objects() {
  for (auto it : Items_list.Each<bbItems>()) {
    item = it;
    if (Shown(it->RoomX, it->RoomY))
      DrawImage(Mappy, 16 * it->X, kPlanTop + 16 * it->Y, 27 + it->kind);
  }
  for (auto t : Traps_list.Each<bbTraps>()) {
    Trap = t;
    if (!Shown(t->Roomx, t->Roomy)) continue;
    const int x = 16 * t->X, y = kPlanTop + 16 * t->Y;
    switch (t->Kind) {
      case TrapKind::Crumble:
        DrawImage(Mappy2, x, y, 1);
        break;
      case TrapKind::Stone:
        DrawImage(Mappy, x, y, 34);
        break;
      case TrapKind::VanishLadder:
        DrawImage(Mappy, x, y, 18);
        break;
      case TrapKind::TwoWayLeft:
      case TrapKind::TwoWayRight:
      case TrapKind::OneWayLeft:
      case TrapKind::OneWayRight:
        for (int k = 0; k < t->Height - 1; ++k)
          DrawImage(Mappy, x, y + 16 * k, 19 + t->Kind - TrapKind::TwoWayLeft);
        break;
      default:  // a wall trap shows only outside play (CantFly 0): its wall's height
        if (t->Kind == TrapKind::WallTrap && CantFly == 0) {
          media::SetColor(0, 0, 255);
          Rect(x, kPlanTop + 16 * (t->Y - t->Height), 16, 16 * (t->Height + 2), 1);
        }
        break;
    }
  }
  if (Shown(Exitdoor->roomx, Exitdoor->roomy))
    DrawImage(Mappy2, 16 * Exitdoor->x, kPlanTop + 16 * Exitdoor->y, 0);
  if (Shown(Player->RoomX, Player->RoomY))
    DrawImage(Mappy, 16 * (PlayerX / kCell), kPlanTop + 16 * (PlayerY / kCell), 35);
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (Shown(e->OriginRoomX, e->OriginRoomY))
      DrawImage(Mappy, 16 * (e->CoffineX / kCell), kPlanTop + 16 + 16 * (e->CoffineY / kCell),
                23 + e->Kind);
  }
}

}  // namespace

int DrawMap() {
  if (!Player || !Exitdoor || !Game) return 0;
  if (RoomXX < 0 || RoomXX > 5 || RoomYY < 0 || RoomYY > 5) RoomXX = RoomYY = 0;
  const int my = media::MouseY();
  RenderBack();
  media::SetColor(0, 0, 0);
  Rect(0, 0, 800, 185, 1);
  Rect(512, 0, 300, 600, 1);
  Rect(0, 569, 800, 40, 1);
  Figures();
  Chooser();
  Click(my);
  Plan();
  Objects();
  DrawImage(ItemSprite, media::MouseX(), my, 62);
  media::Flip(-1);
  RenderOverBorders();
  return 0;
}

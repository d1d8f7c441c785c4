#include "play/enemies.h"

#include <cstdlib>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/player.h"

namespace enemy {

int Cell(int px, int py) {
  return CellAt(px / kCell, py / kCell);
}

int PlayerWorldX() {
  return RoomX * 768 + Player->X;
}
int PlayerWorldY() {
  return RoomY * 576 + Player->Y;
}

bool InPlayerRoom() {
  return Enemy->RoomX == RoomX && Enemy->RoomY == RoomY;
}

int Toggle(int value) {
  return value == 0 ? 1 : 0;
}

bool DyingStep() {
  bbEnemies& e = *Enemy;
  if (e.HaltingCounter == 0) PlaySfx(sndKillEnemy);
  e.HaltingCounter += 1;
  if (e.HaltingCounter <= 9 && InPlayerRoom())
    e.frame = 20;
  else
    e.Visible = 0;
  if (e.HaltingCounter < 400) return false;
  e.HaltingCounter = 0;
  e.State = EnemyState::Forming;
  e.RoomX = e.OriginRoomX;
  e.RoomY = e.OriginRoomY;
  e.x = e.OriginRoomX * 768 + e.CoffineX;
  e.y = e.OriginRoomY * 576 + e.CoffineY + kCell;
  e.frame = 2 * e.Kind + 22;
  return true;
}

}  // namespace enemy

namespace {

bool ValidRoom(int r) {
  return r >= 0 && r <= 5;
}

bool RoomIs(int rx, int ry, int value) {
  return ValidRoom(rx) && ValidRoom(ry) && Rooms[rx][ry] == value;
}

// The first column of row ry, from 5 down (from 0 up when `upwards`), whose room exists; `from`
// when the row has none (an enemy standing in a room the stage does not have).
int ColumnInRow(int ry, bool upwards, int from) {
  if (!ValidRoom(ry)) return from;
  for (int i = 0; i < 6; ++i) {
    const int rx = upwards ? i : 5 - i;
    if (Rooms[rx][ry] != 0) return rx;
  }
  return from;
}

int RowInColumn(int rx, bool upwards, int from) {
  if (!ValidRoom(rx)) return from;
  for (int i = 0; i < 6; ++i) {
    const int ry = upwards ? i : 5 - i;
    if (Rooms[rx][ry] != 0) return ry;
  }
  return from;
}

void Rule() {
  switch (Enemy->Kind) {
    case EnemyKind::SlowMummy:
    case EnemyKind::FastMummy:
      UpdateMummy();
      break;
    case EnemyKind::Rock:
      UpdateRockRoll();
      break;
    case EnemyKind::Pony:
      UpdatePony();
      break;
    default:
      break;
  }
}

// The player dies on touching the enemy: one life, however many enemies touch in the tick.
void Contact() {
  const bbEnemies& e = *Enemy;
  if (!enemy::InPlayerRoom() || Player->Action == Act::Dying) return;
  if (e.State == EnemyState::Dying || e.State == EnemyState::Resting) return;
  if (std::abs(enemy::PlayerWorldX() - e.x) > 24 || std::abs(enemy::PlayerWorldY() - e.y) > 24)
    return;
  Player->Action = Act::Dying;
  Player->Lives -= 1;
}

}  // namespace

int FindEnemyRoom() {
  bbEnemies& e = *Enemy;
  const int lx = e.x - e.RoomX * 768, ly = e.y - e.RoomY * 576;
  if (lx <= 2) {
    if (e.RoomX > 0 && RoomIs(e.RoomX - 1, e.RoomY, 1))
      e.RoomX -= 1;
    else
      e.RoomX = ColumnInRow(e.RoomY, false, e.RoomX);
    e.x = e.RoomX * 768 + 762;
  } else if (lx >= 763) {
    if (e.RoomX < 5 && RoomIs(e.RoomX + 1, e.RoomY, 1))
      e.RoomX += 1;
    else
      e.RoomX = ColumnInRow(e.RoomY, true, e.RoomX);
    e.x = e.RoomX * 768 + 3;
  }
  if (ly <= 5) {
    if (e.RoomY > 0 && RoomIs(e.RoomX, e.RoomY - 1, 1))
      e.RoomY -= 1;
    else
      e.RoomY = RowInColumn(e.RoomX, false, e.RoomY);
    e.y = e.RoomY * 576 + 573;
  } else if (ly >= 576) {
    if (e.RoomY < 5 && RoomIs(e.RoomX, e.RoomY + 1, 1))
      e.RoomY += 1;
    else
      e.RoomY = RowInColumn(e.RoomX, true, e.RoomY);
    e.y = e.RoomY * 576 + 4;
  }
  return 0;
}

int UpdateEnemies() {
  if (!Player) return 0;
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    const int lx = e->x - e->RoomX * 768, ly = e->y - e->RoomY * 576;
    const bool inside = lx >= 3 && lx <= 762 && ly >= 3 && ly <= 575;
    // A resting rock is part of the terrain: it keeps its cells, and so its room, until it
    // moves again.
    const bool resting = e->Kind == EnemyKind::Rock && e->State == EnemyState::Resting;
    if (!inside && !resting) {
      if (e->Kind == EnemyKind::Pony && lx >= 1 && lx <= 765 && ly <= 575 &&
          e->State != EnemyState::Climbing) {
        UpdatePony();
        Contact();
        continue;
      }
      FindEnemyRoom();
    }
    Rule();
    Contact();
  }
  return 0;
}

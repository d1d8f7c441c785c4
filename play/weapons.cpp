#include "play/weapons.h"

#include <cstdlib>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/graphics.h"
#include "play/player.h"

namespace {

constexpr int kStuck = 21, kFlying = 1, kFalling = 14, kDone = 0;

bool Solid(int code) {
  return code == 1 || code == 2;
}

int Cell(int px, int py) {
  return CellAt(px / kCell, py / kCell);
}

bool RoomExists(int rx, int ry) {
  return rx >= 0 && rx <= 5 && ry >= 0 && ry <= 5 && Rooms[rx][ry] == 1;
}

struct Probes {
  int topLeft, topRight, bottomLeft, bottomRight, belowLeft, belowRight;
};

Probes Read(const bbWeapons& w) {
  return {Cell(w.x + 3, w.y),       Cell(w.x + 47, w.y),     Cell(w.x + 3, w.y + 47),
          Cell(w.x + 47, w.y + 47), Cell(w.x + 3, w.y + 48), Cell(w.x + 42, w.y + 48)};
}

bool Collide(const media::Image& a, int ax, int ay, int aframe, const bbWeapons& w) {
  return media::ImagesCollide(a, static_cast<float>(ax), static_cast<float>(ay), aframe, ItemSprite,
                              static_cast<float>(w.x), static_cast<float>(w.y), w.Frame);
}

// The player takes the weapon back: empty hands, on the ground, not in its first 8 ticks and
// not while it is stuck.
void Catch(bbWeapons& w) {
  if (Player->State != Tool::None || w.CollideCounter <= 8 || w.State == kStuck ||
      Player->Action != Act::Ground)
    return;
  if (!Collide(PlayerSprite, RoomX * 768 + Player->X, RoomY * 576 + Player->Y, Player->Frame, w))
    return;
  Player->State = w.kind + 1;
  Player->Frame = (Player->State * 3 + Player->Direction) * 4;
  w.State = kDone;
}

void Fly(bbWeapons& w, const Probes& p) {
  bool hit;
  if (w.Direction == 0) {
    hit = Solid(p.bottomLeft) || Solid(p.topLeft) || Solid(p.bottomRight) || Solid(p.topRight);
    if (!hit) w.x -= 9;
  } else {
    hit = Solid(p.bottomRight) || Solid(p.topLeft);
    if (!hit) w.x += 9;
  }
  if (hit) {
    w.State = kStuck;
    w.x = w.Direction == 0 ? (w.x / kCell) * kCell + kCell : (w.x / kCell) * kCell;
  }
  if (w.BoomCounter == 0) {
    w.BoomCounter = 1;
    PlaySfx(w.kind == 0 ? sndKnife : sndBoome);
  }
}

void Drop(bbWeapons& w, const Probes& p) {
  const bool landed =
      Solid(p.belowLeft) || Solid(p.belowRight) ||
      (p.belowLeft == CellCode::LadderRight && p.belowRight == CellCode::LadderRight);
  if (!landed) {
    w.y += 12;
    return;
  }
  auto it = New<bbItems>();
  item = it;
  it->kind = w.kind;
  it->frame = w.kind * 8;
  it->RoomX = w.roomx;
  it->RoomY = w.roomy;
  it->X = (w.x - w.roomx * 768) / kCell;
  it->Y = (w.y - w.roomy * 576) / kCell;
  w.State = kDone;
  w.BoomCounter = 0;
}

// Every enemy the weapon touches: a rolling rock stops, a mummy or pony level with it dies.
void HitEnemies(bbWeapons& w) {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    Enemy = e;
    if (!Collide(Enemiesprite, e->x, e->y, e->frame, w)) continue;
    if (e->State == EnemyState::Forming || e->State == EnemyState::Dying) continue;
    if (e->Kind == EnemyKind::Rock) {
      if (e->State != EnemyState::Moving) continue;
      e->State = EnemyState::Resting;
      e->LifeSpan += 1;
      e->x = (e->x / kCell) * kCell;
    } else {
      if (std::abs(e->y - w.y) > 10) continue;
      e->State = EnemyState::Dying;
      e->framecounter = 0;
      e->LifeSpan = 0;
    }
    if (w.State != kDone) w.State = kStuck;
  }
}

void Tick(bbWeapons& w) {
  w.FrameRate += 1;
  const int rx = w.x - w.roomx * 768, ry = w.y - w.roomy * 576;
  if (rx < 4 || rx > 765 || ry > 575) FindWeaponRoom();
  const Probes p = Read(w);
  if (w.FrameRate >= 6) {
    w.FrameRate = 0;
    w.framecounter = (w.framecounter + 1) % 3;
  }
  w.CollideCounter += 1;
  Catch(w);
  switch (w.State) {
    case kFlying:
      Fly(w, p);
      break;
    case kStuck:
      if (w.SpiningCounter >= 40) {
        w.SpiningCounter = 0;
        w.State = kFalling;
      } else {
        w.SpiningCounter += 1;
      }
      break;
    case kFalling:
      Drop(w, p);
      break;
    default:
      break;
  }
  HitEnemies(w);
}

}  // namespace

int FindWeaponRoom() {
  bbWeapons& w = *Weapon;
  const int rx = w.x - w.roomx * 768, ry = w.y - w.roomy * 576;
  const auto firstInRow = [&](bool fromRight) {
    for (int i = 0; i < 6; ++i) {
      const int c = fromRight ? 5 - i : i;
      if (RoomExists(c, w.roomy)) return c;
    }
    return w.roomx;
  };
  if (rx <= 3) {
    w.roomx = w.roomx > 0 && RoomExists(w.roomx - 1, w.roomy) ? w.roomx - 1 : firstInRow(true);
    w.x = w.roomx * 768 + 766;
  } else if (rx > 766) {
    w.roomx = w.roomx < 5 && RoomExists(w.roomx + 1, w.roomy) ? w.roomx + 1 : firstInRow(false);
    w.x = w.roomx * 768 + 4;
  }
  if (ry > 575) {
    if (w.roomy < 5 && RoomExists(w.roomx, w.roomy + 1)) {
      w.roomy += 1;
    } else {
      for (int r = 0; r < 6; ++r)
        if (RoomExists(w.roomx, r)) {
          w.roomy = r;
          break;
        }
    }
    w.y = w.roomy * 576 + 4;
  }
  return 0;
}

int UpdateWeapons() {
  if (!Player) return 0;
  for (auto w : Weapons_list.Each<bbWeapons>()) {
    Weapon = w;
    Tick(*w);
    if (w->State == kDone) w->Remove();
  }
  return 0;
}

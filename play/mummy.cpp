// The mummies (kinds 0 and 1): the coffin, halting, walking, climbing, falling, dying.
#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/enemies.h"

using enemy::Cell;
using enemy::Climbable;
using enemy::Solid;

namespace {

// The cells around the mummy, read at the start of its tick.
struct Probes {
  int leftHead, leftFoot, rightHead, rightFoot, ownHead, underLeft, underRight, beyondHead,
      beyondFoot;
};

Probes Read(const bbEnemies& e) {
  return {Cell(e.x - 3, e.y),       Cell(e.x - 3, e.y + 45), Cell(e.x + 45, e.y),
          Cell(e.x + 45, e.y + 45), Cell(e.x + 4, e.y),      Cell(e.x + 4, e.y + 48),
          Cell(e.x + 45, e.y + 48), Cell(e.x + 51, e.y),     Cell(e.x + 51, e.y + 45)};
}

// Walking and climbing: a step of xs every second tick, a new picture every ten.
void Animate(bbEnemies& e) {
  e.FrameRate += 1;
  if (e.FrameRate % 2 == 0) e.x += e.xs;
  if (e.FrameRate >= 10) {
    e.FrameRate = 0;
    e.framecounter = enemy::Toggle(e.framecounter);
  }
}

int TowardPlayer(const bbEnemies& e) {
  return enemy::PlayerWorldX() > e.x ? 1 : 0;
}

void Coffin(bbEnemies& e) {
  e.FrameRate += 1;
  if (e.FrameRate >= 80) {
    if (enemy::InPlayerRoom()) PlaySfx(e.CoffineCounter >= 2 ? sndCloseCoffine : sndCreateWall);
    e.FrameRate = 0;
    if (e.CoffineCounter >= 2) {
      e.CoffineCounter = 0;
      e.State = EnemyState::Halting;
    } else {
      e.CoffineCounter += 1;
    }
    e.Direction = TowardPlayer(e);
  }
  if (e.CoffineCounter >= 2) e.Visible = 1;
}

void Halt(bbEnemies& e, const Probes& p) {
  e.FrameRate += 1;
  if (e.FrameRate < 20) return;
  e.FrameRate = 0;
  e.frame = 2 * e.Kind + 22;
  e.HaltingCounter += 1;
  e.framecounter = enemy::Toggle(e.framecounter);
  if (e.HaltingCounter < 4) return;
  e.HaltingCounter = 0;
  e.State = EnemyState::Moving;
  if (e.Kind == EnemyKind::FastMummy) e.Direction = TowardPlayer(e);
  const bool wall = e.Direction == 0 ? Solid(p.leftHead) || Solid(p.leftFoot)
                                     : Solid(p.beyondHead) || Solid(p.beyondFoot);
  if (wall) {
    e.Direction = e.Direction == 0 ? 1 : 0;
    e.LifeSpan += 1;
  }
  e.FrameRate = 1;
}

// Starts a climb toward the player's height once the mummy has walked more than 20 ticks;
// true when it started.
bool StartClimb(bbEnemies& e, const Probes& p) {
  const bool mayClimb =
      e.Kind == EnemyKind::FastMummy || (e.Kind == EnemyKind::SlowMummy && Difficulity == 2);
  if (!mayClimb) return false;
  const int step = e.Kind == EnemyKind::SlowMummy ? 3 : 9;
  const int py = enemy::PlayerWorldY();
  if (py < e.y && Climbable(p.leftHead)) {
    e.x = e.Direction == 1 ? ((e.x + 4) / kCell) * kCell : ((e.x - 24) / kCell) * kCell;
    e.ys = -step;
  } else if (py > e.y && Climbable(p.underLeft)) {
    e.x = e.Direction == 0 ? (e.x / kCell) * kCell : ((e.x + 24) / kCell) * kCell;
    e.ys = step;
  } else {
    return false;
  }
  e.State = EnemyState::Climbing;
  e.MovingCounter = 0;
  e.frame = 6 * e.Kind + 4;
  if (Climbable(Cell(e.x + 45, e.y))) e.x += 24;
  e.xs = 0;
  if (Difficulity == 2) e.LifeSpan = 0;
  Animate(e);
  return true;
}

void Walk(bbEnemies& e, const Probes& p) {
  e.frame = (3 * e.Kind + e.Direction) * 2;
  e.MovingCounter += 1;
  if (e.MovingCounter > 20 && StartClimb(e, p)) return;
  if (e.Direction == 0) {
    e.xs = -3;
    if (Solid(p.leftFoot) || Solid(p.leftHead)) {
      e.LifeSpan += 1;
      e.State = EnemyState::Halting;
      e.Direction = 1;
    }
  } else {
    e.xs = 3;
    if (Solid(p.rightFoot) || Solid(p.rightHead)) {
      e.LifeSpan += 1;
      e.State = EnemyState::Halting;
      e.Direction = 0;
    }
  }
  if (p.rightHead == 0 && p.ownHead == 0 && p.underLeft == 0 && p.underRight == 0)
    e.State = EnemyState::Falling;
  if (e.LifeSpan > 14) {
    e.LifeSpan = 0;
    e.State = EnemyState::Dying;
    return;
  }
  if (e.State == EnemyState::Moving) Animate(e);
}

void Climb(bbEnemies& e, const Probes& p) {
  e.y += e.ys;
  if (e.ys < 0) {
    if (p.underLeft == 0 && p.underRight == 0) {
      e.State = EnemyState::Halting;
      e.y = (e.y / kCell) * kCell + kCell;
      return;
    }
    if (Solid(p.ownHead) || Solid(p.rightHead)) {
      e.ys = -e.ys;
      e.y = (e.y / kCell) * kCell + kCell;
    }
    Animate(e);
  } else if (e.ys > 0) {
    if (p.rightHead == 0 && p.ownHead == 0 && p.underLeft == 0 && p.underRight == 0) {
      e.State = EnemyState::Falling;
      return;
    }
    if (Solid(p.underLeft) || Solid(p.underRight)) {
      e.State = EnemyState::Halting;
      e.y = (e.y / kCell) * kCell;
      return;
    }
    Animate(e);
  }
}

void Fall(bbEnemies& e, const Probes& p) {
  if (p.underLeft == 0 && p.underRight == 0) {
    e.y += 6;
    return;
  }
  if (enemy::InPlayerRoom()) PlaySfx(HitFloor);
  e.State = EnemyState::Halting;
  e.y = (e.y / kCell) * kCell;
}

}  // namespace

int UpdateMummy() {
  bbEnemies& e = *Enemy;
  const Probes p = Read(e);
  switch (e.State) {
    case EnemyState::Forming:
      Coffin(e);
      break;
    case EnemyState::Halting:
      Halt(e, p);
      break;
    case EnemyState::Moving:
      Walk(e, p);
      break;
    case EnemyState::Climbing:
      Climb(e, p);
      break;
    case EnemyState::Falling:
      Fall(e, p);
      break;
    case EnemyState::Dying:
      enemy::DyingStep();
      break;
    default:
      break;
  }
  return 0;
}

// The rolling rock (kind 2): forming, waiting, rolling toward the player, resting as four solid
// cells, falling, bouncing, dying.
#include <cstdlib>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/enemies.h"
#include "play/player.h"

using enemy::Cell;
using enemy::Solid;

namespace {

struct Probes {
  int under3, under42, leftHead, rightHead, leftFoot, rightFoot;
};

Probes Read(const bbEnemies& e) {
  return {Cell(e.x + 3, e.y + 48), Cell(e.x + 42, e.y + 48), Cell(e.x - 3, e.y),
          Cell(e.x + 48, e.y),     Cell(e.x - 3, e.y + 47),  Cell(e.x + 48, e.y + 47)};
}

// A ladder does not hold a rock up.
bool NoFloor(const Probes& p) {
  const bool left = p.under3 == 0 || p.under3 == 3 || p.under3 == 4;
  const bool right = p.under42 == 0 || p.under42 == CellCode::LadderRight;
  return left && right;
}

// Another resting rock or a crumbling floor stops a rock too.
bool Blocks(int code) {
  return Solid(code) || code == CellCode::Solid88;
}

void Forming(bbEnemies& e, const Probes& p) {
  if (e.CoffineCounter == 0 && e.FrameRate == 0 && enemy::InPlayerRoom()) PlaySfx(sndCreatePony);
  e.FrameRate += 1;
  e.Visible = 1;
  if (e.FrameRate >= 20) {
    e.FrameRate = 0;
    e.CoffineCounter += 1;
    e.framecounter = enemy::Toggle(e.framecounter);
  }
  if (enemy::InPlayerRoom()) e.frame = 28;
  if (e.CoffineCounter > 6) {
    e.State = EnemyState::Halting;
    if (NoFloor(p)) {
      e.State = EnemyState::Falling;
      e.frame = 12;
    }
  }
}

// The way to roll at the end of a wait, with the turn-arounds it costs.
void ChooseWay(bbEnemies& e, const Probes& p) {
  const int px = enemy::PlayerWorldX();
  if (px > e.x) e.Direction = 1;
  if (Blocks(p.rightHead) || Blocks(p.rightFoot)) {
    e.LifeSpan += 1;
    e.Direction = 0;
  }
  if (e.x >= px) e.Direction = 0;
  if (Solid(p.leftHead)) {
    e.Direction = 1;
    if (Solid(p.rightHead)) {  // shut in
      e.LifeSpan = 0;
      e.State = EnemyState::Dying;
    } else {
      e.LifeSpan += 1;
    }
  } else if (Solid(p.leftFoot) || p.leftHead == CellCode::Solid88 ||
             p.leftFoot == CellCode::Solid88) {
    e.LifeSpan += 1;
    e.Direction = 1;
  }
  if (e.LifeSpan > 9) {
    e.LifeSpan = 0;
    e.State = EnemyState::Dying;
  }
}

void Wait(bbEnemies& e, const Probes& p) {
  // A player who comes at a waiting rock through the air dies, with no life lost.
  if (bld == 0 && brd == 0 && std::abs(enemy::PlayerWorldX() - e.x) <= 24 &&
      std::abs(enemy::PlayerWorldY() - e.y) <= 24)
    Player->Action = Act::Dying;
  e.FrameRate += 1;
  if (e.FrameRate < 30) return;
  e.FrameRate = 0;
  e.frame = 26;
  e.HaltingCounter += 1;
  if (e.HaltingCounter < 4) {
    e.framecounter = enemy::Toggle(e.framecounter);
    return;
  }
  e.State = EnemyState::Moving;
  e.HaltingCounter = 0;
  ChooseWay(e, p);
  e.framecounter = enemy::Toggle(e.framecounter);
  if (e.State == EnemyState::Moving) e.FrameRate = 1;
}

void Roll(bbEnemies& e, const Probes& p) {
  e.frame = 12;
  bool blocked;
  if (e.Direction == 0) {
    e.xs = -6;
    blocked = Blocks(p.leftFoot) || Blocks(p.leftHead);
  } else {
    e.xs = 6;
    blocked = Blocks(p.rightFoot) || Blocks(p.rightHead);
  }
  if (blocked) {
    PlaySfx(sndRollStop);
    e.State = EnemyState::Resting;
    e.Block1 = e.Block2 = e.Block3 = e.Block4 = 0;
    e.x = (e.x / kCell) * kCell;
    if (NoFloor(p)) e.State = EnemyState::Falling;
    return;
  }
  if (NoFloor(p)) {
    e.State = EnemyState::Falling;
    return;
  }
  e.FrameRate += 1;
  if (e.FrameRate % 2 == 0) e.x += e.xs;
  if (e.FrameRate >= 12) {
    e.FrameRate = 0;
    e.framecounter = enemy::Toggle(e.framecounter);
  }
}

void Rest(bbEnemies& e, const Probes& p) {
  const int c = e.x / kCell, r = e.y / kCell;
  if (e.HaltingCounter == 0) {
    e.Block1 = CellAt(c, r);
    e.Block2 = CellAt(c + 1, r);
    e.Block3 = CellAt(c, r + 1);
    e.Block4 = CellAt(c + 1, r + 1);
    SetCell(c, r, CellCode::Solid88);
    SetCell(c + 1, r, CellCode::Solid88);
    SetCell(c, r + 1, CellCode::Solid88);
    SetCell(c + 1, r + 1, CellCode::Solid88);
  }
  e.HaltingCounter += 1;
  if (NoFloor(p)) e.HaltingCounter = 500;
  if (e.HaltingCounter <= 399) return;
  SetCell(c, r, e.Block1);
  SetCell(c + 1, r, e.Block2);
  SetCell(c, r + 1, e.Block3);
  SetCell(c + 1, r + 1, e.Block4);
  e.State = e.HaltingCounter == 500 ? EnemyState::Falling : EnemyState::Halting;
  e.HaltingCounter = 0;
}

void Fall(bbEnemies& e, const Probes& p) {
  const bool landed = Blocks(p.under3) || p.under3 == CellCode::LadderRight || Blocks(p.under42);
  if (!landed) {
    e.y += 8;
    e.Fallcounter += 1;
    return;
  }
  if (enemy::InPlayerRoom()) PlaySfx(sndCloseCoffine);
  e.State = EnemyState::Resting;
  e.HaltingCounter = 0;
  e.y = (e.y / kCell) * kCell;
  if (e.Fallcounter > 3) {
    e.State = EnemyState::Bouncing;
    e.Fallcounter = 0;
  }
}

void BounceStep(bbEnemies& e) {
  e.FrameRate += 1;
  if (e.FrameRate > 1) {
    e.FrameRate = 0;
    if (e.JumpCounter >= 0 && e.JumpCounter <= 18) e.y += ::Bounce[e.JumpCounter];
    e.JumpCounter += 1;
  }
  if (e.JumpCounter > 17) {
    e.State = EnemyState::Resting;
    e.HaltingCounter = 0;
    e.JumpCounter = 0;
    e.y = (e.y / kCell) * kCell;
  }
}

}  // namespace

int UpdateRockRoll() {
  bbEnemies& e = *Enemy;
  const Probes p = Read(e);
  switch (e.State) {
    case EnemyState::Forming:
      Forming(e, p);
      break;
    case EnemyState::Halting:
      Wait(e, p);
      break;
    case EnemyState::Moving:
      Roll(e, p);
      break;
    case EnemyState::Resting:
      Rest(e, p);
      break;
    case EnemyState::Falling:
      Fall(e, p);
      break;
    case EnemyState::Bouncing:
      BounceStep(e);
      break;
    case EnemyState::Dying:
      if (enemy::DyingStep()) e.CoffineCounter = 0;
      break;
    default:
      break;
  }
  return 0;
}

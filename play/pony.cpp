// The pony (kind 3): the cloud, hops along the player's jump curves, climbing toward the
// player's height, falling, dying.
#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/enemies.h"

using enemy::Cell;
using enemy::Climbable;
using enemy::Solid;

namespace {

struct Probes {
  int leftHead, rightHead, ownLeftHead, ownRightHead, under12, under24, under42, leftFoot,
      rightFoot, ownLeftFoot, ownRightFoot, ladderAbove, ladderBelow;
};

Probes Read(const bbEnemies& e) {
  const int x = e.x, y = e.y;
  return {Cell(x - 3, y),       Cell(x + 48, y),      Cell(x, y),           Cell(x + 47, y),
          Cell(x + 12, y + 48), Cell(x + 24, y + 48), Cell(x + 42, y + 48), Cell(x - 3, y + 47),
          Cell(x + 48, y + 47), Cell(x, y + 47),      Cell(x + 47, y + 47), Cell(x, y + 3),
          Cell(x + 3, y + 52)};
}

int Step(const int* table, int j) {
  return j >= 0 && j <= 18 ? table[j] : 0;
}

void Cloud(bbEnemies& e) {
  if (e.CoffineCounter == 0 && e.FrameRate == 0 && enemy::InPlayerRoom()) PlaySfx(sndCreatePony);
  e.FrameRate += 1;
  e.Visible = 1;
  if (e.FrameRate >= 20) {
    e.FrameRate = 0;
    e.CoffineCounter += 1;
    e.framecounter = enemy::Toggle(e.framecounter);
  }
  if (enemy::InPlayerRoom()) e.frame = 28;
  if (e.CoffineCounter > 6) e.State = EnemyState::Halting;
}

void Aim(bbEnemies& e) {
  e.State = EnemyState::Moving;
  e.Direction = e.x <= enemy::PlayerWorldX() ? 1 : 0;
  e.frame = 15 + e.Direction;
}

// The sideways part of a hop step: a pony facing left that turns goes on with the facing-right
// rule in the same step; one facing right that turns does not.
void Sideways(bbEnemies& e, const Probes& p, int j) {
  bool right = e.Direction != 0;
  if (!right) {
    if (!Solid(p.ownLeftFoot)) {
      e.x -= Step(PlayerJumpX, j);
      e.frame = 15;
    } else if (Solid(p.leftHead) && j == 0) {
      e.Direction = 1;
      e.LifeSpan += 1;
      e.x += 3;
      right = true;
    }
  }
  if (!right) return;
  if (!Solid(p.ownRightFoot)) {
    e.x += Step(PlayerJumpX, j);
    e.frame = 16;
  } else if (Solid(p.rightHead) && j == 0) {
    e.Direction = 0;
    e.LifeSpan += 1;
    e.x -= 3;
  }
}

void Hop(bbEnemies& e, const Probes& p) {
  e.MovingCounter += 1;
  if (e.JumpCounter == 0 && enemy::InPlayerRoom()) PlaySfx(sndPonyJump);
  e.framecounter = 0;
  e.FrameRate += 1;
  if (e.FrameRate > 2) {
    e.FrameRate = 0;
    const int j = e.JumpCounter;
    Sideways(e, p, j);
    if (j <= 9) {
      e.y += Step(PlayerJump, j);
    } else {
      if (!Solid(p.under12) && !Solid(p.under24) && !Solid(p.under42)) e.y += Step(PlayerJump, j);
      if (e.y - e.RoomY * 576 > 1) {  // a ledge one step ahead lifts the pony onto it
        if (e.Direction == 0 && !Solid(p.leftHead) && Solid(p.leftFoot)) {
          e.x -= 4;
          e.y = (e.y / kCell) * kCell;
        } else if (e.Direction != 0 && !Solid(p.rightHead) && Solid(p.rightFoot)) {
          e.x += 4;
          e.y = (e.y / kCell) * kCell;
        }
      }
    }
    e.JumpCounter = j + 1;
    if (e.JumpCounter > 13) e.frame = e.Direction == 0 ? 14 : 17;
    if (e.JumpCounter > 17) {
      e.JumpCounter = 0;
      e.y = (e.y / kCell) * kCell;
      const bool underIt = p.under12 != 0 || p.under42 != 0;
      const bool headFree = p.ownLeftHead == 0 && p.ownRightHead == 0;
      if (!underIt || !headFree) e.State = EnemyState::Falling;
    }
  }
  if (e.LifeSpan > 14) {
    e.LifeSpan = 0;
    e.State = EnemyState::Dying;
  }
}

// Starts a climb when the cell `ladder` holds a ladder toward the player's height.
void ClimbFrom(bbEnemies& e, int ladder, int ys) {
  if (Climbable(ladder))
    e.x = (e.x / kCell) * kCell;
  else if (ladder == CellCode::LadderRight)
    e.x = (e.x / kCell) * kCell - kCell;
  else
    return;
  e.ys = ys;
  e.frame = 18;
  e.MovingCounter = 0;
  e.State = EnemyState::Climbing;
}

void Fall(bbEnemies& e, const Probes& p) {
  const int u12 = p.under12, u24 = p.under24, u42 = p.under42;
  const bool support = Solid(u12) || u12 == CellCode::Ladder || Solid(u24) || Solid(u42) ||
                       u42 == CellCode::VanishLadder ||
                       (u12 == CellCode::LadderRight && u42 == CellCode::LadderRight);
  if (!support) {
    e.y += 6;
    e.FrameRate += 1;
    if (e.FrameRate > 3) {
      e.FrameRate = 0;
      if (e.Direction == 0 && !Solid(p.leftHead)) e.x -= 1;
      if (e.Direction != 0 && !Solid(p.rightHead)) e.x += 1;
    }
    return;
  }
  e.y = (e.y / kCell) * kCell;
  e.State = EnemyState::Moving;
  e.JumpCounter = 0;
  const int py = enemy::PlayerWorldY();
  if (py < e.y)
    ClimbFrom(e, p.ladderAbove, -3);
  else if (py > e.y)
    ClimbFrom(e, p.ladderBelow, 3);
}

void Climb(bbEnemies& e, const Probes& p) {
  e.xs = 0;
  e.y += e.ys;
  e.FrameRate += 1;
  if (e.FrameRate > 9) {
    e.FrameRate = 0;
    e.framecounter = enemy::Toggle(e.framecounter);
  }
  if (e.ys < 0) {
    if (p.under12 == 0 && p.under42 == 0) {
      e.State = EnemyState::Halting;
      e.y = (e.y / kCell) * kCell + kCell;
    } else if (Solid(p.ownLeftHead) || Solid(p.ownRightHead)) {
      e.ys = -e.ys;
      e.y = (e.y / kCell) * kCell + kCell;
    }
  } else if (e.ys > 0) {
    if (p.ownLeftHead == 0 && p.ownRightHead == 0 && p.under12 == 0 && p.under42 == 0) {
      e.State = EnemyState::Falling;
    } else if (Solid(p.under12) || Solid(p.under42)) {
      e.State = EnemyState::Halting;
      e.y = (e.y / kCell) * kCell;
    }
  }
}

}  // namespace

int UpdatePony() {
  bbEnemies& e = *Enemy;
  const Probes p = Read(e);
  switch (e.State) {
    case EnemyState::Forming:
      Cloud(e);
      break;
    case EnemyState::Halting:
      Aim(e);
      break;
    case EnemyState::Moving:
      Hop(e, p);
      break;
    case EnemyState::Falling:
      Fall(e, p);
      break;
    case EnemyState::Climbing:
      Climb(e, p);
      break;
    case EnemyState::Dying:
      if (enemy::DyingStep()) {
        e.JumpCounter = 0;
        e.CoffineCounter = 0;
      }
      break;
    default:
      break;
  }
  return 0;
}

#include "play/actions.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/input.h"
#include "play/dig.h"
#include "play/exit.h"
#include "play/player.h"
#include "play/stage_start.h"
#include "stages/replay.h"

namespace {

// A probe that stops the body: a solid block, a brick or a crumbling-floor cell.
bool Blocked(int code) {
  return code == CellCode::Block || code == CellCode::Brick || code == CellCode::Solid88;
}
bool Free(int code) {
  return !Blocked(code);
}

int Table(const int* table, int step) {
  return step >= 0 && step <= 18 ? table[step] : 0;
}

bool ArrowHeld() {
  return media::KeyDown(media::KEY_LEFT) || media::KeyDown(media::KEY_RIGHT) ||
         media::KeyDown(media::KEY_UP) || media::KeyDown(media::KEY_DOWN);
}

void DrawPlayer() {
  if (Player->Action == Act::Exiting) return;
  DrawImage(PlayerSprite, Player->X, Player->Y, Player->Frame + Player->FrameCounter);
}

}  // namespace

void JumpStep() {
  Player->FrameRate += 1;
  if (Player->FrameRate >= 2) {
    if (RectJump == 0 && Free(bl) && Free(ml)) Player->X -= Table(PlayerJumpX, jcounter);
    if (RectJump == 1 && Free(br) && Free(mr)) Player->X += Table(PlayerJumpX, jcounter);
    if (jcounter <= 9 || (Free(fall) && Free(frb) && Free(flb)))
      Player->Y += Table(PlayerJump, jcounter);
    jcounter += 1;
    Player->FrameRate = 0;
  }
  if (jcounter >= 6) {
    bool stepped = false;
    if (RectJump == 0 && Free(jltb) && Blocked(bl) && Free(ml)) {
      Player->X -= 9;
      stepped = true;
    } else if (RectJump == 1 && Free(jrtb) && Blocked(br) && Free(mr)) {
      Player->X += 9;
      stepped = true;
    }
    if (stepped) {
      jcounter = 30;
      RectJump = 2;
      Player->Y = (Player->Y / 24) * 24;
    }
  }
  RecordFrameStep();
  if (jcounter <= 17) return;
  Player->Action = Act::Fall;
  if (Player->Direction == 0) Player->Frame = 0;
  if (Player->Direction == 1) Player->Frame = 4;
  if (jcounter < 30 &&
      (flb != CellCode::Empty || frb != CellCode::Empty || fall != CellCode::Empty)) {
    PlaySfx(HitFloor);
    RectJump = 2;
  }
  jcounter = 0;
  Player->Y = (Player->Y / 24) * 24;
  // Playback needs no correction here. A jump from standing still records 37 steps for its 36
  // ticks (its first tick twice: once by the input, once above), and the tick after it records
  // none (a landing) or opens the fall's run of 11, whose landing records none. The run's 37
  // ticks thus cover the jump and the tick after it, exactly as the live run had them, for a
  // straight jump and a sideways one alike. Taking a tick off a sideways run of 37 here would
  // hand the next run's code to the landing tick, where a falling player cannot act on it, and
  // the next run would lose its first step (a walk would end 3 pixels short).
}

void FallStep() {
  Player->FallCounter += 1;
  if (Player->FallCounter == 25) PlaySfx(sndFall);
  if (flb != CellCode::Empty || frb != CellCode::Empty || fall != CellCode::Empty) {
    PlaySfx(HitFloor);
    jcounter = 0;
    RectJump = 2;
    Player->Action = Act::Ground;
    Player->FallCounter = 0;
    Player->Y = (Player->Y / 24) * 24;
    return;
  }
  Player->Y += 12;
  RecordFrameStep(Rec::Falling);
}

void PlayerTail() {
  if (Player->Action == Act::Jump) {
    DrawPlayer();
    return;
  }
  const bool moving =
      ArrowHeld() || Player->Action != Act::Ground || (DemoMode == 1 && ReplayAction() > 0);
  if (moving) {
    if (Player->FrameRate > 7) {
      Player->FrameRate = 0;
      Player->FrameCounter = (Player->FrameCounter + 1) % 4;
    }
  } else {
    Player->FrameCounter = Player->Direction == 1 ? 1 : 0;
  }
  DrawPlayer();
}

int AnimatePlayer() {
  if (!Player || !Exitdoor || !Game) return 0;
  switch (Player->Action) {
    case Act::Jump:
      JumpStep();
      break;
    case Act::Fall:
      FallStep();
      break;
    case Act::DigSide:
      DigSideways();
      break;
    case Act::DigDown:
      DigDown();
      break;
    case Act::TwoWayLeft:
    case Act::TwoWayRight:
    case Act::OneWayLeft:
    case Act::OneWayRight:
      DoorPassageStep();
      break;
    case Act::Exiting:
      ExitStep();
      break;
    case Act::Dying:
      DyingStep();
      break;
    default:
      break;
  }
  EndFrameStep();
  PlayerTail();
  return 0;
}

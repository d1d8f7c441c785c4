#include "play/dig.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/player.h"
#include "stages/replay.h"

int DigingCounter, DigingTimer, DigFrame;

namespace {

// Clears the cells (c1, r1) and (c2, r2) of the current room.
void ClearPair(int c1, int r1, int c2, int r2) {
  SetCell(c1 + 32 * RoomX, r1 + 24 * RoomY, CellCode::Empty);
  SetCell(c2 + 32 * RoomX, r2 + 24 * RoomY, CellCode::Empty);
}

// The block of this step: its two cells cleared and its crumbling picture drawn.
void SidewaysBlock(int cx, int cy) {
  if (Player->LastDirection == 0) {
    ClearPair(cx, cy, cx, cy + 1);
    DrawImage(HDigBlock, cx * 24, cy * 24, Worldtheme * 6 + DigFrame);
  } else {
    ClearPair(cx + 2, cy, cx + 2, cy + 1);
    DrawImage(HDigBlock, (cx + 2) * 24, cy * 24, Worldtheme * 6 + 3 + DigFrame);
  }
}

void DownwardBlock(int cx, int cy, int row) {
  const int left = Player->LastDirection == 0 ? cx - 1 : cx + 2;
  ClearPair(left, cy + row, left + 1, cy + row);
  DrawImage(VDigBlock, left * 24, (cy + row) * 24, Worldtheme * 3 + DigFrame);
}

void ToolSound(bool sideways) {
  if (DigingTimer != 0 || (DigingCounter != 0 && DigingCounter != 3)) return;
  const int state = Player->State;
  if (sideways) {
    if (state == Tool::SideDigTwo) PlaySfx(sndDrill);
    if (state == Tool::SideDigOne) PlaySfx(sndHammer);
  } else {
    if (state == Tool::DownDigTwo) PlaySfx(sndPick);
    if (state == Tool::DownDigOne) PlaySfx(sndScoop);
  }
}

void DigTick(bool sideways) {
  if (DemoMode != 1) RecordAction();
  const int cx = Player->X / 24, cy = Player->Y / 24;
  const bool first = DigingCounter <= 2;
  if (first || Deep == 2) {
    if (sideways)
      SidewaysBlock(cx, cy);
    else
      DownwardBlock(cx, cy, first ? 2 : 3);
  }
  ToolSound(sideways);
  DigingTimer += 1;
  if (DigingTimer >= 15) {
    DigingTimer = 0;
    DigingCounter += 1;
    DigFrame = (DigFrame + 1) % 3;
    if (sideways && DigingCounter == 3) Player->X += Player->Direction == 0 ? -24 : 24;
  }
  if (DigingCounter > 5 || (DigingCounter >= 3 && Deep == 1)) {
    Player->State = Tool::None;
    Player->Action = Act::Ground;
    DigingCounter = 0;
    DigFrame = 0;
    Player->Frame = Player->Direction * 4;
  }
  Player->FrameRate += 2;
}

}  // namespace

void DigSideways() {
  DigTick(true);
}
void DigDown() {
  DigTick(false);
}

void ResetDigCounters() {
  DigingCounter = DigingTimer = DigFrame = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetDigCounters);
}  // namespace

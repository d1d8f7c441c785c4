#include "play/exit.h"

#include <cstdio>
#include <cstdlib>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/sound.h"
#include "media/input.h"
#include "play/player.h"
#include "stages/replay.h"

namespace {

// Makes the door's column solid again over the trap's height less one cell.
void SolidColumn(const bbTraps& t, int column) {
  for (int row = t.Y; row <= t.Y + t.Height - 2; ++row)
    SetCell(t.Roomx * 32 + column, t.Roomy * 24 + row, CellCode::Block);
}

void PassDoor(const std::shared_ptr<bbTraps>& t, int action) {
  RecordFrameStep();
  t->FrameRate += 1;
  const bool leftwards = action == Act::TwoWayLeft || action == Act::OneWayLeft;
  const int offset = action <= Act::TwoWayRight ? 48 : 24;
  const int d = leftwards ? std::abs(Player->X + offset - t->X * 24)
                          : std::abs(t->X * 24 + offset - Player->X);
  if (d >= 2) {
    Player->X += leftwards ? -3 : 3;
    if (t->FrameRate % 5 == 0) Player->FrameRate += 1;
  }
  if (t->FrameRate > 9) {
    t->Frame += leftwards ? 1 : -1;
    t->Framecounter += 1;
    t->FrameRate = 0;
  }
  if (t->Framecounter != 3) return;
  switch (action) {
    case Act::TwoWayLeft:
      SolidColumn(*t, t->X);
      break;
    case Act::TwoWayRight:
      SolidColumn(*t, t->X + 1);
      break;
    case Act::OneWayLeft:
      t->Frame -= 3;
      PlaySfx(sndCloseCoffine);
      break;
    default:
      t->Frame += 3;
      PlaySfx(sndCloseCoffine);
      break;
  }
  t->State = 0;
  t->NumOfPass = 0;
  t->Framecounter = 0;
  Player->Action = Act::Ground;
}

// A rolling rock puts back the cells it covered while it rested.
void PutBackRockCells(const bbEnemies& e) {
  const int c = e.x / 24, r = e.y / 24;
  SetCell(c, r, e.Block1);
  SetCell(c + 1, r, e.Block2);
  SetCell(c, r + 1, e.Block3);
  SetCell(c + 1, r + 1, e.Block4);
}

void EndStage() {
  Exitdoor->FrameRate = 0;
  Exitdoor->FrameCounter = 0;
  for (auto w : Weapons_list.Each<bbWeapons>()) w->Remove();
  Weapon = nullptr;
  if (DemoMode == 0 && User == 1) SaveReplay();
  DemoMode = 0;
  Game->State = (Tutorial != 0 && TutNo > 10) ? GameState::Title : GameState::NextStage;
  if (User == 0) MarkStagePlayed(Game->Stage);
  media::FlushKeys();
}

}  // namespace

void DoorPassageStep() {
  const int action = Player->Action;
  for (auto t : Traps_list.Each<bbTraps>()) {
    if (t->State != 2) continue;
    Trap = t;
    PassDoor(t, action);
  }
}

void ExitStep() {
  DoorOpened = 0;
  Exitdoor->FrameRate += 1;
  Exitdoor->State = DoorState::Leaving;
  if (Exitdoor->FrameCounter <= 1) {
    for (auto e : Enemies_list.Each<bbEnemies>()) {
      Enemy = e;
      if (e->Kind == EnemyKind::Rock) PutBackRockCells(*e);
      e->Remove();
    }
    Enemy = nullptr;
  }
  if (Exitdoor->FrameRate > 24) {
    Exitdoor->FrameRate = 0;
    Exitdoor->FrameCounter += 1;
    Exitdoor->Frame = 16 + Exitdoor->FrameCounter;
  }
  if (Exitdoor->FrameRate == 1 && Exitdoor->FrameCounter == 1) PlaySfx(sndExiting);
  if (Exitdoor->FrameCounter > 13) EndStage();
}

void DyingStep() {
  Player->Frame = 126;
  if (Player->DyingCounter == 0) {
    PlaySfx(sndKilled);
    StopChannel(song);
  }
  Player->FrameRate = (Player->FrameRate + 1) % 8;
  if (Player->FrameRate == 0) Player->FrameCounter = (Player->FrameCounter + 1) % 4;
  Player->DyingCounter += 1;
  if (Player->DyingCounter > 99) {
    Player->Frame = 123;
    Player->FrameCounter = 0;
  }
  if (Player->DyingCounter <= 150) return;
  Player->DyingCounter = 0;
  Game->Stage -= 1;
  Game->State = GameState::NextStage;
  Player->Frame = 123;
  if (Player->Lives <= 0 && Difficulity == 2) {
    Game->State = GameState::GameOver;
    User = 0;
  } else {
    Player->Lives = 1;
  }
}

void MarkStagePlayed(int stage) {
  if (stage < 1 || stage > 70) return;
  Played[stage] = stage;
  if (!WritePlayed())
    std::fprintf(stderr, "Quillmire: progress file \"%sPlayed.Bin\" could not be written\n",
                 Path.c_str());
}

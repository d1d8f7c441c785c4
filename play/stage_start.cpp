#include "play/stage_start.h"

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "stages/replay.h"

int jcounter, FlashCounter;

int ResetAll() {
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    e->CoffineCounter = e->HaltingCounter = e->Fallcounter = e->JumpCounter = 0;
    e->MovingCounter = e->FrameRate = e->LifeSpan = 0;
  }
  for (auto t : Traps_list.Each<bbTraps>()) t->Framecounter = t->timer = t->NumOfPass = 0;
  for (auto w : Weapons_list.Each<bbWeapons>())
    w->Timer = w->State = w->SpiningCounter = w->BoomCounter = w->CollideCounter = 0;
  if (Player) {
    Player->FallCounter = 0;
    Player->DyingCounter = 0;
    Player->Action = Act::Ground;
    Player->Direction = 1;
    Player->State = Tool::None;
    Player->Frame = 5;
    Player->JumpFrame = 124;
  }
  jcounter = pausecounter = FlashCounter = 0;
  ActionCount = ActionNo = ActionType = LastActionType = TotalActionCount = 0;
  ResetStepLead();
  if (Game) Game->State = GameState::Play;
  return 0;
}

void SetNewGamePlayer() {
  if (!Player) return;
  Player->Score = 0;
  Player->Lives = 2;
  Player->XS = 3;
  Player->YS = 3;
}

namespace {

void ResetStageStartGlobals() {
  jcounter = FlashCounter = 0;
}
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetStageStartGlobals);

}  // namespace

#include "play/frame.h"

#include <string>

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/text.h"
#include "media/timing.h"
#include "play/actions.h"
#include "play/map.h"
#include "play/render.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"

int Help = 0;

namespace {

bool Hit(int key) {
  return media::KeyHit(key) != 0;
}

// Music or effects on or off: off sets 0 (the old volume is not kept); on restores the saved
// volume, or 0.8 when none is saved.
void ToggleVolume(float& volume, float saved, media::Channel& channel) {
  if (volume == 0.0f)
    volume = saved > 0.0f ? saved : 0.8f;
  else
    volume = 0.0f;
  SetChannelVolume(channel, volume);
}

void DoorFlash() {
  if (DoorOpened != 1 || Tutorial != 0) return;
  FlashCounter += 1;
  if (FlashCounter % 2 == 0) media::DrawRect(0, 576, 768, 600);
  if (FlashCounter >= kFlashFrames) {
    DoorOpened = 0;
    FlashCounter = 0;
    ResumeChannel(song);
  }
}

void ReplayFrame() {
  pausecounter = (pausecounter + 1) % 80;
  if (pausecounter > 40 && Tutorial == 0) DisplayText(media::Upper(Lang[55]), 3, 3);
  media::SetColor(255, 255, 255);
  StepReplay();
}

// Once the stage has ended (the player left it or died to the end) the paused picture holds
// the player still: running the action again would end the stage a second time.
void PausedPlayer() {
  if (Game->State == GameState::Play) {
    AnimatePlayer();
  } else if (Player->Action != Act::Exiting) {
    DrawImage(PlayerSprite, Player->X, Player->Y, Player->Frame + Player->FrameCounter);
  }
}

void PauseLoop(int flag) {
  media::FlushKeys();
  if (Help == 0) PauseChannel(song);
  media::SetBlend(media::ALPHABLEND);
  for (;;) {
    if (flag == 0) {
      media::Flip(-1);
      RenderOverBorders();
    }
    RenderBack(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
    RenderDecoration();
    RenderBlocks(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
    RenderExitDoor();
    RenderItems();
    Rendertraps();
    RenderWeapons();
    RenderEnemiesG();
    PausedPlayer();
    RenderPanel();
    if (ShowGrid == 1) DrawRoomGrid();
    if (Help == 0) {
      pausecounter = (pausecounter + 1) % 100;
      if (pausecounter <= 74) DisplayText(media::Upper(Lang[56]), 0, 290, 1);
    } else {
      KeepMusicGoing();
      media::SetAlpha(0.7f);
      DrawImage(F1_Help, 250, 150, 0);
      media::SetAlpha(1.0f);
    }
    media::Delay(DelayTime);
    const bool pause = Hit(kKeyPause), help = Hit(kKeyHelp), escape = Hit(kKeyQuit);
    if (pause || help || escape) break;
  }
  Help = 0;
  pausecounter = 0;
  ResumeChannel(song);
  Player->Frame = (Player->State * 3 + Player->Direction) * 4 + 2;
}

void MapLoop() {
  media::FlushKeys();
  RoomXX = RoomX;
  RoomYY = RoomY;
  for (;;) {
    KeepMusicGoing();
    DrawMap();
    media::Delay(DelayTime);
    const bool escape = Hit(kKeyQuit), map = Hit(kKeyMap);
    if (escape || map) break;
  }
}

void LiveKeys(int flag) {
  if (Hit(kKeyHelp)) Help = 1;
  if (Hit(kKeyPause) || Help == 1) PauseLoop(flag);
  if (Hit(kKeyMap)) MapLoop();
  if (Hit(kKeyGrid) && Difficulity == 1) ShowGrid = ShowGrid == 1 ? 0 : 1;
  // Giving up acts whatever the player is doing, but not once the stage has ended in this frame:
  // the next stage would start a life short.
  if (Hit(kKeyGiveUp) && Game->State == GameState::Play) {
    Player->Lives -= 1;
    Player->Action = Act::Dying;
  }
  if (Hit(kKeyMusic)) ToggleVolume(MusicVol, tmpMusicVol, song);
  if (Hit(kKeyEffects)) ToggleVolume(SfxVol, tmpSfxVol, Sfx);
}

// F8: the same stage again as its solution replay, or back from it. Not in the tutorials, and
// not once the stage has already ended in this frame (the stage number was lowered already,
// or the game is over).
void SolutionKey() {
  if (!Hit(kKeySolution) || Tutorial != 0 || Game->State != GameState::Play) return;
  Difficulity = 1;
  DemoMode = DemoMode == 1 ? 0 : 1;
  Game->Stage -= 1;
  Game->State = GameState::NextStage;
}

}  // namespace

void DrawPlayFrame() {
  RenderBack(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
  RenderDecoration();
  RenderBlocks(RoomX * kRoomCols, RoomY * kRoomRows, Worldtheme);
  RenderExitDoor();
  RenderItems();
  Rendertraps();
  RenderWeapons();
  RenderEnemiesG();
  AnimatePlayer();
  RenderPanel();
}

void DrawRoomGrid() {
  const int blend = media::GetBlend();
  media::SetBlend(media::ALPHABLEND);
  media::SetAlpha(0.5f);
  const int left = Player->X <= 383 ? 696 : 25, top = 25;
  for (int ry = 0; ry < 6; ++ry) {
    for (int rx = 0; rx < 6; ++rx) {
      const int x = left + 8 * rx, y = top + 8 * ry;
      if (Rooms[rx][ry] == 1) {
        media::SetColor(0, 255, 0);
        media::DrawRect(static_cast<float>(x), static_cast<float>(y), 7, 7);
      } else {
        media::SetColor(255, 255, 255);
        Rect(x, y, 7, 7, 0);
      }
    }
  }
  media::SetColor(255, 0, 0);
  media::DrawRect(static_cast<float>(left + 8 * RoomX), static_cast<float>(top + 8 * RoomY), 7, 7);
  media::SetAlpha(1.0f);
  media::SetBlend(blend);
}

int RenderGame(int flag) {
  if (!Player || !Exitdoor || !Game) return 0;
  if (flag == 0) RenderOverBorders();
  DrawPlayFrame();
  DoorFlash();
  if (DemoMode == 1)
    ReplayFrame();
  else
    LiveKeys(flag);
  SolutionKey();
  if (ShowGrid == 1) DrawRoomGrid();
  if (Hit(kKeyQuit)) QuitFunc();
  if (flag == 0) {
    media::Flip(-1);
    RenderOverBorders();
  }
  return 0;
}

void ResetFrameGlobals() {
  Help = 0;
  RoomXX = RoomYY = 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetFrameGlobals);
}  // namespace

#include "front/title.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/text.h"
#include "front/flow.h"
#include "front/front_globals.h"
#include "front/instructions.h"
#include "front/options.h"
#include "media/media.h"
#include "play/stage_start.h"

const char* const kCredits =
    "Quillmire  -  dig, climb and jump your way to the gold  -  programming, pictures, sounds "
    "and music by the Quillmire team  -  thank you for playing!";

void PlayMenuSound() {
  PlaySfx(sndOptions);
}

namespace {

void Select(int entry) {
  TitleMenu.selection = entry;
  TitleMenu.rowTop = 327 + 44 * entry;
}

void EndFrame() {
  media::Flip(-1);
  RenderOverBorders();
  media::Delay(DelayTime);
}

void StartGame() {
  SetNewGamePlayer();
  Game->State = GameState::NextStage;
  Game->Stage = 0;
  media::SetColor(0, 0, 0);
  media::DrawRect(0, 0, 800, 600);
  media::SetColor(255, 255, 255);
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  if (song) media::StopChannel(song);
  DoorOpened = 0;
  EndFrame();
}

void DrawCredits() {
  media::SetBlend(media::ALPHABLEND);
  media::SetAlpha(0.5f);
  media::SetColor(0, 0, 255);
  media::DrawRect(0, 584, 800, 20);
  media::SetAlpha(1.0f);
  media::SetColor(255, 255, 255);
  DrawBmpFont(kCredits, TitleMenu.creditsX, 585, 0, 0);
  TitleMenu.creditsX -= 2;
  if (TitleMenu.creditsX < -media::TextWidth(kCredits)) TitleMenu.creditsX = 801;
}

}  // namespace

int RenderMainScreen() {
  Tutorial = 0;
  SfxVol = tmpSfxVol;
  MusicVol = tmpMusicVol;
  media::ChangeDir(AppPath);
  User = 0;
  MainMenu = 0;
  DemoMode = 0;
  media::FlushKeys();
  if (Sfx) media::StopChannel(Sfx);
  if (song) media::StopChannel(song);
  song = PlayMusic("Music/Title.ogg");
  media::SetViewport(0, 0, 800, 600);
  media::SetOrigin(0, 0);
  media::MoveMouse(405, 355);
  CantFly = 1;
  ShowGrid = 1;
  TitleMenu = TitleMenuState{};

  for (;;) {
    const int my = media::MouseY();
    DrawImage(Title, 0, 0, 0);
    if (media::KeyHit(media::KEY_UP)) {
      Select(TitleMenu.selection == 0 ? 5 : TitleMenu.selection - 1);
      PlayMenuSound();
      media::MoveMouse(405, TitleMenu.rowTop + 20);
    }
    if (media::KeyHit(media::KEY_DOWN)) {
      Select(TitleMenu.selection == 5 ? 0 : TitleMenu.selection + 1);
      PlayMenuSound();
      media::MoveMouse(405, TitleMenu.rowTop + 20);
    }
    const int mx = media::MouseX();
    if (mx > 260 && mx <= 534 && my >= 328 && my <= 589) {
      const int entry = (my - 327) / 44;
      if (entry != TitleMenu.selection) {
        PlayMenuSound();
        Select(entry);
      }
    }
    DrawImage(Options1, 258, 327, 0);
    DrawImage(Options2, 258, TitleMenu.rowTop, TitleMenu.selection);
    DrawCredits();
    TitleMenu.arrowCounter = (TitleMenu.arrowCounter + 1) % 6;
    if (TitleMenu.arrowCounter == 0) TitleMenu.arrowCell = (TitleMenu.arrowCell + 1) % 10;
    DrawImage(Arrow, 235, TitleMenu.rowTop + 5, TitleMenu.arrowCell);
    DrawImage(ItemSprite, media::MouseX(), my, 62);
    if (media::KeyHit(media::KEY_ESCAPE)) QuitFunc();

    const int space = media::KeyHit(media::KEY_SPACE);
    const int enter = media::KeyHit(media::KEY_ENTER);
    const int click = media::MouseHit(1);
    if (space || enter || click) {
      Player->Frame = 6;
      switch (TitleMenu.selection) {
        case 2:
          tmpMusicVol = MusicVol;
          tmpSfxVol = SfxVol;
          Tutorial = 1;
          TutNo = 0;
          DemoMode = 1;
          User = 1;
          MusicVol = 0.0f;
          SfxVol = 0.0f;
          StartGame();
          return 0;
        case 0:
          StartGame();
          return 0;
        case 3:
          Game->State = GameState::Editor;
          EndFrame();
          return 0;
        case 1:
          Instructions();
          break;
        case 4:
          OptionsScreen();
          break;
        case 5:
          QuitFunc();
          break;
        default:
          break;
      }
    }
    EndFrame();
  }
}

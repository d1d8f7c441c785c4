#include "front/flow.h"

#include "core/codes.h"
#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "front/choosers.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/text.h"
#include "media/timing.h"
#include "play/stage_start.h"
#include "stages/replay.h"
#include "stages/stage.h"

std::string UserStage;
int SongNumber;

void ResetFlowGlobals() {
  UserStage.clear();
  SongNumber = 0;
}

namespace {

bool IsTutorial() {
  return User != 0 && Tutorial != 0;
}

// The stage's file, title and replay names (the title loop sets them again every frame).
void SetStageNames() {
  if (IsTutorial()) {
    UserStage = "Tut" + media::Str(TutNo);
    ReplayName = media::Upper(UserStage);
  } else if (User != 0) {
    ReplayName = media::Upper(UserStage);
  } else {
    ReplayName = Lang[43] + media::Str(Game->Stage + 1);
  }
}

// Proportional text whose middle stands at x 400 on the screen, as the stage title puts it.
void DrawLineCentred(const std::string& line, int y) {
  DrawBmpFont(line, 432 - media::TextWidth(line) / 2, y);
}

// The heading, the further line and the blinking prompt; under them the language line that
// says what is wrong with the stage file, when something is.
void DrawStageTitle(int faultLine) {
  if (IsTutorial()) {
    DisplayText(media::Upper(Lang[42]) + media::Str(TutNo), 0, 250, 1, 1);
    if (TutNo >= 1 && TutNo <= 11) DrawLineCentred(Tut[TutNo], 350);
  } else if (User != 0) {
    DisplayText(media::Upper(Lang[43]) + media::Upper(UserStage), 0, 250, 1, 1);
  } else {
    DisplayText(media::Upper(Lang[43]) + media::Str(Game->Stage + 1), 0, 250, 1, 1);
    DisplayText("&&&&&&&&&&", 0, 270, 1, 1);
  }
  // The line saying what is wrong stands centred under the text above it: under a tutorial's
  // line, placed by the media layer's text width, it is placed the same way.
  if (faultLine >= 0 && IsTutorial()) DrawLineCentred(Lang[faultLine], 420);
  if (faultLine >= 0 && !IsTutorial()) DrawBmpFont(Lang[faultLine], 384, 420, 1, 0);
  pausecounter = (pausecounter + 1) % 1000;
  if (pausecounter <= 974) DisplayText(media::Upper(Lang[44]), 0, 580, 1, 0);
}

// Space, Enter or the left button; every one of them is read.
bool StartPressed() {
  int space = media::KeyHit(media::KEY_SPACE);
  int enter = media::KeyHit(media::KEY_ENTER);
  int menu = MainMenu;
  int click = media::MouseHit(1);
  return space || enter || menu || click;
}

void TitleWait(const media::Image& old, int faultLine) {
  int offset = 0;
  while (!StartPressed()) {
    media::Cls();
    if (offset > -600) offset -= 8;
    DrawImage(old, -16, offset);
    if (media::KeyHit(media::KEY_ESCAPE)) {
      MainMenu = 1;
      Game->State = GameState::Title;
    }
    DrawStageTitle(faultLine);
    SetStageNames();
    media::Flip();
    RenderOverBorders();
    int click = media::MouseHit(1);
    int enter = media::KeyHit(media::KEY_ENTER);
    if (click || enter) break;
    media::Delay(DelayTime);
  }
}

}  // namespace

std::string NextStageFile() {
  if (User != 0) return UserStage;
  return "LEVEL " + media::Str(Game->Stage + 1);
}

int GoNextStage() {
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  media::Image old = media::CreateImage(800, 600);
  media::GrabImage(old, 0, 0);
  ResetAll();
  if (Game->Stage == 0 && User == 0 && DemoMode == 0) ChooseLevel();
  if (Tutorial != 0) {
    DemoMode = 1;
    TutNo = TutNo + 1;
    if (TutNo == 1) ChooseTutorial();
  }
  if (MainMenu != 0) {
    MainMenu = 0;
    Game->State = GameState::Title;
    media::FlushKeys();
    return 0;
  }
  // No stage follows the last built-in one, and no tutorial the last tutorial (a death in a
  // tutorial steps on to the next one): back to the title menu.
  if ((User == 0 && Game->Stage >= kLastStage) || (IsTutorial() && TutNo > kLastTutorial)) {
    Game->State = GameState::Title;
    DemoMode = 0;
    media::FlushKeys();
    return 0;
  }
  SetStageNames();
  // The stage file is checked now, so a missing or damaged one is told on the title.
  int faultLine = StageFaultLine(CheckStageFile(NextStageFile()));
  TitleWait(old, faultLine);
  StopChannel(Sfx);
  if (User != 0) {
    LoadStage(UserStage);
  } else {
    Game->Stage = Game->Stage + 1;
    LoadStage("LEVEL " + media::Str(Game->Stage));
    SongNumber = Game->Stage;
  }
  if (DemoMode != 0) LoadReplay();
  if (User != 0 || SongNumber <= 25) Sng = "Song1.ogg";
  media::FlushKeys();
  return 0;
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetFlowGlobals);
}  // namespace

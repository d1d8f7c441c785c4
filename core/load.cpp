#include "core/load.h"

#include <string>

#include "core/globals.h"
#include "core/settings.h"
#include "core/text.h"
#include "media/media.h"

namespace {

const std::string kIncbin = "incbin::";

media::Image Anim(const std::string& name, int w, int h, int count) {
  return media::LoadAnimImage(kIncbin + name, w, h, 0, count);
}

// Calls `afterStep` with the step's number, when there is one.
void Step(const std::function<void(int)>& afterStep, int k) {
  if (afterStep) afterStep(k);
}

void ProgressStep(int k) {
  media::DrawRect(static_cast<float>(298 + 4 * k), 430, 10, 12);
  media::Flip(-1);
}

}  // namespace

void RegisterEmbeddedFiles() {
  media::RegisterBuiltinBlobs();
}

void LoadFont() {
  imgFont = media::LoadAnimImage(kIncbin + "Images/Font.png", 16, 16, 0, 95,
                                 media::MASKEDIMAGE | media::DYNAMICIMAGE);
  MeasureFontWidths();
}

void LoadMenuPictures() {
  Back = Anim("Images/Back.png", 192, 96, 12);
  optAlpha = Anim("Images/optAlpha.png", 16, 16, 59);
  optAlpha2 = Anim("Images/optAlpha2.png", 16, 16, 59);
  ItemSprite = Anim("Images/Items.png", 48, 48, 64);
}

void LoadPictures(const std::function<void(int)>& afterStep) {
  Options1 = media::LoadImage(kIncbin + dir + "Options1.png");
  Step(afterStep, 0);
  Options2 = media::LoadAnimImage(kIncbin + dir + "Options2.png", 295, 44, 0, 6);
  Step(afterStep, 1);
  ScoreBar = media::LoadImage(kIncbin + dir + "ScoreBar.png");
  Step(afterStep, 2);
  media::SetMaskColor(255, 0, 255);
  F1_Help = media::LoadImage(kIncbin + dir + "F1.png");
  Step(afterStep, 3);
  F1_Edit = media::LoadImage(kIncbin + dir + "F1-Edit.png");
  Step(afterStep, 4);
  Editor = media::LoadImage(kIncbin + "Images/Editor.png");
  Step(afterStep, 5);
  Editor2 = media::LoadImage(kIncbin + "Images/Editor2.png");
  Step(afterStep, 6);
  ESC_Quit = media::LoadImage(kIncbin + "Images/quit.png");
  Step(afterStep, 7);
  Buttons = Anim("Images/buttons.png", 75, 75, 3);
  Step(afterStep, 8);
  Mappy = Anim("Images/map.png", 32, 32, 36);
  Step(afterStep, 9);
  Mappy2 = Anim("Images/map2.png", 64, 64, 2);
  Step(afterStep, 10);
  PlayerSprite = Anim("Images/Player.png", 48, 72, 130);
  Step(afterStep, 11);
  Bricks = Anim("Images/Bricks.png", 48, 24, 21);
  Step(afterStep, 12);
  Enemiesprite = Anim("Images/Enemies.png", 48, 48, 30);
  Step(afterStep, 13);
  HDigBlock = Anim("Images/HDigBlock.png", 24, 48, 36);
  Step(afterStep, 14);
  VDigBlock = Anim("Images/VDigBlock.png", 48, 24, 18);
  Step(afterStep, 15);
  XDoor = Anim("Images/XDoor.png", 96, 96, 32);
  Step(afterStep, 16);
  Doors = Anim("Images/Doors.png", 48, 96, 30);
  Step(afterStep, 17);
  Statusprite = Anim("Images/Status.png", 96, 96, 24);
  Step(afterStep, 18);
  Arrow = Anim("Images/Arrow.png", 32, 32, 10);
  Step(afterStep, 19);
  Title = media::LoadImage(kIncbin + "Images/Title.png");
  Step(afterStep, 20);
}

void LoadSounds(const std::function<void(int)>& afterStep) {
  struct SoundStep {
    media::Sound* sound;
    const char* name;
    int step;
  };
  const SoundStep sounds[] = {
      {&sndOptions, "Options", 21},
      {&jumpsound, "Jump", 21},
      {&HitFloor, "HitFloor", 22},
      {&sndDrill, "Drill", 23},
      {&sndPick, "Pick", 23},
      {&sndFall, "Fall", 24},
      {&sndItem, "Item", 25},
      {&sndKnife, "Knife", 26},
      {&sndBoome, "Boome", 27},
      {&sndScoop, "Scoop", 28},
      {&sndHammer, "Hammer", 29},
      {&sndLadder, "Ladder", 30},
      {&sndFloor, "Floor", 31},
      {&sndCreateWall, "CrtWall", 32},
      {&sndCloseCoffine, "CloseCof", 33},
      {&sndKilled, "Killed", 34},
      {&sndKillEnemy, "KillEnmy", 35},
      {&sndPonyJump, "Pony", 36},
      {&sndCreatePony, "CrtPony", 37},
      {&sndDoor, "RLDoor", 38},
      {&sndPushStone, "PushSton", 39},
      {&sndRollStop, "RollStop", 39},
      {&sndAllGold, "AllGold", 40},
      {&sndExiting, "Exiting", 41},
  };
  const int count = static_cast<int>(sizeof(sounds) / sizeof(sounds[0]));
  for (int i = 0; i < count; ++i) {
    *sounds[i].sound = media::LoadSound(kIncbin + "Sfx/" + sounds[i].name + ".ogg");
    const bool lastOfStep = i + 1 == count || sounds[i + 1].step != sounds[i].step;
    if (lastOfStep) Step(afterStep, sounds[i].step);
  }
}

void LoadWithProgressBar() {
  LoadPictures(ProgressStep);
  LoadSounds(ProgressStep);
}

void LoadAllMedia(int language, bool withSounds) {
  RegisterEmbeddedFiles();
  media::SetMaskColor(255, 0, 255);
  LoadFont();
  Flags = media::LoadImage(kIncbin + "Images/Flags.png");
  LoadMenuPictures();
  dir = PictureDirFor(language);
  LoadPictures();
  if (withSounds) LoadSounds();
  media::SetImageHandle(PlayerSprite, 0, 24);
}

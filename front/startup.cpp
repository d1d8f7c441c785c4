#include "front/startup.h"

#include <cstdio>
#include <functional>

#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "editor/editor.h"
#include "front/front_globals.h"
#include "front/quit.h"
#include "front/settings.h"
#include "front/title.h"
#include "media/media.h"
#include "play/frame.h"
#include "play/tick.h"
#include "stages/flow.h"

namespace {

const std::string kIncbin = "incbin::";

media::Image Anim(const std::string& name, int w, int h, int count) {
  return media::LoadAnimImage(kIncbin + name, w, h, 0, count);
}

// Opens the screen; when full screen cannot open, falls back to a window.
bool OpenScreen(bool fullScreen) {
  if (fullScreen) {
    if (media::Graphics(800, 600, 32, 85)) {
      GraphicsFullScreen = 1;
      return true;
    }
    std::fprintf(stderr, "quillmire: full screen could not open; using a window\n");
  }
  GraphicsFullScreen = 0;
  return media::Graphics(800, 600, 0, 60);
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

void MakeArrays() {
  for (auto& column : Stage) {
    for (int& cell : column) cell = 0;
  }
  for (auto& column : Rooms) {
    for (int& room : column) room = 0;
  }
  for (auto& row : Demo) {
    for (int& v : row) v = 0;
  }
  for (int i = 0; i < 19; ++i) PlayerJump[i] = PlayerJumpX[i] = Bounce[i] = 0;
  for (int i = 0; i < 26; ++i) W[i] = H[i] = 0;
  for (int& p : Played) p = 0;
  for (auto& s : Lang) s.clear();
  for (auto& s : Tut) s.clear();
  for (auto& s : ItemName) s.clear();
  for (auto& s : Option) s.clear();
  for (auto& s : txt) s.clear();
}

void FillBuiltinTables() {
  static const int kJump[18] = {0, 0, 0, -12, -12, -6, -6, -6, -3, 0, 0, 0, 3, 6, 6, 6, 12, 12};
  static const int kBounce[18] = {-12, -6, -3, -3, 0, 0, 3, 3, 6, 12, -12, -3, 0, 3, 12, -6, 0, 6};
  static const int kW[26] = {24, 24, 48, 48, 48, 48, 48, 48, 48, 48, 24, 96, 48,
                             48, 24, 24, 24, 24, 48, 48, 48, 48, 48, 96, 96, 96};
  static const int kH[26] = {24, 24, 24, 48, 48, 48, 48, 48, 48, 48, 48, 24, 48,
                             48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 96, 96, 96};
  for (int i = 0; i < 18; ++i) PlayerJumpX[i] = i == 0 ? 0 : 3;
  for (int i = 0; i < 18; ++i) PlayerJump[i] = kJump[i];
  for (int i = 0; i < 18; ++i) Bounce[i] = kBounce[i];
  for (int i = 1; i <= 30; ++i) ItemName[i] = Lang[146 + i];
  for (int i = 0; i < 26; ++i) {
    W[i] = kW[i];
    H[i] = kH[i];
  }
}

int ChooseLanguage() {
  int language = 0;
  while (language == 0) {
    if (media::KeyHit(media::KEY_ESCAPE)) language = 1;
    Rect(0, 0, 799, 599, 0);
    media::DrawImage(Flags, 300, 275);
    if (media::KeyHit(media::KEY_RIGHT)) LangRect = LangRect >= 4 ? 1 : LangRect + 1;
    if (media::KeyHit(media::KEY_LEFT)) {
      LangRect = LangRect - 1;
      if (LangRect <= 0) LangRect = 4;
    }
    const int space = media::KeyHit(media::KEY_SPACE);
    const int enter = media::KeyHit(media::KEY_ENTER);
    if (space || enter) language = LangRect;
    Rect(252 + 48 * LangRect, 275, 48, 48, 0);
    media::Flip(-1);
    media::Cls();
  }
  return language;
}

int DelayTimeFor(int fps) {
  if (fps <= 60) return 0;
  const float delay = 16.6f - static_cast<float>(1000 / fps);
  return static_cast<int>(delay);
}

void ProbeDisplayRate() {
  // The first pass checks at once (FPS 1, its own frame); later checks close one-second
  // windows, and the eleventh gives up with 25.
  int checks = 0;
  int frames = 0;
  int windowStart = 0;
  FPS = 0;
  do {
    media::Cls();
    ++frames;
    if (checks == 0 || media::MilliSecs() - windowStart >= 1000) {
      ++checks;
      FPS = checks >= 11 ? 25 : frames;
      windowStart = media::MilliSecs();
      frames = 0;
    }
    media::DrawText(media::Str(FPS), -100, -100);
    media::Flip(-1);
  } while (FPS < 25);
  DelayTime = DelayTimeFor(FPS);
}

void LogoSlide() {
  logo = media::LoadImage(kIncbin + "Images/BigLogo.png");
  sndGold = media::LoadSound(kIncbin + "Sfx/Gold.ogg");
  media::PlaySound(sndGold);
  LogoTimer = media::CreateTimer(150);
  const int w = media::ImageWidth(logo), h = media::ImageHeight(logo);
  for (int i = 0; i <= h; i += 5) {
    media::SetViewport(250, 150, w, h);
    DrawImage(logo, 250, 150 + i - h, 0);
    media::Flip(-1);
    media::Cls();
    media::WaitTimer(LogoTimer);
    media::Delay(DelayTime);
  }
  media::SetViewport(0, 0, 800, 600);
  DrawImage(logo, 250, 150, 0);
  media::SetColor(228, 140, 15);
  media::Flip(-1);
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

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder;
  return folder + "/";
}

void GameOverPage() {
  if (song) media::StopChannel(song);
  for (;;) {
    const int escape = media::KeyHit(media::KEY_ESCAPE);
    const int space = media::KeyHit(media::KEY_SPACE);
    if (escape || space) break;
    media::Cls();
    DisplayText(media::Upper(Lang[50]), 0, 300, 1, 1);
    media::Flip(-1);
    RenderOverBorders();
    media::Delay(DelayTime);
  }
  media::FlushKeys();
  User = 0;
  Game->State = 31;
  if (Sfx) media::StopChannel(Sfx);
}

void RunStateMachine() {
  for (;;) {
    switch (Game->State) {
      case 31:
        RenderMainScreen();
        break;
      case 26:
        do {
          UpdateGame();
          RenderGame(0);
          media::Delay(DelayTime);
        } while (Game->State == 26);
        break;
      case 27:
        EditMode = 0;
        GoNextStage();
        break;
      case 28:
        GameOverPage();
        break;
      case 29:
        QuitFunc();
        // The dialog leaves a yes here in quit, and a no changes no state: without these the
        // machine would call the dialog again at once, with no frame between the calls.
        if (Game->State == 29) {
          Game->State = quit == 1 ? 30 : 31;
          quit = 0;
        }
        break;
      case 32:
        EditMode = 1;
        GameEditor();
        break;
      case 30:
        break;
      default:
        // No screen leaves another value; the title screen is the safe place to go.
        Game->State = 31;
        break;
    }
    if (Game->State == 30) return;
  }
}

int _bb_main() {
  RegisterEmbeddedFiles();       // 1
  CreateObjectLists();           // 2
  media::AppTitle("Quillmire");  // 3
  MakeArrays();                  // 4
  Difficulity = 1;               // 5
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  ReadPrefs();  // 6
  GraphicsFullScreen = 0;
  if (!media::Graphics(800, 600, 0, 60)) {
    std::fprintf(stderr, "quillmire: no window could be opened\n");
    return 1;
  }
  media::SetMaskColor(255, 0, 255);  // 7
  LoadFont();                        // 8
  media::HideMouse();                // 9, 10
  media::DebugLog(media::CurrentDir());
  Flags = media::LoadImage(kIncbin + "Images/Flags.png");  // 11
  Language = ReadCountry();                                // 12
  if (Language == 0) Language = ChooseLanguage();
  WriteCountry(Language);
  media::Cls();
  media::Flip(-1);
  ReadLanguage(Language);  // 13
  ReadPrefs();             // 14
  if (!OpenScreen(Mode == 0)) {
    std::fprintf(stderr, "quillmire: no window could be opened\n");
    return 1;
  }
  StartMusicDecoding();  // taken by PrecacheAllMusic (24)
  ProbeDisplayRate();    // 15
  media::DebugLog(media::Str(FPS));
  media::DebugLog("Delaytime: " + media::Str(DelayTime));
  for (int i = 1; i <= 11; ++i) Tut[i] = Lang[i - 1];  // 16
  AppPath = media::CurrentDir();                       // 17
  FilePath = media::CurrentDir() + "\\PlayerLevels\\";
  media::CreateDir(FilePath);
  LoadMenuPictures();  // 18
  media::Cls();        // 19
  media::Flip(-1);
  LogoSlide();
  ReadPlayed();                   // 20
  FillBuiltinTables();            // 21
  dir = PictureDirFor(Language);  // 22
  LoadWithProgressBar();          // 23
  PrecacheAllMusic(0);            // 24
  media::Flip(-1);
  media::SetImageHandle(PlayerSprite, 0, 24);  // 25
  media::SetColor(0, 0, 255);
  Path = WithTrailingSlash(media::CurrentDir());  // 26
  Game->State = 31;                               // 27
  RunStateMachine();
  return 0;
}

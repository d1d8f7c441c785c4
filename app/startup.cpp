#include "app/startup.h"

#include <cstdio>

#include "app/state_machine.h"
#include "core/codes.h"
#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/sound.h"
#include "core/tables.h"
#include "media/media.h"

namespace {

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

}  // namespace

std::string WithTrailingSlash(const std::string& folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder;
  return folder + "/";
}

int _bb_main() {
  // The built-in files, the empty object lists, the window title and the empty tables.
  RegisterEmbeddedFiles();
  CreateObjectLists();
  media::AppTitle("Quillmire");
  MakeArrays();
  // The new game's single objects; the display mode from "prefs.ini".
  Difficulity = 1;
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  ReadPrefs();
  // A window for the language chooser, with the font and the mouse pointer hidden.
  GraphicsFullScreen = 0;
  if (!media::Graphics(800, 600, 0, 60)) {
    std::fprintf(stderr, "quillmire: no window could be opened\n");
    return 1;
  }
  media::SetMaskColor(255, 0, 255);
  LoadFont();
  media::HideMouse();
  media::DebugLog(media::CurrentDir());
  // The language: from "Country.ini", or chosen over the flags on the first start.
  Flags = media::LoadImage("incbin::Images/Flags.png");
  Language = ReadCountry();
  if (Language == 0) Language = ChooseLanguage();
  WriteCountry(Language);
  media::Cls();
  media::Flip(-1);
  ReadLanguage(Language);
  // The screen in the display mode the player chose (the mode's label is now in the language).
  ReadPrefs();
  if (!OpenScreen(Mode == 0)) {
    std::fprintf(stderr, "quillmire: no window could be opened\n");
    return 1;
  }
  // The music decodes in the background from here on; PrecacheAllMusic below takes it.
  StartMusicDecoding();
  ProbeDisplayRate();
  media::DebugLog(media::Str(FPS));
  media::DebugLog("Delaytime: " + media::Str(DelayTime));
  // The tutorial titles, and the folders of the program and of the player's stages.
  for (int i = 1; i <= 11; ++i) Tut[i] = Lang[i - 1];
  AppPath = media::CurrentDir();
  FilePath = media::CurrentDir() + "\\PlayerLevels\\";
  media::CreateDir(FilePath);
  // What saves cut short left behind (temporary files never renamed) is cleared away.
  media::RemoveStaleTempFiles(AppPath);
  media::RemoveStaleTempFiles(FilePath);
  // The menu pictures, then the logo sliding in.
  LoadMenuPictures();
  media::Cls();
  media::Flip(-1);
  LogoSlide();
  // The finished stages and the built-in tables.
  ReadPlayed();
  FillBuiltinTables();
  // The pictures (those with words in the language's folder) and sounds under the progress
  // bar, then the music.
  dir = PictureDirFor(Language);
  LoadWithProgressBar();
  PrecacheAllMusic(0);
  media::Flip(-1);
  media::SetImageHandle(PlayerSprite, 0, 24);
  media::SetColor(0, 0, 255);
  // The folder the game's files are read from, then the title screen.
  Path = WithTrailingSlash(media::CurrentDir());
  Game->State = GameState::Title;
  RunStateMachine();
  return 0;
}

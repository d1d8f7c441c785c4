#include "tools/solc/world.h"

#include <filesystem>
#include <system_error>

#include "core/codes.h"
#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/tables.h"
#include "core/text.h"
#include "media/app.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "play/dig.h"
#include "play/frame.h"
#include "play/player.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"
#include "stages/stage.h"

namespace solc {

namespace fs = std::filesystem;

void SetUpWorld() {
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  ResetGlobals();
  MakeArrays();
  Difficulity = 1;
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  media::Graphics(800, 600, 0, 60);
  FillBuiltinTables();
  LoadAllMedia();
  SfxVol = 0.0f;
  MusicVol = 0.0f;
}

std::string ReplayNameFor(int stage) {
  return "Level " + std::to_string(stage);
}

namespace {

// Copies the stage file (and its replay) into a fresh start folder and points the folders at it.
bool Prepare(const std::string& folder, const std::string& levelsDir, const std::string& stageName,
             const std::string& sol, std::string& error) {
  std::error_code ec;
  const fs::path root(folder);
  fs::create_directories(root / "Levels", ec);
  fs::create_directories(root / "PlayerLevels", ec);
  for (const std::string& name : {stageName, sol}) {
    if (name.empty()) continue;
    fs::copy_file(fs::path(levelsDir) / name, root / "Levels" / name,
                  fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "cannot copy " + (fs::path(levelsDir) / name).string() + ": " + ec.message();
      return false;
    }
  }
  const std::string abs = fs::absolute(root).lexically_normal().string();
  AppPath = abs;
  Path = abs + "/";
  FilePath = abs + "/PlayerLevels/";
  return true;
}

void StartAttempt(bool replay) {
  EditMode = 0;
  DemoMode = replay ? 1 : 0;
  SetNewGamePlayer();
}

}  // namespace

bool PrepareFolder(const std::string& folder, const std::string& levelsDir, int stage,
                   bool withReplay, std::string& error) {
  return Prepare(folder, levelsDir, "LEVEL " + std::to_string(stage),
                 withReplay ? ReplayNameFor(stage) + ".SOL" : "", error);
}

std::string TutorialStageName(int tut) {
  return "Tut" + std::to_string(tut);
}
std::string TutorialReplayName(int tut) {
  return "TUT" + std::to_string(tut);
}

bool PrepareTutorialFolder(const std::string& folder, const std::string& levelsDir, int tut,
                           bool withReplay, std::string& error) {
  return Prepare(folder, levelsDir, TutorialStageName(tut),
                 withReplay ? TutorialReplayName(tut) + ".SOL" : "", error);
}

bool StartTutorial(int tut, bool replay, int difficulty, std::string& error) {
  User = 1;
  Tutorial = 1;
  TutNo = tut;
  Difficulity = difficulty;
  StartAttempt(replay);
  Game->Stage = 0;
  ResetAll();
  ReplayName = TutorialReplayName(tut);
  LoadStage(TutorialStageName(tut));
  if (LastStageCheck.fault != stagefile::Fault::None) {
    error = "tutorial " + std::to_string(tut) + " did not load";
    return false;
  }
  if (replay) {
    LoadReplay();
    if (DemoMode != 1) {
      error = "no replay " + ReplayName + ".SOL";
      return false;
    }
  }
  Sng = "Song1.ogg";
  return true;
}

bool StartStage(int stage, bool replay, std::string& error) {
  User = 0;
  Tutorial = 0;
  StartAttempt(replay);
  Game->Stage = stage - 1;
  Game->State = GameState::NextStage;
  ResetAll();
  ReplayName = ReplayNameFor(stage);
  Game->Stage += 1;
  LoadStage("LEVEL " + std::to_string(stage));
  if (LastStageCheck.fault != stagefile::Fault::None) {
    error = "stage " + std::to_string(stage) + " did not load";
    return false;
  }
  if (replay) {
    LoadReplay();
    if (DemoMode != 1) {
      error = "no replay " + ReplayName + ".SOL";
      return false;
    }
  }
  Sng = "Song1.ogg";
  return true;
}

void Pass() {
  UpdateGame();
  RenderGame(0);
}

std::string Describe(int tick) {
  return "tick " + std::to_string(tick) + " x " + std::to_string(Player->X) + " y " +
         std::to_string(Player->Y) + " action " + std::to_string(Player->Action) + " tool " +
         std::to_string(Player->State) + " room " + std::to_string(RoomX) + " " +
         std::to_string(RoomY) + " gold " + std::to_string(Exitdoor->Frame) + " door " +
         std::to_string(Exitdoor->State) + " state " + std::to_string(Game->State) + " score " +
         std::to_string(Player->Score);
}

}  // namespace solc

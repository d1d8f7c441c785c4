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
#include "front/flow.h"
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

namespace {}  // namespace

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

bool ParseStageRef(const std::string& text, StageRef& out) {
  std::string digits = text;
  bool tutorial = false;
  if (text.size() > 3 && (text[0] == 'T' || text[0] == 't') && (text[1] == 'U' || text[1] == 'u') &&
      (text[2] == 'T' || text[2] == 't')) {
    digits = text.substr(3);
    tutorial = true;
  }
  if (digits.empty() || digits.size() > 2 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int n = std::stoi(digits);
  if (n < 1 || n > (tutorial ? 11 : 70)) return false;
  out = {n, tutorial};
  return true;
}

std::string StageFileFor(const StageRef& stage) {
  return (stage.tutorial ? "Tut" : "LEVEL ") + std::to_string(stage.number);
}

int StateAfterExit(const StageRef& stage) {
  return stage.tutorial && stage.number >= kLastTutorial ? GameState::Title : GameState::NextStage;
}

std::string ReplayNameFor(const StageRef& stage) {
  return stage.tutorial ? "TUT" + std::to_string(stage.number) : ReplayNameFor(stage.number);
}

bool PrepareFolder(const std::string& folder, const std::string& levelsDir, int stage,
                   bool withReplay, std::string& error) {
  return PrepareFolder(folder, levelsDir, StageRef{stage, false}, withReplay, error);
}

bool PrepareFolder(const std::string& folder, const std::string& levelsDir, const StageRef& stage,
                   bool withReplay, std::string& error) {
  std::error_code ec;
  const fs::path root(folder);
  fs::create_directories(root / "Levels", ec);
  fs::create_directories(root / "PlayerLevels", ec);
  const std::string stageName = StageFileFor(stage);
  fs::copy_file(fs::path(levelsDir) / stageName, root / "Levels" / stageName,
                fs::copy_options::overwrite_existing, ec);
  if (ec) {
    error = "cannot copy " + (fs::path(levelsDir) / stageName).string() + ": " + ec.message();
    return false;
  }
  if (withReplay) {
    const std::string sol = ReplayNameFor(stage) + ".SOL";
    fs::copy_file(fs::path(levelsDir) / sol, root / "Levels" / sol,
                  fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = "cannot copy " + (fs::path(levelsDir) / sol).string() + ": " + ec.message();
      return false;
    }
  }
  const std::string abs = fs::absolute(root).lexically_normal().string();
  AppPath = abs;
  Path = abs + "/";
  FilePath = abs + "/PlayerLevels/";
  return true;
}

namespace {

// The stage file, in replay mode its replay (ReplayName set), and the stage song, as the stage
// flow loads them after the title. False with a message when either is refused.
bool LoadStageAndReplay(const std::string& file, bool replay, std::string& error) {
  LoadStage(file);
  if (LastStageCheck.fault != stagefile::Fault::None) {
    error = file + " did not load";
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

}  // namespace

bool StartStage(const StageRef& stage, bool replay, std::string& error, int difficulty) {
  if (!stage.tutorial) return StartStage(stage.number, replay, error);
  User = 1;
  Tutorial = 1;
  TutNo = stage.number;
  Difficulity = difficulty;
  Game->Stage = 0;
  EditMode = 0;
  DemoMode = replay ? 1 : 0;
  Player->Score = 0;
  Player->Lives = 2;
  Player->XS = Player->YS = 3;
  Game->State = 27;
  ResetAll();
  ReplayName = ReplayNameFor(stage);
  return LoadStageAndReplay(StageFileFor(stage), replay, error);
}

bool StartStage(int stage, bool replay, std::string& error) {
  User = 0;
  Tutorial = 0;
  EditMode = 0;
  DemoMode = replay ? 1 : 0;
  SetNewGamePlayer();
  Game->Stage = stage - 1;
  Game->State = GameState::NextStage;
  ResetAll();
  ReplayName = ReplayNameFor(stage);
  Game->Stage += 1;
  return LoadStageAndReplay(StageFileFor(StageRef{stage, false}), replay, error);
}

void Pass() {
  UpdateGame();
  RenderGame(0);
}

namespace {

// Each enemy as " enemy KIND STATE X Y" in world pixels, for following a stage's enemies.
std::string Enemies() {
  std::string out;
  for (auto e : Enemies_list.Each<bbEnemies>()) {
    out += " enemy " + std::to_string(e->Kind) + " " + std::to_string(e->State) + " " +
           std::to_string(e->x) + " " + std::to_string(e->y);
  }
  return out;
}

}  // namespace

std::string Describe(int tick) {
  return "tick " + std::to_string(tick) + " x " + std::to_string(Player->X) + " y " +
         std::to_string(Player->Y) + " action " + std::to_string(Player->Action) + " tool " +
         std::to_string(Player->State) + " room " + std::to_string(RoomX) + " " +
         std::to_string(RoomY) + " gold " + std::to_string(Exitdoor->Frame) + " door " +
         std::to_string(Exitdoor->State) + " state " + std::to_string(Game->State) + " score " +
         std::to_string(Player->Score) + Enemies();
}

}  // namespace solc

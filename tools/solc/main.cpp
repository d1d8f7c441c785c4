// solc: the solution replays of the shipped stages.
//
//   solc record LEVELS N SCRIPT OUT.SOL [--trace] [--soft] [--pictures DIR] [--languages DIR]
//       plays stage N ("12" for "LEVEL 12", "Tut3" for tutorial 3) of the folder LEVELS headless
//       with the keys of SCRIPT and the game's own rules, and writes the recorded replay to
//       OUT.SOL when the player has left through the exit door. --trace prints the player and
//       the enemies every pass; --soft reports a failed run on standard error but exits 0 (the
//       build then ships no replay, which the content tests notice). --pictures saves the picture
//       shown on entering each room, at the door and at the end as DIR/N-TICK.png, for looking the
//       stage over; --every T also every T passes. --difficulty D plays on setting D (1 or 2; 1
//       when left out): the tutorials keep the player's setting.
//       --languages names the folder holding Langs/: a built-in stage's replay is also written
//       beside OUT.SOL under each language's word for a stage ("Niveau 12.SOL"), since the game
//       looks a solution up under that word.
//   solc picture LEVELS N OUT.PNG
//       draws every room of stage N in its place of the room grid, at a quarter of its size.
//   solc print FILE.SOL
//       prints a replay file as text.
//
// Exit status 0 on success, 1 when the work failed (the message says why), 2 for bad
// arguments. Relative paths are taken from the folder solc is started in.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "media/graphics.h"
#include "stages/replay.h"
#include "tools/solc/picture.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"
#include "tools/solc/world.h"

namespace fs = std::filesystem;

namespace {

bool ReadAll(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: solc record LEVELS N SCRIPT OUT.SOL [--trace] [--soft] [--pictures DIR]\n"
               "                  [--languages DIR] [--every T] [--difficulty D]\n"
               "       solc picture LEVELS N OUT.PNG\n"
               "       solc print FILE.SOL\n"
               "N is a stage number 1 to 70 or a tutorial Tut1 to Tut11\n");
  return 2;
}

int Print(const std::string& path) {
  std::string raw;
  if (!ReadAll(path, raw)) {
    std::fprintf(stderr, "solc: cannot read %s\n", path.c_str());
    return 1;
  }
  std::vector<solc::Run> runs;
  int n = 0;
  std::string error;
  if (!solc::DecodeSol(std::vector<unsigned char>(raw.begin(), raw.end()), runs, n, error)) {
    std::fprintf(stderr, "solc: %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  std::cout << solc::SolText(runs, n);
  return 0;
}

// A fresh start folder for one play, under the system's temporary folder.
fs::path WorkFolder() {
  std::random_device rd;
  return fs::temp_directory_path() / ("solc-" + std::to_string(rd()));
}

// The words for a stage of the languages whose files lie in `dir`/Langs/, each once.
std::vector<std::string> StageWords(const fs::path& dir, std::string& error) {
  std::vector<std::string> words;
  const fs::path start = fs::current_path();
  std::error_code ec;
  fs::current_path(dir, ec);
  if (ec) {
    error = "cannot read the language folder " + dir.string();
    return words;
  }
  for (int language = 1; language <= 4; ++language) {
    Lang[43].clear();
    ReadLanguage(language);
    const std::string& word = Lang[43];
    const bool safe = !word.empty() && word.find_first_of("/\\:*?\"<>|") == std::string::npos &&
                      word.find("..") == std::string::npos;
    if (!safe) {
      error =
          "language " + std::to_string(language) + " has no word for a stage fit for a file name";
      break;
    }
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
  }
  fs::current_path(start, ec);
  return words;
}

// The names beside `out` under which the game of each language looks for the replay of
// built-in stage `stage`, other than `out` itself.
std::vector<fs::path> LanguageCopies(const fs::path& out, int stage,
                                     const std::vector<std::string>& words) {
  std::vector<fs::path> copies;
  for (const std::string& word : words) {
    const fs::path copy = out.parent_path() / (word + std::to_string(stage) + ".SOL");
    if (copy != out) copies.push_back(copy);
  }
  return copies;
}

// Plays and records; returns an error message, empty on success.
std::string Record(const std::string& levels, solc::StageRef stage, const std::string& scriptPath,
                   const fs::path& out, bool trace, const std::string& pictures, int every,
                   int difficulty) {
  std::string text, error;
  if (!ReadAll(scriptPath, text)) return "cannot read " + scriptPath;
  std::vector<solc::Step> steps;
  if (!solc::ParseScript(text, steps, error)) return scriptPath + ": " + error;
  const fs::path work = WorkFolder();
  const fs::path start = fs::current_path();
  solc::SetUpWorld();
  bool ok = solc::PrepareFolder(work.string(), levels, stage, false, error) &&
            solc::StartStage(stage, false, error, difficulty);
  bool exited = false;
  if (ok) {
    int lastRoom = -1;
    auto tracer = [&](int tick) {
      const int room = RoomY * 6 + RoomX;
      const bool show = room != lastRoom || (Player->Action == Act::Exiting && !exited) ||
                        Game->State != GameState::Play || (every > 0 && tick % every == 0);
      lastRoom = room;
      exited = exited || Player->Action == Act::Exiting;
      if (trace) std::cout << solc::Describe(tick) << "\n";
      if (!pictures.empty() && show) {
        const std::string png =
            pictures + "/" + solc::StageFileFor(stage) + "-" + std::to_string(tick) + ".png";
        media::SavePNG(media::ShownPixels(), media::GraphicsWidth(), media::GraphicsHeight(), png);
      }
    };
    ok = solc::RunScript(steps, solc::Pass, tracer, error);
    if (!ok) {
      error = scriptPath + ": " + error;
    } else if (!exited || Game->State != solc::StateAfterExit(stage)) {
      ok = false;
      error = "the stage ended without the player leaving through the exit door";
    }
  }
  if (ok) {
    std::error_code ec;
    fs::create_directories(out.parent_path(), ec);
    FilePath = out.parent_path().string() + "/";
    ReplayName = out.stem().string();
    SaveReplay();
    if (!fs::is_regular_file(out, ec) || fs::file_size(out, ec) < 4) {
      ok = false;
      error = "could not write " + out.string();
    }
  }
  std::error_code ec;
  fs::current_path(start, ec);
  fs::remove_all(work, ec);
  return ok ? std::string() : error;
}

// The path as seen from the starting folder, whatever folder the game's readers change to.
bool Absolute(const std::string& arg, fs::path& out) {
  std::error_code ec;
  if (arg.empty()) return false;
  out = fs::absolute(arg, ec).lexically_normal();
  return !ec;
}

int PictureCommand(const std::vector<std::string>& args) {
  solc::StageRef stage;
  fs::path levels, out;
  if (!solc::ParseStageRef(args[2], stage) || !Absolute(args[1], levels) ||
      !Absolute(args[3], out) || !out.has_filename())
    return Usage();
  const fs::path start = fs::current_path();
  const fs::path work = WorkFolder();
  solc::SetUpWorld();
  std::string error;
  std::error_code ec;
  fs::create_directories(out.parent_path(), ec);
  const bool ok =
      solc::DrawStagePicture(levels.string(), stage, work.string(), out.string(), error);
  fs::current_path(start, ec);
  fs::remove_all(work, ec);
  if (!ok) {
    std::fprintf(stderr, "solc: %s: %s\n", solc::StageFileFor(stage).c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "print") return Print(args[1]);
  if (args.size() == 4 && args[0] == "picture") return PictureCommand(args);
  if (args.size() < 5 || args[0] != "record") return Usage();
  bool trace = false, soft = false;
  int every = 0, difficulty = 1;
  fs::path pictures, languages;
  for (std::size_t i = 5; i < args.size(); ++i) {
    if (args[i] == "--pictures" && i + 1 < args.size()) {
      if (!Absolute(args[++i], pictures)) return Usage();
    } else if (args[i] == "--languages" && i + 1 < args.size()) {
      if (!Absolute(args[++i], languages)) return Usage();
    } else if (args[i] == "--every" && i + 1 < args.size()) {
      every = std::atoi(args[++i].c_str());
    } else if (args[i] == "--difficulty" && i + 1 < args.size() &&
               (args[i + 1] == "1" || args[i + 1] == "2")) {
      difficulty = args[++i][0] - '0';
    } else if (args[i] == "--trace") {
      trace = true;
    } else if (args[i] == "--soft") {
      soft = true;
    } else {
      return Usage();
    }
  }
  solc::StageRef stage;
  fs::path levels, script, out;
  if (!solc::ParseStageRef(args[2], stage) || !Absolute(args[1], levels) ||
      !Absolute(args[3], script) || !Absolute(args[4], out) || out.extension() != ".SOL")
    return Usage();  // the game reads replays only by their ".SOL" names
  std::string error;
  std::vector<fs::path> copies;
  if (!languages.empty() && !stage.tutorial)
    copies = LanguageCopies(out, stage.number, StageWords(languages, error));
  std::error_code ec;
  fs::remove(out, ec);
  for (const fs::path& copy : copies) fs::remove(copy, ec);
  if (error.empty() && !pictures.empty() && !fs::create_directories(pictures, ec) &&
      !fs::is_directory(pictures, ec))
    error = "could not make the picture folder " + pictures.string();
  if (error.empty())
    error = Record(levels.string(), stage, script.string(), out, trace, pictures.string(), every,
                   difficulty);
  for (const fs::path& copy : copies) {
    if (!error.empty()) break;
    fs::copy_file(out, copy, fs::copy_options::overwrite_existing, ec);
    if (ec) error = "could not write " + copy.string() + ": " + ec.message();
  }
  if (!error.empty()) {
    std::fprintf(stderr, "solc: %s: %s\n", solc::StageFileFor(stage).c_str(), error.c_str());
    return soft ? 0 : 1;
  }
  return 0;
}

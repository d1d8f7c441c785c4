// solc: the solution replays of the shipped stages.
//
//   solc record LEVELS N SCRIPT OUT.SOL [--trace] [--soft] [--pictures DIR]
//       plays stage "LEVEL N" of the folder LEVELS headless with the keys of SCRIPT and the
//       game's own rules, and writes the recorded replay to OUT.SOL when the player has left
//       through the exit door. --trace prints the player every pass; --soft reports a failed
//       run on standard error but exits 0 (the build then ships no replay, which the content
//       tests notice). --pictures saves the picture shown on entering each room, at the door
//       and at the end as DIR/N-TICK.png, for looking the stage over.
//   solc print FILE.SOL
//       prints a replay file as text.
#include <cstdio>
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
#include "media/graphics.h"
#include "stages/replay.h"
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
               "       solc print FILE.SOL\n");
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

// Plays and records; returns an error message, empty on success.
std::string Record(const std::string& levels, int stage, const std::string& scriptPath,
                   const fs::path& out, bool trace, const std::string& pictures) {
  std::string text, error;
  if (!ReadAll(scriptPath, text)) return "cannot read " + scriptPath;
  std::vector<solc::Step> steps;
  if (!solc::ParseScript(text, steps, error)) return scriptPath + ": " + error;
  std::random_device rd;
  const fs::path work = fs::temp_directory_path() / ("solc-" + std::to_string(rd()));
  const fs::path start = fs::current_path();
  solc::SetUpWorld();
  bool ok = solc::PrepareFolder(work.string(), levels, stage, false, error) &&
            solc::StartStage(stage, false, error);
  bool exited = false;
  if (ok) {
    int lastRoom = -1;
    auto tracer = [&](int tick) {
      const int room = RoomY * 6 + RoomX;
      const bool show = room != lastRoom || (Player->Action == Act::Exiting && !exited) ||
                        Game->State != GameState::Play;
      lastRoom = room;
      exited = exited || Player->Action == Act::Exiting;
      if (trace) std::cout << solc::Describe(tick) << "\n";
      if (!pictures.empty() && show) {
        const std::string png =
            pictures + "/" + std::to_string(stage) + "-" + std::to_string(tick) + ".png";
        media::SavePNG(media::ShownPixels(), media::GraphicsWidth(), media::GraphicsHeight(), png);
      }
    };
    ok = solc::RunScript(steps, solc::Pass, tracer, error);
    if (!ok) {
      error = scriptPath + ": " + error;
    } else if (!exited || Game->State != GameState::NextStage) {
      ok = false;
      error = "the stage ended without the player leaving through the exit door";
    }
  }
  if (ok) {
    std::error_code ec;
    fs::create_directories(out.parent_path(), ec);
    FilePath = fs::absolute(out.parent_path()).string() + "/";
    ReplayName = out.stem().string();
    SaveReplay();
    if (!fs::exists(out)) {
      ok = false;
      error = "could not write " + out.string();
    }
  }
  std::error_code ec;
  fs::current_path(start, ec);
  fs::remove_all(work, ec);
  return ok ? std::string() : error;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "print") return Print(args[1]);
  if (args.size() < 5 || args[0] != "record") return Usage();
  bool trace = false, soft = false;
  std::string pictures;
  for (std::size_t i = 5; i < args.size(); ++i) {
    if (args[i] == "--pictures" && i + 1 < args.size())
      pictures = args[++i];
    else if (args[i] == "--trace")
      trace = true;
    else if (args[i] == "--soft")
      soft = true;
    else
      return Usage();
  }
  int stage = 0;
  try {
    stage = std::stoi(args[2]);
  } catch (...) {
    return Usage();
  }
  if (stage < 1 || stage > 70) return Usage();
  const fs::path out = args[4];
  std::error_code ec;
  fs::remove(out, ec);
  const std::string error = Record(args[1], stage, args[3], out, trace, pictures);
  if (!error.empty()) {
    std::fprintf(stderr, "solc: stage %d: %s\n", stage, error.c_str());
    return soft ? 0 : 1;
  }
  return 0;
}

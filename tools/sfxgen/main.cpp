// sfxgen <recipe folder> <embed folder> <music folder>
// Synthesises every sound effect and music track from its recipe (see effect.h and song.h).
//
// sfxgen --levels <recipe folder>
// Prints the loudness figures of every recipe (see levels.h): each effect's loudest 100 ms at
// the game's effect volume, its share of energy between 300 Hz and 3 kHz, and each song's
// loudest 400 ms at full volume.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/generate.h"
#include "tools/sfxgen/levels.h"
#include "tools/sfxgen/song.h"

namespace {

int PrintLevels(const std::filesystem::path& src) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (const char* sub : {"effects", "music"}) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(src / sub, ec)) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  try {
    for (const fs::path& f : files) {
      std::ifstream in(f, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      const std::string name = f.stem().string();
      if (f.extension() == ".sfx") {
        const std::vector<float> s = sfxgen::RenderEffect(sfxgen::ParseEffect(name, text.str()));
        std::printf("effect %-9s %7.1f dB at 0.3  %3.0f%% in 300 Hz-3 kHz\n", name.c_str(),
                    sfxgen::LoudestLevelDb(s, 1, sfxgen::kEffectWindow, sfxgen::kEffectVolume),
                    100.0 * sfxgen::BandShare(s, 1, 300.0, 3000.0));
      } else if (f.extension() == ".song") {
        const std::vector<float> s = sfxgen::RenderSong(sfxgen::ParseSong(name, text.str()));
        std::printf("song   %-9s %7.1f dB at 1.0\n", name.c_str(),
                    sfxgen::LoudestLevelDb(s, 2, sfxgen::kMusicWindow));
      }
    }
  } catch (const sfxgen::RecipeError& e) {
    std::fprintf(stderr, "sfxgen: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--levels") return PrintLevels(argv[2]);
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: sfxgen <recipe folder> <embed folder> <music folder>\n"
                 "       sfxgen --levels <recipe folder>\n");
    return 2;
  }
  std::vector<std::string> errors;
  std::vector<sfxgen::Output> outputs;
  bool ok = sfxgen::GenerateAll(argv[1], argv[2], argv[3], &errors, &outputs);
  for (const std::string& e : errors) std::fprintf(stderr, "sfxgen: %s\n", e.c_str());
  std::printf("sfxgen: %zu sounds written\n", outputs.size());
  return ok ? 0 : 1;
}

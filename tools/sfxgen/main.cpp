// sfxgen <recipe folder> <embed folder> <music folder>
// Synthesises every sound effect and music track from its recipe (see effect.h and song.h).
//
// sfxgen --levels <recipe folder>
// Prints the loudness figures of every recipe as the game plays it by default (see levels.h):
// the songs at volume 1.0, the effects at 0.3, each effect's loudest 100 ms against the louder
// song's mean, and the start-up logo's chime (Gold at full volume) against the title music.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/generate.h"
#include "tools/sfxgen/levels.h"
#include "tools/sfxgen/song.h"
#include "tools/sfxgen/text.h"

namespace {

// One line of the table; the 3-second windows and the width only for a song.
void PrintRow(const char* kind, const std::string& name, double volume, const sfxgen::Levels& l,
              bool song) {
  std::printf("%-6s %-9s %4.1f %6.1f %6.1f %6.1f %5.0f%% %5.0f%%", kind, name.c_str(), volume,
              l.mean_db, l.loudest_db, l.peak_db, 100.0 * l.low_share, 100.0 * l.middle_share);
  if (song) {
    std::printf(" %6.1f  %5.1f..%5.1f (moves %.1f dB)\n", l.side_db, l.quietest_span_db,
                l.loudest_span_db, l.Movement());
  }
}

int PrintLevels(const std::filesystem::path& src) {
  namespace fs = std::filesystem;
  struct Sound {
    std::string name;
    bool song;
    std::vector<float> samples;
  };
  std::vector<Sound> sounds;
  try {
    for (const char* sub : {"music", "effects"}) {
      std::vector<fs::path> files;
      std::error_code ec;
      for (const auto& e : fs::directory_iterator(src / sub, ec)) files.push_back(e.path());
      std::sort(files.begin(), files.end());
      for (const fs::path& f : files) {
        std::string text;
        if (f.extension() != ".sfx" && f.extension() != ".song") continue;
        if (!sfxgen::ReadWholeFile(f.string(), &text)) {
          std::fprintf(stderr, "sfxgen: %s: cannot be read\n", f.string().c_str());
          return 1;
        }
        const std::string name = f.stem().string();
        const bool song = f.extension() == ".song";
        sounds.push_back({name, song,
                          song ? sfxgen::RenderSong(sfxgen::ParseSong(name, text))
                               : sfxgen::RenderEffect(sfxgen::ParseEffect(name, text))});
      }
    }
  } catch (const sfxgen::RecipeError& e) {
    std::fprintf(stderr, "sfxgen: %s\n", e.what());
    return 1;
  }
  std::printf(
      "                      K-weighted dB        peak   energy share    song: side, 3 s windows\n"
      "sound  name      vol.   mean  100ms   dBFS  <200 Hz  0.3-3k      effect: 100 ms over "
      "music\n");
  double music = -200.0, title = -200.0;
  for (const Sound& s : sounds) {
    if (!s.song) continue;
    const sfxgen::Levels l = sfxgen::Measure(s.samples, 2, sfxgen::kMusicVolume, true);
    music = std::max(music, l.mean_db);
    if (s.name == "Title") title = l.mean_db;
    PrintRow("song", s.name, sfxgen::kMusicVolume, l, true);
  }
  for (const Sound& s : sounds) {
    if (s.song) continue;
    const sfxgen::Levels l = sfxgen::Measure(s.samples, 1, sfxgen::kEffectVolume, false);
    PrintRow("effect", s.name, sfxgen::kEffectVolume, l, false);
    std::printf("  %+5.1f\n", l.loudest_db - music);
    if (s.name == "Gold") {
      const sfxgen::Levels logo = sfxgen::Measure(s.samples, 1, 1.0, false);
      PrintRow("logo", s.name, 1.0, logo, false);
      std::printf("  %+5.1f over Title (its mean %+.1f)\n", logo.loudest_db - title,
                  logo.mean_db - title);
    }
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

// sfxgen <recipe folder> <embed folder> <music folder>
// Synthesises every sound effect and music track from its recipe (see effect.h and song.h).
#include <cstdio>
#include <string>
#include <vector>

#include "tools/sfxgen/generate.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: sfxgen <recipe folder> <embed folder> <music folder>\n");
    return 2;
  }
  std::vector<std::string> errors;
  std::vector<sfxgen::Output> outputs;
  bool ok = sfxgen::GenerateAll(argv[1], argv[2], argv[3], &errors, &outputs);
  for (const std::string& e : errors) std::fprintf(stderr, "sfxgen: %s\n", e.c_str());
  std::printf("sfxgen: %zu sounds written\n", outputs.size());
  return ok ? 0 : 1;
}

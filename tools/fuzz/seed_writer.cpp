// Writes the built-in seed corpora of the fuzz targets, <out>/<target>/<seed>.
//
//   quill_fuzz_seeds <out folder>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/fuzz/fuzz_targets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <out folder>\n", argv[0]);
    return 2;
  }
  int written = 0;
  for (const fuzz::Target& t : fuzz::Targets())
    for (const fuzz::Seed& s : fuzz::SeedsFor(t.name)) {
      const std::filesystem::path path = std::filesystem::path(argv[1]) / t.name / s.name;
      std::error_code ec;
      std::filesystem::create_directories(path.parent_path(), ec);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      if (!out.write(reinterpret_cast<const char*>(s.bytes.data()),
                     static_cast<std::streamsize>(s.bytes.size()))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
      ++written;
    }
  std::printf("%d seeds written to %s\n", written, argv[1]);
  return 0;
}

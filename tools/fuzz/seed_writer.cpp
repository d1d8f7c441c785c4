// Writes the seed corpora of the fuzz targets: <out>/<target>/<seed> for every built-in seed
// and, given the stage sources' folder, the stages compiled from its *.stage files (stage/)
// and the sources themselves (stagesource/).
//
//   quill_fuzz_seeds <out folder> [<stage sources folder>]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/fuzz/fuzz_targets.h"
#include "tools/stagec/source.h"

namespace {

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

std::string SafeName(std::string name) {
  for (char& c : name)
    if (c == ' ' || c == '/') c = '-';
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <out folder> [<stage sources folder>]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  int written = 0;
  for (const fuzz::Target& t : fuzz::Targets()) {
    std::error_code ec;
    std::filesystem::create_directories(out / t.name, ec);
    for (const fuzz::Seed& s : fuzz::SeedsFor(t.name)) {
      if (!Write(out / t.name / s.name, s.bytes)) {
        std::fprintf(stderr, "cannot write %s\n", (out / t.name / s.name).c_str());
        return 1;
      }
      ++written;
    }
  }
  if (argc == 3) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(argv[2], ec)) {
      if (entry.path().extension() != ".stage") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      const std::string name = SafeName(entry.path().stem().string());
      if (!Write(out / "stagesource" / name, {text.begin(), text.end()})) return 1;
      ++written;
      stagefile::Data stage;
      std::string error;
      if (!stagec::Parse(text, stage, error)) {
        std::fprintf(stderr, "%s: %s\n", entry.path().c_str(), error.c_str());
        continue;
      }
      if (!Write(out / "stage" / name, stagefile::Encode(stage))) return 1;
      ++written;
    }
  }
  std::printf("%d seeds written to %s\n", written, out.c_str());
  return 0;
}

// Writes the seed corpora of the fuzz targets, <out>/<target>/<seed>, and, given the stage
// sources' folder, its *.stage files (stagesource/) and the stages compiled from them (stage/).
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
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <out folder> [<stage sources folder>]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  int written = 0;
  for (const fuzz::Target& t : fuzz::Targets())
    for (const fuzz::Seed& s : fuzz::SeedsFor(t.name)) {
      if (!Write(out / t.name / s.name, s.bytes)) return 1;
      ++written;
    }
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(argc == 3 ? argv[2] : "", ec)) {
    if (entry.path().extension() != ".stage") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string name = entry.path().stem().string(), error;
    for (char& c : name) c = c == ' ' ? '-' : c;
    stagefile::Data stage;
    if (!Write(out / "stagesource" / name, {text.begin(), text.end()})) return 1;
    if (!stagec::Parse(text, stage, error)) {
      std::fprintf(stderr, "%s: %s\n", entry.path().c_str(), error.c_str());
    } else if (!Write(out / "stage" / name, stagefile::Encode(stage))) {
      return 1;
    }
    written += 2;
  }
  std::printf("%d seeds written to %s\n", written, out.c_str());
  return 0;
}

// stagec: compiles the stage sources of a folder into stage files.
//
//   stagec SOURCE_FOLDER OUTPUT_FOLDER   every "NAME.stage" becomes OUTPUT_FOLDER/NAME
//   stagec --source STAGE_FILE           prints the source of a stage file
//
// Exit status 0 when every file was written, 1 otherwise (the message names the file and line,
// or the folder), 2 for bad arguments.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

#include "core/codes.h"
#include "tools/stagec/source.h"

namespace fs = std::filesystem;

namespace {

bool ReadAll(const fs::path& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

// Writes through a temporary file and a rename, and only when the bytes differ.
bool WriteIfChanged(const fs::path& path, const std::vector<unsigned char>& bytes) {
  std::string old;
  if (ReadAll(path, old) && old.size() == bytes.size() &&
      std::equal(old.begin(), old.end(), bytes.begin(),
                 [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; }))
    return true;
  fs::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  return !ec;
}

int Compile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (!fs::is_directory(from, ec)) {
    std::cerr << "stagec: " << from.string() << " is not a folder\n";
    return 1;
  }
  std::vector<fs::path> sources;
  for (const auto& e : fs::directory_iterator(from, ec))
    if (e.is_regular_file() && e.path().extension() == ".stage") sources.push_back(e.path());
  if (ec) {
    std::cerr << "stagec: cannot read the folder " << from.string() << "\n";
    return 1;
  }
  if (sources.empty()) {
    std::cerr << "stagec: no .stage files in " << from.string() << "\n";
    return 1;
  }
  fs::create_directories(to, ec);
  if (!fs::is_directory(to, ec)) {
    std::cerr << "stagec: cannot make the folder " << to.string() << "\n";
    return 1;
  }
  std::sort(sources.begin(), sources.end());
  int failed = 0;
  for (const auto& src : sources) {
    std::string text, error;
    stagefile::Data stage;
    if (!ReadAll(src, text)) {
      std::cerr << src.string() << ": cannot be read\n";
      failed++;
      continue;
    }
    if (!stagec::Parse(text, stage, error)) {
      std::cerr << src.string() << ": " << error << "\n";
      failed++;
      continue;
    }
    int gold = 0;
    for (const auto& it : stage.items) gold += it.kind == ItemKind::Gold;
    if (gold != stage.doorFrame)
      std::cerr << src.string() << ": warning: the door asks for " << stage.doorFrame
                << " gold and the stage holds " << gold << "\n";
    if (!WriteIfChanged(to / src.stem(), stagefile::Encode(stage))) {
      std::cerr << (to / src.stem()).string() << ": cannot be written\n";
      failed++;
    }
  }
  return failed == 0 ? 0 : 1;
}

int Source(const fs::path& file) {
  std::string bytes;
  if (!ReadAll(file, bytes)) {
    std::cerr << file.string() << ": cannot be read\n";
    return 1;
  }
  stagefile::Data stage;
  stagefile::Check c = stagefile::Decode({bytes.begin(), bytes.end()}, stage);
  if (!c.ok()) {
    std::cerr << file.string() << ": " << c.what << "\n";
    return 1;
  }
  std::string error;
  if (!stagec::Writable(stage, error)) {
    std::cerr << file.string() << ": " << error << "\n";
    return 1;
  }
  std::cout << stagec::Write(stage);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--source") return Source(args[1]);
  if (args.size() == 2 && args[0].rfind("--", 0) != 0) return Compile(args[0], args[1]);
  std::cerr << "usage: stagec SOURCE_FOLDER OUTPUT_FOLDER | stagec --source STAGE_FILE\n";
  return 2;
}

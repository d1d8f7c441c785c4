#include "tools/fuzz/fuzz_env.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "media/app.h"
#include "media/files.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

struct RootHolder {
  std::string startDir = media::CurrentDir();
  std::string path;
  RootHolder() {
    std::string base = std::filesystem::temp_directory_path().string() + "/quill-fuzz-XXXXXX";
    if (!::mkdtemp(base.data())) {
      std::perror("quill fuzz: mkdtemp");
      std::abort();
    }
    path = base + "/";
    for (const char* sub : {"Levels", "PlayerLevels", "Langs/fr", "Langs/gr", "Langs/it"})
      std::filesystem::create_directories(path + sub);
  }
  ~RootHolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

RootHolder& Holder() {
  static RootHolder holder;
  return holder;
}

void ResetAll() {
  ResetGlobals();
  ResetObjects();
  ResetReplayGlobals();
  ResetStageReader();
  ResetFrontGlobals();
  media::ClearEmbedded();
}

}  // namespace

const std::string& Root() {
  return Holder().path;
}

void FreshWorld() {
  SetTaken(false);
  media::UseHeadlessBackend();
  ResetAll();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  Path = Root();
  AppPath = Root().substr(0, Root().size() - 1);
  FilePath = Root() + "PlayerLevels/";
  media::ChangeDir(Root());
}

SettleAtEnd::~SettleAtEnd() {
  media::ChangeDir(Holder().startDir);  // the fuzzer reads its corpus by relative paths
  ResetAll();
  Player.reset();
  Exitdoor.reset();
  Game.reset();
  auto release = [](std::string& s) { std::string().swap(s); };
  for (std::string& s : Lang) release(s);
  for (auto& row : arrKeyMap)
    for (std::string& s : row) release(s);
  for (std::string& s : KN) release(s);
  for (std::string* s : {&yes, &no, &md, &SN, &Path, &AppPath, &FilePath, &ReplayName,
                         &LastStageFile, &LastStageCheck.what})
    release(*s);
}

bool WriteRootFile(const std::string& relative, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(Root() + relative, std::ios::binary | std::ios::trunc);
  if (size) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out.flush());
}

bool WriteRootFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
  return WriteRootFile(relative, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> ReadRootFile(const std::string& relative) {
  std::ifstream in(Root() + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace fuzz

#include "tools/fuzz/fuzz_env.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "media/app.h"
#include "media/files.h"
#include "stages/replay.h"
#include "stages/stage.h"

namespace fuzz {
namespace {

std::string MakeRoot() {
  std::string base = std::filesystem::temp_directory_path().string() + "/quill-fuzz-XXXXXX";
  std::vector<char> buf(base.begin(), base.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) {
    std::perror("quill fuzz: mkdtemp");
    std::abort();
  }
  std::string root = std::string(buf.data()) + "/";
  for (const char* sub : {"Levels", "PlayerLevels", "Langs/fr", "Langs/gr", "Langs/it"})
    std::filesystem::create_directories(root + sub);
  return root;
}

struct RootHolder {
  std::string startDir = media::CurrentDir();
  std::string path = MakeRoot();
  ~RootHolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

RootHolder& Holder() {
  static RootHolder holder;
  return holder;
}

}  // namespace

const std::string& Root() {
  return Holder().path;
}

void FreshWorld() {
  media::UseHeadlessBackend();
  ResetGlobals();
  media::ClearEmbedded();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  Path = Root();
  AppPath = Root().substr(0, Root().size() - 1);
  FilePath = Root() + "PlayerLevels/";
  media::ChangeDir(Root());
}

namespace {

bool g_keep = false;

template <std::size_t N>
void Release(std::string (&strings)[N]) {
  for (std::string& s : strings) std::string().swap(s);
}

}  // namespace

void Settle() {
  // The fuzzer reads its corpus by relative paths: back to the folder the program began in.
  media::ChangeDir(Holder().startDir);
  ResetObjects();
  Player.reset();
  Exitdoor.reset();
  Game.reset();
  ResetReplayGlobals();
  ResetStageReader();
  ResetFrontGlobals();
  media::ClearEmbedded();
  Release(Lang);
  for (auto& row : arrKeyMap) Release(row);
  Release(KN);
  for (std::string* s : {&yes, &no, &md, &SN, &Path, &AppPath, &FilePath, &ReplayName,
                         &LastStageFile, &LastStageCheck.what})
    std::string().swap(*s);
}

void KeepStateAfterRuns(bool keep) {
  g_keep = keep;
}

SettleAtEnd::~SettleAtEnd() {
  if (!g_keep) Settle();
}

bool WriteRootFile(const std::string& relative, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(Root() + relative, std::ios::binary | std::ios::trunc);
  if (size) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out.flush());
}

bool WriteRootFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) {
  return WriteRootFile(relative, bytes.data(), bytes.size());
}

void RemoveRootFile(const std::string& relative) {
  std::error_code ec;
  std::filesystem::remove(Root() + relative, ec);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

}  // namespace fuzz

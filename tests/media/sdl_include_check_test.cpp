// The CI check that only the SDL backend includes SDL, run over small trees of our own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "media/temp_folder.h"

namespace fs = std::filesystem;
using quill_test::TempFolder;
using quill_test::WriteBytes;

namespace {

struct Result {
  int status = -1;
  std::string output;
};

// Copies the check into scripts/ of the current folder and runs it there.
Result RunCheck() {
  fs::create_directories("scripts");
  fs::copy_file(fs::path(QUILL_SOURCE_DIR) / "scripts/check_sdl_includes.sh",
                "scripts/check_sdl_includes.sh", fs::copy_options::overwrite_existing);
  Result r;
  FILE* p = ::popen("bash scripts/check_sdl_includes.sh 2>&1", "r");
  if (!p) return r;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) r.output += buf;
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

void Put(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  WriteBytes(path, text);
}

}  // namespace

TEST(SdlIncludeCheck, PassesWhenOnlyTheSdlBackendIncludesSdl) {
  TempFolder t;
  Put("media/sdl/backend.cpp", "#include <SDL.h>\n#include <SDL2/SDL_audio.h>\n");
  Put("media/graphics.h", "// Game code never writes #include <SDL.h>\n");
  Put("play/rules.cpp", "#include \"media/graphics.h\"\n");
  Put("build-x/gen.cpp", "#include <SDL.h>\n");  // build folders are not ours
  const Result r = RunCheck();
  EXPECT_EQ(r.status, 0) << r.output;
}

TEST(SdlIncludeCheck, FailsAndNamesEveryOtherFileThatIncludesSdl) {
  const char* offenders[] = {"front/menu.cpp", "media/render/blit.cpp", "core/draw.h",
                             "tools/gen.cc", "editor/old.c"};
  const char* forms[] = {"#include <SDL.h>\n", "  #  include \"SDL2/SDL_video.h\"\n",
                         "#include <SDL2/SDL.h>\n", "#include\t<SDL_events.h>\n",
                         "#include <SDL.h>\n"};
  for (int i = 0; i < 5; ++i) {
    TempFolder t;
    Put("media/sdl/backend.cpp", "#include <SDL.h>\n");
    Put(offenders[i], forms[i]);
    const Result r = RunCheck();
    EXPECT_EQ(r.status, 1) << offenders[i] << ": " << r.output;
    EXPECT_NE(r.output.find(offenders[i]), std::string::npos) << r.output;
  }
}

TEST(SdlIncludeCheck, TheProjectItselfPasses) {
  const std::string cmd =
      "bash '" + std::string(QUILL_SOURCE_DIR) + "/scripts/check_sdl_includes.sh' >/dev/null 2>&1";
  const int st = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(st));
  EXPECT_EQ(WEXITSTATUS(st), 0);
}

// The runner's run: input files, start folder, frames saved as PNG, the dump at the end.
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/app.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "tools/runner/runner.h"

namespace runner {
namespace {

bool ReadText(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return !in.bad();
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  auto p = std::filesystem::absolute(path, ec);
  return ec ? path : p.string();
}

bool WriteDump(const std::string& path, const std::string& ended) {
  media::Stream s = media::WriteFileSafely(path);
  if (!s) return false;
  media::WriteString(s, StateDump(ended));
  return media::CloseFile(s);
}

// The program may end the process itself (the quit dialog does); the dump is still written.
std::string g_exitDump;
bool g_dumpWritten = true;

void DumpAtExit() {
  if (!g_dumpWritten && !g_exitDump.empty()) {
    g_dumpWritten = true;
    WriteDump(g_exitDump, "exit");
  }
}

}  // namespace

int Run(const Options& options, const std::function<int()>& program,
        std::vector<std::string>& errors) {
  std::vector<media::headless::InputEvent> events;
  if (!options.script.empty()) {
    std::string text, error;
    if (!ReadText(options.script, text)) {
      errors.push_back("cannot read the script '" + options.script + "'");
      return 2;
    }
    if (!media::headless::ParseScript(text, events, error)) {
      errors.push_back(options.script + ": " + error);
      return 2;
    }
  }
  std::vector<std::string> console;
  if (!options.console.empty()) {
    std::string text;
    if (!ReadText(options.console, text)) {
      errors.push_back("cannot read the console lines '" + options.console + "'");
      return 2;
    }
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      console.push_back(line);
    }
  }
  // Output paths are taken from where the runner was started, before the change of folder.
  std::string dump = options.dump.empty() ? "" : Absolute(options.dump);
  struct Save {
    int frame;
    std::string path;
    bool done = false;
  };
  std::vector<Save> saves;
  for (const auto& [frame, path] : options.saveFrames) saves.push_back({frame, Absolute(path)});

  if (!options.dir.empty() && !media::ChangeDir(options.dir)) {
    errors.push_back("cannot change to the folder '" + options.dir + "'");
    return 2;
  }

  media::headless::ResetHeadless();
  media::headless::SetScript(std::move(events));
  media::headless::SetConsoleLines(std::move(console));
  int rc = 0;
  media::headless::OnFlip([&](int frame) {
    for (auto& s : saves) {
      if (s.frame != frame) continue;
      s.done = media::SavePNG(media::ShownPixels(), media::GraphicsWidth(), media::GraphicsHeight(),
                              s.path);
      if (!s.done) {
        errors.push_back("cannot write frame " + std::to_string(frame) + " to '" + s.path + "'");
        rc = 1;
        s.done = true;  // reported once
      }
    }
    return options.frames < 0 || frame + 1 < options.frames;
  });

  g_exitDump = dump;
  g_dumpWritten = false;
  static bool registered = false;
  if (!registered) registered = std::atexit(DumpAtExit) == 0;

  std::string ended = "returned";
  try {
    program();
  } catch (const media::headless::Stop&) {
    ended = "stopped";
  } catch (const Ended&) {
    ended = "quit";
  } catch (const std::exception& e) {
    ended = "failed";
    errors.push_back(std::string("the program failed: ") + e.what());
    rc = 1;
  }
  media::headless::OnFlip(nullptr);
  g_dumpWritten = true;

  for (const auto& s : saves) {
    if (s.done) continue;
    errors.push_back("frame " + std::to_string(s.frame) + " was never shown (the run ended after " +
                     std::to_string(media::headless::FrameCount()) + " frames)");
    rc = 1;
  }
  if (!dump.empty() && !WriteDump(dump, ended)) {
    errors.push_back("cannot write the dump '" + dump + "'");
    rc = 1;
  }
  media::ShutdownMedia();
  return rc;
}

}  // namespace runner

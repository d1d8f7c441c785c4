// The program's entry point: the game itself takes no options.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/startup.h"
#include "media/app.h"

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  // The game reads and writes beside its executable.
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
  if (ec && argc > 0 && argv[0]) exe = std::filesystem::absolute(argv[0], ec);
  if (!ec && !exe.empty()) std::filesystem::current_path(exe.parent_path(), ec);
  if (ec) std::fprintf(stderr, "quillmire: cannot change to the program's folder\n");
  media::UseSdlBackend();
  int rc = _bb_main();
  media::ShutdownMedia();
  return rc;
}

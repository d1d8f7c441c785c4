// quill_runner: the whole game over the headless backend (see README.md, "Headless runner").
#include <iostream>

#include "app/startup.h"
#include "core/quit.h"
#include "tools/runner/runner.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  runner::Options options;
  std::string error;
  if (!runner::ParseOptions(args, options, error)) {
    if (error == "help") {
      std::cout << runner::Usage();
      return 0;
    }
    std::cerr << "quill_runner: " << error << "\n" << runner::Usage();
    return 2;
  }
  std::vector<std::string> errors;
  int rc = runner::Run(
      options,
      [] {
        // The game's own end (the quit dialog) comes back here instead of ending the process.
        SetEndProgramHandler([] { throw runner::Ended{}; });
        return _bb_main();
      },
      errors);
  for (const auto& e : errors) std::cerr << "quill_runner: " << e << "\n";
  return rc;
}

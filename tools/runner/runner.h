// The headless runner: options, the run of a program's main function over the headless
// backend, and the state dump written at the end.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace runner {

struct Options {
  std::string dir;      // start folder; empty: stay where we are
  std::string script;   // input script file
  std::string console;  // lines for the console prompt, one a line
  std::string dump;     // state dump file
  int frames = -1;      // stop after this many frames; -1: run until the program ends
  std::vector<std::pair<int, std::string>> saveFrames;  // frame number, PNG file
};

// Thrown to end a run the way the program ends itself (the quit dialog's end of the program,
// through SetEndProgramHandler): Run catches it and dumps the end as "quit".
struct Ended {};

// Parses the command line (without the program name); false with a message.
bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error);
std::string Usage();

// Runs `program` over the headless backend as the options say: reads the script and the
// console lines, changes to the start folder, saves the frames asked for and writes the dump.
// Returns the exit status: 0 when the run ended cleanly and everything asked for was written,
// 1 otherwise (with messages on `errors`), 2 for unusable options or input files.
int Run(const Options& options, const std::function<int()>& program,
        std::vector<std::string>& errors);

// The state dump: "key value" lines, frame count, virtual milliseconds, the run's end, and the
// game state of the shared globals.
std::string StateDump(const std::string& ended);

}  // namespace runner

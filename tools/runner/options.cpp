// The runner's command line.
#include <cstdlib>

#include "tools/runner/runner.h"

namespace runner {
namespace {

bool ParseCount(const std::string& s, int& out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  out = std::atoi(s.c_str());
  return true;
}

}  // namespace

std::string Usage() {
  return "usage: quill_runner [--dir FOLDER] [--script FILE] [--console FILE] [--frames N]\n"
         "                    [--save-frame N:FILE.png]... [--dump FILE]\n";
}

bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error) {
  out = Options{};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      error = "help";
      return false;
    }
    if (i + 1 >= args.size()) {
      error = a.rfind("--", 0) == 0 ? a + " needs a value" : "unknown argument '" + a + "'";
      return false;
    }
    const std::string& v = args[++i];
    if (a == "--dir") {
      out.dir = v;
    } else if (a == "--script") {
      out.script = v;
    } else if (a == "--console") {
      out.console = v;
    } else if (a == "--dump") {
      out.dump = v;
    } else if (a == "--frames") {
      if (!ParseCount(v, out.frames) || out.frames < 1) {
        error = "--frames needs a count of 1 or more, not '" + v + "'";
        return false;
      }
    } else if (a == "--save-frame") {
      auto colon = v.find(':');
      int frame = 0;
      if (colon == std::string::npos || !ParseCount(v.substr(0, colon), frame) ||
          colon + 1 >= v.size()) {
        error = "--save-frame needs N:FILE.png, not '" + v + "'";
        return false;
      }
      out.saveFrames.emplace_back(frame, v.substr(colon + 1));
    } else {
      error = "unknown option '" + a + "'";
      return false;
    }
  }
  return true;
}

}  // namespace runner

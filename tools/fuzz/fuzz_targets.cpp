#include "tools/fuzz/fuzz_targets.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

FaultHandler g_handler = nullptr;
bool g_taken = false;

}  // namespace

const std::vector<Target>& Targets() {
  static const std::vector<Target> targets = {{"stage", FuzzStage},
                                              {"replay", FuzzReplay},
                                              {"language", FuzzLanguage},
                                              {"settings", FuzzSettings},
                                              {"keys", FuzzKeys},
                                              {"png", FuzzPng},
                                              {"sound", FuzzSound},
                                              {"readstring", FuzzReadString},
                                              {"stagesource", FuzzStageSource},
                                              {"script", FuzzScript},
                                              {"play", FuzzPlay}};
  return targets;
}

bool LastTaken() {
  return g_taken;
}

void SetTaken(bool taken) {
  g_taken = taken;
}

void SetFaultHandler(FaultHandler handler) {
  g_handler = handler;
}

void ReportFault(const char* target, const std::string& what) {
  if (g_handler) return g_handler(target, what);
  std::fprintf(stderr, "quill fuzz %s: %s\n", target, what.c_str());
  std::abort();
}

std::vector<std::uint8_t> DecodeCorpusFile(const std::string& name,
                                           const std::vector<std::uint8_t>& content) {
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".hex") != 0) return content;
  std::vector<std::uint8_t> out;
  int high = -1;
  bool comment = false;
  for (std::uint8_t b : content) {
    comment = b == '#' || (comment && b != '\n');
    if (comment || !std::isxdigit(b)) continue;
    const int v = std::isdigit(b) ? b - '0' : std::tolower(b) - 'a' + 10;
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<std::uint8_t>(high * 16 + v));
      high = -1;
    }
  }
  return out;
}

}  // namespace fuzz

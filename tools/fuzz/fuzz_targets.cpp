#include "tools/fuzz/fuzz_targets.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

FaultHandler g_handler = nullptr;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

const std::vector<Target>& Targets() {
  static const std::vector<Target> targets = {
      {"stage", FuzzStage},
      {"replay", FuzzReplay},
      {"language", FuzzLanguage},
      {"settings", FuzzSettings},
      {"keys", FuzzKeys},
      {"png", FuzzPng},
      {"sound", FuzzSound},
      {"readstring", FuzzReadString},
      {"stagesource", FuzzStageSource},
      {"script", FuzzScript},
      {"play", FuzzPlay},
  };
  return targets;
}

const Target* FindTarget(const std::string& name) {
  for (const Target& t : Targets())
    if (name == t.name) return &t;
  return nullptr;
}

void SetFaultHandler(FaultHandler handler) {
  g_handler = handler;
}

void ReportFault(const char* target, const std::string& what) {
  if (g_handler) {
    g_handler(target, what);
    return;
  }
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
    char c = static_cast<char>(b);
    if (comment) {
      comment = c != '\n';
      continue;
    }
    if (c == '#') {
      comment = true;
      continue;
    }
    int v = HexValue(c);
    if (v < 0) continue;
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

// shortcut: looks for a route through a shipped stage that never uses its key elements.
//
//   shortcut LEVELS N [--campaign FILE | --withhold TEXT] [--states N] [--seconds S]
//            [--out ROUTE.keys] [--stage-out DIR] [--verbose]
//
// LEVELS is the folder of compiled stage files, N a stage (1 to 70, Tut1 to Tut11). The key
// elements come from the campaign list FILE's line for N, or from TEXT in the same form. The
// search stops after N distinct states or S seconds. A route found is replayed from a fresh
// start with the full play loop, printed, and written as a key script to ROUTE.keys; with items
// or enemies withheld, --stage-out writes the stage without them to DIR for `solc record`.
//
// Exit status 0 when no route was found within the budget, 1 when one was (the stage can be
// finished without its key elements), 2 for bad arguments and errors.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/shortcut/finder.h"
#include "tools/shortcut/withhold.h"
#include "tools/solc/world.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: shortcut LEVELS N [--campaign FILE | --withhold TEXT] [--states N]\n"
               "                [--seconds S] [--out ROUTE.keys] [--stage-out DIR] [--verbose]\n"
               "N is a stage number 1 to 70 or a tutorial Tut1 to Tut11\n");
  return 2;
}

bool ReadAll(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool Number(const std::string& text, double& out) {
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return !text.empty() && end != nullptr && *end == '\0' && out > 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2) return Usage();
  solc::StageRef stage;
  if (!solc::ParseStageRef(args[1], stage)) return Usage();
  std::error_code ec;
  const fs::path levels = fs::absolute(args[0], ec).lexically_normal();
  if (ec) return Usage();
  std::string campaign, withhold, out, stageOut;
  bool haveWithhold = false, verbose = false;
  shortcut::Budget budget;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const bool value = i + 1 < args.size();
    double n = 0;
    if (args[i] == "--campaign" && value) {
      campaign = args[++i];
    } else if (args[i] == "--withhold" && value) {
      withhold = args[++i];
      haveWithhold = true;
    } else if (args[i] == "--states" && value && Number(args[i + 1], n)) {
      budget.states = static_cast<long>(n);
      ++i;
    } else if (args[i] == "--seconds" && value && Number(args[i + 1], n)) {
      budget.seconds = n;
      ++i;
    } else if (args[i] == "--out" && value) {
      out = fs::absolute(args[++i], ec).lexically_normal().string();
    } else if (args[i] == "--stage-out" && value) {
      stageOut = fs::absolute(args[++i], ec).lexically_normal().string();
    } else if (args[i] == "--verbose") {
      verbose = true;
    } else {
      return Usage();
    }
  }
  if (!campaign.empty() && haveWithhold) return Usage();
  const std::string name = solc::StageFileFor(stage);
  if (!campaign.empty()) {
    std::string text, error;
    if (!ReadAll(campaign, text)) {
      std::fprintf(stderr, "shortcut: cannot read %s\n", campaign.c_str());
      return 2;
    }
    const std::string number =
        stage.tutorial ? "Tut" + std::to_string(stage.number) : std::to_string(stage.number);
    if (!shortcut::CampaignElements(text, number, withhold, error)) {
      std::fprintf(stderr, "shortcut: %s\n", error.c_str());
      return 2;
    }
    if (withhold.empty()) {
      std::fprintf(stderr, "shortcut: %s lists no key elements in %s\n", name.c_str(),
                   campaign.c_str());
      return 2;
    }
  }

  solc::SetUpWorld();
  const shortcut::Outcome o =
      shortcut::FindShortcut(levels.string(), stage, withhold, budget, verbose);
  const shortcut::Result& r = o.result;
  std::printf("%s without: %s\n", name.c_str(), withhold.empty() ? "(nothing)" : withhold.c_str());
  std::printf("%ld states (%ld expanded), %ld passes in %.1f s: %.0f states/s, %.0f passes/s\n",
              r.states, r.expanded, r.passes, r.seconds, r.states / std::max(r.seconds, 1e-6),
              r.passes / std::max(r.seconds, 1e-6));
  std::printf("budget %ld states, %.0f s: %s; most gold taken %d\n", budget.states, budget.seconds,
              r.found         ? "a route found"
              : r.budgetSpent ? "spent"
                              : "every state reached tried",
              r.mostGold);
  if (!o.error.empty()) {
    std::fprintf(stderr, "shortcut: %s: %s\n", name.c_str(), o.error.c_str());
    return 2;
  }
  if (!r.found) {
    std::printf("no route to the exit door found\n");
    return 0;
  }
  std::printf("ROUTE FOUND (%zu passes, replayed from a fresh start to the exit door):\n",
              r.route.size());
  for (const std::string& m : r.moves) std::printf("  %s\n", m.c_str());
  if (!out.empty()) {
    std::ofstream file(out, std::ios::binary);
    file << o.script;
    if (!file) {
      std::fprintf(stderr, "shortcut: could not write %s\n", out.c_str());
      return 2;
    }
    std::printf("key script written to %s\n", out.c_str());
  }
  if (!stageOut.empty()) {
    std::string error;
    if (!shortcut::WriteStageWithout(levels.string(), stage, withhold, stageOut, error)) {
      std::fprintf(stderr, "shortcut: %s\n", error.c_str());
      return 2;
    }
    std::printf("the stage without its withheld items and enemies written to %s\n",
                stageOut.c_str());
  }
  return 1;
}

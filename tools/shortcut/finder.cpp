#include "tools/shortcut/finder.h"

#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "tools/shortcut/snapshot.h"
#include "tools/shortcut/withhold.h"
#include "tools/solc/script.h"

namespace shortcut {

namespace fs = std::filesystem;

namespace {

// Starts the stage in a fresh temporary start folder and withholds the elements; the folder is
// removed and the working folder put back when the object goes.
class Started {
 public:
  Started(const std::string& levels, const solc::StageRef& stage, const std::string& elements)
      : start_(fs::current_path()) {
    std::random_device rd;
    work_ = fs::temp_directory_path() / ("shortcut-" + std::to_string(rd()));
    std::vector<Element> parsed;
    solc::SetUpWorld();  // every start as in a fresh process
    ok_ = ParseElements(elements, parsed, error_) &&
          solc::PrepareFolder(work_.string(), levels, stage, false, error_) &&
          solc::StartStage(stage, false, error_) && Withhold(parsed, traps_, error_);
  }
  ~Started() {
    std::error_code ec;
    fs::current_path(start_, ec);
    fs::remove_all(work_, ec);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  const std::vector<WithheldTrap>& traps() const { return traps_; }

 private:
  fs::path start_, work_;
  bool ok_ = false;
  std::string error_;
  std::vector<WithheldTrap> traps_;
};

}  // namespace

bool PlaysToTheDoor(const std::string& levels, const solc::StageRef& stage,
                    const std::string& elements, const std::string& script, std::string& error) {
  std::vector<solc::Step> steps;
  if (!solc::ParseScript(script, steps, error)) return false;
  Started started(levels, stage, elements);
  if (!started.ok()) {
    error = started.error();
    return false;
  }
  media::FlushKeys();
  bool exited = false;
  auto tracer = [&](int) { exited = exited || Player->Action == Act::Exiting; };
  if (!solc::RunScript(steps, solc::Pass, tracer, error)) return false;
  if (!exited || Game->State != solc::StateAfterExit(stage)) {
    error = "the stage ended without the player leaving through the exit door";
    return false;
  }
  return true;
}

Outcome FindShortcut(const std::string& levels, const solc::StageRef& stage,
                     const std::string& elements, const Budget& budget, bool verbose) {
  Outcome out;
  {
    Started started(levels, stage, elements);
    if (!started.ok()) {
      out.error = started.error();
      return out;
    }
    BeforeSearch();
    out.result = Search(started.traps(), budget, verbose);
    AfterSearch();
  }
  if (!out.result.found) return out;
  const std::string name = solc::StageFileFor(stage);
  out.script = RouteScript(out.result.route, out.result.moves,
                           "# " + name + ": a route found by the shortcut finder" +
                               (elements.empty() ? std::string() : " without: " + elements) + "\n");
  std::string error;
  out.verified = PlaysToTheDoor(levels, stage, elements, out.script, error);
  if (!out.verified) out.error = "the route found did not replay to the door: " + error;
  return out;
}

}  // namespace shortcut

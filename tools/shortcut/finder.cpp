#include "tools/shortcut/finder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/input.h"
#include "stages/stage_format.h"
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

bool WriteStageWithout(const std::string& levels, const solc::StageRef& stage,
                       const std::string& elements, const std::string& folder, std::string& error) {
  std::vector<Element> parsed;
  if (!ParseElements(elements, parsed, error)) return false;
  const fs::path from = fs::path(levels) / solc::StageFileFor(stage);
  std::ifstream in(from, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  stagefile::Data data;
  const stagefile::Check check = stagefile::Decode(bytes, data);
  if (!check.ok()) {
    error = "cannot read " + from.string() + (check.what.empty() ? "" : ": " + check.what);
    return false;
  }
  for (const Element& e : parsed) {
    bool found = e.kind == Element::Trap;  // traps stay: a route only leaves them alone
    if (e.kind == Element::Item) {
      const auto it = std::find_if(data.items.begin(), data.items.end(), [&e](const auto& i) {
        return i.X == e.x && i.Y == e.y && i.RoomX == e.roomX && i.RoomY == e.roomY;
      });
      found = it != data.items.end();
      if (found) data.items.erase(it);
    } else if (e.kind == Element::Enemy) {
      const auto it = std::find_if(data.enemies.begin(), data.enemies.end(), [&e](const auto& n) {
        return n.x == e.x && n.y == e.y && n.OriginRoomX == e.roomX && n.OriginRoomY == e.roomY;
      });
      found = it != data.enemies.end();
      if (found) data.enemies.erase(it);
    }
    if (!found) {
      error = "a key element is not in " + from.string();
      return false;
    }
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  const fs::path to = fs::path(folder) / solc::StageFileFor(stage);
  const fs::path temp = to.string() + ".tmp";
  const std::vector<unsigned char> out = stagefile::Encode(data);
  {
    std::ofstream file(temp, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) {
      error = "could not write " + temp.string();
      return false;
    }
  }
  fs::rename(temp, to, ec);
  if (ec) {
    error = "could not write " + to.string() + ": " + ec.message();
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

// One run of the shortcut finder over a stage: start it, withhold its key elements, search,
// and replay a route found from a fresh start with the full play loop before reporting it.
#pragma once

#include <string>

#include "tools/shortcut/search.h"
#include "tools/solc/world.h"

namespace shortcut {

struct Outcome {
  Result result;
  std::string script;     // the route's key script, when one was found
  bool verified = false;  // the script, played from a fresh start, left through the exit door
  std::string error;      // a stage that did not load, an element not in it, a failed replay
};

// Call solc::SetUpWorld once first. `levels` is the folder of compiled stage files.
Outcome FindShortcut(const std::string& levels, const solc::StageRef& stage,
                     const std::string& elements, const Budget& budget, bool verbose);

// Plays a key script on the stage from a fresh start (the elements withheld as in the search)
// with the full play loop; true when the player left through the exit door and the stage ended.
bool PlaysToTheDoor(const std::string& levels, const solc::StageRef& stage,
                    const std::string& elements, const std::string& script, std::string& error);

// Writes stage `stage` of `levels` without the elements' items and enemies to `folder` (made
// when missing) under its own name, so that `solc record` can play a route found without them.
// False with a message when the stage cannot be read or written, or an element is not in it.
bool WriteStageWithout(const std::string& levels, const solc::StageRef& stage,
                       const std::string& elements, const std::string& folder, std::string& error);

}  // namespace shortcut

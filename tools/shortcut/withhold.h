// Key elements withheld from a search: the items and enemies taken out of the stage before it
// starts, and the traps a route may not use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/objects.h"

namespace shortcut {

// One key element as campaign.txt's seventh column names it: "trap X Y room RX RY",
// "item X Y room RX RY" or "enemy X Y room RX RY", with the cells of its stage source line.
struct Element {
  enum Kind { Trap, Item, Enemy };
  Kind kind = Trap;
  int x = 0, y = 0, roomX = 0, roomY = 0;
};

// Parses "element; element; ..." (blank text gives none); false with a message on a bad one.
bool ParseElements(const std::string& text, std::vector<Element>& out, std::string& error);

// The key elements of stage `stage` ("12", "Tut3") in a campaign list's text; false with a
// message when the stage has no line.
bool CampaignElements(const std::string& campaign, const std::string& stage, std::string& out,
                      std::string& error);

// A withheld trap: where it lies and what it is, which every state the search keeps shares.
struct WithheldTrap {
  int kind = 0, x = 0, y = 0, roomX = 0, roomY = 0, height = 0, passes = 0;
};

// Applies the elements to the stage just started: the items and enemies are removed, the traps
// noted. False with a message when an element names nothing in the stage.
bool Withhold(const std::vector<Element>& elements, std::vector<WithheldTrap>& traps,
              std::string& error);

// Watches the withheld traps over the passes of one move from the world as it is now.
class TrapWatch {
 public:
  explicit TrapWatch(const std::vector<WithheldTrap>& traps);
  // True when the pass just played used a withheld trap: a stone moved, a wall trap fired, a
  // crumbling floor gave way, a vanishing ladder was crossed or climbed, a door was passed.
  bool Used() const;

 private:
  std::vector<WithheldTrap> traps_;
  std::vector<std::shared_ptr<bbTraps>> objects_;
};

}  // namespace shortcut

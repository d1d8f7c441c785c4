// The shortcut search: from a stage just started, moves between standing places played with
// the game's own rules, states told apart by what matters to the route, best first by the gold
// taken, until a move takes the player out through the exit door or the budget is spent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/shortcut/withhold.h"

namespace shortcut {

// The keys of one pass: bits 0 to 3 hold LEFT, RIGHT, UP, DOWN down, bit 4 presses SPACE.
using PassKeys = std::uint8_t;
constexpr PassKeys kLeft = 1, kRight = 2, kUp = 4, kDown = 8, kSpace = 16;

struct Budget {
  long states = 10000;  // distinct states reached
  double seconds = 12;
};

struct Result {
  bool found = false;
  std::vector<PassKeys> route;     // every pass from the start to the exit
  std::vector<std::string> moves;  // the route's moves, named
  long states = 0;                 // distinct states reached
  long expanded = 0;               // states whose moves were tried
  long passes = 0;                 // passes of the play loop played
  double seconds = 0;
  bool budgetSpent = false;  // stopped by the budget, not by running out of states
  int mostGold = 0;          // the most gold any state had taken
};

// Searches from the world as it stands (a stage just started, its elements withheld). Plays
// with FastPass; the caller brackets the call with BeforeSearch and AfterSearch.
Result Search(const std::vector<WithheldTrap>& withheld, const Budget& budget, bool verbose);

// The key script of a route: hold/release/press/wait with exact pass counts, then
// "until ended".
std::string RouteScript(const std::vector<PassKeys>& route, const std::vector<std::string>& moves,
                        const std::string& heading);

}  // namespace shortcut

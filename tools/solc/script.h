// Key scripts: the player's keys for one play of a stage, one step a line, run against the
// game's own rules by `solc record`.
//
//   # a comment; blank lines are skipped
//   hold RIGHT          the key goes down and stays down
//   release RIGHT       the key goes up
//   press SPACE         one press (down and up before the next pass)
//   wait 12             12 passes of the play loop
//   until x >= 300      passes until the condition holds (at most 3000)
//
// Keys: LEFT, RIGHT, UP, DOWN, SPACE. Conditions: x, y (the player's room pixels) with <, <=,
// ==, >=, >; `action N`, `tool N` (Player.State), `gold N` (pieces still to take),
// `room RX RY`, `ended` (the stage has ended: Game.State is no longer 26).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace solc {

struct Step {
  enum Kind { Hold, Release, Press, Wait, Until };
  Kind kind = Wait;
  int line = 0;
  int key = 0;       // Hold, Release, Press
  int count = 0;     // Wait
  std::string what;  // Until: x, y, action, tool, gold, room, ended
  std::string op;    // Until on x or y
  int a = 0, b = 0;  // Until: the value (and the room's second coordinate)
};

// Parses a key script; false with "line N: what" in `error`.
bool ParseScript(const std::string& text, std::vector<Step>& out, std::string& error);

// Whether an Until step's condition holds now.
bool Holds(const Step& step);

// Plays the script with `pass` as one pass of the play loop, then passes on until the stage
// ends. `trace` (may be empty) hears every pass with its number. False with "line N: what" when
// a condition was not met within its bound or the stage ended before the script did.
bool RunScript(const std::vector<Step>& steps, const std::function<void()>& pass,
               const std::function<void(int)>& trace, std::string& error);

}  // namespace solc

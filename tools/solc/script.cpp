#include "tools/solc/script.h"

#include <sstream>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"

namespace solc {

namespace {

constexpr int kUntilBound = 3000;
constexpr int kEndBound = 3000;

int KeyOf(const std::string& name) {
  if (name == "LEFT") return media::KEY_LEFT;
  if (name == "RIGHT") return media::KEY_RIGHT;
  if (name == "UP") return media::KEY_UP;
  if (name == "DOWN") return media::KEY_DOWN;
  if (name == "SPACE") return media::KEY_SPACE;
  return 0;
}

bool Compare(int v, const std::string& op, int n) {
  if (op == "<") return v < n;
  if (op == "<=") return v <= n;
  if (op == "==") return v == n;
  if (op == ">=") return v >= n;
  if (op == ">") return v > n;
  return false;
}

bool ValidOp(const std::string& op) {
  return op == "<" || op == "<=" || op == "==" || op == ">=" || op == ">";
}

// Reads one integer and checks nothing follows when `last`.
bool Int(std::istringstream& in, int& v) {
  return static_cast<bool>(in >> v);
}

bool AtEnd(std::istringstream& in) {
  std::string rest;
  return !(in >> rest);
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<Step>& out, std::string& error) {
  std::vector<Step> steps;
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    const std::size_t hash = raw.find('#');
    if (hash != std::string::npos) raw.erase(hash);
    std::istringstream in(raw);
    std::string word;
    if (!(in >> word)) continue;
    Step s;
    s.line = number;
    bool ok = true;
    if (word == "hold" || word == "release" || word == "press") {
      s.kind = word == "hold" ? Step::Hold : word == "release" ? Step::Release : Step::Press;
      std::string key;
      ok = static_cast<bool>(in >> key) && (s.key = KeyOf(key)) != 0;
    } else if (word == "wait") {
      ok = Int(in, s.count) && s.count >= 0;
    } else if (word == "until") {
      s.kind = Step::Until;
      ok = static_cast<bool>(in >> s.what);
      if (!ok) {
      } else if (s.what == "x" || s.what == "y") {
        ok = static_cast<bool>(in >> s.op) && ValidOp(s.op) && Int(in, s.a);
      } else if (s.what == "action" || s.what == "tool" || s.what == "gold") {
        ok = Int(in, s.a);
      } else if (s.what == "room") {
        ok = Int(in, s.a) && Int(in, s.b);
      } else {
        ok = s.what == "ended";
      }
    } else {
      error = "line " + std::to_string(number) + ": unknown step '" + word + "'";
      return false;
    }
    if (!ok || !AtEnd(in)) {
      error = "line " + std::to_string(number) + ": cannot read '" + raw + "'";
      return false;
    }
    steps.push_back(s);
  }
  out = std::move(steps);
  return true;
}

bool Holds(const Step& s) {
  if (s.what == "x") return Compare(Player->X, s.op, s.a);
  if (s.what == "y") return Compare(Player->Y, s.op, s.a);
  if (s.what == "action") return Player->Action == s.a;
  if (s.what == "tool") return Player->State == s.a;
  if (s.what == "gold") return Exitdoor->Frame == s.a;
  if (s.what == "room") return RoomX == s.a && RoomY == s.b;
  if (s.what == "ended") return Game->State != GameState::Play;
  return false;
}

bool RunScript(const std::vector<Step>& steps, const std::function<void()>& pass,
               const std::function<void(int)>& trace, std::string& error) {
  int tick = 0;
  auto step = [&]() {
    pass();
    if (trace) trace(tick);
    ++tick;
  };
  for (const Step& s : steps) {
    const std::string where = "line " + std::to_string(s.line) + ": ";
    if (s.kind != Step::Until && Game->State != GameState::Play) {
      error = where + "the stage ended before this step";
      return false;
    }
    switch (s.kind) {
      case Step::Hold:
        media::headless::KeyDownNow(s.key);
        break;
      case Step::Release:
        media::headless::KeyUpNow(s.key);
        break;
      case Step::Press:
        media::headless::PressKey(s.key);
        break;
      case Step::Wait:
        for (int i = 0; i < s.count && Game->State == GameState::Play; ++i) step();
        break;
      case Step::Until: {
        int n = 0;
        while (!Holds(s) && Game->State == GameState::Play && n < kUntilBound) {
          step();
          ++n;
        }
        if (!Holds(s)) {
          error = where + "not met after " + std::to_string(n) + " passes";
          return false;
        }
        break;
      }
    }
  }
  for (int n = 0; Game->State == GameState::Play && n < kEndBound; ++n) step();
  if (Game->State == GameState::Play) {
    error = "the stage had not ended " + std::to_string(kEndBound) + " passes after the script";
    return false;
  }
  return true;
}

}  // namespace solc

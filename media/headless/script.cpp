// The headless runner's input script: one event per line, "<frame> <event>"; see README.md.
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "media/headless.h"
#include "media/input.h"
#include "media/text.h"

namespace media::headless {
namespace {

bool ParseInt(const std::string& word, int& out) {
  if (word.empty() || word.size() > 11) return false;
  char* end = nullptr;
  long v = std::strtol(word.c_str(), &end, 10);
  if (*end != '\0' || v < -2147483647L - 1 || v > 2147483647L) return false;
  out = static_cast<int>(v);
  return true;
}

// A key by its code (0 to 255; so "7" is code 7, the digit key is 55) or its name: a letter
// A to Z in either case, F1 to F12, or one of the names below.
bool ParseKey(const std::string& word, int& code) {
  if (ParseInt(word, code)) return code >= 0 && code < KEY_COUNT;
  std::string w = Upper(word);
  if (w.size() == 1 && std::isupper(static_cast<unsigned char>(w[0]))) {
    code = w[0];
    return true;
  }
  static const std::pair<const char*, int> kNames[] = {
      {"BACKSPACE", KEY_BACKSPACE}, {"TAB", KEY_TAB},     {"ENTER", KEY_ENTER},
      {"ESCAPE", KEY_ESCAPE},       {"ESC", KEY_ESCAPE},  {"SPACE", KEY_SPACE},
      {"LEFT", KEY_LEFT},           {"UP", KEY_UP},       {"RIGHT", KEY_RIGHT},
      {"DOWN", KEY_DOWN},           {"MINUS", KEY_MINUS}, {"NUMSUBTRACT", KEY_NUMSUBTRACT},
      {"NUMADD", KEY_NUMADD}};
  for (const auto& [name, c] : kNames) {
    if (w == name) {
      code = c;
      return true;
    }
  }
  if (w.size() >= 2 && w[0] == 'F') {
    int n = 0;
    if (ParseInt(w.substr(1), n) && n >= 1 && n <= 12) {
      code = KEY_F1 + n - 1;
      return true;
    }
  }
  return false;
}

bool ParseButton(const std::string& word, int& b) {
  return ParseInt(word, b) && b >= 1 && b <= 3;
}

// One line without its frame number; false with a reason.
bool ParseEvent(int frame, const std::string& rest, std::vector<InputEvent>& out,
                std::string& why) {
  std::istringstream in(rest);
  std::string verb, a, b, extra;
  in >> verb;
  verb = Lower(verb);
  InputEvent e;
  e.frame = frame;
  auto push = [&](InputEvent::Kind kind, int code, int x = 0, int y = 0) {
    e.kind = kind;
    e.code = code;
    e.x = x;
    e.y = y;
    out.push_back(e);
  };
  if (verb == "type") {
    // Everything after "type" and one space, byte by byte.
    // The same white space that reading the verb skipped.
    std::size_t at = rest.find_first_not_of(" \t\n\v\f\r");
    std::string text = at == std::string::npos ? "" : rest.substr(at + 4);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    if (text.empty()) {
      why = "type needs some text";
      return false;
    }
    for (unsigned char c : text) push(InputEvent::Type, c);
    return true;
  }
  in >> a >> b >> extra;
  a = Lower(a);
  int code = 0, x = 0, y = 0;
  if (verb == "key" || verb == "button" || verb == "joy") {
    bool down = a == "down", up = a == "up";
    if (verb == "joy" && a == "axis") {
      std::string axis = Lower(b);
      int value = 0;
      std::string v = extra;
      if (!(in >> extra).fail() || v.empty() || !ParseInt(v, value) ||
          !(axis == "x" || axis == "y" || axis == "0" || axis == "1")) {
        why = "expected: joy axis x|y VALUE";
        return false;
      }
      push(InputEvent::JoyAxis, (axis == "x" || axis == "0") ? 0 : 1, value);
      return true;
    }
    if ((!down && !up) || !extra.empty()) {
      why = "expected: " + verb + " down|up CODE";
      return false;
    }
    if (verb == "key") {
      if (!ParseKey(b, code)) {
        why = "unknown key '" + b + "'";
        return false;
      }
      push(down ? InputEvent::KeyDown : InputEvent::KeyUp, code);
    } else if (verb == "button") {
      if (!ParseButton(b, code)) {
        why = "a mouse button is 1, 2 or 3";
        return false;
      }
      push(down ? InputEvent::ButtonDown : InputEvent::ButtonUp, code);
    } else {
      if (!ParseInt(b, code) || code < 0 || code >= 32) {
        why = "a joystick button is 0 to 31";
        return false;
      }
      push(down ? InputEvent::JoyButtonDown : InputEvent::JoyButtonUp, code);
    }
    return true;
  }
  if (verb == "press") {
    if (!b.empty() || !ParseKey(a, code)) {
      why = "expected: press KEY";
      return false;
    }
    push(InputEvent::KeyDown, code);
    push(InputEvent::KeyUp, code);
    return true;
  }
  if (verb == "click") {
    if (!b.empty() || !ParseButton(a, code)) {
      why = "expected: click 1|2|3";
      return false;
    }
    push(InputEvent::ButtonDown, code);
    push(InputEvent::ButtonUp, code);
    return true;
  }
  if (verb == "mouse") {
    if (!extra.empty() || !ParseInt(a, x) || !ParseInt(b, y)) {
      why = "expected: mouse X Y";
      return false;
    }
    push(InputEvent::MouseMove, 0, x, y);
    return true;
  }
  why = verb.empty() ? "an event is missing" : "unknown event '" + verb + "'";
  return false;
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<InputEvent>& out, std::string& error) {
  out.clear();
  error.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    std::size_t space = t.find_first_of(" \t");
    std::string first = t.substr(0, space);
    std::string rest = space == std::string::npos ? "" : t.substr(space + 1);
    int frame = 0;
    std::string why;
    if (!ParseInt(first, frame) || frame < 0) {
      why = "a line starts with a frame number (0 or more)";
    } else if (ParseEvent(frame, rest, out, why)) {
      continue;
    }
    error = "line " + std::to_string(number) + ": " + why + ": " + t;
    out.clear();
    return false;
  }
  return true;
}

}  // namespace media::headless

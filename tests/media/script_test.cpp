// The headless runner's script format.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "media/headless.h"
#include "media/input.h"

using media::headless::InputEvent;
using media::headless::ParseScript;

namespace {

std::vector<InputEvent> Parse(const std::string& text) {
  std::vector<InputEvent> out;
  std::string error;
  EXPECT_TRUE(ParseScript(text, out, error)) << error;
  EXPECT_EQ(error, "");
  return out;
}

std::string ErrorOf(const std::string& text) {
  std::vector<InputEvent> out{InputEvent{}};
  std::string error;
  EXPECT_FALSE(ParseScript(text, out, error)) << text;
  EXPECT_TRUE(out.empty());
  return error;
}

}  // namespace

TEST(Script, ParsesEveryKindOfLine) {
  auto ev = Parse(
      "# a comment\n"
      "\n"
      "0 key down 39\r\n"
      "  5 key up RIGHT\n"
      "6 press enter\n"
      "7 type Hi you\n"
      "8 mouse 120 300\n"
      "9 click 1\n"
      "10 button down 2\n"
      "11 button up 2\n"
      "12 joy down 3\n"
      "13 joy up 3\n"
      "14 joy axis x -32768\n"
      "15 joy axis y 20000\n"
      "16 key down f10\n"
      "17 press a\n"
      "18 press 7\n");
  ASSERT_EQ(ev.size(), 24u);
  auto is = [&](std::size_t i, int frame, InputEvent::Kind kind, int code) {
    EXPECT_EQ(ev[i].frame, frame) << i;
    EXPECT_EQ(ev[i].kind, kind) << i;
    EXPECT_EQ(ev[i].code, code) << i;
  };
  is(0, 0, InputEvent::KeyDown, 39);
  is(1, 5, InputEvent::KeyUp, media::KEY_RIGHT);
  is(2, 6, InputEvent::KeyDown, 13);
  is(3, 6, InputEvent::KeyUp, 13);
  std::string typed;
  for (std::size_t i = 4; i < 10; ++i) {
    is(i, 7, InputEvent::Type, ev[i].code);
    typed.push_back(static_cast<char>(ev[i].code));
  }
  EXPECT_EQ(typed, "Hi you");
  is(10, 8, InputEvent::MouseMove, 0);
  EXPECT_EQ(ev[10].x, 120);
  EXPECT_EQ(ev[10].y, 300);
  is(11, 9, InputEvent::ButtonDown, 1);
  is(12, 9, InputEvent::ButtonUp, 1);
  is(13, 10, InputEvent::ButtonDown, 2);
  is(14, 11, InputEvent::ButtonUp, 2);
  is(15, 12, InputEvent::JoyButtonDown, 3);
  is(16, 13, InputEvent::JoyButtonUp, 3);
  is(17, 14, InputEvent::JoyAxis, 0);
  EXPECT_EQ(ev[17].x, -32768);
  is(18, 15, InputEvent::JoyAxis, 1);
  EXPECT_EQ(ev[18].x, 20000);
  is(19, 16, InputEvent::KeyDown, media::KEY_F1 + 9);
  is(20, 17, InputEvent::KeyDown, 'A');
  is(21, 17, InputEvent::KeyUp, 'A');
  is(22, 18, InputEvent::KeyDown, 7);  // a number is a key code, not a digit key
}

TEST(Script, AnEmptyScriptIsFine) {
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("# only\n   \n").empty());
}

TEST(Script, BadLinesAreNamedByNumber) {
  EXPECT_EQ(ErrorOf("0 key down 39\nkey down 39\n").rfind("line 2:", 0), 0u);
  EXPECT_EQ(ErrorOf("-1 press 13").rfind("line 1:", 0), 0u);
  EXPECT_EQ(ErrorOf("\n\n3 jump").rfind("line 3:", 0), 0u);
  EXPECT_NE(ErrorOf("0 jump").find("jump"), std::string::npos);
  ErrorOf("0 key sideways 39");
  ErrorOf("0 key down 256");
  ErrorOf("0 key down NOSUCHKEY");
  ErrorOf("0 key down 39 40");
  ErrorOf("0 press");
  ErrorOf("0 type");
  ErrorOf("0 type ");
  ErrorOf("0 mouse 12");
  ErrorOf("0 mouse 12 y");
  ErrorOf("0 mouse 1 2 3");
  ErrorOf("0 click 4");
  ErrorOf("0 click 0");
  ErrorOf("0 button down 5");
  ErrorOf("0 joy down 32");
  ErrorOf("0 joy axis z 5");
  ErrorOf("0 joy axis x");
  ErrorOf("0 joy axis x 5 6");
  ErrorOf("99999999999999 press 13");
  ErrorOf("5");
  ErrorOf("1x press 13");
}

TEST(Script, TypedTextStartsAfterTheVerbWhateverWhiteSpaceComesBeforeIt) {
  for (const char* line : {"0 type hi\n", "0 \vtype hi\n", "0 \f type hi\n", "0\t\ttype hi\n"}) {
    std::vector<InputEvent> ev;
    std::string error;
    ASSERT_TRUE(media::headless::ParseScript(line, ev, error)) << error;
    std::string typed;
    for (const InputEvent& e : ev) typed.push_back(static_cast<char>(e.code));
    EXPECT_EQ(typed, "hi");
  }
}

TEST(Script, KeyNamesGiveTheGamesCodes) {
  const std::pair<const char*, int> cases[] = {
      {"MINUS", 189}, {"numsubtract", 109}, {"NumAdd", 107}, {"BACKSPACE", 8},
      {"Esc", 27},    {"escape", 27},       {"SPACE", 32},   {"up", 38},
      {"DOWN", 40},   {"left", 37},         {"z", 90},       {"F1", 112},
      {"f12", 123},   {"TAB", 9},           {"0", 0},        {"255", 255},
      {"F", 70}};
  for (const auto& [name, code] : cases) {
    auto ev = Parse(std::string("3 key down ") + name + "\n");
    ASSERT_EQ(ev.size(), 1u) << name;
    EXPECT_EQ(ev[0].code, code) << name;
    EXPECT_EQ(ev[0].kind, InputEvent::KeyDown) << name;
  }
  for (const char* bad : {"F0", "F13", "256", "-1", "PLUS", "AB", "F1X"}) {
    EXPECT_NE(ErrorOf(std::string("3 key down ") + bad + "\n").find("line 1"), std::string::npos)
        << bad;
  }
}

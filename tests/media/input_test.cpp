// Polled input from scripts, the script format, the headless backend (frames, stopping,
// reset) and its virtual clock.
#include "media/input.h"

#include <limits>

#include "media/app.h"
#include "media/backend.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/timing.h"
#include "support/headless_fixture.h"

using namespace media;
using headless::InputEvent;

namespace {

class Input : public quill_test::HeadlessTest {};

std::vector<InputEvent> Parse(const std::string& text) {
  std::vector<InputEvent> out;
  std::string error;
  EXPECT_TRUE(headless::ParseScript(text, out, error)) << text << ": " << error;
  return out;
}

// Keys, characters, the mouse and the joystick from a script, frame by frame.
TEST_F(Input, AScriptedSessionReachesThePolls) {
  headless::SetScript(
      Parse("0 key down RIGHT\n0 press SPACE\n0 press SPACE\n0 press A\n0 type a\n"
            "0 mouse 120 300\n0 click 1\n0 click 1\n0 button down 2\n"
            "1 key up RIGHT\n1 press BACKSPACE\n1 key down ENTER\n1 key down ESC\n"
            "2 joy down 0\n2 joy up 0\n2 joy down 0\n2 joy axis x -20000\n2 joy axis y 10000\n"
            "3 click 1\n3 type xyz\n3 button up 2\n3 key down LEFT\n"));
  EXPECT_EQ(KeyDown(KEY_RIGHT), 1);
  EXPECT_EQ(KeyHit(KEY_SPACE), 2);  // presses since the last query of that key
  EXPECT_EQ(KeyHit(KEY_SPACE) + KeyDown(KEY_SPACE), 0);
  EXPECT_EQ(KeyHit(-1) + KeyHit(KEY_COUNT) + KeyDown(100000), 0);
  EXPECT_EQ((std::array<int, 4>{MouseX(), MouseY(), MouseHit(1), MouseHit(1)}),
            (std::array<int, 4>{120, 300, 2, 0}));
  EXPECT_EQ(MouseDown(1) * 10 + MouseDown(2), 1);
  EXPECT_EQ(MouseHit(9) + MouseDown(-1), 0);
  Flip();
  EXPECT_EQ(KeyDown(KEY_RIGHT) * 10 + KeyHit(KEY_RIGHT), 1);
  EXPECT_EQ(KeyHit(KEY_A), 1);  // another key's query left it alone
  // A space is typed only as text; Backspace, Enter and Escape also as keys going down.
  std::string typed;
  for (int c = GetChar(); c != 0; c = GetChar()) typed.push_back(static_cast<char>(c));
  EXPECT_EQ(typed, "a\b\r\x1b");
  Flip();
  EXPECT_EQ(JoyHit(0) * 10 + JoyDown(0), 21);
  EXPECT_EQ(JoyHit(0) + JoyHit(0, 1) + JoyXDir(1) + JoyHit(40), 0);  // only port 0 exists
  EXPECT_EQ(JoyXDir() * 10 + JoyYDir(), -10);  // 10000 is inside the middle third
  Flip();
  // FlushKeys and FlushMouse drop counts and typed characters, not what is held.
  FlushKeys();
  FlushMouse();
  EXPECT_EQ(KeyHit(KEY_LEFT) + KeyHit(KEY_ENTER) + GetChar() + MouseHit(1), 0);
  EXPECT_EQ(KeyDown(KEY_LEFT) + KeyDown(KEY_ENTER), 2);
  EXPECT_EQ(MouseDown(2), 0);
  headless::ButtonDownNow(3);
  EXPECT_EQ(MouseDown(3), 1);
  headless::ButtonUpNow(3);
  EXPECT_EQ(MouseHit(3) * 10 + MouseDown(3), 10);
  HideMouse();
  ShowMouse();
  MoveMouse(400, 250);
  EXPECT_EQ(MouseX() * 1000 + MouseY(), 400250);
  // A full typing queue keeps the first 64 characters.
  for (int i = 0; i < 100; ++i) headless::TypeChar(static_cast<char>('a' + i % 26));
  for (int i = 0; i < 64; ++i) ASSERT_EQ(GetChar(), 'a' + i % 26);
  EXPECT_EQ(GetChar(), 0);
  // A third of the axis's full scale (32767 / 3 = 10922.3) either way is the edge of the dead
  // zone: 10922 is still inside it, 10923 is beyond; -32768 is held at -32767.
  const std::pair<int, int> axis[] = {{-32768, -1}, {-10923, -1}, {-10922, 0}, {0, 0},
                                      {10922, 0},   {10923, 1},   {32767, 1}};
  std::string script;
  for (int f = 0; f < 7; ++f)
    script += std::to_string(f) + " joy axis x " + std::to_string(axis[f].first) + "\n" +
              std::to_string(f) + " joy axis y " + std::to_string(-axis[f].first) + "\n";
  headless::SetScript(Parse(script));
  for (const auto& [value, dir] : axis) {
    EXPECT_EQ(JoyXDir(0) * 10 + JoyYDir(0), dir * 10 - dir) << value;
    Flip();
  }
  // WaitKey takes a press, or stops the run when nothing can ever come.
  headless::SetScript(Parse("1 key down ESC"));
  Flip();
  EXPECT_EQ(WaitKey(), KEY_ESCAPE);
  EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);  // WaitKey took the press
  EXPECT_THROW(WaitKey(), headless::Stop);
}

TEST_F(Input, ScriptLinesAndTheirErrors) {
  auto ev = Parse(
      "# a comment\n\n0 key down 39\r\n  5 key up RIGHT\n6 press enter\n7 type Hi\n"
      "8 mouse 120 300\n9 click 3\n10 button down 2\n11 joy axis y 20000\n12 joy up 31\n"
      "13 \vtype x\n14\t\ttype  y\n");
  std::vector<std::array<int, 5>> got;
  for (const auto& e : ev) got.push_back({e.frame, e.kind, e.code, e.x, e.y});
  using E = InputEvent;
  // clang-format off
  const std::vector<std::array<int, 5>> want = {
      {0, E::KeyDown, 39, 0, 0}, {5, E::KeyUp, KEY_RIGHT, 0, 0}, {6, E::KeyDown, 13, 0, 0},
      {6, E::KeyUp, 13, 0, 0}, {7, E::Type, 'H', 0, 0}, {7, E::Type, 'i', 0, 0},
      {8, E::MouseMove, 0, 120, 300}, {9, E::ButtonDown, 3, 0, 0}, {9, E::ButtonUp, 3, 0, 0},
      {10, E::ButtonDown, 2, 0, 0},
      {11, E::JoyAxis, 1, 20000, 0}, {12, E::JoyButtonUp, 31, 0, 0}, {13, E::Type, 'x', 0, 0},
      {14, E::Type, ' ', 0, 0}, {14, E::Type, 'y', 0, 0}};
  EXPECT_EQ(got, want);
  EXPECT_TRUE(Parse("# only\n   \n").empty());
  const std::pair<const char*, int> names[] = {
      {"MINUS", 189}, {"numsubtract", 109}, {"NumAdd", 107}, {"BACKSPACE", 8}, {"Esc", 27},
      {"escape", 27}, {"SPACE", 32}, {"up", 38}, {"DOWN", 40}, {"left", 37}, {"z", 90}, {"F", 70},
      {"F1", 112}, {"f12", 123}, {"TAB", 9}, {"0", 0}, {"255", 255}};
  for (const auto& [name, code] : names) {
    auto one = Parse(std::string("3 key down ") + name);
    EXPECT_EQ(one.size() == 1 ? one[0].code : -1, code) << name;
  }
  const std::pair<const char*, int> bad[] = {
      {"0 key down 39\nkey down 39", 2}, {"-1 press 13", 1}, {"\n\n3 jump", 3},
      {"0 key sideways 39", 1}, {"0 key down 256", 1}, {"0 key down F0", 1}, {"0 key down F13", 1},
      {"0 key down PLUS", 1}, {"0 key down F1X", 1}, {"0 key down 39 40", 1}, {"0 press", 1},
      {"0 type", 1}, {"0 type ", 1}, {"0 mouse 12", 1}, {"0 mouse 12 y", 1}, {"0 mouse 1 2 3", 1},
      {"0 click 4", 1}, {"0 click 0", 1}, {"0 button down 5", 1}, {"0 joy down 32", 1},
      {"0 joy axis z 5", 1}, {"0 joy axis x", 1}, {"0 joy axis x 5 6", 1},
      {"99999999999999 press 13", 1}, {"5", 1}, {"1x press 13", 1}};
  // clang-format on
  for (const auto& [text, line] : bad) {
    std::vector<InputEvent> out{InputEvent{}};
    std::string error;
    EXPECT_FALSE(headless::ParseScript(text, out, error)) << text;
    EXPECT_TRUE(out.empty()) << text;
    EXPECT_EQ(error.rfind("line " + std::to_string(line) + ":", 0), 0u) << text << ": " << error;
  }
}

TEST_F(Input, TheVirtualClockPacesFlipsDelaysAndTimers) {
  Delay(250);
  Delay(0);
  Delay(-5);
  EXPECT_EQ(MilliSecs(), 250);
  for (int i = 0; i < 60; ++i) {
    const int before = MilliSecs();
    Flip();
    ASSERT_TRUE(MilliSecs() - before == 16 || MilliSecs() - before == 17) << i;
  }
  for (int i = 0; i < 600; ++i) Flip();
  EXPECT_EQ(MilliSecs(), 11250);  // no drift
  Flip(0);
  EXPECT_EQ(MilliSecs(), 11250);
  // The work between frames is absorbed; after a stall of more than a frame the count starts
  // again (20 ms frames at 50 Hz), a frame late by less waits less.
  ASSERT_TRUE(Graphics(800, 600, 0, 50) && !Graphics(0, 600, 0, 60) && !Graphics(800, -1, 0, 60));
  std::vector<int> took;
  for (int pause : {0, 10, 100, 0, 0, 39, 0}) {
    Delay(pause);
    const int before = MilliSecs();
    Flip();
    took.push_back(MilliSecs() - before);
  }
  EXPECT_EQ(took, (std::vector<int>{20, 10, 0, 20, 20, 0, 1}));
  EXPECT_EQ(GraphicsWidth(), 800);
  headless::ResetHeadless();
  // Tick n of a timer falls at its start + n * 1000 / hertz; time spent elsewhere comes back as
  // several ticks at once.
  Timer t = CreateTimer(150);
  for (int i = 0; i < 150; ++i) ASSERT_EQ(WaitTimer(t), 1);
  EXPECT_EQ(MilliSecs(), 1000);
  Delay(20);
  EXPECT_EQ(WaitTimer(t), 3);
  EXPECT_EQ(MilliSecs(), 1020);
  EXPECT_EQ(WaitTimer(t), 1);
  EXPECT_EQ(MilliSecs(), 1027);  // tick 154 at 1026.7 ms
  Delay(3);
  EXPECT_EQ(WaitTimer(CreateTimer(0.5f)), 1);
  EXPECT_EQ(MilliSecs(), 3030);
  for (float bad : {0.0f, -3.0f, 1e-30f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()})
    EXPECT_EQ(CreateTimer(bad), nullptr) << bad;
  EXPECT_EQ(WaitTimer(nullptr), 0);
  Delay(2147483647);
  EXPECT_EQ(MilliSecs(), -2147480619);  // wraps at 32 bits
}

}  // namespace

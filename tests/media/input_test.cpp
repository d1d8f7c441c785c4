// Polled input over the headless backend.
#include "media/input.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/graphics.h"
#include "media/headless.h"

using namespace media;
using headless::InputEvent;

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::ResetHeadless();
    Graphics(800, 600, 0, 60);
  }
  void TearDown() override { headless::ResetHeadless(); }
};

InputEvent Ev(int frame, InputEvent::Kind kind, int code, int x = 0, int y = 0) {
  InputEvent e;
  e.frame = frame;
  e.kind = kind;
  e.code = code;
  e.x = x;
  e.y = y;
  return e;
}

}  // namespace

TEST_F(InputTest, KeyHitCountsPressesSinceTheLastQueryOfThatKey) {
  headless::PressKey(KEY_SPACE);
  headless::PressKey(KEY_SPACE);
  headless::PressKey(KEY_ENTER);
  EXPECT_EQ(KeyHit(KEY_SPACE), 2);
  EXPECT_EQ(KeyHit(KEY_SPACE), 0);
  EXPECT_EQ(KeyHit(KEY_ENTER), 1);  // another key's query left it alone
  EXPECT_EQ(KeyDown(KEY_SPACE), 0);
  EXPECT_EQ(KeyHit(-1), 0);
  EXPECT_EQ(KeyHit(KEY_COUNT), 0);
  EXPECT_EQ(KeyDown(100000), 0);
}

TEST_F(InputTest, KeyDownFollowsTheHeldState) {
  headless::KeyDownNow(KEY_LEFT);
  EXPECT_EQ(KeyDown(KEY_LEFT), 1);
  EXPECT_EQ(KeyDown(KEY_LEFT), 1);
  headless::KeyUpNow(KEY_LEFT);
  EXPECT_EQ(KeyDown(KEY_LEFT), 0);
  EXPECT_EQ(KeyHit(KEY_LEFT), 1);
}

TEST_F(InputTest, FlushKeysClearsCountsAndTypedCharactersButNotHeldKeys) {
  headless::KeyDownNow(KEY_RIGHT);
  headless::PressKey(KEY_A);
  headless::TypeChar('a');
  FlushKeys();
  EXPECT_EQ(KeyHit(KEY_A), 0);
  EXPECT_EQ(KeyHit(KEY_RIGHT), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(KeyDown(KEY_RIGHT), 1);
}

TEST_F(InputTest, MouseHitCountsAndFlushMouseClears) {
  headless::MoveMouseNow(120, 300);
  headless::ClickNow(1);
  headless::ClickNow(1);
  headless::ButtonDownNow(2);
  EXPECT_EQ(MouseX(), 120);
  EXPECT_EQ(MouseY(), 300);
  EXPECT_EQ(MouseHit(1), 2);
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(MouseDown(1), 0);
  EXPECT_EQ(MouseDown(2), 1);
  headless::ClickNow(1);
  FlushMouse();
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(MouseHit(2), 0);
  EXPECT_EQ(MouseDown(2), 1);
  headless::ButtonUpNow(2);
  EXPECT_EQ(MouseDown(2), 0);
  EXPECT_EQ(MouseHit(9), 0);
  EXPECT_EQ(MouseDown(-1), 0);
}

TEST_F(InputTest, GetCharPopsTypedCharactersInOrder) {
  for (char c : std::string("Hi!")) headless::TypeChar(c);
  EXPECT_EQ(GetChar(), 'H');
  EXPECT_EQ(GetChar(), 'i');
  EXPECT_EQ(GetChar(), '!');
  EXPECT_EQ(GetChar(), 0);
  // A full queue keeps the first 64 and drops the rest.
  for (int i = 0; i < 100; ++i) headless::TypeChar('a' + i % 26);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(GetChar(), 'a' + i % 26);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputTest, EnterBackspaceAndEscapeAreAlsoTypedLikeOnAKeyboard) {
  headless::TypeChar('a');
  headless::PressKey(KEY_BACKSPACE);
  headless::PressKey(KEY_SPACE);  // a space is typed only as text
  headless::SetScript(
      {Ev(0, InputEvent::KeyDown, KEY_ENTER), Ev(0, InputEvent::KeyDown, KEY_ESCAPE)});
  EXPECT_EQ(GetChar(), 'a');
  EXPECT_EQ(GetChar(), KEY_BACKSPACE);
  EXPECT_EQ(GetChar(), KEY_ENTER);
  EXPECT_EQ(GetChar(), KEY_ESCAPE);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(KeyHit(KEY_ENTER), 1);
  EXPECT_EQ(KeyHit(KEY_BACKSPACE), 1);
}

TEST_F(InputTest, MoveMouseSetsThePosition) {
  MoveMouse(400, 250);
  EXPECT_EQ(MouseX(), 400);
  EXPECT_EQ(MouseY(), 250);
  HideMouse();
  ShowMouse();
}

TEST_F(InputTest, ScriptedEventsArriveAtTheirFrames) {
  headless::SetScript({Ev(0, InputEvent::KeyDown, KEY_RIGHT), Ev(2, InputEvent::KeyUp, KEY_RIGHT),
                       Ev(2, InputEvent::MouseMove, 0, 30, 40), Ev(3, InputEvent::Type, 'x')});
  EXPECT_EQ(KeyDown(KEY_RIGHT), 1);
  Flip();
  EXPECT_EQ(KeyDown(KEY_RIGHT), 1);
  EXPECT_EQ(MouseX(), 0);
  Flip();
  EXPECT_EQ(KeyDown(KEY_RIGHT), 0);
  EXPECT_EQ(KeyHit(KEY_RIGHT), 1);
  EXPECT_EQ(MouseX(), 30);
  EXPECT_EQ(MouseY(), 40);
  EXPECT_EQ(GetChar(), 0);
  Flip();
  EXPECT_EQ(GetChar(), 'x');
}

TEST_F(InputTest, WaitKeyReturnsTheCodeOfAKeyPressedLater) {
  int flips = 0;
  headless::SetScript({Ev(1, InputEvent::KeyDown, KEY_ESCAPE)});
  EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);
  Flip();
  ++flips;
  EXPECT_EQ(WaitKey(), KEY_ESCAPE);
  EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);  // WaitKey took the press
  EXPECT_EQ(flips, 1);
}

TEST_F(InputTest, WaitKeyWithNothingToComeStopsTheRun) {
  headless::OnFlip([](int) { return false; });
  Flip();
  EXPECT_THROW(WaitKey(), headless::Stop);
}

TEST_F(InputTest, WaitKeyThatCanNeverBeWokenStopsInsteadOfHanging) {
  EXPECT_THROW(WaitKey(), headless::Stop);
  EXPECT_GE(headless::VirtualMillis(), 20000);  // twenty seconds of 1 ms waits
}

TEST_F(InputTest, JoystickButtonsAndAxes) {
  headless::SetScript({Ev(0, InputEvent::JoyButtonDown, 0), Ev(0, InputEvent::JoyAxis, 0, -20000),
                       Ev(0, InputEvent::JoyAxis, 1, 10000), Ev(1, InputEvent::JoyButtonUp, 0),
                       Ev(1, InputEvent::JoyAxis, 0, 11000),
                       Ev(1, InputEvent::JoyAxis, 1, -10000)});
  EXPECT_EQ(JoyDown(0), 1);
  EXPECT_EQ(JoyHit(0), 1);
  EXPECT_EQ(JoyHit(0), 0);
  EXPECT_EQ(JoyXDir(), -1);
  EXPECT_EQ(JoyYDir(), 0);     // 10000 is inside the middle third
  EXPECT_EQ(JoyHit(0, 1), 0);  // only port 0 exists
  EXPECT_EQ(JoyXDir(1), 0);
  Flip();
  EXPECT_EQ(JoyDown(0), 0);
  EXPECT_EQ(JoyXDir(), 1);
  EXPECT_EQ(JoyYDir(), 0);
  EXPECT_EQ(JoyHit(40), 0);
}

// A third of the axis's full scale (32767 / 3 = 10922.3) either way is the edge of the dead
// zone: 10922 is still inside it, 10923 is beyond.
TEST_F(InputTest, JoystickDirectionsTurnAtAThirdOfTheAxis) {
  const std::pair<int, int> cases[] = {{-32768, -1}, {-20000, -1}, {-10923, -1}, {-10922, 0},
                                       {-1, 0},      {0, 0},       {10922, 0},   {10923, 1},
                                       {20000, 1},   {32767, 1}};
  int frame = 0;
  std::vector<InputEvent> script;
  for (const auto& [value, dir] : cases) {
    script.push_back(Ev(frame, InputEvent::JoyAxis, 0, value));
    script.push_back(Ev(frame, InputEvent::JoyAxis, 1, -value));
    ++frame;
  }
  headless::SetScript(script);
  for (const auto& [value, dir] : cases) {
    EXPECT_EQ(JoyXDir(0), dir) << value;
    EXPECT_EQ(JoyYDir(0), -dir) << -value;  // 32768 is held at 32767
    Flip();
  }
}

TEST_F(InputTest, JoyHitCountsEveryPressSinceItsLastQuery) {
  headless::SetScript({Ev(0, InputEvent::JoyButtonDown, 1), Ev(0, InputEvent::JoyButtonUp, 1),
                       Ev(0, InputEvent::JoyButtonDown, 1), Ev(0, InputEvent::JoyButtonUp, 1),
                       Ev(0, InputEvent::JoyButtonDown, 1)});
  EXPECT_EQ(JoyHit(1, 0), 3);
  EXPECT_EQ(JoyHit(1, 0), 0);
  EXPECT_EQ(JoyDown(1, 0), 1);
  EXPECT_EQ(JoyHit(2, 0), 0);
}

// Polled input over the input state the backend feeds. The window's events are taken in once per
// frame (at Flip, and in WaitKey's wait), so every query within a frame reads the same state.
#include "media/input.h"

#include "media/backend.h"
#include "media/timing.h"

namespace media {

namespace {

detail::InputState& Pumped() {
  detail::CurrentBackend().BeforeInputRead();
  return detail::Input();
}

int TakeCount(int& count) {
  int n = count;
  count = 0;
  return n;
}

// Joystick axes: full scale is 32767; a third of it either way is the dead zone's edge.
int AxisDir(int value) {
  constexpr int kThird = 32767 / 3;
  if (value < -kThird) return -1;
  if (value > kThird) return 1;
  return 0;
}

}  // namespace

int KeyHit(int key) {
  auto& in = Pumped();
  if (key < 0 || key >= KEY_COUNT) return 0;
  return TakeCount(in.keyHits[key]);
}

int KeyDown(int key) {
  auto& in = Pumped();
  if (key < 0 || key >= KEY_COUNT) return 0;
  return in.keyDown[key] ? 1 : 0;
}

int MouseX() {
  return Pumped().mouseX;
}

int MouseY() {
  return Pumped().mouseY;
}

int MouseHit(int button) {
  auto& in = Pumped();
  if (button < 0 || button >= 4) return 0;
  return TakeCount(in.mouseHits[button]);
}

int MouseDown(int button) {
  auto& in = Pumped();
  if (button < 0 || button >= 4) return 0;
  return in.mouseDown[button] ? 1 : 0;
}

int GetChar() {
  auto& in = Pumped();
  constexpr int kSize = sizeof(in.typed) / sizeof(in.typed[0]);
  if (in.typedCount <= 0 || in.typedHead < 0 || in.typedHead >= kSize) {
    in.typedCount = 0;
    in.typedHead = 0;
    return 0;
  }
  int ch = in.typed[in.typedHead];
  in.typedHead = (in.typedHead + 1) % kSize;
  --in.typedCount;
  return ch;
}

int WaitKey() {
  for (;;) {
    detail::CurrentBackend().PumpEvents();
    auto& in = Pumped();
    for (int k = 1; k < KEY_COUNT; ++k) {
      if (in.keyHits[k] > 0) {
        in.keyHits[k] = 0;
        return k;
      }
    }
    Delay(1);
  }
}

int WaitChar() {
  for (;;) {
    detail::CurrentBackend().PumpEvents();
    const int ch = GetChar();
    if (ch != 0) return ch;
    Delay(1);
  }
}

void FlushKeys() {
  auto& in = Pumped();
  // Held keys stay down; only the counted presses and the typed characters go.
  for (int& h : in.keyHits) h = 0;
  in.typedHead = 0;
  in.typedCount = 0;
}

void FlushMouse() {
  auto& in = Pumped();
  for (int& h : in.mouseHits) h = 0;
}

void MoveMouse(int x, int y) {
  auto& in = detail::Input();
  in.mouseX = x;
  in.mouseY = y;
  detail::CurrentBackend().WarpMouse(x, y);
}

void HideMouse() {
  detail::CurrentBackend().ShowCursor(false);
}

void ShowMouse() {
  detail::CurrentBackend().ShowCursor(true);
}

int JoyHit(int button, int port) {
  auto& in = Pumped();
  if (port != 0 || button < 0 || button >= 32) return 0;
  return TakeCount(in.joyHits[button]);
}

int JoyDown(int button, int port) {
  auto& in = Pumped();
  if (port != 0 || button < 0 || button >= 32) return 0;
  return in.joyDown[button] ? 1 : 0;
}

int JoyXDir(int port) {
  auto& in = Pumped();
  return port == 0 ? AxisDir(in.joyX) : 0;
}

int JoyYDir(int port) {
  auto& in = Pumped();
  return port == 0 ? AxisDir(in.joyY) : 0;
}

}  // namespace media

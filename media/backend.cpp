// The backend registry and the input state the backends feed.
#include "media/backend.h"

#include "media/app.h"
#include "media/headless/headless_backend.h"

namespace media::detail {

namespace {

Backend* g_backend = nullptr;

template <int N>
bool InRange(int i) {
  return i >= 0 && i < N;
}

}  // namespace

void InputState::Press(int key) {
  if (!InRange<256>(key)) return;
  keyDown[key] = 1;
  ++keyHits[key];
}

void InputState::Release(int key) {
  if (!InRange<256>(key)) return;
  keyDown[key] = 0;
}

void InputState::Type(int ch) {
  constexpr int kSize = sizeof(typed) / sizeof(typed[0]);
  if (ch <= 0 || typedCount >= kSize) return;  // a full queue drops new characters
  if (typedHead < 0 || typedHead >= kSize) typedHead = 0;
  typed[(typedHead + typedCount) % kSize] = ch;
  ++typedCount;
}

void InputState::ButtonPress(int button) {
  if (!InRange<4>(button)) return;
  mouseDown[button] = 1;
  ++mouseHits[button];
}

void InputState::ButtonRelease(int button) {
  if (!InRange<4>(button)) return;
  mouseDown[button] = 0;
}

InputState& Input() {
  static InputState state;
  return state;
}

Backend& CurrentBackend() {
  return g_backend ? *g_backend : HeadlessBackend();
}

void SetBackend(Backend* backend) {
  g_backend = backend;
}

}  // namespace media::detail

namespace media {

void UseHeadlessBackend() {
  detail::SetBackend(&detail::HeadlessBackend());
}

void ShutdownMedia() {
  detail::StopAllChannels();
  detail::CurrentBackend().CloseScreen();
}

}  // namespace media

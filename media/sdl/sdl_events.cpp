// Window events into the media layer's input state.
#include <algorithm>

#include "media/sdl/sdl_backend.h"
#include "media/sdl/sdl_keys.h"

namespace media::sdl {
namespace {

// SDL's buttons 1 left, 2 middle, 3 right as the media layer's 1 left, 2 right, 3 middle.
int MouseButton(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

void SdlBackend::PumpEvents() {
  if (SDL_WasInit(SDL_INIT_EVENTS) != 0) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
  }
  PullSilentAudio();
}

void SdlBackend::MoveMouseTo(int x, int y) {
  // With a logical size set, SDL gives positions in the 800 x 600 picture; outside the
  // picture (the bars of a scaled full screen) they are held at its edge.
  const int w = width_ > 0 ? width_ : 800;
  const int h = height_ > 0 ? height_ : 600;
  detail::Input().mouseX = std::clamp(x, 0, w - 1);
  detail::Input().mouseY = std::clamp(y, 0, h - 1);
}

void SdlBackend::HandleKey(const SDL_KeyboardEvent& key, bool down) {
  const int code = KeyCodeFor(key.keysym);
  if (down) {
    if (code > 0 && code < 256 && !key.repeat) detail::Input().Press(code);
    // A line prompt reads Enter, Backspace and Escape as typed characters, repeats included.
    if (code == 13 || code == 8 || code == 27) detail::Input().Type(code);
  } else if (code > 0 && code < 256) {
    detail::Input().Release(code);
  }
}

void SdlBackend::HandleJoystick(const SDL_Event& event) {
  detail::InputState& in = detail::Input();
  switch (event.type) {
    case SDL_JOYAXISMOTION:
      if (joystick_ && event.jaxis.which != SDL_JoystickInstanceID(joystick_)) return;
      if (event.jaxis.axis == 0) in.joyX = event.jaxis.value;
      if (event.jaxis.axis == 1) in.joyY = event.jaxis.value;
      return;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
      if (joystick_ && event.jbutton.which != SDL_JoystickInstanceID(joystick_)) return;
      const int button = event.jbutton.button + 1;  // the media layer counts from 1
      if (button >= 32) return;
      if (event.type == SDL_JOYBUTTONDOWN) {
        in.joyDown[button] = 1;
        ++in.joyHits[button];
      } else {
        in.joyDown[button] = 0;
      }
      return;
    }
    case SDL_JOYDEVICEADDED:
      OpenJoystick();
      return;
    case SDL_JOYDEVICEREMOVED:
      if (joystick_ && event.jdevice.which == SDL_JoystickInstanceID(joystick_)) {
        CloseJoystick();
        in.joyX = in.joyY = 0;
        std::fill(std::begin(in.joyDown), std::end(in.joyDown), 0);
        OpenJoystick();
      }
      return;
    default:
      return;
  }
}

void SdlBackend::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(event.key, event.type == SDL_KEYDOWN);
      break;
    case SDL_TEXTINPUT:
      for (const char* p = event.text.text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 32 && c < 127) detail::Input().Type(c);
      }
      break;
    case SDL_MOUSEMOTION:
      MoveMouseTo(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      MoveMouseTo(event.button.x, event.button.y);
      const int button = MouseButton(event.button.button);
      if (button == 0) break;
      if (event.type == SDL_MOUSEBUTTONDOWN)
        detail::Input().ButtonPress(button);
      else
        detail::Input().ButtonRelease(button);
      break;
    }
    case SDL_JOYAXISMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      HandleJoystick(event);
      break;
    default:
      break;  // closing the window and quitting have no effect: the game ends by its menus
  }
}

}  // namespace media::sdl

#include "media/sdl/sdl_testing.h"

#include <cstring>

#include "media/sdl/sdl_backend.h"

namespace media::sdl::testing {
namespace {

SdlBackend* Backend() {
  return dynamic_cast<SdlBackend*>(&detail::CurrentBackend());
}

bool Push(SDL_Event& event) {
  if (SDL_PushEvent(&event) != 1) return false;
  detail::CurrentBackend().PumpEvents();
  return true;
}

bool KeyEvent(const std::string& keyName, bool down, bool repeat, SDL_Event& event) {
  event = SDL_Event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.sym = SDL_GetKeyFromName(keyName.c_str());
  event.key.keysym.scancode = SDL_GetScancodeFromName(keyName.c_str());
  if (event.key.keysym.scancode == SDL_SCANCODE_UNKNOWN)
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
  if (event.key.keysym.sym == SDLK_UNKNOWN && event.key.keysym.scancode == SDL_SCANCODE_UNKNOWN)
    return false;
  return true;
}

}  // namespace

bool PushKey(const std::string& keyName, bool down, bool repeat) {
  SDL_Event event;
  return KeyEvent(keyName, down, repeat, event) && Push(event);
}

bool QueueKey(const std::string& keyName, bool down) {
  SDL_Event event;
  return KeyEvent(keyName, down, false, event) && SDL_PushEvent(&event) == 1;
}

bool PushLayoutKey(const std::string& scancodeName, const std::string& keyName, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = SDL_GetScancodeFromName(scancodeName.c_str());
  event.key.keysym.sym = SDL_GetKeyFromName(keyName.c_str());
  if (event.key.keysym.sym == SDLK_UNKNOWN || event.key.keysym.scancode == SDL_SCANCODE_UNKNOWN)
    return false;
  return Push(event);
}

bool PushText(const std::string& utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, utf8.c_str(), sizeof(event.text.text) - 1);
  return Push(event);
}

bool PushMouseMotion(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  SdlBackend* b = Backend();
  event.motion.windowID = b && b->Window() ? SDL_GetWindowID(b->Window()) : 0;
  event.motion.x = x;
  event.motion.y = y;
  return Push(event);
}

bool PushMouseButton(int sdlButton, bool down, int x, int y) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  SdlBackend* b = Backend();
  event.button.windowID = b && b->Window() ? SDL_GetWindowID(b->Window()) : 0;
  event.button.button = static_cast<Uint8>(sdlButton);
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  return Push(event);
}

bool PushJoyAxis(int axis, int value) {
  SDL_Event event{};
  event.type = SDL_JOYAXISMOTION;
  event.jaxis.axis = static_cast<Uint8>(axis);
  event.jaxis.value = static_cast<Sint16>(value);
  return Push(event);
}

bool PushJoyButton(int button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton.button = static_cast<Uint8>(button);
  event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  return Push(event);
}

bool PushQuit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  return Push(event);
}

bool WindowSize(int& width, int& height) {
  SdlBackend* b = Backend();
  if (!b || !b->Window()) return false;
  SDL_GetWindowSize(b->Window(), &width, &height);
  return true;
}

bool WindowFullscreen() {
  SdlBackend* b = Backend();
  return b && b->Window() && (SDL_GetWindowFlags(b->Window()) & SDL_WINDOW_FULLSCREEN) != 0;
}

std::string WindowTitle() {
  SdlBackend* b = Backend();
  return b && b->Window() ? SDL_GetWindowTitle(b->Window()) : "";
}

bool ReadPresentedPixel(int x, int y, std::uint32_t& rgb) {
  SdlBackend* b = Backend();
  if (!b || !b->Window()) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(b->Window());
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return false;
  if (SDL_LockSurface(surface) != 0) return false;
  const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
  Uint32 value = 0;
  std::memcpy(&value, row + x * surface->format->BytesPerPixel,
              std::min<int>(4, surface->format->BytesPerPixel));
  SDL_UnlockSurface(surface);
  Uint8 r = 0, g = 0, bl = 0;
  SDL_GetRGB(value, surface->format, &r, &g, &bl);
  rgb = (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | bl;
  return true;
}

bool AudioDeviceOpen() {
  SdlBackend* b = Backend();
  return b && b->AudioOpen();
}

}  // namespace media::sdl::testing

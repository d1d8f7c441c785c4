#include "media/sdl/sdl_backend.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "media/app.h"
#include "media/sdl/sdl_testing.h"

namespace media::sdl {
namespace {

void MixCallback(void* /*user*/, Uint8* stream, int bytes) {
  detail::MixAudio(reinterpret_cast<short*>(stream), bytes / 4);
}

// The silent mixer catches up at most this far; a longer stall skips sound instead.
constexpr std::uint64_t kMaxSilentCatchUp = 5 * detail::kMixRate;

}  // namespace

SdlBackend::SdlBackend() {
  // The program ends on SIGINT and SIGTERM as any program does; closing the window does not
  // end it, so SDL's quit event would be lost.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_Init(0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    videoReady_ = true;
  } else {
    std::cerr << "SDL: no video: " << SDL_GetError() << '\n';
  }
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) OpenJoystick();
  OpenAudio();
}

SdlBackend::~SdlBackend() {
  CloseScreen();
  SDL_Quit();
}

bool SdlBackend::OpenScreen(int width, int height, bool fullscreen, int /*hertz*/) {
  CloseWindow();
  if (!audio_ && !audioTried_) OpenAudio();
  if (!joystick_) OpenJoystick();
  if (!videoReady_) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::cerr << "SDL: no video: " << SDL_GetError() << '\n';
      return false;
    }
    videoReady_ = true;
  }
  if (width <= 0 || height <= 0) return false;
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  Uint32 flags = SDL_WINDOW_SHOWN | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                             height, flags);
  if (!window_) {
    std::cerr << "SDL: cannot open a window: " << SDL_GetError() << '\n';
    return false;
  }
  // The OpenGL renderer when it works, else whatever SDL has.
  renderer_ = SDL_CreateRenderer(window_, -1, fullscreen ? SDL_RENDERER_PRESENTVSYNC : 0);
  if (!renderer_ && fullscreen) renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_) {
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
  }
  if (!renderer_ || !texture_) {
    std::cerr << "SDL: cannot draw into the window: " << SDL_GetError() << '\n';
    CloseWindow();
    return false;
  }
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_RenderSetLogicalSize(renderer_, width, height);
  SDL_RendererInfo info{};
  vsync_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
  width_ = width;
  height_ = height;
  fullscreen_ = fullscreen;
  SDL_ShowCursor(cursorShown_ ? SDL_ENABLE : SDL_DISABLE);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void SdlBackend::CloseWindow() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  width_ = height_ = 0;
  vsync_ = false;
}

void SdlBackend::CloseScreen() {
  CloseWindow();
  CloseAudio();
  audioTried_ = false;  // a later OpenScreen opens the device again
  CloseJoystick();
}

void SdlBackend::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

void SdlBackend::Present(const Pixel* pixels, int width, int height) {
  if (!texture_ || !pixels || width != width_ || height != height_) return;
  SDL_UpdateTexture(texture_, nullptr, pixels, width * static_cast<int>(sizeof(Pixel)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

// Only a full screen with working vertical sync waits by itself; otherwise Flip paces.
bool SdlBackend::PacesItself() const {
  return window_ && fullscreen_ && vsync_;
}

// The refresh rate of the display the window is on, when the system tells it.
double SdlBackend::RefreshPeriod() const {
  SDL_DisplayMode mode{};
  if (!window_ || SDL_GetWindowDisplayMode(window_, &mode) != 0 || mode.refresh_rate <= 0)
    return 0.0;
  return 1000.0 / mode.refresh_rate;
}

std::int64_t SdlBackend::Millis() {
  return static_cast<std::int64_t>(SDL_GetTicks64());
}

void SdlBackend::Sleep(int ms) {
  if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

void SdlBackend::ShowCursor(bool show) {
  cursorShown_ = show;
  if (videoReady_) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::WarpMouse(int x, int y) {
  MoveMouseTo(x, y);
  if (!window_ || !renderer_) return;
  int wx = x, wy = y;
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &wx, &wy);
  SDL_WarpMouseInWindow(window_, wx, wy);
}

std::optional<std::string> SdlBackend::ReadConsoleLine() {
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void SdlBackend::PrintLine(const std::string& line) {
  std::cout << line << '\n' << std::flush;
}

void SdlBackend::OpenAudio() {
  audioTried_ = true;
  silentStartMs_ = 0;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::cerr << "SDL: no audio (" << SDL_GetError() << "); the sound is silent\n";
    return;
  }
  SDL_AudioSpec want{};
  want.freq = detail::kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = MixCallback;
  SDL_AudioSpec have{};
  audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (audio_ == 0) {
    std::cerr << "SDL: no audio device (" << SDL_GetError() << "); the sound is silent\n";
    return;
  }
  SDL_PauseAudioDevice(audio_, 0);
}

void SdlBackend::CloseAudio() {
  if (audio_ != 0) SDL_CloseAudioDevice(audio_);
  audio_ = 0;
  silentStartMs_ = 0;
}

void SdlBackend::OpenJoystick() {
  if (joystick_ || SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  for (int i = 0; i < SDL_NumJoysticks() && !joystick_; ++i) joystick_ = SDL_JoystickOpen(i);
}

void SdlBackend::CloseJoystick() {
  if (joystick_) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
}

// Without a device the channels still advance with the real clock, so sounds end on time.
void SdlBackend::PullSilentAudio() {
  if (audio_ != 0) return;
  const std::uint64_t now = SDL_GetTicks64();
  if (silentStartMs_ == 0) {
    silentStartMs_ = now == 0 ? 1 : now;
    silentFrames_ = 0;
    return;
  }
  const std::uint64_t due = (now - silentStartMs_) * detail::kMixRate / 1000;
  if (due <= silentFrames_) return;
  std::uint64_t owed = due - silentFrames_;
  if (owed > kMaxSilentCatchUp) owed = kMaxSilentCatchUp;
  silentFrames_ = due;
  constexpr int kBlock = 4096;
  silentBuffer_.resize(2 * kBlock);
  while (owed > 0) {
    const int n = static_cast<int>(std::min<std::uint64_t>(owed, kBlock));
    detail::MixAudio(silentBuffer_.data(), n);
    owed -= n;
  }
}

}  // namespace media::sdl

namespace media {
namespace {

std::optional<sdl::SdlBackend>& Instance() {
  static std::optional<sdl::SdlBackend> backend;
  return backend;
}

}  // namespace

void UseSdlBackend() {
  auto& backend = Instance();
  if (!backend) backend.emplace();
  detail::SetBackend(&*backend);
}

namespace sdl::testing {

void RestartSdl() {
  auto& backend = Instance();
  backend.reset();  // closes everything and quits SDL
  backend.emplace();
  detail::SetBackend(&*backend);
}

}  // namespace sdl::testing
}  // namespace media

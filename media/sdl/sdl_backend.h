// The SDL backend: a real window presenting the framebuffer through SDL's renderer, the audio
// device fed by the mixer, keyboard, mouse and joystick 0.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/backend.h"

namespace media::sdl {

class SdlBackend : public detail::Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;

  bool OpenScreen(int width, int height, bool fullscreen, int hertz) override;
  void CloseScreen() override;  // closes the window, the audio device and the joystick
  void SetTitle(const std::string& title) override;
  void Present(const Pixel* pixels, int width, int height) override;
  bool PacesItself() const override;
  double RefreshPeriod() const override;
  void PumpEvents() override;
  std::int64_t Millis() override;
  void Sleep(int ms) override;
  void ShowCursor(bool show) override;
  void WarpMouse(int x, int y) override;
  std::optional<std::string> ReadConsoleLine() override;
  void PrintLine(const std::string& line) override;

  // For tests.
  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }
  bool AudioOpen() const { return audio_ != 0; }

 private:
  void HandleEvent(const SDL_Event& event);
  void HandleKey(const SDL_KeyboardEvent& key, bool down);
  void HandleJoystick(const SDL_Event& event);
  void MoveMouseTo(int x, int y);
  void OpenAudio();
  void CloseAudio();
  void OpenJoystick();
  void CloseJoystick();
  void CloseWindow();
  void PullSilentAudio();

  bool videoReady_ = false;
  std::string title_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
  bool fullscreen_ = false;
  bool vsync_ = false;
  bool cursorShown_ = true;

  SDL_AudioDeviceID audio_ = 0;
  bool audioTried_ = false;
  std::uint64_t silentStartMs_ = 0;  // the silent mixer's clock origin; 0 when not running
  std::uint64_t silentFrames_ = 0;   // frames pulled since then
  std::vector<short> silentBuffer_;

  SDL_Joystick* joystick_ = nullptr;
};

}  // namespace media::sdl

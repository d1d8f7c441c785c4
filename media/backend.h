// The interface between the media layer and its two backends. Only media/ includes this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "media/graphics.h"

namespace media::detail {

// Input state kept by the media layer; backends feed it from their events.
struct InputState {
  int keyDown[256] = {};
  int keyHits[256] = {};
  int mouseX = 0, mouseY = 0;
  int mouseDown[4] = {};
  int mouseHits[4] = {};
  int joyDown[32] = {};
  int joyHits[32] = {};
  int joyX = 0, joyY = 0;  // -32768 to 32767
  int typed[64] = {};      // a queue of typed characters
  int typedHead = 0, typedCount = 0;

  void Press(int key);
  void Release(int key);
  void Type(int ch);
  void ButtonPress(int button);
  void ButtonRelease(int button);
};
InputState& Input();

class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool OpenScreen(int width, int height, bool fullscreen, int hertz) = 0;
  virtual void CloseScreen() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // Shows a finished frame; `pixels` is width x height, 0xAARRGGBB.
  virtual void Present(const Pixel* pixels, int width, int height) = 0;
  // True when Present waits for the display itself (vertical sync), so Flip does not pace.
  virtual bool PacesItself() const = 0;
  // The milliseconds between two refreshes of the display Present waits for; 0 when unknown.
  virtual double RefreshPeriod() const { return 0.0; }
  // Takes the pending window events into Input(): once per frame, at Flip, and in the loops
  // that wait without flipping (WaitKey), so every read within a frame sees the same state.
  virtual void PumpEvents() = 0;
  // Called before every input query. The headless backend applies its script's events due by
  // its frame count here (a count no read within a frame changes); a window's backend does
  // nothing, its events wait for the next PumpEvents.
  virtual void BeforeInputRead() {}
  virtual std::int64_t Millis() = 0;  // the backend's clock
  virtual void Sleep(int ms) = 0;     // advances the clock by ms
  virtual void ShowCursor(bool show) = 0;
  virtual void WarpMouse(int x, int y) = 0;
  // A line of the console's input; nothing once the input has ended (or there is none).
  virtual std::optional<std::string> ReadConsoleLine() = 0;
  virtual void PrintLine(const std::string& line) = 0;
  // Called on every Flip after Present; the headless backend counts frames here.
  virtual void AfterFlip() {}
};

Backend& CurrentBackend();
void SetBackend(Backend* backend);  // not owned; must outlive its use

// The audio mixer shared by both backends (media/audio/). The SDL backend pulls from it on
// its audio thread; the headless backend pulls as its virtual clock advances.
void MixAudio(short* out, int frames);  // interleaved stereo, 44100 Hz
constexpr int kMixRate = 44100;

}  // namespace media::detail

namespace media::detail {
int ActiveMixerChannels();  // channels started and not yet finished or stopped
void StopAllChannels();     // for ShutdownMedia and test resets
// Back to the start-up screen (800 x 600 at 60 Hz, no title, drawing state reset, black
// buffers) without asking the backend to open anything; for the headless reset.
void ResetScreen();
// Delay tells Flip how long the program waited since the last frame.
void NoteDelay(int ms);
}  // namespace media::detail

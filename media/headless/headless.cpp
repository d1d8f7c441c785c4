// The headless backend: no window and no device; a virtual clock, scripted input, console
// lines from a list, and the mixer pulled as the clock advances.
#include "media/headless.h"

#include <algorithm>
#include <utility>

#include "media/app.h"
#include "media/backend.h"
#include "media/graphics.h"
#include "media/headless/headless_backend.h"
#include "media/input.h"

namespace media::headless {
namespace {

constexpr std::size_t kAudioCap = detail::kMixRate * 2 * 10;  // ten seconds of stereo
constexpr std::size_t kPrintedCap = 50000;  // PrintedLines keeps 50000 to 100000 lines
// Scripts count frames, so a loop that keeps sleeping without a Flip (WaitKey with nothing to
// come) can never be woken: after this many sleeps in a row the run is stopped, not hung.
constexpr int kStallSleeps = 20000;

// A key going down, as a keyboard gives it: Enter, Backspace and Escape are also typed
// characters for the line prompts.
void KeyGoesDown(int code) {
  detail::Input().Press(code);
  if (code == KEY_ENTER || code == KEY_BACKSPACE || code == KEY_ESCAPE) detail::Input().Type(code);
}

class Headless final : public detail::Backend {
 public:
  // Full screen stands for a display with vertical sync at displayRate_ (the rate asked for
  // when none is set): Present waits for its next refresh on the virtual clock.
  bool OpenScreen(int, int, bool fullscreen, int hertz) override {
    fullscreen_ = fullscreen;
    askedRate_ = hertz > 0 ? hertz : 60;
    return true;
  }
  void CloseScreen() override { fullscreen_ = false; }
  void SetTitle(const std::string& title) override { title_ = title; }
  void Present(const Pixel*, int, int) override {
    CheckStop();
    if (!fullscreen_) return;
    // Refresh k falls at k * 1000 / rate milliseconds (rounded up); the next one after now.
    const std::int64_t rate = displayRate_ > 0 ? displayRate_ : askedRate_;
    const std::int64_t k = clock_ * rate / 1000 + 1;
    const std::int64_t next = (k * 1000 + rate - 1) / rate;
    if (next > clock_) Advance(next - clock_);
  }
  bool PacesItself() const override { return fullscreen_; }
  double RefreshPeriod() const override {
    return 1000.0 / (displayRate_ > 0 ? displayRate_ : askedRate_);
  }
  void PumpEvents() override { ApplyDue(); }
  void BeforeInputRead() override { ApplyDue(); }
  std::int64_t Millis() override { return clock_; }
  void Sleep(int ms) override {
    CheckStop();
    if (++sleepsSinceFlip_ > kStallSleeps) stop_ = true;
    if (ms > 0) Advance(ms);
  }
  void ShowCursor(bool show) override { cursorShown_ = show; }
  void WarpMouse(int x, int y) override {
    detail::Input().mouseX = x;
    detail::Input().mouseY = y;
  }
  std::optional<std::string> ReadConsoleLine() override {
    if (consoleNext_ >= console_.size()) return std::nullopt;
    return console_[consoleNext_++];
  }
  void PrintLine(const std::string& line) override {
    // The oldest lines go, in large steps so that printing stays cheap.
    if (printed_.size() >= 2 * kPrintedCap)
      printed_.erase(printed_.begin(), printed_.begin() + static_cast<long>(kPrintedCap));
    printed_.push_back(line);
  }
  void AfterFlip() override {
    int shown = frame_++;
    sleepsSinceFlip_ = 0;
    ApplyDue();
    if (onFlip_ && !onFlip_(shown)) stop_ = true;
  }

  void CheckStop() {
    if (stop_) throw Stop{};
  }

  void Advance(std::int64_t ms) {
    clock_ += ms;
    // Pull the mixer for exactly the elapsed time; the remainder carries to the next step.
    std::int64_t total = ms * detail::kMixRate + audioRemainder_;
    std::int64_t frames = total / 1000;
    audioRemainder_ = total % 1000;
    // A sleep longer than the buffer holds mixes only its last part; nobody hears the rest.
    frames = std::min<std::int64_t>(frames, static_cast<std::int64_t>(kAudioCap / 2));
    while (frames > 0) {
      int chunk = static_cast<int>(std::min<std::int64_t>(frames, 4096));
      std::size_t at = audio_.size();
      audio_.resize(at + static_cast<std::size_t>(chunk) * 2);
      detail::MixAudio(audio_.data() + at, chunk);
      frames -= chunk;
      if (audio_.size() > 2 * kAudioCap) TrimAudio();
    }
  }

  // Script frames count the Flips since the script was set.
  // Keeps the last kAudioCap samples; trimmed in large steps so that the cost stays small.
  void TrimAudio() {
    if (audio_.size() > kAudioCap)
      audio_.erase(audio_.begin(), audio_.begin() + static_cast<long>(audio_.size() - kAudioCap));
  }

  void ApplyDue() {
    while (next_ < script_.size() && script_[next_].frame <= frame_ - scriptBase_)
      Apply(script_[next_++]);
  }

  static void Apply(const InputEvent& e) {
    auto& in = detail::Input();
    switch (e.kind) {
      case InputEvent::KeyDown:
        KeyGoesDown(e.code);
        break;
      case InputEvent::KeyUp:
        in.Release(e.code);
        break;
      case InputEvent::Type:
        in.Type(e.code);
        break;
      case InputEvent::MouseMove:
        in.mouseX = e.x;
        in.mouseY = e.y;
        break;
      case InputEvent::ButtonDown:
        in.ButtonPress(e.code);
        break;
      case InputEvent::ButtonUp:
        in.ButtonRelease(e.code);
        break;
      case InputEvent::JoyAxis:
        if (e.code == 0) in.joyX = std::clamp(e.x, -32768, 32767);
        if (e.code == 1) in.joyY = std::clamp(e.x, -32768, 32767);
        break;
      case InputEvent::JoyButtonDown:
        if (e.code >= 0 && e.code < 32) {
          in.joyDown[e.code] = 1;
          ++in.joyHits[e.code];
        }
        break;
      case InputEvent::JoyButtonUp:
        if (e.code >= 0 && e.code < 32) in.joyDown[e.code] = 0;
        break;
    }
  }

  void Reset() {
    fullscreen_ = false;
    displayRate_ = 0;
    askedRate_ = 60;
    clock_ = 0;
    sleepsSinceFlip_ = 0;
    frame_ = 0;
    stop_ = false;
    script_.clear();
    next_ = 0;
    scriptBase_ = 0;
    console_.clear();
    consoleNext_ = 0;
    printed_.clear();
    onFlip_ = nullptr;
    audio_.clear();
    audioRemainder_ = 0;
    cursorShown_ = true;
    title_.clear();
  }

  std::string title_;
  bool fullscreen_ = false;
  int displayRate_ = 0;
  int askedRate_ = 60;
  std::int64_t clock_ = 0;
  int sleepsSinceFlip_ = 0;
  int frame_ = 0;
  bool stop_ = false;
  bool cursorShown_ = true;
  std::vector<InputEvent> script_;
  std::size_t next_ = 0;
  int scriptBase_ = 0;
  std::vector<std::string> console_;
  std::size_t consoleNext_ = 0;
  std::vector<std::string> printed_;
  std::function<bool(int)> onFlip_;
  std::vector<short> audio_;
  std::int64_t audioRemainder_ = 0;
};

Headless& Instance() {
  static Headless backend;
  return backend;
}

}  // namespace

void SetScript(std::vector<InputEvent> events) {
  auto& h = Instance();
  std::stable_sort(events.begin(), events.end(),
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  h.script_ = std::move(events);
  h.next_ = 0;
  h.scriptBase_ = h.frame_;
  h.ApplyDue();
}

void PressKey(int code) {
  KeyGoesDown(code);
  detail::Input().Release(code);
}
void KeyDownNow(int code) {
  KeyGoesDown(code);
}
void KeyUpNow(int code) {
  detail::Input().Release(code);
}
void TypeChar(int ch) {
  detail::Input().Type(ch);
}
void MoveMouseNow(int x, int y) {
  detail::Input().mouseX = x;
  detail::Input().mouseY = y;
}
void ClickNow(int button) {
  detail::Input().ButtonPress(button);
  detail::Input().ButtonRelease(button);
}
void ButtonDownNow(int button) {
  detail::Input().ButtonPress(button);
}
void ButtonUpNow(int button) {
  detail::Input().ButtonRelease(button);
}

void SetConsoleLines(std::vector<std::string> lines) {
  Instance().console_ = std::move(lines);
  Instance().consoleNext_ = 0;
}

const std::vector<std::string>& PrintedLines() {
  return Instance().printed_;
}

int FrameCount() {
  return Instance().frame_;
}

std::int64_t VirtualMillis() {
  return Instance().clock_;
}

void SetDisplayRate(int hertz) {
  Instance().displayRate_ = hertz > 0 ? hertz : 0;
}

void OnFlip(std::function<bool(int frame)> callback) {
  Instance().onFlip_ = std::move(callback);
}

std::vector<short> TakeMixedAudio() {
  std::vector<short> out;
  Instance().TrimAudio();
  out.swap(Instance().audio_);
  return out;
}

int ActiveChannels() {
  return detail::ActiveMixerChannels();
}

void ResetHeadless() {
  Instance().Reset();
  detail::Input() = detail::InputState{};
  detail::StopAllChannels();
  detail::ResetScreen();
  UseHeadlessBackend();
}

}  // namespace media::headless

namespace media::detail {

Backend& HeadlessBackend() {
  return headless::Instance();
}

}  // namespace media::detail

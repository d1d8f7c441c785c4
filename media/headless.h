// Control of the headless backend, for tests, tools and the headless runner.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace media::headless {

// One scripted input event, applied at the start of the frame with its number (frames count
// the Flip calls since the script was set, from 0).
struct InputEvent {
  enum Kind {
    KeyDown,
    KeyUp,
    Type,
    MouseMove,
    ButtonDown,
    ButtonUp,
    JoyAxis,
    JoyButtonDown,
    JoyButtonUp
  };
  int frame = 0;
  Kind kind = KeyDown;
  int code = 0;      // key code, character, button, axis (0 x, 1 y)
  int x = 0, y = 0;  // mouse position; for JoyAxis x is the value -32768 to 32767
};

// Parses the runner's script format (see the README); false with a message on a bad line.
bool ParseScript(const std::string& text, std::vector<InputEvent>& out, std::string& error);
void SetScript(std::vector<InputEvent> events);
// Immediate input, applied now (between frames), for in-process tests.
void PressKey(int code);  // down, then up: counts one hit and leaves the key up
void KeyDownNow(int code);
void KeyUpNow(int code);
void TypeChar(int ch);
void MoveMouseNow(int x, int y);
void ClickNow(int button);  // down and up
void ButtonDownNow(int button);
void ButtonUpNow(int button);

// Lines returned by RequestFile, first to last; when none is left the input has ended:
// an empty line, and ConsoleEnded() holds.
void SetConsoleLines(std::vector<std::string> lines);
const std::vector<std::string>& PrintedLines();  // what Print and RequestFile wrote

int FrameCount();  // Flip calls since start (or ResetHeadless)
// The refresh rate of the display a full screen stands for (0: the rate the program asks
// for). In full screen, Present waits for the display's next refresh on the virtual clock, as
// with vertical sync; a window is paced by Flip alone.
void SetDisplayRate(int hertz);
std::int64_t VirtualMillis();
// Called after every Flip with the frame's number; the runner uses it to save frames and to
// stop. Returning false asks the program to stop: the next media call that waits (Flip, Delay,
// WaitTimer, WaitKey) throws headless::Stop, which the runner catches.
void OnFlip(std::function<bool(int frame)> callback);
struct Stop {};

// The mixer's output since the last call, interleaved stereo 16-bit at 44100 Hz; the virtual
// clock drives the mixer.
std::vector<short> TakeMixedAudio();
int ActiveChannels();

// Back to a fresh state: clock 0, no input, frame 0, no script, no channels, the screen
// 800 x 600 at 60 Hz with no title and the drawing state reset.
void ResetHeadless();

}  // namespace media::headless

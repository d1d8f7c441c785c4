// Synthetic window events and read-backs for the SDL backend's tests, so that tests drive the
// backend without including SDL themselves. Not used by the game.
#pragma once

#include <cstdint>
#include <string>

namespace media::sdl::testing {

// Ends SDL and starts the SDL backend afresh (reading SDL_VIDEODRIVER and SDL_AUDIODRIVER
// again), and makes it the current backend.
void RestartSdl();

// The Push calls queue a window event and take the window's events in, as a frame's Flip does.
// Queues a key event for the key of SDL's name ("Return", "Left", "A", "Keypad -", "F5").
bool PushKey(const std::string& keyName, bool down, bool repeat = false);
// Queues a key event only: the input state sees it at the next Flip (or WaitKey).
bool QueueKey(const std::string& keyName, bool down);
// Queues a key event of a key at the position of SDL's scancode name that types the key of
// SDL's key name, as another keyboard layout gives it (scancode "/" typing "-", say).
bool PushLayoutKey(const std::string& scancodeName, const std::string& keyName, bool down);
bool PushText(const std::string& utf8);
bool PushMouseMotion(int x, int y);                            // window pixels
bool PushMouseButton(int sdlButton, bool down, int x, int y);  // 1 left, 2 middle, 3 right
bool PushJoyAxis(int axis, int value);
bool PushJoyButton(int button, bool down);  // SDL's button number, from 0
bool PushQuit();
// The SDL backend's window: its size in window pixels, full screen or not; false without one.
bool WindowSize(int& width, int& height);
bool WindowFullscreen();
std::string WindowTitle();
// The presented picture's pixel at window position x, y as 0xRRGGBB; false when unreadable.
bool ReadPresentedPixel(int x, int y, std::uint32_t& rgb);
bool AudioDeviceOpen();

}  // namespace media::sdl::testing

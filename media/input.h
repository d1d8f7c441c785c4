// Polled input. Every query first handles the window's pending events.
#pragma once

namespace media {

// Key codes.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_LEFT = 37;
constexpr int KEY_UP = 38;
constexpr int KEY_RIGHT = 39;
constexpr int KEY_DOWN = 40;
constexpr int KEY_0 = 48;  // digits 48 to 57
constexpr int KEY_A = 65;  // letters 65 to 90
constexpr int KEY_NUMSUBTRACT = 109;
constexpr int KEY_NUMADD = 107;
constexpr int KEY_F1 = 112;  // F1 to F12: 112 to 123
constexpr int KEY_MINUS = 189;
constexpr int KEY_COUNT = 256;

int KeyHit(int key);   // presses since the last query of this key; resets the count
int KeyDown(int key);  // 1 while held
int MouseX();          // in 800 x 600 screen pixels, also when the picture is scaled
int MouseY();
int MouseHit(int button);  // 1 left, 2 right, 3 middle; counted like KeyHit
int MouseDown(int button);
int GetChar();  // the next typed character, or 0
// The waits take the window's events in while they wait (a frame's reads otherwise see the
// state taken in at its Flip).
int WaitKey();   // waits for a key press and returns its code
int WaitChar();  // waits for a typed character and returns it
void FlushKeys();
void FlushMouse();
void MoveMouse(int x, int y);
void HideMouse();
void ShowMouse();
int JoyHit(int button, int port = 0);  // counted like KeyHit
int JoyDown(int button, int port = 0);
int JoyXDir(int port = 0);  // -1 below -1/3, +1 above +1/3, else 0
int JoyYDir(int port = 0);

}  // namespace media

#include "front/choosers.h"

#include "core/draw.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/text.h"
#include "media/timing.h"

namespace {

constexpr int kButton = 75;    // button cells are 75 x 75
constexpr int kGridLeft = 10;  // the first button's top-left corner
constexpr int kGridTop = 40;
constexpr int kPointerFrame = 62;

// The x of a button number's first glyph is the button's x + 31 (one digit) or + `two`;
// DisplayText puts its first glyph 16 pixels right of the x it is given.
void DrawNumber(int n, int bx, int by, int two, int alt) {
  int first = bx + (n < 10 ? 31 : two);
  DisplayText(media::Str(n), first - 16, by + 51, 0, alt);
}

// The arrow keys move the pointer one button that way.
void ArrowKeysMovePointer(int my) {
  if (media::KeyHit(media::KEY_LEFT)) media::MoveMouse(media::MouseX() - kButton, my);
  if (media::KeyHit(media::KEY_RIGHT)) media::MoveMouse(media::MouseX() + kButton, my);
  if (media::KeyHit(media::KEY_UP)) media::MoveMouse(media::MouseX(), my - kButton);
  if (media::KeyHit(media::KEY_DOWN)) media::MoveMouse(media::MouseX(), my + kButton);
}

// The top-left corner of the button under the pointer.
int HighlightX(int mx) {
  return ((mx - kGridLeft) / kButton) * kButton + kGridLeft;
}
int HighlightY(int my) {
  return ((my + 35) / kButton) * kButton - 35;
}

void DrawPointer(int my) {
  DrawImage(ItemSprite, media::MouseX(), my, kPointerFrame);
}

}  // namespace

int ChooserIndex(int mouseX, int mouseY) {
  return (mouseX - kGridLeft) / kButton + 10 * ((mouseY - kGridTop) / kButton);
}

namespace {

// What differs between the two choosers; the loop is RunChooser's.
struct Chooser {
  int buttons;                         // 70 stages or 11 tutorials
  int highlightBottom;                 // the pointer's lowest y that highlights a button
  int twoDigitX;                       // a two-digit number's x on its button
  bool delay;                          // waits DelayTime after each frame
  void (*drawButtons)();               // the buttons as the frame starts
  bool (*highlightButton)(int index);  // the button under the pointer drawn highlighted
  void (*underPointer)(int index);     // more for the button under the pointer
  void (*footer)();                    // more text above the bottom line
};

// The loop both choosers share: the arrow keys move the pointer one button, the button under
// it is highlighted, a press (the left button, Enter or Space; every one of them is read, so
// none is left over for the stage title) chooses it, and Escape goes back to the title menu
// (MainMenu). Returns the chosen button's index from 0, or -1 when none was chosen.
int RunChooser(const Chooser& c) {
  int chosen = -1;
  do {
    int my = media::MouseY();
    media::Cls();
    ::TileImage(Back, 0, 0, 3);
    c.drawButtons();
    ArrowKeysMovePointer(my);
    int mx = media::MouseX();
    int idx = ChooserIndex(mx, my);
    if (idx < c.buttons && idx >= 0) {  // a pointer moved off the window chooses nothing
      if (mx >= 11 && mx <= 749 && my >= 41 && my <= c.highlightBottom) {
        int hx = HighlightX(mx), hy = HighlightY(my);
        if (c.highlightButton(idx)) DrawImage(Buttons, hx, hy, 0);
        DrawNumber(idx + 1, hx, hy, c.twoDigitX, 1);
      }
      c.underPointer(idx);
      int click = media::MouseHit(1), enter = media::KeyHit(media::KEY_ENTER),
          space = media::KeyHit(media::KEY_SPACE);
      if (click || enter || space) {
        chosen = idx;
        quit = 1;
      }
    } else {
      media::MouseHit(1);
      media::KeyHit(media::KEY_ENTER);
      media::KeyHit(media::KEY_SPACE);
    }
    c.footer();
    DisplayText(media::Upper(Lang[132]), 0, 580, 1, 1);
    if (media::KeyHit(media::KEY_ESCAPE)) {
      MainMenu = 1;
      quit = 1;
    }
    DrawPointer(my);
    media::Flip();
    RenderOverBorders();
    if (c.delay) media::Delay(DelayTime);
  } while (quit == 0);
  quit = 0;
  return chosen;
}

const Chooser kLevels = {
    70,
    554,
    23,
    true,
    [] {
      for (int r = 0; r < 7; r++)
        for (int c = 0; c < 10; c++) {
          int n = 10 * r + c + 1;
          int bx = kGridLeft + kButton * c, by = kGridTop + kButton * r;
          DrawImage(Buttons, bx, by, 1);
          if (Played[n] != 0) DrawImage(Buttons, bx, by, 2);
          DrawNumber(n, bx, by, 23, 0);
        }
    },
    [](int index) { return Played[index + 1] == 0; },
    [](int) {},
    [] {},
};

const Chooser kTutorials = {
    11,
    189,
    21,
    false,
    [] {
      for (int n = 1; n <= 11; n++) {
        int bx = n <= 10 ? kGridLeft + kButton * (n - 1) : kGridLeft;
        int by = n <= 10 ? kGridTop : kGridTop + kButton;
        DrawImage(Buttons, bx, by, 1);
        DrawNumber(n, bx, by, 21, 0);
      }
    },
    [](int) { return true; },
    [](int index) {
      const std::string& line = Tut[index + 1];
      DrawBmpFont(line, 440 - media::TextWidth(line) / 2, 350);
    },
    [] { DisplayText(media::Upper(Lang[131]), 0, 155, 1, 0); },
};

}  // namespace

int ChooseLevel() {
  if (quit != 0) {
    quit = 0;
    return 0;
  }
  const int chosen = RunChooser(kLevels);
  if (chosen >= 0) Game->Stage = chosen;
  return 0;
}

int ChooseTutorial() {
  if (quit != 0) {
    quit = 0;
    return 0;
  }
  const int chosen = RunChooser(kTutorials);
  if (chosen >= 0) TutNo = chosen + 1;
  return 0;
}

// The play frame under test: a headless screen with the game's own pictures and fonts, the
// play origin and viewport, the single objects, an empty stage, and helpers to read pixels
// and to act from inside the frame's own loops (pause, help, map, quit dialog).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "media/graphics.h"
#include "media/sound.h"

namespace frametest {

struct Rgb {
  int r = 0, g = 0, b = 0;
};
Rgb ToRgb(media::Pixel p);
bool Near(Rgb a, Rgb b, int tolerance = 2);

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `body` with an OnFlip callback; `onFlip(n)` gets the number of Flips since the run
  // began (from 1) and may press keys. Returns false when the run reached maxFlips (the body
  // was stopped), true when the body returned by itself.
  bool Run(const std::function<void()>& body, const std::function<void(int)>& onFlip,
           int maxFlips = 2000);
  // RenderGame(0) with no key pressed inside it; true when it returned within maxFlips.
  bool Frame(int maxFlips = 50);

 public:
  // The back buffer at room pixel (x, y) (the screen 16 pixels further right).
  static Rgb RoomPixel(int x, int y);
  // How many opaque pixels of the image cell drawn at room pixel (x, y) show on the back
  // buffer in the cell's own colour, and how many opaque pixels there are. Pixels of the cell
  // outside the play viewport are not counted.
  static void CellShows(const media::Image& image, int frame, int x, int y, int* shown,
                        int* opaque);
  // True when the cell shows whole (and has opaque pixels).
  static bool Shows(const media::Image& image, int frame, int x, int y);

 protected:
  // A looping music track in the music cache under "Music/Song1.ogg", Sng naming it.
  void CacheMusic();
  // True when the mixer produced sound since the last call.
  static bool Audible();
};

}  // namespace frametest

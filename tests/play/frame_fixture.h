// The play frame under test: the rules' small world with every picture and font, the play
// origin and viewport, and helpers to read pixels and to act from inside the frame's own loops
// (pause, help, map, quit dialog).
#pragma once

#include <functional>
#include <vector>

#include "media/graphics.h"
#include "play/rules_fixture.h"

namespace frametest {

struct Rgb {
  int r = 0, g = 0, b = 0;
};
Rgb ToRgb(media::Pixel p);
bool Near(Rgb a, Rgb b, int tolerance = 2);

class FrameTest : public playtest::RulesTest {
 protected:
  // The rules' world, the player at (300, 300) in room (0, 0).
  void SetUp() override;
  void TearDown() override;

  // Runs `body` with an OnFlip callback; `onFlip(n)` gets the number of Flips since the run
  // began (from 1) and may press keys. Returns false when the run reached maxFlips (the body
  // was stopped), true when the body returned by itself.
  bool Run(const std::function<void()>& body, const std::function<void(int)>& onFlip,
           int maxFlips = 2000);

 public:
  // The back buffer at room pixel (x, y) (the screen 16 pixels further right).
  static Rgb RoomPixel(int x, int y);
  // True when every opaque pixel of the image cell drawn at room pixel (x, y) shows on the back
  // buffer in its own colour (pixels outside the play viewport are not counted).
  static bool Shows(const media::Image& image, int frame, int x, int y);

 protected:
  // A looping music track in the music cache under "Music/Song1.ogg", Sng naming it, playing.
  void CacheMusic();
  // The mixer's output since the last call; Audible: any of it not silent.
  static std::vector<short> Mixed();
  static bool Audible();
};

}  // namespace frametest

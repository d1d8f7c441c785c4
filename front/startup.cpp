#include "front/startup.h"

#include "core/globals.h"

// A stand-in until start-up lands: a window with a frame and a line of text for two seconds.
int _bb_main() {
  media::AppTitle("Quillmire");
  media::Graphics(800, 600, 0, 60);
  for (int i = 0; i < 120; ++i) {
    media::Cls();
    media::SetColor(255, 255, 255);
    media::DrawRect(100, 100, 600, 400);
    media::SetColor(0, 0, 0);
    media::DrawText("Quillmire", 360, 290);
    media::Flip();
  }
  return 0;
}

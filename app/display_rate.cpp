#include "app/startup.h"
#include "core/globals.h"
#include "media/media.h"

int DelayTimeFor(int fps) {
  if (fps <= 60) return 0;
  const float delay = 16.6f - static_cast<float>(1000 / fps);
  return static_cast<int>(delay);
}

void ProbeDisplayRate() {
  // The first pass checks at once (FPS 1, its own frame); later checks close one-second
  // windows, and the eleventh gives up with 25.
  int checks = 0;
  int frames = 0;
  int windowStart = 0;
  FPS = 0;
  do {
    media::Cls();
    ++frames;
    if (checks == 0 || media::MilliSecs() - windowStart >= 1000) {
      ++checks;
      FPS = checks >= 11 ? 25 : frames;
      windowStart = media::MilliSecs();
      frames = 0;
    }
    media::DrawText(media::Str(FPS), -100, -100);
    media::Flip(-1);
  } while (FPS < 25);
  DelayTime = DelayTimeFor(FPS);
}

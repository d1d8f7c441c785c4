#include "play/frame_fixture.h"

#include <cstdlib>

#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/headless.h"
#include "play/frame.h"
#include "play/render.h"

namespace frametest {

namespace {
struct EndedByQuit {};
}  // namespace

Rgb ToRgb(media::Pixel p) {
  return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff),
          static_cast<int>(p & 0xff)};
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

void FrameTest::SetUp() {
  RulesTest::SetUp();
  SetEndProgramHandler([] { throw EndedByQuit{}; });
  ASSERT_TRUE(Back && ScoreBar && imgFont && optAlpha && Statusprite && Enemiesprite && Doors &&
              F1_Help);
  Rooms[0][0] = 1;
  Player->X = Player->Y = 300;
  Lang[55] = "Replay";
  Lang[56] = "Pause";
  Lang[61] = "Tutorial";
  DelayTime = 0;
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
}

void FrameTest::TearDown() {
  SetEndProgramHandler({});
  media::headless::OnFlip({});
  RulesTest::TearDown();
}

bool FrameTest::Run(const std::function<void()>& body, const std::function<void(int)>& onFlip,
                    int maxFlips) {
  int flips = 0;
  media::headless::OnFlip([&](int) {
    ++flips;
    if (onFlip) onFlip(flips);
    return flips < maxFlips;
  });
  bool finished = true;
  try {
    body();
  } catch (const media::headless::Stop&) {
    finished = false;
  }
  media::headless::OnFlip({});
  return finished;
}

Rgb FrameTest::RoomPixel(int x, int y) {
  return ToRgb(media::ReadScreenPixel(x + 16, y));
}

bool FrameTest::Shows(const media::Image& image, int frame, int x, int y) {
  int shown = 0, opaque = 0;
  media::Pixmap pm = media::LockImage(image, frame, true, false);
  for (int py = 0; py < pm.height; ++py) {
    for (int px = 0; px < pm.width; ++px) {
      const media::Pixel p = media::ReadPixel(pm, px, py);
      const int sx = x + px, sy = y + py;
      if ((p >> 24) < 128 || sx < 0 || sx >= 768 || sy < 0 || sy >= 600) continue;
      ++opaque;
      if (Near(ToRgb(p), RoomPixel(sx, sy), 1)) ++shown;
    }
  }
  media::UnlockImage(image, frame);
  return opaque > 0 && shown == opaque;
}

void FrameTest::CacheMusic() {
  media::Sound music = media::LoadSound("incbin::Sfx/AllGold.ogg", media::SOUND_LOOP);
  ASSERT_TRUE(music);
  AllPrecachedMusic.push_back({"Music/Song1.ogg", music});
  Sng = "Song1.ogg";
  MusicVol = 1.0f;
  song = PlayMusic("Music/Song1.ogg");
  ASSERT_TRUE(song);
  Mixed();
}

std::vector<short> FrameTest::Mixed() {
  return media::headless::TakeMixedAudio();
}

bool FrameTest::Audible() {
  for (short s : Mixed())
    if (s != 0) return true;
  return false;
}

}  // namespace frametest

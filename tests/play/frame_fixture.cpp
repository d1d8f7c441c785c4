#include "play/frame_fixture.h"

#include <cstdlib>
#include <vector>

#include "core/globals.h"
#include "core/load.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/tables.h"
#include "core/text.h"
#include "media/app.h"
#include "media/files.h"
#include "media/headless.h"
#include "play/dig.h"
#include "play/frame.h"
#include "play/player.h"
#include "play/render.h"
#include "play/stage_start.h"
#include "stages/replay.h"

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
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  ResetGlobals();
  SetEndProgramHandler([] { throw EndedByQuit{}; });
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  media::ResetGraphicsState();
  LoadAllMedia(1, false);
  ASSERT_TRUE(PlayerSprite && ItemSprite && XDoor && Bricks && Back && ScoreBar && imgFont &&
              optAlpha && Statusprite && Enemiesprite && Doors && F1_Help);
  FillBuiltinTables();
  Game = New<bbGames>();
  Exitdoor = New<bbExitDoors>();
  Player = New<bbPlayers>();
  Player->Lives = 2;
  Player->Exist = 1;
  Game->Stage = 5;
  ResetAll();  // Game->State 26
  RoomX = RoomY = 0;
  Rooms[0][0] = 1;
  Player->X = 300;
  Player->Y = 300;
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
  ResetGlobals();
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

bool FrameTest::Frame(int maxFlips) {
  return Run([] { RenderGame(0); }, nullptr, maxFlips);
}

Rgb FrameTest::RoomPixel(int x, int y) {
  return ToRgb(media::ReadScreenPixel(x + 16, y));
}

void FrameTest::CellShows(const media::Image& image, int frame, int x, int y, int* shown,
                          int* opaque) {
  *shown = *opaque = 0;
  media::Pixmap pm = media::LockImage(image, frame, true, false);
  for (int py = 0; py < pm.height; ++py) {
    for (int px = 0; px < pm.width; ++px) {
      const media::Pixel p = media::ReadPixel(pm, px, py);
      if ((p >> 24) < 128) continue;
      const int sx = x + px, sy = y + py;
      if (sx < 0 || sx >= 768 || sy < 0 || sy >= 600) continue;
      ++*opaque;
      if (Near(ToRgb(p), RoomPixel(sx, sy), 1)) ++*shown;
    }
  }
  media::UnlockImage(image, frame);
}

bool FrameTest::Shows(const media::Image& image, int frame, int x, int y) {
  int shown = 0, opaque = 0;
  CellShows(image, frame, x, y, &shown, &opaque);
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
  media::headless::TakeMixedAudio();
}

bool FrameTest::Audible() {
  for (short s : media::headless::TakeMixedAudio())
    if (s != 0) return true;
  return false;
}

}  // namespace frametest

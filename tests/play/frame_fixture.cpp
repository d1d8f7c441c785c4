#include "play/frame_fixture.h"

#include <cstdlib>
#include <vector>

#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "front/quit.h"
#include "front/startup.h"
#include "media/app.h"
#include "media/files.h"
#include "media/headless.h"
#include "play/dig.h"
#include "play/frame.h"
#include "play/player.h"
#include "play/render.h"
#include "stages/flow.h"
#include "stages/replay.h"

namespace frametest {

namespace {

const std::string kIncbin = "incbin::";

media::Image Anim(const std::string& name, int w, int h, int count) {
  return media::LoadAnimImage(kIncbin + name, w, h, 0, count);
}

void RegisterBlobs() {
  static bool registered = false;
  if (registered) return;
  media::RegisterBuiltinBlobs();
  registered = true;
}

void LoadPictures() {
  RegisterBlobs();
  media::SetMaskColor(255, 0, 255);
  imgFont = media::LoadAnimImage(kIncbin + "Images/Font.png", 16, 16, 0, 95,
                                 media::MASKEDIMAGE | media::DYNAMICIMAGE);
  MeasureFontWidths();
  Back = Anim("Images/Back.png", 192, 96, 12);
  optAlpha = Anim("Images/optAlpha.png", 16, 16, 59);
  optAlpha2 = Anim("Images/optAlpha2.png", 16, 16, 59);
  ItemSprite = Anim("Images/Items.png", 48, 48, 64);
  ScoreBar = media::LoadImage(kIncbin + "Images/ScoreBar.png");
  F1_Help = media::LoadImage(kIncbin + "Images/F1.png");
  ESC_Quit = media::LoadImage(kIncbin + "Images/quit.png");
  Mappy = Anim("Images/map.png", 32, 32, 36);
  Mappy2 = Anim("Images/map2.png", 64, 64, 2);
  PlayerSprite = Anim("Images/Player.png", 48, 72, 130);
  Bricks = Anim("Images/Bricks.png", 48, 24, 21);
  Enemiesprite = Anim("Images/Enemies.png", 48, 48, 30);
  XDoor = Anim("Images/XDoor.png", 96, 96, 32);
  Doors = Anim("Images/Doors.png", 48, 96, 30);
  Statusprite = Anim("Images/Status.png", 96, 96, 24);
  media::SetImageHandle(PlayerSprite, 0, 24);
}

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
  ResetReplayGlobals();
  ResetFlowGlobals();
  ResetPlayerGlobals();
  ResetDigCounters();
  ResetRenderGlobals();
  ResetFrameGlobals();
  SetEndProgramHandler([] { throw EndedByQuit{}; });
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  media::ResetGraphicsState();
  LoadPictures();
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
  media::Sound music = media::LoadSound(kIncbin + "Sfx/AllGold.ogg", media::SOUND_LOOP);
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

// The play frame: the in-game keys, the replay step and label, the door-open flash, the pause,
// help and map loops, the items' step and the room grid.
#include "play/frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "media/text.h"
#include "play/map.h"
#include "play/render.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"

namespace frametest {
namespace {

using media::headless::PressKey;
struct EndedByQuit {};

struct Rgb {
  int r = 0, g = 0, b = 0;
};
Rgb ToRgb(media::Pixel p) {
  return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff),
          static_cast<int>(p & 0xff)};
}
bool Near(Rgb a, Rgb b, int tolerance = 2) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

// The rules' world with every picture and font, the play origin and viewport, the player at
// (300, 300) in room (0, 0).
class Frame : public playtest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    SetEndProgramHandler([] { throw EndedByQuit{}; });
    ASSERT_TRUE(Back && ScoreBar && imgFont && optAlpha && Statusprite && Enemiesprite && Doors &&
                F1_Help);
    Rooms[0][0] = 1;
    Player->X = Player->Y = 300;
    Lang[55] = "Replay", Lang[56] = "Pause", Lang[61] = "Tutorial";
    DelayTime = 0;
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
  }
  void TearDown() override {
    SetEndProgramHandler({});
    media::headless::OnFlip({});
    RulesTest::TearDown();
  }
  // Presses `key` and runs one RenderGame(0), `onFlip(n)` after its n-th Flip (it may press
  // keys); the number of Flips it took. Expects the frame to return within 2000 Flips.
  static int KeyFrame(int key, const std::function<void(int)>& onFlip = nullptr) {
    if (key) PressKey(key);
    int flips = 0;
    media::headless::OnFlip([&](int) {
      if (onFlip)
        onFlip(++flips);
      else
        ++flips;
      return flips < 2000;
    });
    try {
      RenderGame(0);
    } catch (const media::headless::Stop&) {
      ADD_FAILURE() << "the frame did not return";
    }
    media::headless::OnFlip({});
    return flips;
  }
  // The back buffer at room pixel (x, y) (the screen 16 pixels further right).
  static Rgb RoomPixel(int x, int y) { return ToRgb(media::ReadScreenPixel(x + 16, y)); }
  // True when every opaque pixel of the image cell drawn at room pixel (x, y) shows on the back
  // buffer in its own colour (pixels outside the play viewport are not counted).
  static bool Shows(const media::Image& image, int frame, int x, int y) {
    int shown = 0, opaque = 0;
    media::Pixmap pm = media::LockImage(image, frame, true, false);
    for (int py = 0; py < pm.height; ++py) {
      for (int px = 0; px < pm.width; ++px) {
        const media::Pixel p = media::ReadPixel(pm, px, py);
        const int sx = x + px, sy = y + py;
        if ((p >> 24) < 128 || sx < 0 || sx >= 768 || sy < 0 || sy >= 600) continue;
        ++opaque;
        shown += Near(ToRgb(p), RoomPixel(sx, sy), 1);
      }
    }
    media::UnlockImage(image, frame);
    return opaque > 0 && shown == opaque;
  }
  // Whether `text` in the menu font shows with its first glyph at (x + 16, y).
  static bool TextShows(const std::string& text, int x, int y) {
    for (int i = 0; i < static_cast<int>(text.size()); ++i)
      if (!Shows(optAlpha, text[i] - 32, x + 16 * (i + 1), y)) return false;
    return true;
  }
  // A looping music track in the music cache under "Music/Song1.ogg", Sng naming it, playing.
  static void CacheMusic() {
    media::Sound music = media::LoadSound("incbin::Sfx/AllGold.ogg", media::SOUND_LOOP);
    ASSERT_TRUE(music);
    AllPrecachedMusic.push_back({"Music/Song1.ogg", music});
    Sng = "Song1.ogg";
    MusicVol = 1.0f;
    song = PlayMusic("Music/Song1.ogg");
    ASSERT_TRUE(song);
    Mixed();
  }
  // The mixer's output since the last call; Audible: any of it not silent.
  static std::vector<short> Mixed() { return media::headless::TakeMixedAudio(); }
  static bool Audible() {
    for (short s : Mixed())
      if (s != 0) return true;
    return false;
  }
};

TEST_F(Frame, KeysInPlay) {
  const int grids[][3] = {{1, 0, 1}, {1, 1, 0}, {2, 0, 0}, {2, 1, 1}};  // difficulty, before, after
  for (const auto& g : grids) {
    Difficulity = g[0], ShowGrid = g[1];
    KeyFrame(kKeyGrid);
    EXPECT_EQ(ShowGrid, g[2]) << g[0];
  }
  // Music and effects off, then back to the saved volume, or 0.8 when none is saved.
  const struct {
    int key;
    float *volume, *saved, *other;
  } toggles[] = {{kKeyMusic, &MusicVol, &tmpMusicVol, &SfxVol},
                 {kKeyEffects, &SfxVol, &tmpSfxVol, &MusicVol}};
  for (const auto& t : toggles) {
    *t.volume = *t.saved = 0.6f, *t.other = 0.3f;
    std::vector<float> seen;
    for (int i = 0; i < 2; ++i) KeyFrame(t.key), seen.push_back(*t.volume);
    *t.saved = 0.0f;
    for (int i = 0; i < 2; ++i) KeyFrame(t.key), seen.push_back(*t.volume);
    EXPECT_EQ(seen, (std::vector<float>{0.0f, 0.6f, 0.0f, 0.8f})) << t.key;
    EXPECT_FLOAT_EQ(*t.other, 0.3f);
  }
  // Giving up takes a life and starts dying, also while dying; not in the frame that ends the
  // stage.
  Player->Lives = 3;
  for (int lives : {2, 1}) {
    KeyFrame(kKeyGiveUp);
    EXPECT_EQ(Player->Lives * 100 + Player->Action, lives * 100 + 16);
  }
  Player->Lives = 3, Player->DyingCounter = 150;
  KeyFrame(kKeyGiveUp);  // the one life a death leaves
  EXPECT_EQ(std::vector<int>({Game->State, Player->Lives, Game->Stage}),
            std::vector<int>({27, 1, 4}));
  // The solution key in that frame does nothing more.
  Player->Action = 16, Player->DyingCounter = 150, Game->State = 26, Game->Stage = 5;
  KeyFrame(kKeySolution);
  EXPECT_EQ(Game->Stage * 10 + DemoMode, 40);
}

TEST_F(Frame, SolutionKey) {
  Tutorial = 1, Difficulity = 2;
  KeyFrame(kKeySolution);
  EXPECT_EQ(Game->State, 26);  // not in the tutorials, but the press is used up
  EXPECT_EQ(media::KeyHit(kKeySolution), 0);
  Tutorial = 0;
  KeyFrame(kKeySolution);
  EXPECT_EQ(std::vector<int>({Difficulity, DemoMode, Game->Stage, Game->State}),
            std::vector<int>({1, 1, 4, 27}));
  // During a replay only F8 and Escape act: no loop runs, nothing changes.
  PlayRuns({{0, 1}, {2, 3}, {1, 5}});
  Game->State = 26, Player->Lives = 2, MusicVol = 0.5f;
  for (int key : {kKeyHelp, kKeyPause, kKeyMap, kKeyGrid, kKeyGiveUp, kKeyMusic, kKeyEffects})
    EXPECT_EQ(KeyFrame(key), 1) << key;
  EXPECT_EQ(std::vector<int>({ShowGrid, Player->Lives, Player->Action}),
            std::vector<int>({0, 2, 0}));
  EXPECT_FLOAT_EQ(MusicVol, 0.5f);
  KeyFrame(kKeySolution);
  EXPECT_EQ(std::vector<int>({DemoMode, Game->State, Game->Stage}), std::vector<int>({0, 27, 3}));
}

TEST_F(Frame, EscapeAsksWhetherToQuit) {
  EXPECT_GT(KeyFrame(kKeyQuit, [](int n) { n == 3 ? PressKey('N') : void(); }), 3);
  EXPECT_EQ(Game->State, 26);
  PlayRuns({{0, 1000}});
  KeyFrame(kKeyQuit, [](int n) { n == 2 ? PressKey('Y') : void(); });
  EXPECT_EQ(Game->State, 31);
}

// One record tick per frame (run 0 with no recorded step drives none: run 1 plays at once); the
// label shows 39 of every 80 frames, never in a tutorial.
TEST_F(Frame, ReplayStepAndLabel) {
  PlayRuns({{0, 1}, {2, 3}, {1, 500}});
  std::vector<int> cursor;
  for (int f = 1; f <= 4; ++f) KeyFrame(0), cursor.push_back(ActionCount * 10 + ActionNo);
  EXPECT_EQ(cursor, (std::vector<int>{11, 12, 20, 21}));
  for (int f = 5; f <= 160; ++f) {
    KeyFrame(0);
    EXPECT_EQ(TextShows("REPLAY", 3, 3), f % 80 > 40) << f;
  }
  Tutorial = 1, TutNo = 1;
  for (int f = 1; f <= 80; ++f) {
    KeyFrame(0);
    EXPECT_FALSE(TextShows("REPLAY", 3, 3)) << f;
  }
  EXPECT_TRUE(Shows(optAlpha, 'T' - 32, 19, 3));  // the tutorial heading instead
  DemoMode = 0;
  const int at = ActionCount * 10 + ActionNo;
  KeyFrame(0);
  EXPECT_EQ(ActionCount * 10 + ActionNo, at);  // live play does not step
}

// The bar flashes every other frame for 150 frames after the door opened, the song paused; in
// the 150th the song resumes. Not in the tutorials.
TEST_F(Frame, DoorFlash) {
  CacheMusic();
  PauseChannel(song);
  Audible();
  DoorOpened = 1;
  std::vector<bool> flashes;
  for (int f = 1; f <= 149; ++f) {
    KeyFrame(0);
    if (f <= 2) flashes.push_back(Near(RoomPixel(700, 590), {redvalue, greenvalue, 100}, 0));
  }
  EXPECT_EQ(flashes, (std::vector<bool>{false, true}));
  EXPECT_EQ(FlashCounter * 10 + DoorOpened, 1491);
  EXPECT_FALSE(Audible());
  KeyFrame(0);
  EXPECT_EQ(DoorOpened + FlashCounter, 0);
  EXPECT_TRUE(Audible());
  Tutorial = 1, DoorOpened = 1;
  for (int f = 1; f <= 200; ++f) KeyFrame(0);
  EXPECT_EQ(DoorOpened, 1);
}

// The tick keeps the stage song at the music volume: full volume sounds as the track itself.
TEST_F(Frame, TheSongIsKeptAtTheMusicVolume) {
  CacheMusic();
  const media::Sound track = AllPrecachedMusic.back().Music;
  std::vector<std::vector<short>> heard;
  for (float volume : {1.0f, 0.5f, -1.0f}) {
    StopChannel(song);
    ResetMusic();
    AllPrecachedMusic.push_back({"Music/Song1.ogg", track});
    Mixed();
    if (volume < 0) {
      media::Channel direct = media::PlaySound(track);
      media::SetChannelVolume(direct, 1.0f);
      KeyFrame(0);
      media::StopChannel(direct);
    } else {
      MusicVol = volume;
      UpdateGame();
      KeyFrame(0);
    }
    heard.push_back(Mixed());
    ASSERT_FALSE(heard.back().empty());
  }
  const std::size_t n = std::min({heard[0].size(), heard[1].size(), heard[2].size()});
  for (auto& h : heard) h.resize(n);
  EXPECT_EQ(heard[0], heard[2]);
  EXPECT_NE(heard[1], heard[2]);
}

// The pause: the fall goes on in the paused picture without a tick, one step per pass; F1, F2
// or Escape end it (no quit dialog) and set the standing pose; dying that ends in the pause ends
// the stage once.
TEST_F(Frame, PauseAndHelpLoops) {
  Player->Action = 14, Player->Y = 100;
  EXPECT_EQ(KeyFrame(kKeyPause, [](int n) { n == 5 ? PressKey(kKeyPause) : void(); }), 6);
  EXPECT_EQ(Player->FallCounter * 1000 + Player->Y, 6 * 1000 + 100 + 6 * 12);
  Player->Action = 0, Player->State = 3, Player->Direction = 1;
  for (int key : {kKeyPause, kKeyHelp, kKeyQuit}) {
    Player->Frame = 0;
    EXPECT_EQ(KeyFrame(kKeyPause, [key](int n) { n == 3 ? PressKey(key) : void(); }), 4) << key;
    EXPECT_EQ(Player->Frame, (3 * 3 + 1) * 4 + 2);
  }
  EXPECT_EQ(Game->State, 26);
  // "PAUSE" shows on counts 0 to 74 of each hundred; the song is paused.
  CacheMusic();
  bool heard = false;
  std::vector<int> shown, expected;
  KeyFrame(kKeyPause, [&](int n) {
    if (n >= 2 && n <= 203) heard = heard || Audible();
    if (n >= 2 && TextShows("PAUSE", 328, 290)) shown.push_back(n - 1);
    n == 1 ? void(Audible()) : n == 203 ? PressKey(kKeyPause) : void();
  });
  for (int pass = 1; pass <= 203; ++pass)
    if (pass % 100 <= 74) expected.push_back(pass);
  EXPECT_EQ(shown, expected);
  EXPECT_FALSE(heard);
  // Help: its picture at 70% over the play-field, the song going on.
  Back = nullptr;
  media::Pixmap pm = media::LockImage(F1_Help, 0, true, false);
  int hx = -1, hy = -1;
  for (int y = 5; y < pm.height && hx < 0; ++y)
    for (int x = 5; x < pm.width && hx < 0; ++x)
      if ((media::ReadPixel(pm, x, y) >> 24) == 255) hx = x, hy = y;
  ASSERT_GE(hx, 0);
  const Rgb help = ToRgb(media::ReadPixel(pm, hx, hy));
  media::UnlockImage(F1_Help, 0);
  Player->X = 700, Player->Y = 500;
  bool shows = true;
  KeyFrame(kKeyHelp, [&](int n) {
    const Rgb bg{redvalue, greenvalue, 100};
    const Rgb want{(7 * help.r + 3 * bg.r) / 10, (7 * help.g + 3 * bg.g) / 10,
                   (7 * help.b + 3 * bg.b) / 10};
    if (n >= 2)
      shows = shows && Audible() && !TextShows("PAUSE", 328, 290) &&
              Near(RoomPixel(250 + hx, 150 + hy), want, 3);
    n == 1 ? void(Audible()) : n == 10 ? PressKey(kKeyHelp) : void();
  });
  EXPECT_TRUE(shows);
  EXPECT_EQ(Help, 0);
  Player->Action = 16, Player->DyingCounter = 140;
  KeyFrame(kKeyPause, [](int n) { n == 300 ? PressKey(kKeyPause) : void(); });
  EXPECT_EQ(std::vector<int>({Game->State, Game->Stage, Player->Lives}),
            std::vector<int>({27, 4, 1}));
}

// The map opens on the player's room (red), other rooms green, missing ones black, with the
// room's plan (a door, a mummy's start); F3 or Escape close it and play goes on where it was;
// a click on another room chooses it.
TEST_F(Frame, MapLoop) {
  Rooms[1][2] = 1;
  RoomX = 1, RoomY = 2;
  auto door = New<bbTraps>();
  door->Kind = TrapKind::OneWayLeft, door->X = 4, door->Y = 2, door->Height = 3, door->Roomx = 1,
  door->Roomy = 2;
  playtest::Spawn(0, 20, 3, 1, 2);  // a mummy starting there
  for (int key : {kKeyMap, kKeyQuit}) {
    Rgb mark, other, missing;
    EXPECT_EQ(KeyFrame(kKeyMap,
                       [&](int n) {
                         if (n == 2)
                           mark = RoomPixel(572, 342), other = RoomPixel(532, 262),
                           missing = RoomPixel(732, 462);
                         if (n == 3 && key == kKeyQuit)
                           media::headless::MoveMouseNow(530, 260), media::headless::ClickNow(1);
                         if (n == 4) PressKey(key);
                       }),
              5)
        << key;
    EXPECT_TRUE(Near(mark, {255, 0, 0}, 0) && Near(other, {0, 255, 0}, 0) &&
                Near(missing, {0, 0, 0}, 0));
    EXPECT_EQ(RoomXX * 10 + RoomYY, key == kKeyMap ? 12 : 0);
    EXPECT_EQ(Game->State, 26);
  }
  EXPECT_EQ(Player->X * 1000 + Player->Y, 300300);
}

// The strips beside the viewport are black after RenderGame(0); flag 1 neither shows nor
// blacks out.
TEST_F(Frame, SideStrips) {
  auto paintStrips = [] {
    media::SetViewport(0, 0, 800, 600);
    media::SetOrigin(0, 0);
    media::SetColor(255, 255, 255);
    media::DrawRect(0, 0, 16, 600);
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
  };
  paintStrips();
  KeyFrame(0, [&](int) { paintStrips(); });
  EXPECT_TRUE(Near(ToRgb(media::ShownPixels()[300 * 800 + 5]), {0, 0, 0}, 0));
  EXPECT_TRUE(Near(ToRgb(media::ReadScreenPixel(5, 300)), {0, 0, 0}, 0));
  const int frames = media::headless::FrameCount();
  paintStrips();
  RenderGame(1);
  EXPECT_EQ(media::headless::FrameCount(), frames);
  EXPECT_TRUE(Near(ToRgb(media::ReadScreenPixel(5, 300)), {255, 255, 255}, 0));
}

std::shared_ptr<bbTraps> TrapAt(int kind, int x, int y, int frame = 0) {
  auto t = New<bbTraps>();
  t->Kind = kind, t->X = x, t->Y = y, t->Frame = frame;
  return t;
}

// One room with one of everything, and the same things in the room beside it: what shows
// where, in the theme's pictures, and the pulsing backdrop and items.
TEST_F(Frame, ARoomsPixels) {
  Back = nullptr;
  Worldtheme = 2, BackGround = 3;
  Player->X = 700, Player->Y = 480, Player->Score = 12345;
  for (int rx : {0, 1}) {  // room 1's things two cells lower
    const int c = rx * 32, d = rx * 2;
    Stage[c + 1][1 + d] = 1, Stage[c + 3][1 + d] = 2, Stage[c + 5][1 + d] = 3;
    Stage[c + 7][1 + d] = 4, Stage[c + 9][1 + d] = 88;
    auto it = New<bbItems>();
    it->kind = 6, it->frame = 48, it->X = 12, it->Y = 1 + d, it->RoomX = rx;
    for (int kind : {0, 1, 2, 3, 6}) TrapAt(kind, kind * 4 + 1, 8 + d, 7)->Roomx = rx;
    auto e = New<bbEnemies>();
    e->x = rx * 768 + 100, e->y = 400 + 24 * d, e->RoomX = rx, e->frame = 6;
    e->framecounter = 1, e->Visible = 1;
    auto w = New<bbWeapons>();
    w->x = rx * 768 + 300, w->y = 400 + 24 * d, w->roomx = rx, w->Frame = 56;
    w->framecounter = 2, w->State = 1;
  }
  auto hidden = New<bbEnemies>();
  hidden->x = 100, hidden->y = 250, hidden->frame = 6, hidden->framecounter = 1;
  auto mummy = New<bbEnemies>();
  mummy->Kind = 1, mummy->CoffineX = 600, mummy->CoffineY = 400, mummy->CoffineCounter = 2;
  mummy->RoomX = 1;  // walked away: the coffin stays in its origin room
  auto rock = New<bbEnemies>();
  rock->Kind = 2, rock->State = 21, rock->x = 672, rock->y = 192, rock->Block2 = 3;
  rock->Block3 = 4;
  TrapAt(2, 24, 12)->Block2 = 4;  // a stone over a vanishing ladder's piece
  auto statue = New<bbstatuses>();
  statue->x = 20, statue->y = 14, statue->frame = 1;
  Exitdoor->x = 16, Exitdoor->y = 1, Exitdoor->Frame = 5, Exitdoor->State = 1;
  KeyFrame(0);
  // Blocks 1 to 4 in theme 2's pictures (not theme 0's), code 88 none, gold, the exit door; the
  // traps (wall trap, crumbling floor, stone, vanishing ladder, door); nothing of room 1, nor the
  // hidden enemy; an enemy, a weapon, a coffin, a resting rock's cells, a statue, the player.
  const struct {
    media::Image* image;
    int frame, x, y;
    bool shows;
  } shown[] = {{&Bricks, 6, 24, 24, true},          {&Bricks, 7, 72, 24, true},
               {&Bricks, 8, 120, 24, true},         {&Bricks, 18, 168, 24, true},
               {&Bricks, 0, 24, 24, false},         {&Bricks, 6, 216, 24, false},
               {&ItemSprite, 48, 288, 24, true},    {&XDoor, 5, 384, 24, true},
               {&Bricks, 19, 24, 192, true},        {&XDoor, 31, 120, 192, true},
               {&ItemSprite, 63, 216, 192, true},   {&Bricks, 18, 312, 192, true},
               {&Doors, 7, 600, 192, true},         {&Bricks, 6, 24, 72, false},
               {&ItemSprite, 48, 288, 72, false},   {&Bricks, 19, 24, 240, false},
               {&Enemiesprite, 7, 100, 448, false}, {&ItemSprite, 58, 300, 448, false},
               {&Enemiesprite, 7, 100, 250, false}, {&Enemiesprite, 7, 100, 400, true},
               {&ItemSprite, 58, 300, 400, true},   {&Doors, 29, 600, 400, true},
               {&Bricks, 8, 696, 192, true},        {&Bricks, 18, 672, 216, true},
               {&Statusprite, 7, 480, 336, true},   {&PlayerSprite, 6, 700, 456, true}};
  for (const auto& c : shown)
    EXPECT_EQ(Shows(*c.image, c.frame, c.x, c.y), c.shows) << c.frame << " " << c.x << "," << c.y;
  int x = 385;
  for (char ch : std::string("12345")) {
    EXPECT_TRUE(Shows(imgFont, ch - 32, x, 583)) << ch;
    x += widthTable[ch - 32];
  }
  EXPECT_TRUE(Near(RoomPixel(760, 100), {5, 5, 100}, 0));
  // Items step a frame every 8th frame, over 8 frames; the backdrop turns round at 255.
  std::vector<int> steps;
  for (int f = 2; f <= 64; ++f) {
    KeyFrame(0);
    if (f == 7 || f == 8 || f == 64) steps.push_back(itemframecounter);
  }
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(redvalue, 255 - 5 * (64 - 51));  // up by 5 to 255 in 51 frames, then down
  RoomX = 1;
  KeyFrame(0);
  EXPECT_TRUE(Shows(ItemSprite, 48, 288, 72));
  EXPECT_FALSE(Shows(XDoor, 5, 384, 24) || Shows(Statusprite, 1 + 2 * 3, 480, 336));
}

// The tutorial bar and its line (also for a line that does not exist); blocks past the grid's
// last column; the room grid: the player's cell red, the room's edge cells white.
TEST_F(Frame, TutorialBarAndRoomGrid) {
  Back = nullptr;
  Tutorial = 1, TutNo = 2;
  Tut[2] = "Climb";
  KeyFrame(0);
  EXPECT_TRUE(Near(RoomPixel(0, 576), {0, 200, 255}, 0) &&
              Near(RoomPixel(767, 599), {0, 200, 255}, 0));
  EXPECT_TRUE(Near(RoomPixel(2, 597), {0, 0, 0}, 0));
  EXPECT_TRUE(Shows(imgFont, 'C' - 32, 432 - media::TextWidth("Climb") / 2, 580));
  EXPECT_TRUE(Shows(optAlpha, 'T' - 32, 19, 3));
  TutNo = 40;  // no such line: the bar all the same
  KeyFrame(0);
  EXPECT_TRUE(Near(RoomPixel(0, 576), {0, 200, 255}, 0));
  Stage[196][10] = 1;  // the last room column reaches past the grid's 197 columns
  RenderBlocks(6 * 32, 0, 0);
  RenderBlocks(-40, -30, 0);
  EXPECT_TRUE(Shows(Bricks, 0, 4 * 24, 10 * 24));
  Tutorial = 0;
  ShowGrid = 1;
  Rooms[1][0] = 1;
  auto half = [](Rgb a, Rgb b) { return Rgb{(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2}; };
  for (int px : {383, 384}) {
    Player->X = px;
    KeyFrame(0);
    const Rgb bg{redvalue, greenvalue, 100};
    const int left = px <= 383 ? 696 : 25, gone = px <= 383 ? 25 : 696;
    EXPECT_TRUE(Near(RoomPixel(left + 3, 28), half({255, 0, 0}, half({0, 255, 0}, bg)), 3)) << px;
    EXPECT_TRUE(Near(RoomPixel(left + 8 + 3, 28), half({0, 255, 0}, bg), 2)) << px;
    EXPECT_TRUE(Near(RoomPixel(left + 16 + 3, 25), half({255, 255, 255}, bg), 2)) << px;
    EXPECT_TRUE(Near(RoomPixel(left + 16 + 3, 28), bg, 0)) << px;
    EXPECT_TRUE(Near(RoomPixel(gone + 3, 28), bg, 0)) << px;
  }
}

}  // namespace
}  // namespace frametest

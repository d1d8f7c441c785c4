// The title menu and the options screen, driven through the whole program with input scripts.
#include "front/title.h"

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "front/front_globals.h"
#include "front/options.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::At;
using fronttest::Bytes;
using fronttest::Trace;

namespace {

class TitleTest : public fronttest::FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    WriteLanguageFiles();
    Write("Country.ini", Bytes{2});
    Write("prefs.ini", Bytes{1});
  }
};

// Keys move the pointer onto their entry (taken by the hover a frame later; parked above the
// menu the keys act alone); the hover answers inside x 261..534, y 328..589. The credits scroll
// two pixels a frame and come back at 801 once wholly off the left. Escape opens the quit
// dialog (no keeps the title), and yes on the exit entry ends the program.
TEST_F(TitleTest, MenuKeysHoverCreditsArrowAndQuit) {
  auto probe = [] {
    std::vector<int> v = {TitleMenu.selection, media::MouseY(), TitleMenu.creditsX,
                          TitleMenu.arrowCell, quit};
    if (v[2] == 779) TitleMenu.creditsX = -media::TextWidth(kCredits) + 1;
    return v;
  };
  const Trace want = {
      {0, {0, 355, 799, 0, 0}},  {1, {5, 567, 797, 0, 0}},  {2, {0, 347, 795, 0, 0}},
      {3, {5, 589, 793, 0, 0}},  {4, {0, 328, 791, 0, 0}},  {5, {0, 500, 789, 1, 0}},
      {6, {0, 500, 787, 1, 0}},  {7, {3, 500, 785, 1, 0}},  {8, {3, 327, 783, 1, 0}},
      {9, {3, 590, 781, 1, 0}},  {10, {3, 590, 779, 1, 0}}, {11, {4, 523, 801, 2, 0}},
      {12, {4, 523, 799, 2, 0}}, {59, {4, 523, 705, 0, 0}}, {60, {4, 350, 703, 0, 0}},
      {62, {4, 560, 703, 0, 0}}};
  Trace got;
  EXPECT_THROW(got = PlayGame("0 mouse 405 100\n0 press UP\n1 mouse 405 100\n1 press DOWN\n"
                              "2 mouse 400 589\n3 mouse 400 328\n4 mouse 260 500\n5 mouse 535 500\n"
                              "6 mouse 534 500\n7 mouse 261 327\n8 mouse 400 590\n"
                              "10 mouse 405 100\n10 press DOWN\n10 press DOWN\n"  // one step
                              "11 mouse 405 100\n11 press UP\n11 press DOWN\n59 press ESC\n"
                              "60 press N\n61 mouse 400 560\n62 press SPACE\n63 press Y\n",
                              probe, want, 90),
               fronttest::ProgramEnded);
  EXPECT_EQ(traced_, want);
}

// Enter, Space and a click in one frame act once: the instructions open at page 0 and the options
// screen toggles nothing; the credits stand still while either runs.
TEST_F(TitleTest, EnterSpaceAndClickInOneFrameActOnce) {
  auto probe = [] {
    return std::vector<int>{InstructionPage, media::MouseX(),     media::MouseY(),
                            Difficulity,     TitleMenu.selection, TitleMenu.creditsX};
  };
  const Trace want = {{2, {0, 400, 380, 1, 1, 795}},  {4, {0, 400, 380, 1, 1, 795}},
                      {7, {0, 400, 513, 1, 4, 791}},  {8, {0, 318, 228, 1, 4, 789}},
                      {10, {0, 318, 228, 1, 4, 789}}, {12, {0, 318, 228, 1, 4, 787}}};
  InstructionPage = 2;
  EXPECT_EQ(PlayGame("0 mouse 400 380\n1 press ENTER\n1 press SPACE\n1 click 1\n4 press ESC\n"
                     "6 mouse 400 513\n7 press ENTER\n7 press SPACE\n7 click 1\n10 press ESC\n",
                     probe, want),
            want);
}

// Start, tutorials and editor leave the title: a new game, silent tutorials with the volumes
// given back on the title, the editor with the viewport left alone.
TEST_F(TitleTest, EntriesThatLeaveTheTitle) {
  tmpMusicVol = 0.7f;
  tmpSfxVol = 0.3f;
  std::vector<std::vector<int>> seen;
  int visits = 0;
  bool onTitle = false, left = false;
  Run([] { _bb_main(); },
      [&](int) {
        if (!Game || !Title || (visits == 0 && Game->State != 31)) return true;
        if (Game->State == 31) {
          if (!onTitle) {
            onTitle = true;
            left = false;
            ++visits;
            seen.push_back({31, static_cast<int>(10 * MusicVol + 0.5f),
                            static_cast<int>(10 * SfxVol + 0.5f), Tutorial, DemoMode});
            Player->Score = 1234;
            DoorOpened = 1;
          }
          if (TitleMenu.selection != (visits == 1 ? 0 : visits == 2 ? 2 : 3)) {
            media::headless::PressKey(media::KEY_DOWN);
          } else {
            media::headless::ClickNow(1);
          }
          return true;
        }
        onTitle = false;
        if (left) {
          media::headless::PressKey(media::KEY_ESCAPE);  // leave whatever the stage flow shows
          return true;
        }
        left = true;
        int vx, vy, vw, vh;
        media::GetViewport(vx, vy, vw, vh);
        if (Game->State == 32) {
          seen.push_back({32, vx, vw});  // the editor: the viewport is left as it was
          return false;
        }
        seen.push_back({Game->State, vx, vw, Player->Score, Player->Lives, Player->XS, Player->YS,
                        Player->Frame, Game->Stage, DoorOpened, Tutorial, DemoMode, User,
                        static_cast<int>(10 * MusicVol + 0.5f),
                        static_cast<int>(10 * SfxVol + 0.5f)});
        if (visits == 1) Game->State = 31;  // back to the title
        return Game->State != 32;
      });
  const std::vector<std::vector<int>> want = {
      {31, 7, 3, 0, 0}, {27, 16, 768, 0, 2, 3, 3, 6, 0, 0, 0, 0, 0, 7, 3},
      {31, 7, 3, 0, 0}, {27, 16, 768, 0, 2, 3, 3, 6, 0, 0, 1, 1, 1, 0, 0},
      {31, 7, 3, 0, 0}, {32, 0, 800}};
  EXPECT_EQ(seen, want);
}

// Volume steps in 32-bit reals, shown as truncated tenths; no step below 0.0 or past 10 tenths.
TEST_F(TitleTest, VolumeSteps) {
  float v = 1.0f;
  std::vector<int> shown;
  for (int i = 0; i < 10; ++i) shown.push_back(VolumeShown(v = VolumeDown(v)));
  EXPECT_EQ(shown, (std::vector<int>{9, 7, 6, 5, 4, 3, 2, 1, 0, 0}));
  EXPECT_EQ(VolumeDown(v), v);
  v = 0.3f, shown.clear();
  for (int i = 0; i < 9; ++i) shown.push_back(VolumeShown(v = VolumeUp(v)));
  EXPECT_EQ(shown, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 10, 10}));
  EXPECT_EQ(VolumeUp(1.0f), 1.0f);
}

// The options screen opens on title frame 2 (frames below count from there). Rows 2 and 3 take
// '-' and Enter (and the keypad's) and their buttons; Enter activates nothing there.
TEST_F(TitleTest, OptionsVolumes) {
  auto probe = [] {
    return std::vector<int>{VolumeShown(MusicVol),    VolumeShown(SfxVol),    Difficulity,
                            VolumeShown(tmpMusicVol), VolumeShown(tmpSfxVol), Game->State};
  };
  const Trace want = {
      {4, {10, 4, 1, 10, 3, 31}}, {6, {9, 5, 1, 10, 3, 31}},  {7, {7, 5, 1, 10, 3, 31}},
      {8, {6, 5, 1, 10, 3, 31}},  {9, {6, 5, 1, 10, 3, 31}},  {10, {7, 5, 1, 10, 3, 31}},
      {11, {7, 5, 1, 10, 3, 31}}, {12, {7, 4, 1, 10, 3, 31}}, {14, {7, 4, 1, 7, 4, 31}}};
  EXPECT_EQ(PlayGame("0 mouse 400 513\n1 press SPACE\n2 mouse 318 342\n3 press NUMADD\n"
                     "4 press ENTER\n5 mouse 318 302\n5 press MINUS\n6 press NUMSUBTRACT\n"
                     "7 mouse 520 305\n7 click 1\n8 mouse 540 305\n8 click 1\n9 mouse 550 305\n"
                     "9 click 1\n10 mouse 520 359\n10 click 1\n11 mouse 520 345\n11 click 1\n"
                     "12 press ESC\n",
                     probe, want),
            want);
}

TEST_F(TitleTest, OptionsRows) {
  std::vector<Bytes> prefs;
  auto probe = [&] {
    prefs.push_back(Read("prefs.ini"));
    return std::vector<int>{media::MouseY(),
                            Difficulity,
                            ShowGrid,
                            Control,
                            Mode,
                            md == fronttest::LineOf(2, 11 + Mode),
                            Game->State,
                            TitleMenu.selection};
  };
  const Trace want = {{3, {428, 1, 1, 0, 1, 1, 31, 4}},  {4, {228, 1, 1, 0, 1, 1, 31, 4}},
                      {5, {228, 2, 0, 0, 1, 1, 31, 4}},  {6, {228, 1, 1, 0, 1, 1, 31, 4}},
                      {7, {268, 1, 1, 0, 1, 1, 31, 4}},  {8, {268, 1, 1, 1, 1, 1, 31, 4}},
                      {9, {268, 1, 1, 0, 1, 1, 31, 4}},  {11, {382, 1, 1, 0, 2, 1, 31, 4}},
                      {12, {382, 1, 1, 0, 0, 1, 31, 4}}, {13, {382, 1, 1, 0, 1, 1, 31, 4}},
                      {17, {422, 1, 1, 0, 1, 1, 31, 2}}};
  // Up wraps to row 5, Down to row 0, one step a pass; Space and clicks toggle the difficulty
  // and the controls, cycle the display mode into prefs.ini, and the back row leaves (its last
  // frame, state 99, is not counted): the title answers the pointer again.
  EXPECT_EQ(PlayGame("0 mouse 400 513\n1 press SPACE\n2 mouse 405 100\n2 press UP\n"
                     "3 mouse 405 100\n3 press DOWN\n4 press SPACE\n5 click 1\n6 mouse 405 100\n"
                     "6 press DOWN\n6 press DOWN\n7 press SPACE\n8 click 1\n9 mouse 318 382\n"
                     "10 click 1\n11 click 1\n12 click 1\n14 mouse 318 422\n15 click 1\n",
                     probe, want),
            want);
  EXPECT_EQ((std::vector<Bytes>{prefs[7], prefs[8], prefs[9]}),
            (std::vector<Bytes>{{2}, {0}, {1}}));
  EXPECT_EQ(GraphicsFullScreen, 0);  // the running game keeps its mode
}

TEST_F(TitleTest, OptionsFlags) {
  const unsigned yellow = 0xFFFFFF00u, white = 0xFFFFFFFFu;
  std::vector<std::vector<int>> shots;
  auto probe = [&] {
    // French framed in yellow from (336, 48) to (384, 96), the volume buttons in the same
    // colour; the flag under the pointer in white, and the buttons then white too.
    shots.push_back({At(336, 48) == yellow, At(384, 96) == yellow, At(360, 97) == yellow,
                     At(514, 298) == yellow, At(566, 358) == yellow, At(540, 308) == yellow,
                     At(480, 60) == white, At(432, 96) == white, At(566, 358) == white});
    const Bytes country = Read("Country.ini");
    return std::vector<int>{LangRect, country.empty() ? -1 : country[0], Difficulity};
  };
  const Trace want = {{2, {2, 2, 1}},  {4, {2, 2, 1}},  {5, {3, 2, 1}},  {6, {4, 2, 1}},
                      {7, {1, 2, 1}},  {8, {4, 2, 1}},  {9, {3, 3, 1}},  {11, {1, 1, 1}},
                      {13, {1, 1, 1}}, {15, {2, 2, 1}}, {17, {2, 2, 1}}, {19, {3, 3, 1}},
                      {21, {4, 4, 1}}, {23, {4, 4, 2}}};
  // The arrows move the frame and write nothing; Space or a click on a flag writes it and
  // activates no row; right of the flags a click activates the row (the difficulty).
  EXPECT_EQ(PlayGame("0 mouse 400 513\n1 press SPACE\n2 mouse 450 90\n4 press RIGHT\n"
                     "5 press RIGHT\n6 press RIGHT\n7 press LEFT\n8 mouse 400 70\n8 press SPACE\n"
                     "10 mouse 289 60\n10 click 1\n12 mouse 335 60\n12 click 1\n14 mouse 336 60\n"
                     "14 click 1\n16 mouse 383 60\n16 click 1\n18 mouse 384 60\n18 click 1\n"
                     "20 mouse 479 60\n20 click 1\n22 mouse 480 60\n22 click 1\n",
                     probe, want),
            want);
  ASSERT_GE(shots.size(), 2u);
  EXPECT_EQ(shots[0], (std::vector<int>{1, 1, 0, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(shots[1], (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1, 1}));
}

}  // namespace

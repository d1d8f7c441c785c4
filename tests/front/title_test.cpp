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

}  // namespace

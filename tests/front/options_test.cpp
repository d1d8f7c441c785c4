// The options screen, reached from the title menu with scripted input.
#include "front/options.h"

#include <gtest/gtest.h>

#include <map>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::FrontTest;
using fronttest::LineOf;
namespace hl = media::headless;

namespace {

using Bytes = std::vector<unsigned char>;

// Title frame 0 points at entry 4, frame 1 activates it: the options screen's first frame is
// title frame 2.
constexpr int kIn = 2;

class OptionsTest : public FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    WriteLanguageFiles();
    WriteBytes("Country.ini", {2});
    WriteBytes("prefs.ini", {1});
  }
  // Frame numbers of `steps` count from the options screen's first frame.
  void Drive(std::map<int, std::function<void()>> steps, int last) {
    steps[-2] = [] { hl::MoveMouseNow(400, 513); };
    steps[-1] = [] { hl::PressKey(media::KEY_SPACE); };
    bool stopped = RunGame([&](int n) {
      auto it = steps.find(n - kIn);
      if (it != steps.end()) it->second();
      return n - kIn < last;
    });
    EXPECT_TRUE(stopped);
  }
  // Points at a row: the hover range ends at y 424, so row 5 answers only from 420 to 424.
  static void Row(int row) { hl::MoveMouseNow(318, 222 + 40 * row); }
};

TEST_F(OptionsTest, VolumeStepsShowTheTruncatedTenths) {
  EXPECT_EQ(VolumeShown(1.0f), 10);
  float v = 1.0f;
  std::vector<int> down;
  for (int i = 0; i < 10; ++i) down.push_back(VolumeShown(v = VolumeDown(v)));
  EXPECT_EQ(down, (std::vector<int>{9, 7, 6, 5, 4, 3, 2, 1, 0, 0}));
  EXPECT_LT(v, 0.0f);
  EXPECT_EQ(VolumeDown(v), v);  // below 0.0 a minus does nothing

  v = 0.3f;
  std::vector<int> up;
  for (int i = 0; i < 9; ++i) up.push_back(VolumeShown(v = VolumeUp(v)));
  EXPECT_EQ(up, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 10, 10}));
  EXPECT_GT(v, 1.0f);

  v = 0.3f;
  std::vector<int> low;
  for (int i = 0; i < 4; ++i) low.push_back(VolumeShown(v = VolumeDown(v)));
  EXPECT_EQ(low, (std::vector<int>{2, 1, 0, 0}));
  EXPECT_LT(v, -0.09f);
  EXPECT_GT(v, -0.11f);
}

TEST_F(OptionsTest, MusicVolumeWithTheMinusKeyOnRowTwo) {
  std::vector<int> shown;
  std::map<int, std::function<void()>> steps;
  steps[0] = [] { Row(2); };
  for (int i = 0; i < 10; ++i) {
    steps[2 + i] = [&shown, i] {
      if (i > 0) shown.push_back(VolumeShown(MusicVol));
      hl::PressKey(i % 2 ? media::KEY_MINUS : media::KEY_NUMSUBTRACT);
    };
  }
  steps[12] = [&] { shown.push_back(VolumeShown(MusicVol)); };
  Drive(steps, 12);
  EXPECT_EQ(shown, (std::vector<int>{9, 7, 6, 5, 4, 3, 2, 1, 0, 0}));
}

TEST_F(OptionsTest, EffectsVolumeWithThePlusKeysOnRowThree) {
  std::vector<int> shown;
  std::map<int, std::function<void()>> steps;
  steps[0] = [] { Row(3); };
  for (int i = 0; i < 9; ++i) {
    steps[3 + i] = [&shown, i] {
      if (i > 0) shown.push_back(VolumeShown(SfxVol));
      hl::PressKey(i % 2 ? media::KEY_ENTER : media::KEY_NUMADD);
    };
  }
  steps[12] = [&] { shown.push_back(VolumeShown(SfxVol)); };
  Drive(steps, 12);
  EXPECT_EQ(shown, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 10, 10}));
  EXPECT_EQ(MusicVol, 1.0f);
}

TEST_F(OptionsTest, VolumeButtonsUnderThePointer) {
  Drive({{0, [] { hl::MoveMouseNow(520, 305); }},  // row 2, the minus button
         {1, [] { hl::ClickNow(1); }},
         {2,
          [] {
            EXPECT_EQ(VolumeShown(MusicVol), 9);
            hl::MoveMouseNow(540, 305);  // between the buttons
            hl::ClickNow(1);
          }},
         {3,
          [] {
            EXPECT_EQ(VolumeShown(MusicVol), 9);
            hl::MoveMouseNow(550, 305);  // the plus button
            hl::ClickNow(1);
          }},
         {4,
          [] {
            EXPECT_EQ(VolumeShown(MusicVol), 10);
            hl::MoveMouseNow(520, 345);  // row 3, minus
          }},
         {5, [] { hl::ClickNow(1); }},
         {6,
          [] {
            EXPECT_EQ(VolumeShown(SfxVol), 2);
            hl::MoveMouseNow(520, 359);  // below the button's range
            hl::ClickNow(1);
          }},
         {7, [] { EXPECT_EQ(VolumeShown(SfxVol), 2); }}},
        7);
}

TEST_F(OptionsTest, EnterRaisesTheMusicAndActivatesNothing) {
  Drive({{0,
          [] {
            MusicVol = 0.5f;
            hl::PressKey(media::KEY_ENTER);  // row 0: Enter is taken by the volume keys
          }},
         {1,
          [] {
            EXPECT_EQ(Difficulity, 1);
            EXPECT_EQ(MusicVol, 0.5f);
            Row(2);
          }},
         {2, [] { hl::PressKey(media::KEY_ENTER); }},
         {3, [] { EXPECT_EQ(VolumeShown(MusicVol), 6); }}},
        3);
}

TEST_F(OptionsTest, DifficultyAndControlRowsToggle) {
  Drive({{0, [] { hl::PressKey(media::KEY_SPACE); }},
         {1,
          [] {
            EXPECT_EQ(Difficulity, 2);
            EXPECT_EQ(ShowGrid, 0);
            hl::ClickNow(1);
          }},
         {2,
          [] {
            EXPECT_EQ(Difficulity, 1);
            EXPECT_EQ(ShowGrid, 1);
            Row(1);
            hl::ClickNow(1);
          }},
         {3,
          [] {
            EXPECT_EQ(Control, 1);
            hl::PressKey(media::KEY_SPACE);
          }},
         {4, [] { EXPECT_EQ(Control, 0); }}},
        4);
}

TEST_F(OptionsTest, DisplayModeCyclesIntoPrefs) {
  std::vector<Bytes> written;
  std::vector<std::string> labels;
  Drive({{0, [] { Row(4); }},
         {1, [] { hl::ClickNow(1); }},
         {2,
          [&] {
            written.push_back(ReadBytes("prefs.ini"));
            labels.push_back(md);
            hl::ClickNow(1);
          }},
         {3,
          [&] {
            written.push_back(ReadBytes("prefs.ini"));
            labels.push_back(md);
            hl::ClickNow(1);
          }},
         {4,
          [&] {
            written.push_back(ReadBytes("prefs.ini"));
            labels.push_back(md);
          }}},
        4);
  EXPECT_EQ(written, (std::vector<Bytes>{{2}, {0}, {1}}));
  EXPECT_EQ(labels, (std::vector<std::string>{LineOf(2, 13), LineOf(2, 11), LineOf(2, 12)}));
  EXPECT_EQ(GraphicsFullScreen, 0);  // the running game keeps its mode
}

TEST_F(OptionsTest, FlagClicksWriteTheLanguage) {
  const std::vector<std::pair<int, int>> clicks = {{289, 1}, {335, 1}, {336, 2}, {383, 2},
                                                   {384, 3}, {431, 3}, {432, 4}, {479, 4}};
  std::vector<Bytes> written;
  std::vector<int> rects;
  std::map<int, std::function<void()>> steps;
  for (int i = 0; i < static_cast<int>(clicks.size()); ++i) {
    steps[2 * i] = [&, i] {
      hl::MoveMouseNow(clicks[i].first, 60);
      hl::ClickNow(1);
    };
    steps[2 * i + 1] = [&] {
      written.push_back(ReadBytes("Country.ini"));
      rects.push_back(LangRect);
    };
  }
  Drive(steps, 2 * static_cast<int>(clicks.size()));
  ASSERT_EQ(written.size(), clicks.size());
  for (std::size_t i = 0; i < clicks.size(); ++i) {
    EXPECT_EQ(written[i], Bytes{static_cast<unsigned char>(clicks[i].second)}) << clicks[i].first;
    EXPECT_EQ(rects[i], clicks[i].second);
  }
  EXPECT_EQ(Difficulity, 1);  // a flag click activates no row
}

TEST_F(OptionsTest, FlagFrameAndVolumeButtonsAreYellowAndWhiteWithThePointerOnTheFlags) {
  const media::Pixel yellow = 0xFFFFFF00u, white = 0xFFFFFFFFu;
  auto at = [](int x, int y) { return media::ReadScreenPixel(x, y) | 0xFF000000u; };
  Drive({{0,
          [&] {
            // French (LangRect 2) is framed from (336, 48) to (384, 96).
            EXPECT_EQ(at(336, 48), yellow);
            EXPECT_EQ(at(384, 96), yellow);
            EXPECT_EQ(at(360, 96), yellow);
            EXPECT_NE(at(360, 97), yellow);
            // The minus and plus frames of both volume rows, in the frame's colour.
            for (int y : {300, 340}) {
              EXPECT_EQ(at(514, y - 2), yellow) << y;
              EXPECT_EQ(at(534, y + 18), yellow) << y;
              EXPECT_EQ(at(546, y - 2), yellow) << y;
              EXPECT_EQ(at(566, y + 18), yellow) << y;
              EXPECT_NE(at(540, y + 8), yellow) << y;  // between the buttons
            }
            hl::MoveMouseNow(450, 90);  // the pointer sprite stays clear of the pixels read
          }},
         {2,
          [&] {
            // The flag under the pointer: (432, 48) to (480, 96), in white; the colour stays
            // white for the volume frames of this frame.
            EXPECT_EQ(at(480, 60), white);
            EXPECT_EQ(at(432, 96), white);
            EXPECT_EQ(at(336, 60), yellow);
            EXPECT_EQ(at(514, 298), white);
            EXPECT_EQ(at(566, 358), white);
          }}},
        2);
}

TEST_F(OptionsTest, SpaceOnTheFlagsPicksTheFlagOnly) {
  Drive({{0,
          [] {
            hl::MoveMouseNow(400, 70);
            hl::PressKey(media::KEY_SPACE);
          }},
         {1,
          [&] {
            EXPECT_EQ(ReadBytes("Country.ini"), Bytes{3});
            EXPECT_EQ(Difficulity, 1);
          }}},
        1);
}

TEST_F(OptionsTest, LeftAndRightMoveTheFrameButWriteNothing) {
  Drive({{0, [] { hl::PressKey(media::KEY_RIGHT); }},
         {1,
          [] {
            EXPECT_EQ(LangRect, 3);
            hl::PressKey(media::KEY_RIGHT);
          }},
         {2,
          [] {
            EXPECT_EQ(LangRect, 4);
            hl::PressKey(media::KEY_RIGHT);
          }},
         {3,
          [] {
            EXPECT_EQ(LangRect, 1);
            hl::PressKey(media::KEY_LEFT);
          }},
         {4,
          [&] {
            EXPECT_EQ(LangRect, 4);
            EXPECT_EQ(ReadBytes("Country.ini"), Bytes{2});
          }}},
        4);
}

TEST_F(OptionsTest, RowsWrapWithTheArrowKeys) {
  // With the pointer parked above the rows the keys act alone.
  Drive({{0,
          [] {
            hl::MoveMouseNow(318, 100);
            hl::PressKey(media::KEY_UP);
          }},
         {1,
          [] {
            EXPECT_EQ(media::MouseY(), 228 + 200);  // row 5
            hl::MoveMouseNow(318, 100);
            hl::PressKey(media::KEY_DOWN);
          }},
         {2,
          [] {
            EXPECT_EQ(media::MouseY(), 228);  // row 0
            hl::MoveMouseNow(318, 100);
            hl::PressKey(media::KEY_DOWN);
            hl::PressKey(media::KEY_DOWN);
          }},
         {3,
          [] {
            EXPECT_EQ(media::MouseY(), 268);  // one step per pass
            hl::PressKey(media::KEY_SPACE);   // row 1 settled under the pointer: controls
          }},
         {5, [] { EXPECT_EQ(Control, 1); }}},
        5);
}

TEST_F(OptionsTest, EscapeLeavesAndSavesTheVolumes) {
  Drive({{0, [] { Row(2); }},
         {1, [] { hl::PressKey(media::KEY_MINUS); }},
         {2, [] { hl::PressKey(media::KEY_ESCAPE); }},
         {4,
          [] {
            EXPECT_EQ(tmpMusicVol, MusicVol);
            EXPECT_EQ(VolumeShown(tmpMusicVol), 9);
            EXPECT_EQ(Game->State, 31);
            hl::PressKey(media::KEY_DOWN);  // the title menu answers again
          }},
         {5, [] { EXPECT_EQ(TitleMenu.selection, 5); }}},
        5);
}

TEST_F(OptionsTest, BackRowLeavesLikeEscape) {
  Drive({{0, [] { Row(5); }},
         {1, [] { hl::ClickNow(1); }},
         {4,
          [] {
            EXPECT_EQ(Game->State, 31);
            hl::MoveMouseNow(400, 560);  // the title menu answers again
          }},
         {5, [] { EXPECT_EQ(TitleMenu.selection, 5); }}},
        5);
}

}  // namespace

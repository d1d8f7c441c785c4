// The instruction pages, the quit dialog, the game-over page and the state machine, run directly
// with the pictures loaded.
#include <algorithm>

#include "app/startup.h"
#include "app/state_machine.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "front/front_globals.h"
#include "front/instructions.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

namespace hl = media::headless;
using fronttest::At;
using fronttest::Trace;

namespace {

class ScreensTest : public fronttest::FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    fronttest::LoadForScreens();
    Game->State = 31;
  }
};

TEST_F(ScreensTest, QuitDialogAnswers) {
  struct Case {
    const char* what;
    int state;
    const char* input;  // after the first frame
    int shown, stateAfter, quitAfter;
  };
  // Unanswered, the dialog gets a no after frame 4. The buttons answer inside their frames.
  const Case cases[] = {{"no during play", 26, "press N", 2, 26, 0},
                        {"yes during play", 26, "press Y", 2, 31, 0},
                        {"no wins over yes", 26, "press Y\n0 press N", 2, 26, 0},
                        {"yes in the editor", 32, "press Y", 2, 32, 1},
                        {"escape", 32, "press ESC", 6, 32, 0},
                        {"yes left edge", 32, "mouse 311 390\n0 click 1", 2, 32, 1},
                        {"left of yes", 32, "mouse 310 390\n0 click 1", 6, 32, 0},
                        {"yes right edge", 32, "mouse 369 390\n0 click 1", 2, 32, 1},
                        {"right of yes", 32, "mouse 370 390\n0 click 1", 6, 32, 0},
                        {"above yes", 32, "mouse 340 360\n0 click 1", 6, 32, 0},
                        {"yes top", 32, "mouse 340 361\n0 click 1", 2, 32, 1},
                        {"yes bottom", 32, "mouse 340 419\n0 click 1", 2, 32, 1},
                        {"below yes", 32, "mouse 340 420\n0 click 1", 6, 32, 0},
                        {"left of no", 32, "mouse 395 390\n0 click 1", 6, 32, 0},
                        {"no top left", 32, "mouse 396 361\n0 click 1", 2, 32, 0},
                        {"no bottom right", 32, "mouse 454 419\n0 click 1", 2, 32, 0},
                        {"right of no", 32, "mouse 455 390\n0 click 1", 6, 32, 0}};
  for (const Case& c : cases) {
    Game->State = c.state;
    quit = 0;
    song = media::PlaySound(sndExiting);
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
    auto probe = [] {
      // The dialog drew with what the caller left; change it.
      media::SetViewport(0, 0, 800, 600);
      media::SetOrigin(0, 0);
      return std::vector<int>{media::MouseX(), media::MouseY()};
    };
    const Trace want = {{0, {370, 350}}, {9, {}}};  // the pointer starts just outside the buttons
    EXPECT_EQ(
        Play([] { QuitFunc(); }, std::string("0 ") + c.input + "\n4 press N", probe, want).at(0),
        want.at(0))
        << c.what;
    EXPECT_EQ((std::vector{shown_, Game->State, quit}),
              (std::vector{c.shown, c.stateAfter, c.quitAfter}))
        << c.what;
    int vx, vy, vw, vh;
    media::GetViewport(vx, vy, vw, vh);
    EXPECT_EQ(vx, c.state == 26 && c.stateAfter == 26 ? 16 : 0) << c.what;  // back to play
    EXPECT_EQ(media::ChannelPlaying(song), c.stateAfter == 31 ? 0 : 1) << c.what;
  }
  Game->State = 31;
  EXPECT_THROW(Play([] { QuitFunc(); }, "1 press Y", [] { return std::vector<int>{}; }, {}, 20),
               fronttest::ProgramEnded);
  Game->State = 26;
  quit = 2;  // an answer left by another screen acts at once
  EXPECT_EQ(Run([] { QuitFunc(); }, [](int) { return true; }), 0);
  EXPECT_EQ(quit, 0);
}

TEST_F(ScreensTest, GameOverPage) {
  Game->State = 28;
  User = 1;
  Sfx = media::PlaySound(sndOptions);
  song = media::PlaySound(sndExiting);
  Lang[50] = "game over";
  std::vector<std::vector<media::Pixel>> strips;
  auto probe = [&] {
    const media::Pixel* p = media::ShownPixels();
    strips.emplace_back(p + 300 * 800, p + 316 * 800);
    Lang[50] = "GAME OVER";
    return std::vector<int>{media::ChannelPlaying(song)};
  };
  const Trace want = {{0, {0}}, {1, {0}}};
  EXPECT_EQ(Play([] { GameOverPage(); }, "3 press ESC", probe, want, 20), want);
  EXPECT_EQ(shown_, 4);
  EXPECT_EQ(strips[0], strips[1]);  // drawn in capitals either way
  EXPECT_GT(std::count_if(strips[1].begin(), strips[1].end(),
                          [](media::Pixel p) { return (p & 0xFFFFFFu) != 0; }),
            100);
  EXPECT_EQ((std::vector{Game->State, User, media::ChannelPlaying(Sfx),
                         media::KeyHit(media::KEY_ESCAPE)}),
            (std::vector{31, 0, 0, 0}));
  Game->State = 28;
  hl::PressKey(media::KEY_SPACE);  // left from play: ends at once
  EXPECT_EQ(Run([] { GameOverPage(); }, [](int) { return true; }), 0);
}

struct MachineCase {
  int state;
  const char* input;
  int shown;      // frames shown before the machine returned; 6: it ran on past frame 5
  int titleFrom;  // the first frame shown on the title screen, -1 for none
};

class StateMachine : public ScreensTest, public ::testing::WithParamInterface<MachineCase> {};

TEST_P(StateMachine, GoesWhereTheStateSays) {
  const MachineCase& c = GetParam();
  Game->State = c.state;
  auto probe = [] { return std::vector<int>{Game->State == 31}; };
  const Trace got = Play([] { RunStateMachine(); }, c.input, probe,
                         {{0, {}}, {1, {}}, {2, {}}, {3, {}}, {4, {}}, {5, {}}});
  int titleFrom = -1;
  for (const auto& [n, v] : got)
    if (titleFrom < 0 && v[0]) titleFrom = n;
  EXPECT_EQ((std::vector{shown_, titleFrom, quit}), (std::vector{c.shown, c.titleFrom, 0}));
}

INSTANTIATE_TEST_SUITE_P(States, StateMachine,
                         ::testing::Values(MachineCase{30, "", 0, -1},  // leaves at once
                                           MachineCase{5, "", 6, 0},    // unknown: the title
                                           MachineCase{28, "0 press SPACE", 6, 1},  // game over
                                           MachineCase{29, "0 press N", 6, 2},  // quit dialog, no
                                           // yes leaves without opening the answered dialog again
                                           MachineCase{29, "0 press Y", 2, -1}));

}  // namespace

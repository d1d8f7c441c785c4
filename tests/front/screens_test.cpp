// The instruction pages, the quit dialog and the game-over page, run directly with the
// pictures loaded.
#include <gtest/gtest.h>

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

using fronttest::FrontTest;
namespace hl = media::headless;

namespace {

class ScreensTest : public FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    fronttest::LoadForScreens();
    Game->State = 31;
  }
  // Runs `body`; `onFlip(frame)` acts after each frame shown; stops after `last`. Returns the
  // number of frames shown.
  int Frames(const std::function<void()>& body, const std::function<void(int)>& onFlip,
             int last = 100) {
    const int before = hl::FrameCount();
    Run(body, [&](int frame) {
      onFlip(frame - before);
      return frame - before < last;
    });
    return hl::FrameCount() - before;
  }
};

// --- instruction pages

TEST_F(ScreensTest, ThreeSpacesBringPageZeroBack) {
  std::vector<int> pages;
  const int shown = Frames([] { Instructions(); },
                           [&](int f) {
                             pages.push_back(InstructionPage);
                             if (f < 3) hl::PressKey(media::KEY_SPACE);
                             if (f == 4) hl::PressKey(media::KEY_ESCAPE);
                           });
  EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 0, 0}));
  EXPECT_EQ(shown, 5);  // Escape ends the screen after the pass that showed it
}

TEST_F(ScreensTest, SpaceAndClickInOnePassTurnOnePage) {
  std::vector<int> pages;
  Frames([] { Instructions(); },
         [&](int f) {
           pages.push_back(InstructionPage);
           if (f == 0) {
             hl::PressKey(media::KEY_SPACE);
             hl::ClickNow(1);
           }
           if (f == 2) hl::PressKey(media::KEY_ESCAPE);
         });
  EXPECT_EQ(pages, (std::vector<int>{0, 1, 1}));
}

TEST_F(ScreensTest, PendingEscapeLeavesTheInstructionsAtOnce) {
  hl::PressKey(media::KEY_ESCAPE);
  EXPECT_EQ(Frames([] { Instructions(); }, [](int) {}), 0);
}

TEST_F(ScreensTest, TextPagesCopyTheirLines) {
  for (int n = 0; n < 177; ++n) Lang[n] = "L" + std::to_string(n);
  Lang[95] = "";
  Frames([] { Instructions(); },
         [&](int f) {
           if (f == 0) hl::PressKey(media::KEY_SPACE);
           if (f == 1) {
             EXPECT_EQ(txt[0], "L87");
             EXPECT_EQ(txt[18], "L105");
             EXPECT_EQ(txt[8], "");
             hl::ClickNow(1);
           }
           if (f == 2) {
             EXPECT_EQ(txt[0], "L106");
             EXPECT_EQ(txt[13], "L119");
             hl::PressKey(media::KEY_ESCAPE);
           }
         });
}

// --- quit dialog

TEST_F(ScreensTest, QuitOpensWithThePointerJustOutsideTheButtons) {
  Frames([] { QuitFunc(); },
         [](int f) {
           if (f == 0) {
             EXPECT_EQ(media::MouseX(), 370);
             EXPECT_EQ(media::MouseY(), 350);
             hl::PressKey('N');
           }
         });
  EXPECT_EQ(quit, 0);
}

TEST_F(ScreensTest, YesOnTheTitleEndsTheProgram) {
  EXPECT_THROW(Frames([] { QuitFunc(); },
                      [](int f) {
                        if (f == 1) hl::PressKey('Y');
                      }),
               fronttest::ProgramEnded);
}

TEST_F(ScreensTest, YesDuringPlayGoesBackToTheTitleAndStopsTheMusic) {
  Game->State = 26;
  song = media::PlaySound(sndOptions);
  ASSERT_EQ(media::ChannelPlaying(song), 1);
  const int shown = Frames([] { QuitFunc(); },
                           [](int f) {
                             if (f == 2) hl::PressKey('Y');
                           });
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(media::ChannelPlaying(song), 0);
}

TEST_F(ScreensTest, NoDuringPlayRestoresThePlayField) {
  Game->State = 26;
  song = media::PlaySound(sndOptions);
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  Frames([] { QuitFunc(); },
         [](int f) {
           if (f == 0) {
             // The dialog itself drew with whatever the caller left; change it to be sure.
             media::SetViewport(0, 0, 800, 600);
             media::SetOrigin(0, 0);
             hl::MoveMouseNow(400, 390);
             hl::ClickNow(1);
           }
         });
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(quit, 0);
  int vx, vy, vw, vh;
  media::GetViewport(vx, vy, vw, vh);
  EXPECT_EQ(vx, 16);
  EXPECT_EQ(vy, 0);
  EXPECT_EQ(vw, 768);
  EXPECT_EQ(vh, 600);
  float ox, oy;
  media::GetOrigin(ox, oy);
  EXPECT_EQ(ox, 16.0f);
  EXPECT_EQ(oy, 0.0f);
  EXPECT_EQ(media::ChannelPlaying(song), 1);  // the music goes on
}

TEST_F(ScreensTest, NoWinsOverYesInOneFrame) {
  Game->State = 26;
  Frames([] { QuitFunc(); },
         [](int f) {
           if (f == 0) {
             hl::PressKey('Y');
             hl::PressKey('N');
           }
         });
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(quit, 0);
}

TEST_F(ScreensTest, YesInTheEditorLeavesTheAnswerToTheCaller) {
  Game->State = 32;
  Frames([] { QuitFunc(); },
         [](int f) {
           if (f == 0) hl::PressKey('Y');
         });
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(Game->State, 32);
}

TEST_F(ScreensTest, ClicksOnAndJustOutsideTheButtonEdges) {
  struct Click {
    int x, y, answer;  // 0 none, 1 yes, 2 no
  };
  const Click clicks[] = {{310, 390, 0}, {311, 390, 1}, {369, 390, 1}, {370, 390, 0},
                          {340, 360, 0}, {340, 361, 1}, {340, 419, 1}, {340, 420, 0},
                          {395, 390, 0}, {396, 390, 2}, {454, 390, 2}, {455, 390, 0},
                          {420, 361, 2}, {420, 420, 0}, {383, 390, 0}};
  for (const Click& c : clicks) {
    Game->State = 32;  // yes leaves quit at 1 here, no sets it back to 0
    quit = 0;
    const int shown = Frames([] { QuitFunc(); },
                             [&](int f) {
                               if (f == 0) {
                                 hl::MoveMouseNow(c.x, c.y);
                                 hl::ClickNow(1);
                               }
                               if (f == 3) hl::PressKey('N');
                             });
    const int answered = shown == 2 ? (quit == 1 ? 1 : 2) : 0;
    EXPECT_EQ(answered, c.answer) << c.x << ", " << c.y;
  }
}

TEST_F(ScreensTest, EscapeDoesNothingInTheDialog) {
  hl::PressKey(media::KEY_ESCAPE);  // the Escape that opened it is flushed
  const int shown = Frames([] { QuitFunc(); },
                           [](int f) {
                             if (f == 1) hl::PressKey(media::KEY_ESCAPE);
                             if (f == 4) hl::PressKey('N');
                           });
  EXPECT_EQ(shown, 6);
  EXPECT_EQ(quit, 0);
}

TEST_F(ScreensTest, AnswerLeftByAnotherScreenActsAtOnce) {
  Game->State = 26;
  quit = 2;
  EXPECT_EQ(Frames([] { QuitFunc(); }, [](int) {}), 0);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(Game->State, 26);
}

TEST_F(ScreensTest, SnapshotDuringPlayLandsWhereItWasTaken) {
  Game->State = 26;
  media::SetViewport(16, 0, 768, 600);
  media::SetOrigin(16, 0);
  media::Cls();
  media::SetColor(255, 0, 0);
  media::DrawRect(100, 100, 10, 10);  // screen columns 116 to 125
  media::SetColor(255, 255, 255);
  media::Pixel atRect = 0, rightOfRect = 0;
  Frames([] { QuitFunc(); },
         [&](int f) {
           if (f == 0) {
             atRect = media::ShownPixels()[105 * 800 + 120];
             rightOfRect = media::ShownPixels()[105 * 800 + 134];
             hl::PressKey('N');
           }
         });
  EXPECT_EQ(atRect & 0xFFFFFFu, 0xFF0000u);
  EXPECT_NE(rightOfRect & 0xFFFFFFu, 0xFF0000u);
}

TEST_F(ScreensTest, HoverOvalOnlyInsideAButton) {
  Game->State = 32;
  media::SetColor(255, 0, 0);
  media::Pixel outside = 0, inside = 0;
  Frames([] { QuitFunc(); },
         [&](int f) {
           if (f == 0) outside = media::ShownPixels()[400 * 800 + 322];
           if (f == 0) hl::MoveMouseNow(330, 390);  // the yes button
           if (f == 1) {
             inside = media::ShownPixels()[400 * 800 + 322];
             hl::PressKey('N');
           }
         });
  EXPECT_NE(inside, outside);
}

TEST_F(ScreensTest, HoverOvalLightensInWhiteAndKeepsTheCallersColour) {
  Game->State = 32;
  media::SetColor(255, 0, 0);
  media::Pixel outside = 0, inside = 0;
  Frames([] { QuitFunc(); },
         [&](int f) {
           if (f == 0) outside = media::ShownPixels()[390 * 800 + 430];
           if (f == 0) hl::MoveMouseNow(410, 390);  // the no button
           if (f == 1) {
             inside = media::ShownPixels()[390 * 800 + 430];
             hl::PressKey('N');
           }
         });
  // Every channel moves 30 % of the way to 255.
  for (int shift : {16, 8, 0}) {
    const int before = static_cast<int>((outside >> shift) & 255);
    const int after = static_cast<int>((inside >> shift) & 255);
    EXPECT_NEAR(after, before + (255 - before) * 3 / 10, 2) << shift;
  }
  int r, g, b;
  media::GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

// --- game over and the state machine

TEST_F(ScreensTest, GameOverEndsAtOnceOnASpaceLeftFromPlay) {
  Game->State = 28;
  User = 1;
  hl::PressKey(media::KEY_SPACE);
  EXPECT_EQ(Frames([] { GameOverPage(); }, [](int) {}), 0);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(User, 0);
}

TEST_F(ScreensTest, GameOverShowsTheTextInCapitals) {
  Game->State = 28;
  Lang[50] = "game over";
  std::vector<media::Pixel> lower, upper;
  auto strip = [] {
    const media::Pixel* p = media::ShownPixels();
    return std::vector<media::Pixel>(p + 300 * 800, p + 316 * 800);
  };
  Frames([] { GameOverPage(); },
         [&](int f) {
           if (f == 0) {
             lower = strip();
             Lang[50] = "GAME OVER";
           }
           if (f == 1) {
             upper = strip();
             hl::PressKey(media::KEY_SPACE);
           }
         });
  EXPECT_EQ(lower, upper);  // drawn upper-cased either way
  bool drawn = false;
  for (media::Pixel px : upper) drawn = drawn || (px & 0xFFFFFFu) != 0;
  EXPECT_TRUE(drawn);
}

TEST_F(ScreensTest, GameOverWaitsForEscapeAndStopsTheSounds) {
  Game->State = 28;
  Sfx = media::PlaySound(sndOptions);
  song = media::PlaySound(sndGold);
  Lang[50] = "Game over";
  const int shown = Frames([] { GameOverPage(); },
                           [](int f) {
                             if (f == 0) {
                               EXPECT_EQ(media::ChannelPlaying(song), 0);
                             }
                             if (f == 3) hl::PressKey(media::KEY_ESCAPE);
                           });
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(media::ChannelPlaying(Sfx), 0);
  EXPECT_EQ(media::KeyHit(media::KEY_ESCAPE), 0);
}

TEST_F(ScreensTest, StateMachineRunsTheGameOverPageThenTheTitle) {
  Game->State = 28;
  bool sawTitle = false;
  Frames([] { RunStateMachine(); },
         [&](int f) {
           if (f == 2) hl::PressKey(media::KEY_SPACE);
           if (Game->State == 31 && f > 2) sawTitle = true;
         },
         5);
  EXPECT_TRUE(sawTitle);
}

TEST_F(ScreensTest, StateMachineSendsAnUnknownStateToTheTitle) {
  Game->State = 5;
  bool sawTitle = false;
  Frames([] { RunStateMachine(); }, [&](int) { sawTitle = sawTitle || Game->State == 31; }, 2);
  EXPECT_TRUE(sawTitle);
}

TEST_F(ScreensTest, StateThirtyLeavesTheStateMachine) {
  Game->State = 30;
  EXPECT_EQ(Frames([] { RunStateMachine(); }, [](int) {}), 0);
}

TEST_F(ScreensTest, StateTwentyNineRunsTheQuitDialog) {
  Game->State = 29;
  bool opened = false;
  Frames([] { RunStateMachine(); },
         [&](int f) {
           if (f == 0) {
             opened = media::MouseX() == 370 && media::MouseY() == 350;
             hl::PressKey('N');
             Game->State = 30;  // leave once the dialog returns
           }
         });
  EXPECT_TRUE(opened);
}

TEST_F(ScreensTest, StateTwentyNineYesLeavesTheStateMachine) {
  Game->State = 29;
  int frames = 0;
  Frames([] { RunStateMachine(); },
         [&](int f) {
           frames = f + 1;
           if (f == 0) hl::PressKey('Y');
         },
         50);
  // Two dialog frames (the second takes the Y), then the machine returns instead of calling
  // the answered dialog again.
  EXPECT_EQ(frames, 2);
  EXPECT_EQ(Game->State, 30);
  EXPECT_EQ(quit, 0);
}

TEST_F(ScreensTest, StateTwentyNineNoGoesToTheTitle) {
  Game->State = 29;
  bool sawTitle = false;
  Frames([] { RunStateMachine(); },
         [&](int f) {
           if (f == 0) hl::PressKey('N');
           sawTitle = sawTitle || (f > 0 && Game->State == 31);
         },
         4);
  EXPECT_TRUE(sawTitle);
  EXPECT_EQ(quit, 0);
}

}  // namespace

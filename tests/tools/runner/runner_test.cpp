// The headless runner: options, runs of a small program in-process with frames saved and
// checked, the state dump, and the quill_runner program over the real game.
#include "tools/runner/runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "core/objects.h"
#include "core/quit.h"
#include "media/files.h"
#include "media/media.h"
#include "support/game_fixture.h"
#include "support/pictures.h"
#include "support/temp_folder.h"

using quill_test::PixelOfPng;
using quill_test::ReadBytes;
using quill_test::WriteBytes;

namespace {

constexpr media::Pixel kRed = 0xFFFF0000u, kBlack = 0xFF000000u;

// A black screen with a red square at (100, 50) while Right is held; the game object counts
// the frames; it ends by itself after 20 frames.
int DemoProgram() {
  media::Graphics(800, 600, 0, 60);
  Game = std::make_shared<bbGames>();
  Game->State = 31;
  for (int i = 0; i < 20; ++i) {
    media::Cls();
    if (media::KeyDown(media::KEY_RIGHT)) {
      media::SetColor(255, 0, 0);
      media::DrawRect(100, 50, 40, 30);
    }
    Game->Stage = i;
    media::Flip();
  }
  return 0;
}

class Runner : public quill_test::GameTest {
 protected:
  int Run(const std::vector<std::string>& args, const std::function<int()>& program = DemoProgram) {
    runner::Options o;
    std::string error;
    EXPECT_TRUE(runner::ParseOptions(args, o, error)) << error;
    errors.clear();
    return runner::Run(o, program, errors);
  }
  std::vector<std::string> errors;
  quill_test::TempFolder folder_;
};

TEST(RunnerOptions, ParsesEveryOptionAndRejectsBadOnes) {
  runner::Options o;
  std::string error;
  ASSERT_TRUE(runner::ParseOptions(
      {"--dir", "game", "--script", "s.txt", "--console", "c.txt", "--frames", "30", "--save-frame",
       "3:a.png", "--save-frame", "10:out/b.png", "--dump", "d.txt"},
      o, error));
  EXPECT_EQ(o.dir + o.script + o.console + o.dump + std::to_string(o.frames),
            "games.txtc.txtd.txt30");
  EXPECT_EQ(o.saveFrames,
            (std::vector<std::pair<int, std::string>>{{3, "a.png"}, {10, "out/b.png"}}));
  EXPECT_TRUE(runner::ParseOptions({}, o, error) && o.frames == -1);
  // clang-format off
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--frames"}, {"--frames", "0"}, {"--frames", "-3"}, {"--frames", "ten"},
           {"--save-frame", "3"}, {"--save-frame", "x:a.png"}, {"--save-frame", "3:"},
           {"--speed", "2"}, {"stray"}}) {
    // clang-format on
    error.clear();
    EXPECT_FALSE(runner::ParseOptions(args, o, error) || error.empty()) << args[0];
  }
}

TEST_F(Runner, SavesTheFramesAskedForAndStopsAfterTheFrameCount) {
  WriteBytes("script.txt", "# hold Right from frame 2 to frame 4\n2 key down RIGHT\n4 key up 39\n");
  EXPECT_EQ(Run({"--script", "script.txt", "--frames", "6", "--save-frame", "1:f1.png",
                 "--save-frame", "3:f3.png", "--save-frame", "4:f4.png", "--dump", "dump.txt"}),
            0);
  EXPECT_TRUE(errors.empty());
  int width = 0;
  EXPECT_EQ(
      (std::array<media::Pixel, 5>{PixelOfPng("f1.png", 110, 60, &width),
                                   PixelOfPng("f3.png", 100, 50), PixelOfPng("f3.png", 139, 79),
                                   PixelOfPng("f3.png", 140, 79), PixelOfPng("f4.png", 110, 60)}),
      (std::array<media::Pixel, 5>{kBlack, kRed, kRed, kBlack, kBlack}));
  EXPECT_EQ(width, 800);
  // The program runs on to its next waiting call after the sixth Flip: the seventh pass sets
  // the stage to 6 and is stopped in its Flip.
  EXPECT_EQ(ReadBytes("dump.txt"),
            "frames 6\nmillis 100\nended stopped\nstate 31\nstage 6\nplayer none\n"
            "roomx 0\nroomy 0\n");
  // A frame never shown is an error; the dump of a program that ends by itself says so.
  Player = std::make_shared<bbPlayers>();
  Player->Score = 1200, Player->Lives = 2, Player->X = 48, Player->Y = 96, Player->Action = 13;
  RoomX = 3, RoomY = 1;
  EXPECT_EQ(Run({"--save-frame", "25:late.png", "--dump", "dump.txt"}), 1);
  EXPECT_TRUE(errors.size() == 1 && errors[0].find("frame 25") != std::string::npos);
  EXPECT_EQ(media::FileType("late.png"), 0);
  EXPECT_EQ(ReadBytes("dump.txt"),
            "frames 20\nmillis 333\nended returned\nstate 31\nstage 19\nscore 1200\nlives 2\n"
            "x 48\ny 96\naction 13\nroomx 3\nroomy 1\n");
}

TEST_F(Runner, TheStartFolderConsoleLinesAndTheGamesOwnEnd) {
  ASSERT_TRUE(media::CreateDir("game"));
  WriteBytes("game/prefs.ini", "\x01");
  WriteBytes("console.txt", "mystage\r\nsecond\n");
  std::vector<std::string> answers;
  const int rc =
      Run({"--dir", "game", "--console", "console.txt", "--dump", "dump.txt"}, [&]() -> int {
        answers.push_back(media::OpenFile("prefs.ini") ? "found" : "missing");
        for (int i = 0; i < 3; ++i) answers.push_back(media::RequestFile("Load"));
        SetEndProgramHandler([] { throw runner::Ended{}; });
        media::Graphics(800, 600, 0, 60);
        media::Flip();
        media::Flip();
        EndProgram();
      });
  SetEndProgramHandler(nullptr);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(answers, (std::vector<std::string>{"found", "mystage", "second", ""}));
  // The dump goes where the runner was started, not into the start folder.
  EXPECT_EQ(ReadBytes(folder_.path() + "/dump.txt").substr(0, 35),
            "frames 2\nmillis 33\nended quit\ngame ");
  EXPECT_EQ(media::FileType(folder_.path() + "/game/dump.txt"), 0);
}

TEST_F(Runner, UnusableInputIsReportedBeforeTheRun) {
  bool ran = false;
  auto program = [&] { return ran = true, 0; };
  WriteBytes("bad.txt", "0 press 13\n1 jump\n");
  // clang-format off
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--dir", "missing"}, {"--script", "missing.txt"}, {"--script", "bad.txt"},
           {"--console", "missing.txt"}})
    // clang-format on
    EXPECT_EQ(Run(args, program), 2) << args[1];
  EXPECT_FALSE(ran);
}

int RunProgram(const std::string& args) {
  const int status = std::system((std::string(QUILL_RUNNER_EXE) + " " + args).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The real program in an empty folder: it starts, shows frames, and the runner stops it after
// the frame count with a dump and a saved frame; the quit dialog confirmed on the title screen
// ends a run through the runner.
TEST(RunnerProgram, RunsTheGame) {
  quill_test::TempFolder t;
  EXPECT_EQ(RunProgram("--frames zero 2>/dev/null"), 2);
  ASSERT_TRUE(media::CreateDir("start"));
  EXPECT_EQ(RunProgram("--dir start --frames 3 --save-frame 2:shot.png --dump dump.txt"), 0);
  EXPECT_EQ(ReadBytes("dump.txt").substr(0, 33), "frames 3\nmillis 50\nended stopped\n");
  int width = 0;
  PixelOfPng("shot.png", 0, 0, &width);
  EXPECT_EQ(width, 800);
  for (const char* name : {"start/Country.ini", "start/prefs.ini"}) WriteBytes(name, "\x01");
  std::string script;
  for (int f = 200; f < 1200; f += 10)
    script += std::to_string(f) + " press ESCAPE\n" + std::to_string(f + 5) + " press Y\n";
  WriteBytes("script.txt", script);
  EXPECT_EQ(RunProgram("--dir start --script script.txt --frames 1500 --dump dump.txt"), 0);
  EXPECT_NE(ReadBytes("dump.txt").find("ended quit\nstate 31\n"), std::string::npos);
}

}  // namespace

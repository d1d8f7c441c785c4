// The headless runner: options, runs of a small program in-process with frames saved and
// checked pixel by pixel, and the quill_runner program over the real game.
#include "tools/runner/runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "core/globals.h"
#include "core/objects.h"
#include "core/quit.h"
#include "media/headless.h"
#include "media/media.h"
#include "media/temp_folder.h"

using quill_test::ReadBytes;
using quill_test::TempFolder;
using quill_test::WriteBytes;

namespace {

constexpr media::Pixel kRed = 0xFFFF0000u;
constexpr media::Pixel kBlack = 0xFF000000u;

// A small program: a black screen with a red square at (100, 50) while Right is held; the
// game object counts the frames; it ends by itself after 20 frames.
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

media::Pixel PixelOf(const std::string& png, int x, int y, int* width = nullptr) {
  media::Image img = media::LoadImage(png, 0);
  if (!img) return 0;
  if (width) *width = media::ImageWidth(img);
  media::Pixmap p = media::LockImage(img);
  media::Pixel v = media::ReadPixel(p, x, y);
  media::UnlockImage(img);
  return v;
}

class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    media::headless::ResetHeadless();
  }
  void TearDown() override {
    media::headless::ResetHeadless();
    ResetGlobals();
  }
  TempFolder folder_;
};

int RunArgs(const std::vector<std::string>& args, const std::function<int()>& program,
            std::vector<std::string>& errors) {
  runner::Options o;
  std::string error;
  EXPECT_TRUE(runner::ParseOptions(args, o, error)) << error;
  return runner::Run(o, program, errors);
}

}  // namespace

TEST(RunnerOptions, ParsesEveryOption) {
  runner::Options o;
  std::string error;
  ASSERT_TRUE(runner::ParseOptions(
      {"--dir", "game", "--script", "s.txt", "--console", "c.txt", "--frames", "30", "--save-frame",
       "3:a.png", "--save-frame", "10:out/b.png", "--dump", "d.txt"},
      o, error))
      << error;
  EXPECT_EQ(o.dir, "game");
  EXPECT_EQ(o.script, "s.txt");
  EXPECT_EQ(o.console, "c.txt");
  EXPECT_EQ(o.frames, 30);
  EXPECT_EQ(o.dump, "d.txt");
  ASSERT_EQ(o.saveFrames.size(), 2u);
  EXPECT_EQ(o.saveFrames[1], (std::pair<int, std::string>{10, "out/b.png"}));
  ASSERT_TRUE(runner::ParseOptions({}, o, error));
  EXPECT_EQ(o.frames, -1);
}

TEST(RunnerOptions, RejectsBadOptions) {
  runner::Options o;
  std::string error;
  for (const auto& args : std::vector<std::vector<std::string>>{{"--frames"},
                                                                {"--frames", "0"},
                                                                {"--frames", "-3"},
                                                                {"--frames", "ten"},
                                                                {"--save-frame", "3"},
                                                                {"--save-frame", "x:a.png"},
                                                                {"--save-frame", "3:"},
                                                                {"--speed", "2"},
                                                                {"stray"}}) {
    EXPECT_FALSE(runner::ParseOptions(args, o, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST_F(RunnerTest, SavesTheFramesAskedForAndStopsAfterTheFrameCount) {
  WriteBytes("script.txt", "# hold Right from frame 2 to frame 4\n2 key down RIGHT\n4 key up 39\n");
  std::vector<std::string> errors;
  int rc = RunArgs({"--script", "script.txt", "--frames", "6", "--save-frame", "1:f1.png",
                    "--save-frame", "3:f3.png", "--save-frame", "4:f4.png", "--dump", "dump.txt"},
                   DemoProgram, errors);
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(errors.empty()) << errors.front();
  int width = 0;
  EXPECT_EQ(PixelOf("f1.png", 110, 60, &width), kBlack);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(PixelOf("f3.png", 100, 50), kRed);
  EXPECT_EQ(PixelOf("f3.png", 139, 79), kRed);
  EXPECT_EQ(PixelOf("f3.png", 140, 79), kBlack);
  EXPECT_EQ(PixelOf("f3.png", 99, 50), kBlack);
  EXPECT_EQ(PixelOf("f4.png", 110, 60), kBlack);
  // The program runs on to its next waiting call after the sixth Flip: the seventh pass sets
  // the stage to 6 and is stopped in its Flip.
  EXPECT_EQ(ReadBytes("dump.txt"),
            "frames 6\nmillis 100\nended stopped\nstate 31\nstage 6\nplayer none\n"
            "roomx 0\nroomy 0\n");
}

TEST_F(RunnerTest, AProgramThatEndsByItselfIsDumpedAsReturned) {
  std::vector<std::string> errors;
  Player = std::make_shared<bbPlayers>();
  Player->Score = 1200;
  Player->Lives = 2;
  Player->X = 48;
  Player->Y = 96;
  Player->Action = 13;
  RoomX = 3;
  RoomY = 1;
  EXPECT_EQ(RunArgs({"--dump", "dump.txt"}, DemoProgram, errors), 0);
  EXPECT_EQ(ReadBytes("dump.txt"),
            "frames 20\nmillis 333\nended returned\nstate 31\nstage 19\nscore 1200\nlives 2\n"
            "x 48\ny 96\naction 13\nroomx 3\nroomy 1\n");
}

TEST_F(RunnerTest, TheGamesOwnEndIsDumpedAsQuit) {
  std::vector<std::string> errors;
  int rc = RunArgs(
      {"--dump", "dump.txt"},
      []() -> int {
        SetEndProgramHandler([] { throw runner::Ended{}; });
        media::Graphics(800, 600, 0, 60);
        media::Flip();
        media::Flip();
        EndProgram();
      },
      errors);
  SetEndProgramHandler(nullptr);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(ReadBytes("dump.txt").substr(0, 35), "frames 2\nmillis 33\nended quit\ngame ");
}

TEST_F(RunnerTest, AFrameThatIsNeverShownIsAnError) {
  std::vector<std::string> errors;
  EXPECT_EQ(RunArgs({"--save-frame", "25:late.png"}, DemoProgram, errors), 1);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("frame 25"), std::string::npos);
  EXPECT_EQ(media::FileType("late.png"), 0);
}

TEST_F(RunnerTest, ConsoleLinesAnswerTheFilePrompt) {
  WriteBytes("console.txt", "mystage\r\nsecond\n");
  std::vector<std::string> answers;
  std::vector<std::string> errors;
  int rc = RunArgs(
      {"--console", "console.txt"},
      [&] {
        for (int i = 0; i < 3; ++i) answers.push_back(media::RequestFile("Load"));
        return 0;
      },
      errors);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(answers, (std::vector<std::string>{"mystage", "second", ""}));
}

TEST_F(RunnerTest, TheStartFolderIsWhereTheProgramRuns) {
  ASSERT_TRUE(media::CreateDir("game"));
  WriteBytes("game/prefs.ini", "\x01");
  std::string seen;
  std::vector<std::string> errors;
  int rc = RunArgs(
      {"--dir", "game", "--dump", "dump.txt"},
      [&] {
        media::Stream s = media::OpenFile("prefs.ini");
        seen = s ? "found" : "missing";
        return 0;
      },
      errors);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(seen, "found");
  // The dump goes where the runner was started, not into the start folder.
  EXPECT_EQ(media::FileType(folder_.path() + "/dump.txt"), 1);
  EXPECT_EQ(media::FileType(folder_.path() + "/game/dump.txt"), 0);
}

TEST_F(RunnerTest, UnusableInputIsReportedBeforeTheRun) {
  bool ran = false;
  auto program = [&] {
    ran = true;
    return 0;
  };
  std::vector<std::string> errors;
  EXPECT_EQ(RunArgs({"--dir", "missing"}, program, errors), 2);
  EXPECT_EQ(RunArgs({"--script", "missing.txt"}, program, errors), 2);
  WriteBytes("bad.txt", "0 press 13\n1 jump\n");
  EXPECT_EQ(RunArgs({"--script", "bad.txt"}, program, errors), 2);
  EXPECT_NE(errors.back().find("line 2"), std::string::npos);
  EXPECT_EQ(RunArgs({"--console", "missing.txt"}, program, errors), 2);
  EXPECT_FALSE(ran);
}

// The real program over the headless backend, in an empty folder: it starts, shows frames,
// and the runner stops it cleanly after the frame count with a dump and a saved frame.
TEST(RunnerProgram, RunsTheGameForAFewFrames) {
  TempFolder t;
  ASSERT_TRUE(media::CreateDir("start"));
  std::string cmd = std::string(QUILL_RUNNER_EXE) +
                    " --dir start --frames 3 --save-frame 2:shot.png --dump dump.txt";
  int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string dump = ReadBytes("dump.txt");
  EXPECT_EQ(dump.rfind("frames 3\n", 0), 0u) << dump;
  EXPECT_NE(dump.find("ended stopped\n"), std::string::npos) << dump;
  media::Image shot = media::LoadImage("shot.png", 0);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(media::ImageWidth(shot), 800);
  EXPECT_EQ(media::ImageHeight(shot), 600);
}

TEST(RunnerProgram, RejectsBadOptionsWithStatus2) {
  int status = std::system((std::string(QUILL_RUNNER_EXE) + " --frames zero 2>/dev/null").c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

// The game's quit dialog, confirmed on the title screen, ends the run through the runner.
TEST(RunnerProgram, TheQuitDialogEndsTheRun) {
  TempFolder t;
  ASSERT_TRUE(media::CreateDir("start"));
  WriteBytes("start/Country.ini", "\x01");
  WriteBytes("start/prefs.ini", "\x01");
  std::string script;
  for (int f = 200; f < 1200; f += 10)
    script += std::to_string(f) + " press ESCAPE\n" + std::to_string(f + 5) + " press Y\n";
  WriteBytes("script.txt", script);
  std::string cmd = std::string(QUILL_RUNNER_EXE) +
                    " --dir start --script script.txt --frames 1500 --dump dump.txt";
  int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string dump = ReadBytes("dump.txt");
  EXPECT_NE(dump.find("ended quit\nstate 31\n"), std::string::npos) << dump;
}

// The SDL backend's console: RequestFile and Print on the real standard streams.
#ifdef QUILL_HAVE_SDL
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "media/app.h"
#include "media/files.h"
#include "media/headless.h"
#include "media/sdl/sdl_testing.h"

namespace {

class SdlConsole : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    media::sdl::testing::RestartSdl();
    oldIn_ = std::cin.rdbuf(input_.rdbuf());
  }
  void TearDown() override {
    std::cin.rdbuf(oldIn_);
    std::cin.clear();
    media::ShutdownMedia();
    media::headless::ResetHeadless();
  }
  std::istringstream input_;
  std::streambuf* oldIn_ = nullptr;
};

}  // namespace

TEST_F(SdlConsole, RequestFilePromptsOnStandardOutputAndReadsStandardInput) {
  input_.str("Levels/My Stage\r\nsecond\nlast without a line feed");
  testing::internal::CaptureStdout();
  const std::string first = media::RequestFile("ignored title");
  const std::string second = media::RequestFile();
  const std::string third = media::RequestFile();
  const std::string none = media::RequestFile();  // the input has ended
  media::Print("printed");
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(first, "Levels/My Stage");  // the carriage return of a DOS line is dropped
  EXPECT_EQ(second, "second");
  EXPECT_EQ(third, "last without a line feed");
  EXPECT_EQ(none, "");
  EXPECT_EQ(out,
            "Enter a filename:\nEnter a filename:\nEnter a filename:\nEnter a filename:\n"
            "printed\n");
}

#endif  // QUILL_HAVE_SDL

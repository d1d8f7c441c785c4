// The game runs at the same speed on every display: in full screen, where each frame waits for
// the display's refresh, the screens' DelayTime still brings a frame to about 16.6 ms.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/app.h"
#include "media/headless.h"

namespace {

namespace fs = std::filesystem;

TEST(DisplayRate, EveryRefreshRateGivesTheGameSpeed) {
  const fs::path start = fs::current_path();
  const fs::path root =
      fs::temp_directory_path() / ("quill-rate-" + std::to_string(std::random_device{}()));
  fs::create_directories(root);
  for (const char* sub : {"Langs", "Levels", "Music"})
    fs::copy(fs::path(QUILL_GAME_DIR) / sub, root / sub, fs::copy_options::recursive);
  std::ofstream(root / "Country.ini", std::ios::binary).put(1);
  fs::current_path(root);
  for (int rate : {60, 75, 85, 120, 144}) {
    SCOPED_TRACE(std::to_string(rate) + " Hz");
    std::ofstream(root / "prefs.ini", std::ios::binary).put(0);  // full screen
    media::UseHeadlessBackend();
    media::headless::ResetHeadless();
    ResetGlobals();
    media::headless::SetDisplayRate(rate);
    int titleFrame = -1;
    std::int64_t from = 0, to = 0;
    constexpr int kFrames = 600;
    media::headless::OnFlip([&](int frame) {
      if (titleFrame < 0 && Game && Game->State == 31) titleFrame = frame;
      if (titleFrame >= 0 && frame == titleFrame + 60) from = media::headless::VirtualMillis();
      if (titleFrame >= 0 && frame == titleFrame + 60 + kFrames) {
        to = media::headless::VirtualMillis();
        return false;
      }
      return frame < 5000;
    });
    try {
      _bb_main();
    } catch (const media::headless::Stop&) {
    }
    media::headless::OnFlip(nullptr);
    EXPECT_NEAR(FPS, rate, 1);
    ASSERT_GT(to, from);
    const double frame = static_cast<double>(to - from) / kFrames;
    EXPECT_GE(frame, 16.0);
    EXPECT_LE(frame, 17.2);
  }
  fs::current_path(start);
  fs::remove_all(root);
  ResetGlobals();
}

}  // namespace

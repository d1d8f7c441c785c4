// The SDL backend under SDL's dummy video and audio drivers (set in the test environment).
#ifdef QUILL_HAVE_SDL
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "media/app.h"
#include "media/audio/sound_data.h"
#include "media/backend.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "media/sdl/sdl_testing.h"
#include "media/sound.h"
#include "media/timing.h"

namespace {

namespace st = media::sdl::testing;

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override { Start("dummy", "dummy"); }
  // A fresh SDL backend over the given drivers, also when the tests share one process.
  void Start(const char* video, const char* audio) {
    ::setenv("SDL_VIDEODRIVER", video, 1);
    ::setenv("SDL_AUDIODRIVER", audio, 1);
    media::detail::Input() = {};
    media::detail::StopAllChannels();
    st::RestartSdl();
  }
  void TearDown() override {
    media::ShutdownMedia();
    media::headless::ResetHeadless();  // also the screen size and the title set here
  }
  void OpenWindow() {
    media::AppTitle("Quillmire");
    ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  }
};

TEST_F(SdlBackend, WindowedModeIsAn800By600WindowWithTheTitle) {
  OpenWindow();
  int w = 0, h = 0;
  ASSERT_TRUE(st::WindowSize(w, h));
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_FALSE(st::WindowFullscreen());
  EXPECT_EQ(st::WindowTitle(), "Quillmire");
  EXPECT_FALSE(media::detail::CurrentBackend().PacesItself());
  media::AppTitle("Other");
  EXPECT_EQ(st::WindowTitle(), "Other");
}

TEST_F(SdlBackend, PresentShowsTheFramebuffer) {
  OpenWindow();
  std::vector<media::Pixel> pixels(800 * 600, 0xFF0000FFu);  // blue
  for (int y = 100; y < 200; ++y)
    for (int x = 300; x < 500; ++x) pixels[y * 800 + x] = 0x8012C034u;  // alpha is ignored
  media::detail::CurrentBackend().Present(pixels.data(), 800, 600);
  std::uint32_t rgb = 0;
  ASSERT_TRUE(st::ReadPresentedPixel(10, 10, rgb));
  EXPECT_EQ(rgb, 0x0000FFu);
  ASSERT_TRUE(st::ReadPresentedPixel(350, 150, rgb));
  EXPECT_EQ(rgb, 0x12C034u);
  // A picture of the wrong size is not shown.
  std::vector<media::Pixel> small(10 * 10, 0xFFFFFFFFu);
  media::detail::CurrentBackend().Present(small.data(), 10, 10);
  ASSERT_TRUE(st::ReadPresentedPixel(5, 5, rgb));
  EXPECT_EQ(rgb, 0x0000FFu);
}

TEST_F(SdlBackend, FlipOfTheRendererPresentsDrawnPixels) {
  OpenWindow();
  media::Cls();
  media::SetColor(255, 255, 0);
  media::DrawRect(20, 30, 40, 50);
  media::Flip(0);
  std::uint32_t rgb = 0;
  ASSERT_TRUE(st::ReadPresentedPixel(25, 35, rgb));
  EXPECT_EQ(rgb, 0xFFFF00u);
  ASSERT_TRUE(st::ReadPresentedPixel(70, 35, rgb));
  EXPECT_EQ(rgb, 0u);
}

struct KeyCase {
  const char* name;
  int code;
};

TEST_F(SdlBackend, KeysMapToTheirCodes) {
  OpenWindow();
  const KeyCase cases[] = {
      {"Backspace", 8},   {"Tab", 9},        {"Return", 13},    {"Keypad Enter", 13},
      {"Escape", 27},     {"Space", 32},     {"Left", 37},      {"Up", 38},
      {"Right", 39},      {"Down", 40},      {"0", 48},         {"5", 53},
      {"9", 57},          {"A", 65},         {"M", 77},         {"Z", 90},
      {"F1", 112},        {"F8", 119},       {"F10", 121},      {"F12", 123},
      {"-", 189},         {"Keypad -", 109}, {"Keypad +", 107}, {"Keypad 0", 96},
      {"Left Shift", 16}, {"Left Ctrl", 17}, {"Delete", 46},
  };
  for (const KeyCase& k : cases) {
    ASSERT_TRUE(st::PushKey(k.name, true)) << k.name;
    EXPECT_EQ(media::KeyHit(k.code), 1) << k.name;
    EXPECT_EQ(media::KeyDown(k.code), 1) << k.name;
    ASSERT_TRUE(st::PushKey(k.name, false)) << k.name;
    EXPECT_EQ(media::KeyDown(k.code), 0) << k.name;
    EXPECT_EQ(media::KeyHit(k.code), 0) << k.name;
  }
}

// The options screen reads the main-row minus and plus: the keys that type "-" and "+" give
// 189 and 187 wherever the layout puts them; the digit row keeps its codes by position.
TEST_F(SdlBackend, MainRowMinusAndPlusFollowTheLayout) {
  OpenWindow();
  struct LayoutKey {
    const char* scancode;
    const char* key;
    int code;
  };
  const LayoutKey cases[] = {
      {"-", "-", 189},  // US minus
      {"=", "=", 187},  // US equals and plus
      {"/", "-", 189},  // German minus, right of the full stop
      {"]", "+", 187},  // German plus
      {"6", "-", 54},   // French: "-" on the 6 key is still the digit 6
      {"Keypad -", "Keypad -", 109},
      {"Keypad +", "Keypad +", 107},
  };
  for (const LayoutKey& k : cases) {
    ASSERT_TRUE(st::PushLayoutKey(k.scancode, k.key, true)) << k.scancode << " " << k.key;
    EXPECT_EQ(media::KeyHit(k.code), 1) << k.scancode << " " << k.key;
    EXPECT_EQ(media::KeyDown(k.code), 1) << k.scancode << " " << k.key;
    ASSERT_TRUE(st::PushLayoutKey(k.scancode, k.key, false));
    EXPECT_EQ(media::KeyDown(k.code), 0) << k.scancode << " " << k.key;
  }
  EXPECT_EQ(media::KeyHit(191), 0);  // the German minus is not the US slash
}

TEST_F(SdlBackend, KeyRepeatIsNotCountedAsAPress) {
  OpenWindow();
  st::PushKey("Space", true);
  st::PushKey("Space", true, true);
  st::PushKey("Space", true, true);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE), 1);
  EXPECT_EQ(media::KeyDown(media::KEY_SPACE), 1);
  st::PushKey("Space", false);
  st::PushKey("Space", true);
  st::PushKey("Space", false);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE), 1);
}

TEST_F(SdlBackend, TypedTextAndEnterBackspaceEscapeReachGetChar) {
  OpenWindow();
  st::PushText("aZ \xC3\xA9!");  // the accented letter is not ASCII and is left out
  st::PushKey("Backspace", true);
  st::PushKey("Backspace", true, true);  // typing repeats
  st::PushKey("Escape", true);
  st::PushKey("Left", true);  // not a character
  st::PushKey("Return", true);
  std::vector<int> got;
  for (int c = media::GetChar(); c != 0; c = media::GetChar()) got.push_back(c);
  EXPECT_EQ(got, (std::vector<int>{'a', 'Z', ' ', '!', 8, 8, 27, 13}));
}

TEST_F(SdlBackend, MouseMotionAndButtons) {
  OpenWindow();
  st::PushMouseMotion(123, 456);
  EXPECT_EQ(media::MouseX(), 123);
  EXPECT_EQ(media::MouseY(), 456);
  st::PushMouseButton(1, true, 200, 100);
  st::PushMouseButton(1, false, 200, 100);
  st::PushMouseButton(3, true, 210, 110);
  EXPECT_EQ(media::MouseHit(1), 1);
  EXPECT_EQ(media::MouseDown(1), 0);
  EXPECT_EQ(media::MouseHit(2), 1);  // SDL's right button is the media layer's 2
  EXPECT_EQ(media::MouseDown(2), 1);
  EXPECT_EQ(media::MouseX(), 210);
  st::PushMouseButton(2, true, 210, 110);
  EXPECT_EQ(media::MouseHit(3), 1);  // and the middle one is 3
}

TEST_F(SdlBackend, FullScreenScalesAndMapsTheMouseBackTo800By600) {
  OpenWindow();
  ASSERT_TRUE(media::Graphics(800, 600, 32, 85));
  EXPECT_TRUE(st::WindowFullscreen());
  int w = 0, h = 0;
  ASSERT_TRUE(st::WindowSize(w, h));
  ASSERT_GT(w, 0);
  ASSERT_GT(h, 0);
  // The picture is scaled to fit with its aspect kept and centred: the window's centre is
  // the picture's centre, and a corner of the fitted picture is its corner.
  st::PushMouseMotion(w / 2, h / 2);
  EXPECT_NEAR(media::MouseX(), 400, 1);
  EXPECT_NEAR(media::MouseY(), 300, 1);
  const double scale = std::min(w / 800.0, h / 600.0);
  const int left = static_cast<int>((w - 800 * scale) / 2);
  const int top = static_cast<int>((h - 600 * scale) / 2);
  st::PushMouseMotion(left + static_cast<int>(200 * scale), top + static_cast<int>(150 * scale));
  EXPECT_NEAR(media::MouseX(), 200, 2);
  EXPECT_NEAR(media::MouseY(), 150, 2);
  // Outside the picture the position is held at its edge.
  st::PushMouseMotion(0, 0);
  EXPECT_GE(media::MouseX(), 0);
  EXPECT_GE(media::MouseY(), 0);
  // Back to a window: the full screen is closed.
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  EXPECT_FALSE(st::WindowFullscreen());
  ASSERT_TRUE(st::WindowSize(w, h));
  EXPECT_EQ(w, 800);
}

TEST_F(SdlBackend, MoveMouseSetsThePosition) {
  OpenWindow();
  media::MoveMouse(321, 222);
  EXPECT_EQ(media::MouseX(), 321);
  EXPECT_EQ(media::MouseY(), 222);
}

TEST_F(SdlBackend, JoystickAxesAndButtons) {
  OpenWindow();
  st::PushJoyAxis(0, -30000);
  st::PushJoyAxis(1, 30000);
  EXPECT_EQ(media::JoyXDir(0), -1);
  EXPECT_EQ(media::JoyYDir(0), 1);
  st::PushJoyAxis(0, 1000);
  EXPECT_EQ(media::JoyXDir(0), 0);
  st::PushJoyButton(0, true);
  EXPECT_EQ(media::JoyHit(1, 0), 1);  // the first button is 1
  EXPECT_EQ(media::JoyDown(1, 0), 1);
  st::PushJoyButton(0, false);
  EXPECT_EQ(media::JoyDown(1, 0), 0);
  EXPECT_EQ(media::JoyHit(1, 0), 0);
}

TEST_F(SdlBackend, QuitEventLeavesTheWindowOpen) {
  OpenWindow();
  ASSERT_TRUE(st::PushQuit());
  media::detail::CurrentBackend().PumpEvents();
  int w = 0, h = 0;
  EXPECT_TRUE(st::WindowSize(w, h));
}

TEST_F(SdlBackend, ShutdownClosesEverythingAndIsSafeTwice) {
  OpenWindow();
  EXPECT_TRUE(st::AudioDeviceOpen());
  media::ShutdownMedia();
  int w = 0, h = 0;
  EXPECT_FALSE(st::WindowSize(w, h));
  EXPECT_FALSE(st::AudioDeviceOpen());
  media::ShutdownMedia();
  // A new mode opens everything again.
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60));
  EXPECT_TRUE(st::WindowSize(w, h));
  EXPECT_TRUE(st::AudioDeviceOpen());
}

TEST_F(SdlBackend, RealClockAdvancesWithDelay) {
  const int t0 = media::MilliSecs();
  media::Delay(30);
  EXPECT_GE(media::MilliSecs() - t0, 30);
}

media::Sound TenthOfASecond() {
  auto s = std::make_shared<media::SoundData>();
  s->samples.assign(4410, 1000);
  s->frames = 4410;
  s->rate = 44100;
  s->channels = 1;
  return s;
}

// Waits up to two seconds of real time for the channel to end.
bool EndsWithinTwoSeconds(const media::Channel& ch) {
  const int t0 = media::MilliSecs();
  while (media::MilliSecs() - t0 < 2000) {
    media::detail::CurrentBackend().PumpEvents();
    if (!media::ChannelPlaying(ch)) return true;
    media::Delay(10);
  }
  return false;
}

TEST_F(SdlBackend, AudioDeviceDrainsChannels) {
  OpenWindow();
  ASSERT_TRUE(st::AudioDeviceOpen());
  media::Sound s = TenthOfASecond();
  media::Channel ch = media::PlaySound(s);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  EXPECT_TRUE(EndsWithinTwoSeconds(ch));
}

class SdlSilent : public SdlBackend {
 protected:
  void SetUp() override { Start("dummy", "no-such-driver"); }
};

TEST_F(SdlSilent, WithoutADeviceChannelsStillEndOnTime) {
  OpenWindow();
  ASSERT_FALSE(st::AudioDeviceOpen());
  media::Sound s = TenthOfASecond(), looping = TenthOfASecond();
  looping->loop = true;
  media::Channel ch = media::PlaySound(s);
  media::Channel loop = media::PlaySound(looping);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
  EXPECT_TRUE(EndsWithinTwoSeconds(ch));
  EXPECT_EQ(media::ChannelPlaying(loop), 1);
}

class SdlNoVideo : public SdlBackend {
 protected:
  void SetUp() override { Start("no-such-driver", "dummy"); }
};

TEST_F(SdlNoVideo, NoScreenOpensAndNothingCrashes) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(media::Graphics(800, 600, 0, 60));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("no video"), std::string::npos) << err;
  media::detail::CurrentBackend().Present(nullptr, 800, 600);
  media::detail::CurrentBackend().PumpEvents();
  EXPECT_EQ(media::KeyHit(media::KEY_ESCAPE), 0);
  media::MoveMouse(10, 10);
  media::HideMouse();
  int w = 0, h = 0;
  EXPECT_FALSE(st::WindowSize(w, h));
  const int t0 = media::MilliSecs();
  media::Delay(5);
  EXPECT_GE(media::MilliSecs() - t0, 5);
}

}  // namespace
#endif  // QUILL_HAVE_SDL

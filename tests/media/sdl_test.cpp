// The SDL backend under SDL's dummy drivers (set in the test environment): window, keys,
// text, mouse, joystick, audio, shutdown and the console.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <tuple>

#ifdef QUILL_HAVE_SDL
#include "media/app.h"
#include "media/audio/sound_data.h"
#include "media/backend.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "media/sdl/sdl_testing.h"
#include "media/sound.h"
#include "media/timing.h"

namespace {

namespace st = media::sdl::testing;

class Sdl : public ::testing::Test {
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
  static std::uint32_t Shown(int x, int y) {
    std::uint32_t rgb = 0xDEAD;
    EXPECT_TRUE(st::ReadPresentedPixel(x, y, rgb));
    return rgb;
  }
};

// The window shows the frame buffer; mouse, joystick and key events reach the polls.
TEST_F(Sdl, AWindowShowsFramesAndTakesInput) {
  OpenWindow();
  int w = 0, h = 0;
  ASSERT_TRUE(st::WindowSize(w, h));
  EXPECT_EQ(w * 1000 + h, 800600);
  EXPECT_FALSE(st::WindowFullscreen());
  EXPECT_EQ(st::WindowTitle(), "Quillmire");
  media::AppTitle("Other");
  EXPECT_EQ(st::WindowTitle(), "Other");
  EXPECT_FALSE(media::detail::CurrentBackend().PacesItself());
  media::SetColor(255, 255, 0);
  media::DrawRect(20, 30, 40, 50);
  media::Flip(0);
  EXPECT_EQ(Shown(25, 35), 0xFFFF00u);
  EXPECT_EQ(Shown(70, 35), 0u);
  std::vector<media::Pixel> pixels(800 * 600, 0x8012C034u);  // alpha is ignored
  media::detail::CurrentBackend().Present(pixels.data(), 800, 600);
  EXPECT_EQ(Shown(350, 150), 0x12C034u);
  std::vector<media::Pixel> small(10 * 10, 0xFFFFFFFFu);  // the wrong size: not shown
  media::detail::CurrentBackend().Present(small.data(), 10, 10);
  EXPECT_EQ(Shown(5, 5), 0x12C034u);
  ASSERT_TRUE(st::PushQuit());  // a quit event leaves the window open
  media::detail::CurrentBackend().PumpEvents();
  EXPECT_TRUE(st::WindowSize(w, h));
  // The mouse: SDL's right button is the media layer's 2, the middle one 3.
  st::PushMouseMotion(123, 456);
  EXPECT_EQ(media::MouseX() * 1000 + media::MouseY(), 123456);
  st::PushMouseButton(1, true, 200, 100);
  st::PushMouseButton(1, false, 200, 100);
  st::PushMouseButton(3, true, 210, 110);
  st::PushMouseButton(2, true, 210, 110);
  EXPECT_EQ(media::MouseHit(1) * 100 + media::MouseHit(2) * 10 + media::MouseHit(3), 111);
  EXPECT_EQ(media::MouseDown(1) * 10 + media::MouseDown(2), 1);
  EXPECT_EQ(media::MouseX(), 210);
  media::MoveMouse(321, 222);
  EXPECT_EQ(media::MouseX() * 1000 + media::MouseY(), 321222);
  // The joystick: the first button is 1.
  st::PushJoyAxis(0, -30000);
  st::PushJoyAxis(1, 30000);
  EXPECT_EQ(media::JoyXDir(0) * 10 + media::JoyYDir(0), -9);
  st::PushJoyAxis(0, 1000);
  EXPECT_EQ(media::JoyXDir(0), 0);
  st::PushJoyButton(0, true);
  EXPECT_EQ(media::JoyHit(1, 0) * 10 + media::JoyDown(1, 0), 11);
  st::PushJoyButton(0, false);
  EXPECT_EQ(media::JoyDown(1, 0), 0);
  // Events are taken in at Flip and in WaitKey: every read within a frame sees one state.
  ASSERT_TRUE(st::QueueKey("Left", true));
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT) + media::KeyHit(media::KEY_LEFT), 0);
  media::Flip(0);
  ASSERT_TRUE(st::QueueKey("Left", false));  // released mid-frame: still held this frame
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT) * 10 + media::KeyHit(media::KEY_LEFT), 11);
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 1);
  media::Flip(0);
  EXPECT_EQ(media::KeyDown(media::KEY_LEFT), 0);
  ASSERT_TRUE(st::QueueKey("Space", true) && st::QueueKey("Space", false));
  media::Flip(0);  // a press and release between two flips counts once
  EXPECT_EQ(media::KeyDown(media::KEY_SPACE) * 10 + media::KeyHit(media::KEY_SPACE), 1);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE), 0);
  ASSERT_TRUE(st::QueueKey("A", true));
  EXPECT_EQ(media::WaitKey(), 'A');
  EXPECT_EQ(media::KeyDown('A'), 1);
  // Full screen and back; shutdown closes the window and the audio, a new mode opens both.
  ASSERT_TRUE(media::Graphics(800, 600, 32, 85) && st::WindowFullscreen());
  ASSERT_TRUE(media::Graphics(800, 600, 0, 60) && !st::WindowFullscreen() && st::AudioDeviceOpen());
  media::ShutdownMedia();
  EXPECT_FALSE(st::WindowSize(w, h) || st::AudioDeviceOpen());
  media::ShutdownMedia();  // twice is safe
  EXPECT_TRUE(media::Graphics(800, 600, 0, 60) && st::WindowSize(w, h) && st::AudioDeviceOpen());
}

TEST_F(Sdl, KeysMapToTheGamesCodes) {
  OpenWindow();
  // clang-format off
  const std::pair<const char*, int> keys[] = {
      {"Backspace", 8}, {"Tab", 9}, {"Return", 13}, {"Keypad Enter", 13}, {"Escape", 27},
      {"Space", 32}, {"Left", 37}, {"Down", 40}, {"0", 48}, {"9", 57}, {"A", 65}, {"Z", 90},
      {"F1", 112}, {"F12", 123}, {"-", 189}, {"Keypad -", 109}, {"Keypad +", 107},
      {"Keypad 0", 96}, {"Left Shift", 16}, {"Left Ctrl", 17}, {"Delete", 46}};
  // clang-format on
  for (const auto& [name, code] : keys) {
    ASSERT_TRUE(st::PushKey(name, true)) << name;
    EXPECT_EQ(media::KeyHit(code) * 10 + media::KeyDown(code), 11) << name;
    ASSERT_TRUE(st::PushKey(name, false)) << name;
    EXPECT_EQ(media::KeyHit(code) + media::KeyDown(code), 0) << name;
  }
  // The keys that type "-" and "+" give 189 and 187 wherever the layout puts them; the digit
  // row keeps its codes by position.
  const std::tuple<const char*, const char*, int> layout[] = {
      {"-", "-", 189}, {"=", "=", 187}, {"/", "-", 189}, {"]", "+", 187}, {"6", "-", 54}};
  for (const auto& [scancode, key, code] : layout) {
    ASSERT_TRUE(st::PushLayoutKey(scancode, key, true)) << scancode << " " << key;
    EXPECT_EQ(media::KeyHit(code), 1) << scancode << " " << key;
    ASSERT_TRUE(st::PushLayoutKey(scancode, key, false));
    EXPECT_EQ(media::KeyDown(code), 0) << scancode << " " << key;
  }
  EXPECT_EQ(media::KeyHit(191), 0);  // the German minus is not the US slash
  // Repeats are not presses, but they type.
  media::FlushKeys();
  st::PushKey("Space", true);
  st::PushKey("Space", true, true);
  EXPECT_EQ(media::KeyHit(media::KEY_SPACE) * 10 + media::KeyDown(media::KEY_SPACE), 11);
  st::PushText("aZ \xC3\xA9!");  // the accented letter is not ASCII and is left out
  st::PushKey("Backspace", true);
  st::PushKey("Backspace", true, true);
  for (const char* key : {"Escape", "Left", "Return"}) st::PushKey(key, true);  // Left types none
  std::vector<int> got;
  for (int c = media::GetChar(); c != 0; c = media::GetChar()) got.push_back(c);
  EXPECT_EQ(got, (std::vector<int>{'a', 'Z', ' ', '!', 8, 8, 27, 13}));
}

media::Sound TenthOfASecond(bool loop) {
  auto s = std::make_shared<media::SoundData>();
  s->samples.assign(4410, 1000);
  s->frames = 4410;
  s->rate = 44100;
  s->channels = 1;
  s->loop = loop;
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

// Without an audio device channels still end on time; without video no screen opens and
// nothing crashes.
TEST_F(Sdl, WithoutAudioOrVideo) {
  Start("dummy", "no-such-driver");
  OpenWindow();
  ASSERT_FALSE(st::AudioDeviceOpen());
  media::Channel loop = media::PlaySound(TenthOfASecond(true));
  EXPECT_TRUE(EndsWithinTwoSeconds(media::PlaySound(TenthOfASecond(false))));
  EXPECT_EQ(media::ChannelPlaying(loop), 1);
  media::ShutdownMedia();
  Start("no-such-driver", "dummy");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(media::Graphics(800, 600, 0, 60));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("no video"), std::string::npos);
  media::detail::CurrentBackend().Present(nullptr, 800, 600);
  media::detail::CurrentBackend().PumpEvents();
  EXPECT_EQ(media::KeyHit(media::KEY_ESCAPE), 0);
  media::MoveMouse(10, 10);
  media::HideMouse();
  int w = 0, h = 0;
  EXPECT_FALSE(st::WindowSize(w, h));
}

TEST_F(Sdl, TheConsoleUsesTheStandardStreams) {
  std::istringstream input("Levels/My Stage\r\nsecond\nlast without a line feed");
  std::streambuf* old = std::cin.rdbuf(input.rdbuf());
  testing::internal::CaptureStdout();
  std::vector<std::string> answers;
  for (int i = 0; i < 4; ++i) answers.push_back(media::RequestFile("ignored title"));
  const bool ended = media::ConsoleEnded();  // the fourth found the input at its end
  media::Print("printed");
  const std::string out = testing::internal::GetCapturedStdout();
  std::cin.rdbuf(old);
  std::cin.clear();
  EXPECT_EQ(answers, (std::vector<std::string>{"Levels/My Stage", "second",
                                               "last without a line feed", ""}));
  EXPECT_TRUE(ended);
  EXPECT_EQ(out,
            "Enter a filename:\nEnter a filename:\nEnter a filename:\nEnter a filename:\n"
            "printed\n");
}

}  // namespace
#endif  // QUILL_HAVE_SDL

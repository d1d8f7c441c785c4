// Decoding Ogg Vorbis files made by the test, and files that do not decode.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "media/backend.h"
#include "media/files.h"
#include "media/sound.h"
#include "media/sound_test_ogg.h"

namespace {

namespace fs = std::filesystem;

class SoundDecode : public ::testing::Test {
 protected:
  void SetUp() override {
    media::detail::StopAllChannels();
    media::ClearEmbedded();
    dir_ = fs::temp_directory_path() / ("quill_sound_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    media::detail::StopAllChannels();
    media::ClearEmbedded();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::string path = (dir_ / name).string();
    EXPECT_TRUE(quilltest::WriteBytes(path, bytes));
    return path;
  }
  fs::path dir_;
};

// The largest absolute sample and the number of sign changes of channel `c`.
void Measure(const media::Sound& s, int c, int& peak, int& crossings) {
  const short* p = media::SoundSamples(s);
  const int n = media::SoundFrames(s), ch = media::SoundChannels(s);
  peak = 0;
  crossings = 0;
  for (int i = 0; i < n; ++i) {
    const int v = p[i * ch + c];
    peak = std::max(peak, std::abs(v));
    if (i > 0 && (p[(i - 1) * ch + c] < 0) != (v < 0)) ++crossings;
  }
}

TEST_F(SoundDecode, HalfSecondMonoSineHasItsLengthRateAndShape) {
  auto bytes = quilltest::EncodeSineOgg(44100, 1, 22050, 441.0, 0.5);
  ASSERT_GT(bytes.size(), 100u);
  media::Sound s = media::LoadSound(Write("sine.ogg", bytes));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(media::SoundFrames(s), 22050);
  EXPECT_EQ(media::SoundRate(s), 44100);
  EXPECT_EQ(media::SoundChannels(s), 1);
  int peak = 0, crossings = 0;
  Measure(s, 0, peak, crossings);
  EXPECT_NEAR(peak, 16384, 1600);  // amplitude one half of full scale
  EXPECT_NEAR(crossings, 441, 6);  // 220.5 periods, two sign changes each
}

TEST_F(SoundDecode, StereoAtAnotherRateKeepsItsFormat) {
  auto bytes = quilltest::EncodeSineOgg(22050, 2, 11025, 300.0, 0.25);
  media::Sound s = media::LoadSound(Write("stereo.ogg", bytes));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(media::SoundFrames(s), 11025);
  EXPECT_EQ(media::SoundRate(s), 22050);
  EXPECT_EQ(media::SoundChannels(s), 2);
  int peakL = 0, crossL = 0, peakR = 0, crossR = 0;
  Measure(s, 0, peakL, crossL);
  Measure(s, 1, peakR, crossR);
  EXPECT_NEAR(peakL, 8192, 900);
  EXPECT_NEAR(peakR, 8192, 900);
  EXPECT_NEAR(crossL, 300, 6);
}

TEST_F(SoundDecode, MoreThanTwoChannelsFoldToOne) {
  auto bytes = quilltest::EncodeSineOgg(44100, 4, 4410, 441.0, 0.5);
  media::Sound s = media::LoadSound(Write("quad.ogg", bytes));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(media::SoundChannels(s), 1);
  EXPECT_EQ(media::SoundFrames(s), 4410);
  int peak = 0, crossings = 0;
  Measure(s, 0, peak, crossings);
  EXPECT_NEAR(peak, 16384, 1600);
}

TEST_F(SoundDecode, EmbeddedNameDecodesAndLoopFlagIsKept) {
  static const auto bytes = quilltest::EncodeSineOgg(44100, 1, 4410, 441.0, 0.5);
  media::RegisterEmbedded("Sfx/beep.ogg", bytes.data(), bytes.size());
  media::Sound s = media::LoadSound("incbin::Sfx/beep.ogg", media::SOUND_LOOP);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(media::SoundFrames(s), 4410);
  // A looping sound never ends by itself.
  media::Channel ch = media::PlaySound(s);
  std::vector<short> out(2 * 44100);
  media::detail::MixAudio(out.data(), 44100);
  EXPECT_EQ(media::ChannelPlaying(ch), 1);
}

void ExpectNullWithOneLine(const std::string& url) {
  ::testing::internal::CaptureStderr();
  media::Sound s = media::LoadSound(url);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(s, nullptr) << url;
  EXPECT_NE(err.find(url), std::string::npos) << err;
  ASSERT_FALSE(err.empty());
  EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line expected: " << err;
  EXPECT_EQ(media::SoundFrames(s), 0);
  EXPECT_EQ(media::SoundSamples(s), nullptr);
  EXPECT_EQ(media::PlaySound(s), nullptr);
}

TEST_F(SoundDecode, MissingFileGivesNull) {
  ExpectNullWithOneLine((dir_ / "none.ogg").string());
}

TEST_F(SoundDecode, EmptyFileGivesNull) {
  ExpectNullWithOneLine(Write("empty.ogg", {}));
}

TEST_F(SoundDecode, GarbageGivesNull) {
  std::vector<unsigned char> junk(5000);
  unsigned v = 7;
  for (auto& b : junk) b = static_cast<unsigned char>((v = v * 1103515245u + 12345u) >> 24);
  ExpectNullWithOneLine(Write("junk.ogg", junk));
}

TEST_F(SoundDecode, FileCutInsideItsHeadersGivesNull) {
  auto bytes = quilltest::EncodeSineOgg(44100, 1, 22050, 441.0, 0.5);
  for (std::size_t keep : {4u, 28u, 60u, 200u}) {
    std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + keep);
    ExpectNullWithOneLine(Write("cut" + std::to_string(keep) + ".ogg", cut));
  }
}

TEST_F(SoundDecode, CorruptedAudioNeverCrashesAndStaysWithinLength) {
  auto bytes = quilltest::EncodeSineOgg(44100, 2, 22050, 441.0, 0.5);
  // Cut in the audio, and damaged audio pages: either a shorter sound or null.
  std::vector<unsigned char> cut(bytes.begin(), bytes.begin() + bytes.size() * 2 / 3);
  ::testing::internal::CaptureStderr();
  media::Sound a = media::LoadSound(Write("half.ogg", cut));
  std::vector<unsigned char> damaged = bytes;
  for (std::size_t i = damaged.size() / 2; i < damaged.size(); i += 37) damaged[i] ^= 0x5A;
  media::Sound b = media::LoadSound(Write("damaged.ogg", damaged));
  ::testing::internal::GetCapturedStderr();
  for (const media::Sound& s : {a, b}) {
    if (!s) continue;
    EXPECT_GT(media::SoundFrames(s), 0);
    EXPECT_LE(media::SoundFrames(s), 22050 + 4096);
    EXPECT_EQ(media::SoundChannels(s), 2);
    // The whole sound plays through the mixer to its end.
    media::Channel ch = media::PlaySound(s);
    std::vector<short> out(2 * 30000);
    media::detail::MixAudio(out.data(), 30000);
    EXPECT_EQ(media::ChannelPlaying(ch), 0);
  }
}

TEST_F(SoundDecode, DamagedCopiesNeverCrashOrOverrun) {
  const auto bytes = quilltest::EncodeSineOgg(22050, 2, 220500, 500.0, 0.5);
  unsigned v = 99;
  auto next = [&v] { return v = v * 1103515245u + 12345u; };
  int decoded = 0, refused = 0;
  ::testing::internal::CaptureStderr();
  for (int round = 0; round < 60; ++round) {
    std::vector<unsigned char> copy = bytes;
    const int flips = 1 + round % 8;
    // Flips in the audio half of the file, or anywhere in every third copy.
    const std::size_t from = round % 3 == 0 ? 0 : copy.size() / 2;
    for (int k = 0; k < flips; ++k)
      copy[from + (next() >> 8) % (copy.size() - from)] ^= 1u << (next() >> 29);
    if (round % 5 == 4) copy.resize((next() >> 8) % copy.size());
    static std::vector<unsigned char> embedded;
    embedded = copy;
    media::RegisterEmbedded("damaged.ogg", embedded.data(), embedded.size());
    media::Sound s = media::LoadSound("incbin::damaged.ogg");
    if (!s) {
      ++refused;
      continue;
    }
    ++decoded;
    ASSERT_GT(media::SoundFrames(s), 0);
    ASSERT_GE(media::SoundChannels(s), 1);
    ASSERT_LE(media::SoundChannels(s), 2);
    ASSERT_GT(media::SoundRate(s), 0);
    // Reading every sample stays inside the sound (checked by the sanitizer build).
    long sum = 0;
    const short* p = media::SoundSamples(s);
    for (int i = 0; i < media::SoundFrames(s) * media::SoundChannels(s); ++i) sum += p[i];
    (void)sum;
  }
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(decoded + refused, 60);
  EXPECT_GT(decoded, 0);  // damaged audio pages are skipped, the rest decodes
  EXPECT_GT(refused, 0);
}

}  // namespace

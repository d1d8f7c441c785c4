// The generator's loudness figures on signals whose answers are known, its limiter and the songs'
// loudness target.
#include "tools/sfxgen/levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tools/sfxgen/dsp.h"
#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/song.h"
#include "tools/sfxgen/text.h"

namespace {

using sfxgen::kPi;
using sfxgen::kRate;

// `seconds` of stereo made sample by sample: f(t) gives the left and right values.
std::vector<float> Stereo(double seconds,
                          const std::function<std::pair<double, double>(double)>& f) {
  std::vector<float> out;
  for (long i = 0; i < std::lround(seconds * kRate); ++i) {
    const auto [l, r] = f(static_cast<double>(i) / kRate);
    out.push_back(static_cast<float>(l));
    out.push_back(static_cast<float>(r));
  }
  return out;
}

double Sine(double hz, double t) {
  return std::sin(2.0 * kPi * hz * t);
}

// The K-weighting's gain at a few frequencies (a sine of amplitude 1 has a mean square of
// -3.01 dB): the +4 dB shelf of the treble, +0.7 dB at 1 kHz, the high-pass's cut of the deep bass.
TEST(Levels, KWeightingOfSines) {
  const std::pair<double, double> gains[] = {
      {20.0, -13.3}, {100.0, -1.1}, {200.0, -0.25}, {1000.0, 0.69}, {10000.0, 4.0}};
  for (const auto& [hz, want] : gains) {
    const sfxgen::Levels l = sfxgen::Measure(
        Stereo(2.0, [f = hz](double t) { return std::make_pair(Sine(f, t), Sine(f, t)); }), 2, 1.0,
        true);
    EXPECT_NEAR(l.mean_db, want - 3.01, 0.3) << hz;
    EXPECT_NEAR(l.loudest_db, l.mean_db, 0.3) << hz;  // steady
    EXPECT_NEAR(l.peak_db, 0.0, 0.01) << hz;
    EXPECT_EQ(l.side_db, -200.0) << hz;  // both channels alike
  }
}

// Bands, width, volume and movement on one loop: 3 s of a 100 Hz and a 1 kHz sine of equal
// strength in the left channel only, then 3 s of the same ten times quieter.
TEST(Levels, BandsWidthAndMovement) {
  const std::vector<float> loop = Stereo(6.0, [](double t) {
    const double v = (t < 3.0 ? 0.5 : 0.05) * (Sine(100.0, t) + Sine(1000.0, t));
    return std::make_pair(v, 0.0);
  });
  const sfxgen::Levels l = sfxgen::Measure(loop, 2, 0.5, true);
  EXPECT_NEAR(l.low_share, 0.5, 0.01);
  EXPECT_NEAR(l.middle_share, 0.5, 0.01);
  EXPECT_NEAR(l.side_db, 0.0, 0.01);  // one channel: side as strong as middle
  EXPECT_NEAR(l.Movement(), 20.0, 0.2);
  const sfxgen::Levels whole = sfxgen::Measure(loop, 2, 1.0, true);
  EXPECT_NEAR(l.mean_db, whole.mean_db - 6.02, 0.01);  // measured at half volume
  EXPECT_NEAR(sfxgen::BandShare(loop, 2, 50.0, 150.0), 0.5, 0.01);
}

// An effect is heard by its loudest 100 ms; one shorter than that by its own length.
TEST(Levels, LoudestWindowOfShortSounds) {
  std::vector<float> burst(kRate, 0.0f);
  for (int i = 0; i < kRate / 20; ++i)
    burst[kRate / 2 + i] = static_cast<float>(Sine(1000.0, i * 1.0 / kRate));
  const sfxgen::Levels l = sfxgen::Measure(burst, 1, 1.0, false);
  EXPECT_NEAR(l.loudest_db, 0.69 - 3.01 - 3.01, 0.3);  // 50 ms of sound in the window
  EXPECT_NEAR(l.mean_db, l.loudest_db - 10.0, 0.3);
  const std::vector<float> click(burst.begin() + kRate / 2, burst.begin() + kRate / 2 + kRate / 20);
  EXPECT_NEAR(sfxgen::Measure(click, 1, 1.0, false).loudest_db, 0.69 - 3.01, 0.3);
}

// The limiter brings the body of a sharp hit up under the same peak, without a sample past the
// ceiling, and the recipe's peak still holds.
TEST(Levels, LimiterLiftsTheBody) {
  const std::string hit =
      "length 0.3\npeak 0.8\nlayer square freq=700 dur=0.002 a=0.0005 d=0.003 s=0 r=0.002\n"
      "layer triangle freq=500 dur=0.2 a=0.001 s=1 r=0.05 vol=0.3\n";
  const std::vector<float> plain = sfxgen::RenderEffect(sfxgen::ParseEffect("Hit", hit));
  const std::vector<float> limited =
      sfxgen::RenderEffect(sfxgen::ParseEffect("Hit", "limit 6\n" + hit));
  float peak = 0.0f;
  for (float v : limited) peak = std::max(peak, std::fabs(v));
  EXPECT_NEAR(peak, 0.8f, 1e-4f);
  const double gained = sfxgen::Measure(limited, 1, 1.0, false).mean_db -
                        sfxgen::Measure(plain, 1, 1.0, false).mean_db;
  EXPECT_TRUE(gained > 3.0 && gained < 6.5) << gained;
  std::vector<float> untouched = plain;
  sfxgen::Limit(&untouched, 0.0);
  EXPECT_EQ(untouched, plain);
}

// A song's loudness line sets its K-weighted mean; asking for more than the peaks allow, or for
// both a peak and a loudness, is refused.
TEST(Levels, SongLoudnessTarget) {
  const std::string song =
      "tempo 120\nvoice a gain=0.3\nlayer triangle freq=1 a=0.01 s=1 r=0.05\n"
      "pattern P\na C4 . E4 . G4 . C5 . - . G4 . E4 . . .\nend\norder P P\n";
  const std::vector<float> mix =
      sfxgen::RenderSong(sfxgen::ParseSong("S", "loudness -20\n" + song));
  EXPECT_NEAR(sfxgen::Measure(mix, 2, 1.0, true).mean_db, -20.0, 0.01);
  const std::pair<std::string, const char*> refused[] = {
      {"loudness -3\n" + song, "loudness"},
      {"loudness -6\ntempo 120\nvoice a\nlayer sine freq=1 a=0.01 s=1 r=0.05\npattern P\n"
       "a C4 - - - - - - - - - - - - - - -\nend\norder P\n",
       "too loud"},
      {"peak 0.5\nloudness -20\n" + song, "either peak or loudness"},
      {"limit 13\nlength 0.1\nlayer sine\n", "limit"}};
  for (const auto& [recipe, fragment] : refused) {
    try {
      if (recipe.rfind("limit", 0) == 0) {
        sfxgen::ParseEffect("E", recipe);
      } else {
        sfxgen::RenderSong(sfxgen::ParseSong("S", recipe));
      }
      ADD_FAILURE() << "accepted: " << recipe.substr(0, 30);
    } catch (const sfxgen::RecipeError& e) {
      EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
  }
}

}  // namespace

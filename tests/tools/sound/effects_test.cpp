// The 25 sound effects the program carries: present, decodable, audible, unclipped, short enough
// for the moment they mark, and each its own sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "media/files.h"
#include "tools/sfxgen/levels.h"
#include "tools/sound/sound_util.h"

namespace {

using soundtest::Decode;
using soundtest::Pcm;

// Longest each effect may last, in seconds, from the moment it marks (a tick is 1/60 s).
const std::map<std::string, double>& MaxSeconds() {
  static const std::map<std::string, double> table = {
      {"Gold", 0.6},       // the logo slides in for about 0.4 s; gold can be taken in quick turns
      {"Options", 0.15},   // a menu row can move every frame
      {"Jump", 0.4},       // a jump arc lasts 18 ticks (0.3 s)
      {"HitFloor", 0.25},  // a landing can follow the jump's last tick at once
      {"Drill", 0.75},     // one block of a dig lasts 45 ticks
      {"Pick", 0.75},
      {"Scoop", 0.75},
      {"Hammer", 0.75},
      {"Fall", 1.5},  // from the 25th tick of a long fall
      {"Item", 0.5},
      {"Knife", 0.4},  // the flight's first tick
      {"Boome", 0.6},
      {"Ladder", 1.0},
      {"Floor", 1.0},
      {"CrtWall", 0.68},  // wall bricks come 41 ticks apart
      {"CloseCof", 0.6},
      {"Killed", 2.5},  // dying lasts 151 ticks
      {"KillEnmy", 1.0},
      {"Pony", 0.1},  // may start three times in three ticks before every hop
      {"CrtPony", 1.0},
      {"RLDoor", 1.0},
      {"PushSton", 0.5},  // a stone moves after 29 ticks of pushing
      {"RollStop", 0.6},
      {"AllGold", 2.5},  // the door-open flash lasts 150 frames with the music paused
      {"Exiting", 5.4},  // entering the exit door lasts about 326 ticks
  };
  return table;
}

class Effects : public ::testing::Test {
 protected:
  void SetUp() override {
    media::ClearEmbedded();
    soundtest::RegisterBuiltins();
  }
  void TearDown() override { media::ClearEmbedded(); }
  static Pcm Load(const std::string& name) { return Decode("incbin::Sfx/" + name + ".ogg"); }
};

TEST_F(Effects, TheProgramCarriesAllTwentyFive) {
  const std::vector<std::string> names = soundtest::EffectNames();
  ASSERT_EQ(names.size(), 25u);
  for (const std::string& name : names) {
    std::size_t size = 0;
    const unsigned char* data = media::BuiltinBlob("Sfx/" + name + ".ogg", &size);
    ASSERT_NE(data, nullptr) << name;
    EXPECT_GT(size, 200u) << name;
    EXPECT_EQ(MaxSeconds().count(name), 1u) << name << " has no duration limit";
  }
}

// One recipe for each effect the program carries, and no recipe for a sound nothing plays.
TEST_F(Effects, OneRecipeForEachEffect) {
  std::set<std::string> recipes;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(QUILL_SOURCE_DIR) +
                                                               "/assets/sound/effects")) {
    if (entry.path().extension() == ".sfx") recipes.insert(entry.path().stem().string());
  }
  const std::vector<std::string> names = soundtest::EffectNames();
  EXPECT_EQ(recipes, std::set<std::string>(names.begin(), names.end()));
}

TEST_F(Effects, EachDecodesAtTheMixerRate) {
  for (const std::string& name : soundtest::EffectNames()) {
    Pcm pcm = Load(name);
    ASSERT_TRUE(pcm.ok) << name;
    EXPECT_EQ(pcm.rate, 44100) << name;
    EXPECT_EQ(pcm.channels, 1) << name;
    EXPECT_GT(pcm.frames, 0) << name;
  }
}

TEST_F(Effects, EachIsAudibleAndNotClipped) {
  for (const std::string& name : soundtest::EffectNames()) {
    Pcm pcm = Load(name);
    ASSERT_TRUE(pcm.ok) << name;
    EXPECT_GT(pcm.Peak(), 32768 * 0.3) << name << " is too quiet";
    EXPECT_LT(pcm.Peak(), 32768 * 0.9) << name << " has no headroom";
    EXPECT_EQ(pcm.ClippedSamples(), 0) << name;
    EXPECT_GT(pcm.Rms(0, pcm.frames), 32768 * 0.03) << name << " is mostly silence";
  }
}

TEST_F(Effects, EachLastsWhatItsMomentAllows) {
  for (const std::string& name : soundtest::EffectNames()) {
    Pcm pcm = Load(name);
    ASSERT_TRUE(pcm.ok) << name;
    EXPECT_LE(pcm.Seconds(), MaxSeconds().at(name)) << name;
    EXPECT_GE(pcm.Seconds(), 0.03) << name;
  }
}

TEST_F(Effects, EachStartsAndEndsWithoutAClick) {
  for (const std::string& name : soundtest::EffectNames()) {
    Pcm pcm = Load(name);
    ASSERT_TRUE(pcm.ok) << name;
    EXPECT_LT(std::abs(static_cast<int>(pcm.samples.front())), 2000) << name;
    EXPECT_LT(pcm.Rms(pcm.frames - 88, 88), 32768 * 0.02) << name << " is cut off loud";
  }
}

TEST_F(Effects, TheFanfareOutlastsTheCoinAndThePonyIsTheShortest) {
  Pcm gold = Load("Gold");
  Pcm all = Load("AllGold");
  ASSERT_TRUE(gold.ok && all.ok);
  EXPECT_GT(all.Seconds(), 2.0 * gold.Seconds());
  Pcm pony = Load("Pony");
  ASSERT_TRUE(pony.ok);
  for (const std::string& name : soundtest::EffectNames()) {
    if (name != "Pony") {
      EXPECT_GT(Load(name).frames, pony.frames) << name;
    }
  }
}

std::vector<float> Floats(const Pcm& pcm) {
  std::vector<float> f(pcm.samples.size());
  for (std::size_t i = 0; i < f.size(); ++i) f[i] = pcm.samples[i] / 32768.0f;
  return f;
}

// At the default volumes every effect stands at least 3 dB above the loudest moment of either
// track (the generator's loudness figures, as heard on small speakers), and the impacts carry a
// knock or crack in the range small speakers play, not only a thud below it.
TEST_F(Effects, StandAboveTheMusicAtTheDefaultVolumes) {
  double music = -200.0;
  for (const char* track : {"Song1", "Title"}) {
    Pcm pcm = Decode(std::string(QUILL_GAME_DIR) + "/Music/" + track + ".ogg", 1);
    ASSERT_TRUE(pcm.ok) << track;
    EXPECT_EQ(pcm.ClippedSamples(), 0) << track;
    music = std::max(music, sfxgen::LoudestLevelDb(Floats(pcm), 2, sfxgen::kMusicWindow));
  }
  const std::set<std::string> impacts = {"HitFloor", "CloseCof", "CrtWall", "RollStop"};
  for (const std::string& name : soundtest::EffectNames()) {
    Pcm pcm = Load(name);
    ASSERT_TRUE(pcm.ok) << name;
    const std::vector<float> f = Floats(pcm);
    EXPECT_GE(sfxgen::LoudestLevelDb(f, 1, sfxgen::kEffectWindow, sfxgen::kEffectVolume),
              music + 3.0)
        << name << " is lost under the music";
    if (impacts.count(name)) {
      EXPECT_GE(sfxgen::BandShare(f, 1, 300.0, 3000.0), 0.25) << name;
    }
  }
}

// No two moments share a sound: every pair differs clearly in length or in its samples.
TEST_F(Effects, EveryEffectIsItsOwnSound) {
  std::vector<std::string> names = soundtest::EffectNames();
  std::vector<Pcm> pcm;
  for (const std::string& n : names) pcm.push_back(Load(n));
  for (std::size_t a = 0; a < names.size(); ++a) {
    for (std::size_t b = a + 1; b < names.size(); ++b) {
      const int n = std::min(pcm[a].frames, pcm[b].frames);
      double diff = 0.0, energy = 0.0;
      for (int i = 0; i < n; ++i) {
        const double x = pcm[a].samples[static_cast<std::size_t>(i)];
        const double y = pcm[b].samples[static_cast<std::size_t>(i)];
        diff += (x - y) * (x - y);
        energy += x * x + y * y;
      }
      const bool same_length = std::abs(pcm[a].frames - pcm[b].frames) < 441;
      EXPECT_FALSE(same_length && diff < 0.2 * energy) << names[a] << " sounds like " << names[b];
    }
  }
}

}  // namespace

// The seeds reach the readers' accepting paths, so the fuzzers start from inputs that load.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "front/front_globals.h"
#include "front/keys.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/sound.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_seeds.h"
#include "tools/fuzz/fuzz_targets.h"
#include "tools/stagec/source.h"

namespace {

std::vector<std::uint8_t> SeedBytes(const std::string& target, const std::string& name) {
  for (const auto& s : fuzz::SeedsFor(target))
    if (s.name == name) return s.bytes;
  ADD_FAILURE() << "no seed " << target << "/" << name;
  return {};
}

std::vector<std::string> g_faults;
void Record(const char* target, const std::string& what) {
  g_faults.push_back(std::string(target) + ": " + what);
}

class Seeds : public ::testing::Test {
 protected:
  void SetUp() override {
    g_faults.clear();
    fuzz::SetFaultHandler(Record);
    fuzz::KeepStateAfterRuns(true);
  }
  void TearDown() override {
    fuzz::KeepStateAfterRuns(false);
    fuzz::SetFaultHandler(nullptr);
    EXPECT_TRUE(g_faults.empty()) << g_faults.front();
  }
};

TEST_F(Seeds, SoundStagesLoadAndBrokenOnesAreRefused) {
  for (const char* name : {"baseline", "corner", "one-empty-room"}) {
    auto b = SeedBytes("stage", name);
    fuzz::FuzzStage(b.data(), b.size());
    EXPECT_TRUE(LastStageCheck.ok()) << name << ": " << LastStageCheck.what;
    if (std::string(name) == "corner") {
      EXPECT_EQ(numoftraps, 6);
    }
  }
  for (const char* name : {"cut-in-cells", "bad-signature", "room-outside", "theme-6", "tall-trap",
                           "signature-only", "cut-before-statues"}) {
    auto b = SeedBytes("stage", name);
    fuzz::FuzzStage(b.data(), b.size());
    EXPECT_FALSE(LastStageCheck.ok()) << name;
    EXPECT_EQ(NumOfRooms, 2) << name;  // the baseline stage stays
  }
}

TEST_F(Seeds, SoundReplaysLoad) {
  auto b = SeedBytes("replay", "three-runs");
  fuzz::FuzzReplay(b.data(), b.size());
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 3);
  EXPECT_EQ(Demo[0][1], 7);
  EXPECT_EQ(Demo[1][1], 19);
  EXPECT_EQ(Demo[0][3], 11);
  b = SeedBytes("replay", "full-table");
  fuzz::FuzzReplay(b.data(), b.size());
  EXPECT_EQ(TotalActionCount, 5000);
  b = SeedBytes("replay", "short");
  fuzz::FuzzReplay(b.data(), b.size());
  EXPECT_EQ(DemoMode, 0);
}

TEST_F(Seeds, LanguageAndKeysAreRead) {
  auto b = SeedBytes("language", "english");
  fuzz::FuzzLanguage(b.data(), b.size());
  EXPECT_EQ(Lang[176], "Line 176");
  EXPECT_EQ(yes, "89");
  b = SeedBytes("keys", "two-keys");
  fuzz::FuzzKeys(b.data(), b.size());
  EXPECT_EQ(arrKeyMap[2][0], "66");
  EXPECT_EQ(fnFindKey(65), "A");
}

TEST_F(Seeds, PicturesDecode) {
  for (const auto& s : fuzz::SeedsFor("png")) {
    if (s.name == "cut" || s.name == "signature-only") continue;
    fuzz::FreshWorld();
    media::RegisterEmbedded("seed.png", s.bytes.data(), s.bytes.size());
    EXPECT_NE(media::LoadImage("incbin::seed.png", 0), nullptr) << s.name;
  }
  media::ClearEmbedded();
}

TEST_F(Seeds, SoundsDecode) {
  for (const char* name : {"mono", "stereo", "three-channels"}) {
    auto b = SeedBytes("sound", name);
    fuzz::FreshWorld();
    media::RegisterEmbedded("seed.ogg", b.data(), b.size());
    media::Sound s = media::LoadSound("incbin::seed.ogg", 0);
    ASSERT_NE(s, nullptr) << name;
    EXPECT_GT(media::SoundFrames(s), 100) << name;
  }
  media::ClearEmbedded();
}

TEST(SeedsSettle, ARunEndsWithTheWorldEmptied) {
  auto b = SeedBytes("stage", "baseline");
  fuzz::FuzzStage(b.data(), b.size());
  EXPECT_EQ(Enemies_list.Count(), 0);
  EXPECT_EQ(Traps_list.Count(), 0);
  EXPECT_EQ(Player, nullptr);
  EXPECT_TRUE(Path.empty());
  b = SeedBytes("language", "english");
  fuzz::FuzzLanguage(b.data(), b.size());
  EXPECT_TRUE(Lang[176].empty());
  EXPECT_EQ(Lang[176].capacity(), std::string().capacity());
}

TEST_F(Seeds, TheSmallStageSourceParses) {
  auto b = SeedBytes("stagesource", "small");
  stagefile::Data d;
  std::string error;
  EXPECT_TRUE(stagec::Parse(std::string(b.begin(), b.end()), d, error)) << error;
  EXPECT_EQ(d.traps.size(), 1u);
}

}  // namespace

namespace {

TEST(ScriptSeeds, EveryEventKindIsInTheTakenSeed) {
  std::vector<media::headless::InputEvent> events;
  std::string error;
  std::vector<std::uint8_t> b;
  for (const auto& s : fuzz::SeedsFor("script"))
    if (s.name == "every-event") b = s.bytes;
  ASSERT_TRUE(media::headless::ParseScript(std::string(b.begin(), b.end()), events, error))
      << error;
  bool seen[9] = {};
  for (const auto& e : events) seen[e.kind] = true;
  for (bool s : seen) EXPECT_TRUE(s);
}

}  // namespace

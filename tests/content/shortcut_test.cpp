// The shortcut finder: its snapshots put the world back exactly, it finds the known shortcuts
// of the stages kept in shortcut-inputs/ (as they stood when the shortcuts were found), and on
// a stage whose idea holds it proves there is none.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "stage_folder_test.h"
#include "support/sanitized.h"
#include "support/temp_folder.h"
#include "tools/shortcut/finder.h"
#include "tools/shortcut/snapshot.h"
#include "tools/shortcut/withhold.h"
#include "tools/solc/script.h"
#include "tools/solc/world.h"

namespace fs = std::filesystem;

namespace {

// The long searches and the full passes run in the normal build; the sanitizer build, many
// times slower, keeps the tests of the snapshots, the withholding and the small search.
using quill_test::kSanitized;

// The test inputs, compiled by the build.
const fs::path kInputs = fs::path(QUILL_BINARY_DIR) / "tests/content/shortcut-levels";

class Shortcut : public StageFolderTest {
 protected:
  Shortcut() : StageFolderTest("quill-shortcut-") {}
  void Start(solc::StageRef stage, const fs::path& levels = kInputs) {
    solc::SetUpWorld();
    std::string error;
    ASSERT_TRUE(solc::PrepareFolder(root_.string(), levels.string(), stage, false, error)) << error;
    ASSERT_TRUE(solc::StartStage(stage, false, error)) << error;
  }
};

// The keys of pass `i` of a fixed walk over stage 15: right, a jump, left, down and a wait, so
// that the player, the mummy, the stone's push count and the floor all change.
void KeysOfPass(int i) {
  const int phase = (i / 40) % 5;
  auto set = [](int key, bool down) {
    if (down)
      media::headless::KeyDownNow(key);
    else
      media::headless::KeyUpNow(key);
  };
  set(media::KEY_RIGHT, phase == 0 || phase == 1);
  set(media::KEY_LEFT, phase == 3);
  set(media::KEY_DOWN, phase == 4);
  if (i % 40 == 20 && phase == 1) media::headless::PressKey(media::KEY_SPACE);
}

// N passes straight through, against k passes (in the middle of a jump), a snapshot, a detour of
// other keys, the snapshot restored and the remaining passes: the same world pass by pass (its
// digest), with the full play loop and with the search's pass alike.
TEST_F(Shortcut, ARestoredSnapshotPlaysOnAsTheWorldItWasTakenFrom) {
  constexpr int kPasses = 400, kAt = 70, kDetour = 120;  // the snapshot mid-jump
  for (const bool fast : {false, true}) {
    SCOPED_TRACE(fast ? "search pass" : "full pass");
    auto pass = fast ? shortcut::FastPass : solc::Pass;
    Start({15, false});
    if (fast) shortcut::BeforeSearch();
    std::vector<std::uint64_t> straight;
    for (int i = 0; i < kPasses; ++i) {
      KeysOfPass(i);
      pass();
      straight.push_back(shortcut::Digest());
    }
    EXPECT_NE(straight[kAt - 1], straight.back());
    // The enemy and the traps moved on between the snapshot and the end.
    if (fast) shortcut::AfterSearch();

    Start({15, false});
    if (fast) shortcut::BeforeSearch();
    const shortcut::BaseGrid base = shortcut::TakeBaseGrid();
    for (int i = 0; i < kAt; ++i) {
      KeysOfPass(i);
      pass();
    }
    const shortcut::Snapshot snap = shortcut::Capture(base);
    ASSERT_EQ(shortcut::Digest(), straight[kAt - 1]);
    for (int i = 0; i < kDetour; ++i) {
      KeysOfPass(i + 3 * 40);  // other keys: the detour goes elsewhere
      pass();
    }
    EXPECT_NE(shortcut::Digest(), straight[kAt + kDetour - 1]);
    shortcut::Restore(snap, base);
    EXPECT_EQ(shortcut::Digest(), straight[kAt - 1]);
    int firstDiffering = -1;
    for (int i = kAt; i < kPasses; ++i) {
      KeysOfPass(i);
      pass();
      if (firstDiffering < 0 && shortcut::Digest() != straight[static_cast<std::size_t>(i)])
        firstDiffering = i;
    }
    EXPECT_EQ(firstDiffering, -1);
    if (fast) shortcut::AfterSearch();
  }
}

// The search's pass against the full play loop, pass by pass over the solutions of the
// tutorials of digging down, the knife, the doors, the stone, the crumbling floor and vanishing
// ladder, the wall trap and the three enemies: the same world for the rules.
TEST_F(Shortcut, TheSearchPassPlaysAsTheFullPass) {
  if (kSanitized) GTEST_SKIP() << "the normal build plays these";
  const fs::path levels = fs::path(QUILL_GAME_DIR) / "Levels";
  const fs::path sources = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src";
  const solc::StageRef stages[] = {{4, true}, {5, true}, {6, true}, {7, true},
                                   {8, true}, {9, true}, {10, true}};
  for (const solc::StageRef stage : stages) {
    const std::string name = solc::StageFileFor(stage);
    SCOPED_TRACE(name);
    std::vector<solc::Step> steps;
    std::string error;
    ASSERT_TRUE(solc::ParseScript(quill_test::ReadBytes((sources / (name + ".keys")).string()),
                                  steps, error))
        << error;
    std::vector<std::uint64_t> digests[2];
    for (int fast = 0; fast < 2; ++fast) {
      Start(stage, levels);
      if (fast != 0) shortcut::BeforeSearch();
      auto pass = [&]() {
        if (fast != 0)
          shortcut::FastPass();
        else
          solc::Pass();
        digests[fast].push_back(shortcut::Digest(true));
      };
      EXPECT_TRUE(solc::RunScript(steps, pass, nullptr, error)) << error;
      if (fast != 0) shortcut::AfterSearch();
    }
    ASSERT_GT(digests[0].size(), 100u);
    const auto differ =
        std::mismatch(digests[0].begin(), digests[0].end(), digests[1].begin(), digests[1].end());
    EXPECT_EQ(differ.first - digests[0].begin(), static_cast<long>(digests[0].size()))
        << "first differing pass";
    EXPECT_EQ(digests[0].size(), digests[1].size());
  }
}

// The four stages as they stood when their shortcuts were found, with their key elements
// withheld: the finder finds a route, and its key script, played from a fresh start with the
// full play loop, takes the player out through the exit door with all the gold.
TEST_F(Shortcut, FindsTheKnownShortcuts) {
  if (kSanitized) GTEST_SKIP() << "the normal build searches these";
  struct Case {
    int stage;
    const char* withheld;
  };
  const Case cases[] = {
      {9, "trap 10 18 room 0 0"},
      {15, "trap 18 18 room 0 0; trap 11 19 room 0 0"},
      {50, "trap 8 8 room 0 2; trap 12 9 room 0 2"},
      {55, "enemy 10 19 room 0 3"},
  };
  shortcut::Budget budget;
  budget.states = 60000;
  budget.seconds = 600;
  for (const Case& c : cases) {
    SCOPED_TRACE("stage " + std::to_string(c.stage));
    const shortcut::Outcome o =
        shortcut::FindShortcut(kInputs.string(), {c.stage, false}, c.withheld, budget, false);
    EXPECT_EQ(o.error, "");
    ASSERT_TRUE(o.result.found) << o.result.states << " states";
    EXPECT_TRUE(o.verified);
    std::string error;
    EXPECT_TRUE(
        shortcut::PlaysToTheDoor(kInputs.string(), {c.stage, false}, c.withheld, o.script, error))
        << error;
    int goldLeft = 0;
    for (auto it : Items_list.Each<bbItems>()) goldLeft += it->kind == ItemKind::Gold ? 1 : 0;
    EXPECT_EQ(goldLeft, 0);
    // Written without its withheld items and enemies, the stage plays the route as it is.
    const fs::path without = root_ / "without";
    ASSERT_TRUE(shortcut::WriteStageWithout(kInputs.string(), {c.stage, false}, c.withheld,
                                            without.string(), error))
        << error;
    EXPECT_TRUE(shortcut::PlaysToTheDoor(without.string(), {c.stage, false}, "", o.script, error))
        << error;
    int objects[2] = {0, 0};
    for (int written = 0; written < 2; ++written) {
      Start({c.stage, false}, written != 0 ? without : kInputs);
      objects[written] = Enemies_list.Count() + Items_list.Count();
    }
    EXPECT_EQ(objects[0] - objects[1], c.stage == 55 ? 1 : 0);
    // Withheld traps are the stage's own: the route also plays on the stage as it ships, and
    // leaves them where they were (a stone unmoved, a floor whole).
    if (c.stage != 55) {
      EXPECT_TRUE(shortcut::PlaysToTheDoor(kInputs.string(), {c.stage, false}, "", o.script, error))
          << error;
      std::vector<shortcut::Element> elements;
      std::vector<shortcut::WithheldTrap> traps;
      ASSERT_TRUE(shortcut::ParseElements(c.withheld, elements, error));
      EXPECT_TRUE(shortcut::Withhold(elements, traps, error)) << error;
      EXPECT_EQ(traps.size(), elements.size());
    }
  }
}

// The withheld traps' watch, against what the traps do: on stage 9 a walk left from the start
// pushes the stone; on stage 15 the crumbling floor, crossed and walked back onto, gives way.
// The watch calls the pass where that happens, and none before it.
TEST_F(Shortcut, TheTrapWatchSeesATrapUsed) {
  struct Case {
    int stage;
    const char* withheld;
    std::vector<std::pair<int, int>> keys;  // (arrow held, passes)
  };
  const Case cases[] = {
      {9, "trap 10 18 room 0 0", {{media::KEY_LEFT, 100}}},
      {15, "trap 11 19 room 0 0", {{media::KEY_RIGHT, 90}, {media::KEY_LEFT, 150}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("stage " + std::to_string(c.stage));
    Start({c.stage, false});
    shortcut::BeforeSearch();
    std::vector<shortcut::Element> elements;
    std::vector<shortcut::WithheldTrap> traps;
    std::string error;
    ASSERT_TRUE(shortcut::ParseElements(c.withheld, elements, error));
    ASSERT_TRUE(shortcut::Withhold(elements, traps, error)) << error;
    ASSERT_EQ(traps.size(), 1u);
    const shortcut::TrapWatch watch(traps);
    auto inPlace = [&]() {
      for (auto t : Traps_list.Each<bbTraps>())
        if (t->Kind == traps[0].kind && t->X == traps[0].x && t->Y == traps[0].y) return true;
      return false;
    };
    int pass = 0, seen = -1, changed = -1;
    for (const auto& [key, n] : c.keys) {
      media::headless::KeyDownNow(key);
      for (int i = 0; i < n; ++i, ++pass) {
        shortcut::FastPass();
        if (seen < 0 && watch.Used()) seen = pass;
        if (changed < 0 && !inPlace()) changed = pass;
      }
      media::headless::KeyUpNow(key);
    }
    shortcut::AfterSearch();
    EXPECT_GT(changed, 0);
    EXPECT_EQ(seen, changed);
  }
}

// Stage 1 of the inputs is a corridor whose brick wall only the hammer opens: with the hammer
// the finder goes through, without it every state is tried and none reaches the door.
TEST_F(Shortcut, FindsNoRouteWhereTheIdeaHolds) {
  shortcut::Budget budget;
  budget.states = 20000;
  budget.seconds = 600;
  const shortcut::Outcome with =
      shortcut::FindShortcut(kInputs.string(), {1, false}, "", budget, false);
  EXPECT_TRUE(with.result.found);
  EXPECT_TRUE(with.verified) << with.error;
  const shortcut::Outcome without =
      shortcut::FindShortcut(kInputs.string(), {1, false}, "item 5 18 room 0 0", budget, false);
  EXPECT_EQ(without.error, "");
  EXPECT_FALSE(without.result.found);
  EXPECT_FALSE(without.result.budgetSpent);  // not stopped by the budget: there is no route
  EXPECT_GT(without.result.states, 10);
}

// Key elements as campaign.txt writes them, and the withholding of each kind.
TEST_F(Shortcut, ReadsAndWithholdsKeyElements) {
  std::vector<shortcut::Element> elements;
  std::string error;
  ASSERT_TRUE(shortcut::ParseElements(
      " trap 18 18 room 0 0 ;enemy 7 12 room 0 0;item 2 3 room 1 0;", elements, error))
      << error;
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(std::vector<int>({elements[0].kind, elements[0].x, elements[1].kind, elements[1].y,
                              elements[2].kind, elements[2].roomX}),
            std::vector<int>({shortcut::Element::Trap, 18, shortcut::Element::Enemy, 12,
                              shortcut::Element::Item, 1}));
  for (const char* bad : {"trap 1 2", "door 1 2 room 0 0", "item 1 2 room 0 0 5",
                          "item a 2 room 0 0", "trap 1 2 rooms 0 0"}) {
    EXPECT_FALSE(shortcut::ParseElements(bad, elements, error)) << bad;
    EXPECT_NE(error, "") << bad;
  }
  std::string listed;
  const std::string campaign =
      "# header | a | b\n1 | idea | 1 | x | 0 | 0 | trap 1 2 room 0 0\n2 | idea | 1 | x | 0 | 0\n"
      "Tut3 | idea | 1 | x | 0 | 0 | item 5 18 room 0 0\n";
  EXPECT_TRUE(shortcut::CampaignElements(campaign, "1", listed, error));
  EXPECT_EQ(listed, "trap 1 2 room 0 0");
  EXPECT_TRUE(shortcut::CampaignElements(campaign, "2", listed, error));
  EXPECT_EQ(listed, "");
  EXPECT_TRUE(shortcut::CampaignElements(campaign, "tut3", listed, error));
  EXPECT_EQ(listed, "item 5 18 room 0 0");
  EXPECT_FALSE(shortcut::CampaignElements(campaign, "3", listed, error));

  // Stage 15: the mummy and a piece of gold go; the stone is noted; a trap that is not there
  // is refused.
  Start({15, false});
  const int enemies = Enemies_list.Count(), items = Items_list.Count();
  std::vector<shortcut::WithheldTrap> traps;
  ASSERT_TRUE(shortcut::ParseElements("enemy 7 12 room 0 0; trap 18 18 room 0 0", elements, error));
  ASSERT_TRUE(shortcut::Withhold(elements, traps, error)) << error;
  EXPECT_EQ(Enemies_list.Count(), enemies - 1);
  EXPECT_EQ(Items_list.Count(), items);
  ASSERT_EQ(traps.size(), 1u);
  EXPECT_EQ(traps[0].kind, TrapKind::Stone);
  ASSERT_TRUE(shortcut::ParseElements("trap 17 18 room 0 0", elements, error));
  EXPECT_FALSE(shortcut::Withhold(elements, traps, error));
  EXPECT_NE(error.find("not in the stage"), std::string::npos);
  ASSERT_TRUE(shortcut::ParseElements("item 2 18 room 0 0", elements, error));
  EXPECT_FALSE(shortcut::Withhold(elements, traps, error));  // gold
}

}  // namespace

// Stage and replay files with random damage: the reader either refuses them whole or takes a
// stage whose every object lies inside the cell grid; nothing is read out of bounds (the
// sanitizer build runs these too).
#include <gtest/gtest.h>

#include <random>

#include "core/globals.h"
#include "core/objects.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "world.h"

using stagefile::Data;
using stagefile::Encode;

namespace {

std::vector<unsigned char> Damage(std::vector<unsigned char> bytes, std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 3), byte(0, 255);
  int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits && !bytes.empty(); e++) {
    std::size_t at = rng() % bytes.size();
    switch (kind(rng)) {
      case 0:
        bytes[at] = static_cast<unsigned char>(byte(rng));
        break;
      case 1:
        bytes.resize(at);
        break;
      case 2:
        bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<unsigned char>(byte(rng)));
        break;
      default:
        bytes.erase(bytes.begin() + static_cast<long>(at));
        break;
    }
  }
  return bytes;
}

bool InGrid(int column, int row) {
  return column >= 0 && row >= 0 && column < kStageCols && row < kStageRows;
}

TEST(StageMutation, AcceptedFilesReencodeToTheirOwnBytes) {
  std::mt19937 rng(20261206);
  const std::vector<std::vector<unsigned char>> seeds = {Encode(stagetest::SmallStage()),
                                                         Encode(stagetest::OtherStage())};
  int accepted = 0;
  for (int i = 0; i < 4000; i++) {
    std::vector<unsigned char> bytes = Damage(seeds[i % 2], rng);
    Data d;
    stagefile::Check c = stagefile::Decode(bytes, d);
    if (!c.ok()) {
      EXPECT_FALSE(c.what.empty());
      continue;
    }
    accepted++;
    std::vector<unsigned char> again = Encode(d);
    ASSERT_LE(again.size(), bytes.size());
    EXPECT_TRUE(std::equal(again.begin(), again.end(), bytes.begin())) << i;
    for (const auto& e : d.enemies)
      EXPECT_TRUE(InGrid(e.OriginRoomX * 32 + e.x + 1, e.OriginRoomY * 24 + e.y + 1));
    for (const auto& t : d.traps) EXPECT_TRUE(InGrid(t.Roomx * 32 + t.X, t.Roomy * 24 + t.Y));
    EXPECT_LE(d.Worldtheme, 5);
    EXPECT_LE(d.BackGround, 11);
  }
  EXPECT_GT(accepted, 100);  // the damage leaves many files whole enough to read
}

TEST(StageMutation, LoadStageKeepsTheWorldOnEveryRefusal) {
  stagetest::World w;
  w.WriteBytes("Levels/LEVEL 1", Encode(stagetest::SmallStage()));
  std::mt19937 rng(7);
  const std::vector<unsigned char> seed = Encode(stagetest::OtherStage());
  for (int i = 0; i < 300; i++) {
    LoadStage("LEVEL 1");
    stagetest::Snapshot before = stagetest::Take();
    w.WriteBytes("Levels/LEVEL 2", Damage(seed, rng));
    LoadStage("LEVEL 2");
    if (!LastStageCheck.ok()) {
      ASSERT_TRUE(stagetest::Take() == before) << i;
    } else {
      for (auto t : Traps_list.Each<bbTraps>()) ASSERT_TRUE(t->Roomx <= 5 && t->Roomy <= 5);
    }
  }
}

TEST(ReplayMutation, DamagedReplaysLoadWholeOrNotAtAll) {
  stagetest::World w;
  std::vector<unsigned char> seed = {3, 0, 0, 0,  0, 4, 0, 0,  0, 2, 9, 0,
                                     0, 0, 6, 36, 0, 0, 0, 11, 0, 0, 0, 0};
  std::mt19937 rng(11);
  ReplayName = "M";
  for (int i = 0; i < 500; i++) {
    std::vector<unsigned char> bytes = Damage(seed, rng);
    w.WriteBytes("Levels/M.SOL", bytes);
    for (int k = 0; k < 8; k++) Demo[0][k] = Demo[1][k] = -7;
    DemoMode = 1;
    TotalActionCount = 0;
    LoadReplay();
    int n = bytes.size() >= 4 ? bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24 : 0;
    bool whole = n >= 1 && n <= 5000 && bytes.size() >= 4 + 5 * std::size_t(n + 1);
    EXPECT_EQ(DemoMode, whole ? 1 : 0) << i;
    if (whole) {
      EXPECT_EQ(TotalActionCount, n);
      EXPECT_EQ(Demo[0][n], Demo[0][n - 1]);
    } else {
      EXPECT_EQ(Demo[0][0], -7);
    }
  }
}

}  // namespace

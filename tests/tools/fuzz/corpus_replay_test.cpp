// Every fuzz target over its built-in seeds, the reproducers kept in tools/fuzz/corpus/ and,
// when QUILL_FUZZ_CORPUS names a folder, the corpora a fuzzer grew there (<folder>/<target>/).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/fuzz/fuzz_targets.h"

namespace {

std::vector<std::string> g_faults;

void Record(const char* target, const std::string& what) {
  g_faults.push_back(std::string(target) + ": " + what);
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    g_faults.clear();
    fuzz::SetFaultHandler(Record);
    target_ = fuzz::FindTarget(GetParam());
    ASSERT_NE(target_, nullptr);
  }
  void TearDown() override { fuzz::SetFaultHandler(nullptr); }

  // Runs one input; true when no rule broke.
  bool Run(const std::string& label, const std::vector<std::uint8_t>& bytes) {
    g_faults.clear();
    EXPECT_EQ(target_->entry(bytes.data(), bytes.size()), 0) << label;
    for (const std::string& f : g_faults) ADD_FAILURE() << label << ": " << f;
    return g_faults.empty();
  }

  int ReplayFolder(const std::filesystem::path& folder) {
    int n = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::vector<std::uint8_t> content{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
      Run(entry.path().string(), fuzz::DecodeCorpusFile(entry.path().filename().string(), content));
      ++n;
    }
    return n;
  }

  const fuzz::Target* target_ = nullptr;
};

TEST_P(CorpusReplay, BuiltInSeedsKeepEveryRule) {
  const auto seeds = fuzz::SeedsFor(GetParam());
  ASSERT_GE(seeds.size(), 3u);
  for (const auto& s : seeds) Run(s.name, s.bytes);
}

TEST_P(CorpusReplay, KeptReproducersKeepEveryRule) {
  const auto folder = std::filesystem::path(QUILL_SOURCE_DIR) / "tools/fuzz/corpus" / GetParam();
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no reproducers kept";
  EXPECT_GT(ReplayFolder(folder), 0);
}

TEST_P(CorpusReplay, GrownCorpusKeepsEveryRule) {
  const char* grown = std::getenv("QUILL_FUZZ_CORPUS");
  if (!grown || !*grown) GTEST_SKIP() << "QUILL_FUZZ_CORPUS is not set";
  ReplayFolder(std::filesystem::path(grown) / GetParam());
}

// Cheap deterministic mutations of every seed: cuts, flipped bytes, repeated and dropped runs.
TEST_P(CorpusReplay, MutatedSeedsKeepEveryRule) {
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  int runs = 0;
  for (const auto& s : fuzz::SeedsFor(GetParam())) {
    const auto& b = s.bytes;
    for (int i = 0; i < 12 && !b.empty(); i++) {
      std::vector<std::uint8_t> m = b;
      switch (i % 4) {
        case 0:
          m.resize(next() % b.size());
          break;
        case 1:
          for (int k = 0; k < 3; k++)
            m[next() % m.size()] ^= static_cast<std::uint8_t>(1 + next() % 255);
          break;
        case 2: {
          std::size_t at = next() % m.size();
          m.insert(m.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at / 2),
                   b.begin() + static_cast<long>(at));
          break;
        }
        default: {
          std::size_t at = next() % m.size(),
                      len = std::min<std::size_t>(m.size() - at, next() % 16);
          m.erase(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(at + len));
          break;
        }
      }
      if (!Run(s.name + " mutation " + std::to_string(i), m)) return;
      ++runs;
    }
  }
  EXPECT_GT(runs, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values("stage", "replay", "language", "settings", "keys", "png",
                                           "sound", "readstring", "stagesource", "script", "play"),
                         [](const auto& info) { return info.param; });

TEST(FuzzTargets, EveryTargetIsListedOnceAndFound) {
  ASSERT_EQ(fuzz::Targets().size(), 11u);
  for (const auto& t : fuzz::Targets()) {
    ASSERT_EQ(fuzz::FindTarget(t.name), &t);
    EXPECT_FALSE(fuzz::SeedsFor(t.name).empty()) << t.name;
  }
  EXPECT_EQ(fuzz::FindTarget("nothing"), nullptr);
  EXPECT_TRUE(fuzz::SeedsFor("nothing").empty());
}

TEST(FuzzTargets, HexCorpusFilesDecodeAndOthersStayRaw) {
  const std::string text = "# a comment 12\n04 07 0a\n 1 f # trailing ff\nA";
  std::vector<std::uint8_t> content(text.begin(), text.end());
  EXPECT_EQ(fuzz::DecodeCorpusFile("x.hex", content), (std::vector<std::uint8_t>{4, 7, 10, 0x1f}));
  EXPECT_EQ(fuzz::DecodeCorpusFile("x.bin", content), content);
}

TEST(FuzzTargets, FaultsReachTheHandler) {
  g_faults.clear();
  fuzz::SetFaultHandler(Record);
  FUZZ_CHECK("unit", 1 + 1 == 3, "arithmetic");
  FUZZ_CHECK("unit", 1 + 1 == 2, "arithmetic");
  fuzz::SetFaultHandler(nullptr);
  ASSERT_EQ(g_faults.size(), 1u);
  EXPECT_NE(g_faults[0].find("unit: arithmetic"), std::string::npos);
}

TEST(FuzzTargetsDeath, AFaultWithoutHandlerEndsTheProgram) {
  fuzz::SetFaultHandler(nullptr);
  EXPECT_DEATH(fuzz::ReportFault("unit", "broken"), "quill fuzz unit: broken");
}

}  // namespace

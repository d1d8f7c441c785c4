// Every fuzz target over its built-in seeds (each taken or refused as it says), cheap mutations
// of them, the reproducers kept in tools/fuzz/corpus/ and, when QUILL_FUZZ_CORPUS names a folder,
// the corpora a fuzzer grew there (<folder>/<target>/).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "core/objects.h"
#include "tools/fuzz/fuzz_targets.h"

namespace {

std::vector<std::string> g_faults;

void Record(const char* target, const std::string& what) {
  g_faults.push_back(std::string(target) + ": " + what);
}

class Replay : public ::testing::TestWithParam<fuzz::Target> {
 protected:
  void SetUp() override { fuzz::SetFaultHandler(Record); }
  void TearDown() override { fuzz::SetFaultHandler(nullptr); }
  // Runs one input; true when no rule broke and the run left no objects behind.
  bool Run(const std::string& label, const std::vector<std::uint8_t>& bytes) {
    g_faults.clear();
    EXPECT_EQ(GetParam().entry(bytes.data(), bytes.size()), 0) << label;
    for (const std::string& f : g_faults) ADD_FAILURE() << label << ": " << f;
    EXPECT_TRUE(!Player && Enemies_list.Count() == 0 && Path.empty()) << label << " left objects";
    return g_faults.empty();
  }
  void RunFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> content{std::istreambuf_iterator<char>(in), {}};
      Run(entry.path().string(), fuzz::DecodeCorpusFile(entry.path().filename().string(), content));
    }
  }
};

TEST_P(Replay, SeedsMutationsAndCorpora) {
  const auto seeds = fuzz::SeedsFor(GetParam().name);
  ASSERT_GE(seeds.size(), 3u);
  std::uint32_t state = 12345;
  auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 8; };
  for (const auto& s : seeds) {
    Run(s.name, s.bytes);
    EXPECT_EQ(fuzz::LastTaken(), s.taken) << s.name;
    // Cheap deterministic mutations: cuts, flipped bytes, repeated and dropped runs.
    for (int i = 0; i < 12 && !s.bytes.empty(); i++) {
      std::vector<std::uint8_t> m = s.bytes;
      const std::size_t at = next() % m.size();
      if (i % 4 == 0) m.resize(at);
      if (i % 4 == 1)
        for (int k = 0; k < 3; k++)
          m[next() % m.size()] ^= static_cast<std::uint8_t>(1 + next() % 255);
      if (i % 4 == 2) m.insert(m.begin() + at, s.bytes.begin() + at / 2, s.bytes.begin() + at);
      if (i % 4 == 3)
        m.erase(m.begin() + at, m.begin() + at + std::min<std::size_t>(m.size() - at, next() % 16));
      if (!Run(s.name + " mutation " + std::to_string(i), m)) break;
    }
  }
  RunFolder(std::filesystem::path(QUILL_SOURCE_DIR) / "tools/fuzz/corpus" / GetParam().name);
  if (const char* grown = std::getenv("QUILL_FUZZ_CORPUS"))
    RunFolder(std::filesystem::path(grown) / GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay, ::testing::ValuesIn(fuzz::Targets()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FuzzTargets, CorpusFilesAndFaults) {
  const std::string text = "# a comment 12\n04 07 0a\n 1 f # trailing ff\nA";
  const std::vector<std::uint8_t> content(text.begin(), text.end());
  EXPECT_EQ(fuzz::DecodeCorpusFile("x.hex", content), (std::vector<std::uint8_t>{4, 7, 10, 0x1f}));
  EXPECT_EQ(fuzz::DecodeCorpusFile("x.bin", content), content);
  EXPECT_DEATH(fuzz::ReportFault("unit", "broken"), "quill fuzz unit: broken");
}

}  // namespace

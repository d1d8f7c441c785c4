// The solution recorder's parts: key scripts and the replay file's text form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/input.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"

namespace {

TEST(KeyScript, ReadsEveryStepAndRefusesBadLinesNamingThem) {
  std::vector<solc::Step> steps;
  std::string error;
  ASSERT_TRUE(solc::ParseScript(
      "# comment\n\nhold RIGHT\nrelease RIGHT  # trailing\npress SPACE\nwait 0\nuntil x >= 300\n"
      "until y < 5\nuntil action 15\nuntil tool 4\nuntil gold 0\nuntil room 1 0\nuntil ended\n",
      steps, error))
      << error;
  ASSERT_EQ(steps.size(), 11u);
  EXPECT_EQ(std::vector<int>({steps[0].kind == solc::Step::Hold, steps[0].key, steps[0].line,
                              steps[1].kind == solc::Step::Release, steps[2].key, steps[3].count,
                              steps[4].a, steps[9].a, steps[9].b}),
            std::vector<int>({1, media::KEY_RIGHT, 3, 1, media::KEY_SPACE, 0, 300, 1, 0}));
  EXPECT_EQ(steps[4].what + steps[4].op + steps[5].what + steps[5].op + steps[10].what,
            "x>=y<ended");
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"hold\n", "line 1"},
      {"wait 3\nhold F9\n", "line 2"},
      {"\n\nwait -1\n", "line 3"},
      {"until x => 3\n", "line 1"},
      {"until room 1\n", "line 1"},
      {"until colour 3\n", "line 1"},
      {"jump\n", "line 1"},
      {"wait 3 4\n", "line 1"},
      {"press SPACE now\n", "line 1"},
  };
  for (const auto& [text, line] : bad) {
    std::vector<solc::Step> kept(1);
    EXPECT_FALSE(solc::ParseScript(text, kept, error)) << text;
    EXPECT_EQ(error.rfind(line + ":", 0), 0u) << text << " -> " << error;
    EXPECT_EQ(kept.size(), 1u);  // left as it was
  }
}

std::vector<unsigned char> Sol(int n, const std::vector<std::pair<int, int>>& records) {
  std::vector<unsigned char> b;
  auto put = [&b](int v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 255));
  };
  put(n);
  for (auto [code, count] : records) b.push_back(static_cast<unsigned char>(code)), put(count);
  return b;
}

TEST(SolFile, DecodesAndPrintsRunsAndRefusesBadOnes) {
  std::vector<solc::Run> runs;
  int n = 0;
  std::string error;
  ASSERT_TRUE(solc::DecodeSol(Sol(2, {{11, 3}, {2, 300}, {100, -1}}), runs, n, error)) << error;
  EXPECT_EQ(solc::SolText(runs, n),
            "runs 2\n11 3  # fall\n2 300  # right\n100 -1  # exit (open at the exit)\n");
  EXPECT_EQ(solc::CodeName(12) + solc::CodeName(-1) + solc::CodeName(7), "??jump right");
  std::vector<std::pair<int, int>> longest(5002, {0, 1});  // enough records for N 5001
  EXPECT_TRUE(solc::DecodeSol(Sol(5000, longest), runs, n, error));
  auto shortOne = Sol(2, {{0, 3}, {2, 300}, {2, 300}});
  shortOne.pop_back();
  for (const auto& bytes : {std::vector<unsigned char>{1, 0}, Sol(0, {{0, 1}}), Sol(5001, longest),
                            Sol(-1, {{0, 1}}), shortOne}) {
    runs.clear();
    EXPECT_FALSE(solc::DecodeSol(bytes, runs, n, error)) << bytes.size();
    EXPECT_TRUE(runs.empty());
  }
}

}  // namespace

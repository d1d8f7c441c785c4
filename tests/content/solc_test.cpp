// The key scripts and the replay file's text form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/input.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"

namespace {

TEST(KeyScript, ReadsEveryStep) {
  std::vector<solc::Step> steps;
  std::string error;
  ASSERT_TRUE(
      solc::ParseScript("# comment\n\nhold RIGHT\nrelease RIGHT  # trailing\npress SPACE\nwait 12\n"
                        "until x >= 300\nuntil y < 5\nuntil action 15\nuntil tool 4\nuntil gold 0\n"
                        "until room 1 0\nuntil ended\n",
                        steps, error))
      << error;
  ASSERT_EQ(steps.size(), 11u);
  EXPECT_EQ(steps[0].kind, solc::Step::Hold);
  EXPECT_EQ(steps[0].key, media::KEY_RIGHT);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[1].kind, solc::Step::Release);
  EXPECT_EQ(steps[2].kind, solc::Step::Press);
  EXPECT_EQ(steps[2].key, media::KEY_SPACE);
  EXPECT_EQ(steps[3].count, 12);
  EXPECT_EQ(steps[4].what, "x");
  EXPECT_EQ(steps[4].op, ">=");
  EXPECT_EQ(steps[4].a, 300);
  EXPECT_EQ(steps[5].op, "<");
  EXPECT_EQ(steps[9].what, "room");
  EXPECT_EQ(steps[9].a, 1);
  EXPECT_EQ(steps[9].b, 0);
  EXPECT_EQ(steps[10].what, "ended");
}

TEST(KeyScript, RefusesBadLinesNamingThem) {
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
    std::vector<solc::Step> steps(1);
    std::string error;
    EXPECT_FALSE(solc::ParseScript(text, steps, error)) << text;
    EXPECT_EQ(error.rfind(line + ":", 0), 0u) << text << " -> " << error;
    EXPECT_EQ(steps.size(), 1u);  // left as it was
  }
}

std::vector<unsigned char> Sol(int n, const std::vector<std::pair<int, int>>& records) {
  std::vector<unsigned char> b;
  auto put = [&b](int v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 255));
  };
  put(n);
  for (auto [code, count] : records) {
    b.push_back(static_cast<unsigned char>(code));
    put(count);
  }
  return b;
}

TEST(SolFile, DecodesRunsAndPrintsThem) {
  std::vector<solc::Run> runs;
  int n = 0;
  std::string error;
  ASSERT_TRUE(solc::DecodeSol(Sol(2, {{0, 3}, {2, 300}, {100, -1}}), runs, n, error)) << error;
  EXPECT_EQ(n, 2);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].code, 2);
  EXPECT_EQ(runs[1].count, 300);
  EXPECT_EQ(runs[2].count, -1);
  EXPECT_EQ(solc::SolText(runs, n),
            "runs 2\n0 3  # none\n2 300  # right\n100 -1  # exit (open at the exit)\n");
}

TEST(SolFile, RefusesShortFilesAndCountsOutOfRange) {
  std::vector<solc::Run> runs;
  int n = 0;
  std::string error;
  EXPECT_FALSE(solc::DecodeSol({1, 0}, runs, n, error));
  EXPECT_FALSE(solc::DecodeSol(Sol(0, {{0, 1}}), runs, n, error));
  EXPECT_FALSE(solc::DecodeSol(Sol(5001, {{0, 1}}), runs, n, error));
  EXPECT_FALSE(solc::DecodeSol(Sol(-1, {{0, 1}}), runs, n, error));
  auto shortOne = Sol(2, {{0, 3}, {2, 300}, {2, 300}});
  shortOne.pop_back();
  EXPECT_FALSE(solc::DecodeSol(shortOne, runs, n, error));
  EXPECT_TRUE(runs.empty());
}

TEST(SolFile, NamesEveryActionCode) {
  EXPECT_EQ(solc::CodeName(7), "jump right");
  EXPECT_EQ(solc::CodeName(11), "fall");
  EXPECT_EQ(solc::CodeName(100), "exit");
  EXPECT_EQ(solc::CodeName(12), "?");
  EXPECT_EQ(solc::CodeName(-1), "?");
}

}  // namespace

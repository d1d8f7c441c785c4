// The solution recorder: key scripts, the replay file's text form, and the solc program as the
// build runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "media/input.h"
#include "tools/solc/script.h"
#include "tools/solc/solfile.h"

namespace {

namespace fs = std::filesystem;

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

class SolcProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-solc-" + std::to_string(rd()));
    fs::create_directories(root_);
    sol_ = root_ / "Level 1.SOL";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  // The exit status of solc with `args`; its output in out_.
  int Solc(const std::string& args) {
    const fs::path out = root_ / "out.txt";
    const std::string cmd = "'" + std::string(QUILL_BINARY_DIR) + "/tools/solc/solc' " + args +
                            " > '" + out.string() + "' 2>&1";
    const int status = std::system(cmd.c_str());
    std::ifstream in(out);
    out_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Record(const fs::path& keys, int stage = 1, const std::string& more = "") {
    return "record '" + std::string(QUILL_GAME_DIR) + "/Levels' " + std::to_string(stage) + " '" +
           keys.string() + "' '" + sol_.string() + "'" + more;
  }
  fs::path root_, sol_;
  std::string out_;
};

// A script that stops short writes no replay (a stale one goes too) and fails, unless --soft;
// the shipped script records a replay that prints with its names.
TEST_F(SolcProgram, RecordsOnlyARunThatEndsAndPrintsIt) {
  std::ofstream(sol_) << "stale";
  const fs::path keys = root_ / "keys.txt";
  std::ofstream(keys) << "hold RIGHT\nwait 50\n";
  EXPECT_EQ(Solc(Record(keys)), 1);
  EXPECT_NE(out_.find("the stage had not ended"), std::string::npos) << out_;
  EXPECT_FALSE(fs::exists(sol_));
  EXPECT_EQ(Solc(Record(keys, 1, " --soft")), 0);
  EXPECT_FALSE(fs::exists(sol_));
  ASSERT_EQ(Solc(Record(fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src/LEVEL 1.keys")), 0) << out_;
  ASSERT_EQ(Solc("print '" + sol_.string() + "'"), 0) << out_;
  EXPECT_EQ(out_.rfind("runs ", 0), 0u) << out_;
  for (const char* name : {"# dig across", "# dig down", "# jump right", "(open at the exit)"})
    EXPECT_NE(out_.find(name), std::string::npos) << name;
  for (const char* args : {"", "record a 0 b c", "record a 71 b c", "record a one b c", "print"})
    EXPECT_EQ(Solc(args), 2) << args;
  std::ofstream(root_ / "junk.SOL") << "ab";
  EXPECT_EQ(Solc("print '" + (root_ / "junk.SOL").string() + "'"), 1);
}

}  // namespace

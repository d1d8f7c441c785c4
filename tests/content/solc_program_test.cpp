// The solc program as the build runs it: a key script that does not reach the exit door writes
// no replay, and --soft turns only the exit status to 0.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kSolc = std::string(QUILL_BINARY_DIR) + "/tools/solc/solc";
const std::string kLevels = std::string(QUILL_GAME_DIR) + "/Levels";

class SolcProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("quill-solc-" + std::to_string(rd()));
    fs::create_directories(root_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  fs::path Script(const std::string& text) {
    const fs::path p = root_ / "keys.txt";
    std::ofstream(p) << text;
    return p;
  }
  // The exit status of solc with `args`; its standard output in out_.
  int Solc(const std::string& args) {
    const fs::path out = root_ / "out.txt";
    const std::string cmd = "'" + kSolc + "' " + args + " > '" + out.string() + "' 2>&1";
    const int status = std::system(cmd.c_str());
    std::ifstream in(out);
    out_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Record(const fs::path& script, const fs::path& sol, const std::string& more = "") {
    return "record '" + kLevels + "' 1 '" + script.string() + "' '" + sol.string() + "'" + more;
  }
  fs::path root_;
  std::string out_;
};

TEST_F(SolcProgram, AScriptThatStopsShortWritesNoReplay) {
  const fs::path sol = root_ / "Level 1.SOL";
  std::ofstream(sol) << "stale";
  const fs::path keys = Script("hold RIGHT\nwait 50\n");
  EXPECT_EQ(Solc(Record(keys, sol)), 1);
  EXPECT_NE(out_.find("the stage had not ended"), std::string::npos) << out_;
  EXPECT_FALSE(fs::exists(sol));  // the stale file is gone too
  EXPECT_EQ(Solc(Record(keys, sol, " --soft")), 0);
  EXPECT_FALSE(fs::exists(sol));
}

TEST_F(SolcProgram, RecordsTheShippedScriptAndPrintsIt) {
  const fs::path sol = root_ / "Level 1.SOL";
  const fs::path keys = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src/LEVEL 1.keys";
  ASSERT_EQ(Solc(Record(keys, sol)), 0) << out_;
  ASSERT_TRUE(fs::exists(sol));
  ASSERT_EQ(Solc("print '" + sol.string() + "'"), 0) << out_;
  EXPECT_EQ(out_.rfind("runs ", 0), 0u) << out_;
  EXPECT_NE(out_.find("# dig across"), std::string::npos);
  EXPECT_NE(out_.find("# dig down"), std::string::npos);
  EXPECT_NE(out_.find("# jump right"), std::string::npos);
  EXPECT_NE(out_.find("(open at the exit)"), std::string::npos);
}

TEST_F(SolcProgram, RefusesBadArguments) {
  EXPECT_EQ(Solc(""), 2);
  EXPECT_EQ(Solc("record a 0 b c"), 2);
  EXPECT_EQ(Solc("record a one b c"), 2);
  EXPECT_EQ(Solc("print"), 2);
  const fs::path junk = root_ / "junk.SOL";
  std::ofstream(junk) << "ab";
  EXPECT_EQ(Solc("print '" + junk.string() + "'"), 1);
}

}  // namespace

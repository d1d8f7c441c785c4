// The content programs as the build and a stage maker run them: solc (a key script that does not
// reach the exit door writes no replay, --soft turns only the exit status to 0, relative paths,
// the language copies, the stage picture) and stagec (its folders and its refusals).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kSolc = std::string(QUILL_BINARY_DIR) + "/tools/solc/solc";
const std::string kStagec = std::string(QUILL_BINARY_DIR) + "/tools/stagec/stagec";
const fs::path kSources = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src";
const std::string kLevels = std::string(QUILL_GAME_DIR) + "/Levels";

std::vector<unsigned char> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
  // The exit status of solc with `args`, run in the folder `in`; its output in out_.
  int Solc(const std::string& args, const fs::path& in = ".") { return Run(kSolc, args, in); }
  int Stagec(const std::string& args, const fs::path& in = ".") { return Run(kStagec, args, in); }
  int Run(const std::string& program, const std::string& args, const fs::path& where) {
    const fs::path out = root_ / "out.txt";
    const std::string cmd = "cd '" + where.string() + "' && '" + program + "' " + args + " > '" +
                            out.string() + "' 2>&1";
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

// Relative output paths are taken from the folder solc starts in, whatever folder the game's
// readers change to; every language's copy lands beside the replay; the picture is drawn.
TEST_F(SolcProgram, WritesWhereRelativePathsPoint) {
  const std::string keys = "'" + (kSources / "LEVEL 1.keys").string() + "'";
  ASSERT_EQ(Solc("record '" + kLevels + "' 1 " + keys + " 'w/Level 1.SOL' --languages '" +
                     QUILL_SOURCE_DIR + "/assets'",
                 root_),
            0)
      << out_;
  const auto bytes = Bytes(root_ / "w" / "Level 1.SOL");
  ASSERT_GT(bytes.size(), 9u);
  for (const char* name : {"Niveau 1.SOL", "Stufe 1.SOL", "Livello 1.SOL"})
    EXPECT_EQ(Bytes(root_ / "w" / name), bytes) << name;
  ASSERT_EQ(Solc("record '" + kLevels + "' 1 " + keys + " x.SOL", root_), 0) << out_;
  EXPECT_EQ(Bytes(root_ / "x.SOL"), bytes);
  ASSERT_EQ(Solc("picture '" + kLevels + "' 1 pics/one.png", root_), 0) << out_;
  const auto png = Bytes(root_ / "pics" / "one.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png[19], 0x80);  // width 1152 = 0x480, height 864 = 0x360, big-endian
  EXPECT_EQ(png[23], 0x60);
}

TEST_F(SolcProgram, RefusesBadArgumentsAndUnwritableOutput) {
  EXPECT_EQ(Solc(""), 2);
  EXPECT_EQ(Solc("record a 0 b c"), 2);
  EXPECT_EQ(Solc("record a one b c"), 2);
  EXPECT_EQ(Solc("record a Tut12 b c"), 2);
  EXPECT_EQ(Solc("record a 1 b ''"), 2);
  EXPECT_EQ(Solc("picture a 71 b.png"), 2);
  EXPECT_EQ(Solc("print"), 2);
  EXPECT_EQ(Solc("picture '" + root_.string() + "' 1 b.png", root_), 1);  // no stage file
  EXPECT_NE(out_.find("LEVEL 1"), std::string::npos) << out_;
  fs::create_directories(root_ / "taken.SOL" / "in");  // a folder where the replay should go
  EXPECT_EQ(Solc(Record(fs::path(kSources) / "LEVEL 1.keys", root_ / "taken.SOL")), 1);
  EXPECT_NE(out_.find("could not write"), std::string::npos) << out_;
  const fs::path junk = root_ / "junk.SOL";
  std::ofstream(junk) << "ab";
  EXPECT_EQ(Solc("print '" + junk.string() + "'"), 1);
}

// stagec compiles a folder into a folder given relative to where it starts, prints a stage as
// text, and refuses with a message what it cannot do.
TEST_F(SolcProgram, StagecCompilesAndRefuses) {
  fs::create_directories(root_ / "src");
  fs::copy_file(kSources / "LEVEL 1.stage", root_ / "src" / "LEVEL 1.stage");
  ASSERT_EQ(Stagec("src out/Levels", root_), 0) << out_;
  EXPECT_EQ(Bytes(root_ / "out/Levels/LEVEL 1"), Bytes(fs::path(kLevels) / "LEVEL 1"));
  ASSERT_EQ(Stagec("--source 'out/Levels/LEVEL 1'", root_), 0) << out_;
  EXPECT_NE(out_.find("door 24 16 gold 3 room 2 0"), std::string::npos) << out_;
  std::ofstream(root_ / "src" / "bad.stage") << "theme 0\nbackdrop 0\nroom 9 0\n";
  std::ofstream(root_ / "file") << "x";
  fs::create_directories(root_ / "empty");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"src out/Levels", "bad.stage: line 3"},
      {"missing out", "missing is not a folder"},
      {"empty out", "no .stage files"},
      {"src file/Levels", "cannot make the folder"},
      {"--source missing", "missing: cannot be read"},
      {"--source file", "file: "},
  };
  for (const auto& [args, message] : refused) {
    EXPECT_EQ(Stagec(args, root_), 1) << args;
    EXPECT_NE(out_.find(message), std::string::npos) << args << ": " << out_;
  }
  EXPECT_EQ(Stagec("", root_), 2);
  EXPECT_EQ(Stagec("a b c", root_), 2);
  EXPECT_EQ(Stagec("--source", root_), 2);
}

}  // namespace

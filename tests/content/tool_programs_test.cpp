// The content programs as the build and a stage maker run them: solc (a key script that does not
// reach the exit door writes no replay, --soft turns only the exit status to 0, the shipped
// script's replay printed with its names, relative paths, the language copies, the stage
// picture, its refusals) and stagec (its folders and its refusals).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kSolc = std::string(QUILL_BINARY_DIR) + "/tools/solc/solc";
const std::string kStagec = std::string(QUILL_BINARY_DIR) + "/tools/stagec/stagec";
const fs::path kSources = fs::path(QUILL_SOURCE_DIR) / "assets/Levels-src";
const std::string kLevels = std::string(QUILL_GAME_DIR) + "/Levels";
const std::string kKeys = "'" + (kSources / "LEVEL 1.keys").string() + "'";

class Programs : public ::testing::Test {
 protected:
  // The exit status of `program` with `args`, run in the test's folder; its output in out_.
  int Run(const std::string& program, const std::string& args) {
    const std::string cmd = "'" + program + "' " + args + " > out.txt 2>&1";
    const int status = std::system(cmd.c_str());
    out_ = quill_test::ReadBytes("out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Solc(const std::string& args) { return Run(kSolc, args); }
  int Stagec(const std::string& args) { return Run(kStagec, args); }
  std::string Bytes(const fs::path& p) { return quill_test::ReadBytes(p.string()); }
  quill_test::TempFolder root_;
  std::string out_;
};

TEST_F(Programs, SolcRecordsOnlyARunThatEnds) {
  std::ofstream("Level 1.SOL") << "stale";
  std::ofstream("keys.txt") << "hold RIGHT\nwait 50\n";
  const std::string record = "record '" + kLevels + "' 1 keys.txt 'Level 1.SOL'";
  EXPECT_EQ(Solc(record), 1);
  EXPECT_NE(out_.find("the stage had not ended"), std::string::npos) << out_;
  EXPECT_FALSE(fs::exists("Level 1.SOL"));  // the stale file is gone too
  EXPECT_EQ(Solc(record + " --soft"), 0);
  EXPECT_FALSE(fs::exists("Level 1.SOL"));
}

// Relative output paths are taken from the folder solc starts in, whatever folder the game's
// readers change to; every language's copy lands beside the replay; the picture is drawn.
TEST_F(Programs, SolcWritesWhereRelativePathsPointAndPrints) {
  ASSERT_EQ(Solc("record '" + kLevels + "' 1 " + kKeys + " 'w/Level 1.SOL' --languages '" +
                 QUILL_SOURCE_DIR + "/assets'"),
            0)
      << out_;
  const auto bytes = Bytes("w/Level 1.SOL");
  ASSERT_GT(bytes.size(), 9u);
  for (const char* name : {"Niveau 1.SOL", "Stufe 1.SOL", "Livello 1.SOL"})
    EXPECT_EQ(Bytes(fs::path("w") / name), bytes) << name;
  ASSERT_EQ(Solc("record '" + kLevels + "' 1 " + kKeys + " x.SOL --pictures new/shots"), 0) << out_;
  EXPECT_EQ(Bytes("x.SOL"), bytes);
  EXPECT_GT(Bytes("new/shots/LEVEL 1-0.png").size(), 24u);  // the folder made, each room's picture
  ASSERT_EQ(Solc("print x.SOL"), 0) << out_;
  EXPECT_EQ(out_.rfind("runs ", 0), 0u) << out_;
  for (const char* name : {"# dig across", "# dig down", "# jump right", "(open at the exit)"})
    EXPECT_NE(out_.find(name), std::string::npos) << name;
  ASSERT_EQ(Solc("picture '" + kLevels + "' 1 pics/one.png"), 0) << out_;
  const auto png = Bytes("pics/one.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png[19], '\x80');  // width 1152 = 0x480, height 864 = 0x360, big-endian
  EXPECT_EQ(png[23], '\x60');
}

TEST_F(Programs, SolcRefusesBadArgumentsAndUnwritableOutput) {
  for (const char* args : {"", "record a 0 b c", "record a 71 b c", "record a one b c",
                           "record a Tut12 b c", "record a 1 b ''", "picture a 71 b.png", "print"})
    EXPECT_EQ(Solc(args), 2) << args;
  EXPECT_EQ(Solc("picture . 1 b.png"), 1);  // no stage file
  EXPECT_NE(out_.find("LEVEL 1"), std::string::npos) << out_;
  fs::create_directories("taken.SOL/in");  // a folder where the replay should go
  EXPECT_EQ(Solc("record '" + kLevels + "' 1 " + kKeys + " taken.SOL"), 1);
  EXPECT_NE(out_.find("could not write"), std::string::npos) << out_;
  EXPECT_EQ(Solc("record '" + kLevels + "' 1 " + kKeys + " lower.sol"), 2);  // never read
  EXPECT_FALSE(fs::exists("lower.SOL") || fs::exists("lower.sol"));
  std::ofstream("junk.SOL") << "ab";
  EXPECT_EQ(Solc("print junk.SOL"), 1);
}

// stagec compiles a folder into a folder given relative to where it starts, prints a stage as
// text, and refuses with a message what it cannot do.
TEST_F(Programs, StagecCompilesAndRefuses) {
  fs::create_directories("src");
  fs::copy_file(kSources / "LEVEL 1.stage", "src/LEVEL 1.stage");
  ASSERT_EQ(Stagec("src out/Levels"), 0) << out_;
  EXPECT_EQ(Bytes("out/Levels/LEVEL 1"), Bytes(fs::path(kLevels) / "LEVEL 1"));
  ASSERT_EQ(Stagec("--source 'out/Levels/LEVEL 1'"), 0) << out_;
  EXPECT_NE(out_.find("door 24 16 gold 3 room 2 0"), std::string::npos) << out_;
  std::ofstream("src/bad.stage") << "theme 0\nbackdrop 0\nroom 9 0\n";
  std::ofstream("file") << "x";
  fs::create_directories("empty");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"src out/Levels", "bad.stage: line 3"},
      {"missing out", "missing is not a folder"},
      {"empty out", "no .stage files"},
      {"src file/Levels", "cannot make the folder"},
      {"--source missing", "missing: cannot be read"},
      {"--source file", "file: "},
      {"", ""},
      {"a b c", ""},
      {"--source", ""}};
  for (const auto& [args, message] : refused) {
    EXPECT_EQ(Stagec(args), message.empty() ? 2 : 1) << args;
    EXPECT_NE(out_.find(message), std::string::npos) << args << ": " << out_;
  }
}

}  // namespace

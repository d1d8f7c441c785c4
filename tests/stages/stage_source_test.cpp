#include <gtest/gtest.h>

#include "stages/stage_format.h"
#include "tools/stagec/source.h"
#include "world.h"

namespace {

std::string Room(char fill) {
  std::string rows;
  for (int r = 0; r < 24; r++) rows += std::string(32, r == 23 ? '#' : fill) + "\n";
  return rows;
}

// A header line each: theme, backdrop, player, door (lines 2 to 5 after the comment).
const std::string kHeader =
    "# test\n"
    "theme 2\n"
    "backdrop 9\n"
    "player 1 2 room 1 0\n"
    "door 3 4 gold 1 room 1 0\n";

TEST(StageSource, WriteThenParseGivesTheSameFile) {
  stagefile::Data s = stagetest::SmallStage();
  s.signature = {21, 0, 0, 0};  // written only when it is not the usual one
  stagefile::Data d;
  std::string error;
  ASSERT_TRUE(stagec::Parse(stagec::Write(s), d, error)) << error;
  EXPECT_EQ(stagefile::Encode(d), stagefile::Encode(s));
}

TEST(StageSource, CellCodesWithoutACharacterAreNotWritable) {
  stagefile::Data s = stagetest::SmallStage();
  std::string error;
  EXPECT_TRUE(stagec::Writable(s, error)) << error;
  s.Cell(1, 0, 7, 3) = 5;
  EXPECT_FALSE(stagec::Writable(s, error));
  EXPECT_NE(error.find("room (1, 0) row 3 column 7 holds code 5"), std::string::npos) << error;
  // A room that does not exist holds no cells of the file.
  s.Cell(1, 0, 7, 3) = 0;
  s.Cell(4, 4, 0, 0) = 5;
  EXPECT_TRUE(stagec::Writable(s, error)) << error;
}

TEST(StageSource, ErrorsNameTheLine) {
  struct Case {
    std::string text;
    std::string line;
  } cases[] = {
      {kHeader + "room 0 0\n" + Room('.') + "enemy 1 2 kind 0 room 0 0\n", "line 31:"},
      {kHeader + "room 0 0\n" + Room('?'), "line 7:"},
      {kHeader + "room 6 0\n" + Room('.'), "line 6:"},
      {kHeader + "room 0 0\n" + Room('.').substr(0, 33 * 5), "line 12:"},
      {kHeader + "rooms 0 0\n", "line 6:"},
      {kHeader + "theme 256\nroom 0 0\n" + Room('.'), "line 6:"},
      {kHeader + "theme 6\nroom 1 0\n" + Room('.'), "refuses"},
      {"theme 1\nroom 0 0\n" + Room('.'), "no \"player\""},
      {kHeader, "no room"},
  };
  for (const Case& c : cases) {
    stagefile::Data d;
    std::string error;
    EXPECT_FALSE(stagec::Parse(c.text, d, error)) << c.line;
    EXPECT_NE(error.find(c.line), std::string::npos) << error;
  }
}

}  // namespace

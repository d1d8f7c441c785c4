// Saving with the overwrite question, a save that cannot be written, and loading refused
// files in the editor.
#include "editor/save.h"

#include <filesystem>

#include "core/globals.h"
#include "editor/editor.h"
#include "editor_test.h"
#include "media/headless.h"
#include "media/media.h"
#include "stages/stage_format.h"

namespace {

using editortest::EditorTest;

const std::vector<unsigned char> kOld = {'o', 'l', 'd'};

TEST_F(EditorTest, SaveAsAsksBeforeItOverwrites) {
  struct Case {
    std::string answer, reply;
    bool written;
    std::string file;  // the file looked at afterwards
  };
  const Case cases[] = {
      {"fresh", "", true, "fresh"},   {"old", "Y", true, "old"}, {"old", "y", true, "old"},
      {"old", "yes", false, "old"},   {"old", "", false, "old"}, {"", "", false, "old"},
      {"sub/old", "n", false, "old"},  // the file part is what would be overwritten
  };
  Worldtheme = 3;
  const auto stage = stagefile::Encode(EditedStage());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer + " / " + c.reply);
    std::filesystem::remove(root_ / "PlayerLevels" / "fresh");
    Write("PlayerLevels/old", kOld);
    SN = "before";
    Answer([] { SAVE(); }, c.reply, {c.answer});
    EXPECT_EQ(Bytes("PlayerLevels/" + c.file), c.written ? stage : kOld);
    EXPECT_EQ(SN, c.written ? c.file : "before");
    EXPECT_EQ(ddelay, 10);
  }
}

TEST_F(EditorTest, ASaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
  std::filesystem::create_directories(root_ / "PlayerLevels" / "taken" / "inside");
  SN = "before";
  SaveStage("taken");
  EXPECT_FALSE(LastSaveOk);
  EXPECT_EQ(SN, "before");
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "PlayerLevels" / "taken" / "inside"));
  const auto& lines = media::headless::PrintedLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("not saved"), std::string::npos);
  SaveStage("fine");
  EXPECT_TRUE(LastSaveOk);
  EXPECT_EQ(SN, "fine");
}

TEST_F(EditorTest, RefusedFilesLeaveTheStageAndItsNameAlone) {
  Stage[3][3] = 2;
  NumOfRooms = 2, Rooms[1][0] = 1;
  SN = "mine";
  auto good = stagefile::Encode(EditedStage());
  struct Case {
    std::string name;
    std::vector<unsigned char> bytes;  // empty: no file
    int line;
  };
  auto shortFile = good;
  shortFile.resize(good.size() / 2);
  auto badRoom = good;
  badRoom[5] = 9;
  const Case cases[] = {
      {"missing", {}, 59},
      {"sig", {4, 7, 9, 2, 1, 0, 0}, 58},
      {"short", shortFile, 58},
      {"room", badRoom, 58},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.bytes.empty()) Write("PlayerLevels/" + c.name, c.bytes);
    media::headless::SetConsoleLines({c.name});
    EXPECT_EQ(EditorLoad(), c.line);
    EXPECT_EQ(stagefile::Encode(EditedStage()), good);
    EXPECT_EQ(SN, "mine");
  }
  media::headless::SetConsoleLines({""});
  EXPECT_EQ(EditorLoad(), -1);
  EXPECT_EQ(ddelay, 10);
}

}  // namespace

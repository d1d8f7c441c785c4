// The editor's files: the overwrite question, a save that cannot be written, refused loads,
// and the round trips: a stage built by clicks and keys, saved with F7 under a name from the
// console, read back by the stage reader field by field and saved again to the same bytes; a
// shipped stage loaded and saved gives the same file, which plays its solution.
#include <array>
#include <sstream>

#include "editor/filesel.h"
#include "editor/place.h"
#include "editor/save.h"
#include "editor_test.h"
#include "stages/stage.h"
#include "stages/stage_format.h"
#include "tools/stagec/source.h"

namespace {

using namespace editortest;
namespace fs = std::filesystem;

const Bytes kOld = {'o', 'l', 'd'};

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
    const std::string typed = c.reply.empty() ? "" : "1 type " + c.reply + "\n";
    EXPECT_FALSE(Drive([] { SAVE(); }, typed + "2 press ENTER", {c.answer}));
    EXPECT_EQ(Read("PlayerLevels/" + c.file), c.written ? stage : kOld);
    EXPECT_EQ(SN, c.written ? c.file : "before");
    EXPECT_EQ(ddelay, 10);
  }
  // A save that cannot be written says so and keeps the old name.
  std::filesystem::create_directories(root_ / "PlayerLevels" / "taken" / "inside");
  SaveStage("fresh");
  EXPECT_TRUE(LastSaveOk);
  SaveStage("taken");
  EXPECT_EQ((std::pair{LastSaveOk, SN}), (std::pair{false, std::string("fresh")}));
  const auto& lines = hl::PrintedLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_NE(lines.back().find("not saved"), std::string::npos);
}

TEST_F(EditorTest, RefusedFilesLeaveTheStageAloneAndAShippedOneSavesToItsBytes) {
  Stage[3][3] = 2;
  NumOfRooms = 2, Rooms[1][0] = 1;
  SN = "mine";
  auto good = stagefile::Encode(EditedStage());
  struct Case {
    std::string name;
    Bytes bytes;  // empty: no file
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
    hl::SetConsoleLines({c.name});
    EXPECT_EQ(EditorLoad(), c.line);
    EXPECT_EQ(stagefile::Encode(EditedStage()), good);
    EXPECT_EQ(SN, "mine");
  }
  hl::SetConsoleLines({""});
  EXPECT_EQ(EditorLoad(), -1);
  EXPECT_EQ(ddelay, 10);
  // Shipped LEVEL 1 (its solution is played by the content tests) loaded and saved again.
  Write("PlayerLevels/LEVEL 1", Read("Levels/LEVEL 1"));
  hl::SetConsoleLines({"LEVEL 1"});
  EXPECT_EQ(EditorLoad(), -1);
  SaveStage("copy");
  EXPECT_EQ(Read("PlayerLevels/copy"), Read("Levels/LEVEL 1"));
  EXPECT_GT(Read("PlayerLevels/copy").size(), 1000u);
}

// Started without a terminal the file prompt gets no answer: the bottom bar says so, and keys
// pressed while the prompt waited do not act afterwards (F7 with F5 asks once).
TEST_F(EditorTest, APromptWithoutATerminalSaysSoInTheBottomBar) {
  struct Case {
    std::string script;
    std::vector<std::string> console;
    int prompts;
    std::string message;  // "" for the no-terminal text
  };
  Lang[59] = "No such file";  // the refused load's line
  const Case cases[] = {
      {"3 press F5\n3 press F7", {}, 1, ""},
      {"3 press F7", {}, 1, ""},
      {"3 press F5\n3 press F7", {"missing"}, 1, Lang[59]},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EditorLoop loop;
    const std::size_t before = hl::PrintedLines().size();
    EXPECT_FALSE(Drive(
        [&] {
          for (int pass = 0; pass < 8; ++pass) EditorPass(loop);
        },
        c.script, c.console));
    EXPECT_EQ(hl::PrintedLines().size() - before, static_cast<std::size_t>(c.prompts));
    if (c.message.empty())
      EXPECT_NE(loop.message.find("terminal"), std::string::npos) << loop.message;
    else
      EXPECT_EQ(loop.message, c.message);
    EXPECT_GT(loop.messagePasses, 100);
  }
}

// The clicks and keys that build the stage: a tool from the palette, then the room; every
// pointer move comes two frames before its click, since placing reads the pointer cell of the
// pass before.
std::string BuildScript() {
  std::string s;
  int f = 5;
  auto at = [&](const std::string& e) { s += std::to_string(f++) + " " + e + "\n"; };
  auto point = [&](int x, int y) { at("mouse " + std::to_string(x) + " " + std::to_string(y)); };
  auto click = [&](int x, int y) { point(x, y), ++f, at("click 1"); };
  at("press F1"), at("press SPACE");
  click(720, 20);  // bricks, painted along row 16
  at("button down 1");
  for (int x = 24; x <= 168; x += 24) point(x, 400);
  at("button up 1");
  // gold, weapon, stone, statue, exit door, player start
  const int room0[][4] = {{660, 170, 130, 340}, {660, 70, 200, 100},  {660, 220, 400, 100},
                          {660, 430, 500, 50},  {770, 380, 400, 250}, {720, 380, 60, 330}};
  for (const auto& p : room0) click(p[0], p[1]), click(p[2], p[3]);
  click(286, 520);  // theme 2, backdrop 5
  click(660, 473);  // room (1, 0) made: a mummy, a pony and a ladder
  for (const auto& p : {std::array{660, 330, 300, 300}, std::array{660, 380, 500, 300}})
    click(p[0], p[1]), click(p[2], p[3]);
  click(760, 20), point(100, 200), ++f, at("button down 1"), at("button up 1");
  click(650, 480);  // back to room (0, 0)
  at("press F7"), at("press ESCAPE"), ++f, at("press Y");
  return s;
}

// A stage's source text without the room grids: its objects, theme and rooms.
std::string Objects(const stagefile::Data& d) {
  std::istringstream in(stagec::Write(d));
  std::string out;
  for (std::string line; std::getline(in, line);)
    if (line.find(' ') != std::string::npos) out += line + "\n";
  return out;
}

TEST_F(EditorTest, BuiltByClicksSavedReadBackAndPlayed) {
  EXPECT_FALSE(Drive([] { GameEditor(); }, BuildScript(), {"built"}, 400));
  EXPECT_EQ(Game->State, GameState::Title);
  const auto bytes = Read("PlayerLevels/built");
  stagefile::Data file;
  ASSERT_TRUE(stagefile::Decode(bytes, file).ok());
  EXPECT_EQ(Objects(file),
            "theme 2\nbackdrop 5\nplayer 2 13 room 0 0\ndoor 16 10 gold 1 room 0 0\nroom 0 0\n"
            "room 1 0\nenemy 12 12 kind 0 frame 22 room 1 0\nenemy 20 12 kind 3 frame 14 room 1 0\n"
            "trap 16 4 kind 2 frame 25 height 0 room 0 0\nitem 5 14 kind 6 frame 48 room 0 0\n"
            "item 8 4 kind 0 frame 0 room 0 0\nstatue 20 2 frame 0 room 0 0\n");
  EXPECT_EQ(
      (std::vector<int>{file.Cell(0, 0, 1, 16), file.Cell(0, 0, 7, 16), file.Cell(0, 0, 8, 16),
                        file.Cell(0, 0, 17, 5), file.Cell(1, 0, 4, 8), file.Cell(1, 0, 5, 8)}),
      (std::vector<int>{CellCode::Brick, CellCode::Brick, 0, CellCode::Block, CellCode::Ladder,
                        CellCode::LadderRight}));
  EXPECT_EQ(SN, "built");

  // The reader in the editor gives the same world back, and the writer the same bytes.
  ClearEditorStage();
  Game->State = GameState::Editor;
  LoadStage("built");
  EXPECT_EQ(NumOfGold, 1);
  SaveStage("again");
  EXPECT_EQ(Read("PlayerLevels/again"), bytes);
}

// The editor takes 72 traps, 36 enemies and 36 statues, and no more: 90 clicks of each, on
// distinct cells of one room, saved and read back.
TEST_F(EditorTest, ObjectLimitsHoldInTheSavedFile) {
  for (int tool : {11, 19, 25})
    for (int c = 2; c < 32; ++c)
      for (int r : {3, 7, 11}) {
        EditorLoop loop;
        loop.tool = tool, loop.sx = c * kCell, loop.sy = r * kCell;
        PlaceObject(loop, c * kCell + 6, r * kCell + 1);
      }
  EXPECT_EQ((std::vector{numoftraps, numofenemies, numofstatus}), (std::vector{72, 36, 36}));
  SaveStage("full");
  stagefile::Data file;
  ASSERT_TRUE(stagefile::Decode(Read("PlayerLevels/full"), file).ok());
  EXPECT_EQ((std::vector{file.traps.size(), file.enemies.size(), file.statues.size()}),
            (std::vector<std::size_t>{72, 36, 36}));
}

TEST_F(EditorTest, FileListingsAndShortenedPaths) {
  for (const char* name : {"b.stg", "A.stg", "c.txt"})
    Write("PlayerLevels/" + std::string(name), kOld);
  fs::create_directories(root_ / "PlayerLevels" / "dir");
  grab_files(FilePath, "stg:txt");
  ASSERT_EQ(file_count, 3);
  EXPECT_EQ((std::vector<std::string>{file_list[0], file_list[1], file_list[2]}),
            (std::vector<std::string>{"A.stg", "b.stg", "dir"}));
  EXPECT_EQ((std::vector{file_type[0], file_size[0], file_type[2]}), (std::vector{1, 3, 2}));
  EXPECT_EQ(shorten("abc"), "Abc");
  EXPECT_EQ(shorten("/home/someone/games/quillmire/levels/mine"), "/ho../mine");
  EXPECT_EQ(shorten(std::string(40, 'a')), "A" + std::string(33, 'a'));
}

}  // namespace

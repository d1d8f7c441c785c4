// Round trips: a stage built by clicks and keys in the editor, saved with F7 under a name
// from the console, read back by the stage reader field by field, saved again to the same
// bytes and played; a shipped stage loaded in the editor and saved gives the same file, which
// plays its solution to the exit door.
#include <filesystem>

#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "editor/editor.h"
#include "editor/save.h"
#include "editor_test.h"
#include "media/headless.h"
#include "media/media.h"
#include "stages/stage.h"
#include "stages/stage_format.h"
#include "tools/solc/world.h"

namespace {

using editortest::EditorTest;
namespace fs = std::filesystem;
using Rows = std::vector<std::vector<int>>;

// Palette buttons by tool, then where the tool goes in the room: "mouse" a frame ahead of the
// click, since placing reads the pointer cell of the pass before.
const char* const kBuild = R"(
5 press F1
6 press SPACE
10 mouse 720 20
11 click 1
20 mouse 24 400
21 button down 1
22 mouse 48 400
23 mouse 72 400
24 mouse 96 400
25 mouse 120 400
26 mouse 144 400
27 mouse 168 400
28 button up 1
30 mouse 660 170
31 click 1
32 mouse 130 340
33 click 1
40 mouse 660 70
41 click 1
42 mouse 200 100
43 click 1
50 mouse 660 220
51 click 1
52 mouse 400 100
54 click 1
60 mouse 660 430
61 click 1
62 mouse 500 50
64 click 1
70 mouse 770 380
71 click 1
72 mouse 400 250
74 click 1
80 mouse 720 380
81 click 1
82 mouse 60 330
84 click 1
90 mouse 286 520
91 click 1
100 mouse 660 473
101 click 1
110 mouse 660 330
111 click 1
112 mouse 300 300
114 click 1
120 mouse 660 380
121 click 1
122 mouse 500 300
124 click 1
130 mouse 760 20
131 click 1
132 mouse 100 200
134 button down 1
135 button up 1
140 mouse 650 480
141 click 1
150 press F7
160 press ESCAPE
170 press Y
)";

Rows Fields(const stagefile::Data& d) {
  Rows rows;
  for (const auto& r : d.roomRecords) rows.push_back({r[0], r[1]});
  for (const auto& e : d.enemies)
    rows.push_back({e.x, e.y, e.Kind, e.frame, e.OriginRoomX, e.OriginRoomY});
  for (const auto& t : d.traps)
    rows.push_back({t.X, t.Y, t.Kind, t.Frame, t.Height, t.Roomx, t.Roomy});
  for (const auto& i : d.items) rows.push_back({i.X, i.Y, i.kind, i.frame, i.RoomX, i.RoomY});
  rows.push_back({d.playerX, d.playerY, d.playerRoomX, d.playerRoomY});
  rows.push_back({d.doorX, d.doorY, d.doorFrame, d.doorRoomX, d.doorRoomY});
  rows.push_back({d.Worldtheme, d.BackGround});
  for (const auto& s : d.statues) rows.push_back({s.x, s.y, s.frame, s.roomx, s.roomy});
  return rows;
}

TEST_F(EditorTest, BuiltByClicksSavedReadBackAndPlayed) {
  EXPECT_FALSE(Drive([] { GameEditor(); }, kBuild, {"built"}, 400));
  EXPECT_EQ(Game->State, GameState::Title);
  const auto bytes = Bytes("PlayerLevels/built");
  stagefile::Data file;
  ASSERT_TRUE(stagefile::Decode(bytes, file).ok());
  const Rows expected = {
      {0, 0},
      {1, 0},                   // rooms
      {12, 12, 0, 22, 1, 0},    // mummy
      {20, 12, 3, 14, 1, 0},    // pony
      {16, 4, 2, 25, 0, 0, 0},  // stone
      {5, 14, 6, 48, 0, 0},     // gold
      {8, 4, 0, 0, 0, 0},       // weapon
      {2, 13, 0, 0},            // player start
      {16, 10, 1, 0, 0},        // exit door with one gold
      {2, 5},                   // theme, backdrop
      {20, 2, 0, 0, 0},         // statue
  };
  EXPECT_EQ(Fields(file), expected);
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(file.Cell(0, 0, c, 16), CellCode::Brick) << c;
  EXPECT_EQ(file.Cell(0, 0, 8, 16), 0);
  EXPECT_EQ(file.Cell(0, 0, 17, 5), CellCode::Block);
  EXPECT_EQ(file.Cell(1, 0, 4, 8), CellCode::Ladder);
  EXPECT_EQ(file.Cell(1, 0, 5, 8), CellCode::LadderRight);
  EXPECT_EQ(SN, "built");

  // The reader in the editor gives the same world back, and the writer the same bytes.
  ClearEditorStage();
  Game->State = GameState::Editor;
  LoadStage("built");
  EXPECT_EQ(Fields(EditedStage()), expected);
  EXPECT_EQ(NumOfGold, 1);
  SaveStage("again");
  EXPECT_EQ(Bytes("PlayerLevels/again"), bytes);

  // Played: the player drops onto the bricks, walks right to the gold and the door opens.
  Write("Levels/LEVEL 1", bytes);
  std::string error;
  ASSERT_TRUE(solc::StartStage(1, false, error)) << error;
  media::headless::KeyDownNow(media::KEY_RIGHT);
  for (int tick = 0; tick < 240 && Exitdoor->State == DoorState::Shut; ++tick) solc::Pass();
  EXPECT_EQ(Exitdoor->State, DoorState::Open) << solc::Describe(0);
  EXPECT_GE(Player->Score, 1);
}

TEST_F(EditorTest, AShippedStageLoadedAndSavedPlaysItsSolution) {
  const auto shipped = Bytes("Levels/LEVEL 1");
  ASSERT_FALSE(shipped.empty());
  Write("PlayerLevels/LEVEL 1", shipped);
  media::headless::SetConsoleLines({"LEVEL 1"});
  EXPECT_EQ(EditorLoad(), -1);
  SaveStage("copy");
  EXPECT_EQ(Bytes("PlayerLevels/copy"), shipped);
  Write("Levels/LEVEL 1", Bytes("PlayerLevels/copy"));
  std::string error;
  ASSERT_TRUE(solc::StartStage(1, true, error)) << error;
  for (int tick = 0; tick < 20000 && Game->State == GameState::Play; ++tick) solc::Pass();
  EXPECT_EQ(Game->State, GameState::NextStage);
  EXPECT_EQ(Exitdoor->State, DoorState::Leaving);
}

}  // namespace

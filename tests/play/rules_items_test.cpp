// What the player takes, crosses and leaves through: gold and items, crumbling floors and
// vanishing ladders, door traps, the exit door, dying, and the tick's order and music.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/input.h"
#include "play/exit.h"
#include "play/player.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "play/traps.h"
#include "stages/replay.h"

namespace playtest {
namespace {

using media::KEY_LEFT;
using media::KEY_RIGHT;
using media::KEY_SPACE;

std::shared_ptr<bbItems> ItemAt(int kind, int x, int y, int rx = 0) {
  auto it = New<bbItems>();
  it->X = x, it->Y = y, it->kind = kind, it->frame = kind * 8, it->RoomX = rx;
  return it;
}

struct Take {
  const char* name;
  std::vector<int> kinds;  // items under the player (a negative kind: in room 1)
  int tool, extraLife, gold;
  int score, state, lives, left, doorState, sounds;
};

TEST_F(RulesTest, PickUps) {
  Audible(sndGold, "Gold"), Audible(sndAllGold, "AllGold"), Audible(sndItem, "Item");
  const std::vector<Take> takes = {
      {"gold scores 500 and counts down", {6}, 0, 0, 3, 500, 0, 2, 0, 1, 1},
      {"the last two gold in one tick open the door", {6, 6}, 0, 0, 2, 1000, 0, 2, 0, 2, 2},
      {"no gold to count: the door stays shut", {6}, 0, 0, 0, 500, 0, 2, 0, 1, 0},
      {"items of another room stay", {-6, -2}, 0, 0, 3, 0, 0, 2, 2, 1, 0},
      {"a digging tool scores 100 and is taken in hand", {2}, 0, 0, 3, 100, 3, 2, 0, 1, 1},
      {"a throwing weapon scores nothing", {1}, 0, 0, 3, 0, 2, 2, 0, 1, 1},
      {"one tool a tick", {5, 3}, 0, 0, 3, 100, 6, 2, 1, 1, 1},
      {"a full hand leaves the item; 5000 gives a life", {4}, 3, 5000, 3, 0, 3, 3, 1, 1, 0},
      {"4999 gives none", {4}, 3, 4999, 3, 0, 3, 2, 1, 1, 0},
      {"gold past 5000 gives no life by itself", {6}, 0, 4600, 3, 500, 0, 2, 0, 1, 1},
      {"a knife past 5000 does", {0}, 0, 5100, 3, 0, 1, 3, 0, 1, 1},
  };
  MakeRoom(0, 0);
  MakeRoom(1, 0);
  for (const Take& t : takes) {
    SCOPED_TRACE(t.name);
    for (auto it : Items_list.Each<bbItems>()) it->Remove();
    Player->Score = 0, Player->State = t.tool, Player->ExtraLife = t.extraLife, Player->Lives = 2;
    Exitdoor->State = 1, Exitdoor->Frame = t.gold, DoorOpened = 0;
    for (int kind : t.kinds) ItemAt(kind < 0 ? -kind : kind, 12, 18, kind < 0 ? 1 : 0);
    PlaceAt(12 * 24);
    const int plays = Plays();
    Pass();
    EXPECT_EQ(std::vector<int>({Player->Score, Player->State, Player->Lives, Items_list.Count(),
                                Exitdoor->State, DoorOpened, Plays() - plays}),
              std::vector<int>({t.score, t.state, t.lives, t.left, t.doorState,
                                t.doorState == 2 ? 1 : 0, t.sounds}));
  }
  PlaceAt(12 * 24);
  ItemAt(6, 15, 18);  // out of reach
  Pass();
  EXPECT_EQ(Items_list.Count(), 1);
}

// A crumbling floor (columns 20 to 23) collapses on the step after its second crossing, taken
// from solid ground; a vanishing ladder after its third, leaving a brick top.
TEST_F(RulesTest, CrossedTrapsCollapse) {
  Audible(sndFloor, "Floor"), Audible(sndLadder, "Ladder");
  MakeRoom(0, 0);
  MakeRoom(1, 0);
  for (int c = 20; c < 24; ++c) SetRoomCell(0, 0, c, kFloorRow, 88);
  auto floor = New<bbTraps>();
  floor->Kind = 1, floor->X = 20, floor->Y = kFloorRow - 1, floor->NumOfPass = 2;
  PlaceAt(21 * 24);  // on the crumbling cells: no collapse
  Hold(KEY_LEFT);
  Pass();
  EXPECT_EQ(RoomCell(0, 0, 21, kFloorRow), 88);
  // A crossing counts only standing on it: in the air over it, none.
  for (int y : {kStandY - 30, kStandY}) {
    floor->NumOfPass = floor->Passing = 0;
    PlaceAt(21 * 24, y);
    UpdateTraps();
    EXPECT_EQ(floor->NumOfPass, y == kStandY) << y;
  }
  floor->NumOfPass = 0, floor->Passing = 1;
  PlaceAt(18 * 24);  // over the trap's picture: the latch stays
  Pass();
  EXPECT_EQ(floor->Passing, 1);
  PlaceAt(4 * 24);
  Pass();
  EXPECT_EQ(floor->Passing, 0);
  floor->NumOfPass = 1;
  Pass();
  EXPECT_EQ(Traps_list.Count(), 1);
  floor->NumOfPass = 2;
  Pass();
  EXPECT_EQ(Traps_list.Count(), 0);
  for (int c = 20; c < 24; ++c) EXPECT_EQ(RoomCell(0, 0, c, kFloorRow), 0);
  Release(KEY_LEFT);

  for (int r = 12; r < kFloorRow; ++r) SetRoomCell(1, 0, 20, r, 4), SetRoomCell(0, 0, 20, r, 4);
  auto ladder = New<bbTraps>();
  ladder->Kind = 3, ladder->X = 20, ladder->Y = 12, ladder->Height = 8, ladder->Roomx = 1;
  ladder->NumOfPass = 2;
  PlaceAt(100);
  Hold(KEY_RIGHT);
  Pass();
  EXPECT_EQ(Traps_list.Count(), 1);
  ladder->NumOfPass = 3;
  Pass();
  EXPECT_EQ(Traps_list.Count(), 0);
  EXPECT_EQ(RoomCell(1, 0, 20, 12) * 10 + RoomCell(1, 0, 21, 12), 22);
  for (int r = 13; r < kFloorRow; ++r) EXPECT_EQ(RoomCell(1, 0, 20, r), 0) << r;
  EXPECT_EQ(RoomCell(1, 0, 20, kFloorRow), 1);
  EXPECT_EQ(RoomCell(0, 0, 20, 13), 4);  // the current room is untouched
  EXPECT_EQ(Plays(), 2);
}

// A door trap at column 10 (x 240), four cells tall: each passage lasts 30 ticks, walks 3 pixels
// a tick up to the door (|x + 48 - 240|, |240 + 48 - x|; 24 for one-way doors) and shuts a
// column (two-way doors) or swings back with a sound.
TEST_F(RulesTest, DoorPassages) {
  Audible(sndCloseCoffine, "CloseCof");
  const int passages[][6] = {// action, x; end x, door frame, column shut, sounds
                             {22, 264, 192, 13, 10, 0},
                             {23, 200, 287, 7, 11, 0},
                             {24, 300, 216, 10, -1, 1},
                             {25, 200, 263, 10, -1, 1}};
  for (const auto& p : passages) {
    SCOPED_TRACE(p[0]);
    ClearWorld();
    MakeRoom(0, 0);
    auto door = New<bbTraps>();
    door->X = 10, door->Y = 16, door->Height = 4, door->State = 2, door->Frame = 10;
    door->NumOfPass = 40;
    ActionType = LastActionType = kActionLeft;
    PlaceAt(p[1]);
    Player->Action = p[0];
    const int plays = Plays();
    EXPECT_EQ(PassesWhile(p[0]), 30);
    // Each tick recorded once, with the walking code; the door at rest again.
    EXPECT_EQ(std::vector<int>({Player->X, door->Frame, Plays() - plays, ActionNo,
                                door->State + door->NumOfPass + door->Framecounter}),
              std::vector<int>({p[2], p[3], p[5], 30, 0}));
    for (int c : {10, 11}) {
      const bool shut = RoomCell(0, 0, c, 16) == 1 && RoomCell(0, 0, c, 18) == 1;
      EXPECT_EQ(shut, c == p[4]) << c;
      EXPECT_EQ(RoomCell(0, 0, c, 19), 0);  // Height - 1 cells only
    }
  }
}

class RulesExit : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    MakeRoom(1, 0);
    // The door's top-left cell (10, 16): x 240, y 384; open.
    Exitdoor->x = 10, Exitdoor->y = 16, Exitdoor->State = 2, Exitdoor->Frame = 0;
    DoorOpened = 1;
  }
  // From the door's middle on its floor (or on from where the exit is), to the end of the
  // stage; returns the ticks.
  int RunExit(bool place = true) {
    if (place) PlaceAt(264, 432);
    int ticks = 0;
    while (Game->State == 26 && ticks < 1000) Pass(), ++ticks;
    return ticks;
  }
  std::string Bytes(const std::string& name) const {
    return quill_test::ReadBytes((root_ / name).string());
  }
};

TEST_F(RulesExit, EntryOnlyInTheDoorsMiddleOnItsFloorWhenOpen) {
  const struct {
    int across, down, state, roomx;
    bool enters;
  } cases[] = {{21, 48, 2, 0, false}, {22, 48, 2, 0, true},  {26, 48, 2, 0, true},
               {27, 48, 2, 0, false}, {24, 44, 2, 0, false}, {24, 45, 2, 0, true},
               {24, 48, 1, 0, false}, {24, 48, 2, 1, false}};
  for (const auto& c : cases) {
    PlaceAt(240 + c.across, 384 + c.down);
    Exitdoor->State = c.state, Exitdoor->roomx = c.roomx;
    TestExitDoor();
    EXPECT_EQ(Player->Action == 26, c.enters) << c.across << "," << c.down << " " << c.state;
  }
}

// The stage ends in the 326th tick: enemies go at once (a resting rock puts its cells back),
// the exit sound in the second tick, thrown weapons at the end; "Played.Bin" gets the stage.
TEST_F(RulesExit, TheStageEndsInThe326thTickAndIsMarkedPlayed) {
  Audible(sndExiting, "Exiting");
  Played[3] = 3;
  New<bbEnemies>();
  auto rock = New<bbEnemies>();
  rock->Kind = 2, rock->State = 21, rock->HaltingCounter = 5, rock->RoomX = 1;
  rock->x = 768 + 5 * 24, rock->y = 10 * 24;
  rock->Block1 = 3, rock->Block2 = 99, rock->Block3 = 2, rock->Block4 = 0;
  for (int c : {5, 6}) SetRoomCell(1, 0, c, 10, 88), SetRoomCell(1, 0, c, 11, 88);
  New<bbWeapons>()->State = 21;  // stuck in a wall
  Pass();                        // a step of code 0
  PlaceAt(264, 432);
  Pass();
  // Run 0 counts all its steps: one. The rock's cells are back, the stuck weapon still there.
  EXPECT_EQ(std::vector<int>({Player->Action, Exitdoor->Frame, DoorOpened, LastActionType,
                              Demo[1][0], Enemies_list.Count(), RoomCell(1, 0, 5, 10),
                              RoomCell(1, 0, 6, 10), RoomCell(1, 0, 5, 11), RoomCell(1, 0, 6, 11),
                              Weapons_list.Count(), Plays()}),
            std::vector<int>({26, 17, 0, kActionExit, 1, 0, 3, 99, 2, 0, 1, 0}));
  Pass();
  EXPECT_EQ(Plays(), 1);
  EXPECT_EQ(2 + RunExit(false), 326);
  EXPECT_EQ(std::vector<int>({Game->State, Exitdoor->Frame, Weapons_list.Count()}),
            std::vector<int>({27, 30, 0}));
  const auto bytes = Bytes("Played.Bin");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(std::vector<int>({bytes[0], bytes[2], bytes[4]}), std::vector<int>({0, 3, 5}));
}

TEST_F(RulesExit, WhatTheEndOfAStageWrites) {
  // A replayed stage 70 is marked, replay mode ends, nothing is recorded.
  PlayRuns({{0, 1000}});
  Game->Stage = 70;
  RunExit();
  EXPECT_EQ(DemoMode * 10000 + Demo[1][0], 1000);
  EXPECT_EQ(Bytes("Played.Bin").at(69), 70);
  // Stage numbers outside 1 to 70 write nothing.
  std::filesystem::remove(root_ / "Played.Bin");
  for (int stage : {0, 71, -3}) MarkStagePlayed(stage);
  EXPECT_FALSE(std::filesystem::exists(root_ / "Played.Bin"));
  // An unwritable folder: play goes on, the stage is marked in memory.
  Path = (root_ / "missing" / "").string();
  Game->Stage = 5, Game->State = 26, Exitdoor->State = 2;
  RunExit();
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Played[5], 5);
  // A player-made stage saves its replay and marks nothing.
  Path = root_.string() + "/";
  User = 1, ReplayName = "TUT3", Game->State = 26, Exitdoor->State = 2;
  ResetAll();
  PlaceAt(100);
  Pass();
  RunExit();
  EXPECT_FALSE(std::filesystem::exists(root_ / "Played.Bin"));
  const auto sol = Bytes("PlayerLevels/TUT3.SOL");
  ASSERT_EQ(sol.size(), 4u + 5u * 2u);  // one closed run, and the open one
  EXPECT_EQ(sol[0], 1);
  // The tenth tutorial goes on to the next; the eleventh back to the title.
  Tutorial = 1;
  for (int tut : {10, 11}) {
    TutNo = tut, Game->State = 26, Exitdoor->State = 2;
    PlayRuns({{0, 1000}});
    RunExit();
    EXPECT_EQ(Game->State, tut == 11 ? 31 : 27);
  }
}

TEST_F(RulesExit, AnExitCutShortByADeathLeavesTheNextExitWhole) {
  PlaceAt(264, 432);
  Passes(100);
  ASSERT_EQ(Exitdoor->FrameCounter, 4);
  Player->Action = 16;  // the give-up key
  Passes(151);
  ASSERT_EQ(Game->State, 27);
  Game->State = 26, Exitdoor->State = 2, Exitdoor->Frame = 0;
  EXPECT_EQ(RunExit(), 326);
}

struct Death {
  int difficulty, lives;
  int state, livesAfter, user;
};

TEST_F(RulesTest, DyingLasts151TicksThenTheStageAgainOrTheGameEnds) {
  Audible(sndKilled, "Killed");
  const std::vector<Death> deaths = {
      {1, 3, 27, 1, 1}, {1, -2, 27, 1, 1}, {2, 1, 27, 1, 1}, {2, 0, 28, 0, 0}};
  MakeRoom(0, 0);
  for (const Death& d : deaths) {
    SCOPED_TRACE(d.difficulty * 10 + d.lives);
    Difficulity = d.difficulty, User = 1, Game->State = 26, Game->Stage = 5;
    PlaceAt(300);
    Player->Action = 16, Player->Lives = d.lives;
    const int plays = Plays();
    Passes(99);
    EXPECT_EQ(Player->Frame, 126);
    Pass();  // the 100th tick
    EXPECT_EQ(Player->Frame, 123);
    Passes(50);
    EXPECT_EQ(Game->State, 26);
    Pass();
    EXPECT_EQ(std::vector<int>({Game->State, Game->Stage, Player->Lives, User, Plays() - plays}),
              std::vector<int>({d.state, 4, d.livesAfter, d.user, 1}));
  }
}

// The tick keeps the stage song going at the music volume, except while dying, leaving or
// after the last gold; the door test sees the position before the player's move.
TEST_F(RulesTest, TheTickKeepsTheSongAndTestsTheDoorBeforeTheMove) {
  MakeRoom(0, 0);
  Sng = "Song1.ogg";
  AllPrecachedMusic.push_back({"Music/Song1.ogg", media::LoadSound("incbin::Sfx/Gold.ogg")});
  PlaceAt(300);
  for (int action : {16, 26, 0}) {
    Player->Action = action, DoorOpened = action == 0;
    UpdateGame();
    EXPECT_FALSE(song) << action;
  }
  DoorOpened = 0;
  UpdateGame();
  ASSERT_TRUE(song);
  EXPECT_EQ(MusicName, "Music/Song1.ogg");

  Exitdoor->x = 10, Exitdoor->y = 16, Exitdoor->State = 2, Exitdoor->Frame = 0;
  PlaceAt(240 + 19);
  Hold(KEY_RIGHT);
  UpdateGame();
  EXPECT_EQ(Player->X * 100 + Player->Action, 26200);  // in the door's window after the step
  UpdateGame();
  EXPECT_EQ(Player->Action, 26);
}

// Fire: a throw makes a weapon in world pixels; in mid-jump a knife is thrown but a tool does
// nothing; on a ladder with empty hands the press records one step of no input, so playback
// spends the tick too.
TEST_F(RulesTest, FireThrowsOrJumpsOrDoesNothing) {
  MakeRoom(0, 0), MakeRoom(2, 1);
  RoomX = 2, RoomY = 1;
  PlaceAt(300);
  Player->State = 2, Player->LastDirection = 1;
  Hit(KEY_SPACE), Pass();
  ASSERT_EQ(Weapons_list.Count(), 1);
  EXPECT_EQ(std::vector<int>({Weapon->kind, Weapon->Frame, Weapon->Direction, Weapon->x, Weapon->y,
                              Weapon->roomx, Weapon->roomy, Player->State, LastActionType}),
            std::vector<int>({1, 59, 1, 2 * 768 + 300, 576 + kStandY, 2, 1, 0, kActionThrow}));
  RoomX = RoomY = 0;
  Hit(KEY_SPACE), Pass();
  ASSERT_EQ(Player->Action, 13);
  Player->State = 1;
  Hit(KEY_SPACE), Pass();
  EXPECT_EQ(Weapons_list.Count() * 100 + Weapon->Frame, 256);
  Player->State = 3;
  Hit(KEY_SPACE), Pass();
  EXPECT_EQ(Player->State * 10 + Weapons_list.Count(), 32);
  PlaceAt(300);
  Player->Action = 15, Player->State = 0;
  Pass();
  const int runs = ActionCount, steps = ActionNo;
  Hit(KEY_SPACE), Pass();
  EXPECT_EQ(std::vector<int>({Player->Action, ActionCount, ActionNo, LastActionType}),
            std::vector<int>({15, runs, steps + 1, kActionNone}));
}

}  // namespace
}  // namespace playtest

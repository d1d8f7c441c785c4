// What the player takes, crosses and leaves through: gold and items, crumbling floors and
// vanishing ladders, door traps, the exit door, dying, and the tick's order and music.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/codes.h"
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
#include "play/weapons.h"
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

// A fall that lands in its n-th tick sounds the long fall from its 25th tick on; every landing
// sounds.
TEST_F(RulesTest, FallsAndTheirSounds) {
  Audible(sndFall, "Fall");
  MakeRoom(0, 0, false);
  for (int c = 0; c < 32; ++c) SetRoomCell(0, 0, c, 23, 1);
  for (int n : {24, 25}) {
    ResetAll();
    const int plays = Plays();
    PlaceAt(300, 23 * 24 - 48 - 12 * (n - 1));
    Player->Action = 14;
    const int passes = PassesWhile(14);
    EXPECT_EQ(passes * 10 + Plays() - plays, n * 10 + n - 24);
  }
  Audible(HitFloor, "HitFloor");
  const int plays = Plays();
  PlaceAt(300, 400);
  Player->Action = 14;
  PassesWhile(14);
  EXPECT_EQ(Plays() - plays, 1);
}

// The sounds of the rules, each loaded alone so that the mixer's channels count its plays: a
// drill's two blocks, a wall trap's first two bricks (ticks 2 and 43), a stone landing and one
// pushed, a door pushed open, a door passage swinging back (one-way doors only), a crumbling
// floor and a vanishing ladder giving way, a weapon's flight.
TEST_F(RulesTest, TheRulesSounds) {
  auto heard = [](media::Sound& slot, const char* name, const std::function<void()>& run) {
    ClearWorld();
    MakeRoom(0, 0), MakeRoom(1, 0);
    Audible(slot, name);
    const int plays = Plays();
    run();
    slot = {};
    for (int key : {KEY_LEFT, KEY_RIGHT}) Release(key);
    return Plays() - plays;
  };
  auto trap = [](int kind, int x, int y, int height = 0) {
    auto t = New<bbTraps>();
    t->Kind = kind, t->X = x, t->Y = y, t->Height = height;
    return t;
  };
  auto block = [](int c0, int c1, int r0, int r1, int code) {
    for (int c = c0; c <= c1; ++c)
      for (int r = r0; r <= r1; ++r) SetRoomCell(0, 0, c, r, code);
  };
  EXPECT_EQ(heard(sndDrill, "Drill",
                  [&] {
                    block(7, 9, 18, 19, CellCode::Brick);
                    PlaceAt(237);
                    Player->Direction = Player->LastDirection = 0, Player->State = Tool::SideTwo;
                    Hit(KEY_SPACE), Passes(90);
                  }),
            2);
  std::vector<int> bricks;
  heard(sndCreateWall, "CrtWall", [&] {
    trap(TrapKind::WallTrap, 10, 18, 3);
    PlaceAt(240 - 8);
    for (int tick = 1; tick <= 43; ++tick) UpdateTraps(), bricks.push_back(Plays());
  });
  EXPECT_EQ(
      std::vector<int>({bricks[1] - bricks[0], bricks[41] - bricks[1], bricks[42] - bricks[41]}),
      std::vector<int>({1, 0, 1}));
  EXPECT_EQ(heard(sndCloseCoffine, "CloseCof",
                  [&] {
                    block(17, 18, 16, 17, CellCode::Block), block(17, 18, 20, 20, 0);
                    block(15, 20, 23, 23, 1), trap(TrapKind::Stone, 17, 16);
                    for (int tick = 0; tick < 9; ++tick) UpdateTraps();
                  }),
            1);
  EXPECT_EQ(heard(sndPushStone, "PushSton",
                  [&] {
                    block(10, 11, 18, 19, CellCode::Block);
                    auto stone = trap(TrapKind::Stone, 10, 18);
                    PlaceAt(180), Hold(KEY_RIGHT);
                    for (int n = 0; n < 200 && stone->X == 10; ++n) Pass();
                  }),
            1);
  EXPECT_EQ(heard(sndDoor, "RLDoor",
                  [&] {
                    block(11, 11, 16, 19, CellCode::Block);
                    trap(TrapKind::TwoWayLeft, 10, 16, 5)->Frame = 8;
                    PlaceAt(300), Hold(KEY_LEFT);
                    for (int n = 0; n < 200 && Player->Action != Act::TwoWayLeft; ++n) Pass();
                  }),
            1);
  for (int action : {22, 23, 24, 25}) {
    EXPECT_EQ(heard(sndCloseCoffine, "CloseCof",
                    [&] {
                      auto door = trap(0, 10, 16, 4);
                      door->State = 2, door->Frame = 10, door->NumOfPass = 40;
                      ActionType = LastActionType = kActionLeft;
                      PlaceAt(action % 2 ? 200 : 264);
                      Player->Action = action;
                      EXPECT_EQ(PassesWhile(action), 30);
                    }),
              action >= 24)
        << action;
  }
  EXPECT_EQ(heard(sndFloor, "Floor",
                  [&] {
                    block(20, 23, kFloorRow, kFloorRow, CellCode::Solid88);
                    trap(TrapKind::Crumble, 20, kFloorRow - 1)->NumOfPass = 2;
                    PlaceAt(96), Hold(KEY_LEFT), Pass();
                  }),
            1);
  EXPECT_EQ(heard(sndLadder, "Ladder",
                  [&] {
                    auto ladder = trap(3, 20, 12, 8);
                    ladder->Roomx = 1, ladder->NumOfPass = 3;
                    PlaceAt(100), Hold(KEY_RIGHT), Pass();
                  }),
            1);
  EXPECT_EQ(heard(sndBoome, "Boome",
                  [] {
                    PlaceAt(300);
                    Player->State = Tool::Weapon1, Player->LastDirection = 1;
                    Hit(KEY_SPACE), Passes(40);
                  }),
            1);
}

// A crumbling floor counts a crossing only of a player standing on it, not one in the air.
TEST_F(RulesTest, ACrumblingFloorCountsPlayersStandingOnIt) {
  MakeRoom(0, 0);
  auto floor = New<bbTraps>();
  floor->Kind = TrapKind::Crumble, floor->X = 20, floor->Y = kFloorRow - 1;
  for (int y : {kStandY - 30, kStandY}) {
    floor->NumOfPass = floor->Passing = 0;
    PlaceAt(21 * 24, y);
    UpdateTraps();
    EXPECT_EQ(floor->NumOfPass, y == kStandY) << y;
  }
}

// A thrown weapon is caught by empty hands on the ground from its ninth tick on, never while
// it is stuck or dropping.
TEST_F(RulesTest, ACatchNeedsEmptyHandsTheGroundNineTicksAndNoStuckWeapon) {
  const int cases[][5] = {// counter, tool, action, weapon state, caught
                          {8, Tool::None, Act::Ground, 1, 1},
                          {7, Tool::None, Act::Ground, 1, 0},
                          {8, Tool::SideOne, Act::Ground, 14, 0},
                          {8, Tool::None, Act::Jump, 1, 0},
                          {20, Tool::None, Act::Ground, 21, 0}};
  MakeRoom(0, 0);
  PlaceAt(300, 100);
  for (const auto& c : cases) {
    auto w = New<bbWeapons>();
    w->Frame = 56, w->Direction = 1, w->x = 300, w->y = 100;
    w->CollideCounter = c[0], w->State = c[3];
    Player->State = c[1], Player->Action = c[2];
    UpdateWeapons();
    EXPECT_EQ(Player->State, c[4] ? Tool::Weapon0 : c[1]) << c[0] << " " << c[3];
    w->Remove();
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

// The tick keeps the stage song going, except while dying, leaving or after the last gold.
TEST_F(RulesTest, TheTickKeepsTheSongExceptWhileDyingLeavingOrAfterTheLastGold) {
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
}

}  // namespace
}  // namespace playtest

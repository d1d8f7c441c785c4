// A small stage of three rooms played from its file through the real frame: walk, take a
// tool, climb, take gold on a ledge, fall off it, jump, dig through a brick wall, change room,
// take the last gold and leave through the door; the run is saved at the exit and its replay
// reaches the exit door too.
#include <gtest/gtest.h>

#include <fstream>

#include "core/globals.h"
#include "core/objects.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/frame.h"
#include "play/rules_fixture.h"
#include "play/stage_start.h"
#include "play/tick.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "stages/stage_format.h"

namespace playtest {
namespace {

using media::KEY_RIGHT;
using media::KEY_SPACE;
using media::KEY_UP;

stagefile::Data SmallStage() {
  stagefile::Data s;
  s.roomRecords = {{0, 0}, {1, 0}, {0, 1}};
  for (auto [rx, ry] : s.roomRecords)
    for (int c = 0; c < 32; ++c) s.Cell(rx, ry, c, 23) = 1;
  // Room (0, 0): a ladder up to a brick ledge with gold on it, a two-cell brick wall.
  for (int r = 15; r <= 22; ++r) {
    s.Cell(0, 0, 10, r) = 3;
    s.Cell(0, 0, 11, r) = 99;
  }
  for (int c = 12; c <= 20; ++c) s.Cell(0, 0, c, 15) = 2;
  for (int c = 26; c <= 27; ++c) {
    s.Cell(0, 0, c, 21) = 2;
    s.Cell(0, 0, c, 22) = 2;
  }
  s.items = {{6, 21, 2, 16, 0, 0}, {16, 13, 6, 48, 0, 0}, {5, 21, 6, 48, 1, 0}};
  s.playerX = 2, s.playerY = 21, s.playerRoomX = 0, s.playerRoomY = 0;
  s.doorX = 10, s.doorY = 19, s.doorFrame = 2, s.doorRoomX = 1, s.doorRoomY = 0;
  s.Worldtheme = 1, s.BackGround = 2;
  return s;
}

class RulesStage : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    User = 1;  // a player-made stage from PlayerLevels/, its replay saved there at the exit
    ReplayName = "SMALL";
    const auto bytes = stagefile::Encode(SmallStage());
    std::ofstream out(root_ / "PlayerLevels" / "SMALL", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  void Load() {
    ResetAll();
    LoadStage("SMALL");
    ASSERT_TRUE(LastStageCheck.ok());
    Player->Score = 0;
    media::SetViewport(16, 0, 768, 600);
    media::SetOrigin(16, 0);
  }
  // One pass as the state machine runs it.
  static void PlayPass() {
    UpdateGame();
    RenderGame(0);
  }
  // Keys for this tick of the live run, from where the player is.
  void Steer() {
    media::headless::KeyUpNow(KEY_UP);
    media::headless::KeyUpNow(KEY_RIGHT);
    const int x = Player->X;
    if (Player->Action != 0 && Player->Action != 15) return;
    if (RoomX == 0 && phase_ == 0) {  // to the ladder, then up
      if (x < 230) {
        media::headless::KeyDownNow(KEY_RIGHT);
      } else {
        media::headless::KeyDownNow(KEY_UP);
        if (Player->Y <= 312 && Player->Action == 0) phase_ = 1;
      }
    } else if (RoomX == 0 && phase_ == 1) {  // along the ledge, off its end, to the wall
      media::headless::KeyDownNow(KEY_RIGHT);
      if (Player->Y == 504 && x > 560) phase_ = 2;
    } else if (RoomX == 0 && phase_ == 2) {  // dig, then on into the next room
      if (Player->State == 3 && lastX_ == x) media::headless::PressKey(KEY_SPACE);
      media::headless::KeyDownNow(KEY_RIGHT);
    } else if (RoomX == 1 && phase_ == 2) {  // a jump on the spot, then the gold and the door
      if (x >= 60) {
        phase_ = 3;
        media::headless::PressKey(KEY_SPACE);
      } else {
        media::headless::KeyDownNow(KEY_RIGHT);
      }
    } else if (RoomX == 1 && phase_ == 3) {
      media::headless::KeyDownNow(KEY_RIGHT);
    }
    lastX_ = x;
  }
  int phase_ = 0;
  int lastX_ = -1;
};

TEST_F(RulesStage, PlayedToTheExitAndReplayedToTheExit) {
  Load();
  std::vector<int> actionsSeen(30, 0);
  int ticks = 0;
  while (Game->State == 26 && ticks < 5000) {
    Steer();
    PlayPass();
    if (Player->Action >= 0 && Player->Action < 30) ++actionsSeen[Player->Action];
    ++ticks;
  }
  media::headless::KeyUpNow(KEY_RIGHT);
  ASSERT_EQ(Game->State, 27) << "phase " << phase_ << " room " << RoomX << " x " << Player->X;
  EXPECT_EQ(Player->Action, 26);
  EXPECT_EQ(Player->Score, 500 + 100 + 500);
  EXPECT_EQ(Exitdoor->Frame, 30);
  for (int action : {13, 14, 15, 9}) EXPECT_GT(actionsSeen[action], 0) << action;
  const auto live = PlayerState();

  Game->State = 26;
  DemoMode = 1;
  Load();
  LoadReplay();
  ASSERT_EQ(DemoMode, 1);
  int replayTicks = 0;
  while (Game->State == 26 && replayTicks < 5000) {
    PlayPass();
    ++replayTicks;
  }
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(replayTicks, ticks);  // tick for tick
  EXPECT_EQ(PlayerState(), live);
}

}  // namespace
}  // namespace playtest

// Door passages and dying.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "play/rules_fixture.h"
#include "stages/replay.h"

namespace playtest {
namespace {

class RulesDoor : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    door_ = New<bbTraps>();
    door_->X = 10;  // x 240
    door_->Y = 16;
    door_->Height = 4;
    door_->State = 2;
    door_->Frame = 10;
    door_->NumOfPass = 40;
  }
  // Starts a passage with the player at x and runs it; returns its number of ticks.
  int PassThrough(int action, int x) {
    PlaceAt(x);
    Player->Action = action;
    int ticks = 0;
    while (Player->Action == action && ticks < 100) {
      Pass();
      ++ticks;
    }
    return ticks;
  }
  bool ColumnSolid(int c) const {
    for (int r = 16; r <= 18; ++r)
      if (RoomCell(0, 0, c, r) != 1) return false;
    return RoomCell(0, 0, c, 19) == 0;  // Height - 1 cells only
  }
  std::shared_ptr<bbTraps> door_;
};

TEST_F(RulesDoor, TwoWayLeftwardsWalksToTheDoorAndShutsItsLeftColumn) {
  EXPECT_EQ(PassThrough(22, 264), 30);
  EXPECT_EQ(Player->X, 192);  // d = |x + 48 - 240| reached 0 after 24 steps
  EXPECT_EQ(door_->Frame, 13);
  EXPECT_TRUE(ColumnSolid(10));
  EXPECT_FALSE(ColumnSolid(11));
  EXPECT_EQ(door_->State, 0);
  EXPECT_EQ(door_->NumOfPass, 0);
  EXPECT_EQ(door_->Framecounter, 0);
  EXPECT_EQ(Player->Action, 0);
}

TEST_F(RulesDoor, TwoWayRightwardsWaitsWhenCloseEnough) {
  EXPECT_EQ(PassThrough(23, 200), 30);
  EXPECT_EQ(Player->X, 287);  // the distance fell to 1: no further step
  EXPECT_EQ(door_->Frame, 7);
  EXPECT_TRUE(ColumnSolid(11));
  EXPECT_FALSE(ColumnSolid(10));
}

TEST_F(RulesDoor, OneWayLeftwardsSwingsBackAndSounds) {
  Audible(sndCloseCoffine, "CloseCof");
  EXPECT_EQ(PassThrough(24, 300), 30);
  EXPECT_EQ(Player->X, 216);  // d = |x + 24 - 240|
  EXPECT_EQ(door_->Frame, 10);
  EXPECT_FALSE(ColumnSolid(10));
  EXPECT_FALSE(ColumnSolid(11));
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesDoor, OneWayRightwards) {
  Audible(sndCloseCoffine, "CloseCof");
  EXPECT_EQ(PassThrough(25, 200), 30);
  EXPECT_EQ(Player->X, 263);  // d = |240 + 24 - x| down to 1
  EXPECT_EQ(door_->Frame, 10);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesDoor, APassageIsRecordedOncePerTickWithTheWalkingCode) {
  ActionType = LastActionType = kActionLeft;
  PassThrough(22, 264);
  EXPECT_EQ(LastActionType, kActionLeft);
  EXPECT_EQ(ActionNo, 30);
}

TEST_F(RulesDoor, TwoDoorsBeingPassedMoveThePlayerTwice) {
  auto other = New<bbTraps>();
  other->X = 2;
  other->Y = 16;
  other->Height = 4;
  other->State = 2;
  PlaceAt(600);
  Player->Action = 22;
  Pass();
  EXPECT_EQ(Player->X, 594);
}

TEST_F(RulesDoor, PlayerWalkingPoseAdvancesEveryFifthTick) {
  PlaceAt(600);
  Player->Action = 22;
  Player->FrameRate = 0;
  Passes(5);
  EXPECT_EQ(Player->FrameRate, 1);
}

class RulesDying : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    PlaceAt(300);
    Player->Action = 16;
  }
  int RunDeath() {
    int ticks = 0;
    while (Game->State == 26 && ticks < 400) {
      Pass();
      ++ticks;
    }
    return ticks;
  }
};

TEST_F(RulesDying, LastsOneHundredFiftyOneTicksAndLeavesOneLife) {
  Audible(sndKilled, "Killed");
  Player->Lives = 3;
  Pass();
  EXPECT_EQ(Player->Frame, 126);
  EXPECT_EQ(Plays(), 1);
  Passes(98);
  EXPECT_EQ(Player->Frame, 126);
  Pass();  // the 100th tick
  EXPECT_EQ(Player->Frame, 123);
  EXPECT_EQ(Player->FrameCounter, 0);
  const int ticks = 100 + RunDeath();
  EXPECT_EQ(ticks, 151);
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Game->Stage, 4);
  EXPECT_EQ(Player->Lives, 1);
  EXPECT_EQ(Player->DyingCounter, 0);
  EXPECT_EQ(Plays(), 1);
}

TEST_F(RulesDying, TheDyingFramesAdvanceEveryEighthTick) {
  Player->FrameRate = 0;
  Player->FrameCounter = 0;
  Passes(7);
  EXPECT_EQ(Player->FrameCounter, 0);
  Pass();
  EXPECT_EQ(Player->FrameCounter, 1);
  Passes(24);
  EXPECT_EQ(Player->FrameCounter, 0);  // 4 steps: back to the first frame
}

TEST_F(RulesDying, TheLastLifeOnDifficultyTwoEndsTheGame) {
  Difficulity = 2;
  User = 1;
  Player->Lives = 0;
  RunDeath();
  EXPECT_EQ(Game->State, 28);
  EXPECT_EQ(Game->Stage, 4);
  EXPECT_EQ(User, 0);
}

TEST_F(RulesDying, DifficultyOneNeverEndsTheGame) {
  Player->Lives = -2;
  RunDeath();
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Player->Lives, 1);
}

TEST_F(RulesDying, OneLifeLeftOnDifficultyTwoGoesOn) {
  Difficulity = 2;
  Player->Lives = 1;
  RunDeath();
  EXPECT_EQ(Game->State, 27);
  EXPECT_EQ(Player->Lives, 1);
}

TEST_F(RulesDying, TheMusicIsNotKeptAliveWhileDying) {
  Sng = "Song1.ogg";
  AllPrecachedMusic.push_back({"Music/Song1.ogg", media::LoadSound("incbin::Sfx/Gold.ogg")});
  Pass();
  EXPECT_FALSE(song);
  Player->Action = 0;
  Pass();
  EXPECT_TRUE(song);  // alive again once the player stands
}

}  // namespace
}  // namespace playtest

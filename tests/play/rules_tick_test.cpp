// The tick's music keep-alive and the order of its steps.
#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "core/sound.h"
#include "media/headless.h"
#include "media/input.h"
#include "play/rules_fixture.h"
#include "play/tick.h"

namespace playtest {
namespace {

class RulesTick : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    MakeRoom(0, 0);
    Sng = "Song1.ogg";
    AllPrecachedMusic.push_back({"Music/Song1.ogg", media::LoadSound("incbin::Sfx/Gold.ogg")});
    PlaceAt(300);
  }
};

TEST_F(RulesTick, TheStageSongIsStartedAndKeptAtTheMusicVolume) {
  MusicVol = 0.4f;
  UpdateGame();
  ASSERT_TRUE(song);
  EXPECT_EQ(MusicName, "Music/Song1.ogg");
  const auto first = song;
  UpdateGame();
  EXPECT_EQ(song, first);  // the same channel while the track plays
}

TEST_F(RulesTick, TheLastGoldPausesTheSongAndItStaysUnkept) {
  UpdateGame();
  ASSERT_TRUE(song);
  Exitdoor->State = 1;
  Exitdoor->Frame = 1;
  auto gold = New<bbItems>();
  gold->X = 12, gold->Y = 18, gold->kind = 6, gold->frame = 48;
  UpdateGame();
  EXPECT_EQ(DoorOpened, 1);
  StopChannel(song);
  song = nullptr;
  UpdateGame();
  EXPECT_FALSE(song);  // not restarted while the door-open flash runs
  DoorOpened = 0;
  UpdateGame();
  EXPECT_TRUE(song);
}

TEST_F(RulesTick, NotKeptWhileLeavingThroughTheDoor) {
  Player->Action = 26;
  UpdateGame();
  EXPECT_FALSE(song);
}

TEST_F(RulesTick, TheDoorTestSeesThePositionBeforeThePlayersMove) {
  // The player steps into the door's window only in this tick's input: no entry yet.
  Exitdoor->x = 10, Exitdoor->y = 16, Exitdoor->State = 2, Exitdoor->Frame = 0;
  PlaceAt(240 + 19);
  media::headless::KeyDownNow(media::KEY_RIGHT);
  UpdateGame();
  EXPECT_EQ(Player->X, 262);
  EXPECT_EQ(Player->Action, 0);
  UpdateGame();
  EXPECT_EQ(Player->Action, 26);
}

}  // namespace
}  // namespace playtest

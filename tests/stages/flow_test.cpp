#include "front/flow.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/input.h"
#include "media/sound.h"
#include "play/stage_start.h"
#include "screens.h"
#include "stages/replay.h"
#include "stages/stage.h"
#include "world.h"

using media::headless::ClickNow;
using media::headless::FrameCount;
using media::headless::MoveMouseNow;
using media::headless::PressKey;
using stagefile::Encode;
using stagetest::OnFrames;
using stagetest::World;

namespace {

constexpr media::Pixel kYellow = 0xFFFFFF00;  // the proportional font of the test pictures

class Flow : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    stagetest::MakeScreenPictures();
    ResetFlowGlobals();
    Lang[42] = "Tutorial ";
    Lang[43] = "Stage ";
    Lang[44] = "Go";
    Lang[58] = "Bad stage file";
    Lang[59] = "No stage file";
    Lang[132] = "Choose";
    Game->State = 27;
    for (int n = 1; n <= 70; n++) {
      stagefile::Data s = stagetest::SmallStage();
      s.doorFrame = n;  // tells the stages apart
      world_.WriteBytes("Levels/LEVEL " + std::to_string(n), Encode(s));
    }
  }
  // Enter after `frames` frames of the stage title.
  static void EnterAfter(int frames) {
    int at = FrameCount() + frames;
    OnFrames([at](int f) {
      if (f == at) PressKey(media::KEY_ENTER);
    });
  }
  static int YellowInRow(int y) {
    int n = 0;
    for (int x = 0; x < 800; x++) n += media::ShownPixels()[y * 800 + x] == kYellow;
    return n;
  }
  World world_;
};

TEST_F(Flow, NewGameShowsTheLevelChooserAndLoadsTheChosenStage) {
  Game->Stage = 0;
  MoveMouseNow(700, 200);  // stage 30
  ClickNow(1);
  EnterAfter(3);
  GoNextStage();
  EXPECT_EQ(Game->Stage, 30);
  EXPECT_EQ(SN, "LEVEL 30");
  EXPECT_EQ(NumOfGold, 30);
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(SongNumber, 30);
  EXPECT_EQ(ReplayName, "Stage 30");
  EXPECT_EQ(Sng, "");              // stages above 25 keep the song before
  EXPECT_EQ(FrameCount(), 1 + 3);  // one chooser frame, then the title until Enter
}

TEST_F(Flow, RestartAfterADeathSkipsTheChooser) {
  Game->Stage = 4;
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(Game->Stage, 5);
  EXPECT_EQ(SN, "LEVEL 5");
  EXPECT_EQ(Sng, "Song1.ogg");
  EXPECT_EQ(FrameCount(), 1);
}

TEST_F(Flow, PressPendingFromPlayEndsTheTitleBeforeItsFirstFrame) {
  for (int key : {media::KEY_SPACE, media::KEY_ENTER, 0}) {
    Game->Stage = 4;
    if (key != 0) {
      PressKey(key);
    } else {
      ClickNow(1);
    }
    int before = FrameCount();
    GoNextStage();
    EXPECT_EQ(FrameCount(), before) << key;
    EXPECT_EQ(SN, "LEVEL 5");
  }
}

TEST_F(Flow, EscapeInTheChooserLoadsNothing) {
  Game->Stage = 0;
  LoadStage("LEVEL 9");
  PressKey(media::KEY_ESCAPE);
  GoNextStage();
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(MainMenu, 0);
  EXPECT_EQ(Game->Stage, 0);
  EXPECT_EQ(SN, "LEVEL 9");
  EXPECT_EQ(NumOfGold, 9);
}

TEST_F(Flow, EscapeInTheTutorialChooserLoadsNothing) {
  world_.WriteBytes("Levels/Tut1", Encode(stagetest::OtherStage()));
  LoadStage("LEVEL 9");
  User = 1, Tutorial = 1, TutNo = 0;
  PressKey(media::KEY_ESCAPE);
  GoNextStage();
  EXPECT_EQ(FrameCount(), 1);  // one chooser frame, no title
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(MainMenu, 0);
  EXPECT_EQ(TutNo, 1);
  EXPECT_EQ(SN, "LEVEL 9");
  EXPECT_EQ(NumOfGold, 9);
}

TEST_F(Flow, EscapeOnTheTitleStillLoadsAndReturnsToTheTitleMenu) {
  Game->Stage = 4;
  int at = FrameCount() + 2;
  OnFrames([at](int f) {
    if (f == at) PressKey(media::KEY_ESCAPE);
  });
  GoNextStage();
  EXPECT_EQ(FrameCount(), 4);  // the frame in progress ends, then the wait
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(SN, "LEVEL 5");
  EXPECT_EQ(Game->Stage, 5);
}

TEST_F(Flow, TutorialsCountOnFromTheChosenOne) {
  User = 1, Tutorial = 1, TutNo = 0;
  for (int n = 1; n <= 11; n++)
    world_.WriteBytes("Levels/Tut" + std::to_string(n), Encode(stagetest::OtherStage()));
  MoveMouseNow(250, 60);  // tutorial 4
  ClickNow(1);
  EnterAfter(1);
  GoNextStage();
  EXPECT_EQ(TutNo, 4);
  EXPECT_EQ(UserStage, "Tut4");
  EXPECT_EQ(SN, "Tut4");
  EXPECT_EQ(ReplayName, "TUT4");
  EXPECT_EQ(DemoMode, 0);  // no replay file: played by the player
  EXPECT_EQ(Sng, "Song1.ogg");
  EXPECT_EQ(Game->Stage, 0);
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(TutNo, 5);
  EXPECT_EQ(SN, "Tut5");
}

TEST_F(Flow, TutorialReplayIsLoadedInReplayMode) {
  User = 1, Tutorial = 1, TutNo = 6;
  world_.WriteBytes("Levels/Tut7", Encode(stagetest::OtherStage()));
  world_.WriteBytes("Levels/TUT7.SOL", {1, 0, 0, 0, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0});
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(TotalActionCount, 1);
  EXPECT_EQ(Demo[0][0], 2);
  EXPECT_EQ(Demo[1][0], 4);
}

TEST_F(Flow, PromptIsHiddenOnFrames975To999) {
  Game->Stage = 4;
  // Prompt "GO": two glyphs centred at y 580, the first at drawing x 368 (screen 384).
  std::vector<int> hidden;
  int start = FrameCount();
  OnFrames([start, &hidden](int f) {
    int pass = f - start + 1;
    if (media::ShownPixels()[588 * 800 + 390] != stagetest::kWhite) hidden.push_back(pass);
    if (pass == 1001) PressKey(media::KEY_ENTER);
  });
  GoNextStage();
  ASSERT_EQ(hidden.size(), 25u);
  EXPECT_EQ(hidden.front(), 975);
  EXPECT_EQ(hidden.back(), 999);
}

TEST_F(Flow, OldPictureScrollsAwayUpwards) {
  // A white band at the top of the old picture moves up 8 pixels a frame.
  media::SetViewport(0, 0, 800, 600);
  media::SetOrigin(0, 0);
  media::SetColor(255, 255, 255);
  media::DrawRect(0, 100, 800, 8);
  Game->Stage = 4;
  std::vector<media::Pixel> at100;
  int start = FrameCount();
  OnFrames([start, &at100](int f) {
    at100.push_back(media::ShownPixels()[(100 - 8 * (f - start + 1)) * 800 + 300]);
    if (f - start == 4) PressKey(media::KEY_ENTER);
  });
  GoNextStage();
  ASSERT_EQ(at100.size(), 5u);
  for (media::Pixel p : at100) EXPECT_EQ(p, stagetest::kWhite);
  EXPECT_NE(media::ShownPixels()[100 * 800 + 300], stagetest::kWhite);
}

TEST_F(Flow, MissingStageFileIsToldOnTheTitleAndLeavesTheStage) {
  LoadStage("LEVEL 3");
  std::filesystem::remove(world_.root() / "Levels/LEVEL 8");
  Game->Stage = 7;
  EnterAfter(0);
  testing::internal::CaptureStderr();
  GoNextStage();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_GT(YellowInRow(425), 0);  // the language line under the title
  EXPECT_EQ(StageFaultLine(LastStageCheck), 59);
  EXPECT_NE(err.find("LEVEL 8"), std::string::npos);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  EXPECT_EQ(NumOfGold, 3);  // the stage before stays
  EXPECT_EQ(Game->State, 26);
  EXPECT_EQ(Game->Stage, 8);
}

TEST_F(Flow, BadStageFileIsToldOnTheTitle) {
  std::vector<unsigned char> bytes = Encode(stagetest::SmallStage());
  bytes.resize(bytes.size() / 2);
  world_.WriteBytes("Levels/LEVEL 8", bytes);
  Game->Stage = 7;
  EnterAfter(0);
  testing::internal::CaptureStderr();
  GoNextStage();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(YellowInRow(425), 8 * static_cast<int>(Lang[58].size()));
  EXPECT_EQ(StageFaultLine(LastStageCheck), 58);
}

TEST_F(Flow, GoodStageFileShowsNoMessage) {
  Game->Stage = 7;
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(YellowInRow(425), 0);
  EXPECT_TRUE(LastStageCheck.ok());
}

TEST_F(Flow, AfterTheLastStageBackToTheTitleMenu) {
  LoadStage("LEVEL 70");
  Game->Stage = 70;
  GoNextStage();
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(FrameCount(), 0);
  EXPECT_EQ(NumOfGold, 70);
  EXPECT_EQ(SN, "LEVEL 70");
}

TEST_F(Flow, NoTutorialAfterTheEleventhBackToTheTitleMenu) {
  // A death in tutorial 11 asks for the step after it: there is no tutorial 12.
  world_.WriteBytes("Levels/Tut11", Encode(stagetest::OtherStage()));
  User = 1, Tutorial = 1, TutNo = 10;
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(SN, "Tut11");
  EXPECT_EQ(Game->State, 26);
  int frames = FrameCount();
  GoNextStage();
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(FrameCount(), frames);  // no title shown
  EXPECT_EQ(DemoMode, 0);
  EXPECT_EQ(SN, "Tut11");  // nothing loaded
  EXPECT_EQ(NumOfGold, 9);
}

TEST_F(Flow, BuiltInReplayIsLookedUpUnderTheLanguageWord) {
  Game->Stage = 4;
  DemoMode = 1;  // the replay key: no chooser even at stage 1
  world_.WriteBytes("Levels/Stage 5.SOL", {1, 0, 0, 0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0});
  EnterAfter(0);
  GoNextStage();
  EXPECT_EQ(DemoMode, 1);
  EXPECT_EQ(Demo[0][0], 7);
  Game->Stage = 0;
  DemoMode = 1;
  EnterAfter(0);
  GoNextStage();  // no chooser in replay mode
  EXPECT_EQ(Game->Stage, 1);
  EXPECT_EQ(DemoMode, 0);  // no replay of stage 1
}

TEST_F(Flow, TheLastSoundEffectStopsBeforeTheStageLoads) {
  std::size_t size = 0;
  const unsigned char* data = media::BuiltinBlob("Sfx/Gold.ogg", &size);
  ASSERT_NE(data, nullptr);
  media::RegisterEmbedded("Sfx/Gold.ogg", data, size);
  media::Sound sound = media::LoadSound("incbin::Sfx/Gold.ogg", media::SOUND_LOOP);
  ASSERT_NE(sound, nullptr);
  Sfx = media::PlaySound(sound);
  ASSERT_EQ(media::ChannelPlaying(Sfx), 1);
  Game->Stage = 4;
  OnFrames([](int f) {
    if (f == 1) {
      EXPECT_EQ(media::ChannelPlaying(Sfx), 1);  // it plays on under the title
      PressKey(media::KEY_ENTER);
    }
  });
  GoNextStage();
  EXPECT_EQ(media::ChannelPlaying(Sfx), 0);
  EXPECT_EQ(SN, "LEVEL 5");
  Sfx = nullptr;
  EnterAfter(0);
  GoNextStage();  // no channel: nothing to stop
  EXPECT_EQ(SN, "LEVEL 6");
}

TEST_F(Flow, ResetAllSetsThePerStageState) {
  auto e = New<bbEnemies>();
  e->CoffineCounter = e->HaltingCounter = e->Fallcounter = e->JumpCounter = 5;
  e->MovingCounter = e->FrameRate = e->LifeSpan = e->State = 5;
  auto t = New<bbTraps>();
  t->Framecounter = t->timer = t->NumOfPass = t->State = 5;
  auto w = New<bbWeapons>();
  w->Timer = w->State = w->SpiningCounter = w->BoomCounter = w->CollideCounter = w->x = 5;
  Player->FallCounter = Player->DyingCounter = Player->Action = Player->State = 7;
  Player->Direction = 0;
  Player->Score = 900, Player->Lives = 3, Player->ExtraLife = 40, Player->XS = 3;
  jcounter = pausecounter = FlashCounter = 9;
  ActionCount = ActionNo = ActionType = LastActionType = TotalActionCount = 9;
  Game->State = 27;
  ResetAll();
  EXPECT_EQ(e->CoffineCounter + e->HaltingCounter + e->Fallcounter + e->JumpCounter, 0);
  EXPECT_EQ(e->MovingCounter + e->FrameRate + e->LifeSpan, 0);
  EXPECT_EQ(e->State, 5);
  EXPECT_EQ(t->Framecounter + t->timer + t->NumOfPass, 0);
  EXPECT_EQ(t->State, 5);
  EXPECT_EQ(w->Timer + w->State + w->SpiningCounter + w->BoomCounter + w->CollideCounter, 0);
  EXPECT_EQ(w->x, 5);
  EXPECT_EQ(Player->FallCounter + Player->DyingCounter + Player->Action + Player->State, 0);
  EXPECT_EQ(Player->Direction, 1);
  EXPECT_EQ(Player->Frame, 5);
  EXPECT_EQ(Player->JumpFrame, 124);
  EXPECT_EQ(Player->Score, 900);
  EXPECT_EQ(Player->Lives, 3);
  EXPECT_EQ(Player->ExtraLife, 40);
  EXPECT_EQ(Player->XS, 3);
  EXPECT_EQ(jcounter + pausecounter + FlashCounter, 0);
  EXPECT_EQ(ActionCount + ActionNo + ActionType + LastActionType + TotalActionCount, 0);
  EXPECT_EQ(Game->State, 26);
}

}  // namespace

// ResetGlobals brings every shared global, and core's own state, back to its start value.
#include "core/globals.h"

#include <gtest/gtest.h>

#include "core/objects.h"
#include "core/sound.h"
#include "core/text.h"
#include "media/graphics.h"

namespace {

TEST(GlobalsTest, StartValues) {
  ResetGlobals();
  EXPECT_EQ(Difficulity, 1);
  EXPECT_EQ(CantFly, 1);
  EXPECT_EQ(LangRect, 1);
  EXPECT_EQ(MusicVol, 1.0f);
  EXPECT_EQ(SfxVol, 0.3f);
  EXPECT_EQ(tmpMusicVol, 1.0f);
  EXPECT_EQ(tmpSfxVol, 0.3f);
  EXPECT_EQ(song, nullptr);
  EXPECT_EQ(Sfx, nullptr);
  EXPECT_EQ(Game, nullptr);
  EXPECT_EQ(EditMode + DemoMode + Tutorial + TutNo + User + Control + quit, 0);
}

TEST(GlobalsTest, ResetGlobalsUndoesChanges) {
  ResetGlobals();
  Stage[196][146] = 99;
  Stage[0][0] = 2;
  Rooms[6][6] = 1;
  RoomX = 3;
  Worldtheme = 5;
  NumOfGold = 12;
  SN = "x";
  Sng = "Song3.ogg";
  Difficulity = 2;
  CantFly = 0;
  LangRect = 4;
  EditMode = 1;
  quit = 1;
  PlayerJump[18] = 7;
  W[25] = 96;
  Demo[1][5000] = 3;
  Played[70] = 1;
  Lang[185] = "last";
  Tut[11] = "t";
  ItemName[30] = "i";
  Option[15] = "o";
  txt[30] = "p";
  Mode = 2;
  md = "m";
  FPS = 85;
  DelayTime = 5;
  AppPath = FilePath = Path = dir = "/a";
  MusicVol = tmpMusicVol = 0.5f;
  SfxVol = tmpSfxVol = 0.9f;
  imgFont = media::CreateImage(1, 1);
  Arrow = media::CreateImage(1, 1);
  Player = New<bbPlayers>();
  Exitdoor = New<bbExitDoors>();
  Game = New<bbGames>();
  item = New<bbItems>();
  Trap = New<bbTraps>();
  pausecounter = 44;
  widthTable[94] = 3;
  MusicName = "Music/x.ogg";
  AllPrecachedMusic.push_back({"Music/x.ogg", nullptr});

  ResetGlobals();

  EXPECT_EQ(Stage[196][146], 0);
  EXPECT_EQ(Stage[0][0], 0);
  EXPECT_EQ(Rooms[6][6], 0);
  EXPECT_EQ(RoomX + Worldtheme + NumOfGold, 0);
  EXPECT_TRUE(SN.empty() && Sng.empty());
  EXPECT_EQ(Difficulity, 1);
  EXPECT_EQ(CantFly, 1);
  EXPECT_EQ(LangRect, 1);
  EXPECT_EQ(EditMode + quit, 0);
  EXPECT_EQ(PlayerJump[18] + W[25] + Demo[1][5000] + Played[70], 0);
  EXPECT_TRUE(Lang[185].empty() && Tut[11].empty() && ItemName[30].empty() && Option[15].empty() &&
              txt[30].empty());
  EXPECT_EQ(Mode + FPS + DelayTime, 0);
  EXPECT_TRUE(md.empty() && AppPath.empty() && FilePath.empty() && Path.empty() && dir.empty());
  EXPECT_EQ(MusicVol, 1.0f);
  EXPECT_EQ(tmpMusicVol, 1.0f);
  EXPECT_EQ(SfxVol, 0.3f);
  EXPECT_EQ(tmpSfxVol, 0.3f);
  EXPECT_EQ(imgFont, nullptr);
  EXPECT_EQ(Arrow, nullptr);
  EXPECT_EQ(Player, nullptr);
  EXPECT_EQ(Exitdoor, nullptr);
  EXPECT_EQ(Game, nullptr);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(Trap, nullptr);
  EXPECT_TRUE(Players_list.IsEmpty() && ExitDoors_list.IsEmpty() && Games_list.IsEmpty() &&
              Items_list.IsEmpty() && Traps_list.IsEmpty());
  EXPECT_EQ(pausecounter, 0);
  EXPECT_EQ(widthTable[94], 0);
  EXPECT_TRUE(MusicName.empty());
  EXPECT_TRUE(AllPrecachedMusic.empty());
}

}  // namespace

// Pixels of a drawn room: the blocks of the theme, the objects of the current room only, the
// score bar and the tutorial bar, and the room-grid overlay.
#include "core/globals.h"
#include "core/objects.h"
#include "core/text.h"
#include "media/headless.h"
#include "play/frame.h"
#include "play/frame_fixture.h"
#include "play/render.h"
#include "play/stage_start.h"

namespace frametest {
namespace {

class FrameRender : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    Player->X = 700;  // out of the way of what the tests look at
    Player->Y = 480;
  }
};

TEST_F(FrameRender, BlocksOfTheThemeAtTheirCells) {
  Worldtheme = 2;
  RoomX = 1;
  Rooms[1][0] = 1;
  Stage[32 + 3][4] = 1;
  Stage[32 + 6][4] = 2;
  Stage[32 + 9][4] = 3;
  Stage[32 + 10][4] = 99;
  Stage[32 + 13][4] = 4;
  Stage[32 + 16][4] = 88;
  Stage[3][8] = 2;  // room (0, 0): not drawn
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Bricks, 2 * 3 + 0, 3 * 24, 4 * 24));
  EXPECT_TRUE(Shows(Bricks, 2 * 3 + 1, 6 * 24, 4 * 24));
  EXPECT_TRUE(Shows(Bricks, 2 * 3 + 2, 9 * 24, 4 * 24));
  EXPECT_TRUE(Shows(Bricks, 18, 13 * 24, 4 * 24));
  // Another theme's picture is not what shows.
  EXPECT_FALSE(Shows(Bricks, 0, 3 * 24, 4 * 24));
  EXPECT_FALSE(Shows(Bricks, 1, 6 * 24, 4 * 24));
  // Codes 88 and 99 and the other room's brick draw nothing.
  EXPECT_FALSE(Shows(Bricks, 2 * 3 + 0, 16 * 24, 4 * 24));
  EXPECT_FALSE(Shows(Bricks, 2 * 3 + 1, 16 * 24, 4 * 24));
  EXPECT_FALSE(Shows(Bricks, 2 * 3 + 1, 3 * 24, 8 * 24));
}

TEST_F(FrameRender, BlocksOutsideTheGridDrawNothing) {
  // The last room column reaches past the grid's 197 columns from column 192 on.
  Stage[196][10] = 1;
  RenderBlocks(6 * 32, 0, 0);
  EXPECT_TRUE(Shows(Bricks, 0, 4 * 24, 10 * 24));
  RenderBlocks(-40, -30, 0);
  RenderBlocks(1000, 1000, 0);
  RenderBlocks(0, 0, 99);  // a theme without pictures
}

std::shared_ptr<bbItems> Item(int kind, int x, int y, int rx, int ry) {
  auto it = New<bbItems>();
  it->kind = kind;
  it->frame = kind * 8;
  it->X = x, it->Y = y;
  it->RoomX = rx, it->RoomY = ry;
  return it;
}

TEST_F(FrameRender, ItemsOfTheRoomAnimateTogetherEveryEightFrames) {
  Item(6, 10, 5, 0, 0);
  Item(2, 20, 5, 0, 0);
  Item(6, 14, 10, 1, 0);  // another room
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(ItemSprite, 48, 240, 120));
  EXPECT_TRUE(Shows(ItemSprite, 16, 480, 120));
  EXPECT_FALSE(Shows(ItemSprite, 48, 14 * 24, 240));
  for (int f = 2; f <= 8; ++f) ASSERT_TRUE(Frame());
  EXPECT_EQ(itemframecounter, 1);
  EXPECT_TRUE(Shows(ItemSprite, 49, 240, 120));
  EXPECT_TRUE(Shows(ItemSprite, 17, 480, 120));
  for (int f = 9; f <= 64; ++f) ASSERT_TRUE(Frame());
  EXPECT_EQ(itemframecounter, 0);  // eight steps, then round again
  EXPECT_TRUE(Shows(ItemSprite, 48, 240, 120));
}

TEST_F(FrameRender, ExitDoorOnlyWhenItExistsInThisRoom) {
  Exitdoor->x = 10, Exitdoor->y = 2, Exitdoor->Frame = 5;
  Exitdoor->State = 1;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(XDoor, 5, 240, 48));
  Exitdoor->State = 0;
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(XDoor, 5, 240, 48));
  Exitdoor->State = 2;
  Exitdoor->roomx = 1;
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(XDoor, 5, 240, 48));
}

TEST_F(FrameRender, EnemiesAtWorldPixelsOfTheirRoomWhenVisible) {
  Rooms[1][1] = 1;
  RoomX = RoomY = 1;
  auto e = New<bbEnemies>();
  e->Kind = 3;
  e->x = 768 + 200, e->y = 576 + 100;
  e->RoomX = e->RoomY = 1;
  e->frame = 6, e->framecounter = 1;
  e->Visible = 1;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Enemiesprite, 7, 200, 100));
  e->Visible = 0;
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(Enemiesprite, 7, 200, 100));
  e->Visible = 1;
  e->RoomX = 0;
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(Enemiesprite, 7, 200, 100));
}

TEST_F(FrameRender, CoffinsInTheOriginRoomAndRockCellsOnlyAtRest) {
  Worldtheme = 1;
  auto mummy = New<bbEnemies>();
  mummy->Kind = 1;
  mummy->CoffineX = 96, mummy->CoffineY = 240;
  mummy->CoffineCounter = 2;
  mummy->RoomX = 1;  // walked away: the coffin stays in the origin room
  auto rock = New<bbEnemies>();
  rock->Kind = 2;
  rock->x = 480, rock->y = 120;
  rock->Block2 = 3;
  rock->Block3 = 4;
  rock->State = 20;  // rolling
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Doors, 2 + 24 + 3, 96, 240));
  EXPECT_FALSE(Shows(Bricks, 1 * 3 + 2, 480 + 24, 120));
  rock->State = 21;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Bricks, 1 * 3 + 2, 480 + 24, 120));
  EXPECT_TRUE(Shows(Bricks, 18, 480, 144));
}

std::shared_ptr<bbTraps> MakeTrap(int kind, int x, int y) {
  auto t = New<bbTraps>();
  t->Kind = kind;
  t->X = x, t->Y = y;
  return t;
}

TEST_F(FrameRender, TrapsByKind) {
  MakeTrap(0, 1, 1);
  MakeTrap(1, 4, 1);
  MakeTrap(2, 10, 1);
  MakeTrap(3, 14, 1);
  MakeTrap(6, 18, 1)->Frame = 7;
  auto away = MakeTrap(2, 10, 10);
  away->Roomx = 1;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Bricks, 19, 24, 24));
  EXPECT_TRUE(Shows(XDoor, 31, 96, 24));
  EXPECT_TRUE(Shows(ItemSprite, 63, 240, 24));
  EXPECT_TRUE(Shows(Bricks, 18, 14 * 24, 24));
  EXPECT_TRUE(Shows(Doors, 7, 18 * 24, 24));
  EXPECT_FALSE(Shows(ItemSprite, 63, 240, 240));
}

TEST_F(FrameRender, StoneShowsTheLadderOfItsRightColumnAgain) {
  Worldtheme = 4;
  ItemSprite = nullptr;  // the stone's own picture would cover the piece
  auto stone = MakeTrap(2, 6, 8);
  stone->Block2 = 3;  // a ladder's left cell under the stone's top-right cell
  stone->Block1 = 3;  // and under its left column: not drawn back
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Bricks, 4 * 3 + 2, 7 * 24, 8 * 24));
  EXPECT_FALSE(Shows(Bricks, 4 * 3 + 2, 6 * 24, 8 * 24));
  stone->Roomx = 1;  // a stone of another room leaves nothing here
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(Bricks, 4 * 3 + 2, 7 * 24, 8 * 24));
}

TEST_F(FrameRender, WeaponsInFlightOnly) {
  auto w = New<bbWeapons>();
  w->x = 300, w->y = 200;
  w->Frame = 56, w->framecounter = 2;
  w->State = 1;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(ItemSprite, 58, 300, 200));
  w->State = 0;
  ASSERT_TRUE(Frame());
  EXPECT_FALSE(Shows(ItemSprite, 58, 300, 200));
}

TEST_F(FrameRender, StatueOverItsGlowWithTheBackdropsPair) {
  BackGround = 3;
  auto s = New<bbstatuses>();
  s->x = 5, s->y = 5;
  s->frame = 1;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Shows(Statusprite, 1 + 2 * 3, 120, 120));
  EXPECT_EQ(Statusred, 6);
}

TEST_F(FrameRender, PlayerDrawnOverTheEnemiesAtItsHandle) {
  Player->X = 300;
  Player->Y = 300;
  Player->Frame = 0;
  Player->Direction = 0;
  auto e = New<bbEnemies>();
  e->x = 300, e->y = 290;
  e->frame = 0;
  e->Visible = 1;
  ASSERT_TRUE(Frame());
  EXPECT_EQ(Player->FrameCounter, 0);
  EXPECT_TRUE(Shows(PlayerSprite, 0, 300, 300 - 24));  // the handle is 24 pixels down
  EXPECT_FALSE(Shows(Enemiesprite, 0, 300, 290));
}

TEST_F(FrameRender, ScoreDigitsOnTheBar) {
  Player->Score = 12345;
  ASSERT_TRUE(Frame());
  int x = 385;
  for (char c : std::string("12345")) {
    EXPECT_TRUE(Shows(imgFont, c - 32, x, 583)) << c;
    x += widthTable[c - 32];
  }
  EXPECT_FALSE(Shows(imgFont, '9' - 32, 385, 583));
}

TEST_F(FrameRender, TutorialBarWithItsLineAndHeading) {
  Tutorial = 1;
  TutNo = 2;
  Tut[2] = "Climb";
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Near(RoomPixel(0, 576), {0, 200, 255}, 0));
  EXPECT_TRUE(Near(RoomPixel(767, 599), {0, 200, 255}, 0));
  EXPECT_TRUE(Near(RoomPixel(2, 597), {0, 0, 0}, 0));
  EXPECT_TRUE(Shows(imgFont, 'C' - 32, 432 - media::TextWidth("Climb") / 2, 580));
  EXPECT_TRUE(Shows(optAlpha, 'T' - 32, 19, 3));
  EXPECT_FALSE(Shows(imgFont, '0' - 32, 385, 583));  // no score

  TutNo = 40;  // no such line: the bar is drawn all the same
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Near(RoomPixel(0, 576), {0, 200, 255}, 0));
}

TEST_F(FrameRender, BackdropOverThePulsingColour) {
  Back = nullptr;
  ASSERT_TRUE(Frame());
  EXPECT_EQ(redvalue, 5);
  EXPECT_TRUE(Near(RoomPixel(300, 20), {5, 5, 100}, 0));
  for (int f = 2; f <= 51; ++f) ASSERT_TRUE(Frame());
  EXPECT_EQ(redvalue, 255);
  ASSERT_TRUE(Frame());
  EXPECT_EQ(redvalue, 250);  // turned round at 255
  EXPECT_EQ(greenvalue, 250);
}

Rgb Half(Rgb src, Rgb bg) {
  return {(src.r + bg.r) / 2, (src.g + bg.g) / 2, (src.b + bg.b) / 2};
}

TEST_F(FrameRender, GridOverlayAwayFromThePlayersHalf) {
  Back = nullptr;
  Rooms[1][0] = 1;
  RoomX = 1;
  ShowGrid = 1;
  for (int px : {383, 384}) {
    Player->X = px;
    Player->Y = 480;
    ASSERT_TRUE(Frame());
    const Rgb bg{redvalue, greenvalue, 100};
    const int left = px <= 383 ? 696 : 25, gone = px <= 383 ? 25 : 696;
    EXPECT_TRUE(Near(RoomPixel(left + 3, 28), Half({0, 255, 0}, bg), 2)) << px;
    // The current room: red over its green square.
    EXPECT_TRUE(Near(RoomPixel(left + 8 + 3, 28), Half({255, 0, 0}, Half({0, 255, 0}, bg)), 3))
        << px;
    // A missing room: a white outline from x to x + 7.
    EXPECT_TRUE(Near(RoomPixel(left + 16 + 3, 25), Half({255, 255, 255}, bg), 2)) << px;
    EXPECT_TRUE(Near(RoomPixel(left + 16 + 7, 28), Half({255, 255, 255}, bg), 2)) << px;
    EXPECT_TRUE(Near(RoomPixel(left + 16 + 3, 28), bg, 0)) << px;  // inside a missing room
    EXPECT_TRUE(Near(RoomPixel(gone + 3, 28), bg, 0)) << px;
  }
  ShowGrid = 0;
  ASSERT_TRUE(Frame());
  EXPECT_TRUE(Near(RoomPixel(25 + 3, 28), {redvalue, greenvalue, 100}, 0));
}

}  // namespace
}  // namespace frametest

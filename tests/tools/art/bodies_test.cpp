// The frames whose pixels the rules read have solid bodies where the rules expect them.
#include <gtest/gtest.h>

#include "tools/art/art_util.h"

namespace {

using arttest::LoadCells;
using arttest::OpaqueCount;

TEST(ArtBodies, EveryPlayerFrameHasABodyInItsBox) {
  media::Image player = LoadCells("Images/Player.png", 48, 72, 130);
  ASSERT_TRUE(player);
  for (int f = 0; f < 130; ++f) {
    // The body box is the lower 48 x 48 of the cell (the handle is 24 pixels down).
    EXPECT_GT(OpaqueCount(player, f, 0, 24, 48, 48), 150) << "frame " << f;
    // Feet on the floor line: something in the last rows, except in the air.
    if (f != 124 && f != 125) {
      EXPECT_GT(OpaqueCount(player, f, 0, 66, 48, 6), 4) << "frame " << f;
    }
  }
  // Standing poses are a solid column through the middle of the body.
  for (int f : {0, 5, 7, 12, 17, 36, 41, 72, 77}) {
    EXPECT_GT(OpaqueCount(player, f, 14, 28, 20, 44), 300) << "frame " << f;
  }
}

TEST(ArtBodies, PlayerStandingOnAnItemTouchesIt) {
  media::Image player = LoadCells("Images/Player.png", 48, 72, 130);
  media::Image items = LoadCells("Images/Items.png", 48, 48, 64);
  ASSERT_TRUE(player && items);
  media::SetImageHandle(player, 0, 24);
  // Frame 0 of the items is the pick-up shape of every item.
  for (int f : {0, 5, 8, 44, 76, 124}) {
    EXPECT_TRUE(media::ImagesCollide(player, 240, 240, f, items, 240, 240, 0)) << "frame " << f;
    EXPECT_TRUE(media::ImagesCollide(player, 228, 240, f, items, 240, 240, 0)) << "frame " << f;
    EXPECT_FALSE(media::ImagesCollide(player, 168, 240, f, items, 240, 240, 0)) << "frame " << f;
  }
}

TEST(ArtBodies, ItemsHaveSolidShapes) {
  media::Image items = LoadCells("Images/Items.png", 48, 48, 64);
  ASSERT_TRUE(items);
  for (int f = 0; f < 62; ++f) EXPECT_GT(OpaqueCount(items, f, 0, 0, 48, 48), 100) << f;
  // The pick-up shape reaches across the middle of both cells in both directions.
  EXPECT_GT(OpaqueCount(items, 0, 0, 20, 48, 8), 20);
  EXPECT_GT(OpaqueCount(items, 0, 20, 0, 8, 48), 20);
  // The pointer points with its top-left pixel; the stone fills its 2 x 2 cells.
  EXPECT_TRUE(arttest::Opaque(items, 62, 0, 0));
  EXPECT_FALSE(arttest::Opaque(items, 62, 47, 47));
  EXPECT_EQ(OpaqueCount(items, 63, 0, 0, 48, 48), 48 * 48);
}

TEST(ArtBodies, ExitDoorOpenIsSolidAndTheFloorSitsLow) {
  media::Image door = LoadCells("Images/XDoor.png", 96, 96, 32);
  ASSERT_TRUE(door);
  // Open door: the doorway the player walks into is solid (the entry test reads it).
  EXPECT_EQ(OpaqueCount(door, 0, 22, 48, 52, 48), 52 * 48);
  for (int f = 1; f <= 30; ++f) EXPECT_GT(OpaqueCount(door, f, 0, 0, 96, 96), 6000) << f;
  // The crumbling floor lies in rows 24..47, below the trap's own row.
  EXPECT_EQ(OpaqueCount(door, 31, 0, 0, 96, 20), 0);
  EXPECT_GT(OpaqueCount(door, 31, 0, 24, 96, 24), 96 * 24 * 9 / 10);
  EXPECT_EQ(OpaqueCount(door, 31, 0, 52, 96, 44), 0);
}

TEST(ArtBodies, DoorsFillTheirSolidColumnOnly) {
  media::Image doors = LoadCells("Images/Doors.png", 48, 96, 30);
  ASSERT_TRUE(doors);
  for (int h = 3; h <= 5; ++h) {
    int px = 24 * (h - 1);
    for (int oneWay = 0; oneWay < 2; ++oneWay) {
      int right = 12 * oneWay + 4 * (h - 3), left = right + 3;  // leaf right / leaf left at rest
      EXPECT_GT(OpaqueCount(doors, right, 24, 0, 24, px), 24 * px * 9 / 10) << right;
      EXPECT_EQ(OpaqueCount(doors, right, 0, 0, 24, 96), 0) << right;
      EXPECT_GT(OpaqueCount(doors, left, 0, 0, 24, px), 24 * px * 9 / 10) << left;
      EXPECT_EQ(OpaqueCount(doors, left, 24, 0, 24, 96), 0) << left;
      for (int f = right; f <= left; ++f) {
        EXPECT_EQ(OpaqueCount(doors, f, 0, px, 48, 96 - px), 0) << "door " << f << " too tall";
        EXPECT_GT(OpaqueCount(doors, f, 0, 0, 48, px), 4 * px) << f;
      }
    }
  }
  for (int f = 24; f < 30; ++f) EXPECT_GT(OpaqueCount(doors, f, 0, 0, 48, 96), 48 * 60) << f;
}

TEST(ArtBodies, EnemiesAndStatuesHaveBodies) {
  media::Image enemies = LoadCells("Images/Enemies.png", 48, 48, 30);
  media::Image statues = LoadCells("Images/Status.png", 96, 96, 24);
  ASSERT_TRUE(enemies && statues);
  for (int f = 0; f < 30; ++f) EXPECT_GT(OpaqueCount(enemies, f, 0, 0, 48, 48), 200) << f;
  for (int f = 0; f < 24; ++f) {
    EXPECT_GT(OpaqueCount(statues, f, 0, 0, 96, 96), 2500) << f;
    // Part of the glow box stays open so that the red glow shows round the figure.
    int open = 60 * 58 - OpaqueCount(statues, f, 21, 15, 60, 58);
    EXPECT_GT(open, 600) << f;
    EXPECT_GT(OpaqueCount(statues, f, 21, 15, 60, 58), 500) << f;
  }
}

TEST(ArtBodies, BlocksKeepTheirRightHalfClear) {
  media::Image bricks = LoadCells("Images/Bricks.png", 48, 24, 21);
  ASSERT_TRUE(bricks);
  for (int t = 0; t < 6; ++t) {
    for (int f : {3 * t, 3 * t + 1}) {
      EXPECT_EQ(OpaqueCount(bricks, f, 0, 0, 24, 24), 24 * 24) << f;
      EXPECT_EQ(OpaqueCount(bricks, f, 24, 0, 24, 24), 0) << f;
    }
    EXPECT_GT(OpaqueCount(bricks, 3 * t + 2, 0, 0, 24, 24), 60);
    EXPECT_GT(OpaqueCount(bricks, 3 * t + 2, 24, 0, 24, 24), 60);
  }
  EXPECT_GT(OpaqueCount(bricks, 18, 0, 0, 48, 24), 60);
  EXPECT_GT(OpaqueCount(bricks, 19, 0, 0, 24, 24), 60);
}

TEST(ArtBodies, DugBricksCrumbleFromTheDiggersSide) {
  media::Image h = LoadCells("Images/HDigBlock.png", 24, 48, 36);
  media::Image v = LoadCells("Images/VDigBlock.png", 48, 24, 18);
  ASSERT_TRUE(h && v);
  for (int t = 0; t < 6; ++t) {
    for (int side = 0; side < 2; ++side) {
      int f = 6 * t + 3 * side;
      EXPECT_GT(OpaqueCount(h, f, 0, 0, 24, 48), OpaqueCount(h, f + 1, 0, 0, 24, 48));
      EXPECT_GT(OpaqueCount(h, f + 1, 0, 0, 24, 48), OpaqueCount(h, f + 2, 0, 0, 24, 48));
      EXPECT_GT(OpaqueCount(h, f + 2, 0, 0, 24, 48), 0);
      int left = OpaqueCount(h, f + 2, 0, 0, 12, 48), right = OpaqueCount(h, f + 2, 12, 0, 12, 48);
      // Dug towards the left (side 0), the digger stands on the right: that side goes first.
      EXPECT_GT(side == 0 ? left : right, side == 0 ? right : left) << t;
    }
    int f = 3 * t;
    EXPECT_GT(OpaqueCount(v, f, 0, 0, 48, 24), OpaqueCount(v, f + 2, 0, 0, 48, 24));
    EXPECT_GT(OpaqueCount(v, f + 2, 0, 12, 48, 12), OpaqueCount(v, f + 2, 0, 0, 48, 12));
  }
}

TEST(ArtBodies, MapIconsKeepToTheirCells) {
  media::Image map = LoadCells("Images/map.png", 32, 32, 36);
  media::Image map2 = LoadCells("Images/map2.png", 64, 64, 2);
  ASSERT_TRUE(map && map2);
  for (int t = 0; t < 6; ++t) {
    for (int f : {3 * t, 3 * t + 1}) {
      EXPECT_EQ(OpaqueCount(map, f, 0, 0, 16, 16), 256) << f;
      EXPECT_EQ(OpaqueCount(map, f, 0, 0, 32, 32), 256) << f;
    }
    EXPECT_EQ(OpaqueCount(map, 3 * t + 2, 0, 16, 32, 16), 0);
    EXPECT_GT(OpaqueCount(map, 3 * t + 2, 0, 0, 32, 16), 40);
  }
  for (int f = 18; f < 36; ++f) EXPECT_GT(OpaqueCount(map, f, 0, 0, 32, 32), 30) << f;
  EXPECT_EQ(OpaqueCount(map2, 1, 0, 0, 64, 14), 0);
  EXPECT_GT(OpaqueCount(map2, 1, 0, 16, 64, 16), 64 * 16 * 8 / 10);
}

TEST(ArtBodies, FinishedMarkLeavesTheNumberClear) {
  media::Image buttons = LoadCells("Images/buttons.png", 75, 75, 3);
  ASSERT_TRUE(buttons);
  EXPECT_EQ(OpaqueCount(buttons, 2, 21, 51, 34, 16), 0);
  EXPECT_GT(OpaqueCount(buttons, 2, 0, 0, 75, 75), 100);
  EXPECT_EQ(OpaqueCount(buttons, 1, 2, 2, 71, 71), 71 * 71);
}

}  // namespace

namespace {

bool Mirrored(const media::Image& image, int a, int b) {
  media::Pixmap pa = media::LockImage(image, a, true, false);
  media::Pixmap pb = media::LockImage(image, b, true, false);
  bool same = true;
  for (int y = 0; y < pa.height && same; ++y)
    for (int x = 0; x < pa.width && same; ++x)
      same = media::ReadPixel(pa, x, y) == media::ReadPixel(pb, pa.width - 1 - x, y);
  media::UnlockImage(image, a);
  media::UnlockImage(image, b);
  return same;
}

// Facing left is the same pose as facing right, mirrored: the walking group facing right is
// one step later so that both groups stand on their first frame (left) and second (right).
TEST(ArtBodies, LeftPosesMirrorTheRightOnes) {
  media::Image player = arttest::LoadCells("Images/Player.png", 48, 72, 130);
  ASSERT_TRUE(player);
  for (int state = 0; state < 7; ++state)
    for (int step = 0; step < 4; ++step) {
      int left = state * 12 + step, right = state * 12 + 4 + (step + 1) % 4;
      EXPECT_TRUE(Mirrored(player, left, right)) << left << " / " << right;
    }
  for (int dig = 0; dig < 4; ++dig)
    for (int step = 0; step < 4; ++step)
      EXPECT_TRUE(Mirrored(player, 84 + 8 * dig + step, 88 + 8 * dig + step)) << dig << step;
  EXPECT_TRUE(Mirrored(player, 124, 125));
  media::Image enemies = arttest::LoadCells("Images/Enemies.png", 48, 48, 30);
  ASSERT_TRUE(enemies);
  for (int f : {0, 1, 6, 7}) EXPECT_TRUE(Mirrored(enemies, f, f + 2)) << f;
  EXPECT_TRUE(Mirrored(enemies, 15, 16));
  EXPECT_TRUE(Mirrored(enemies, 14, 17));
}

}  // namespace

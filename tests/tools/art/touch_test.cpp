// The player's walking frames reach the things the play rules find by touch: a stone or a
// door leaf is pushed only when the frame, shifted 12 pixels ahead, overlaps its pixels.
#include <gtest/gtest.h>

#include "tools/art/art_util.h"

namespace {

using arttest::LoadCells;

media::Image Player() {
  media::Image player = LoadCells("Images/Player.png", 48, 72, 130);
  if (player) media::SetImageHandle(player, 0, 24);
  return player;
}

// Walking frames (Action 0) of every tool state, facing left (dir 0) or right (dir 1).
std::vector<int> WalkFrames(int dir) {
  std::vector<int> frames;
  for (int state = 0; state < 7; ++state)
    for (int step = 0; step < 4; ++step) frames.push_back((state * 3 + dir) * 4 + step);
  return frames;
}

// A wall stops a body walking right with its right edge 0..2 pixels inside the wall's
// column, and one walking left with its left edge 1..3 pixels inside.
constexpr int kWallX = 240, kY = 240;

TEST(ArtTouch, WalkingRightAgainstAStoneTouchesIt) {
  media::Image player = Player();
  media::Image items = LoadCells("Images/Items.png", 48, 48, 64);
  ASSERT_TRUE(player && items);
  for (int f : WalkFrames(1))
    for (int inside = 0; inside <= 2; ++inside) {
      int x = kWallX - 47 + inside;
      EXPECT_TRUE(media::ImagesCollide(player, x + 12, kY, f, items, kWallX, kY, 63))
          << "frame " << f << ", " << inside << " px in";
    }
}

TEST(ArtTouch, WalkingLeftAgainstAStoneTouchesIt) {
  media::Image player = Player();
  media::Image items = LoadCells("Images/Items.png", 48, 48, 64);
  ASSERT_TRUE(player && items);
  for (int f : WalkFrames(0))
    for (int inside = 1; inside <= 3; ++inside) {
      int x = kWallX + 48 - inside;
      EXPECT_TRUE(media::ImagesCollide(player, x - 12, kY, f, items, kWallX, kY, 63))
          << "frame " << f << ", " << inside << " px in";
    }
}

TEST(ArtTouch, WalkingIntoADoorLeafTouchesIt) {
  media::Image player = Player();
  media::Image doors = LoadCells("Images/Doors.png", 48, 96, 30);
  ASSERT_TRUE(player && doors);
  const int doorX = 10, doorY = 5;
  for (int h = 3; h <= 5; ++h) {
    int py = (doorY + h - 3) * 24;  // standing on the floor under the door's column
    // Leaf in the left column (kinds 5 and 7): met walking right.
    for (int frame : {4 * h - 9, 4 * h + 3}) {
      int wall = doorX * 24;
      for (int f : WalkFrames(1))
        for (int inside = 0; inside <= 2; ++inside)
          EXPECT_TRUE(media::ImagesCollide(player, wall - 47 + inside + 12, py, f, doors,
                                           doorX * 24, doorY * 24, frame))
              << "door " << frame << " frame " << f << ", " << inside << " px in";
    }
    // Leaf in the right column (kinds 4 and 6): met walking left.
    for (int frame : {4 * h - 12, 4 * h}) {
      int wallEnd = (doorX + 2) * 24;
      for (int f : WalkFrames(0))
        for (int inside = 1; inside <= 3; ++inside)
          EXPECT_TRUE(media::ImagesCollide(player, wallEnd - inside - 12, py, f, doors, doorX * 24,
                                           doorY * 24, frame))
              << "door " << frame << " frame " << f << ", " << inside << " px in";
    }
  }
}

}  // namespace

namespace {

// Walking, climbing and jumping frames show the figure and its tool whole: nothing runs into
// the cell's outer columns or its top row, where it would be cut off.
TEST(ArtTouch, WalkingFramesKeepTheToolInsideTheCell) {
  media::Image player = LoadCells("Images/Player.png", 48, 72, 130);
  ASSERT_TRUE(player);
  std::vector<int> frames;
  for (int f = 0; f < 84; ++f) frames.push_back(f);
  frames.push_back(124);
  frames.push_back(125);
  for (int f : frames) {
    EXPECT_EQ(arttest::OpaqueCount(player, f, 0, 0, 1, 72), 0) << "frame " << f;
    EXPECT_EQ(arttest::OpaqueCount(player, f, 47, 0, 1, 72), 0) << "frame " << f;
    EXPECT_EQ(arttest::OpaqueCount(player, f, 0, 0, 48, 1), 0) << "frame " << f;
  }
}

}  // namespace

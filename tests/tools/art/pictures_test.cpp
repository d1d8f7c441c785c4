// The embedded pictures: each decodes into the cells the game cuts it into, and the frames whose
// pixels the rules read (collisions, the font's measured widths, what the screens cover) have
// their solid parts where the rules expect them.
#include <gtest/gtest.h>

#include <set>

#include "tools/art/art_util.h"

namespace {

using arttest::LoadCells;
using arttest::OpaqueCount;

struct Layout {
  const char* name;         // without the language folder
  int cellW, cellH, count;  // cellW 0: one picture
  int width, height;        // the whole picture, when the screens need it (else 0)
};

const Layout kLayouts[] = {
    {"Font.png", 16, 16, 95, 0, 0},      {"Flags.png", 0, 0, 1, 192, 48},
    {"fspointer.png", 0, 0, 1, 0, 0},    {"fsarrows.png", 0, 0, 1, 0, 0},
    {"Back.png", 192, 96, 12, 0, 0},     {"optAlpha.png", 16, 16, 59, 0, 0},
    {"optAlpha2.png", 16, 16, 59, 0, 0}, {"Items.png", 48, 48, 64, 0, 0},
    {"BigLogo.png", 0, 0, 1, 300, 300},  {"Options1.png", 0, 0, 1, 295, 264},
    {"Options2.png", 295, 44, 6, 0, 0},  {"ScoreBar.png", 0, 0, 1, 768, 24},
    {"F1.png", 0, 0, 1, 0, 0},           {"F1-Edit.png", 0, 0, 1, 0, 0},
    {"Editor.png", 0, 0, 1, 159, 600},   {"Editor2.png", 0, 0, 1, 641, 110},
    {"quit.png", 0, 0, 1, 155, 139},     {"buttons.png", 75, 75, 3, 0, 0},
    {"map.png", 32, 32, 36, 0, 0},       {"map2.png", 64, 64, 2, 0, 0},
    {"Player.png", 48, 72, 130, 0, 0},   {"Bricks.png", 48, 24, 21, 0, 0},
    {"Enemies.png", 48, 48, 30, 0, 0},   {"HDigBlock.png", 24, 48, 36, 0, 0},
    {"VDigBlock.png", 48, 24, 18, 0, 0}, {"XDoor.png", 96, 96, 32, 0, 0},
    {"Doors.png", 48, 96, 30, 0, 0},     {"Status.png", 96, 96, 24, 0, 0},
    {"Arrow.png", 32, 32, 10, 0, 0},     {"Title.png", 0, 0, 1, 800, 600},
};

int Be32(const std::vector<unsigned char>& b, int at) {
  return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

TEST(ArtPictures, EveryPictureDecodesWithItsCells) {
  const auto names = arttest::PictureNames();
  ASSERT_EQ(names.size(), 45u);
  for (const std::string& name : names) {
    const auto bytes = arttest::BlobBytes(name);
    ASSERT_GT(bytes.size(), 26u) << name << " is missing from the program";
    // RGB with 8 bits a channel and no alpha: magenta is the transparent colour.
    EXPECT_EQ(bytes[24] * 10 + bytes[25], 82) << name;
    const std::string base = name.substr(name.rfind('/') + 1);
    const Layout* l = nullptr;
    for (const Layout& k : kLayouts) l = base == k.name ? &k : l;
    ASSERT_NE(l, nullptr) << name << " has no known layout";
    const int w = Be32(bytes, 16), h = Be32(bytes, 20);
    EXPECT_TRUE(!l->width || (w == l->width && h == l->height)) << name;
    EXPECT_TRUE(base != "F1.png" || (w <= 518 && h <= 450)) << name;  // seen whole in play
    EXPECT_TRUE(base != "F1-Edit.png" || (w <= 391 && h <= 340)) << name;
    if (!l->cellW) continue;
    const media::Image image = LoadCells(name, l->cellW, l->cellH, l->count);
    ASSERT_TRUE(image) << name << " does not hold " << l->count << " cells";
    EXPECT_EQ(w % l->cellW, 0) << name << ": cells must fill the rows";
  }
}

// Opaque pixels in a box of some frames of a picture, between min and max.
struct Region {
  const char* name;
  int cellW, cellH, count;
  std::vector<int> frames;
  int x, y, w, h, min, max;
  const char* why;
};

std::vector<int> Frames(int first, int last, int step = 1) {
  std::vector<int> v;
  for (int f = first; f <= last; f += step) v.push_back(f);
  return v;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ArtPictures, SolidPartsWhereTheRulesReadThem) {
  const int kAny = 1 << 30;
  const std::vector<int> solidBricks = Join(Frames(0, 15, 3), Frames(1, 16, 3));
  const std::vector<int> standing = {0, 5, 7, 12, 17, 36, 41, 72, 77};
  const Region regions[] = {
      {"Player.png", 48, 72, 130, Frames(0, 129), 0, 24, 48, 48, 151, kAny, "body in its box"},
      {"Player.png", 48, 72, 130, Join(Frames(0, 123), Frames(126, 129)), 0, 66, 48, 6, 5, kAny,
       "feet on the floor line"},
      {"Player.png", 48, 72, 130, standing, 14, 28, 20, 44, 301, kAny, "standing: a solid column"},
      {"Player.png", 48, 72, 130, Frames(0, 129), 0, 0, 1, 72, 0, 0, "whole inside: left column"},
      {"Player.png", 48, 72, 130, Frames(0, 129), 47, 0, 1, 72, 0, 0, "whole inside: right"},
      {"Player.png", 48, 72, 130, Frames(0, 129), 0, 0, 48, 1, 0, 0, "whole inside: top row"},
      {"Items.png", 48, 48, 64, Frames(0, 61), 0, 0, 48, 48, 101, kAny, "solid items"},
      {"Items.png", 48, 48, 64, {0}, 0, 20, 48, 8, 21, kAny, "pick-up shape across"},
      {"Items.png", 48, 48, 64, {0}, 20, 0, 8, 48, 21, kAny, "pick-up shape down"},
      {"Items.png", 48, 48, 64, {62}, 0, 0, 1, 1, 1, 1, "the pointer's tip"},
      {"Items.png", 48, 48, 64, {62}, 47, 47, 1, 1, 0, 0, "the pointer's far corner"},
      {"Items.png", 48, 48, 64, {63}, 0, 0, 48, 48, 2304, 2304, "the stone fills its cell"},
      {"XDoor.png", 96, 96, 32, {0}, 22, 48, 52, 48, 2496, 2496, "the open doorway"},
      {"XDoor.png", 96, 96, 32, Frames(1, 30), 0, 0, 96, 96, 6001, kAny, "door frames"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 0, 96, 20, 0, 0, "crumbling floor: nothing above"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 24, 96, 24, 2074, kAny, "crumbling floor rows"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 52, 96, 44, 0, 0, "crumbling floor: nothing below"},
      {"Doors.png", 48, 96, 30, Frames(24, 29), 0, 0, 48, 96, 2881, kAny, "door pieces"},
      {"Enemies.png", 48, 48, 30, Frames(0, 29), 0, 0, 48, 48, 201, kAny, "enemy bodies"},
      {"Status.png", 96, 96, 24, Frames(0, 23), 0, 0, 96, 96, 2501, kAny, "statue bodies"},
      {"Status.png", 96, 96, 24, Frames(0, 23), 21, 15, 60, 58, 501, 2879, "the glow shows"},
      {"Bricks.png", 48, 24, 21, solidBricks, 0, 0, 24, 24, 576, 576, "block left half"},
      {"Bricks.png", 48, 24, 21, solidBricks, 24, 0, 24, 24, 0, 0, "block right half clear"},
      {"Bricks.png", 48, 24, 21, Frames(2, 17, 3), 0, 0, 24, 24, 61, kAny, "ladders left"},
      {"Bricks.png", 48, 24, 21, Frames(2, 17, 3), 24, 0, 24, 24, 61, kAny, "ladders right"},
      {"Bricks.png", 48, 24, 21, {18}, 0, 0, 48, 24, 61, kAny, "bar"},
      {"Bricks.png", 48, 24, 21, {19}, 0, 0, 24, 24, 61, kAny, "floor"},
      {"map.png", 32, 32, 36, Join(Frames(0, 15, 3), Frames(1, 16, 3)), 0, 0, 16, 16, 256, 256,
       "map blocks fill their cell"},
      {"map.png", 32, 32, 36, Join(Frames(0, 15, 3), Frames(1, 16, 3)), 0, 0, 32, 32, 256, 256,
       "map blocks keep to their cell"},
      {"map.png", 32, 32, 36, Frames(2, 17, 3), 0, 16, 32, 16, 0, 0, "map ladders: low half"},
      {"map.png", 32, 32, 36, Frames(2, 17, 3), 0, 0, 32, 16, 41, kAny, "map ladders"},
      {"map.png", 32, 32, 36, Frames(18, 35), 0, 0, 32, 32, 31, kAny, "map icons"},
      {"map2.png", 64, 64, 2, {1}, 0, 0, 64, 14, 0, 0, "map marker: top clear"},
      {"map2.png", 64, 64, 2, {1}, 0, 16, 64, 16, 820, kAny, "map marker"},
      {"buttons.png", 75, 75, 3, {2}, 21, 51, 34, 16, 0, 0, "finished mark: number clear"},
      {"buttons.png", 75, 75, 3, {2}, 0, 0, 75, 75, 101, kAny, "finished mark"},
      {"buttons.png", 75, 75, 3, {1}, 2, 2, 71, 71, 5041, 5041, "button face"},
      {"Back.png", 192, 96, 12, Frames(0, 11), 0, 0, 192, 96, 17511, 18431,
       "backdrops: opaque but for small glints"},
      {"Font.png", 16, 16, 95, {0}, 0, 0, 16, 16, 0, 0, "the space"},
      {"Font.png", 16, 16, 95, Frames(1, 94), 0, 0, 1, 16, 0, 0, "a letter's own gap"},
      {"optAlpha.png", 16, 16, 59, Frames(1, 58), 0, 0, 16, 16, 5, kAny, "menu font glyphs"},
      {"optAlpha2.png", 16, 16, 59, Frames(1, 58), 0, 0, 16, 16, 5, kAny, "menu font glyphs"},
      {"optAlpha.png", 16, 16, 59, {0}, 0, 0, 16, 16, 0, 0, "menu font space"},
      {"optAlpha2.png", 16, 16, 59, {0}, 0, 0, 16, 16, 0, 0, "menu font space"},
  };
  for (const Region& r : regions) {
    const media::Image image =
        LoadCells(std::string("Images/") + r.name, r.cellW, r.cellH, r.count);
    ASSERT_TRUE(image) << r.name;
    for (int f : r.frames) {
      const int n = OpaqueCount(image, f, r.x, r.y, r.w, r.h);
      EXPECT_TRUE(n >= r.min && n <= r.max)
          << r.name << " frame " << f << ": " << r.why << " (" << n << ")";
    }
  }
  // The title menu's last entry ends above the credits strip (screen y 584, picture row 257).
  for (const char* dir : {"Images/", "Images/fr/", "Images/gr/", "Images/it/"}) {
    const media::Image menu = LoadCells(std::string(dir) + "Options1.png", 295, 264, 1);
    EXPECT_EQ(OpaqueCount(menu, 0, 0, 257, 295, 7), 0) << dir;
    EXPECT_GT(OpaqueCount(menu, 0, 0, 223, 295, 30), 295 * 20) << dir;
  }
}

// Standing on an item touches it, and a frame shifted 12 pixels ahead touches a stone or a door
// leaf it walks against: a wall stops a body walking right 0..2 pixels inside, one walking
// left 1..3 pixels inside.
TEST(ArtPictures, PlayerPosesTouch) {
  const media::Image player = LoadCells("Images/Player.png", 48, 72, 130);
  const media::Image items = LoadCells("Images/Items.png", 48, 48, 64);
  const media::Image doors = LoadCells("Images/Doors.png", 48, 96, 30);
  ASSERT_TRUE(player && items && doors);
  media::SetImageHandle(player, 0, 24);
  for (int f : {0, 5, 8, 44, 76, 124}) {
    EXPECT_TRUE(media::ImagesCollide(player, 228, 240, f, items, 240, 240, 0)) << f;
    EXPECT_FALSE(media::ImagesCollide(player, 168, 240, f, items, 240, 240, 0)) << f;
  }
  for (int dir = 0; dir < 2; ++dir)
    for (int state = 0; state < 7; ++state)
      for (int step = 0; step < 4; ++step)
        for (int inside = dir; inside <= 2 + dir; ++inside) {
          const int f = (state * 3 + dir) * 4 + step;
          // dir 1 walks right into a wall at x 240, dir 0 walks left into one ending at 288.
          const int x = dir ? 240 - 47 + inside + 12 : 288 - inside - 12;
          EXPECT_TRUE(media::ImagesCollide(player, x, 240, f, items, 240, 240, 63)) << f;
          for (int h = 3; h <= 5; ++h) {
            const int py = (5 + h - 3) * 24;
            for (int door :
                 dir ? std::vector<int>{4 * h - 9, 4 * h + 3} : std::vector<int>{4 * h - 12, 4 * h})
              EXPECT_TRUE(media::ImagesCollide(player, x, py, f, doors, 240, 120, door))
                  << "door " << door << " frame " << f;
          }
        }
}

}  // namespace

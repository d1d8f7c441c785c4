// The embedded pictures: each decodes into the cells the game cuts it into, and the frames whose
// pixels the rules read (collisions, the font's measured widths, what the screens cover) have
// their solid parts where the rules expect them; every letter of the three fonts is ringed by
// pixels that contrast with its fill, so text reads over any picture below it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
  const Region regions[] = {
      {"Player.png", 48, 72, 130, Frames(0, 129), 0, 0, 1, 72, 0, 0, "whole inside: left column"},
      {"Player.png", 48, 72, 130, Frames(0, 129), 47, 0, 1, 72, 0, 0, "whole inside: right"},
      {"Player.png", 48, 72, 130, Frames(0, 129), 0, 0, 48, 1, 0, 0, "whole inside: top row"},
      {"Items.png", 48, 48, 64, {62}, 0, 0, 1, 1, 1, 1, "the pointer's tip"},
      {"Items.png", 48, 48, 64, {62}, 47, 47, 1, 1, 0, 0, "the pointer's far corner"},
      {"Items.png", 48, 48, 64, {63}, 0, 0, 48, 48, 2304, 2304, "the stone fills its cell"},
      {"XDoor.png", 96, 96, 32, {0}, 22, 48, 52, 48, 2496, 2496, "the open doorway"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 0, 96, 20, 0, 0, "crumbling floor: nothing above"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 24, 96, 24, 2074, kAny, "crumbling floor rows"},
      {"XDoor.png", 96, 96, 32, {31}, 0, 52, 96, 44, 0, 0, "crumbling floor: nothing below"},
      {"Status.png", 96, 96, 24, Frames(0, 23), 21, 15, 60, 58, 501, 2879, "the glow shows"},
      {"Bricks.png", 48, 24, 21, solidBricks, 0, 0, 24, 24, 576, 576, "block left half"},
      {"Bricks.png", 48, 24, 21, solidBricks, 24, 0, 24, 24, 0, 0, "block right half clear"},
      {"map.png", 32, 32, 36, solidBricks, 0, 0, 16, 16, 256, 256, "map blocks fill their cell"},
      {"map.png", 32, 32, 36, solidBricks, 0, 0, 32, 32, 256, 256, "map blocks keep to it"},
      {"map.png", 32, 32, 36, Frames(2, 17, 3), 0, 16, 32, 16, 0, 0, "map ladders: low half"},
      {"map.png", 32, 32, 36, Frames(2, 17, 3), 0, 0, 32, 16, 41, kAny, "map ladders"},
      {"map.png", 32, 32, 36, Frames(18, 35), 0, 0, 32, 32, 31, kAny, "map icons"},
      {"map2.png", 64, 64, 2, {1}, 0, 0, 64, 14, 0, 0, "map marker: top clear"},
      {"map2.png", 64, 64, 2, {1}, 0, 16, 64, 16, 820, kAny, "map marker"},
      {"buttons.png", 75, 75, 3, {2}, 21, 51, 34, 16, 0, 0, "finished mark: number clear"},
      {"buttons.png", 75, 75, 3, {2}, 0, 0, 75, 75, 101, kAny, "finished mark"},
      {"buttons.png", 75, 75, 3, {1}, 2, 2, 71, 71, 5041, 5041, "button face"},
      {"Back.png", 192, 96, 12, Frames(0, 11), 0, 0, 192, 96, 17511, 18431, "backdrops: opaque"},
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

double Luminance(media::Pixel p) {
  auto lin = [](unsigned v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin((p >> 16) & 255) + 0.7152 * lin((p >> 8) & 255) + 0.0722 * lin(p & 255);
}

double Contrast(media::Pixel a, media::Pixel b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between a glyph's fill and the pixels around it. The ring colours are
// those of the pixels that touch transparency; every other opaque pixel is fill. A fill pixel
// next to a transparent one gives 1 (the picture below shows right beside it), next to a ring
// pixel the two colours' contrast. -1 when the glyph has no fill at all.
double LowestRingContrast(const media::Image& font, int glyph) {
  media::Pixmap p = media::LockImage(font, glyph, true, false);
  auto at = [&p](int x, int y) -> media::Pixel {
    return (x < 0 || y < 0 || x > 15 || y > 15) ? 0 : media::ReadPixel(p, x, y);
  };
  auto clear = [&at](int x, int y) { return (at(x, y) >> 24) == 0; };
  std::set<media::Pixel> ring;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      for (int d = 0; d < 9 && !clear(x, y); ++d)
        if (clear(x + d % 3 - 1, y + d / 3 - 1)) ring.insert(at(x, y));
  double lowest = -1;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (clear(x, y) || ring.count(at(x, y))) continue;
      for (int d = 0; d < 9; ++d) {
        const media::Pixel n = at(x + d % 3 - 1, y + d / 3 - 1);
        double c = (n >> 24) == 0 ? 1.0 : ring.count(n) ? Contrast(at(x, y), n) : 99.0;
        lowest = lowest < 0 ? c : std::min(lowest, c);
      }
    }
  media::UnlockImage(font, glyph);
  return lowest;
}

TEST(ArtReadable, EveryLetterIsRingedByPixelsThatContrastWithItsFill) {
  struct Font {
    const char* name;
    int glyphs;
  };
  for (const Font& f : {Font{"Images/Font.png", 95}, Font{"Images/optAlpha.png", 59},
                        Font{"Images/optAlpha2.png", 59}}) {
    media::Image font = arttest::LoadCells(f.name, 16, 16, f.glyphs);
    ASSERT_TRUE(font) << f.name;
    for (int k = 1; k < f.glyphs; ++k) {
      const char c = static_cast<char>(32 + k);
      if (f.glyphs == 59 && (c == '#' || c == '$' || c == '&')) continue;  // arrows, ornament
      EXPECT_GE(LowestRingContrast(font, k), 4.5) << f.name << " character " << c;
    }
  }
}

}  // namespace

// Every embedded picture decodes with the size and the cells the game cuts it into.
#include <gtest/gtest.h>

#include <set>

#include "tools/art/art_util.h"

namespace {

struct Layout {
  const char* name;         // without the language folder
  int cellW, cellH, count;  // cellW 0: a single picture of cellH... see width/height
  int width, height;        // the whole picture when fixed (0 when any layout serves)
};

// Cell sizes and counts as the program loads them; fixed total sizes where the screens need them.
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

const Layout* LayoutOf(const std::string& registered) {
  std::string base = registered.substr(registered.rfind('/') + 1);
  for (const Layout& l : kLayouts)
    if (base == l.name) return &l;
  return nullptr;
}

int PngWidth(const std::vector<unsigned char>& b) {
  return b.size() < 24 ? 0 : (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19];
}
int PngHeight(const std::vector<unsigned char>& b) {
  return b.size() < 24 ? 0 : (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23];
}

TEST(ArtPictures, AllFortyFivePicturesAreEmbedded) {
  auto names = arttest::PictureNames();
  ASSERT_EQ(names.size(), 45u);
  for (const std::string& name : names) {
    auto bytes = arttest::BlobBytes(name);
    ASSERT_GT(bytes.size(), 8u) << name << " is missing from the program";
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature, signature + 8, bytes.begin())) << name;
    EXPECT_NE(LayoutOf(name), nullptr) << name << " has no known layout";
  }
}

TEST(ArtPictures, EveryPictureDecodesWithItsCells) {
  for (const std::string& name : arttest::PictureNames()) {
    const Layout* l = LayoutOf(name);
    ASSERT_NE(l, nullptr) << name;
    auto bytes = arttest::BlobBytes(name);
    if (l->width) {
      EXPECT_EQ(PngWidth(bytes), l->width) << name;
      EXPECT_EQ(PngHeight(bytes), l->height) << name;
    }
    media::Image image;
    if (l->cellW) {
      image = arttest::LoadCells(name, l->cellW, l->cellH, l->count);
      ASSERT_TRUE(image) << name << " does not hold " << l->count << " cells";
      EXPECT_EQ(media::ImageWidth(image), l->cellW) << name;
      EXPECT_EQ(media::ImageHeight(image), l->cellH) << name;
      EXPECT_EQ(media::ImageFrames(image), l->count) << name;
      EXPECT_EQ(PngWidth(bytes) % l->cellW, 0) << name << ": cells must fill the rows";
    } else {
      arttest::RegisterBuiltins();
      image = media::LoadImage("incbin::" + name);
      ASSERT_TRUE(image) << name;
      EXPECT_GT(media::ImageWidth(image), 0) << name;
    }
  }
}

TEST(ArtPictures, HelpPicturesStayWhereTheyAreSeen) {
  for (const std::string& name : arttest::PictureNames()) {
    auto bytes = arttest::BlobBytes(name);
    if (name.find("F1.png") != std::string::npos) {
      EXPECT_LE(PngWidth(bytes), 518) << name;
      EXPECT_LE(PngHeight(bytes), 450) << name;
    }
    if (name.find("F1-Edit.png") != std::string::npos) {
      EXPECT_LE(PngWidth(bytes), 391) << name;
      EXPECT_LE(PngHeight(bytes), 340) << name;
    }
  }
}

// The pictures carry no alpha channel: magenta is their transparent colour, which the loader
// masks. (Colour type 2 = RGB, in the IHDR chunk.)
TEST(ArtPictures, MaskedPicturesHaveNoAlphaChannel) {
  for (const std::string& name : arttest::PictureNames()) {
    auto bytes = arttest::BlobBytes(name);
    ASSERT_GT(bytes.size(), 26u) << name;
    EXPECT_EQ(bytes[24], 8) << name << ": 8 bits per channel";
    EXPECT_EQ(bytes[25], 2) << name << ": RGB without alpha";
  }
}

TEST(ArtPictures, WordPicturesDifferPerLanguage) {
  for (const char* base :
       {"Options1.png", "Options2.png", "ScoreBar.png", "F1.png", "F1-Edit.png"}) {
    std::set<std::vector<unsigned char>> seen;
    for (const char* dir : {"Images/", "Images/fr/", "Images/gr/", "Images/it/"}) {
      auto bytes = arttest::BlobBytes(std::string(dir) + base);
      ASSERT_FALSE(bytes.empty()) << dir << base;
      seen.insert(bytes);
    }
    // ScoreBar says SCORE in English and French alike; the others all differ.
    EXPECT_GE(seen.size(), std::string(base) == "ScoreBar.png" ? 3u : 4u) << base;
  }
}

TEST(ArtPictures, BackdropsAreOpaqueButForSmallGlints) {
  media::Image back = arttest::LoadCells("Images/Back.png", 192, 96, 12);
  ASSERT_TRUE(back);
  for (int f = 0; f < 12; ++f) {
    int opaque = arttest::OpaqueCount(back, f, 0, 0, 192, 96);
    EXPECT_GT(opaque, 192 * 96 * 95 / 100) << "backdrop " << f;
    EXPECT_LT(opaque, 192 * 96) << "backdrop " << f << " lets no pulsing light through";
  }
}

}  // namespace

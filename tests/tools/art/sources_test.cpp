// The generator's text sources: what they accept and what they report.
#include "tools/artgen/sources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "tools/art/art_util.h"
#include "tools/artgen/fonts.h"
#include "tools/artgen/png_write.h"

namespace fs = std::filesystem;

namespace {

fs::path Folder(const std::string& tag) {
  fs::path dir =
      fs::temp_directory_path() / ("quill_artsrc_" + tag + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sprites");
  return dir;
}

void Write(const fs::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

const std::string kArt = std::string(QUILL_SOURCE_DIR) + "/assets/art";

TEST(ArtSources, TheShippedSourcesLoadCleanly) {
  artgen::Sources src;
  EXPECT_TRUE(src.Load(kArt));
  EXPECT_EQ(src.Errors(), 0);
  // Every printable character has a glyph; every pose row is complete.
  for (int c = 33; c <= 126; ++c) EXPECT_GT(src.GlyphOf(static_cast<char>(c)).width, 0) << c;
  for (const char* pose :
       {"walk0", "walk3", "hold2", "drill1", "hammer3", "pick2", "scoop0", "jump", "die3"})
    EXPECT_EQ(src.Numbers(pose).size(), 11u) << pose;
  EXPECT_TRUE(src.HasSprite("carve_ankh"));
}

TEST(ArtSources, PaletteColoursAreDistinctAndNeverMagenta) {
  std::ifstream in(kArt + "/palette.txt");
  std::string line;
  std::set<std::string> keys, colours;
  int entries = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::string key = line.substr(0, 1), hex = line.substr(2, 6);
    EXPECT_TRUE(keys.insert(key).second) << "key used twice: " << key;
    EXPECT_TRUE(colours.insert(hex).second) << "colour listed twice: " << hex;
    EXPECT_NE(hex, "FF00FF");
    ++entries;
  }
  EXPECT_GE(entries, 32);
}

TEST(ArtSources, MistakesAreCountedNotFatal) {
  fs::path dir = Folder("bad");
  Write(dir / "palette.txt", "a 102030 one\nb 10203 short\nc FF00FF magenta\nd 405060 two\n");
  Write(dir / "font.txt", "= A\n#.#\n#x#\n");
  Write(dir / "poses.txt", "good 1 2 3 4 5 6 7 8 9 10 11\nbad 1 two 3\nshort 1 2 3\n");
  Write(dir / "words.txt", "[en]\nhello = Hello\nno equals sign\n[fr]\nhello = Bonjour\n");
  Write(dir / "sprites" / "s.txt", "sprite ok\nad\nda\n\nsprite broken\na?\n");
  artgen::Sources src;
  EXPECT_FALSE(src.Load(dir.string()));
  EXPECT_EQ(src.Errors(), 7 + 94 - 1);  // seven mistakes, and every glyph but 'A' missing
  EXPECT_EQ(src.C("one"), 0x102030u);
  EXPECT_EQ(src.C("two"), 0x405060u);
  EXPECT_EQ(src.Sprite("ok").Get(1, 0), 0x405060u);
  EXPECT_EQ(src.Sprite("broken").Get(1, 0), artgen::kClear);
  EXPECT_EQ(src.Sprite("unknown").Width(), 1);
  EXPECT_EQ(src.GlyphOf('A').rows.size(), 1u);
  EXPECT_EQ(src.Numbers("good").size(), 11u);
  EXPECT_TRUE(src.Numbers("bad").empty());
  EXPECT_TRUE(src.Numbers("short").empty());
  EXPECT_TRUE(src.Numbers("missing").empty());
  EXPECT_EQ(src.Word("fr", "hello"), "Bonjour");
  EXPECT_EQ(src.Word("it", "hello"), "Hello");  // falls back to English
  int before = src.Errors();
  EXPECT_EQ(src.Word("en", "nothing"), "nothing");
  EXPECT_EQ(src.Errors(), before + 1);  // a lookup of what is not there counts too
  fs::remove_all(dir);
}

TEST(ArtSources, OverlongGlyphsAreCut) {
  fs::path dir = Folder("tall");
  Write(dir / "palette.txt", "a 102030 one\n");
  std::string tall = "= I\n";
  for (int i = 0; i < 12; ++i) tall += "#\n";
  Write(dir / "font.txt", tall);
  Write(dir / "poses.txt", "");
  Write(dir / "words.txt", "");
  artgen::Sources src;
  EXPECT_FALSE(src.Load(dir.string()));
  EXPECT_EQ(src.GlyphOf('I').rows.size(), 9u);
  fs::remove_all(dir);
}

// The generator lays out help lines with its own measure of the proportional font: it must
// agree with the one start-up takes from the embedded picture.
TEST(ArtSources, GeneratorMeasuresGlyphsLikeStartUp) {
  artgen::Sources src;
  ASSERT_TRUE(src.Load(kArt));
  artgen::Canvas font = artgen::BuildPropFont(src);
  media::Image embedded = arttest::LoadCells("Images/Font.png", 16, 16, 95);
  ASSERT_TRUE(embedded);
  EXPECT_EQ(artgen::PropGlyphWidth(font, ' '), 5);
  for (int k = 1; k <= 94; ++k)
    EXPECT_EQ(artgen::PropGlyphWidth(font, static_cast<char>(32 + k)),
              arttest::MeasuredWidth(embedded, k))
        << static_cast<char>(32 + k);
  EXPECT_EQ(artgen::PropTextWidth(font, "AB"), 2 * artgen::PropGlyphWidth(font, 'A'));
}

TEST(ArtSources, PngFilesRoundTripThroughTheLoader) {
  fs::path dir = Folder("png");
  artgen::Canvas c(5, 3);
  c.Put(0, 0, 0x102030);
  c.Put(4, 2, 0xFFFFFF);
  ASSERT_TRUE(artgen::WritePng((dir / "sub" / "p.png").string(), c));
  EXPECT_FALSE(fs::exists(dir / "sub" / "p.png.tmp"));
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage((dir / "sub" / "p.png").string());
  ASSERT_TRUE(image);
  EXPECT_EQ(media::ImageWidth(image), 5);
  EXPECT_EQ(media::ImageHeight(image), 3);
  EXPECT_TRUE(arttest::Opaque(image, 0, 0, 0));
  EXPECT_TRUE(arttest::Opaque(image, 0, 4, 2));
  EXPECT_EQ(arttest::OpaqueCount(image, 0, 0, 0, 5, 3), 2);
  // A folder in the way of the file: a clear failure, nothing left behind.
  fs::create_directories(dir / "blocked.png");
  EXPECT_FALSE(artgen::WritePng((dir / "blocked.png").string(), c));
  EXPECT_FALSE(fs::exists(dir / "blocked.png.tmp"));
  fs::remove_all(dir);
}

// The help lines must stay inside the card's frame in every language.
TEST(ArtSources, HelpTextStaysInsideTheFrame) {
  for (const char* base : {"F1.png", "F1-Edit.png"}) {
    int w = 0, h = 0;
    std::vector<media::Image> cards;
    for (const char* dir : {"Images/", "Images/fr/", "Images/gr/", "Images/it/"}) {
      arttest::RegisterBuiltins();
      media::Image card = media::LoadImage(std::string("incbin::") + dir + base);
      ASSERT_TRUE(card) << dir << base;
      w = media::ImageWidth(card);
      h = media::ImageHeight(card);
      cards.push_back(card);
    }
    for (auto& card : cards) {
      media::Pixmap a = media::LockImage(cards[0], 0, true, false);
      media::Pixmap b = media::LockImage(card, 0, true, false);
      for (int y = 0; y < h; ++y)
        for (int x = w - 6; x < w; ++x)
          ASSERT_EQ(media::ReadPixel(a, x, y), media::ReadPixel(b, x, y))
              << base << " " << x << "," << y;
      media::UnlockImage(cards[0]);
      media::UnlockImage(card);
    }
  }
}

}  // namespace

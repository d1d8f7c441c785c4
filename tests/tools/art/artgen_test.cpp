// The picture generator: its drawing primitives, its text sources, and the program, which gives
// the same bytes from the same sources, writes exactly the pictures the game embeds, and turns
// broken sources into an error instead of pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "tools/art/art_util.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/fonts.h"
#include "tools/artgen/png_write.h"
#include "tools/artgen/sources.h"

namespace fs = std::filesystem;
using artgen::Canvas;
using artgen::kClear;

namespace {

const fs::path kArt = fs::path(QUILL_SOURCE_DIR) / "assets/art";

fs::path TempDir(const std::string& tag) {
  fs::path dir = fs::temp_directory_path() / ("quill_art_" + tag + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sprites");
  return dir;
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> Written(const fs::path& root) {
  std::set<std::string> names;
  for (auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) names.insert(fs::relative(e.path(), root).generic_string());
  return names;
}

int Artgen(const std::string& args) {
  const int rc = std::system((std::string(ARTGEN_PATH) + " " + args + " 2>/dev/null").c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : 128;  // 128: it crashed
}

int Count(const Canvas& c) {
  int n = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) n += c.Opaque(x, y);
  return n;
}

TEST(ArtCanvas, Primitives) {
  // A mixed or shaded colour never comes out as the transparent magenta.
  EXPECT_NE(artgen::Mix(0xFE00FE, 0xFF00FF, 1, 1), kClear);
  EXPECT_NE(artgen::Shade(0xFF00FF, 100), kClear);
  EXPECT_EQ(artgen::Mix(0x000000, 0xFFFFFF, 1, 2), 0x7F7F7Fu);
  EXPECT_EQ(artgen::Shade(0xF0F020, 50), 0x787810u);
  EXPECT_EQ(artgen::Shade(0xF0F0F0, 200), 0xFFFFFFu);  // clamped
  Canvas c(8, 8);
  c.Fill(-5, -5, 100, 100, 0x112233);  // clipped
  c.Put(8, 0, 0x445566);
  EXPECT_EQ(Count(c), 64);
  EXPECT_EQ(c.Get(8, 0), kClear);
  Canvas e(20, 12);
  e.Ellipse(0, 0, 20, 12, 0xABCDEF);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(e.Opaque(x, y), e.Opaque(19 - x, y) && e.Opaque(x, 11 - y)) << x << "," << y;
  EXPECT_EQ(e.Opaque(10, 0) + e.Opaque(0, 6) + e.Opaque(0, 0), 2);  // touches its box's edges
  Canvas p(20, 20);
  p.Poly({{2, 2}, {17, 2}, {17, 17}, {2, 17}}, 0x123456);
  EXPECT_EQ(Count(p), 15 * 15);        // pixel centres 2.5 .. 16.5
  p.Poly({{1, 1}, {2, 2}}, 0x123456);  // not a polygon: nothing
  EXPECT_EQ(Count(p), 15 * 15);
  Canvas o(9, 9);
  o.Fill(3, 3, 3, 3, 0x00FF00);
  o.Outline(0, 0, 9, 9, 0x000001);
  EXPECT_EQ(o.Get(2, 4), 0x000001u);
  EXPECT_EQ(o.Get(2, 2), kClear);  // diagonal neighbours stay clear
  EXPECT_EQ(Count(o), 9 + 12);
  Canvas edge(9, 3);
  edge.Fill(0, 0, 3, 3, 0x00FF00);
  edge.Outline(3, 0, 6, 3, 0x000001);  // neighbours left of the box do not count
  EXPECT_EQ(Count(edge), 9);
  edge.Fill(3, 0, 1, 3, 0x00FF00);
  edge.Outline(3, 0, 6, 3, 0x000001);  // those in its first column do
  EXPECT_EQ(Count(edge), 15);
  Canvas src(3, 1), dst(3, 1, 0x777777);
  src.Put(0, 0, 0x0000AA);
  dst.Blit(src, 0, 0, true);  // mirrored, clear pixels skipped
  EXPECT_EQ(dst.Get(2, 0), 0x0000AAu);
  EXPECT_EQ(dst.Get(0, 0), 0x777777u);
  Canvas s(4, 2);
  s.Fill(0, 0, 2, 1, 0x010203);
  Canvas big = s.Scaled(8, 8);
  EXPECT_EQ(Count(big), 16);
  EXPECT_FALSE(big.Opaque(0, 4));
  EXPECT_EQ(Count(big.Crop(2, 2, 4, 4)), 4);
  Canvas lit(7, 7);
  lit.Fill(1, 1, 5, 5, 0x808080);
  artgen::ShadeEdges(lit, 0, 0, 7, 7);
  EXPECT_EQ(Count(lit), 25);
  EXPECT_GT(lit.Get(2, 1) & 0xFF, 0x80u);  // lit from the upper left
  EXPECT_LT(lit.Get(5, 3) & 0xFF, 0x80u);  // shaded on the lower right
  EXPECT_EQ(lit.Get(3, 3), 0x808080u);
}

TEST(ArtSources, ShippedSourcesLoadAndMistakesAreCounted) {
  artgen::Sources shipped;
  EXPECT_TRUE(shipped.Load(kArt.string()));
  EXPECT_EQ(shipped.Errors(), 0);
  EXPECT_EQ(shipped.Numbers("die3").size(), 11u);
  const fs::path dir = TempDir("src");
  std::ofstream(dir / "palette.txt")
      << "a 102030 one\nb 10203 short\nc FF00FF magenta\nd 405060 two\n";
  std::string font = "= A\n#.#\n#x#\n= I\n";
  for (int i = 0; i < 11; ++i) font += "#\n";  // two rows past a glyph's nine
  std::ofstream(dir / "font.txt") << font;
  std::ofstream(dir / "poses.txt") << "good 1 2 3 4 5 6 7 8 9 10 11\nbad 1 two 3\nshort 1 2 3\n";
  std::ofstream(dir / "words.txt")
      << "[en]\nhello = Hello\nno equals sign\n[fr]\nhello = Bonjour\n";
  std::ofstream(dir / "sprites" / "s.txt") << "sprite ok\nad\nda\n\nsprite broken\na?\n";
  artgen::Sources src;
  EXPECT_FALSE(src.Load(dir.string()));
  // Seven mistakes, two rows past a glyph's nine, and every glyph but 'A' and 'I' missing.
  EXPECT_EQ(src.Errors(), 7 + 2 + 94 - 2);
  EXPECT_EQ(src.C("one"), 0x102030u);
  EXPECT_EQ(src.C("two"), 0x405060u);
  const int refused = src.Errors();
  src.C("magenta");  // never entered: looking it up counts as a mistake
  EXPECT_EQ(src.Errors(), refused + 1);
  EXPECT_EQ(src.Sprite("ok").Get(1, 0), 0x405060u);
  EXPECT_EQ(src.Sprite("broken").Get(1, 0), kClear);
  EXPECT_EQ(src.GlyphOf('A').rows.size(), 1u);
  EXPECT_EQ(src.GlyphOf('I').rows.size(), 9u);
  EXPECT_EQ(src.Numbers("good").size(), 11u);
  EXPECT_TRUE(src.Numbers("bad").empty() && src.Numbers("short").empty());
  EXPECT_EQ(src.Word("fr", "hello"), "Bonjour");
  EXPECT_EQ(src.Word("it", "hello"), "Hello");  // falls back to English
  const int before = src.Errors();
  EXPECT_EQ(src.Word("en", "nothing"), "nothing");
  EXPECT_EQ(src.Sprite("nothing").Get(0, 0), kClear);
  EXPECT_EQ(src.Errors(), before + 2);  // a lookup of what is not there counts too
  // PNG files: written through a temporary file, read back by the game's loader.
  Canvas c(5, 3);
  c.Put(0, 0, 0x102030);
  c.Put(4, 2, 0xFFFFFF);
  ASSERT_TRUE(artgen::WritePng((dir / "sub" / "p.png").string(), c));
  media::SetMaskColor(255, 0, 255);
  media::Image image = media::LoadImage((dir / "sub" / "p.png").string());
  ASSERT_TRUE(image);
  EXPECT_EQ(media::ImageWidth(image) * 10 + media::ImageHeight(image), 53);
  media::Pixmap px = media::LockImage(image, 0, true, false);
  EXPECT_EQ(media::ReadPixel(px, 0, 0) & 0xFFFFFFu, 0x102030u);
  media::UnlockImage(image, 0);
  EXPECT_EQ(arttest::OpaqueCount(image, 0, 0, 0, 5, 3), 2);
  fs::create_directories(dir / "blocked.png");
  EXPECT_FALSE(artgen::WritePng((dir / "blocked.png").string(), c));
  EXPECT_EQ(Written(dir / "sub"), std::set<std::string>{"p.png"});
  fs::remove_all(dir);
}

// The generator lays out help lines with its own measure of the proportional font: it agrees
// with the one start-up takes from the embedded picture.
TEST(ArtSources, GeneratorMeasuresGlyphsLikeStartUp) {
  artgen::Sources src;
  ASSERT_TRUE(src.Load(kArt.string()));
  const Canvas font = artgen::BuildPropFont(src);
  const media::Image embedded = arttest::LoadCells("Images/Font.png", 16, 16, 95);
  ASSERT_TRUE(embedded);
  EXPECT_EQ(artgen::PropGlyphWidth(font, ' '), 5);
  for (int k = 1; k <= 94; ++k)
    EXPECT_EQ(artgen::PropGlyphWidth(font, static_cast<char>(32 + k)),
              arttest::MeasuredWidth(embedded, k))
        << static_cast<char>(32 + k);
  EXPECT_EQ(artgen::PropTextWidth(font, "AB"), 2 * artgen::PropGlyphWidth(font, 'A'));
}

TEST(Artgen, SameSourcesGiveTheEmbeddedBytes) {
  const fs::path a = TempDir("a"), b = TempDir("b");
  ASSERT_EQ(Artgen(kArt.string() + " " + a.string()), 0);
  ASSERT_EQ(Artgen(kArt.string() + " --sheets " + b.string()), 0);
  const auto names = Written(a);
  const auto pictures = arttest::PictureNames();
  EXPECT_EQ(names, std::set<std::string>(pictures.begin(), pictures.end()));
  for (const std::string& n : names) {
    const auto blob = arttest::BlobBytes(n);
    EXPECT_EQ(std::string(blob.begin(), blob.end()), Slurp(a / n)) << n << " is stale";
  }
  int sheets = 0, scenes = 0;
  for (const std::string& n : Written(b)) {
    sheets += n.rfind("Images_", 0) == 0;
    scenes += n.rfind("preview_theme", 0) == 0;  // a review room per block theme
  }
  EXPECT_EQ(sheets * 10 + scenes, 456);
  EXPECT_TRUE(fs::exists(b / "Images_fr_Options1.png"));
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(Artgen, BrokenSourcesFailCleanly) {
  const fs::path src = TempDir("broken"), out = TempDir("broken_out");
  fs::copy(kArt, src, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  struct Case {
    const char* file;
    const char* text;  // appended; nullptr: the file emptied
  };
  const Case cases[] = {{"palette.txt", "? 12345 short\n"},
                        {"sprites/zz_bad.txt", "sprite bad\n.@\n"},
                        {"font.txt", "= ~\n#x#\n"},
                        {"poses.txt", nullptr}};
  for (const Case& c : cases) {
    const std::string keep = Slurp(src / c.file);
    if (c.text) {
      std::ofstream(src / c.file, std::ios::app) << c.text;
    } else {
      std::ofstream(src / c.file).flush();
    }
    EXPECT_EQ(Artgen(src.string() + " " + out.string()), 1) << c.file;
    EXPECT_FALSE(fs::exists(out / "Images" / "Player.png")) << c.file;
    std::ofstream(src / c.file, std::ios::binary) << keep;
  }
  fs::remove(src / "sprites" / "zz_bad.txt");
  EXPECT_EQ(Artgen((out / "nowhere").string() + " " + out.string()), 1);
  EXPECT_NE(Artgen(""), 0);
  EXPECT_FALSE(fs::exists(out / "Images"));
  fs::remove_all(src);
  fs::remove_all(out);
}

}  // namespace

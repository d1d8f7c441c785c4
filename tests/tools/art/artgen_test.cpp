// The generator: the same sources give the same bytes, it writes exactly the pictures the
// program embeds, and broken sources give an error instead of pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tools/art/art_util.h"

namespace fs = std::filesystem;

namespace {

fs::path TempDir(const std::string& tag) {
  fs::path dir =
      fs::temp_directory_path() / ("quill_art_" + tag + "_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

int RunArtgen(const std::string& args) {
  std::string cmd = std::string(ARTGEN_PATH) + " " + args + " 2>/dev/null";
  return std::system(cmd.c_str());
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

const std::string kSources = std::string(QUILL_SOURCE_DIR) + "/assets/art";

TEST(Artgen, SameSourcesGiveTheSameBytes) {
  fs::path a = TempDir("a"), b = TempDir("b");
  ASSERT_EQ(RunArtgen(kSources + " " + a.string()), 0);
  ASSERT_EQ(RunArtgen(kSources + " " + b.string()), 0);
  auto names = Written(a);
  ASSERT_EQ(names, Written(b));
  for (const std::string& n : names) EXPECT_EQ(Slurp(a / n), Slurp(b / n)) << n;
  // And the program carries exactly these bytes.
  for (const std::string& n : names) {
    auto blob = arttest::BlobBytes(n);
    EXPECT_EQ(std::string(blob.begin(), blob.end()), Slurp(a / n)) << n << " is stale";
  }
  fs::remove_all(a);
  fs::remove_all(b);
}

TEST(Artgen, WritesExactlyTheEmbeddedPictures) {
  fs::path out = TempDir("set");
  ASSERT_EQ(RunArtgen(kSources + " " + out.string()), 0);
  auto expected = arttest::PictureNames();
  std::set<std::string> want(expected.begin(), expected.end());
  EXPECT_EQ(Written(out), want);
  fs::remove_all(out);
}

TEST(Artgen, ContactSheetsShowEveryPicture) {
  fs::path out = TempDir("sheets");
  ASSERT_EQ(RunArtgen(kSources + " --sheets " + out.string()), 0);
  int sheets = 0, scenes = 0;
  for (const std::string& n : Written(out)) {
    if (n.rfind("Images_", 0) == 0) ++sheets;
    if (n.rfind("preview_theme", 0) == 0) ++scenes;
  }
  EXPECT_EQ(sheets, 45);
  EXPECT_EQ(scenes, 6);  // one review room per block theme
  EXPECT_TRUE(fs::exists(out / "Images_Player.png"));
  EXPECT_TRUE(fs::exists(out / "Images_fr_Options1.png"));
  fs::remove_all(out);
}

TEST(Artgen, MissingSourcesFailWithoutWriting) {
  fs::path out = TempDir("missing");
  EXPECT_NE(RunArtgen((out / "nowhere").string() + " " + (out / "pics").string()), 0);
  EXPECT_FALSE(fs::exists(out / "pics" / "Images" / "Player.png"));
  EXPECT_NE(RunArtgen(""), 0);
  fs::remove_all(out);
}

TEST(Artgen, BrokenSourcesAreReported) {
  fs::path src = TempDir("broken"), out = TempDir("broken_out");
  fs::copy(kSources, src, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  {
    std::ofstream palette(src / "palette.txt", std::ios::app);
    palette << "? 12345 short\n";  // not a colour
  }
  EXPECT_NE(RunArtgen(src.string() + " " + out.string()), 0);
  fs::copy(kSources / fs::path("palette.txt"), src / "palette.txt",
           fs::copy_options::overwrite_existing);
  {
    std::ofstream sprite(src / "sprites" / "zz_bad.txt");
    sprite << "sprite bad\n..@@..\n";  // '@' is no colour key
  }
  EXPECT_NE(RunArtgen(src.string() + " " + out.string()), 0);
  fs::remove(src / "sprites" / "zz_bad.txt");
  {
    std::ofstream font(src / "font.txt", std::ios::app);
    font << "= ~\n#x#\n";  // a glyph row with a stray letter
  }
  EXPECT_NE(RunArtgen(src.string() + " " + out.string()), 0);
  fs::remove_all(src);
  fs::remove_all(out);
}

TEST(Artgen, ShortAndEmptySourcesFailCleanly) {
  fs::path src = TempDir("short"), out = TempDir("short_out");
  fs::copy(kSources, src, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  // Each source emptied in turn: an error exit, no crash, nothing written.
  for (const char* f : {"font.txt", "poses.txt", "words.txt", "palette.txt"}) {
    fs::copy(kSources / fs::path(f), src / f, fs::copy_options::overwrite_existing);
  }
  for (const char* f : {"font.txt", "poses.txt", "words.txt", "palette.txt"}) {
    std::string keep = Slurp(src / f);
    std::ofstream(src / f).flush();
    int rc = RunArtgen(src.string() + " " + out.string());
    EXPECT_TRUE(WIFEXITED(rc)) << "artgen crashed without " << f;
    EXPECT_NE(WEXITSTATUS(rc), 0) << "empty " << f << " accepted";
    EXPECT_FALSE(fs::exists(out / "Images" / "Player.png")) << f;
    std::ofstream(src / f, std::ios::binary) << keep;
  }
  // A pose cut short, and a missing sprite folder.
  std::string poses = Slurp(src / "poses.txt");
  { std::ofstream(src / "poses.txt") << "walk0 1 2\n"; }
  int rc = RunArtgen(src.string() + " " + out.string());
  EXPECT_TRUE(WIFEXITED(rc));
  EXPECT_NE(WEXITSTATUS(rc), 0);
  std::ofstream(src / "poses.txt", std::ios::binary) << poses;
  fs::remove_all(src / "sprites");
  rc = RunArtgen(src.string() + " " + out.string());
  EXPECT_TRUE(WIFEXITED(rc));
  EXPECT_NE(WEXITSTATUS(rc), 0);
  EXPECT_FALSE(fs::exists(out / "Images" / "Back.png"));
  fs::remove_all(src);
  fs::remove_all(out);
}

}  // namespace

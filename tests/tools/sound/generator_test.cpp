// The sound generator: same recipes give the same bytes, bad recipes are refused with a clear
// message, and songs are rendered as closed loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "media/files.h"
#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/generate.h"
#include "tools/sfxgen/song.h"
#include "tools/sound/sound_util.h"

namespace fs = std::filesystem;

namespace {

fs::path TempDir(const std::string& tag) {
  fs::path dir =
      fs::temp_directory_path() /
      ("sfxgen_" + tag + "_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       "_" + std::to_string(std::rand()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void RunGenerator(const fs::path& out) {
  const std::string cmd = std::string("'") + SFXGEN_PATH + "' '" + QUILL_SOURCE_DIR +
                          "/assets/sound' '" + (out / "embed").string() + "' '" +
                          (out / "Music").string() + "' > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
}

// A second run, here, gives byte for byte what the build's run gave.
TEST(Generator, SameRecipesGiveTheSameBytesAsTheBuild) {
  const fs::path a = TempDir("a");
  RunGenerator(a);
  int compared = 0;
  for (const std::string& name : soundtest::EffectNames()) {
    const auto bytes = soundtest::ReadBytes((a / "embed" / "Sfx" / (name + ".ogg")).string());
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes, soundtest::ReadBytes(std::string(QUILL_EMBED_DIR) + "/Sfx/" + name + ".ogg"))
        << name;
    ++compared;
  }
  for (const char* track : {"Title.ogg", "Song1.ogg"}) {
    const auto bytes = soundtest::ReadBytes((a / "Music" / track).string());
    ASSERT_FALSE(bytes.empty()) << track;
    EXPECT_EQ(bytes, soundtest::ReadBytes(std::string(QUILL_GAME_DIR) + "/Music/" + track));
    ++compared;
  }
  EXPECT_EQ(compared, 27);
  fs::remove_all(a);
}

// A recipe that cannot be used throws, and the message names the line.
void ExpectRefused(const std::string& recipe, const std::string& fragment) {
  try {
    sfxgen::MakeEffectOgg("Test", recipe);
    ADD_FAILURE() << "accepted: " << recipe;
  } catch (const sfxgen::RecipeError& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
  }
}

TEST(Generator, RefusesBadEffectRecipes) {
  ExpectRefused("length 0.2\nlayer sine freq=440 wobble=3\n", "line 2: unknown layer key");
  ExpectRefused("length 0.2\nlayer organ\n", "unknown waveform");
  ExpectRefused("length 99\nlayer sine\n", "line 1: length");
  ExpectRefused("length 0.2\nlayer sine freq=nan\n", "not a number");
  ExpectRefused("length 0.2\nlayer sine freq=440x\n", "not a number");
  ExpectRefused("length 0.2\nlayer sine freq=-5\n", "outside");
  ExpectRefused("length 0.2\nlayer sine vib=5\n", "two numbers");
  ExpectRefused("layer sine\n", "no 'length'");
  ExpectRefused("length 0.2\n", "no layer");
  ExpectRefused("length 0.2\nlayer sine vol=0\n", "no sound");
  ExpectRefused("length 0.2\nlayer sine start=5\n", "no sound");  // starts after the end
  ExpectRefused(std::string("length 0.2\nlayer sine \xc3\xa9\n"), "ASCII");
  ExpectRefused("length 0.2\nbeep\n", "unknown statement");
}

void ExpectSongRefused(const std::string& recipe, const std::string& fragment) {
  try {
    sfxgen::ParseSong("Test", recipe);
    ADD_FAILURE() << "accepted: " << recipe;
  } catch (const sfxgen::RecipeError& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
  }
}

TEST(Generator, RefusesBadSongs) {
  const std::string voices = "voice a\nlayer sine freq=1\nvoice b\nlayer sine freq=1\n";
  ExpectSongRefused(voices + "pattern P\na C4 . . .\nb C4 . .\nend\norder P\n", "same number");
  ExpectSongRefused(voices + "pattern P\nc C4 . . .\nend\norder P\n", "no voice named 'c'");
  ExpectSongRefused(voices + "pattern P\na C4 . . .\nend\norder Q\n", "no pattern named 'Q'");
  ExpectSongRefused(voices + "pattern P\na H4 . . .\nend\norder P\n", "not a note");
  ExpectSongRefused(voices + "pattern P\na C4 . . .\n", "has no 'end'");
  ExpectSongRefused(voices + "pattern P\na C4 . . .\nend\n", "no order");
  ExpectSongRefused(voices + "pattern P\na C4 . . .\nend\npattern R\na C4 . . .\nend\norder P+R\n",
                    "voice 'a' twice");
  ExpectSongRefused(voices + "pattern P\na C4 . . .\nend\npattern R\nb C4 . .\nend\norder P+R\n",
                    "lengths differ");
  ExpectSongRefused("voice a\npattern P\na C4\nend\norder P\n", "no layer");
  ExpectSongRefused("tempo 1000\n", "tempo");
}

TEST(Generator, ReadsNoteNames) {
  int midi = 0;
  ASSERT_TRUE(sfxgen::ParseNoteName("A4", &midi));
  EXPECT_EQ(midi, 69);
  ASSERT_TRUE(sfxgen::ParseNoteName("C#4", &midi));
  EXPECT_EQ(midi, 61);
  ASSERT_TRUE(sfxgen::ParseNoteName("Bb2", &midi));
  EXPECT_EQ(midi, 46);
  EXPECT_FALSE(sfxgen::ParseNoteName("H2", &midi));
  EXPECT_FALSE(sfxgen::ParseNoteName("C9", &midi));
  EXPECT_FALSE(sfxgen::ParseNoteName("C", &midi));
  EXPECT_NEAR(sfxgen::NoteToHz(69), 440.0, 1e-9);
  EXPECT_NEAR(sfxgen::NoteToHz(81), 880.0, 1e-9);
}

// A note sounding over the end of the song rings on at its beginning: the loop is closed.
TEST(Generator, SongsWrapTheirTailsToTheStart) {
  const std::string text =
      "tempo 120\nvoice a gain=1 gate=1\nlayer sine freq=1 a=0.001 s=1 r=0.2\n"
      "pattern P\na - - - A4\nend\norder P\n";
  sfxgen::Song song = sfxgen::ParseSong("Loop", text);
  EXPECT_EQ(song.TotalSteps(), 4);
  const long frames = song.TotalFrames();
  EXPECT_EQ(frames, std::lround(4 * 0.125 * 44100));
  std::vector<float> mix = sfxgen::RenderSong(song);
  ASSERT_EQ(mix.size(), static_cast<std::size_t>(frames) * 2);
  // The note starts at step 3 and is held for one step (0.125 s); its release (0.2 s) runs past
  // the end and so sounds during the first step too.
  double start_energy = 0.0;
  for (long i = 0; i < 2205; ++i) start_energy += std::fabs(mix[static_cast<std::size_t>(2 * i)]);
  EXPECT_GT(start_energy / 2205, 0.01);
  // Nothing sounds in the middle of the first step pair, after the release has ended.
  double quiet = 0.0;
  for (long i = 9000; i < 16000; ++i) quiet += std::fabs(mix[static_cast<std::size_t>(2 * i)]);
  EXPECT_LT(quiet / 7000, 1e-4);
}

// Accented and soft hits: 'X' and a note with '!' sound 1.4 times as loud as 'x', 'o' and '?' half.
TEST(Generator, AccentsAndSoftHitsScaleTheNote) {
  const std::string text =
      "tempo 120\nvoice d gain=1\nlayer sine freq=440 dur=0.05 a=0.001 s=1 r=0.01\n"
      "voice n gain=1 gate=0.4\nlayer sine freq=1 a=0.001 s=1 r=0.01\n"
      "pattern P\nd x - X - o - - - - - - - - - - -\n"
      "n - - - - - - - - A4 - A4! - A4? - - -\nend\norder P\n";
  sfxgen::Song song = sfxgen::ParseSong("Vel", text);
  std::vector<float> mix = sfxgen::RenderSong(song);
  const long step = std::lround(0.125 * 44100);
  auto peak_of_step = [&](int k) {
    float p = 0.0f;
    for (long i = k * step; i < (k + 1) * step; ++i) {
      p = std::max(p, std::fabs(mix[static_cast<std::size_t>(2 * i)]));
    }
    return p;
  };
  EXPECT_NEAR(peak_of_step(2) / peak_of_step(0), 1.4, 0.05);
  EXPECT_NEAR(peak_of_step(4) / peak_of_step(0), 0.5, 0.05);
  EXPECT_NEAR(peak_of_step(10) / peak_of_step(8), 1.4, 0.05);
  EXPECT_NEAR(peak_of_step(12) / peak_of_step(8), 0.5, 0.05);
}

// Every sound is made from its recipe alone: the same text gives the same samples and bytes.
TEST(Generator, EffectsAreDeterministicAndKeepTheirLength) {
  const std::string recipe =
      "length 0.3\nlayer noise lp=2000 dur=0.2 seed=5\nlayer square freq=300:900 dur=0.25\n";
  double seconds = 0.0;
  const auto one = sfxgen::MakeEffectOgg("Det", recipe, &seconds);
  const auto two = sfxgen::MakeEffectOgg("Det", recipe);
  EXPECT_EQ(one, two);
  EXPECT_NEAR(seconds, 0.3, 1e-9);
  soundtest::Pcm pcm = soundtest::DecodeBytes(one, "test/Det.ogg");
  ASSERT_TRUE(pcm.ok);
  EXPECT_EQ(pcm.frames, 13230);  // 0.3 s exactly: no padding, no loss
  // A different noise seed gives a different sound.
  const auto other = sfxgen::MakeEffectOgg(
      "Det",
      "length 0.3\nlayer noise lp=2000 dur=0.2 seed=6\nlayer square freq=300:900 dur=0.25\n");
  EXPECT_NE(one, other);
}

TEST(Generator, ReportsMissingFoldersAndBadNamesAndWritesTheRest) {
  const fs::path dir = TempDir("src");
  std::vector<std::string> errors;
  EXPECT_FALSE(sfxgen::GenerateAll((dir / "none").string(), (dir / "e").string(),
                                   (dir / "m").string(), &errors));
  EXPECT_FALSE(errors.empty());

  fs::create_directories(dir / "effects");
  fs::create_directories(dir / "music");
  auto write = [](const fs::path& p, const std::string& text) {
    std::FILE* f = std::fopen(p.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  };
  write(dir / "effects" / "Good.sfx", "length 0.1\nlayer sine freq=440 dur=0.05\n");
  write(dir / "effects" / "Bad.sfx", "length 0.1\nlayer sine freq=x\n");
  write(dir / "effects" / "bad name.sfx", "length 0.1\nlayer sine freq=440\n");
  errors.clear();
  std::vector<sfxgen::Output> outputs;
  EXPECT_FALSE(sfxgen::GenerateAll(dir.string(), (dir / "e").string(), (dir / "m").string(),
                                   &errors, &outputs));
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("Bad.sfx: line 2"), std::string::npos) << errors[0];
  EXPECT_NE(errors[1].find("bad name.sfx"), std::string::npos) << errors[1];
  ASSERT_EQ(outputs.size(), 1u);
  EXPECT_TRUE(fs::exists(dir / "e" / "Sfx" / "Good.ogg"));
  EXPECT_FALSE(fs::exists(dir / "e" / "Sfx" / "Bad.ogg"));
  fs::remove_all(dir);
}

}  // namespace

// The sound generator: the same recipes give the same bytes as the build's run, bad recipes are
// refused with the line named, notes and accents are read as written, and songs are closed loops.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "media/files.h"
#include "media/sound.h"
#include "tools/sfxgen/effect.h"
#include "tools/sfxgen/generate.h"
#include "tools/sfxgen/song.h"
#include "tools/sound/sound_util.h"

namespace fs = std::filesystem;

namespace {

fs::path TempDir(const std::string& tag) {
  const fs::path dir = fs::temp_directory_path() / ("sfxgen_" + tag + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(Generator, SameRecipesGiveTheSameBytesAsTheBuild) {
  const fs::path out = TempDir("a");
  const std::string cmd = std::string("'") + SFXGEN_PATH + "' '" + QUILL_SOURCE_DIR +
                          "/assets/sound' '" + (out / "embed").string() + "' '" +
                          (out / "Music").string() + "' > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::vector<std::pair<fs::path, fs::path>> files;
  for (const std::string& name : soundtest::EffectNames())
    files.push_back(
        {out / "embed/Sfx" / (name + ".ogg"), fs::path(QUILL_EMBED_DIR) / "Sfx" / (name + ".ogg")});
  for (const char* track : {"Title.ogg", "Song1.ogg"})
    files.push_back({out / "Music" / track, fs::path(QUILL_GAME_DIR) / "Music" / track});
  ASSERT_EQ(files.size(), 27u);
  for (const auto& [made, built] : files) {
    const auto bytes = soundtest::ReadBytes(made.string());
    EXPECT_FALSE(bytes.empty()) << made;
    EXPECT_EQ(bytes, soundtest::ReadBytes(built.string())) << made;
  }
  fs::remove_all(out);
}

TEST(Generator, RefusesBadRecipes) {
  const std::string v = "voice a\nlayer sine freq=1\nvoice b\nlayer sine freq=1\n";
  const std::string p = "pattern P\na C4 . . .\nend\n";
  std::string held;  // 256 steps of 0.5 s, three times over: 384 s
  for (int i = 0; i < 255; ++i) held += " .";
  const std::pair<std::string, const char*> effects[] = {
      {"length 0.2\nlayer sine freq=440 wobble=3\n", "line 2: unknown layer key"},
      {"length 0.2\nlayer organ\n", "unknown waveform"},
      {"length 10.01\nlayer sine\n", "line 1: length"},
      {"length 0.2\nlayer sine freq=nan\n", "not a number"},
      {"length 0.2\nlayer sine freq=440x\n", "not a number"},
      {"length 0.2\nlayer sine freq=-5\n", "outside"},
      {"length 0.2\nlayer sine vib=5\n", "two numbers"},
      {"layer sine\n", "no 'length'"},
      {"length 0.2\n", "no layer"},
      {"length 0.2\nlayer sine vol=0\n", "no sound"},
      {"length 0.2\nlayer sine start=5\n", "no sound"},  // starts after the end
      {"length 0.2\nlayer sine \xc3\xa9\n", "ASCII"},
      {"length 0.2\nbeep\n", "unknown statement"}};
  const std::pair<std::string, const char*> songs[] = {
      {v + "pattern P\na C4 . . .\nb C4 . .\nend\norder P\n", "same number"},
      {v + "pattern P\nc C4 . . .\nend\norder P\n", "no voice named 'c'"},
      {v + p + "order Q\n", "no pattern named 'Q'"},
      {v + "pattern P\na H4 . . .\nend\norder P\n", "not a note"},
      {v + "pattern P\na C4 . . .\n", "has no 'end'"},
      {v + p, "no order"},
      {v + p + "pattern R\na C4 . . .\nend\norder P+R\n", "voice 'a' twice"},
      {v + p + "pattern R\nb C4 . .\nend\norder P+R\n", "lengths differ"},
      {"voice a\npattern P\na C4\nend\norder P\n", "no layer"},
      {"tempo 1000\n", "tempo"},
      {"tempo 30\n" + v + "pattern P\na C4" + held + "\nend\norder P P P\n", "longer than 300 s"}};
  for (int kind = 0; kind < 2; ++kind)
    for (const auto& [recipe, fragment] : kind == 0
                                              ? std::vector(std::begin(effects), std::end(effects))
                                              : std::vector(std::begin(songs), std::end(songs))) {
      try {
        if (kind == 0) sfxgen::MakeEffectOgg("Test", recipe);
        if (kind == 1) sfxgen::ParseSong("Test", recipe);
        ADD_FAILURE() << "accepted: " << recipe.substr(0, 80);
      } catch (const sfxgen::RecipeError& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
      }
    }
  EXPECT_NO_THROW(sfxgen::MakeEffectOgg("Test", "length 10\nlayer sine dur=0.1\n"));
}

TEST(Generator, NotesAccentsAndLoops) {
  const std::pair<const char*, int> notes[] = {{"A4", 69},  {"C#4", 61}, {"Bb2", 46}, {"C0", 12},
                                               {"B8", 119}, {"H2", -1},  {"C9", -1},  {"C", -1}};
  for (auto [name, want] : notes) {
    int midi = -1;
    EXPECT_EQ(sfxgen::ParseNoteName(name, &midi) ? midi : -1, want) << name;
  }
  EXPECT_NEAR(sfxgen::NoteToHz(81), 880.0, 1e-9);
  // 'X' and a note with '!' sound 1.4 times as loud as 'x'; 'o' and '?' half as loud.
  const sfxgen::Song song = sfxgen::ParseSong(
      "Vel",
      "tempo 120\nvoice d gain=1\nlayer sine freq=440 dur=0.05 a=0.001 s=1 r=0.01\n"
      "voice n gain=1 gate=0.4\nlayer sine freq=1 a=0.001 s=1 r=0.01\n"
      "pattern P\nd x - X - o - - - - - - - - - - -\n"
      "n - - - - - - - - A4 - A4! - A4? - - -\nend\norder P\n");
  const std::vector<float> mix = sfxgen::RenderSong(song);
  const long step = std::lround(0.125 * 44100);
  auto peak = [&](int k) {
    float p = 0.0f;
    for (long i = k * step; i < (k + 1) * step; ++i) p = std::max(p, std::fabs(mix[2 * i]));
    return p;
  };
  EXPECT_NEAR(peak(2) / peak(0), 1.4, 0.05);
  EXPECT_NEAR(peak(4) / peak(0), 0.5, 0.05);
  EXPECT_NEAR(peak(10) / peak(8), 1.4, 0.05);
  EXPECT_NEAR(peak(12) / peak(8), 0.5, 0.05);
  // A note held over two steps ('.') and released past the loop's end rings on at its start.
  const sfxgen::Song loop =
      sfxgen::ParseSong("Loop",
                        "tempo 120\nvoice a gain=1 gate=1\nlayer sine freq=1 a=0.001 s=1 r=0.2\n"
                        "pattern P\na - - - - - - A4 .\nend\norder P\n");
  ASSERT_EQ(loop.TotalFrames(), 44100);
  const std::vector<float> ring = sfxgen::RenderSong(loop);
  auto level = [&](long from, long to) {
    double sum = 0.0;
    for (long i = from; i < to; ++i) sum += std::fabs(ring[2 * i]);
    return sum / static_cast<double>(to - from);
  };
  EXPECT_GT(level(0, 2205), 0.01);
  EXPECT_LT(level(9000, 33000), 1e-4);  // the release is over 0.2 s into the loop
  EXPECT_GT(level(42000, 44100), 0.9 * level(33500, 35600));  // held to the end
}

TEST(Generator, EffectsAreDeterministicAndErrorsNameTheirFiles) {
  const std::string recipe =
      "length 0.3\nlayer noise lp=2000 dur=0.2 seed=5\nlayer square freq=300:900 dur=0.25\n";
  double seconds = 0.0;
  const auto one = sfxgen::MakeEffectOgg("Det", recipe, &seconds);
  EXPECT_EQ(one, sfxgen::MakeEffectOgg("Det", recipe));
  EXPECT_NE(one,
            sfxgen::MakeEffectOgg("Det", std::string(recipe).replace(recipe.find("=5"), 2, "=6")));
  EXPECT_NEAR(seconds, 0.3, 1e-9);
  media::RegisterEmbedded("test/Det.ogg", one.data(), one.size());
  const soundtest::Pcm pcm = soundtest::Decode("incbin::test/Det.ogg");
  EXPECT_EQ(pcm.frames, 13230);  // 0.3 s exactly: no padding, no loss
  // A sound longer than its effect is cut with a short fade, not a click.
  const auto cut = sfxgen::MakeEffectOgg("Cut", "length 0.1\nlayer sine freq=440 dur=0.2\n");
  media::RegisterEmbedded("test/Cut.ogg", cut.data(), cut.size());
  const soundtest::Pcm faded = soundtest::Decode("incbin::test/Cut.ogg");
  EXPECT_LT(faded.Rms(faded.frames - 22, 22), 0.2 * faded.Peak());
  media::ClearEmbedded();
  const fs::path dir = TempDir("src");
  std::vector<std::string> errors;
  EXPECT_FALSE(sfxgen::GenerateAll((dir / "none").string(), (dir / "e").string(),
                                   (dir / "m").string(), &errors));
  EXPECT_FALSE(errors.empty());
  fs::create_directories(dir / "effects");
  fs::create_directories(dir / "music");
  std::ofstream(dir / "effects" / "Good.sfx") << "length 0.1\nlayer sine freq=440 dur=0.05\n";
  std::ofstream(dir / "effects" / "Bad.sfx") << "length 0.1\nlayer sine freq=x\n";
  std::ofstream(dir / "effects" / "bad name.sfx") << "length 0.1\nlayer sine freq=440\n";
  errors.clear();
  std::vector<sfxgen::Output> outputs;
  EXPECT_FALSE(sfxgen::GenerateAll(dir.string(), (dir / "e").string(), (dir / "m").string(),
                                   &errors, &outputs));
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("Bad.sfx: line 2"), std::string::npos) << errors[0];
  EXPECT_NE(errors[1].find("bad name.sfx"), std::string::npos) << errors[1];
  EXPECT_EQ(outputs.size(), 1u);
  EXPECT_TRUE(fs::exists(dir / "e" / "Sfx" / "Good.ogg"));
  EXPECT_FALSE(fs::exists(dir / "e" / "Sfx" / "Bad.ogg"));
  fs::remove_all(dir);
}

}  // namespace

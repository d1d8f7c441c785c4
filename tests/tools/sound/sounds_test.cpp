// The 25 sound effects the program carries, the two music tracks of the runnable folder, and the
// four language files with their quit.txt: format, the room each line has where it is drawn (menu
// fonts by characters, the proportional font in pixels), and what the screens need.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "media/files.h"
#include "media/graphics.h"
#include "media/text.h"
#include "tools/sfxgen/levels.h"
#include "tools/sfxgen/song.h"
#include "tools/sfxgen/text.h"
#include "tools/sound/sound_util.h"

namespace {

using soundtest::Pcm;

// Longest each effect may last, in seconds, from the moment it marks (a tick is 1/60 s).
// Gold: the logo slides in for about 0.4 s, gold can be taken in quick turns; a menu row can move
// every frame; a jump arc lasts 18 ticks; a dug block 45; wall bricks come 41 ticks apart; a pony
// may start three times in three ticks before every hop; a stone moves after 29 ticks of pushing;
// the door-open flash lasts 150 frames with the music paused; entering the exit door about 326.
const std::map<std::string, double> kMaxSeconds = {
    {"Gold", 0.6},     {"Options", 0.15}, {"Jump", 0.4},     {"HitFloor", 0.25}, {"Drill", 0.75},
    {"Pick", 0.75},    {"Scoop", 0.75},   {"Hammer", 0.75},  {"Fall", 1.5},      {"Item", 0.5},
    {"Knife", 0.4},    {"Boome", 0.6},    {"Ladder", 1.0},   {"Floor", 1.0},     {"CrtWall", 0.68},
    {"CloseCof", 0.6}, {"Killed", 2.5},   {"KillEnmy", 1.0}, {"Pony", 0.1},      {"CrtPony", 1.0},
    {"RLDoor", 1.0},   {"PushSton", 0.5}, {"RollStop", 0.6}, {"AllGold", 2.5},   {"Exiting", 5.4}};

std::vector<float> Floats(const Pcm& pcm) {
  std::vector<float> f(pcm.samples.size());
  for (std::size_t i = 0; i < f.size(); ++i) f[i] = pcm.samples[i] / 32768.0f;
  return f;
}

// The music as a player hears it at the default volume, K-weighted: loud enough, its energy
// in the range small speakers play with the tune in the middle register, spread in stereo, and
// rising and falling over the loop without dropping out.
std::map<std::string, sfxgen::Levels> MusicLevels() {
  std::map<std::string, sfxgen::Levels> levels;
  for (const char* track : {"Song1", "Title"}) {
    const Pcm pcm = soundtest::Decode(std::string(QUILL_GAME_DIR) + "/Music/" + track + ".ogg", 1);
    EXPECT_TRUE(pcm.ok) << track;
    if (pcm.ok) levels[track] = sfxgen::Measure(Floats(pcm), 2, sfxgen::kMusicVolume, true);
  }
  return levels;
}

TEST(Sounds, MusicMix) {
  const std::map<std::string, sfxgen::Levels> music = MusicLevels();
  ASSERT_EQ(music.size(), 2u);
  for (const auto& [name, l] : music) {
    EXPECT_TRUE(l.mean_db >= -27.0 && l.mean_db <= -24.0) << name << " " << l.mean_db;
    EXPECT_LE(l.low_share, 0.30) << name;
    EXPECT_GE(l.middle_share, 0.45) << name;
    EXPECT_GE(l.side_db, -15.0) << name << " is nearly mono";
    EXPECT_GE(l.Movement(), 6.0) << name << " is flat";
    EXPECT_GE(l.quietest_span_db, l.mean_db - 12.0) << name << " drops out";
  }
  // The start-up chime is the gold effect at full volume before the title music. The same file
  // must stand out of the stage music at the effect volume, so it can only be kept as quiet as
  // that allows: at most 2 dB above what it needs there.
  media::RegisterBuiltinBlobs();
  const Pcm gold = soundtest::Decode("incbin::Sfx/Gold.ogg");
  ASSERT_TRUE(gold.ok);
  const sfxgen::Levels chime = sfxgen::Measure(Floats(gold), 1, 1.0, false);
  const double needed = std::max(music.at("Song1").mean_db, music.at("Title").mean_db) + 3.0;
  EXPECT_LE(chime.loudest_db + 20.0 * std::log10(sfxgen::kEffectVolume), needed + 2.0);
  media::ClearEmbedded();
}

// Effects: one recipe each and nothing else; each at the mixer's rate, audible, unclipped with
// headroom, as long as its moment allows, without a click at either end, and at the default
// volumes its loudest 100 ms at least 3 dB above the mean of the louder track (K-weighted), the
// impacts with a knock or crack in the range small speakers play.
TEST(Sounds, Effects) {
  media::RegisterBuiltinBlobs();
  const std::vector<std::string> names = soundtest::EffectNames();
  ASSERT_EQ(names.size(), 25u);
  std::set<std::string> recipes;
  for (const auto& e :
       std::filesystem::directory_iterator(std::string(QUILL_SOURCE_DIR) + "/assets/sound/effects"))
    if (e.path().extension() == ".sfx") recipes.insert(e.path().stem().string());
  EXPECT_EQ(recipes, std::set<std::string>(names.begin(), names.end()));
  double music = -200.0;
  for (const auto& [track, l] : MusicLevels()) music = std::max(music, l.mean_db);
  ASSERT_GT(music, -100.0);
  const std::set<std::string> impacts = {"HitFloor", "CloseCof", "CrtWall", "RollStop"};
  std::vector<Pcm> pcm;
  for (const std::string& name : names) {
    pcm.push_back(soundtest::Decode("incbin::Sfx/" + name + ".ogg"));
    const Pcm& p = pcm.back();
    ASSERT_TRUE(p.ok) << name;
    EXPECT_EQ(p.rate * 10 + p.channels, 441001) << name;
    EXPECT_TRUE(p.Peak() > 32768 * 0.3 && p.Peak() < 32768 * 0.9) << name << " " << p.Peak();
    EXPECT_GT(p.Rms(0, p.frames), 32768 * 0.03) << name << " is mostly silence";
    ASSERT_EQ(kMaxSeconds.count(name), 1u) << name;
    EXPECT_TRUE(p.Seconds() >= 0.03 && p.Seconds() <= kMaxSeconds.at(name)) << name;
    EXPECT_LT(std::abs(static_cast<int>(p.samples.front())), 2000) << name;
    EXPECT_LT(p.Rms(p.frames - 88, 88), 32768 * 0.02) << name << " is cut off loud";
    const std::vector<float> f = Floats(p);
    EXPECT_GE(sfxgen::Measure(f, 1, sfxgen::kEffectVolume, false).loudest_db, music + 3.0)
        << name << " is lost under the music";
    EXPECT_TRUE(!impacts.count(name) || sfxgen::BandShare(f, 1, 300.0, 3000.0) >= 0.25) << name;
  }
  auto of = [&](const std::string& name) {
    return pcm[std::find(names.begin(), names.end(), name) - names.begin()];
  };
  EXPECT_GT(of("AllGold").frames, 2 * of("Gold").frames);  // the fanfare outlasts the coin
  for (std::size_t a = 0; a < names.size(); ++a)           // the shortest
    EXPECT_TRUE(names[a] == "Pony" || pcm[a].frames > of("Pony").frames) << names[a];
  media::ClearEmbedded();
}

// The step from the last sample to the first against the steps inside the track: positive when
// the seam jumps further than 99.9 % of the track's steps plus a quarter (at least 64).
int SeamExcess(const Pcm& pcm, int c) {
  auto at = [&](int f) { return static_cast<int>(pcm.samples[f * pcm.channels + c]); };
  std::vector<int> steps;
  for (int i = 1; i < pcm.frames; ++i) steps.push_back(std::abs(at(i) - at(i - 1)));
  const std::size_t k = steps.size() * 999 / 1000;
  std::nth_element(steps.begin(), steps.begin() + static_cast<long>(k), steps.end());
  return std::abs(at(0) - at(pcm.frames - 1)) - std::max(steps[k] + steps[k] / 4, 64);
}

// Music: 60 to 90 s, exactly its bars long (whole bars), unclipped, looping without a click or a
// gap, and both tracks decoded within 14 MiB each and 28 MiB together.
TEST(Sounds, MusicTracks) {
  long total = 0;
  for (const std::string name : {"Title", "Song1"}) {
    const Pcm pcm = soundtest::Decode(std::string(QUILL_GAME_DIR) + "/Music/" + name + ".ogg", 1);
    ASSERT_TRUE(pcm.ok) << name;
    EXPECT_TRUE(pcm.rate >= 22050 && pcm.rate <= 44100 && pcm.channels <= 2) << name;
    EXPECT_TRUE(pcm.Seconds() >= 60.0 && pcm.Seconds() <= 90.0) << name;
    std::string text;
    ASSERT_TRUE(sfxgen::ReadWholeFile(
        std::string(QUILL_SOURCE_DIR) + "/assets/sound/music/" + name + ".song", &text));
    const sfxgen::Song song = sfxgen::ParseSong(name, text);
    EXPECT_EQ(pcm.frames, song.TotalFrames()) << name;
    EXPECT_EQ(song.TotalSteps() % 16, 0) << name;
    // Mixed low so that the effects stand above it at the default volumes, yet well audible.
    EXPECT_TRUE(pcm.Peak() > 32768 * 0.12 && pcm.Peak() < 32700) << name;
    for (int c = 0; c < pcm.channels; ++c) EXPECT_LE(SeamExcess(pcm, c), 0) << name << " " << c;
    const double whole = pcm.Rms(0, pcm.frames);
    EXPECT_GT(pcm.Rms(pcm.frames - 2205, 2205), 0.1 * whole) << name << " fades out before the end";
    EXPECT_GT(pcm.Rms(0, 2205), 0.1 * whole) << name << " starts with silence";
    EXPECT_LE(2L * static_cast<long>(pcm.samples.size()), 14L << 20) << name;
    total += 2L * static_cast<long>(pcm.samples.size());
  }
  EXPECT_LE(total, 28L << 20);
}

using soundtest::LangLines;

enum Font { kMenu, kMenuValue, kProp, kSystem };
struct Limit {
  int first, last;
  Font font;
  int maxChars;
};

// Where each line is drawn and how many characters fit there (menu glyphs are 16 pixels wide;
// the proportional lines are measured in pixels below). The key legend's left column ends two
// glyphs before the right one at x 360.
const Limit kLimits[] = {
    {0, 10, kProp, 48},    {11, 13, kMenuValue, 17}, {17, 18, kMenu, 15},
    {20, 21, kMenu, 13},   {22, 23, kMenu, 15},      {24, 25, kProp, 96},
    {27, 29, kProp, 96},   {31, 31, kProp, 96},      {32, 35, kMenuValue, 17},
    {36, 36, kMenu, 48},   {42, 43, kMenu, 46},      {44, 44, kMenu, 48},
    {50, 50, kMenu, 48},   {53, 53, kMenu, 48},      {54, 54, kSystem, 68},
    {55, 55, kMenu, 46},   {56, 56, kMenu, 48},      {60, 60, kSystem, 50},
    {61, 61, kMenu, 46},   {62, 64, kMenu, 20},      {65, 67, kMenu, 26},
    {68, 77, kMenu, 24},   {78, 86, kMenu, 18},      {87, 87, kMenu, 48},
    {88, 105, kProp, 96},  {106, 106, kMenu, 48},    {107, 119, kProp, 96},
    {120, 120, kMenu, 48}, {121, 121, kSystem, 50},  {124, 124, kSystem, 50},
    {125, 130, kMenu, 6},  // a count of up to two digits follows
    {131, 131, kMenu, 37}, {132, 132, kMenu, 48},    {134, 134, kMenu, 48},
    {135, 135, kMenu, 6},  // the number stands at x 385
    {136, 136, kMenu, 22}, {137, 142, kMenu, 15},    {143, 144, kMenu, 13},
    {145, 145, kMenu, 12}, {146, 146, kMenu, 48},    {147, 172, kSystem, 20},
};

// Lines some screen shows (99 is a blank line of the first text page).
bool Shown(int i) {
  for (const Limit& l : kLimits)
    if (i >= l.first && i <= l.last) return i != 99;
  return false;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class LangFile : public ::testing::TestWithParam<std::string> {};

TEST_P(LangFile, FitsWhereItIsDrawnAndSaysWhatTheScreensNeed) {
  const std::string code = GetParam();
  const std::string dir =
      std::string(QUILL_SOURCE_DIR) + "/assets/Langs/" + (code.empty() ? "" : code + "/");
  const auto bytes = soundtest::ReadBytes(dir + "Lang.txt");
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\n');
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 177);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                          [](unsigned char c) { return c == '\n' || (c >= 32 && c <= 126); }));
  const std::vector<std::string> lines = LangLines(code);
  ASSERT_EQ(lines.size(), 177u);
  // The width start-up measures for each glyph of the game's proportional font.
  media::RegisterBuiltinBlobs();
  media::SetMaskColor(255, 0, 255);
  const media::Image font = media::LoadAnimImage("incbin::Images/Font.png", 16, 16, 0, 95);
  ASSERT_TRUE(font);
  std::vector<int> widths(95, 0);
  widths[0] = 5;
  for (int k = 1; k < 95; ++k) {
    media::Pixmap pm = media::LockImage(font, k);
    for (int x = 0; x < 256; ++x)
      widths[k] = (media::ReadPixel(pm, x % 16, x / 16) >> 24) ? std::max(widths[k], x % 16 + 1)
                                                               : widths[k];
    media::UnlockImage(font, k);
  }
  auto width = [&](const std::string& s) {
    int w = 0;
    for (unsigned char c : s) w += widths[c - 32];
    return w;
  };
  for (const Limit& l : kLimits)
    for (int i = l.first; i <= l.last; ++i) {
      const std::string& s = lines[i];
      EXPECT_LE(static_cast<int>(s.size()), l.maxChars) << "line " << i << ": " << s;
      EXPECT_TRUE(!Shown(i) || !s.empty()) << "line " << i;
      for (unsigned char c : l.font == kMenu ? Upper(s) : s)
        EXPECT_TRUE(l.font >= kProp || (c >= 32 && c <= 90)) << "line " << i << ": " << s;
      // Centred with the media layer's width, drawn with the font's: tutorial titles inside the
      // tutorial bar (x 1 to 765, centre 432) and the chooser (centre 440); help lines on 390;
      // instruction lines from x 6.
      const int half = media::TextWidth(s) / 2;
      EXPECT_TRUE(i > 10 || (432 - half >= 1 && 432 - half + width(s) <= 766)) << s;
      EXPECT_TRUE(i > 10 || 440 - half + width(s) <= 784) << s;
      EXPECT_TRUE(i < 24 || i > 31 || (390 - half >= 0 && 390 - half + width(s) <= 800)) << s;
      EXPECT_TRUE(l.font != kProp || i < 88 || 6 + width(s) <= 800) << "line " << i << ": " << s;
    }
  EXPECT_EQ(lines[42].back(), ' ');  // "TUTORIAL 3"
  EXPECT_EQ(lines[43].back(), ' ');  // "LEVEL 12"
  for (int i = 125; i <= 130; ++i)
    EXPECT_NE(std::string(" :").find(lines[i].back()), std::string::npos);
  for (int i : {60, 121, 124}) EXPECT_NE(lines[i].find("(y/n)"), std::string::npos) << i;
  // quit.txt: two words of letters with different first letters.
  const auto quit = soundtest::ReadBytes(dir + "quit.txt");
  const std::string q(quit.begin(), quit.end());
  ASSERT_EQ(std::count(q.begin(), q.end(), '\n'), 2) << q;
  const std::string yes = q.substr(0, q.find('\n')),
                    no = q.substr(q.find('\n') + 1, q.size() - q.find('\n') - 2);
  EXPECT_TRUE(!yes.empty() && !no.empty() && std::toupper(yes[0]) != std::toupper(no[0])) << q;
  for (char c : yes + no) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << q;
  // The word for a stage also names the solution replays ("Niveau 12.SOL"): each language has
  // its own, safe in a file name.
  EXPECT_TRUE(code.empty() || lines[43] != LangLines("")[43]) << lines[43];
  for (char c : lines[43]) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c)) || c == ' ');
}

INSTANTIATE_TEST_SUITE_P(Languages, LangFile, ::testing::Values("", "fr", "gr", "it"),
                         [](const auto& info) { return info.param.empty() ? "en" : info.param; });

}  // namespace

// The four language files and their quit.txt: format, the room each line has where it is drawn
// (menu fonts by characters, the proportional font in pixels), and agreement between the
// languages and with the pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>

#include "media/files.h"
#include "media/graphics.h"
#include "media/text.h"
#include "tools/sound/sound_util.h"

namespace {

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
  for (unsigned char c : bytes) EXPECT_TRUE(c == '\n' || (c >= 32 && c <= 126)) << int(c);
  const std::vector<std::string> lines = LangLines(code);
  ASSERT_EQ(lines.size(), 177u);
  // The width start-up measures for each glyph of the game's proportional font.
  media::RegisterBuiltinBlobs();
  media::SetMaskColor(255, 0, 255);
  const media::Image font = media::LoadAnimImage("incbin::Images/Font.png", 16, 16, 0, 95);
  ASSERT_TRUE(font);
  std::vector<int> widths(95, 5);
  for (int k = 1; k < 95; ++k) {
    media::Pixmap pm = media::LockImage(font, k);
    widths[k] = 0;
    for (int x = 15; x >= 0 && !widths[k]; --x)
      for (int y = 0; y < 16; ++y)
        widths[k] = (media::ReadPixel(pm, x, y) >> 24) ? x + 1 : widths[k];
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
  // The volume rows take '-' and Enter, in the language's word for Enter.
  const std::string enter = code == "fr" ? "Entree" : code == "it" ? "Invio" : "Enter";
  for (int i : {27, 28})
    EXPECT_TRUE(lines[i].find(" - ") != std::string::npos &&
                lines[i].find(enter) != std::string::npos)
        << lines[i];
  // The tutorial word of the title menu's picture (words.txt, menu.2) is the word used here.
  std::ifstream words(std::string(QUILL_SOURCE_DIR) + "/assets/art/words.txt");
  std::string section, word;
  for (std::string line; std::getline(words, line);) {
    if (!line.empty() && line[0] == '[') section = line.substr(1, line.find(']') - 1);
    if (section == (code.empty() ? "en" : code) && line.rfind("menu.2 = ", 0) == 0)
      word = line.substr(9);
  }
  EXPECT_EQ(Upper(lines[42]), word + " ");
  EXPECT_EQ(Upper(lines[136]), word);
  EXPECT_NE(Upper(lines[131]).find(word), std::string::npos) << lines[131];
  // quit.txt: two words of letters with different first letters.
  const auto quit = soundtest::ReadBytes(dir + "quit.txt");
  const std::string q(quit.begin(), quit.end());
  ASSERT_EQ(std::count(q.begin(), q.end(), '\n'), 2) << q;
  const std::string yes = q.substr(0, q.find('\n')),
                    no = q.substr(q.find('\n') + 1, q.size() - q.find('\n') - 2);
  EXPECT_TRUE(!yes.empty() && !no.empty() && std::toupper(yes[0]) != std::toupper(no[0])) << q;
  for (char c : yes + no) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << q;
  // Against English: the same lines empty, and mostly translated.
  const std::vector<std::string> english = LangLines("");
  int same = 0, shown = 0;
  for (int i = 0; i < 177; ++i) {
    EXPECT_EQ(lines[i].empty(), english[i].empty()) << "line " << i;
    EXPECT_TRUE(i < 173 || lines[i].empty()) << "line " << i;
    shown += Shown(i);
    same += Shown(i) && lines[i] == english[i];
  }
  // The word for a stage also names the solution replays ("Niveau 12.SOL"): each language has
  // its own, safe in a file name.
  EXPECT_TRUE(code.empty() || lines[43] != english[43]) << lines[43];
  for (char c : lines[43]) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c)) || c == ' ');
  EXPECT_TRUE(code.empty() || same < shown / 6) << same << " lines as in English";
}

INSTANTIATE_TEST_SUITE_P(Languages, LangFile, ::testing::Values("", "fr", "gr", "it"),
                         [](const auto& info) { return info.param.empty() ? "en" : info.param; });

}  // namespace

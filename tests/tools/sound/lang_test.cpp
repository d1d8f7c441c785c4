// The four language files and their quit.txt: format, character ranges, the room each line has
// where it is drawn, and agreement between the languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "media/files.h"

namespace {

const char* const kLanguages[] = {"", "fr", "gr", "it"};

std::string LangDir(const std::string& code) {
  std::string dir = std::string(QUILL_SOURCE_DIR) + "/assets/Langs/";
  return code.empty() ? dir : dir + code + "/";
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::vector<std::string> Lines(const std::string& code) {
  return SplitLines(ReadAll(LangDir(code) + "Lang.txt"));
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

enum class Font { Menu, MenuValue, Proportional, System };
struct Limit {
  int first, last;
  Font font;
  int max_chars;
};

// Where each line is drawn and how many characters fit there. Menu-font glyphs are 16 pixels
// wide; proportional-font lines are measured in pixels by lang_width_test, and here only held
// to 96 characters (the font's letters average about 6 pixels) and the tutorial titles to 48;
// the media layer's own font to what its strip holds. The key legend's left column (62 to 64)
// ends two glyphs before the right column at x 360, so the two columns read apart.
const std::vector<Limit>& Limits() {
  static const std::vector<Limit> limits = {
      {0, 10, Font::Proportional, 48},    {11, 13, Font::MenuValue, 17},
      {17, 18, Font::Menu, 15},           {20, 21, Font::Menu, 13},
      {22, 23, Font::Menu, 15},           {24, 25, Font::Proportional, 96},
      {27, 29, Font::Proportional, 96},   {31, 31, Font::Proportional, 96},
      {32, 35, Font::MenuValue, 17},      {36, 36, Font::Menu, 48},
      {42, 43, Font::Menu, 46},           {44, 44, Font::Menu, 48},
      {50, 50, Font::Menu, 48},           {53, 53, Font::Menu, 48},
      {54, 54, Font::System, 68},         {55, 55, Font::Menu, 46},
      {56, 56, Font::Menu, 48},           {60, 60, Font::System, 50},
      {61, 61, Font::Menu, 46},           {62, 64, Font::Menu, 20},
      {65, 67, Font::Menu, 26},           {68, 77, Font::Menu, 24},
      {78, 86, Font::Menu, 18},           {87, 87, Font::Menu, 48},
      {88, 105, Font::Proportional, 96},  {106, 106, Font::Menu, 48},
      {107, 119, Font::Proportional, 96}, {120, 120, Font::Menu, 48},
      {121, 121, Font::System, 50},       {124, 124, Font::System, 50},
      {125, 130, Font::Menu, 6},  // a count of up to two digits follows: 8 glyphs in all
      {131, 131, Font::Menu, 37},         {132, 132, Font::Menu, 48},
      {134, 134, Font::Menu, 48},         {135, 135, Font::Menu, 6},   // the number stands at x 385
      {136, 136, Font::Menu, 22},         {137, 142, Font::Menu, 15},  // counts at x 270 and 660
      {143, 144, Font::Menu, 13},         {145, 145, Font::Menu, 12},
      {146, 146, Font::Menu, 48},         {147, 172, Font::System, 20},
  };
  return limits;
}

// Lines some screen shows (99 is a blank line of the first text page and may stay empty).
bool MustHaveText(int i) {
  for (const Limit& l : Limits()) {
    if (i >= l.first && i <= l.last) return i != 99;
  }
  return false;
}

class LangFile : public ::testing::TestWithParam<const char*> {};

TEST_P(LangFile, HasExactly177LinesOfPlainAscii) {
  const std::string text = ReadAll(LangDir(GetParam()) + "Lang.txt");
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  int line_feeds = 0;
  for (unsigned char c : text) {
    if (c == '\n') {
      ++line_feeds;
    } else {
      EXPECT_TRUE(c >= 32 && c <= 126) << "byte " << static_cast<int>(c);
    }
  }
  EXPECT_EQ(line_feeds, 177);
  EXPECT_EQ(Lines(GetParam()).size(), 177u);
}

TEST_P(LangFile, EveryLineFitsItsFontAndItsPlace) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  for (const Limit& l : Limits()) {
    for (int i = l.first; i <= l.last; ++i) {
      const std::string& s = lines[static_cast<std::size_t>(i)];
      EXPECT_LE(static_cast<int>(s.size()), l.max_chars) << "line " << i << ": " << s;
      const std::string drawn = l.font == Font::Menu ? Upper(s) : s;
      for (unsigned char c : drawn) {
        if (l.font == Font::Menu || l.font == Font::MenuValue) {
          EXPECT_TRUE(c >= 32 && c <= 90) << "line " << i << " has '" << c << "': " << s;
        }
      }
      if (MustHaveText(i)) {
        EXPECT_FALSE(s.empty()) << "line " << i << " is empty";
      }
    }
  }
}

TEST_P(LangFile, NumbersFollowTheirWordsWithASpaceOrColon) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  EXPECT_EQ(lines[42].back(), ' ');  // "TUTORIAL 3"
  EXPECT_EQ(lines[43].back(), ' ');  // "LEVEL 12"
  for (int i = 125; i <= 130; ++i) {
    const char last = lines[static_cast<std::size_t>(i)].back();
    EXPECT_TRUE(last == ' ' || last == ':') << "line " << i;
  }
}

// The editor's questions are answered with 'y' in every language, so each says so.
TEST_P(LangFile, EditorQuestionsAskForY) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  for (int i : {60, 121, 124}) {
    EXPECT_NE(lines[static_cast<std::size_t>(i)].find("(y/n)"), std::string::npos) << "line " << i;
  }
}

TEST_P(LangFile, QuitFileHoldsTheWordsForYesAndNo) {
  const std::string text = ReadAll(LangDir(GetParam()) + "quit.txt");
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 2u);
  for (const std::string& word : lines) {
    ASSERT_FALSE(word.empty());
    for (char c : word) EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c))) << word;
  }
  EXPECT_NE(std::toupper(static_cast<unsigned char>(lines[0][0])),
            std::toupper(static_cast<unsigned char>(lines[1][0])));
}

// The runnable folder holds the files where the game opens them, and the media layer's reader
// (OpenFile: exact name, writable; ReadLine) gives back every line as written.
TEST_P(LangFile, TheGameReadsTheCopyInTheRunnableFolder) {
  const std::string code = GetParam();
  const std::string rel = code.empty() ? "Langs/" : "Langs/" + code + "/";
  const std::string game = std::string(QUILL_GAME_DIR) + "/" + rel;
  media::Stream in = media::OpenFile(game + "Lang.txt");
  ASSERT_TRUE(in) << game;
  const std::vector<std::string> expected = Lines(code);
  ASSERT_EQ(expected.size(), 177u);
  for (std::size_t n = 0; n < 177; ++n) EXPECT_EQ(media::ReadLine(in), expected[n]) << "line " << n;
  media::ReadLine(in);
  EXPECT_EQ(media::Eof(in), 1) << "lines after the 177th";
  media::CloseFile(in);
  media::Stream quit = media::OpenFile(game + "quit.txt");
  ASSERT_TRUE(quit);
  EXPECT_FALSE(media::ReadLine(quit).empty());
  EXPECT_FALSE(media::ReadLine(quit).empty());
  media::CloseFile(quit);
}

// The options screen's volume rows answer to '-' and to Enter (or the keypad's keys), so their
// help lines name those two keys in the language's own word for Enter.
TEST_P(LangFile, VolumeHelpLinesNameMinusAndEnter) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  const std::string code = GetParam();
  const std::string enter = code == "fr" ? "Entree" : code == "it" ? "Invio" : "Enter";
  for (int i : {27, 28}) {
    const std::string& s = lines[static_cast<std::size_t>(i)];
    EXPECT_NE(s.find(" - "), std::string::npos) << "line " << i << ": " << s;
    EXPECT_NE(s.find(enter), std::string::npos) << "line " << i << ": " << s;
  }
}

// Eleven tutorial titles and 26 editor tool names, each naming something of its own; the four
// tool names after the 26th are never drawn and stay empty.
TEST_P(LangFile, TutorialTitlesAndToolNamesAreDistinct) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  std::set<std::string> titles(lines.begin(), lines.begin() + 11);
  EXPECT_EQ(titles.size(), 11u);
  EXPECT_EQ(titles.count(""), 0u);
  std::set<std::string> tools(lines.begin() + 147, lines.begin() + 173);
  EXPECT_EQ(tools.size(), 26u);
  EXPECT_EQ(tools.count(""), 0u);
  for (int i = 173; i <= 176; ++i) EXPECT_TRUE(lines[static_cast<std::size_t>(i)].empty()) << i;
}

std::string FirstWord(const std::string& s) {
  return s.substr(0, s.find_first_of(" (,"));
}

// The editor's tool names and the captions of the first instruction page call each thing by
// the same name.
TEST_P(LangFile, EditorToolsAndInstructionCaptionsAgree) {
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  auto at = [&](int i) { return lines[static_cast<std::size_t>(i)]; };
  // Whole names: block, ladder, floor, vanishing ladder, the four enemies.
  for (auto [tool, caption] : {std::pair{147, 84},
                               {149, 86},
                               {158, 75},
                               {160, 83},
                               {165, 78},
                               {166, 79},
                               {167, 80},
                               {168, 81}}) {
    EXPECT_EQ(at(tool), at(caption)) << "lines " << tool << " and " << caption;
  }
  // Captions that add what the thing is for ("Knife - throw it"): the name comes first.
  for (auto [tool, caption] : {std::pair{150, 68},
                               {151, 69},
                               {152, 70},
                               {153, 71},
                               {154, 72},
                               {155, 73},
                               {156, 74},
                               {159, 82},
                               {148, 85}}) {
    EXPECT_EQ(FirstWord(at(tool)), FirstWord(at(caption))) << "lines " << tool << ", " << caption;
  }
}

// The title menu's picture for the tutorials carries a word (assets/art/words.txt, menu.2); the
// tutorial heading, the chooser's title and the map screen use the same word.
TEST_P(LangFile, TheTutorialWordMatchesTheMenuPicture) {
  const std::string code = *GetParam() ? GetParam() : "en";
  std::ifstream words(std::string(QUILL_SOURCE_DIR) + "/assets/art/words.txt");
  ASSERT_TRUE(words);
  std::string line, section, word;
  while (std::getline(words, line)) {
    if (!line.empty() && line[0] == '[') section = line.substr(1, line.find(']') - 1);
    if (section == code && line.rfind("menu.2 = ", 0) == 0) word = line.substr(9);
  }
  ASSERT_FALSE(word.empty()) << code;
  const std::vector<std::string> lines = Lines(GetParam());
  ASSERT_EQ(lines.size(), 177u);
  EXPECT_EQ(Upper(lines[42]), word + " ");
  EXPECT_EQ(Upper(lines[136]), word);
  EXPECT_NE(Upper(lines[131]).find(word), std::string::npos) << lines[131];
}

INSTANTIATE_TEST_SUITE_P(Languages, LangFile, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) {
                           return std::string(*info.param ? info.param : "en");
                         });

TEST(LangFiles, AgreeOnWhichLinesAreEmpty) {
  const std::vector<std::string> english = Lines("");
  ASSERT_EQ(english.size(), 177u);
  for (const char* code : kLanguages) {
    const std::vector<std::string> other = Lines(code);
    ASSERT_EQ(other.size(), 177u) << code;
    for (std::size_t i = 0; i < 177; ++i) {
      EXPECT_EQ(english[i].empty(), other[i].empty()) << code << " line " << i;
    }
  }
}

// The word for a stage also names the solution replays ("Niveau 12.SOL"): each language has its
// own, safe in a file name and followed by the space before the number.
TEST(LangFiles, TheWordForAStageIsItsOwnAndFileNameSafe) {
  std::vector<std::string> words;
  for (const char* code : kLanguages) {
    const std::string word = Lines(code)[43];
    ASSERT_GE(word.size(), 2u) << code;
    EXPECT_EQ(word.back(), ' ') << code;
    for (char c : word)
      EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(c)) || c == ' ') << code;
    EXPECT_EQ(std::find(words.begin(), words.end(), word), words.end()) << code << ": " << word;
    words.push_back(word);
  }
}

// The translations are translations: most shown lines differ from the English ones.
TEST(LangFiles, TranslationsDifferFromTheEnglish) {
  const std::vector<std::string> english = Lines("");
  for (const char* code : {"fr", "gr", "it"}) {
    const std::vector<std::string> other = Lines(code);
    ASSERT_EQ(other.size(), 177u) << code;
    int same = 0, shown = 0;
    for (int i = 0; i < 177; ++i) {
      if (!MustHaveText(i)) continue;
      ++shown;
      same += english[static_cast<std::size_t>(i)] == other[static_cast<std::size_t>(i)] ? 1 : 0;
    }
    EXPECT_LT(same, shown / 6) << code << ": " << same << " of " << shown << " lines as in English";
  }
}

}  // namespace

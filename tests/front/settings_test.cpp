// The settings, language and progress files: readers, writers and odd contents.
#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/media.h"

using fronttest::FrontTest;
using fronttest::LineOf;

namespace {

using Bytes = std::vector<unsigned char>;

class SettingsTest : public FrontTest {};

TEST_F(SettingsTest, MissingPrefsIsCreatedHoldingZero) {
  ReadPrefs();
  EXPECT_EQ(Mode, 0);
  EXPECT_EQ(ReadBytes("prefs.ini"), Bytes{0});
}

TEST_F(SettingsTest, EmptyPrefsReadsZeroAndIsLeftAlone) {
  WriteBytes("prefs.ini", {});
  Mode = 5;
  ReadPrefs();
  EXPECT_EQ(Mode, 0);
  EXPECT_TRUE(ReadBytes("prefs.ini").empty());
}

TEST_F(SettingsTest, PrefsHoldingTwoIsLabelledWithLine13) {
  WriteBytes("prefs.ini", {2});
  Lang[13] = "WINDOW B";
  ReadPrefs();
  EXPECT_EQ(Mode, 2);
  EXPECT_EQ(md, "WINDOW B");
}

TEST_F(SettingsTest, PrefsHoldingSevenLeavesTheLabel) {
  WriteBytes("prefs.ini", {7, 1, 2});
  md = "OLD";
  Lang[11] = Lang[12] = Lang[13] = "NEW";
  ReadPrefs();
  EXPECT_EQ(Mode, 7);
  EXPECT_EQ(md, "OLD");
}

TEST_F(SettingsTest, PrefsThatCannotBeWrittenIsSkippedAndReadsZero) {
  // A folder in the way: the file can neither be opened nor replaced.
  std::filesystem::create_directories(dir_ / "prefs.ini");
  Mode = 3;
  ReadPrefs();
  EXPECT_EQ(Mode, 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "prefs.ini"));
  EXPECT_FALSE(WritePrefs(1));
}

TEST_F(SettingsTest, WritersStoreTheLowByte) {
  EXPECT_TRUE(WritePrefs(2));
  EXPECT_EQ(ReadBytes("prefs.ini"), Bytes{2});
  EXPECT_TRUE(WriteCountry(256 + 4));
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{4});
  // No temporary file is left beside them.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) files += e.is_regular_file();
  EXPECT_EQ(files, 2);
}

TEST_F(SettingsTest, CountryMissingGivesZeroAndKeepsLangRect) {
  LangRect = 1;
  EXPECT_EQ(ReadCountry(), 0);
  EXPECT_EQ(LangRect, 1);
  EXPECT_FALSE(Exists("Country.ini"));
}

TEST_F(SettingsTest, CountryEmptyReadsZero) {
  WriteBytes("Country.ini", {});
  LangRect = 1;
  EXPECT_EQ(ReadCountry(), 0);
  EXPECT_EQ(LangRect, 0);
}

TEST_F(SettingsTest, CountryHoldingFourSetsLangRect) {
  WriteBytes("Country.ini", {4});
  EXPECT_EQ(ReadCountry(), 4);
  EXPECT_EQ(LangRect, 4);
}

TEST_F(SettingsTest, LanguageFiveOrMoreReadsNoTextAndUsesPlainPictures) {
  WriteLanguageFiles();
  WriteBytes("Country.ini", {5});
  const int language = ReadCountry();
  EXPECT_EQ(language, 5);
  ReadLanguage(language);
  for (int n = 0; n < 186; ++n) EXPECT_TRUE(Lang[n].empty()) << n;
  EXPECT_EQ(PictureDirFor(5), "Images/");
  EXPECT_EQ(PictureDirFor(255), "Images/");
  EXPECT_EQ(PictureDirFor(0), "Images/");
  EXPECT_EQ(LangFileFor(5), "");
}

TEST_F(SettingsTest, FilesAndFoldersOfEachLanguage) {
  EXPECT_EQ(LangFileFor(1), "Langs/Lang.txt");
  EXPECT_EQ(LangFileFor(2), "Langs/fr/Lang.txt");
  EXPECT_EQ(LangFileFor(3), "Langs/gr/Lang.txt");
  EXPECT_EQ(LangFileFor(4), "Langs/it/Lang.txt");
  EXPECT_EQ(QuitFileFor(3), "Langs/gr/quit.txt");
  EXPECT_EQ(PictureDirFor(1), "Images/");
  EXPECT_EQ(PictureDirFor(2), "Images/fr/");
  EXPECT_EQ(PictureDirFor(3), "Images/gr/");
  EXPECT_EQ(PictureDirFor(4), "Images/it/");
}

TEST_F(SettingsTest, EachLanguageReadsItsOwnFile) {
  WriteLanguageFiles();
  for (int language = 1; language <= 4; ++language) {
    ReadLanguage(language);
    EXPECT_EQ(Lang[0], LineOf(language, 0));
    EXPECT_EQ(Lang[176], LineOf(language, 176));
    EXPECT_TRUE(Lang[177].empty());
  }
}

TEST_F(SettingsTest, CarriageReturnLineEndsReadTheSame) {
  std::string lf, crlf;
  for (int n = 0; n < 177; ++n) {
    lf += "Line " + std::to_string(n) + "  \n";
    crlf += "Line " + std::to_string(n) + "  \r\n";
  }
  WriteText("Langs/Lang.txt", lf);
  ReadLanguage(1);
  std::vector<std::string> first(Lang, Lang + 186);
  for (auto& s : Lang) s.clear();
  WriteText("Langs/Lang.txt", crlf);
  ReadLanguage(1);
  EXPECT_EQ(std::vector<std::string>(Lang, Lang + 186), first);
  EXPECT_EQ(Lang[43], "Line 43  ");  // trailing spaces kept
}

TEST_F(SettingsTest, ShortLanguageFileLeavesTheRestEmpty) {
  std::string text;
  for (int n = 0; n < 170; ++n) text += "T" + std::to_string(n) + "\n";
  WriteText("Langs/Lang.txt", text);
  ReadLanguage(1);
  EXPECT_EQ(Lang[169], "T169");
  for (int n = 170; n < 186; ++n) EXPECT_TRUE(Lang[n].empty()) << n;
}

TEST_F(SettingsTest, LongLanguageFileStopsAfter177Lines) {
  std::string text;
  for (int n = 0; n < 300; ++n) text += "T" + std::to_string(n) + "\n";
  WriteText("Langs/Lang.txt", text);
  ReadLanguage(1);
  EXPECT_EQ(Lang[176], "T176");
  EXPECT_TRUE(Lang[177].empty());
}

TEST_F(SettingsTest, OddBytesInTheLanguageFile) {
  WriteBytes("Langs/Lang.txt", {'A', 0, 'B', '\n', 0xFF, 'C', '\r', '\n'});
  ReadLanguage(1);
  EXPECT_EQ(Lang[0], "A");
  EXPECT_EQ(Lang[1], "B");
  EXPECT_EQ(Lang[2], std::string("\xFF") + "C");
  EXPECT_TRUE(Lang[3].empty());
}

TEST_F(SettingsTest, MissingLanguageFileLeavesEveryTextEmpty) {
  WriteText("Langs/quit.txt", "Oui\n\n");
  ReadLanguage(1);
  for (int n = 0; n < 186; ++n) EXPECT_TRUE(Lang[n].empty()) << n;
  EXPECT_EQ(yes, "79");
  EXPECT_EQ(no, "-1");
}

TEST_F(SettingsTest, MissingQuitFileStillReadsTheTexts) {
  WriteText("Langs/fr/Lang.txt", "Bonjour\n");
  ReadLanguage(2);
  EXPECT_EQ(Lang[0], "Bonjour");
  EXPECT_TRUE(yes.empty());
}

TEST_F(SettingsTest, QuitAnswersAreUpperCasedCodes) {
  WriteText("Langs/it/quit.txt", "si\nno\nextra\n");
  ReadLanguage(4);
  EXPECT_EQ(yes, "83");
  EXPECT_EQ(no, "78");
}

TEST_F(SettingsTest, PlayedMissingIsAllZeroAndMakesNoFile) {
  for (int k = 1; k <= 70; ++k) Played[k] = 9;
  ReadPlayed();
  for (int k = 1; k <= 70; ++k) EXPECT_EQ(Played[k], 0) << k;
  EXPECT_FALSE(Exists("Played.Bin"));
}

TEST_F(SettingsTest, ShortPlayedReadsZerosForTheMissingBytes) {
  WriteBytes("Played.Bin", {0, 0, 0, 0, 1});
  for (int k = 1; k <= 70; ++k) Played[k] = 9;
  ReadPlayed();
  EXPECT_EQ(Played[5], 1);  // any non-zero byte marks the stage as finished
  for (int k = 1; k <= 70; ++k) {
    if (k != 5) {
      EXPECT_EQ(Played[k], 0) << k;
    }
  }
}

TEST_F(SettingsTest, PlayedReadsSeventyBytesAndNoMore) {
  Bytes bytes(80);
  for (int i = 0; i < 80; ++i) bytes[i] = static_cast<unsigned char>(i + 1);
  WriteBytes("Played.Bin", bytes);
  ReadPlayed();
  EXPECT_EQ(Played[1], 1);
  EXPECT_EQ(Played[70], 70);
  EXPECT_EQ(Played[0], 0);
}

TEST_F(SettingsTest, PlayedReadIgnoresLetterCase) {
  WriteBytes("PLAYED.BIN", {3});
  ReadPlayed();
  EXPECT_EQ(Played[1], 3);
}

TEST_F(SettingsTest, WritingPlayedStoresSeventyBytes) {
  Path = media::CurrentDir() + "/";
  Played[3] = 3;
  Played[12] = 12;
  Played[70] = 256 + 70;
  EXPECT_TRUE(WritePlayed());
  Bytes bytes = ReadBytes("Played.Bin");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes[2], 3);
  EXPECT_EQ(bytes[11], 12);
  EXPECT_EQ(bytes[69], 70);
  EXPECT_EQ(bytes[0], 0);
}

TEST_F(SettingsTest, PlayedThatCannotBeWrittenKeepsTheOldFile) {
  Path = media::CurrentDir() + "/missing-folder/";
  EXPECT_FALSE(WritePlayed());
  WriteBytes("Played.Bin", {7, 7});
  // Replacing fails when the name is held by something that is not a file.
  std::filesystem::create_directories(dir_ / "sub" / "Played.Bin");
  Path = media::CurrentDir() + "/sub/";
  EXPECT_FALSE(WritePlayed());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "sub" / "Played.Bin"));
  EXPECT_EQ(ReadBytes("Played.Bin"), (Bytes{7, 7}));
}

}  // namespace

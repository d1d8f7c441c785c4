// The game with its own language files and music: each of the four languages starts to the
// title menu, and every menu screen can be reached and left.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/globals.h"
#include "core/objects.h"
#include "core/settings.h"
#include "core/sound.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::FrontTest;
namespace hl = media::headless;

namespace {

using Bytes = std::vector<unsigned char>;

class LanguagesTest : public FrontTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    const std::filesystem::path game = QUILL_GAME_DIR;
    std::filesystem::copy(game / "Langs", dir_ / "Langs", std::filesystem::copy_options::recursive);
    if (std::filesystem::is_directory(game / "Music")) {
      std::filesystem::copy(game / "Music", dir_ / "Music",
                            std::filesystem::copy_options::recursive);
    }
  }
};

TEST_P(LanguagesTest, StartsToTheTitleAndVisitsEveryMenuScreen) {
  const int language = GetParam();
  WriteBytes("Country.ini", {static_cast<unsigned char>(language)});
  WriteBytes("prefs.ini", {1});
  int visitedInstructions = 0, visitedOptions = 0, visitedQuit = 0;
  bool stopped = RunGame([&](int n) {
    switch (n) {
      case 0:
        hl::MoveMouseNow(400, 380);
        break;  // instructions
      case 1:
        hl::PressKey(media::KEY_SPACE);
        break;
      case 2:
        visitedInstructions = InstructionPage == 0;
        hl::PressKey(media::KEY_SPACE);
        break;
      case 3:
        visitedInstructions += InstructionPage == 1;
        hl::PressKey(media::KEY_ESCAPE);
        break;
      case 5:
        hl::MoveMouseNow(400, 513);
        break;  // options
      case 6:
        hl::PressKey(media::KEY_SPACE);
        break;
      case 7:
        visitedOptions = media::MouseX() == 318;
        hl::PressKey(media::KEY_ESCAPE);
        break;
      case 9:
        hl::MoveMouseNow(400, 560);
        break;  // exit: the quit dialog, then no
      case 10:
        hl::PressKey(media::KEY_SPACE);
        break;
      case 11:
        visitedQuit = media::MouseX() == 370 && media::MouseY() == 350;
        break;
      case 12:
        hl::PressKey('N');
        break;
      default:
        break;
    }
    return n < 15;
  });
  EXPECT_TRUE(stopped);
  EXPECT_EQ(visitedInstructions, 2);
  EXPECT_EQ(visitedOptions, 1);
  EXPECT_EQ(Language, language);
  const char* const dirs[5] = {"", "Images/", "Images/fr/", "Images/gr/", "Images/it/"};
  EXPECT_EQ(dir, dirs[language]);
  EXPECT_FALSE(Lang[50].empty());   // the game-over text
  EXPECT_FALSE(Lang[36].empty());   // the options hint
  EXPECT_FALSE(Lang[172].empty());  // the last tool name was read
  EXPECT_FALSE(Lang[11 + Mode].empty());
  EXPECT_EQ(md, Lang[12]);
  EXPECT_NE(Options1, nullptr);
  EXPECT_NE(ScoreBar, nullptr);
  EXPECT_EQ(GraphicsFullScreen, 0);
  EXPECT_EQ(Game->State, 31);
  EXPECT_EQ(visitedQuit, 1);
  EXPECT_EQ(TitleMenu.selection, 0);  // the dialog left the pointer on entry 0
  if (std::filesystem::is_regular_file(dir_ / "Music" / "Title.ogg")) {
    EXPECT_EQ(AllPrecachedMusic.size(), 2u);
    EXPECT_EQ(ChannelPlaying(song), 1);  // the title music
  }
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, LanguagesTest, ::testing::Values(1, 2, 3, 4));

TEST_F(FrontTest, EveryFileMissingStillReachesTheTitle) {
  // No language files, no settings, no music: the chooser (Escape), empty texts, full screen.
  bool chose = false;
  bool stopped = Run([] { _bb_main(); },
                     [&](int) {
                       if (Language == 0 && Flags) {
                         hl::PressKey(media::KEY_ESCAPE);
                         chose = true;
                       }
                       return !(Game && Game->State == 31);
                     });
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(chose);
  for (int n = 0; n < 186; ++n) EXPECT_TRUE(Lang[n].empty()) << n;
  EXPECT_EQ(GraphicsFullScreen, 1);
  EXPECT_TRUE(AllPrecachedMusic.empty());
  EXPECT_EQ(song, nullptr);
}

TEST_F(FrontTest, UnwritableSettingsFilesAreSkippedAndStartUpGoesOn) {
  WriteLanguageFiles();
  // Folders in the way of all three files: nothing can be opened or replaced.
  for (const char* name : {"prefs.ini", "Country.ini", "Played.Bin"})
    std::filesystem::create_directories(dir_ / name);
  bool stopped = Run([] { _bb_main(); },
                     [&](int) {
                       if (Language == 0 && Flags) hl::PressKey(media::KEY_SPACE);
                       return !(Game && Game->State == 31);
                     });
  EXPECT_TRUE(stopped);
  EXPECT_EQ(Language, 1);
  EXPECT_EQ(Mode, 0);
  EXPECT_EQ(Lang[3], fronttest::LineOf(1, 3));
  for (int k = 1; k <= 70; ++k) EXPECT_EQ(Played[k], 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Country.ini"));
}

TEST_F(FrontTest, OddSettingsBytesStartUpWithThePartsOutcomes) {
  WriteLanguageFiles();
  WriteBytes("prefs.ini", {7});
  WriteBytes("Country.ini", {200});
  Bytes played(70, 0);
  played[4] = 1;
  played[69] = 255;
  WriteBytes("Played.Bin", played);
  bool stopped = RunGame([](int) { return false; });
  EXPECT_TRUE(stopped);
  EXPECT_EQ(Language, 200);  // no language: no text, plain pictures
  EXPECT_EQ(LangRect, 200);
  EXPECT_TRUE(Lang[0].empty());
  EXPECT_EQ(dir, "Images/");
  EXPECT_NE(Options1, nullptr);
  EXPECT_EQ(Mode, 7);
  EXPECT_EQ(GraphicsFullScreen, 0);
  EXPECT_EQ(Played[5], 1);
  EXPECT_EQ(Played[70], 255);
  EXPECT_EQ(ReadBytes("Country.ini"), Bytes{200});
}

}  // namespace

// The settings, language and progress files where the fuzz targets do not reach: each language's
// own files and pictures, low bytes, and files that cannot be written.
#include "core/settings.h"

#include "core/globals.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/media.h"

namespace {

using fronttest::Bytes;

class SettingsTest : public fronttest::FrontTest {};

TEST_F(SettingsTest, EachLanguageHasItsOwnFilesAndPictures) {
  WriteLanguageFiles();
  const char* const pictures[6] = {"Images/",    "Images/",    "Images/fr/",
                                   "Images/gr/", "Images/it/", "Images/"};
  for (int language = 0; language <= 5; ++language) {
    for (auto& s : Lang) s = "old";
    ReadLanguage(language);
    const bool known = language >= 1 && language <= 4;
    EXPECT_EQ(Lang[0], known ? fronttest::LineOf(language, 0) : "old") << language;
    EXPECT_EQ(Lang[176], known ? fronttest::LineOf(language, 176) : "old") << language;
    EXPECT_EQ(Lang[177], "old") << language;
    EXPECT_EQ(PictureDirFor(language), pictures[language]);
  }
}

TEST_F(SettingsTest, WritersKeepTheLowByteAndSkipWhatCannotBeWritten) {
  EXPECT_TRUE(WriteCountry(256 + 4));
  EXPECT_EQ(Read("Country.ini"), Bytes{4});
  Path = media::CurrentDir() + "/";
  Played[3] = 3;
  Played[70] = 256 + 70;
  ASSERT_TRUE(WritePlayed());
  const Bytes written = Read("Played.Bin");
  ASSERT_EQ(written.size(), 70u);
  EXPECT_EQ(written[2] * 1000 + written[69], 3070);
  // Folders in the way: nothing is opened or replaced, the old file stays, no temporary file is
  // left behind.
  std::filesystem::create_directories(dir_ / "prefs.ini");
  Mode = 3;
  ReadPrefs();
  EXPECT_EQ(Mode, 0);
  EXPECT_FALSE(WritePrefs(1));
  std::filesystem::create_directories(dir_ / "sub" / "Played.Bin");
  Path = media::CurrentDir() + "/sub/";
  EXPECT_FALSE(WritePlayed());
  Path = media::CurrentDir() + "/missing/";
  EXPECT_FALSE(WritePlayed());
  EXPECT_EQ(Read("Played.Bin"), written);
  int files = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
    files += e.is_regular_file();
  EXPECT_EQ(files, 2);  // Country.ini and Played.Bin
}

}  // namespace

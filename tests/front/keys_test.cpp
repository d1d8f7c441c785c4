// Key redefinition with a test "keys.cfg", and the one-line prompt.
#include "front/keys.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

using fronttest::FrontTest;
namespace hl = media::headless;

namespace {

using Bytes = std::vector<unsigned char>;

class KeysTest : public FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    fronttest::LoadForScreens();
  }
  // Runs RedfineKeys pressing keys[i] after frame i.
  void Redefine(const std::vector<int>& keys) {
    const int before = hl::FrameCount();
    Run([] { RedfineKeys(); },
        [&](int frame) {
          const int i = frame - before;
          if (i < static_cast<int>(keys.size())) hl::PressKey(keys[i]);
          return i < 50;
        });
  }
};

TEST_F(KeysTest, ReadsNamesAndCodes) {
  WriteText("keys.cfg", "Space,32\r\nLeft,37\nNoComma\nA,B,65\n");
  fnLoadKeyMapData();
  EXPECT_EQ(arrKeyMap[1][1], "Space");
  EXPECT_EQ(arrKeyMap[1][0], "32");
  EXPECT_EQ(arrKeyMap[2][1], "Left");
  EXPECT_EQ(arrKeyMap[3][1], "");
  EXPECT_EQ(arrKeyMap[3][0], "NoComma");
  EXPECT_EQ(arrKeyMap[4][1], "A");
  EXPECT_EQ(arrKeyMap[4][0], "B,65");
  EXPECT_TRUE(arrKeyMap[0][0].empty());
  EXPECT_EQ(fnFindKey(32), "Space");
  EXPECT_EQ(fnFindKey(37), "Left");
  EXPECT_EQ(fnFindKey(65), "");
}

TEST_F(KeysTest, MissingFileReadsNothing) {
  fnLoadKeyMapData();
  for (int r = 0; r <= 100; ++r) EXPECT_TRUE(arrKeyMap[r][0].empty());
  EXPECT_EQ(fnFindKey(32), "");
}

TEST_F(KeysTest, RowsPastOneHundredAreIgnored) {
  std::string text;
  for (int n = 1; n <= 150; ++n) text += "K" + std::to_string(n) + "," + std::to_string(n) + "\n";
  WriteText("keys.cfg", text);
  fnLoadKeyMapData();
  EXPECT_EQ(arrKeyMap[100][1], "K100");
  EXPECT_EQ(fnFindKey(100), "K100");
  EXPECT_EQ(fnFindKey(101), "");
}

TEST_F(KeysTest, FiveKeysAreChosenAndSaved) {
  WriteText("keys.cfg", "Space,32\nLeft,37\nUp,38\nRight,39\n");
  // Space, Space again (refused), A (not listed), Left, Up, Right.
  Redefine({32, 32, 65, 37, 38, 39});
  EXPECT_EQ(RKey, 5);
  EXPECT_EQ(KNO[0], 32);
  EXPECT_EQ(KN[0], "Space");
  EXPECT_EQ(KNO[1], 65);
  EXPECT_EQ(KN[1], "");
  EXPECT_EQ(KN[2], "Left");
  EXPECT_EQ(KNO[4], 39);
  EXPECT_EQ(ReadBytes("dKeys.cfg"), (Bytes{32, 65, 37, 38, 39}));
}

TEST_F(KeysTest, FirstChosenNameIsDrawnInCapitals) {
  WriteText("keys.cfg", "Space,32\n");
  std::vector<media::Pixel> before, after;
  const int start = hl::FrameCount();
  Run([] { RedfineKeys(); },
      [&](int frame) {
        const int i = frame - start;
        const media::Pixel* p = media::ShownPixels();
        std::vector<media::Pixel> strip(p + 150 * 800 + 146, p + 150 * 800 + 146 + 80);
        for (int y = 151; y < 166; ++y)
          strip.insert(strip.end(), p + y * 800 + 146, p + y * 800 + 226);
        if (i == 0) {
          before = strip;
          hl::PressKey(32);
        }
        if (i == 1) after = strip;
        if (i == 2) {
          for (int k : {65, 66, 67, 68}) hl::PressKey(k);
        }
        return i < 10;
      });
  EXPECT_NE(before, after);
  EXPECT_EQ(KN[0], "Space");
}

TEST_F(KeysTest, ARefusedKeyStopsTheRestOfItsScan) {
  const int start = hl::FrameCount();
  Run([] { RedfineKeys(); },
      [&](int frame) {
        const int i = frame - start;
        if (i == 0) hl::PressKey(40);
        if (i == 1) {
          hl::PressKey(40);  // already chosen: refused, and 65 in the same scan is not taken
          hl::PressKey(65);
        }
        if (i == 2) {
          EXPECT_EQ(RKey, 1);
          hl::PressKey(30);  // a lower code than the refused one is still taken
          hl::PressKey(40);
        }
        if (i == 3) {
          EXPECT_EQ(RKey, 2);
        }
        return i < 3;
      });
  EXPECT_EQ(KNO[0], 40);
  EXPECT_EQ(KNO[1], 30);
  EXPECT_EQ(KNO[2], 0);
}

TEST_F(KeysTest, EscapeDoesNotEndItButNothingIsSaved) {
  Redefine({65, media::KEY_ESCAPE, 66, 67, 68, 69});
  EXPECT_EQ(RKey, 5);
  EXPECT_EQ(quit, 0);
  EXPECT_FALSE(Exists("dKeys.cfg"));
  for (int k = 0; k < 5; ++k) EXPECT_NE(KNO[k], media::KEY_ESCAPE);
}

TEST_F(KeysTest, SecondRunShowsNothingAndSavesTheSameKeys) {
  Redefine({65, 66, 67, 68, 69});
  std::filesystem::remove(dir_ / "dKeys.cfg");
  const int before = hl::FrameCount();
  RedfineKeys();
  EXPECT_EQ(hl::FrameCount(), before);
  EXPECT_EQ(ReadBytes("dKeys.cfg"), (Bytes{65, 66, 67, 68, 69}));
}

// Types the characters after the prompt's first frame (it flushes the keyboard on entry).
std::string Prompt(const std::string& prompt, int maxlen, std::vector<int> chars) {
  std::string result;
  bool typed = false;
  media::headless::OnFlip([&](int) {
    if (!typed) {
      for (int c : chars) hl::TypeChar(c);
      typed = true;
    }
    return true;
  });
  result = InputBitmap(10, 10, prompt, maxlen);
  media::headless::OnFlip(nullptr);
  return result;
}

TEST_F(KeysTest, PromptKeepsAtMostMaxlenCharacters) {
  hl::TypeChar('Z');  // flushed on entry
  EXPECT_EQ(Prompt("Name?", 3, {'A', 'B', 'C', 'D', 13}), "ABC");
}

TEST_F(KeysTest, PromptBackspaceAndEscape) {
  EXPECT_EQ(Prompt("Name?", 5, {8, 'X', 'Y', 8, 'Z', 27, 'Q', 13}), "Q");
  EXPECT_EQ(Prompt("", 5, {'A', 'B', 8, 13}), "A");
}

}  // namespace

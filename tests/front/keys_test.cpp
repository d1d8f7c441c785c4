// Key redefinition with a test "keys.cfg", and the one-line prompt (the fuzz target for keys.cfg
// checks its reader).
#include "front/keys.h"

#include <numeric>

#include "core/globals.h"
#include "front/front_globals.h"
#include "front_test.h"
#include "media/headless.h"
#include "media/media.h"

namespace {

using fronttest::Bytes;

class KeysTest : public fronttest::FrontTest {
 protected:
  void SetUp() override {
    FrontTest::SetUp();
    fronttest::LoadForScreens();
  }
};

// Space; Space again (refused, and so is a key later in the same scan); A (not listed); Left; a
// lower code in the scan of a refused key; Up. Then Escape does not end it, but nothing is saved.
TEST_F(KeysTest, FiveKeysAreChosenAndSavedUnlessEscaped) {
  Write("keys.cfg", std::string("Space,32\nLeft,37\nUp,38\nRight,39\n"));
  std::vector<long> strips;
  auto probe = [&] {
    const media::Pixel* p = media::ShownPixels();
    strips.push_back(std::accumulate(p + 150 * 800, p + 166 * 800, 0L));
    return std::vector<int>{RKey};
  };
  const fronttest::Trace want = {{0, {0}}, {1, {1}}, {2, {1}}, {3, {2}}, {5, {4}}};
  EXPECT_EQ(Play([] { RedfineKeys(); },
                 "0 press 32\n1 press 32\n1 press 65\n2 press 65\n3 press 37\n4 press 37\n"
                 "4 press 30\n5 press 38",
                 probe, want, 20),
            want);
  EXPECT_NE(strips[0], strips[1]);  // the chosen name is drawn
  EXPECT_EQ((std::vector<std::string>{KN[0], KN[1], KN[2]}),
            (std::vector<std::string>{"Space", "", "Left"}));
  EXPECT_EQ(Read("dKeys.cfg"), (Bytes{32, 65, 37, 30, 38}));
  // With five keys chosen a second run shows nothing and saves the same keys.
  std::filesystem::remove(dir_ / "dKeys.cfg");
  EXPECT_EQ(Run([] { RedfineKeys(); }, [](int) { return true; }), 0);
  EXPECT_EQ(Read("dKeys.cfg"), (Bytes{32, 65, 37, 30, 38}));
  std::filesystem::remove(dir_ / "dKeys.cfg");
  RKey = 0;
  Play([] { RedfineKeys(); }, "0 press B\n1 press ESC\n2 press C\n3 press D\n4 press E\n5 press F",
       [] { return std::vector<int>{}; }, {}, 20);
  EXPECT_EQ((std::vector{RKey, quit, KNO[4]}), (std::vector{5, 0, 70}));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "dKeys.cfg"));
}

TEST_F(KeysTest, PromptEditsTheLine) {
  struct Case {
    int maxlen;
    const char* input;
    const char* result;
  };
  const Case cases[] = {{3, "0 type ABCD\n0 press ENTER", "ABC"},
                        {5,
                         "0 press BACKSPACE\n0 type XY\n0 press BACKSPACE\n0 press ESC\n"
                         "0 type AB\n0 press BACKSPACE\n0 press ENTER",
                         "A"}};
  for (const Case& c : cases) {
    media::headless::TypeChar('Z');  // flushed on entry
    std::string result;
    Play([&] { result = InputBitmap(10, 10, "Name?", c.maxlen); }, c.input,
         [] { return std::vector<int>{}; }, {}, 20);
    EXPECT_EQ(result, c.result);
  }
}

}  // namespace

// Pictures and sounds that do not load: null, and exactly one line on standard error that
// names the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "media/files.h"
#include "media/graphics.h"
#include "media/headless.h"
#include "media/sound.h"
#include "media/temp_folder.h"
#include "sound_test_ogg.h"

using quill_test::TempFolder;

namespace {

void Put(const std::string& path, const std::vector<unsigned char>& bytes) {
  quill_test::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<unsigned char> Cut(std::vector<unsigned char> bytes, std::size_t size) {
  bytes.resize(std::min(size, bytes.size()));
  return bytes;
}

// Runs the load; expects null and one line naming `name` on standard error.
void ExpectOneLineNaming(const std::string& name, const std::function<bool()>& loadIsNull) {
  testing::internal::CaptureStderr();
  const bool isNull = loadIsNull();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(isNull) << name;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << name << ": " << err;
  EXPECT_FALSE(err.empty() || err.back() != '\n') << name << ": " << err;
  EXPECT_NE(err.find(name), std::string::npos) << name << ": " << err;
}

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    media::headless::ResetHeadless();
    std::vector<media::Pixel> pixels(16 * 8, 0xFF00FF00u);
    ASSERT_TRUE(media::SavePNG(pixels.data(), 16, 8, "good.png"));
    ASSERT_TRUE(media::ReadWholeFile("good.png", png_));
    ogg_ = quilltest::EncodeSineOgg(22050, 1, 4000, 440.0, 0.5);
    ASSERT_GT(ogg_.size(), 200u);
  }
  void TearDown() override { media::headless::ResetHeadless(); }
  TempFolder folder_;
  std::vector<unsigned char> png_, ogg_;
};

}  // namespace

TEST_F(BadInput, PicturesThatDoNotLoad) {
  Put("empty.png", {});
  Put("text.png", {'h', 'e', 'l', 'l', 'o', '\n'});
  Put("half.png", Cut(png_, png_.size() / 2));
  Put("header.png", Cut(png_, 20));
  ASSERT_TRUE(media::CreateDir("folder.png"));
  for (const char* name :
       {"missing.png", "empty.png", "text.png", "half.png", "header.png", "folder.png"}) {
    ExpectOneLineNaming(name, [&] { return media::LoadImage(name) == nullptr; });
    ExpectOneLineNaming(name, [&] { return media::LoadAnimImage(name, 8, 8, 0, 2) == nullptr; });
  }
  ExpectOneLineNaming("incbin::Images/None.png",
                      [] { return media::LoadImage("incbin::Images/None.png") == nullptr; });
}

TEST_F(BadInput, CellLayoutsThePictureCannotGive) {
  // good.png is 16 x 8: two cells of 8 x 8.
  ASSERT_NE(media::LoadAnimImage("good.png", 8, 8, 0, 2), nullptr);
  ExpectOneLineNaming("good.png",
                      [] { return media::LoadAnimImage("good.png", 8, 8, 0, 3) == nullptr; });
  ExpectOneLineNaming("good.png",
                      [] { return media::LoadAnimImage("good.png", 8, 8, 2, 1) == nullptr; });
  ExpectOneLineNaming("good.png",
                      [] { return media::LoadAnimImage("good.png", 0, 8, 0, 1) == nullptr; });
  ExpectOneLineNaming("good.png",
                      [] { return media::LoadAnimImage("good.png", 8, 8, -1, 1) == nullptr; });
  ExpectOneLineNaming("good.png",
                      [] { return media::LoadAnimImage("good.png", 17, 8, 0, 1) == nullptr; });
}

TEST_F(BadInput, SoundsThatDoNotLoad) {
  Put("empty.ogg", {});
  Put("text.ogg", {'O', 'g', 'g', 'S', ' ', 'n', 'o', 't'});
  Put("header.ogg", Cut(ogg_, 60));
  Put("picture.ogg", png_);
  ASSERT_TRUE(media::CreateDir("folder.ogg"));
  for (const char* name :
       {"missing.ogg", "empty.ogg", "text.ogg", "header.ogg", "picture.ogg", "folder.ogg"}) {
    ExpectOneLineNaming(name, [&] { return media::LoadSound(name) == nullptr; });
    ExpectOneLineNaming(name, [&] { return media::LoadSound(name, 1) == nullptr; });
  }
  ExpectOneLineNaming("incbin::Sfx/None.ogg",
                      [] { return media::LoadSound("incbin::Sfx/None.ogg") == nullptr; });
  // The good file loads, and says nothing.
  Put("good.ogg", ogg_);
  testing::internal::CaptureStderr();
  EXPECT_NE(media::LoadSound("good.ogg"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

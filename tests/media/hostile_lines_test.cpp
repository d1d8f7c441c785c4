// Text files of any shape cost little: an over-long line is cut and the rest of it skipped,
// whether the file is held in memory or read through (over 16 MB); and what interrupted safe
// writes leave behind is removed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "media/files.h"

namespace {

namespace fs = std::filesystem;

class HostileLines : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quill-lines-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }
  fs::path dir_;
};

TEST_F(HostileLines, LongLinesAreCutAndTheNextLineIsReadWhole) {
  const std::size_t cap = media::kMaxLineLength;
  struct Case {
    const char* what;
    std::size_t longLine;
  } cases[] = {{"in memory", 5u << 20}, {"read through", 20u << 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path =
        Write("Lang.txt", "first\r\n" + std::string(c.longLine, 'x') + "\r\nthird\nlast");
    for (bool readOnly : {true, false}) {
      media::Stream in = readOnly ? media::ReadFile(path) : media::OpenFile(path);
      ASSERT_TRUE(in);
      testing::internal::CaptureStderr();
      EXPECT_EQ(media::ReadLine(in), "first");
      EXPECT_EQ(media::ReadLine(in), std::string(cap, 'x'));
      EXPECT_EQ(media::ReadLine(in), "third");
      EXPECT_EQ(media::Eof(in), 0);
      EXPECT_EQ(media::ReadLine(in), "last");
      EXPECT_EQ(media::Eof(in), 1);
      const std::string said = testing::internal::GetCapturedStderr();
      EXPECT_NE(said.find("Lang.txt"), std::string::npos) << said;
      media::CloseFile(in);
    }
  }
  // A line of exactly the bound is whole and says nothing; a file that is one endless line
  // ends after the cut; the message comes once a file.
  const std::string path =
      Write("quit.txt", std::string(cap, 'y') + "\n" + std::string(3 * cap, 'z') + "\n" +
                            std::string(3 * cap, 'w'));
  media::Stream in = media::ReadFile(path);
  testing::internal::CaptureStderr();
  EXPECT_EQ(media::ReadLine(in), std::string(cap, 'y'));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  testing::internal::CaptureStderr();
  EXPECT_EQ(media::ReadLine(in), std::string(cap, 'z'));
  EXPECT_EQ(media::ReadLine(in), std::string(cap, 'w'));
  EXPECT_EQ(media::Eof(in), 1);
  EXPECT_EQ(media::ReadLine(in), "");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("was cut"), said.rfind("was cut")) << said;
}

TEST_F(HostileLines, LeftoversOfInterruptedSavesAreRemoved) {
  for (const char* name : {".prefs.ini.tmp-a1B2c3", ".Played.Bin.tmp-XYZ789", "prefs.ini",
                           ".hidden", "x.tmp-123456", ".y.tmp-12345", ".z.tmp-1234567"})
    Write(name, "data");
  fs::create_directories(dir_ / ".dir.tmp-abcdef");
  EXPECT_EQ(media::RemoveStaleTempFiles(dir_.string()), 2);
  int left = 0;
  for (const auto& e : fs::directory_iterator(dir_)) {
    ++left;
    EXPECT_EQ(e.path().filename().string().find(".prefs.ini.tmp"), std::string::npos);
    EXPECT_EQ(e.path().filename().string().find(".Played.Bin.tmp"), std::string::npos);
  }
  EXPECT_EQ(left, 6);
  EXPECT_EQ(media::RemoveStaleTempFiles((dir_ / "missing").string()), 0);
}

}  // namespace

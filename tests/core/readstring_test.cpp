// ReadString: a 32-bit length, then that many bytes when the length is 1 to 1,048,575.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/objects.h"
#include "media/files.h"

namespace {

namespace fs = std::filesystem;

class ReadStringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quill_core_rs_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // A file holding the length `n` little-endian and then `tail`.
  media::Stream Open(std::int32_t n, const std::string& tail) {
    const std::string path = (dir_ / "s.bin").string();
    std::ofstream out(path, std::ios::binary);
    const auto u = static_cast<std::uint32_t>(n);
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>((u >> (8 * i)) & 0xFF));
    out << tail;
    out.close();
    return media::ReadFile(path);
  }

  fs::path dir_;
};

TEST_F(ReadStringTest, LengthThreeGivesTheNextThreeCharacters) {
  auto s = Open(3, "abcdef");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "abc");
  EXPECT_EQ(media::ReadByte(s), 'd');  // exactly three bytes were taken
  media::CloseFile(s);
}

TEST_F(ReadStringTest, BytesAboveSevenBitsAreKept) {
  auto s = Open(2, std::string("\xE9\x01", 2));
  ASSERT_TRUE(s);
  const std::string r = ReadString(s);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(r[0]), 0xE9);
  EXPECT_EQ(r[1], '\x01');
  media::CloseFile(s);
}

TEST_F(ReadStringTest, ZeroLengthGivesEmptyAndReadsNothingMore) {
  auto s = Open(0, "xyz");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "");
  EXPECT_EQ(media::StreamPos(s), 4);
  media::CloseFile(s);
}

TEST_F(ReadStringTest, NegativeLengthGivesEmpty) {
  auto s = Open(-1, "xyz");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "");
  EXPECT_EQ(media::StreamPos(s), 4);
  media::CloseFile(s);
  s = Open(INT32_MIN, "xyz");
  EXPECT_EQ(ReadString(s), "");
  media::CloseFile(s);
}

TEST_F(ReadStringTest, LengthOfOneMebibyteGivesEmpty) {
  auto s = Open(1048576, std::string(16, 'q'));
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "");
  EXPECT_EQ(media::StreamPos(s), 4);
  media::CloseFile(s);
}

TEST_F(ReadStringTest, LargestLengthIsReadWhole) {
  const std::string body(1048575, 'z');
  auto s = Open(1048575, body + "!");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), body);
  EXPECT_EQ(media::ReadByte(s), '!');
  media::CloseFile(s);
}

TEST_F(ReadStringTest, ShortFileGivesWhatIsThere) {
  auto s = Open(10, "ab");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "ab");
  EXPECT_EQ(media::Eof(s), 1);
  media::CloseFile(s);
}

TEST_F(ReadStringTest, NullOrTruncatedStreamGivesEmpty) {
  EXPECT_EQ(ReadString(nullptr), "");
  const std::string path = (dir_ / "short.bin").string();
  std::ofstream(path, std::ios::binary) << "\x03\x00";
  auto s = media::ReadFile(path);
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "");
  media::CloseFile(s);
}

}  // namespace

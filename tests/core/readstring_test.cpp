// ReadString: a 32-bit length, then that many bytes when the length is 1 to 1,048,575.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/objects.h"
#include "media/files.h"
#include "media/temp_folder.h"

namespace {

class ReadStringTest : public ::testing::Test {
 protected:
  // A file holding the length `n` little-endian and then `tail`, opened for reading.
  static media::Stream Open(std::int32_t n, const std::string& tail) {
    std::string bytes;
    const auto u = static_cast<std::uint32_t>(n);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
    quill_test::WriteBytes("s.bin", bytes + tail);
    return media::ReadFile("s.bin");
  }

  quill_test::TempFolder folder_;
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

TEST_F(ReadStringTest, LengthsOutsideTheRangeGiveEmptyAndReadNothingMore) {
  for (std::int32_t n : {0, -1, INT32_MIN, 1048576, INT32_MAX}) {
    auto s = Open(n, std::string(16, 'q'));
    ASSERT_TRUE(s);
    EXPECT_EQ(ReadString(s), "") << n;
    EXPECT_EQ(media::StreamPos(s), 4) << n;
    media::CloseFile(s);
  }
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
  quill_test::WriteBytes("short.bin", std::string("\x03\x00", 2));
  auto s = media::ReadFile("short.bin");
  ASSERT_TRUE(s);
  EXPECT_EQ(ReadString(s), "");
  media::CloseFile(s);
}

}  // namespace

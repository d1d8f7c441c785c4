// Files that are not what a reader expects: named pipes, huge files, folders in the way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "media/files.h"
#include "media/graphics.h"
#include "media/sound.h"
#include "media/temp_folder.h"

using namespace media;
using quill_test::TempFolder;
using quill_test::WriteBytes;

namespace {

// A sparse file of `size` bytes: costs no disk space, reads as zeros, `tail` at its end.
bool MakeSparse(const char* path, off_t size, const std::string& tail) {
  int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = ::ftruncate(fd, size) == 0;
  auto at = static_cast<off_t>(size - static_cast<off_t>(tail.size()));
  ok = ok && ::pwrite(fd, tail.data(), tail.size(), at) == static_cast<ssize_t>(tail.size());
  ::close(fd);
  return ok;
}

}  // namespace

TEST(FilesHostile, ANamedPipeIsNoFileAndDoesNotBlock) {
  TempFolder t;
  ASSERT_EQ(::mkfifo("pipe.ini", 0644), 0);
  // With no writer on the other end, an ordinary open for reading would wait for ever.
  EXPECT_EQ(ReadFile("pipe.ini"), nullptr);
  EXPECT_EQ(ReadFile("PIPE.INI"), nullptr);
  EXPECT_EQ(OpenFile("pipe.ini"), nullptr);
  std::vector<unsigned char> bytes;
  EXPECT_FALSE(ReadWholeFile("pipe.ini", bytes));
  EXPECT_EQ(LoadImage("pipe.ini"), nullptr);
  EXPECT_EQ(LoadSound("pipe.ini"), nullptr);
  EXPECT_EQ(FileType("pipe.ini"), 0);
}

TEST(FilesHostile, AHugeFileIsReadThroughTheFileNotHeldInMemory) {
  TempFolder t;
  constexpr off_t kSize = off_t{3} << 30;  // 3 GB, sparse
  if (!MakeSparse("Huge.bin", kSize, std::string("\x01\x02\x03\x04\n", 5)))
    GTEST_SKIP() << "no sparse files here";
  Stream s = ReadFile("huge.bin");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadInt(s), 0);
  EXPECT_EQ(ReadString(s, 8), std::string(8, '\0'));
  EXPECT_EQ(Eof(s), 0);
  SeekStream(s, static_cast<int>(kSize >> 1));  // StreamPos counts in int: the middle
  EXPECT_EQ(ReadByte(s), 0);
  WriteByte(s, 7);  // read only
  EXPECT_TRUE(CloseFile(s));
  EXPECT_EQ(FileSize("Huge.bin"), static_cast<long>(kSize));
}

TEST(FilesHostile, TheEndOfABigStreamedFileReadsAndEndsAsUsual) {
  TempFolder t;
  constexpr off_t kSize = off_t{40} << 20;  // beyond the in-memory size, within int
  if (!MakeSparse("big.bin", kSize, std::string("\x01\x02\x03\x04tail\n", 9)))
    GTEST_SKIP() << "no sparse files here";
  Stream s = ReadFile("big.bin");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(StreamSize(s), static_cast<int>(kSize));
  SeekStream(s, static_cast<int>(kSize - 9));
  EXPECT_EQ(ReadInt(s), 0x04030201);
  EXPECT_EQ(ReadLine(s), "tail");
  EXPECT_EQ(Eof(s), 1);
  EXPECT_EQ(ReadInt(s), 0);  // past the end: 0, and still at the end
  EXPECT_EQ(Eof(s), 1);
  EXPECT_EQ(ReadLine(s), "");
}

TEST(FilesHostile, DecodersRefuseFilesTooBigToBePicturesOrSounds) {
  TempFolder t;
  constexpr off_t kSize = (off_t{256} << 20) + 1;
  if (!MakeSparse("big.png", kSize, "x")) GTEST_SKIP() << "no sparse files here";
  std::vector<unsigned char> bytes{1};
  EXPECT_FALSE(ReadWholeFile("big.png", bytes));
  EXPECT_TRUE(bytes.empty());
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadImage("big.png"), nullptr);
  EXPECT_EQ(LoadSound("big.png"), nullptr);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("big.png"), std::string::npos) << err;
}

TEST(FilesHostile, FoldersWhereFilesAreExpected) {
  TempFolder t;
  ASSERT_TRUE(CreateDir("prefs.ini"));
  EXPECT_EQ(ReadFile("prefs.ini"), nullptr);
  EXPECT_EQ(OpenFile("prefs.ini"), nullptr);
  EXPECT_EQ(WriteFile("prefs.ini"), nullptr);
  EXPECT_EQ(WriteFileSafely("prefs.ini"), nullptr);
  EXPECT_EQ(FileType("prefs.ini"), 2);
  WriteBytes("plain", "x");
  EXPECT_EQ(ReadFile("plain/inside"), nullptr);  // a file used as a folder
  EXPECT_EQ(WriteFile("plain/inside"), nullptr);
  EXPECT_EQ(FileType("plain/inside"), 0);
}

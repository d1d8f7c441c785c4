// Streams: the open rules, reads past the end, ReadLine, and safe writing.
#include "media/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "media/files_internal.h"
#include "media/temp_folder.h"
#include "media/text.h"

using namespace media;
using quill_test::ReadBytes;
using quill_test::TempFolder;
using quill_test::WriteBytes;

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  WriteBytes("lines.txt", bytes);
  Stream s = ReadFile("lines.txt");
  std::vector<std::string> out;
  for (int guard = 0; s && !Eof(s) && guard < 100; ++guard) out.push_back(ReadLine(s));
  CloseFile(s);
  return out;
}

}  // namespace

TEST(FilesOpen, OpenFileNeedsExactLetterCase) {
  TempFolder t;
  WriteBytes("Prefs.ini", "\x01");
  EXPECT_EQ(OpenFile("prefs.ini"), nullptr);
  EXPECT_EQ(OpenFile("PREFS.INI"), nullptr);
  Stream s = OpenFile("Prefs.ini");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadByte(s), 1);
  EXPECT_TRUE(CloseFile(s));
}

TEST(FilesOpen, OpenFileRefusesMissingFoldersAndReadOnlyFiles) {
  TempFolder t;
  EXPECT_EQ(OpenFile("missing.ini"), nullptr);
  EXPECT_EQ(OpenFile(""), nullptr);
  ASSERT_TRUE(CreateDir("sub"));
  EXPECT_EQ(OpenFile("sub"), nullptr);
  WriteBytes("ro.ini", "\x02");
  ASSERT_EQ(::chmod("ro.ini", 0444), 0);
  EXPECT_EQ(OpenFile("ro.ini"), nullptr);
  // Reading only is still fine.
  Stream r = ReadFile("ro.ini");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(ReadByte(r), 2);
}

TEST(FilesOpen, OpenFileReadsAndWritesWithoutEmptyingTheFile) {
  TempFolder t;
  WriteBytes("data.bin", std::string("\x01\x02\x03\x04", 4));
  Stream s = OpenFile("data.bin");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(StreamSize(s), 4);
  EXPECT_EQ(ReadByte(s), 1);
  WriteByte(s, 9);  // overwrites the second byte
  EXPECT_EQ(ReadByte(s), 3);
  EXPECT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadBytes("data.bin"), std::string("\x01\x09\x03\x04", 4));
}

TEST(FilesOpen, ReadFileFindsAPathDifferingOnlyInLetterCase) {
  TempFolder t;
  ASSERT_TRUE(CreateDir("Levels/Sub", true));
  WriteBytes("Levels/Sub/Stage1.SOL", "abc");
  for (const char* name : {"Levels/Sub/Stage1.SOL", "levels/sub/stage1.sol",
                           "LEVELS/SUB/STAGE1.SOL", "levels\\SUB\\stage1.Sol"}) {
    Stream s = ReadFile(name);
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(ReadString(s, 3), "abc") << name;
  }
  EXPECT_EQ(ReadFile("levels/sub/stage2.sol"), nullptr);
  EXPECT_EQ(ReadFile("levels/other/stage1.sol"), nullptr);
  // With an absolute path too.
  Stream abs = ReadFile(t.path() + "/LEVELS/sub/stage1.sol");
  ASSERT_NE(abs, nullptr);
  EXPECT_EQ(ReadByte(abs), 'a');
}

TEST(FilesOpen, ReadFilePrefersTheExactName) {
  TempFolder t;
  WriteBytes("name.txt", "lower");
  WriteBytes("NAME.txt", "upper");
  Stream a = ReadFile("name.txt");
  Stream b = ReadFile("NAME.txt");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(ReadLine(a), "lower");
  EXPECT_EQ(ReadLine(b), "upper");
  EXPECT_EQ(ReadFile("sub"), nullptr);
  ASSERT_TRUE(CreateDir("folder"));
  EXPECT_EQ(ReadFile("folder"), nullptr);  // a folder is not a file
}

TEST(FilesOpen, BackslashesReadAsSlashes) {
  TempFolder t;
  ASSERT_TRUE(CreateDir("PlayerLevels"));
  Stream w = WriteFile(t.path() + "\\PlayerLevels\\mine");
  ASSERT_NE(w, nullptr);
  WriteString(w, "xy");
  EXPECT_TRUE(CloseFile(w));
  EXPECT_EQ(ReadBytes("PlayerLevels/mine"), "xy");
  EXPECT_EQ(FileType("PlayerLevels\\mine"), 1);
  EXPECT_NE(OpenFile("PlayerLevels\\mine"), nullptr);
}

TEST(FilesEmbedded, IncbinNamesAreFoundInAnyCaseAndAreReadOnly) {
  static const unsigned char kData[] = {7, 8, 9, 10, 0, 0, 0};
  ClearEmbedded();
  RegisterEmbedded("Images/Font.png", kData, 4);
  for (const char* name : {"incbin::Images/Font.png", "INCBIN::Images/Font.png",
                           "InCbIn::images/font.PNG", "incbin::Images\\Font.png"}) {
    Stream s = ReadFile(name);
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(StreamSize(s), 4);
    EXPECT_EQ(ReadInt(s), 7 | 8 << 8 | 9 << 16 | 10 << 24) << name;
    EXPECT_EQ(Eof(s), 1);
    WriteByte(s, 1);  // read only: nothing happens
    EXPECT_EQ(kData[0], 7);
  }
  EXPECT_EQ(OpenFile("incbin::Images/Font.png"), nullptr);
  EXPECT_EQ(WriteFile("incbin::Images/Font.png"), nullptr);
  EXPECT_EQ(WriteFileSafely("incbin::Images/Font.png"), nullptr);
  EXPECT_EQ(ReadFile("incbin::Images/Missing.png"), nullptr);
  EXPECT_EQ(ReadFile("Images/Font.png"), nullptr);  // without the prefix it is a disk file
  std::vector<unsigned char> all;
  EXPECT_TRUE(ReadWholeFile("Incbin::images/font.png", all));
  EXPECT_EQ(all, (std::vector<unsigned char>{7, 8, 9, 10}));
  EXPECT_FALSE(ReadWholeFile("incbin::nothing", all));
  ClearEmbedded();
  EXPECT_EQ(ReadFile("incbin::Images/Font.png"), nullptr);
}

TEST(FilesEmbedded, AnEmptyBlobOpensAndIsAtItsEnd) {
  ClearEmbedded();
  RegisterEmbedded("Sfx/Gold.ogg", nullptr, 0);
  Stream s = ReadFile("incbin::Sfx/Gold.ogg");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Eof(s), 1);
  EXPECT_EQ(ReadByte(s), 0);
  ClearEmbedded();
}

TEST(FilesRead, ReadsPastTheEndGiveZeroAndSetEof) {
  TempFolder t;
  WriteBytes("short.bin", std::string("\x05\x06\x07", 3));
  Stream s = ReadFile("short.bin");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Eof(s), 0);
  EXPECT_EQ(ReadInt(s), 0);  // only three bytes are there
  EXPECT_EQ(Eof(s), 1);
  EXPECT_EQ(ReadByte(s), 0);
  EXPECT_EQ(ReadString(s, 5), "");
  EXPECT_EQ(ReadLine(s), "");
  EXPECT_EQ(Eof(s), 1);

  Stream b = ReadFile("short.bin");
  EXPECT_EQ(ReadByte(b), 5);
  EXPECT_EQ(ReadByte(b), 6);
  EXPECT_EQ(Eof(b), 0);
  EXPECT_EQ(ReadByte(b), 7);
  EXPECT_EQ(Eof(b), 1);  // at the end, though nothing was read past it yet
  EXPECT_EQ(ReadByte(b), 0);
  SeekStream(b, 1);
  EXPECT_EQ(Eof(b), 0);
  EXPECT_EQ(ReadString(b, 100), "\x06\x07");
  EXPECT_EQ(Eof(b), 1);
}

TEST(FilesRead, OpenFileStreamsAlsoStopAtTheEnd) {
  TempFolder t;
  WriteBytes("prefs.ini", "");
  Stream s = OpenFile("prefs.ini");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(Eof(s), 1);
  EXPECT_EQ(ReadByte(s), 0);
  EXPECT_EQ(ReadInt(s), 0);
  EXPECT_TRUE(CloseFile(s));
  EXPECT_EQ(FileSize("prefs.ini"), 0);
}

TEST(FilesRead, NullAndClosedStreamsAreHarmless) {
  Stream none;
  EXPECT_EQ(ReadByte(none), 0);
  EXPECT_EQ(ReadInt(none), 0);
  EXPECT_EQ(ReadLine(none), "");
  EXPECT_EQ(Eof(none), 1);
  EXPECT_FALSE(CloseFile(none));
  WriteByte(none, 1);
  TempFolder t;
  WriteBytes("a", "abc");
  Stream s = ReadFile("a");
  EXPECT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadByte(s), 0);
  EXPECT_EQ(Eof(s), 1);
  EXPECT_TRUE(CloseFile(s));  // a second close changes nothing
}

TEST(FilesRead, ReadLineEndsAtLineFeedZeroOrEnd) {
  TempFolder t;
  EXPECT_EQ(Lines("one\r\ntwo\r\nthree"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(Lines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Lines("a\nb\n\n"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(Lines(std::string("a\0b\nc", 5)), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Lines("x\ry\rz\n"), (std::vector<std::string>{"xyz"}));
  EXPECT_EQ(Lines("\n\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Lines(""), (std::vector<std::string>{}));
  // High bytes are one character each.
  EXPECT_EQ(Lines("\xe9t\xe9\n"), (std::vector<std::string>{"\xe9t\xe9"}));
}

TEST(FilesWrite, WriteFileCreatesOrEmptiesAndWritesLittleEndian) {
  TempFolder t;
  WriteBytes("out.bin", "old content that is long");
  Stream w = WriteFile("out.bin");
  ASSERT_NE(w, nullptr);
  WriteInt(w, 0x04030201);
  WriteInt(w, -2);
  WriteByte(w, 0x1FF);  // the low 8 bits
  WriteFloat(w, 1.5f);
  WriteLine(w, "hi");
  WriteString(w, "end");
  EXPECT_EQ(StreamPos(w), 4 + 4 + 1 + 4 + 3 + 3);
  EXPECT_TRUE(CloseFile(w));
  std::string bytes = ReadBytes("out.bin");
  ASSERT_EQ(bytes.size(), 19u);
  EXPECT_EQ(bytes.substr(0, 9), std::string("\x01\x02\x03\x04\xfe\xff\xff\xff\xff", 9));
  Stream r = ReadFile("out.bin");
  EXPECT_EQ(ReadInt(r), 0x04030201);
  EXPECT_EQ(ReadInt(r), -2);
  EXPECT_EQ(ReadByte(r), 255);
  EXPECT_EQ(ReadFloat(r), 1.5f);
  EXPECT_EQ(ReadLine(r), "hi");
  EXPECT_EQ(ReadString(r, 3), "end");
  EXPECT_EQ(Eof(r), 1);
  EXPECT_EQ(WriteFile("no/such/folder/file"), nullptr);
}

TEST(FilesWrite, WriteFileSafelyReplacesTheFileWhole) {
  TempFolder t;
  WriteBytes("Played.Bin", "old");
  ASSERT_EQ(::chmod("Played.Bin", 0640), 0);
  Stream w = WriteFileSafely("Played.Bin");
  ASSERT_NE(w, nullptr);
  for (int i = 1; i <= 70; ++i) WriteByte(w, i);
  EXPECT_EQ(ReadBytes("Played.Bin"), "old");  // untouched until the close
  EXPECT_TRUE(CloseFile(w));
  std::string bytes = ReadBytes("Played.Bin");
  ASSERT_EQ(bytes.size(), 70u);
  EXPECT_EQ(bytes[11], 12);
  EXPECT_EQ(LoadDir("."), (std::vector<std::string>{"Played.Bin"}));  // no temporary left
  struct stat st {};
  ASSERT_EQ(::stat("Played.Bin", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's permissions are kept
}

TEST(FilesWrite, WriteFileSafelyCreatesANewFile) {
  TempFolder t;
  ASSERT_TRUE(CreateDir("PlayerLevels"));
  Stream w = WriteFileSafely("PlayerLevels\\new");
  ASSERT_NE(w, nullptr);
  WriteLine(w, "stage");
  EXPECT_TRUE(CloseFile(w));
  EXPECT_EQ(ReadBytes("PlayerLevels/new"), "stage\n");
  EXPECT_EQ(LoadDir("PlayerLevels").size(), 1u);
}

TEST(FilesWrite, AFailedWriteKeepsTheOldFile) {
  TempFolder t;
  WriteBytes("prefs.ini", "keep me");
  Stream w = WriteFileSafely("prefs.ini");
  ASSERT_NE(w, nullptr);
  detail::FailWritesAfter(3);  // the disk fills after three bytes
  WriteString(w, "new content");
  detail::FailWritesAfter(-1);
  WriteString(w, "more");  // the stream stays failed
  EXPECT_FALSE(CloseFile(w));
  EXPECT_EQ(ReadBytes("prefs.ini"), "keep me");
  EXPECT_EQ(LoadDir("."), (std::vector<std::string>{"prefs.ini"}));
}

TEST(FilesWrite, APlainWriteReportsAFailedWrite) {
  TempFolder t;
  Stream w = WriteFile("x.bin");
  ASSERT_NE(w, nullptr);
  detail::FailWritesAfter(0);
  WriteInt(w, 5);
  detail::FailWritesAfter(-1);
  EXPECT_FALSE(CloseFile(w));
}

TEST(FilesWrite, WriteFileSafelyIntoAMissingFolderGivesNull) {
  TempFolder t;
  EXPECT_EQ(WriteFileSafely("missing/prefs.ini"), nullptr);
  EXPECT_EQ(WriteFileSafely(""), nullptr);
  EXPECT_EQ(WriteFileSafely("folder/"), nullptr);
}

TEST(FilesWrite, AFailedRenameKeepsTheOldFile) {
  TempFolder t;
  WriteBytes("stage", "old");
  Stream w = WriteFileSafely("stage");
  ASSERT_NE(w, nullptr);
  WriteString(w, "data");
  // Something takes the temporary file away before the close: the rename fails.
  for (const auto& name : LoadDir(".")) {
    if (name != "stage") {
      ASSERT_TRUE(DeleteFile(name));
    }
  }
  EXPECT_FALSE(CloseFile(w));
  EXPECT_EQ(ReadBytes("stage"), "old");
  EXPECT_EQ(LoadDir("."), (std::vector<std::string>{"stage"}));
}

TEST(FilesWrite, WritersLeaveReadOnlyFilesAndFoldersAlone) {
  TempFolder t;
  WriteBytes("ro.ini", "keep");
  ASSERT_EQ(::chmod("ro.ini", 0444), 0);
  EXPECT_EQ(WriteFile("ro.ini"), nullptr);
  EXPECT_EQ(WriteFileSafely("ro.ini"), nullptr);
  EXPECT_EQ(ReadBytes("ro.ini"), "keep");
  ASSERT_TRUE(CreateDir("stage"));
  EXPECT_EQ(WriteFileSafely("stage"), nullptr);
  EXPECT_EQ(WriteFile("stage"), nullptr);
  EXPECT_EQ(FileType("stage"), 2);
  EXPECT_EQ(LoadDir(".").size(), 2u);
}

TEST(FilesWrite, ASafeStreamDroppedWithoutCloseLeavesTheOldFile) {
  TempFolder t;
  WriteBytes("Country.ini", "\x02");
  {
    Stream w = WriteFileSafely("Country.ini");
    ASSERT_NE(w, nullptr);
    WriteByte(w, 3);
  }
  EXPECT_EQ(ReadBytes("Country.ini"), "\x02");
  EXPECT_EQ(LoadDir(".").size(), 1u);
}

TEST(FilesWhole, ReadWholeFileReadsDiskFilesInAnyCase) {
  TempFolder t;
  WriteBytes("Music.ogg", std::string("\x00\x01\x02", 3));
  std::vector<unsigned char> out{9, 9};
  EXPECT_TRUE(ReadWholeFile("music.OGG", out));
  EXPECT_EQ(out, (std::vector<unsigned char>{0, 1, 2}));
  EXPECT_FALSE(ReadWholeFile("none.ogg", out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ReadWholeFile("", out));
}

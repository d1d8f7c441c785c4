// Files: the open rules, long lines and big files, safe writing, folders and paths, and the
// console.
#include "media/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "media/app.h"
#include "media/files_internal.h"
#include "media/graphics.h"
#include "media/sound.h"
#include "support/headless_fixture.h"
#include "support/temp_folder.h"

using namespace media;
using quill_test::ReadBytes;
using quill_test::WriteBytes;
using Names = std::vector<std::string>;

namespace {

class Files : public quill_test::HeadlessTest {
 protected:
  quill_test::TempFolder folder_;
};

Names Sorted(Names v) {
  std::sort(v.begin(), v.end());
  return v;
}

// Which paths each opener opens: OpenFile needs the exact name of a writable file, ReadFile
// finds any letter case (the exact name first) and embedded files, nobody opens folders.
TEST_F(Files, OpenRules) {
  ASSERT_TRUE(CreateDir("Levels/Sub", true));
  WriteBytes("Levels/Sub/Stage1.SOL", "abc");
  WriteBytes("name.txt", "lower");
  WriteBytes("NAME.txt", "upper");
  WriteBytes("ro.ini", "r");
  ASSERT_EQ(::chmod("ro.ini", 0444) + ::mkfifo("pipe.ini", 0644), 0);  // a pipe would block
  static const unsigned char kData[] = {7, 8, 9, 10};
  ClearEmbedded();
  RegisterEmbedded("Images/Font.png", kData, 4);
  // A path, what ReadFile reads from it ("-": no stream), whether OpenFile opens it.
  std::istringstream table(R"(Levels/Sub/Stage1.SOL abc 1   levels\SUB\stage1.Sol abc 0
      TMP/LEVELS/sub/stage1.sol abc 0   levels/sub/stage2.sol - 0   name.txt lower 1
      NAME.txt upper 1   ro.ini r 0   pipe.ini - 0   Levels - 0   name.txt/inside - 0
      InCbIn::images\font.PNG \x07 0   incbin::Images/None.png - 0   Images/Font.png - 0)");
  for (std::string path, read; table >> path >> read;) {
    bool open = false;
    table >> open;
    if (path.rfind("TMP/", 0) == 0) path = folder_.path() + path.substr(3);
    if (read == "\\x07") read = "\x07";
    Stream r = ReadFile(path);
    EXPECT_EQ(r ? ReadString(r, static_cast<int>(read.size())) : "-", read) << path;
    EXPECT_EQ(OpenFile(path) != nullptr, open) << path;
  }
  EXPECT_FALSE(ReadFile("") || WriteFileSafely("incbin::Images/Font.png") || CloseFile(nullptr));
  WriteByte(ReadFile("incbin::Images/Font.png"), 1);  // read only: nothing happens
  EXPECT_EQ(kData[0], 7);
  std::vector<unsigned char> all;
  EXPECT_TRUE(ReadWholeFile("Incbin::images/font.png", all));
  EXPECT_EQ(all, (std::vector<unsigned char>{7, 8, 9, 10}));
  EXPECT_TRUE(ReadWholeFile("levels/sub/STAGE1.sol", all));
  EXPECT_FALSE(ReadWholeFile("pipe.ini", all) || !all.empty());
  EXPECT_FALSE(ReadWholeFile("incbin::None", all) || ReadWholeFile("", all));
  Stream r = ReadFile("name.txt");  // reads of no length, and past the end
  EXPECT_EQ(ReadString(r, 0) + ReadString(r, -1), "");
  EXPECT_EQ(ReadString(r, 9), "lower");
  EXPECT_EQ(ReadString(r, 2), "");
  // Pictures that are not PNG files, or not saved, give null or false.
  testing::internal::CaptureStderr();
  EXPECT_FALSE(LoadImage("name.txt") || LoadImage("ro.ini") ||
               LoadAnimImage("missing.png", 8, 8, 0, 2));
  testing::internal::GetCapturedStderr();
  const Pixel px[4] = {};
  EXPECT_FALSE(SavePNG(nullptr, 2, 2, "x.png") || SavePNG(px, 0, 2, "x.png") ||
               SavePNG(px, 2, 2, "missing/x.png"));
  ClearEmbedded();
  EXPECT_EQ(ReadFile("incbin::Images/Font.png"), nullptr);
}

// An over-long line is cut at the bound and the rest of it skipped, whether the file is held in
// memory or read through (over 16 MB); the cut is said once a file, naming it. Files beyond
// what is read into memory are streamed, and are no pictures or sounds.
TEST_F(Files, LongLinesAndBigFiles) {
  const std::size_t cap = kMaxLineLength;
  for (std::size_t longLine : {std::size_t{5} << 20, std::size_t{20} << 20}) {
    WriteBytes("Lang.txt", "first\r\n" + std::string(longLine, 'x') + "\r\nlast");
    for (Stream in : {ReadFile("Lang.txt"), OpenFile("Lang.txt")}) {
      testing::internal::CaptureStderr();
      EXPECT_EQ(ReadLine(in), "first");
      EXPECT_EQ(ReadLine(in), std::string(cap, 'x'));
      EXPECT_EQ(ReadLine(in), "last");
      EXPECT_EQ(Eof(in), 1);
      EXPECT_NE(testing::internal::GetCapturedStderr().find("Lang.txt"), std::string::npos);
    }
  }
  WriteBytes("quit.txt", std::string(cap, 'y') + "\n" + std::string(3 * cap, 'z') + "\n" +
                             std::string(3 * cap, 'w'));
  Stream in = ReadFile("quit.txt");
  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadLine(in), std::string(cap, 'y'));  // exactly the bound: whole, nothing said
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadLine(in), std::string(cap, 'z'));
  EXPECT_EQ(ReadLine(in), std::string(cap, 'w'));  // an endless last line ends after the cut
  EXPECT_EQ(Eof(in), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("was cut"), said.rfind("was cut")) << said;
  constexpr off_t kBig = off_t{300} << 20;  // sparse: reads as zeros, then the tail
  const int fd = ::open("Big.png", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool sparse =
      fd >= 0 && ::ftruncate(fd, kBig) == 0 && ::pwrite(fd, "\1\2\3\4tail\n", 9, kBig - 9) == 9;
  ::close(fd);
  if (!sparse) GTEST_SKIP() << "no sparse files";
  in = ReadFile("big.PNG");
  SeekStream(in, static_cast<int>(kBig - 9));
  EXPECT_EQ(ReadInt(in), 0x04030201);
  EXPECT_EQ(ReadLine(in), "tail");
  EXPECT_EQ(ReadInt(in), 0);
  EXPECT_EQ(Eof(in), 1);
  EXPECT_EQ(FileSize("Big.png"), static_cast<long>(kBig));
  std::vector<unsigned char> bytes{1};
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ReadWholeFile("Big.png", bytes) || LoadImage("Big.png") || LoadSound("Big.png"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Big.png"), std::string::npos);
}

// Writes are little-endian; a safe write replaces the file whole at the close, keeping its
// permissions; every way it can fail leaves the old file whole and no temporary file behind.
TEST_F(Files, WritesAndSafeWrites) {
  WriteBytes("out.bin", "old content that is long");
  Stream w = WriteFile("out.bin");
  WriteInt(w, -2);
  WriteByte(w, 0x1FF);
  WriteFloat(w, 1.5f);
  WriteLine(w, "hi");
  WriteString(w, "end");
  EXPECT_TRUE(CloseFile(w));
  EXPECT_EQ(ReadBytes("out.bin"), std::string("\xfe\xff\xff\xff\xff\0\0\xc0\x3fhi\nend", 15));
  Stream rw = OpenFile("out.bin");  // reads and writes in place
  EXPECT_EQ(ReadInt(rw), -2);
  WriteByte(rw, 9);
  EXPECT_EQ(ReadFloat(rw), 1.5f);
  EXPECT_TRUE(CloseFile(rw));
  EXPECT_EQ(ReadBytes("out.bin").substr(3, 3), std::string("\xff\x09\0", 3));
  ASSERT_EQ(::chmod("out.bin", 0640), 0);
  w = WriteFileSafely("out.bin");
  for (int i = 1; i <= 70; ++i) WriteByte(w, i);
  EXPECT_EQ(ReadBytes("out.bin").size(), 15u);  // untouched until the close
  EXPECT_TRUE(CloseFile(w));
  EXPECT_EQ(ReadBytes("out.bin").size(), 70u);
  struct stat st {};
  EXPECT_EQ(::stat("out.bin", &st) == 0 ? st.st_mode & 0777 : 0, 0640u);
  ASSERT_TRUE(DeleteFile("out.bin"));
  for (int failure = 0; failure < 3; ++failure) {  // a full disk, a lost temporary, no close
    WriteBytes("prefs.ini", "keep me");
    w = WriteFileSafely("prefs.ini");
    detail::FailWritesAfter(failure == 0 ? 3 : -1);
    WriteString(w, "new content");
    detail::FailWritesAfter(-1);
    WriteString(w, "more");  // a failed stream stays failed
    for (const auto& name : LoadDir("."))
      if (failure == 1 && name != "prefs.ini") DeleteFile(name);
    if (failure == 2) w.reset();
    EXPECT_FALSE(w && CloseFile(w)) << failure;
    EXPECT_EQ(ReadBytes("prefs.ini"), "keep me") << failure;
    EXPECT_EQ(LoadDir("."), Names{"prefs.ini"}) << failure;
  }
  w = WriteFile("x.bin");
  detail::FailWritesAfter(0);
  WriteInt(w, 5);
  detail::FailWritesAfter(-1);
  EXPECT_FALSE(CloseFile(w));
  ASSERT_TRUE(::chmod("prefs.ini", 0444) == 0 && CreateDir("stage"));
  for (const char* path : {"prefs.ini", "stage", "missing/p.ini", "", "folder/", "x.bin/in"})
    EXPECT_FALSE(WriteFileSafely(path) || WriteFile(path)) << path;
  // What interrupted safe writes leave behind (".NAME.tmp-XXXXXX") is removed, nothing else.
  for (const char* name : {".prefs.ini.tmp-a1B2c3", ".Played.Bin.tmp-XYZ789", ".hidden",
                           "x.tmp-123456", ".y.tmp-12345", ".z.tmp-1234567"})
    WriteBytes(name, "data");
  ASSERT_TRUE(CreateDir(".dir.tmp-abcdef"));
  EXPECT_EQ(RemoveStaleTempFiles(folder_.path()) * 10 + RemoveStaleTempFiles("missing"), 20);
  EXPECT_EQ(Sorted(LoadDir(".")),
            (Names{".dir.tmp-abcdef", ".hidden", ".y.tmp-12345", ".z.tmp-1234567", "prefs.ini",
                   "stage", "x.bin", "x.tmp-123456"}));
  EXPECT_EQ(ReadBytes("prefs.ini"), "keep me");
}

TEST_F(Files, FoldersAndPaths) {
  WriteBytes("a.ogg", "12345");
  EXPECT_TRUE(CreateDir("Sub") && CreateDir(folder_.path() + "\\Sub\\"));  // twice is fine
  EXPECT_FALSE(CreateDir("x/y/z") || CreateDir("a.ogg/sub", true));
  EXPECT_TRUE(CreateDir("x/y/z", true));
  EXPECT_EQ(Sorted(LoadDir(folder_.path())), (Names{"Sub", "a.ogg", "x"}));
  EXPECT_TRUE(LoadDir("Sub").empty() && LoadDir("Missing").empty() && LoadDir("a.ogg").empty());
  Dir d = ReadDir("x/y");
  EXPECT_EQ(NextFile(d), "z");
  EXPECT_EQ(NextFile(d), "");
  CloseDir(d);
  EXPECT_EQ(ReadDir("nowhere"), nullptr);
  EXPECT_EQ(FileType("a.ogg") * 100 + FileType("Sub") * 10 + FileType("none"), 120);
  EXPECT_EQ(FileSize("a.ogg") * 10 + FileSize("none"), 49);
  EXPECT_TRUE(RenameFile("a.ogg", "Sub\\moved"));
  EXPECT_FALSE(RenameFile("a.ogg", "other") || DeleteFile("Sub"));
  EXPECT_TRUE(DeleteFile("Sub/moved"));
  EXPECT_FALSE(DeleteFile("Sub/moved"));
  const std::string start = CurrentDir();
  EXPECT_TRUE(ChangeDir("Sub") && CurrentDir() == start + "/Sub" && ChangeDir(".."));
  EXPECT_FALSE(ChangeDir("Missing") || ChangeDir(""));
  EXPECT_TRUE(ChangeDir(start + "\\x\\") && StripDir(CurrentDir()) == "x");
  EXPECT_TRUE(ChangeDir("/") && CurrentDir() == "/");
  EXPECT_EQ(StripDir("Levels/Stage12") + StripDir("C:\\G\\my stage") + StripDir("f/"),
            "Stage12my stage");
  EXPECT_EQ(StripExt("Music/song.ogg") + "|" + StripExt("dir.d/file") + "|" + StripExt("a.b.c"),
            "Music/song|dir.d/file|a.b");
  EXPECT_EQ(ExtractDir("Music/song.ogg") + "|" + ExtractDir("a\\b\\c") + "|" +
                ExtractDir("song.ogg") + "|" + ExtractDir("/song.ogg"),
            "Music|a\\b||/");
}

TEST_F(Files, ConsoleAndLogsInTheHeadlessBackend) {
  headless::SetConsoleLines({"mystage"});
  EXPECT_EQ(RequestFile("Save"), "mystage");
  EXPECT_EQ(RequestFile(), "");  // none left
  Print("hax");
  EXPECT_EQ(headless::PrintedLines(), (Names{"Enter a filename:", "Enter a filename:", "hax"}));
  ClearDebugLog();
  for (int i = 0; i < 25000; ++i) DebugLog(std::to_string(i));
  const auto& log = DebugLogLines();
  EXPECT_TRUE(log.size() >= 10000 && log.size() <= 20000) << log.size();
  EXPECT_EQ(std::stoi(log.front()) + static_cast<int>(log.size()), 25000);  // the newest kept
  for (int i = 0; i < 120000; ++i) Print(std::to_string(i));
  EXPECT_LE(headless::PrintedLines().size(), 100000u);
  EXPECT_EQ(headless::PrintedLines().back(), "119999");
}

}  // namespace

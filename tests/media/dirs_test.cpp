// Folders, path helpers and the console.
#include <gtest/gtest.h>

#include <algorithm>

#include "media/app.h"
#include "media/files.h"
#include "media/headless.h"
#include "media/temp_folder.h"

using namespace media;
using quill_test::ReadBytes;
using quill_test::TempFolder;
using quill_test::WriteBytes;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

TEST(Dirs, LoadDirListsNamesWithoutDots) {
  TempFolder t;
  WriteBytes("b.ogg", "1");
  WriteBytes("a.ogg", "22");
  ASSERT_TRUE(CreateDir("Sub"));
  EXPECT_EQ(Sorted(LoadDir(".")), (std::vector<std::string>{"Sub", "a.ogg", "b.ogg"}));
  EXPECT_EQ(Sorted(LoadDir(t.path())), Sorted(LoadDir(".")));
  EXPECT_TRUE(LoadDir("Sub").empty());
  EXPECT_TRUE(LoadDir("Missing").empty());
  EXPECT_TRUE(LoadDir("a.ogg").empty());
}

TEST(Dirs, ReadDirHandsOutEachNameOnce) {
  TempFolder t;
  WriteBytes("one", "");
  WriteBytes("two", "");
  Dir d = ReadDir(".");
  ASSERT_NE(d, nullptr);
  std::vector<std::string> names;
  for (std::string n = NextFile(d); !n.empty(); n = NextFile(d)) names.push_back(n);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(NextFile(d), "");
  CloseDir(d);
  EXPECT_EQ(NextFile(d), "");
  EXPECT_EQ(ReadDir("nowhere"), nullptr);
  EXPECT_EQ(NextFile(nullptr), "");
  CloseDir(nullptr);
}

TEST(Dirs, FileTypeAndFileSize) {
  TempFolder t;
  WriteBytes("f", "12345");
  ASSERT_TRUE(CreateDir("d"));
  EXPECT_EQ(FileType("f"), 1);
  EXPECT_EQ(FileType("d"), 2);
  EXPECT_EQ(FileType("none"), 0);
  EXPECT_EQ(FileType(""), 0);
  EXPECT_EQ(FileSize("f"), 5);
  EXPECT_EQ(FileSize("none"), -1);
}

TEST(Dirs, CreateDeleteAndRename) {
  TempFolder t;
  EXPECT_TRUE(CreateDir("PlayerLevels"));
  EXPECT_TRUE(CreateDir("PlayerLevels"));  // already there
  EXPECT_TRUE(CreateDir(t.path() + "\\PlayerLevels\\"));
  EXPECT_FALSE(CreateDir("a/b/c"));
  EXPECT_TRUE(CreateDir("a/b/c", true));
  EXPECT_EQ(FileType("a/b/c"), 2);
  WriteBytes("file", "x");
  EXPECT_FALSE(CreateDir("file"));
  EXPECT_FALSE(CreateDir("file/sub", true));
  EXPECT_TRUE(RenameFile("file", "PlayerLevels\\moved"));
  EXPECT_EQ(ReadBytes("PlayerLevels/moved"), "x");
  EXPECT_FALSE(RenameFile("file", "other"));
  EXPECT_FALSE(DeleteFile("PlayerLevels"));  // not a file
  EXPECT_TRUE(DeleteFile("PlayerLevels/moved"));
  EXPECT_FALSE(DeleteFile("PlayerLevels/moved"));
  EXPECT_EQ(FileType("PlayerLevels"), 2);
}

TEST(Dirs, ChangeDirAndCurrentDir) {
  TempFolder t;
  ASSERT_TRUE(CreateDir("Levels"));
  std::string start = CurrentDir();
  EXPECT_EQ(start.back() == '/', false);
  EXPECT_TRUE(ChangeDir("Levels"));
  EXPECT_EQ(CurrentDir(), start + "/Levels");
  EXPECT_TRUE(ChangeDir(".."));
  EXPECT_EQ(CurrentDir(), start);
  EXPECT_FALSE(ChangeDir("Missing"));
  EXPECT_FALSE(ChangeDir(""));
  EXPECT_EQ(CurrentDir(), start);
  EXPECT_TRUE(ChangeDir(start + "\\Levels\\"));
  EXPECT_EQ(StripDir(CurrentDir()), "Levels");
  EXPECT_TRUE(ChangeDir("/"));
  EXPECT_EQ(CurrentDir(), "/");
}

TEST(Dirs, PathHelpers) {
  EXPECT_EQ(StripDir("Levels/Stage12"), "Stage12");
  EXPECT_EQ(StripDir("C:\\Game\\PlayerLevels\\my stage"), "my stage");
  EXPECT_EQ(StripDir("plain"), "plain");
  EXPECT_EQ(StripDir("folder/"), "");
  EXPECT_EQ(StripExt("Music/song.ogg"), "Music/song");
  EXPECT_EQ(StripExt("dir.d/file"), "dir.d/file");
  EXPECT_EQ(StripExt("a.b.c"), "a.b");
  EXPECT_EQ(ExtractDir("Music/song.ogg"), "Music");
  EXPECT_EQ(ExtractDir("a\\b\\c"), "a\\b");
  EXPECT_EQ(ExtractDir("song.ogg"), "");
  EXPECT_EQ(ExtractDir("/song.ogg"), "/");
}

TEST(Console, RequestFilePromptsAndReadsTheScriptedLines) {
  headless::ResetHeadless();
  headless::SetConsoleLines({"mystage", ""});
  EXPECT_EQ(RequestFile("Save"), "mystage");
  EXPECT_EQ(RequestFile(), "");
  EXPECT_EQ(RequestFile(), "");  // none left
  Print("hax");
  Print();
  EXPECT_EQ(headless::PrintedLines(),
            (std::vector<std::string>{
                "Enter a filename:", "Enter a filename:", "Enter a filename:", "hax", ""}));
  headless::ResetHeadless();
  EXPECT_TRUE(headless::PrintedLines().empty());
}

TEST(Console, DebugLogKeepsLinesAndPrintsNothing) {
  headless::ResetHeadless();
  ClearDebugLog();
  DebugLog("/start/folder");
  DebugLog("second");
  EXPECT_EQ(DebugLogLines(), (std::vector<std::string>{"/start/folder", "second"}));
  EXPECT_TRUE(headless::PrintedLines().empty());
  ClearDebugLog();
  EXPECT_TRUE(DebugLogLines().empty());
}

TEST(Console, LogsKeepTheirNewestLinesWithinABound) {
  headless::ResetHeadless();
  ClearDebugLog();
  for (int i = 0; i < 25000; ++i) DebugLog(std::to_string(i));
  EXPECT_GE(DebugLogLines().size(), 10000u);
  EXPECT_LE(DebugLogLines().size(), 20000u);
  EXPECT_EQ(DebugLogLines().back(), "24999");
  EXPECT_EQ(std::stoi(DebugLogLines().front()) + static_cast<int>(DebugLogLines().size()), 25000);
  for (int i = 0; i < 120000; ++i) Print(std::to_string(i));
  EXPECT_LE(headless::PrintedLines().size(), 100000u);
  EXPECT_EQ(headless::PrintedLines().back(), "119999");
  ClearDebugLog();
  headless::ResetHeadless();
}

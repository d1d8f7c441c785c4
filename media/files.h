// Files and folders. Paths may use backslashes (read as slashes). Names beginning with
// "incbin::" (any letter case) open files embedded in the program, read only.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace media {

struct StreamData;
using Stream = std::shared_ptr<StreamData>;
struct DirData;
using Dir = std::shared_ptr<DirData>;

// Reading and writing: the file must exist, be writable and match its name's letter case.
Stream OpenFile(const std::string& url);
// Reading only: when the exact name is missing, a path differing only in letter case is found.
Stream ReadFile(const std::string& url);
// Creates or empties the file.
Stream WriteFile(const std::string& url);
// Writes go to a temporary file in the same folder; CloseFile renames it over `url` only when
// every write succeeded, so the old file stays whole when anything fails.
Stream WriteFileSafely(const std::string& url);
// Closes the stream; false when a write or the final rename of WriteFileSafely failed.
bool CloseFile(const Stream& stream);

// Reads past the end give 0 (or an empty string) and set Eof; nothing is read out of bounds.
int ReadByte(const Stream& stream);  // one unsigned byte
int ReadInt(const Stream& stream);   // four bytes, little-endian, signed
float ReadFloat(const Stream& stream);
// Bytes up to a line feed, a zero byte or the end; carriage returns dropped; a character a byte.
// A line keeps at most kMaxLineLength characters: the rest of it is skipped (the next read
// starts after its line feed) and the first cut line of a stream is named on standard error.
constexpr std::size_t kMaxLineLength = 4096;
std::string ReadLine(const Stream& stream);
std::string ReadString(const Stream& stream, int length);  // up to `length` bytes
void WriteByte(const Stream& stream, int value);
void WriteInt(const Stream& stream, int value);
void WriteFloat(const Stream& stream, float value);
void WriteLine(const Stream& stream, const std::string& line);    // the text and a line feed
void WriteString(const Stream& stream, const std::string& text);  // the bytes, no length
int Eof(const Stream& stream);  // 1 at the end (also after a read past it), else 0
int StreamPos(const Stream& stream);
int StreamSize(const Stream& stream);
void SeekStream(const Stream& stream, int pos);

// Folders.
bool ChangeDir(const std::string& path);
std::string CurrentDir();  // an absolute path, no trailing slash (but "/" for the root)
bool CreateDir(const std::string& path, bool recurse = false);  // true also when it exists
// Removes what interrupted safe writes (WriteFileSafely) left in a folder: files named
// ".NAME.tmp-XXXXXX". Returns how many were removed.
int RemoveStaleTempFiles(const std::string& folder);
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// The names in a folder without "." and "..", in the order the file system gives them.
std::vector<std::string> LoadDir(const std::string& path);
Dir ReadDir(const std::string& path);
std::string NextFile(const Dir& dir);  // "" after the last name
void CloseDir(const Dir& dir);
int FileType(const std::string& path);          // 0 none, 1 file, 2 folder
long FileSize(const std::string& path);         // -1 when missing
std::string StripDir(const std::string& path);  // the part after the last slash
std::string StripExt(const std::string& path);
std::string ExtractDir(const std::string& path);

// The console.
std::string RequestFile(
    const std::string& title = "");  // prints "Enter a filename:" and reads a line
// True when the last RequestFile got no answer because the console's input has ended (the
// program was not started from a terminal, or its input was closed).
bool ConsoleEnded();
void Print(const std::string& line = "");
void DebugLog(const std::string& line);  // the debug log prints nothing; kept for tests
const std::vector<std::string>& DebugLogLines();
void ClearDebugLog();

// Embedded files, opened as "incbin::" + name.
void RegisterEmbedded(const std::string& name, const unsigned char* data, std::size_t size);
void ClearEmbedded();
// The program's built-in blobs, compiled in by the build (see embed/); null when unknown.
const unsigned char* BuiltinBlob(const std::string& name, std::size_t* size);
// The names of the built-in blobs in their registration order.
const std::vector<std::string>& BuiltinBlobNames();
// Registers every built-in blob under its name, in order, for "incbin::" (defined with them).
void RegisterBuiltinBlobs();

// The whole content of a file (or "incbin::" name) for decoders; false when it cannot be read
// or is bigger than 256 MB (no picture or sound of ours comes near).
bool ReadWholeFile(const std::string& url, std::vector<unsigned char>& out);

}  // namespace media

// A file selector kept beside the editor, which loads and saves through the console prompt:
// a folder listing, path shortening, a line editor, and the editor's load step on its own.
// No screen calls them.
#pragma once

#include <string>

constexpr int kMaxListedFiles = 1000;
extern std::string file_list[kMaxListedFiles];
extern int file_type[kMaxListedFiles];
extern int file_size[kMaxListedFiles];
extern int file_count, file_pointer;

// Lists the folder into file_list, file_type and file_size, sorted by upper-cased name: the
// names whose extension (after the first ".") equals the filter's (before its first ":"),
// every folder, or everything for an empty filter; 1000 names at most. Always 0.
int grab_files(const std::string& path, const std::string& filter);
// Walks the text; draws nothing. Always 0.
int show_text8(int x, int y, const std::string& text);
// The path for display: at most 34 characters, its start and its last part kept.
std::string shorten(const std::string& path);
// A modal line editor in a box maxlen characters wide; Enter returns the text.
std::string fsinp(int x, int y, std::string text, const std::string& allowed, int maxlen,
                  int centreX, int centreY, int upper);
// The console prompt for a file name (a, b and c are not used).
std::string fileselect(const std::string& title, int a, const std::string& path,
                       const std::string& filter, int b, int c, int save);
// The editor's load step: a name asked on the console, loaded with the stage reader. 0.
int Load();
// The player's start drawn from its cell when it lies in the current room. 0.
int RenderPlayer();

// Key redefinition and the one-line text prompt. No screen of the game opens them.
#pragma once

#include <string>

// Fills arrKeyMap rows 1 to 100 from "keys.cfg" (lines "name,code"); a missing file reads
// nothing and lines after the 100th are ignored. Returns 0.
int fnLoadKeyMapData();
// The name of the key with this code from arrKeyMap, or "".
std::string fnFindKey(int code);
// One scan of the keyboard for the next chosen keys. Returns 0.
int GoGetKey();
// The redefinition screen: five keys, saved to "dKeys.cfg" unless Escape was pressed. Returns 0.
int RedfineKeys();
// Asks for a line of at most maxlen characters at (x, y) and returns it.
std::string InputBitmap(int x, int y, const std::string& prompt, int maxlen);

// The shared surroundings of the fuzz targets: a private temporary start folder and fresh
// globals for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// The process's temporary folder (absolute, ending in '/'), made on first use with Levels/,
// PlayerLevels/, Langs/ (and fr/, gr/, it/) inside, and removed when the program ends.
const std::string& Root();

// Resets every global the readers touch, makes the single objects (Game, Exitdoor, Player),
// points Path, AppPath and FilePath at Root() and makes it the current folder.
void FreshWorld();

// Writes the bytes to Root() + relative, replacing the file; false when that failed.
bool WriteRootFile(const std::string& relative, const std::uint8_t* data, std::size_t size);
bool WriteRootFile(const std::string& relative, const std::vector<std::uint8_t>& bytes);
// Removes Root() + relative when it is there.
void RemoveRootFile(const std::string& relative);

std::vector<std::uint8_t> Bytes(const std::string& text);

}  // namespace fuzz

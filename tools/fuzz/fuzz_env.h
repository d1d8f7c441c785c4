// The shared surroundings of the fuzz targets: a private temporary start folder and fresh
// globals for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// The process's temporary folder (absolute, ending in '/'), made on first use with Levels/,
// PlayerLevels/ and Langs/ (with fr/, gr/, it/) inside, and removed when the program ends.
const std::string& Root();

// Resets every global the readers touch, makes the single objects (Game, Exitdoor, Player),
// points Path, AppPath and FilePath at Root() and makes it the current folder.
void FreshWorld();

// Ends a run: back to the folder the program began in, and what an input left in the globals
// (objects, strings, embedded blobs) freed, so that the fuzzer's leak check stays meaningful.
struct SettleAtEnd {
  SettleAtEnd() = default;
  SettleAtEnd(const SettleAtEnd&) = delete;
  SettleAtEnd& operator=(const SettleAtEnd&) = delete;
  ~SettleAtEnd();
};

// Writes the bytes to Root() + relative, replacing the file; false when that failed.
bool WriteRootFile(const std::string& relative, const std::uint8_t* data, std::size_t size);
bool WriteRootFile(const std::string& relative, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadRootFile(const std::string& relative);

}  // namespace fuzz

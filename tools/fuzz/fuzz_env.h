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

// Goes back to the folder the program began in and frees what an input left in the globals
// (objects, strings, embedded blobs), so that a run
// ends holding as much memory as it began with and the fuzzer's leak check stays meaningful.
void Settle();

// Settles when it goes out of scope, unless KeepStateAfterRuns(true): every target starts with
// one. Tests keep the state to look at what the readers did.
void KeepStateAfterRuns(bool keep);
struct SettleAtEnd {
  SettleAtEnd() = default;
  SettleAtEnd(const SettleAtEnd&) = delete;
  SettleAtEnd& operator=(const SettleAtEnd&) = delete;
  ~SettleAtEnd();
};

// Writes the bytes to Root() + relative, replacing the file; false when that failed.
bool WriteRootFile(const std::string& relative, const std::uint8_t* data, std::size_t size);
bool WriteRootFile(const std::string& relative, const std::vector<std::uint8_t>& bytes);
// Removes Root() + relative when it is there.
void RemoveRootFile(const std::string& relative);

std::vector<std::uint8_t> Bytes(const std::string& text);

}  // namespace fuzz

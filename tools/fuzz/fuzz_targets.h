// Fuzz targets for every reader of outside data. Each entry takes the bytes of one input, feeds
// them to the real reader through a file (or an "incbin::" blob) with the real globals, and
// checks what the reader left behind. Entries always return 0; a broken rule is reported
// through ReportFault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

int FuzzStage(const std::uint8_t* data, std::size_t size);        // stage files (LoadStage)
int FuzzReplay(const std::uint8_t* data, std::size_t size);       // ".SOL" replays (LoadReplay)
int FuzzLanguage(const std::uint8_t* data, std::size_t size);     // Lang.txt and quit.txt
int FuzzSettings(const std::uint8_t* data, std::size_t size);     // prefs, Country, Played.Bin
int FuzzKeys(const std::uint8_t* data, std::size_t size);         // keys.cfg
int FuzzPng(const std::uint8_t* data, std::size_t size);          // LoadImage / LoadAnimImage
int FuzzSound(const std::uint8_t* data, std::size_t size);        // LoadSound (Ogg Vorbis)
int FuzzReadString(const std::uint8_t* data, std::size_t size);   // core ReadString
int FuzzStageSource(const std::uint8_t* data, std::size_t size);  // stagec text sources
int FuzzScript(const std::uint8_t* data, std::size_t size);       // headless input scripts
int FuzzPlay(const std::uint8_t* data, std::size_t size);         // stages played: traps, map

using Entry = int (*)(const std::uint8_t*, std::size_t);
struct Target {
  const char* name;  // also the corpus folder's name
  Entry entry;
};
// Every target, in a fixed order.
const std::vector<Target>& Targets();
// The target called `name`, or null.
const Target* FindTarget(const std::string& name);

// One seed input.
struct Seed {
  std::string name;
  std::vector<std::uint8_t> bytes;
};
// The built-in seeds of a target (made in code, never kept as binary files).
std::vector<Seed> SeedsFor(const std::string& target);

// A broken rule: by default printed to standard error and the program aborts (the fuzzer keeps
// the input as a crash). A handler set here is called instead, and the target goes on.
using FaultHandler = void (*)(const char* target, const std::string& what);
void SetFaultHandler(FaultHandler handler);
void ReportFault(const char* target, const std::string& what);

// Decodes a corpus file: a name ending in ".hex" holds hexadecimal digits (white space and
// '#' comments to the end of the line are skipped); any other file is taken byte for byte.
std::vector<std::uint8_t> DecodeCorpusFile(const std::string& name,
                                           const std::vector<std::uint8_t>& content);

}  // namespace fuzz

#define FUZZ_CHECK(target, cond, what)                                            \
  do {                                                                            \
    if (!(cond)) ::fuzz::ReportFault(target, std::string(what) + " [" #cond "]"); \
  } while (0)

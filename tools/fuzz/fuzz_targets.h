// Fuzz targets for every reader of outside data. Each entry feeds the bytes of one input to the
// real reader (through a file or an "incbin::" blob, with the real globals) and checks what it
// left behind. Entries always return 0; a broken rule is reported through ReportFault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stages/stage_format.h"

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

struct Target {
  const char* name;  // also the corpus folder's name
  int (*entry)(const std::uint8_t*, std::size_t);
};
const std::vector<Target>& Targets();

// A built-in seed (made in code, never kept as a binary file) and whether the reader takes it.
struct Seed {
  std::string name;
  std::vector<std::uint8_t> bytes;
  bool taken;
};
std::vector<Seed> SeedsFor(const std::string& target);
// A small sound stage: rooms (0, 0) and (1, 0), enemies, a trap of each kind 0 to 4, items and a
// statue. The stage target loads it before every input as "the stage in memory".
stagefile::Data BaselineStage();
// Whether the reader took the last input (its contents, not only its presence).
bool LastTaken();
void SetTaken(bool taken);

// A broken rule: by default printed to standard error and the program aborts (the fuzzer keeps
// the input as a crash). A handler set here is called instead, and the target goes on.
using FaultHandler = void (*)(const char* target, const std::string& what);
void SetFaultHandler(FaultHandler handler);
void ReportFault(const char* target, const std::string& what);

// A corpus file: a name ending in ".hex" holds hexadecimal digits (white space and '#' comments
// to the end of the line skipped); any other file is taken byte for byte.
std::vector<std::uint8_t> DecodeCorpusFile(const std::string& name,
                                           const std::vector<std::uint8_t>& content);

}  // namespace fuzz

#define FUZZ_CHECK(target, cond, what)                                            \
  do {                                                                            \
    if (!(cond)) ::fuzz::ReportFault(target, std::string(what) + " [" #cond "]"); \
  } while (0)

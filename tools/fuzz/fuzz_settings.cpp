// The settings and progress files: "prefs.ini", "Country.ini" and "Played.Bin".
//
// Input: byte 0 says which files exist (bit 0 prefs.ini, bit 1 Country.ini, bit 2 Played.Bin,
// bit 3 Played.Bin written as "played.bin", bit 4 prefs.ini marked read-only); bytes 1 and 2
// are the lengths of prefs.ini's and Country.ini's parts, which follow; Played.Bin holds the
// rest.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "core/settings.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "settings";

std::vector<std::uint8_t> ReadRoot(const std::string& relative) {
  std::ifstream in(Root() + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  FreshWorld();
  for (const char* f : {"prefs.ini", "Country.ini", "Played.Bin", "played.bin"}) RemoveRootFile(f);
  const int flags = size > 0 ? data[0] : 0;
  std::size_t at = std::min<std::size_t>(size, 3);
  const std::size_t prefsSize = size > 1 ? std::min<std::size_t>(data[1], size - at) : 0;
  const std::uint8_t* prefs = data + at;
  at += prefsSize;
  const std::size_t countrySize = size > 2 ? std::min<std::size_t>(data[2], size - at) : 0;
  const std::uint8_t* country = data + at;
  at += countrySize;
  const std::uint8_t* played = data + at;
  const std::size_t playedSize = size - at;

  const bool hasPrefs = flags & 1, hasCountry = flags & 2, hasPlayed = flags & 4;
  const bool readOnly = hasPrefs && (flags & 16);
  const std::string playedName = (flags & 8) ? "played.bin" : "Played.Bin";
  if (hasPrefs) WriteRootFile("prefs.ini", prefs, prefsSize);
  if (readOnly) ::chmod((Root() + "prefs.ini").c_str(), 0444);
  if (hasCountry) WriteRootFile("Country.ini", country, countrySize);
  if (hasPlayed) WriteRootFile(playedName, played, playedSize);

  for (int i = 0; i < 186; i++) Lang[i] = "L" + std::to_string(i);
  md = "md";
  Mode = -5;
  ReadPrefs();
  const int wantMode = hasPrefs && !readOnly && prefsSize > 0 ? prefs[0] : 0;
  FUZZ_CHECK(kName, Mode == wantMode, "Mode is prefs.ini's first byte, else 0");
  FUZZ_CHECK(kName, md == (Mode <= 2 ? Lang[11 + Mode] : std::string("md")), "mode label");
  if (!hasPrefs)
    FUZZ_CHECK(kName, ReadRoot("prefs.ini") == std::vector<std::uint8_t>{0},
               "a missing prefs.ini is made holding 0");
  if (readOnly)
    FUZZ_CHECK(kName, ReadRoot("prefs.ini") == std::vector<std::uint8_t>(prefs, prefs + prefsSize),
               "a read-only prefs.ini is left alone");

  LangRect = 3;
  const int language = ReadCountry();
  const int wantLanguage = hasCountry && countrySize > 0 ? country[0] : 0;
  FUZZ_CHECK(kName, language == wantLanguage, "ReadCountry gives the file's byte, else 0");
  FUZZ_CHECK(kName, LangRect == (hasCountry ? wantLanguage : 3), "LangRect follows the file");

  Played[0] = 77;
  ReadPlayed();
  bool same = Played[0] == 77;
  for (int k = 1; k <= 70; k++) {
    const int want = hasPlayed && std::size_t(k) <= playedSize ? played[k - 1] : 0;
    same = same && Played[k] == want;
  }
  FUZZ_CHECK(kName, same, "Played[1..70] are the file's bytes, then 0");

  // What is read is written back whole, and reads back the same.
  FUZZ_CHECK(kName, WritePlayed(), "Played.Bin is written");
  std::vector<std::uint8_t> written = ReadRoot("Played.Bin");
  FUZZ_CHECK(kName, written.size() == 70, "Played.Bin holds 70 bytes");
  for (std::size_t k = 0; k < written.size() && k < 70; k++)
    if (written[k] != Played[k + 1]) {
      ReportFault(kName, "Played.Bin does not hold Played");
      break;
    }
  if (!readOnly) {
    const int mode = Mode;
    FUZZ_CHECK(kName, WritePrefs(mode), "prefs.ini is written");
    Mode = -5;
    ReadPrefs();
    FUZZ_CHECK(kName, Mode == (mode & 255), "prefs.ini reads back");
  } else {
    FUZZ_CHECK(kName, !WritePrefs(1), "a read-only prefs.ini is not replaced");
  }
  FUZZ_CHECK(kName, WriteCountry(language), "Country.ini is written");
  FUZZ_CHECK(kName, ReadCountry() == (language & 255), "Country.ini reads back");
  return 0;
}

}  // namespace fuzz

// The settings and progress files: "prefs.ini", "Country.ini" and "Played.Bin".
//
// Input: byte 0 says which files exist (bit 0 prefs.ini, bit 1 Country.ini, bit 2 Played.Bin,
// bit 3 Played.Bin written as "played.bin", bit 4 prefs.ini marked read-only); bytes 1 and 2
// are the lengths of prefs.ini's and Country.ini's parts, which follow; Played.Bin holds the rest.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/globals.h"
#include "core/settings.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {

int FuzzSettings(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  constexpr const char* kName = "settings";
  FreshWorld();
  for (const char* f : {"prefs.ini", "Country.ini", "Played.Bin", "played.bin"})
    std::remove((Root() + f).c_str());
  const int flags = size > 0 ? data[0] : 0;
  std::size_t at = std::min<std::size_t>(size, 3);
  const std::uint8_t* prefs = data + at;
  const std::size_t prefsSize = size > 1 ? std::min<std::size_t>(data[1], size - at) : 0;
  const std::uint8_t* country = prefs + prefsSize;
  at += prefsSize;
  const std::size_t countrySize = size > 2 ? std::min<std::size_t>(data[2], size - at) : 0;
  const std::uint8_t* played = country + countrySize;
  const std::size_t playedSize = size - at - countrySize;
  const bool hasPrefs = flags & 1, hasCountry = flags & 2, hasPlayed = flags & 4;
  const bool readOnly = hasPrefs && (flags & 16);
  if (hasPrefs) WriteRootFile("prefs.ini", prefs, prefsSize);
  if (readOnly) ::chmod((Root() + "prefs.ini").c_str(), 0444);
  if (hasCountry) WriteRootFile("Country.ini", country, countrySize);
  if (hasPlayed) WriteRootFile((flags & 8) ? "played.bin" : "Played.Bin", played, playedSize);

  for (int i = 0; i < 186; i++) Lang[i] = "L" + std::to_string(i);
  md = "md";
  Mode = -5;
  ReadPrefs();
  // Taken: a display mode other than the default was read, or a damaged one mended.
  SetTaken(Mode != 0 || (hasPrefs && !readOnly && prefsSize > 0 && prefs[0] > 2));
  const bool prefsMode = hasPrefs && !readOnly && prefsSize > 0 && prefs[0] <= 2;
  FUZZ_CHECK(kName, Mode == (prefsMode ? prefs[0] : 0),
             "Mode is prefs.ini's first byte when it is a display mode, else 0");
  FUZZ_CHECK(kName, md == Lang[11 + Mode], "mode label");
  if (!prefsMode && !(hasPrefs && !readOnly && prefsSize == 0))
    FUZZ_CHECK(
        kName,
        ReadRootFile("prefs.ini") == (readOnly ? std::vector<std::uint8_t>(prefs, prefs + prefsSize)
                                               : std::vector<std::uint8_t>{0}),
        "a missing or damaged prefs.ini is made holding 0, a read-only one left alone");
  LangRect = 3;
  const int language = ReadCountry();
  const int countryByte = hasCountry && countrySize > 0 ? country[0] : 0;
  const bool named = countryByte <= 4;
  FUZZ_CHECK(kName, language == (named ? countryByte : 0),
             "ReadCountry gives the file's byte when it names a language, else 0");
  FUZZ_CHECK(kName, LangRect == (hasCountry && named ? countryByte : 3),
             "LangRect follows the file, not a damaged one");
  Played[0] = 77;
  ReadPlayed();
  bool same = Played[0] == 77;
  for (int k = 1; k <= 70; k++)
    same = same && Played[k] == (hasPlayed && std::size_t(k) <= playedSize ? played[k - 1] : 0);
  FUZZ_CHECK(kName, same, "Played[1..70] are the file's bytes, then 0");
  // What is read is written back whole, and reads back the same.
  FUZZ_CHECK(kName, WritePlayed(), "Played.Bin is written");
  const std::vector<std::uint8_t> written = ReadRootFile("Played.Bin");
  FUZZ_CHECK(kName, written.size() == 70 && std::equal(written.begin(), written.end(), Played + 1),
             "Played.Bin holds Played");
  const int mode = Mode;
  FUZZ_CHECK(kName, WritePrefs(mode) != readOnly, "prefs.ini is written unless read-only");
  Mode = -5;
  ReadPrefs();
  FUZZ_CHECK(kName, readOnly || Mode == (mode & 255), "prefs.ini reads back");
  FUZZ_CHECK(kName, WriteCountry(language) && ReadCountry() == (language & 255),
             "Country.ini reads back");
  return 0;
}

}  // namespace fuzz

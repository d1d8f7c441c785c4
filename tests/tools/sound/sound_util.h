// Helpers of the sound tests: decoding through the media layer and measuring the samples.
#pragma once

#include <string>
#include <vector>

namespace soundtest {

struct Pcm {
  bool ok = false;
  int rate = 0, channels = 0, frames = 0;
  std::vector<short> samples;  // interleaved
  double Seconds() const { return rate > 0 ? static_cast<double>(frames) / rate : 0.0; }
  int Peak() const;                              // largest |sample|
  double Rms(int first_frame, int count) const;  // over every channel, 0..32768
};

// Decodes with media::LoadSound (a file name or "incbin::" name).
Pcm Decode(const std::string& url, int flags = 0);
// The 25 effect names the program carries, read from assets/embedded.txt ("Sfx/X.ogg" -> "X").
std::vector<std::string> EffectNames();
std::vector<unsigned char> ReadBytes(const std::string& path);
// The lines of a language file of the sources ("" English, "fr", "gr", "it").
std::vector<std::string> LangLines(const std::string& code);

}  // namespace soundtest

// Helpers of the sound tests: decoding through the media layer and measuring the samples.
#pragma once

#include <string>
#include <vector>

namespace soundtest {

struct Pcm {
  bool ok = false;
  int rate = 0;
  int channels = 0;
  int frames = 0;
  std::vector<short> samples;  // interleaved
  double Seconds() const { return rate > 0 ? static_cast<double>(frames) / rate : 0.0; }
  int Peak() const;                              // largest |sample|
  double Rms(int first_frame, int count) const;  // over every channel, 0..32768
  int ClippedSamples() const;                    // samples at or beyond +-32700
};

// Decodes with media::LoadSound (a file name or "incbin::" name).
Pcm Decode(const std::string& url, int flags = 0);
// Registers Ogg bytes under a test name and decodes them.
Pcm DecodeBytes(const std::vector<unsigned char>& bytes, const std::string& name);
// Registers every built-in blob of the program under its name.
void RegisterBuiltins();

// The 25 effect names the program carries, read from assets/embedded.txt ("Sfx/X.ogg" -> "X").
std::vector<std::string> EffectNames();

std::vector<unsigned char> ReadBytes(const std::string& path);

}  // namespace soundtest

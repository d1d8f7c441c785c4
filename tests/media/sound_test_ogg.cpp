#include "media/sound_test_ogg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "tools/sfxgen/vorbis_out.h"

namespace quilltest {

std::vector<unsigned char> EncodeSineOgg(int rate, int channels, int frames, double freq,
                                         double amplitude) {
  if (rate <= 0 || channels <= 0 || frames < 0) return {};
  const double pi = std::acos(-1.0);
  std::vector<float> samples;
  samples.reserve(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
  for (int i = 0; i < frames; ++i) {
    const float v = static_cast<float>(amplitude * std::sin(2 * pi * freq * i / rate));
    for (int c = 0; c < channels; ++c) samples.push_back(v);
  }
  return sfxgen::EncodeVorbis(samples, channels, rate, 0.5f, 12345);
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace quilltest

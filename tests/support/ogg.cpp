#include "support/ogg.h"

#include <cmath>

#include "tools/sfxgen/vorbis_out.h"

namespace quill_test {

std::vector<unsigned char> EncodeSineOgg(int rate, int channels, int frames, double freq,
                                         double amplitude) {
  if (rate <= 0 || channels <= 0 || frames < 0) return {};
  const double pi = std::acos(-1.0);
  std::vector<float> samples;
  for (int i = 0; i < frames; ++i) {
    const float v = static_cast<float>(amplitude * std::sin(2 * pi * freq * i / rate));
    for (int c = 0; c < channels; ++c) samples.push_back(v);
  }
  return sfxgen::EncodeVorbis(samples, channels, rate, 0.5f, 12345);
}

}  // namespace quill_test

// Ogg Vorbis files made in the tests, with the sound generator's encoder.
#pragma once

#include <vector>

namespace quill_test {

// A sine of `freq` Hz at `amplitude` (0 to 1) for `frames` frames, each channel the same.
std::vector<unsigned char> EncodeSineOgg(int rate, int channels, int frames, double freq,
                                         double amplitude);

}  // namespace quill_test

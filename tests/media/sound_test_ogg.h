// Ogg Vorbis files made in the tests with libvorbisenc.
#pragma once

#include <string>
#include <vector>

namespace quilltest {

// A sine of `freq` Hz at `amplitude` (0 to 1) for `frames` frames, each channel the same.
std::vector<unsigned char> EncodeSineOgg(int rate, int channels, int frames, double freq,
                                         double amplitude);

// Writes the bytes to a file; false when it cannot.
bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace quilltest

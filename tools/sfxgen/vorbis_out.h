// Encoding float samples as an Ogg Vorbis file in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen {

// samples: interleaved, `channels` (1 to 8) per frame, nominally -1..1, at `rate` Hz.
// quality: libvorbisenc's VBR quality (-0.1 to 1.0). The stream serial is fixed by the caller,
// so the same samples always give the same bytes. Empty result when the encoder refuses.
std::vector<unsigned char> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                        float quality, std::uint32_t serial);

// Writes bytes to path through a temporary file in the same folder and a rename.
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace sfxgen

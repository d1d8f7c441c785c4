// Writes small Ogg Vorbis files for the sound tests.
#pragma once

#include <string>

namespace coretest {

// A mono 22050 Hz sine tone of `frames` samples at full scale; false when it could not be
// written.
bool WriteToneOgg(const std::string& path, int frames = 4410, float hertz = 440.0f);

}  // namespace coretest

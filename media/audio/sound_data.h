// The decoded sound and channel records shared by the decoder and the mixer.
#pragma once

#include <cstdint>
#include <vector>

#include "media/sound.h"

namespace media {

struct SoundData {
  std::vector<short> samples;  // interleaved, `channels` per frame
  int frames = 0;
  int rate = 0;      // frames per second as decoded
  int channels = 0;  // 1 or 2
  bool loop = false;
};

// Every field is guarded by the mixer's mutex (see mixer.cpp).
struct ChannelData {
  Sound sound;
  std::uint64_t pos = 0;   // the play position in frames of the sound, 32.32 fixed point
  std::uint64_t step = 0;  // pos advance per output frame, 32.32 fixed point
  float volume = 1.0f;
  bool paused = false;
  bool done = false;  // ended (non-looping) or stopped
};

}  // namespace media

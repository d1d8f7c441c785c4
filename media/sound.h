// Sound: effects and music decoded from Ogg Vorbis into memory and mixed on the audio thread.
#pragma once

#include <memory>
#include <string>

namespace media {

struct SoundData;
using Sound = std::shared_ptr<SoundData>;
struct ChannelData;
using Channel = std::shared_ptr<ChannelData>;

constexpr int SOUND_LOOP = 1;

// Decodes an Ogg Vorbis file (a file name or "incbin::" name). Null when it does not decode,
// with one line on standard error naming the file.
Sound LoadSound(const std::string& url, int flags = 0);
// Starts the sound on a new channel and returns it; null for a null sound.
Channel PlaySound(const Sound& sound);
void StopChannel(const Channel& channel);
void SetChannelVolume(const Channel& channel, float volume);  // 0.0 to 1.0
void PauseChannel(const Channel& channel);
void ResumeChannel(const Channel& channel);
int ChannelPlaying(const Channel& channel);  // 1 while it plays (a paused channel counts)

// For tests and the generator: the decoded length in sample frames and the format.
int SoundFrames(const Sound& sound);
int SoundRate(const Sound& sound);
int SoundChannels(const Sound& sound);
const short* SoundSamples(const Sound& sound);  // interleaved 16-bit

}  // namespace media

// The channels and the mixer. MixAudio runs on the audio thread of the SDL backend (or on the
// program's thread in the headless backend); every channel field is guarded by one mutex,
// held for one pull of the mixer or one channel command.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

#include "media/audio/sound_data.h"
#include "media/backend.h"

namespace media {
namespace {

std::mutex g_mutex;
std::vector<Channel> g_active;  // started, not yet ended or stopped; guarded by g_mutex

constexpr int kChunk = 512;  // frames mixed per pass into the accumulator

int Lerp(int a, int b, int frac15) {
  return a + (((b - a) * frac15) >> 15);
}

// Adds up to `frames` frames of the channel into acc (stereo) and advances it.
void MixChannel(ChannelData& ch, std::int32_t* acc, int frames) {
  const SoundData& s = *ch.sound;
  const std::uint64_t length = static_cast<std::uint64_t>(s.frames) << 32;
  const std::int64_t gain = std::lround(ch.volume * 65536.0f);
  const short* data = s.samples.data();
  for (int i = 0; i < frames; ++i) {
    if (ch.pos >= length) {
      if (!s.loop) {
        ch.done = true;
        return;
      }
      ch.pos %= length;
    }
    const std::uint64_t at = ch.pos >> 32;
    const int frac = static_cast<int>((ch.pos >> 17) & 0x7fff);
    std::uint64_t next = at + 1;
    if (next >= static_cast<std::uint64_t>(s.frames)) next = s.loop ? 0 : at;
    int left, right;
    if (s.channels == 2) {
      left = Lerp(data[2 * at], data[2 * next], frac);
      right = Lerp(data[2 * at + 1], data[2 * next + 1], frac);
    } else {
      left = right = Lerp(data[at], data[next], frac);
    }
    acc[2 * i] += static_cast<std::int32_t>((left * gain) >> 16);
    acc[2 * i + 1] += static_cast<std::int32_t>((right * gain) >> 16);
    ch.pos += ch.step;
  }
  if (!s.loop && ch.pos >= length) ch.done = true;
}

float ClampVolume(float v) {
  if (!(v > 0.0f)) return 0.0f;  // also NaN
  return v > 1.0f ? 1.0f : v;
}

}  // namespace

Channel PlaySound(const Sound& sound) {
  if (!sound) return nullptr;
  auto ch = std::make_shared<ChannelData>();
  ch->sound = sound;
  ch->step = (static_cast<std::uint64_t>(sound->rate) << 32) / detail::kMixRate;
  if (sound->frames <= 0 || sound->channels < 1 || sound->channels > 2 || ch->step == 0) {
    ch->done = true;  // nothing to play
    return ch;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  g_active.push_back(ch);
  return ch;
}

void StopChannel(const Channel& channel) {
  if (!channel) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  channel->done = true;
  std::erase(g_active, channel);
}

void SetChannelVolume(const Channel& channel, float volume) {
  if (!channel) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  channel->volume = ClampVolume(volume);
}

void PauseChannel(const Channel& channel) {
  if (!channel) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  channel->paused = true;
}

void ResumeChannel(const Channel& channel) {
  if (!channel) return;
  std::lock_guard<std::mutex> lock(g_mutex);
  channel->paused = false;
}

int ChannelPlaying(const Channel& channel) {
  if (!channel) return 0;
  std::lock_guard<std::mutex> lock(g_mutex);
  return channel->done ? 0 : 1;
}

namespace detail {

void MixAudio(short* out, int frames) {
  if (out == nullptr || frames <= 0) return;
  std::int32_t acc[2 * kChunk];
  std::lock_guard<std::mutex> lock(g_mutex);
  for (int done = 0; done < frames; done += kChunk) {
    const int n = std::min(kChunk, frames - done);
    std::fill(acc, acc + 2 * n, 0);
    for (const Channel& ch : g_active)
      if (!ch->paused && !ch->done) MixChannel(*ch, acc, n);
    short* dst = out + 2 * done;
    for (int i = 0; i < 2 * n; ++i)
      dst[i] = static_cast<short>(std::clamp<std::int32_t>(acc[i], -32768, 32767));
  }
  std::erase_if(g_active, [](const Channel& ch) { return ch->done; });
}

int ActiveMixerChannels() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return static_cast<int>(g_active.size());
}

void StopAllChannels() {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (const Channel& ch : g_active) ch->done = true;
  g_active.clear();
}

}  // namespace detail
}  // namespace media

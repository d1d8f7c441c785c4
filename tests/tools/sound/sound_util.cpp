#include "tools/sound/sound_util.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "media/files.h"
#include "media/sound.h"

namespace soundtest {

int Pcm::Peak() const {
  int peak = 0;
  for (short s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

double Pcm::Rms(int first_frame, int count) const {
  if (channels <= 0) return 0.0;
  const int from = std::max(0, first_frame);
  const int to = std::min(frames, first_frame + count);
  if (to <= from) return 0.0;
  double sum = 0.0;
  for (int i = from * channels; i < to * channels; ++i) {
    sum += static_cast<double>(samples[static_cast<std::size_t>(i)]) *
           samples[static_cast<std::size_t>(i)];
  }
  return std::sqrt(sum / ((to - from) * channels));
}

int Pcm::ClippedSamples() const {
  int n = 0;
  for (short s : samples) n += std::abs(static_cast<int>(s)) >= 32700 ? 1 : 0;
  return n;
}

Pcm Decode(const std::string& url, int flags) {
  Pcm pcm;
  media::Sound sound = media::LoadSound(url, flags);
  if (!sound) return pcm;
  pcm.ok = true;
  pcm.rate = media::SoundRate(sound);
  pcm.channels = media::SoundChannels(sound);
  pcm.frames = media::SoundFrames(sound);
  const short* data = media::SoundSamples(sound);
  pcm.samples.assign(data, data + static_cast<std::size_t>(pcm.frames) * pcm.channels);
  return pcm;
}

Pcm DecodeBytes(const std::vector<unsigned char>& bytes, const std::string& name) {
  static std::vector<std::vector<unsigned char>> keep;  // registered data must stay alive
  keep.push_back(bytes);
  media::RegisterEmbedded(name, keep.back().data(), keep.back().size());
  return Decode("incbin::" + name);
}

void RegisterBuiltins() {
  media::RegisterBuiltinBlobs();
}

std::vector<std::string> EffectNames() {
  std::vector<std::string> names;
  std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/assets/embedded.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("Sfx/", 0) == 0 && line.size() > 8 && line.substr(line.size() - 4) == ".ogg") {
      names.push_back(line.substr(4, line.size() - 8));
    }
  }
  return names;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace soundtest

#include "tools/sound/sound_util.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "media/sound.h"

namespace soundtest {

int Pcm::Peak() const {
  int peak = 0;
  for (short s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

double Rms(const std::vector<short>& samples, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

double Pcm::Rms(int first_frame, int count) const {
  const int from = std::max(0, first_frame), to = std::min(frames, first_frame + count);
  return to <= from ? 0.0 : soundtest::Rms(samples, from * channels, to * channels);
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

std::vector<std::string> EffectNames() {
  std::vector<std::string> names;
  std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/assets/embedded.txt");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Sfx/", 0) == 0 && line.size() > 8 && line.substr(line.size() - 4) == ".ogg")
      names.push_back(line.substr(4, line.size() - 8));
  return names;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> LangLines(const std::string& code) {
  std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/assets/Langs/" +
                       (code.empty() ? "" : code + "/") + "Lang.txt",
                   std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace soundtest

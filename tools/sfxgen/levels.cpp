#include "tools/sfxgen/levels.h"

#include <algorithm>
#include <cmath>

#include "tools/sfxgen/dsp.h"

namespace sfxgen {
namespace {

std::vector<double> Mono(const std::vector<float>& samples, int channels) {
  channels = std::max(channels, 1);
  std::vector<double> mono(samples.size() / static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < mono.size(); ++i) {
    double sum = 0.0;
    for (int c = 0; c < channels; ++c) sum += samples[i * static_cast<std::size_t>(channels) + c];
    mono[i] = sum / channels;
  }
  return mono;
}

// Two state-variable filters in a row: high-pass at lo, then low-pass at hi (hi <= 0: none).
std::vector<double> Band(const std::vector<double>& in, double lo, double hi) {
  Filter high, low;
  std::vector<double> out(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    double lp, bp, hp;
    high.Run(in[i], lo, 0.707, &lp, &bp, &hp);
    out[i] = hp;
    if (hi > 0) {
      low.Run(hp, hi, 0.707, &lp, &bp, &hp);
      out[i] = lp;
    }
  }
  return out;
}

double Energy(const std::vector<double>& s) {
  double e = 0.0;
  for (double v : s) e += v * v;
  return e;
}

}  // namespace

double LoudestLevelDb(const std::vector<float>& samples, int channels, double window_s,
                      double gain) {
  const std::vector<double> heard = Band(Mono(samples, channels), 200.0, 0.0);
  const std::size_t window =
      std::clamp<std::size_t>(static_cast<std::size_t>(window_s * kRate), 1, heard.size() + 1);
  double sum = 0.0, best = 0.0;
  for (std::size_t i = 0; i < heard.size(); ++i) {
    sum += heard[i] * heard[i];
    if (i >= window) sum -= heard[i - window] * heard[i - window];
    best = std::max(best, sum);
  }
  const double rms = std::sqrt(best / static_cast<double>(window)) * gain;
  return rms > 1e-10 ? 20.0 * std::log10(rms) : -200.0;
}

double BandShare(const std::vector<float>& samples, int channels, double lo_hz, double hi_hz) {
  const std::vector<double> mono = Mono(samples, channels);
  const double all = Energy(mono);
  return all > 0.0 ? Energy(Band(mono, lo_hz, hi_hz)) / all : 0.0;
}

}  // namespace sfxgen

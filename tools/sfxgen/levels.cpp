#include "tools/sfxgen/levels.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <tuple>

#include "tools/sfxgen/dsp.h"

namespace sfxgen {
namespace {

struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

// The two stages of the K-weighting, designed for kRate from their analogue prototypes: the
// head's high shelf (+4 dB above about 1.7 kHz) and the revised low-frequency B-curve high-pass.
Biquad Shelf() {
  const double f0 = 1681.974450955533, gain_db = 3.999843853973347, q = 0.7071752369554196;
  const double k = std::tan(kPi * f0 / kRate);
  const double vh = std::pow(10.0, gain_db / 20.0);
  const double vb = std::pow(vh, 0.4996667741545416);
  const double a0 = 1.0 + k / q + k * k;
  return Biquad{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                (vh - vb * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                (1.0 - k / q + k * k) / a0};
}

Biquad HighPass() {
  const double f0 = 38.13547087602444, q = 0.5003270373238773;
  const double k = std::tan(kPi * f0 / kRate);
  const double a0 = 1.0 + k / q + k * k;
  return Biquad{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> Channel(const std::vector<float>& samples, int channels, int c) {
  std::vector<double> out(samples.size() / static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
  return out;
}

std::vector<double> MonoMix(const std::vector<float>& samples, int channels) {
  std::vector<double> mono(samples.size() / static_cast<std::size_t>(channels), 0.0);
  for (int c = 0; c < channels; ++c) {
    const std::vector<double> one = Channel(samples, channels, c);
    for (std::size_t i = 0; i < mono.size(); ++i) mono[i] += one[i] / channels;
  }
  return mono;
}

// In-place radix-2 FFT; the size is a power of two.
void Fft(std::vector<std::complex<double>>* data) {
  std::vector<std::complex<double>>& a = *data;
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(len));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> w = 1.0;
      for (std::size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
}

constexpr std::size_t kFrame = 8192;  // 5.4 Hz a bin

// Power per bin (0 to kFrame/2) summed over Hann-windowed frames a quarter frame apart; the
// squared windows then add up to a constant, so every sample counts alike. A loop wraps around,
// anything else is padded with silence at both ends.
std::vector<double> Spectrum(const std::vector<double>& x, bool loop) {
  std::vector<double> power(kFrame / 2 + 1, 0.0);
  if (x.empty()) return power;
  const std::size_t hop = kFrame / 4;
  std::vector<double> window(kFrame);
  for (std::size_t i = 0; i < kFrame; ++i)
    window[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFrame);
  const long n = static_cast<long>(x.size());
  std::vector<std::complex<double>> buf(kFrame);
  for (long start = loop ? 0 : -static_cast<long>(kFrame); start < n;
       start += static_cast<long>(hop)) {
    for (std::size_t i = 0; i < kFrame; ++i) {
      long at = start + static_cast<long>(i);
      double v = 0.0;
      if (loop) {
        v = x[static_cast<std::size_t>(at % n)];
      } else if (at >= 0 && at < n) {
        v = x[static_cast<std::size_t>(at)];
      }
      buf[i] = v * window[i];
    }
    Fft(&buf);
    for (std::size_t k = 0; k <= kFrame / 2; ++k) power[k] += std::norm(buf[k]);
  }
  return power;
}

double Share(const std::vector<double>& power, double lo_hz, double hi_hz) {
  double all = 0.0, band = 0.0;
  for (std::size_t k = 0; k < power.size(); ++k) {
    const double f = static_cast<double>(k) * kRate / kFrame;
    all += power[k];
    if (f >= lo_hz && f < hi_hz) band += power[k];
  }
  return all > 0.0 ? band / all : 0.0;
}

// Mean square of every window of `window` frames (a step of `hop` frames apart), over the sum of
// the channels' squares; the whole sound when it is shorter than a window.
std::vector<double> Windows(const std::vector<double>& energy, std::size_t window, std::size_t hop,
                            bool loop) {
  const std::size_t n = energy.size();
  std::vector<double> out;
  if (n == 0) return out;
  window = std::min(window, n);
  std::vector<double> prefix(n + 1, 0.0);
  for (std::size_t i = 0; i < n; ++i) prefix[i + 1] = prefix[i] + energy[i];
  const std::size_t starts = loop ? n : n - window + 1;
  for (std::size_t s = 0; s < starts; s += hop) {
    const std::size_t e = s + window;
    const double sum =
        e <= n ? prefix[e] - prefix[s] : (prefix[n] - prefix[s]) + prefix[e - n];  // wrapped
    out.push_back(sum / static_cast<double>(window));
  }
  return out;
}

}  // namespace

double ToDb(double mean_square) {
  return mean_square > 1e-20 ? 10.0 * std::log10(mean_square) : -200.0;
}

std::vector<double> KWeight(const std::vector<double>& channel, bool loop) {
  Biquad shelf = Shelf(), high = HighPass();
  if (loop) {  // let the filters ring in over the loop's last two seconds
    const std::size_t lead = std::min<std::size_t>(channel.size(), 2 * kRate);
    for (std::size_t i = channel.size() - lead; i < channel.size(); ++i)
      high.Run(shelf.Run(channel[i]));
  }
  std::vector<double> out(channel.size());
  for (std::size_t i = 0; i < channel.size(); ++i) out[i] = high.Run(shelf.Run(channel[i]));
  return out;
}

double MeanLevelDb(const std::vector<float>& samples, int channels, bool loop) {
  channels = std::max(channels, 1);
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  double total = 0.0;
  for (int c = 0; c < channels; ++c) {
    for (double v : KWeight(Channel(samples, channels, c), loop)) total += v * v;
  }
  return frames > 0 ? ToDb(total / static_cast<double>(frames * channels)) : -200.0;
}

Levels Measure(const std::vector<float>& samples, int channels, double gain, bool loop) {
  Levels l;
  channels = std::max(channels, 1);
  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  if (frames == 0) return l;
  // Per frame, the mean over the channels of the K-weighted squares at the given volume.
  std::vector<double> energy(frames, 0.0);
  for (int c = 0; c < channels; ++c) {
    const std::vector<double> k = KWeight(Channel(samples, channels, c), loop);
    for (std::size_t i = 0; i < frames; ++i) energy[i] += k[i] * k[i] * gain * gain / channels;
  }
  double total = 0.0;
  for (double e : energy) total += e;
  l.mean_db = ToDb(total / static_cast<double>(frames));
  const auto loudest = [&](double seconds, std::size_t hop) {
    const std::vector<double> w =
        Windows(energy, static_cast<std::size_t>(seconds * kRate), hop, loop);
    return std::make_pair(ToDb(*std::min_element(w.begin(), w.end())),
                          ToDb(*std::max_element(w.begin(), w.end())));
  };
  l.loudest_db = loudest(kEffectWindow, 1).second;
  std::tie(l.quietest_span_db, l.loudest_span_db) = loudest(kMovementWindow, kRate / 10);
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  l.peak_db = ToDb(static_cast<double>(peak) * peak * gain * gain);
  const std::vector<double> power = Spectrum(MonoMix(samples, channels), loop);
  l.low_share = Share(power, 0.0, 200.0);
  l.middle_share = Share(power, 300.0, 3000.0);
  if (channels == 2) {
    double mid = 0.0, side = 0.0;
    for (std::size_t i = 0; i < frames; ++i) {
      const double a = samples[2 * i], b = samples[2 * i + 1];
      mid += (a + b) * (a + b) / 4.0;
      side += (a - b) * (a - b) / 4.0;
    }
    l.side_db = mid > 0.0 ? ToDb(side / mid) : -200.0;
  }
  return l;
}

double BandShare(const std::vector<float>& samples, int channels, double lo_hz, double hi_hz) {
  channels = std::max(channels, 1);
  return Share(Spectrum(MonoMix(samples, channels), false), lo_hz, hi_hz);
}

}  // namespace sfxgen

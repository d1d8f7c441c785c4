#include "tools/sfxgen/effect.h"

#include <algorithm>
#include <cmath>

namespace sfxgen {

namespace {

Sweep ParseSweep(const std::string& value, double lo, double hi, const std::string& what,
                 int line) {
  Sweep s;
  s.set = true;
  std::size_t colon = value.find(':');
  if (colon == std::string::npos) {
    s.from = s.to = ParseNumber(value, lo, hi, what, line);
  } else {
    s.from = ParseNumber(value.substr(0, colon), lo, hi, what, line);
    s.to = ParseNumber(value.substr(colon + 1), lo, hi, what, line);
  }
  return s;
}

Wave ParseWave(const std::string& word, int line) {
  if (word == "sine") return Wave::Sine;
  if (word == "square") return Wave::Square;
  if (word == "saw") return Wave::Saw;
  if (word == "triangle") return Wave::Triangle;
  if (word == "noise") return Wave::Noise;
  Fail(line, "unknown waveform '" + word + "'");
}

void ParsePair(const std::string& value, double lo1, double hi1, double lo2, double hi2,
               const std::string& what, int line, double* a, double* b) {
  std::size_t comma = value.find(',');
  if (comma == std::string::npos) Fail(line, what + ": two numbers expected, as a,b");
  *a = ParseNumber(value.substr(0, comma), lo1, hi1, what, line);
  *b = ParseNumber(value.substr(comma + 1), lo2, hi2, what, line);
}

}  // namespace

double Sweep::At(double x, bool exponential) const {
  x = Clamp(x, 0.0, 1.0);
  if (exponential && from > 0.0 && to > 0.0) return from * std::pow(to / from, x);
  return from + (to - from) * x;
}

Layer ParseLayer(const std::vector<std::string>& words, int line) {
  if (words.size() < 2) Fail(line, "layer: waveform missing");
  Layer l;
  l.wave = ParseWave(words[1], line);
  if (l.wave == Wave::Noise) l.freq = Sweep{0.0, 0.0, false};
  for (std::size_t i = 2; i < words.size(); ++i) {
    std::string key, value;
    if (!SplitKeyValue(words[i], &key, &value))
      Fail(line, "expected key=value, got '" + words[i] + "'");
    if (key == "freq") {
      l.freq = ParseSweep(value, 0.01, 20000.0, key, line);
    } else if (key == "curve") {
      if (value != "exp" && value != "lin") Fail(line, "curve: exp or lin");
      l.exp_curve = value == "exp";
    } else if (key == "duty") {
      l.duty = ParseSweep(value, 0.01, 0.99, key, line);
    } else if (key == "start") {
      l.start = ParseNumber(value, 0.0, 120.0, key, line);
    } else if (key == "dur") {
      l.dur = ParseNumber(value, 0.001, 120.0, key, line);
      l.dur_set = true;
    } else if (key == "a") {
      l.env.attack = ParseNumber(value, 0.0, 10.0, key, line);
    } else if (key == "d") {
      l.env.decay = ParseNumber(value, 0.0, 10.0, key, line);
    } else if (key == "s") {
      l.env.sustain = ParseNumber(value, 0.0, 1.0, key, line);
    } else if (key == "r") {
      l.env.release = ParseNumber(value, 0.0, 10.0, key, line);
    } else if (key == "vol") {
      l.vol = ParseNumber(value, 0.0, 4.0, key, line);
    } else if (key == "vib") {
      ParsePair(value, 0.0, 50.0, 0.0, 12.0, key, line, &l.vib_rate, &l.vib_depth);
    } else if (key == "trem") {
      ParsePair(value, 0.0, 100.0, 0.0, 1.0, key, line, &l.trem_rate, &l.trem_depth);
    } else if (key == "lp") {
      l.lp = ParseSweep(value, 20.0, 20000.0, key, line);
    } else if (key == "hp") {
      l.hp = ParseSweep(value, 20.0, 20000.0, key, line);
    } else if (key == "q") {
      l.q = ParseNumber(value, 0.3, 20.0, key, line);
    } else if (key == "fm") {
      ParsePair(value, 0.0, 16.0, 0.0, 20.0, key, line, &l.fm_ratio, &l.fm_index);
    } else if (key == "arp") {
      l.arp = ParseList(value, -48.0, 48.0, key, line);
    } else if (key == "arpstep") {
      l.arp_step = ParseNumber(value, 0.005, 10.0, key, line);
    } else if (key == "repeat") {
      l.repeat = static_cast<int>(ParseNumber(value, 1.0, 64.0, key, line));
    } else if (key == "every") {
      l.every = ParseNumber(value, 0.0, 10.0, key, line);
    } else if (key == "fade") {
      l.fade = ParseNumber(value, 0.0, 2.0, key, line);
    } else if (key == "bend") {
      l.bend = ParseNumber(value, 0.1, 10.0, key, line);
    } else if (key == "seed") {
      l.seed = static_cast<std::uint32_t>(ParseNumber(value, 0.0, 4294967295.0, key, line));
    } else if (key == "detune") {
      l.detune_cents = ParseNumber(value, -100.0, 100.0, key, line);
    } else if (key == "drive") {
      l.drive = ParseNumber(value, 0.0, 20.0, key, line);
    } else {
      Fail(line, "unknown layer key '" + key + "'");
    }
  }
  return l;
}

void RenderLayer(const Layer& layer, double freq_mul, double hold_override, double gain,
                 long offset, std::vector<float>* out, bool wrap) {
  const long size = static_cast<long>(out->size());
  if (size == 0) return;
  const double hold = hold_override > 0.0 ? hold_override : layer.dur;
  long length = static_cast<long>(std::ceil(layer.env.Length(hold) * kRate));
  if (wrap) length = std::min(length, size);  // a sound longer than the loop would only pile up
  for (int rep = 0; rep < layer.repeat; ++rep) {
    const long first =
        offset + std::lround((layer.start + rep * layer.every) * static_cast<double>(kRate));
    const double rep_gain = gain * layer.vol * std::pow(layer.fade, rep);
    const double rep_pitch = freq_mul * std::pow(layer.bend, rep);
    Noise noise(layer.seed * 2654435761u + static_cast<std::uint32_t>(rep) * 40503u + 1u);
    Filter lp_filter, hp_filter;
    const double detune = std::pow(2.0, layer.detune_cents / 1200.0);
    double phase = 0.0, phase2 = 0.0, mod_phase = 0.0, held = 0.0, hold_phase = 1.0;
    for (long i = 0; i < length; ++i) {
      long at = first + i;
      if (wrap) {
        at %= size;
        if (at < 0) at += size;
      } else if (at < 0) {
        continue;
      } else if (at >= size) {
        break;
      }
      const double t = static_cast<double>(i) / kRate;
      const double x = hold > 0.0 ? t / hold : 1.0;
      double f = layer.freq.At(x, layer.exp_curve) * rep_pitch;
      if (!layer.arp.empty()) {
        std::size_t k = static_cast<std::size_t>(t / layer.arp_step) % layer.arp.size();
        f *= std::pow(2.0, layer.arp[k] / 12.0);
      }
      if (layer.vib_depth > 0.0) {
        f *= std::pow(2.0, layer.vib_depth * std::sin(2.0 * kPi * layer.vib_rate * t) / 12.0);
      }
      double s;
      if (layer.wave == Wave::Noise) {
        if (layer.freq.set) {
          hold_phase += f / kRate;
          if (hold_phase >= 1.0) {
            hold_phase -= std::floor(hold_phase);
            held = noise.Next();
          }
          s = held;
        } else {
          s = noise.Next();
        }
      } else {
        double pm = 0.0;
        if (layer.fm_index > 0.0) {
          mod_phase += f * layer.fm_ratio / kRate;
          mod_phase -= std::floor(mod_phase);
          pm = layer.fm_index * std::sin(2.0 * kPi * mod_phase) / (2.0 * kPi);
        }
        const double duty = layer.duty.At(x, false);
        phase += f / kRate;
        phase -= std::floor(phase);
        s = Oscillate(layer.wave, phase + pm, duty);
        if (layer.detune_cents != 0.0) {
          phase2 += f * detune / kRate;
          phase2 -= std::floor(phase2);
          s = 0.5 * (s + Oscillate(layer.wave, phase2 + pm, duty));
        }
      }
      if (layer.lp.set) {
        double lo, band, high;
        lp_filter.Run(s, layer.lp.At(x, true), layer.q, &lo, &band, &high);
        s = lo;
      }
      if (layer.hp.set) {
        double lo, band, high;
        hp_filter.Run(s, layer.hp.At(x, true), 0.707, &lo, &band, &high);
        s = high;
      }
      if (layer.drive > 0.0) s = std::tanh(s * (1.0 + layer.drive)) / std::tanh(1.0 + layer.drive);
      double level = layer.env.Level(t, hold);
      if (layer.trem_depth > 0.0) {
        level *= 1.0 - layer.trem_depth * 0.5 * (1.0 - std::cos(2.0 * kPi * layer.trem_rate * t));
      }
      (*out)[static_cast<std::size_t>(at)] += static_cast<float>(s * level * rep_gain);
    }
  }
}

Effect ParseEffect(const std::string& name, const std::string& text) {
  Effect e;
  e.name = name;
  bool have_length = false;
  for (const Line& line : SplitLines(text)) {
    const std::string& head = line.words[0];
    if (head == "length" || head == "peak") {
      if (line.words.size() != 2) Fail(line.number, head + ": one number expected");
      if (head == "length") {
        e.length = ParseNumber(line.words[1], 0.01, 10.0, head, line.number);
        have_length = true;
      } else {
        e.peak = ParseNumber(line.words[1], 0.05, 0.95, head, line.number);
      }
    } else if (head == "echo") {
      if (line.words.size() != 3) Fail(line.number, "echo: delay and feedback expected");
      e.echo_delay = ParseNumber(line.words[1], 0.005, 1.0, "echo delay", line.number);
      e.echo_feedback = ParseNumber(line.words[2], 0.0, 0.9, "echo feedback", line.number);
    } else if (head == "limit") {
      if (line.words.size() != 2) Fail(line.number, "limit: one number expected");
      e.limit_db = ParseNumber(line.words[1], 0.0, 12.0, head, line.number);
    } else if (head == "layer") {
      if (e.layers.size() >= 32) Fail(line.number, "too many layers");
      e.layers.push_back(ParseLayer(line.words, line.number));
    } else {
      Fail(line.number, "unknown statement '" + head + "'");
    }
  }
  if (!have_length) throw RecipeError("no 'length' given");
  if (e.layers.empty()) throw RecipeError("no layer given");
  return e;
}

void Limit(std::vector<float>* samples, double limit_db) {
  std::vector<float>& x = *samples;
  float peak = 0.0f;
  for (float s : x) peak = std::max(peak, std::fabs(s));
  if (limit_db <= 0.0 || peak < 1e-6f || x.empty()) return;
  const double ceiling = peak * std::pow(10.0, -limit_db / 20.0);
  const std::size_t ahead = kRate * 3 / 1000, n = x.size() + ahead;
  // The gain each sample needs (after `ahead` samples of silence, so that the gain can fall
  // before the first one), then its minimum over the next 2 * ahead samples, averaged over the
  // last `ahead`: every average is taken over minima that include the sample itself, so the
  // smoothed gain never lets it past the ceiling.
  std::vector<double> need(n, 1.0), low(n), gain(n);
  for (std::size_t i = ahead; i < n; ++i) {
    const double v = std::fabs(x[i - ahead]);
    if (v > ceiling) need[i] = ceiling / v;
  }
  for (std::size_t i = n; i-- > 0;) {
    double m = need[i];
    for (std::size_t j = i + 1; j < std::min(n, i + 2 * ahead); ++j) m = std::min(m, need[j]);
    low[i] = m;
  }
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    sum += low[i] - (i >= ahead ? low[i - ahead] : 1.0);
    gain[i] = (sum + static_cast<double>(ahead)) / static_cast<double>(ahead);
  }
  // Recovery: the gain may fall at once but rises back with a 25 ms time constant.
  const double rise = 1.0 - std::exp(-1.0 / (0.025 * kRate));
  double g = 1.0;
  for (std::size_t i = 0; i < n; ++i) {
    g = gain[i] < g ? gain[i] : g + (gain[i] - g) * rise;
    if (i >= ahead) x[i - ahead] = static_cast<float>(x[i - ahead] * g);
  }
}

std::vector<float> RenderEffect(const Effect& effect) {
  std::vector<float> out(static_cast<std::size_t>(std::lround(effect.length * kRate)), 0.0f);
  for (const Layer& layer : effect.layers) RenderLayer(layer, 1.0, 0.0, 1.0, 0, &out, false);
  if (effect.echo_delay > 0.0 && effect.echo_feedback > 0.0) {
    const std::size_t delay = static_cast<std::size_t>(std::lround(effect.echo_delay * kRate));
    for (std::size_t i = delay; i < out.size(); ++i) {
      out[i] += static_cast<float>(effect.echo_feedback) * out[i - delay];
    }
  }
  // Remove any steady offset (pulse waves carry one): a gentle high-pass at about 20 Hz.
  {
    const double k = std::exp(-2.0 * kPi * 20.0 / kRate);
    double prev_in = 0.0, prev_out = 0.0;
    for (float& v : out) {
      const double y = v - prev_in + k * prev_out;
      prev_in = v;
      prev_out = y;
      v = static_cast<float>(y);
    }
  }
  // A short fade at both ends, so that a cut never clicks.
  const std::size_t edge = std::min<std::size_t>(out.size() / 4, kRate / 200);
  for (std::size_t i = 0; i < edge; ++i) {
    const float k = static_cast<float>(i) / static_cast<float>(edge);
    out[out.size() - 1 - i] *= k;
  }
  const std::size_t in_edge = std::min<std::size_t>(out.size() / 4, kRate / 2000);
  for (std::size_t i = 0; i < in_edge; ++i) out[i] *= static_cast<float>(i) / in_edge;
  Limit(&out, effect.limit_db);
  float peak = 0.0f;
  for (float s : out) peak = std::max(peak, std::fabs(s));
  if (peak < 1e-6f) throw RecipeError("the recipe makes no sound");
  const float scale = static_cast<float>(effect.peak) / peak;
  for (float& s : out) s *= scale;
  return out;
}

}  // namespace sfxgen

#include "tools/sfxgen/dsp.h"

#include <cmath>

namespace sfxgen {

double Clamp(double v, double lo, double hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

double NoteToHz(double midi_note) {
  return 440.0 * std::pow(2.0, (midi_note - 69.0) / 12.0);
}

double Oscillate(Wave wave, double phase, double duty) {
  phase -= std::floor(phase);
  switch (wave) {
    case Wave::Sine:
      return std::sin(2.0 * kPi * phase);
    case Wave::Square:
      return phase < duty ? 1.0 : -1.0;
    case Wave::Saw:
      return 2.0 * phase - 1.0;
    case Wave::Triangle:
      return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Noise:
      return 0.0;
  }
  return 0.0;
}

double Envelope::Level(double t, double hold) const {
  if (t < 0.0) return 0.0;
  auto held = [this](double u) {
    if (u < attack) return attack > 0.0 ? u / attack : 1.0;
    u -= attack;
    if (u < decay) return 1.0 + (sustain - 1.0) * (u / decay);
    return sustain;
  };
  if (t < hold) return held(t);
  double at_release = held(hold);
  double u = t - hold;
  if (release <= 0.0 || u >= release) return 0.0;
  double k = 1.0 - u / release;
  return at_release * k * k;
}

void Filter::Run(double in, double cutoff_hz, double q, double* lp, double* bp, double* hp) {
  if (cutoff_hz != cutoff_ || q != q_) {
    cutoff_ = cutoff_hz;
    q_ = q;
    const double fc = Clamp(cutoff_hz, 10.0, kRate * 0.45);
    const double g = std::tan(kPi * fc / kRate);
    k_ = 1.0 / Clamp(q, 0.3, 20.0);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
  }
  double v3 = in - ic2_;
  double v1 = a1_ * ic1_ + a2_ * v3;
  double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  *lp = v2;
  *bp = v1;
  *hp = in - k_ * v1 - v2;
}

}  // namespace sfxgen

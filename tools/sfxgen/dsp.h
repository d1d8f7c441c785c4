// Building blocks of the synthesiser: oscillators, noise, envelopes and filters.
#pragma once

#include <cstdint>

namespace sfxgen {

constexpr int kRate = 44100;  // every sound is made and stored at the mixer's rate
constexpr double kPi = 3.14159265358979323846;

enum class Wave { Sine, Square, Saw, Triangle, Noise };

// Deterministic noise: xorshift32, uniform in [-1, 1).
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

// One period of a waveform at phase 0..1 (noise is not periodic and is made by Noise).
double Oscillate(Wave wave, double phase, double duty);

// Attack, decay to a sustain level, hold until `hold` seconds, then release: the level at t.
struct Envelope {
  double attack = 0.005, decay = 0.0, sustain = 1.0, release = 0.02;
  double Level(double t, double hold) const;
  double Length(double hold) const { return hold + release; }
};

// State-variable filter (trapezoidal form, stable at every cutoff below Nyquist).
class Filter {
 public:
  // Returns the low-pass, band-pass and high-pass outputs in *lp, *bp, *hp.
  void Run(double in, double cutoff_hz, double q, double* lp, double* bp, double* hp);

 private:
  double ic1_ = 0.0, ic2_ = 0.0;
  // The coefficients of the last cutoff and resonance, kept while they stay the same.
  double cutoff_ = -1.0, q_ = -1.0, k_ = 0.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
};

double NoteToHz(double midi_note);  // 69 = A4 = 440 Hz
double Clamp(double v, double lo, double hi);

}  // namespace sfxgen

// Sound-effect recipes: a few layers (waveform or noise, pitch sweep, envelope, filters) mixed
// into one mono sound.
//
// Recipe file (<Name>.sfx), one statement a line, '#' comments:
//   length 0.35            total length in seconds (the sound is cut there with a short fade)
//   peak 0.7               the loudest sample after mixing, as a fraction of full scale
//   echo 0.09 0.3          optional: a room echo, repeats 0.09 s apart, each 0.3 of the last
//   limit 4                optional: a gentle limiter takes the loudest moments down by up to
//                          4 dB before the peak is set, so the body of the sound comes up
//   layer square freq=988:1319 dur=0.2 a=0.002 d=0.1 s=0.4 r=0.05 vol=0.5 ...
// Layer keys: freq=f or f0:f1 (Hz; for noise the sample-and-hold rate, none = white),
// curve=exp|lin, duty=d or d0:d1, start, dur, a, d, s, r, vol, vib=rate,semitones,
// trem=rate,depth, lp=c or c0:c1, hp=c or c0:c1, q, fm=ratio,index, arp=semitones,...,
// arpstep=seconds, repeat=n, every=seconds, fade=gain per repeat, bend=pitch ratio per repeat,
// seed, detune=cents (a second oscillator), drive (soft saturation).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sfxgen/dsp.h"
#include "tools/sfxgen/text.h"

namespace sfxgen {

struct Sweep {
  double from = 0.0, to = 0.0;
  bool set = false;
  double At(double x, bool exponential) const;  // x from 0 to 1
};

struct Layer {
  Wave wave = Wave::Sine;
  Sweep freq{440.0, 440.0, false};
  bool exp_curve = true;
  Sweep duty{0.5, 0.5, false};
  double start = 0.0;
  double dur = 0.1;
  bool dur_set = false;
  Envelope env;
  double vol = 1.0;
  double vib_rate = 0.0, vib_depth = 0.0;
  double trem_rate = 0.0, trem_depth = 0.0;
  Sweep lp, hp;
  double q = 0.707;
  double fm_ratio = 0.0, fm_index = 0.0;
  std::vector<double> arp;
  double arp_step = 0.05;
  int repeat = 1;
  double every = 0.0;
  double fade = 1.0;
  double bend = 1.0;
  std::uint32_t seed = 1;
  double detune_cents = 0.0;
  double drive = 0.0;
};

// Parses the words of a "layer" line (words[0] is "layer"). Throws RecipeError.
Layer ParseLayer(const std::vector<std::string>& words, int line);

// Adds one layer into out (mono, kRate) starting at sample `offset` plus the layer's start.
// freq_mul scales every frequency (a note's pitch in a song); hold_override > 0 replaces dur.
// Samples beyond `wrap` (when > 0) wrap around to the start (seamless loops).
void RenderLayer(const Layer& layer, double freq_mul, double hold_override, double gain,
                 long offset, std::vector<float>* out, bool wrap);

struct Effect {
  std::string name;
  double length = 0.5;
  double peak = 0.7;
  double echo_delay = 0.0;  // seconds between repeats of the room echo (0: none)
  double echo_feedback = 0.0;
  double limit_db = 0.0;  // how far the limiter takes the peaks down (0: no limiter)
  std::vector<Layer> layers;
};

Effect ParseEffect(const std::string& name, const std::string& text);  // throws RecipeError
// A look-ahead limiter: the gain falls smoothly over 3 ms before any sample louder than
// `limit_db` under the loudest one and recovers over about 25 ms, so no sample passes that
// level and no click is made.
void Limit(std::vector<float>* samples, double limit_db);
// Mono samples at kRate, normalised to the recipe's peak. Throws RecipeError when silent.
std::vector<float> RenderEffect(const Effect& effect);

}  // namespace sfxgen

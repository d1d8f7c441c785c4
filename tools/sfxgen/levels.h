// Loudness figures of the generator: how loud a sound comes out of the small speakers a game is
// often heard on. Those give back little below a few hundred hertz, so the signal is first
// high-passed at 200 Hz; a level is then the RMS of the loudest window, in dB of full scale.
#pragma once

#include <vector>

namespace sfxgen {

// How the game mixes: effects at volume 0.3 over the music at 1.0 (the default settings). An
// effect is measured over its loudest 100 ms, the music over its loudest 400 ms (short-term).
constexpr double kEffectVolume = 0.3;
constexpr double kEffectWindow = 0.1;
constexpr double kMusicWindow = 0.4;

// The level of the loudest `window_s` seconds of `samples` (interleaved `channels`, at kRate,
// full scale 1.0) played at volume `gain`, in dB of full scale; -200 for silence.
double LoudestLevelDb(const std::vector<float>& samples, int channels, double window_s,
                      double gain = 1.0);

// The share (0 to 1) of the sound's energy between lo_hz and hi_hz.
double BandShare(const std::vector<float>& samples, int channels, double lo_hz, double hi_hz);

}  // namespace sfxgen

// Loudness figures of the generator: how the sounds come out against each other when the game
// plays them at its default volumes. Levels are K-weighted as in ITU-R BS.1770 (a high shelf of
// about +4 dB above about 1.7 kHz, then a high-pass at about 38 Hz): the ear hears the presence
// range louder than the bass. A level is a mean square in dB of full scale over every sample of
// every channel (no gating, no loudness-unit offset), as `sox FILE -n highpass 38 treble 4 1681
// stats` reports it.
#pragma once

#include <vector>

namespace sfxgen {

// How the game mixes by default: effects at volume 0.3, the music at 1.0 (the start-up logo's
// chime plays its effect at full volume).
constexpr double kEffectVolume = 0.3;
constexpr double kMusicVolume = 1.0;
// An effect is heard by its loudest 100 ms; the music's movement is read over 3-second windows.
constexpr double kEffectWindow = 0.1;
constexpr double kMovementWindow = 3.0;

struct Levels {
  double mean_db = -200.0;     // K-weighted, the whole sound
  double loudest_db = -200.0;  // K-weighted, the loudest kEffectWindow
  double quietest_span_db = -200.0, loudest_span_db = -200.0;  // K-weighted kMovementWindow
  double peak_db = -200.0;                                     // the largest sample
  double low_share = 0.0;     // share of the energy below 200 Hz (mono mix)
  double middle_share = 0.0;  // share of the energy between 300 Hz and 3 kHz
  double side_db = -200.0;    // side (L-R)/2 against middle (L+R)/2; -200 for mono
  double Movement() const { return loudest_span_db - quietest_span_db; }
};

// The figures of `samples` (interleaved `channels`, at kRate, full scale 1.0) played at volume
// `gain`. A loop is measured as it repeats: the filters start from its end and windows wrap
// around. A sound shorter than a window is measured over its own length.
Levels Measure(const std::vector<float>& samples, int channels, double gain, bool loop);

// Only the K-weighted mean of Measure, at volume 1.
double MeanLevelDb(const std::vector<float>& samples, int channels, bool loop);

// The share (0 to 1) of the energy of the mono mix between lo_hz and hi_hz (from an averaged
// spectrum, so the band edges are sharp).
double BandShare(const std::vector<float>& samples, int channels, double lo_hz, double hi_hz);

// K-weighting of one channel at kRate, from silence (or, for a loop, from the loop's end).
std::vector<double> KWeight(const std::vector<double>& channel, bool loop);

double ToDb(double mean_square);  // 10 log10, -200 for silence

}  // namespace sfxgen

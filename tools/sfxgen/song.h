// Music: a small step sequencer. Voices are made of effect layers (see effect.h) whose
// frequencies are multiplied by the pitch of each note; patterns of steps are strung together by
// an order line. The song is rendered as a closed loop: whatever rings past the end is added to
// the beginning, so the last sample runs on into the first without a click or a gap.
//
// Song file (<Name>.song):
//   tempo 104                    beats per minute; one step is a sixteenth note
//   peak 0.8                     loudest sample of the mix, or instead
//   loudness -26                 the mix's K-weighted mean level in dB of full scale (levels.h)
//   echo steps=3 feedback=0.35   ping-pong echo for the voices' sends
//   voice lead gain=0.3 pan=-0.2 send=0.2 gate=0.9
//   layer square freq=1 duty=0.25 a=0.01 d=0.2 s=0.5 r=0.1   (freq=1: the note's own pitch)
//   pattern A
//   lead C5 . . . E5 . G5 . - . . . A4+C5 . . .
//   end
//   order A A+D1 B+D1 A+D2
// An order entry plays one pattern, or several at once joined by '+' (same number of steps, each
// voice in at most one of them). Step words: a note (C5, F#3, Bb2) or chord (C4+E4+G4) starts a
// note, 'x' a hit at pitch factor 1 (drums, whose layers give absolute frequencies), '.' holds, '-'
// stops; '|' is ignored. 'X' or a note ending in '!' is accented (1.4 times as loud), 'o' or a
// note ending in '?' soft (half as loud).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/sfxgen/effect.h"

namespace sfxgen {

struct Voice {
  std::string name;
  double gain = 0.3, pan = 0.0, send = 0.0, gate = 0.92;
  std::vector<Layer> layers;
};

struct Pattern {
  std::string name;
  int steps = 0;
  std::map<std::string, std::vector<std::string>> tracks;  // voice name -> step words
};

struct Song {
  std::string name;
  double tempo = 120.0;
  double peak = 0.8;
  double loudness = 0.0;  // when below 0, the mix is scaled to this K-weighted mean, not to peak
  int echo_steps = 0;
  double echo_feedback = 0.0;
  std::vector<Voice> voices;
  std::vector<Pattern> patterns;
  std::vector<std::vector<int>> order;  // per entry, the patterns played together

  int TotalSteps() const;
  double StepSeconds() const { return 60.0 / tempo / 4.0; }
  long TotalFrames() const;
};

Song ParseSong(const std::string& name, const std::string& text);  // throws RecipeError
// Interleaved stereo at kRate, exactly TotalFrames() frames, normalised to the song's peak or
// loudness. Throws RecipeError when the loudness asked for would take a sample past 0.95.
std::vector<float> RenderSong(const Song& song);

// Parses "C#4" style note names into MIDI numbers; false when the word is not a note.
bool ParseNoteName(const std::string& word, int* midi);

}  // namespace sfxgen

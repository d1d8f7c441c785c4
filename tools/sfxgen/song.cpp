#include "tools/sfxgen/song.h"

#include <algorithm>
#include <cmath>

#include "tools/sfxgen/levels.h"

namespace sfxgen {

namespace {

constexpr double kAccent = 1.4;
constexpr double kSoft = 0.5;

struct Event {
  int start = 0;              // step
  int length = 0;             // steps
  std::vector<double> pitch;  // frequency factors
  double velocity = 1.0;
};

// The pitch factors and loudness of a step word: notes give their frequency in Hz, 'x' a hit
// at factor 1; 'X' (or a note ending in '!') is accented, 'o' (or a note ending in '?') soft.
bool ParseHit(const std::string& word, std::vector<double>* pitch, double* velocity) {
  pitch->clear();
  *velocity = 1.0;
  if (word == "x" || word == "X" || word == "o") {
    pitch->push_back(1.0);
    *velocity = word == "X" ? kAccent : (word == "o" ? kSoft : 1.0);
    return true;
  }
  std::string notes = word;
  if (!notes.empty() && (notes.back() == '!' || notes.back() == '?')) {
    *velocity = notes.back() == '!' ? kAccent : kSoft;
    notes.pop_back();
  }
  std::size_t pos = 0;
  while (pos <= notes.size()) {
    std::size_t plus = notes.find('+', pos);
    std::string part =
        notes.substr(pos, plus == std::string::npos ? std::string::npos : plus - pos);
    int midi = 0;
    if (!ParseNoteName(part, &midi)) return false;
    pitch->push_back(NoteToHz(midi));
    if (plus == std::string::npos) break;
    pos = plus + 1;
  }
  return !pitch->empty() && pitch->size() <= 8;
}

const Voice* FindVoice(const Song& song, const std::string& name) {
  for (const Voice& v : song.voices) {
    if (v.name == name) return &v;
  }
  return nullptr;
}

void ParseVoiceLine(const Line& line, Voice* v) {
  if (line.words.size() < 2) Fail(line.number, "voice: name missing");
  v->name = line.words[1];
  for (std::size_t i = 2; i < line.words.size(); ++i) {
    std::string key, value;
    if (!SplitKeyValue(line.words[i], &key, &value)) Fail(line.number, "expected key=value");
    if (key == "gain") {
      v->gain = ParseNumber(value, 0.0, 4.0, key, line.number);
    } else if (key == "pan") {
      v->pan = ParseNumber(value, -1.0, 1.0, key, line.number);
    } else if (key == "send") {
      v->send = ParseNumber(value, 0.0, 1.0, key, line.number);
    } else if (key == "gate") {
      v->gate = ParseNumber(value, 0.05, 1.0, key, line.number);
    } else {
      Fail(line.number, "unknown voice key '" + key + "'");
    }
  }
}

}  // namespace

bool ParseNoteName(const std::string& word, int* midi) {
  static const int kBase[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (word.size() < 2 || word.size() > 3 || word[0] < 'A' || word[0] > 'G') return false;
  int note = kBase[word[0] - 'A'];
  std::size_t i = 1;
  if (word[i] == '#') {
    ++note;
    ++i;
  } else if (word[i] == 'b') {
    --note;
    ++i;
  }
  if (i + 1 != word.size() || word[i] < '0' || word[i] > '8') return false;
  *midi = note + 12 * (word[i] - '0' + 1);
  return true;
}

int Song::TotalSteps() const {
  int total = 0;
  for (const std::vector<int>& entry : order) {
    total += patterns[static_cast<std::size_t>(entry.front())].steps;
  }
  return total;
}

long Song::TotalFrames() const {
  return std::lround(TotalSteps() * StepSeconds() * kRate);
}

Song ParseSong(const std::string& name, const std::string& text) {
  Song song;
  song.name = name;
  Voice* voice = nullptr;
  Pattern* pattern = nullptr;
  bool have_order = false, have_peak = false;
  std::vector<std::string> order_names;
  int order_line = 0;
  for (const Line& line : SplitLines(text)) {
    const std::vector<std::string>& w = line.words;
    if (pattern) {
      if (w[0] == "end") {
        if (pattern->steps == 0) Fail(line.number, "pattern '" + pattern->name + "' is empty");
        pattern = nullptr;
        continue;
      }
      if (!FindVoice(song, w[0])) Fail(line.number, "no voice named '" + w[0] + "'");
      if (pattern->tracks.count(w[0])) Fail(line.number, "voice '" + w[0] + "' twice in pattern");
      std::vector<std::string> steps;
      for (std::size_t i = 1; i < w.size(); ++i) {
        if (w[i] == "|") continue;
        std::vector<double> pitch;
        double velocity = 1.0;
        if (w[i] != "." && w[i] != "-" && !ParseHit(w[i], &pitch, &velocity)) {
          Fail(line.number, "'" + w[i] + "' is not a note, chord, x, . or -");
        }
        steps.push_back(w[i]);
      }
      if (steps.empty() || steps.size() > 256) Fail(line.number, "1 to 256 steps per pattern");
      if (pattern->steps != 0 && pattern->steps != static_cast<int>(steps.size())) {
        Fail(line.number, "every track of a pattern needs the same number of steps");
      }
      pattern->steps = static_cast<int>(steps.size());
      pattern->tracks[w[0]] = std::move(steps);
      continue;
    }
    if (w[0] == "tempo") {
      if (w.size() != 2) Fail(line.number, "tempo: one number expected");
      song.tempo = ParseNumber(w[1], 30.0, 300.0, "tempo", line.number);
    } else if (w[0] == "peak") {
      if (w.size() != 2) Fail(line.number, "peak: one number expected");
      song.peak = ParseNumber(w[1], 0.05, 0.95, "peak", line.number);
      have_peak = true;
    } else if (w[0] == "loudness") {
      if (w.size() != 2) Fail(line.number, "loudness: one number expected");
      song.loudness = ParseNumber(w[1], -40.0, -6.0, "loudness", line.number);
    } else if (w[0] == "echo") {
      for (std::size_t i = 1; i < w.size(); ++i) {
        std::string key, value;
        if (!SplitKeyValue(w[i], &key, &value)) Fail(line.number, "expected key=value");
        if (key == "steps") {
          song.echo_steps = static_cast<int>(ParseNumber(value, 1.0, 64.0, key, line.number));
        } else if (key == "feedback") {
          song.echo_feedback = ParseNumber(value, 0.0, 0.9, key, line.number);
        } else {
          Fail(line.number, "unknown echo key '" + key + "'");
        }
      }
    } else if (w[0] == "voice") {
      if (song.voices.size() >= 16) Fail(line.number, "too many voices");
      Voice v;
      ParseVoiceLine(line, &v);
      if (FindVoice(song, v.name)) Fail(line.number, "voice '" + v.name + "' defined twice");
      song.voices.push_back(v);
      voice = &song.voices.back();
    } else if (w[0] == "layer") {
      if (!voice) Fail(line.number, "layer outside a voice");
      if (voice->layers.size() >= 8) Fail(line.number, "too many layers in a voice");
      voice->layers.push_back(ParseLayer(w, line.number));
    } else if (w[0] == "pattern") {
      if (w.size() != 2) Fail(line.number, "pattern: one name expected");
      for (const Pattern& p : song.patterns) {
        if (p.name == w[1]) Fail(line.number, "pattern '" + w[1] + "' defined twice");
      }
      if (song.patterns.size() >= 64) Fail(line.number, "too many patterns");
      voice = nullptr;
      song.patterns.push_back(Pattern{w[1], 0, {}});
      pattern = &song.patterns.back();
    } else if (w[0] == "order") {
      if (have_order) Fail(line.number, "order given twice");
      have_order = true;
      order_line = line.number;
      order_names.assign(w.begin() + 1, w.end());
    } else {
      Fail(line.number, "unknown statement '" + w[0] + "'");
    }
  }
  if (pattern) throw RecipeError("pattern '" + pattern->name + "' has no 'end'");
  if (have_peak && song.loudness < 0.0) throw RecipeError("give either peak or loudness");
  if (!have_order || order_names.empty()) throw RecipeError("no order given");
  if (order_names.size() > 512) Fail(order_line, "order too long");
  for (const std::string& entry_text : order_names) {
    std::vector<int> entry;
    std::size_t pos = 0;
    while (true) {
      std::size_t plus = entry_text.find('+', pos);
      std::string n =
          entry_text.substr(pos, plus == std::string::npos ? std::string::npos : plus - pos);
      auto it = std::find_if(song.patterns.begin(), song.patterns.end(),
                             [&](const Pattern& p) { return p.name == n; });
      if (it == song.patterns.end()) Fail(order_line, "no pattern named '" + n + "'");
      const int index = static_cast<int>(it - song.patterns.begin());
      if (!entry.empty()) {
        const Pattern& first = song.patterns[static_cast<std::size_t>(entry.front())];
        if (it->steps != first.steps) Fail(order_line, "'" + entry_text + "': lengths differ");
        for (int other : entry) {
          for (const auto& track : it->tracks) {
            if (song.patterns[static_cast<std::size_t>(other)].tracks.count(track.first)) {
              Fail(order_line, "'" + entry_text + "': voice '" + track.first + "' twice");
            }
          }
        }
      }
      entry.push_back(index);
      if (entry.size() > 8) Fail(order_line, "'" + entry_text + "': too many patterns");
      if (plus == std::string::npos) break;
      pos = plus + 1;
    }
    song.order.push_back(entry);
  }
  for (const Voice& v : song.voices) {
    if (v.layers.empty()) throw RecipeError("voice '" + v.name + "' has no layer");
  }
  if (song.TotalFrames() > 300L * kRate) throw RecipeError("the song is longer than 300 s");
  return song;
}

std::vector<float> RenderSong(const Song& song) {
  const long frames = song.TotalFrames();
  if (frames <= 0) throw RecipeError("the song is empty");
  const double step_sec = song.StepSeconds();
  std::vector<float> mix(static_cast<std::size_t>(frames) * 2, 0.0f);
  std::vector<float> bus(static_cast<std::size_t>(frames), 0.0f);
  std::vector<float> mono(static_cast<std::size_t>(frames));
  for (const Voice& voice : song.voices) {
    // Gather the voice's notes over the whole order.
    std::vector<Event> events;
    bool open = false;
    int step = 0;
    for (const std::vector<int>& entry : song.order) {
      const std::vector<std::string>* track = nullptr;
      for (int p : entry) {
        auto it = song.patterns[static_cast<std::size_t>(p)].tracks.find(voice.name);
        if (it != song.patterns[static_cast<std::size_t>(p)].tracks.end()) track = &it->second;
      }
      const int steps = song.patterns[static_cast<std::size_t>(entry.front())].steps;
      for (int s = 0; s < steps; ++s, ++step) {
        const std::string word = track ? (*track)[static_cast<std::size_t>(s)] : "-";
        if (word == ".") {
          if (open) ++events.back().length;
        } else if (word == "-") {
          open = false;
        } else {
          Event e;
          e.start = step;
          e.length = 1;
          ParseHit(word, &e.pitch, &e.velocity);
          events.push_back(e);
          open = true;
        }
      }
    }
    std::fill(mono.begin(), mono.end(), 0.0f);
    for (const Event& e : events) {
      const long offset = std::lround(e.start * step_sec * kRate);
      const double hold = e.length * step_sec * voice.gate;
      const double gain = e.velocity * voice.gain / std::sqrt(static_cast<double>(e.pitch.size()));
      for (double f : e.pitch) {
        for (const Layer& layer : voice.layers) {
          RenderLayer(layer, f, layer.dur_set ? 0.0 : hold, gain, offset, &mono, true);
        }
      }
    }
    const double angle = (voice.pan + 1.0) * kPi / 4.0;
    const float left = static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    const float right = static_cast<float>(std::sin(angle) * std::sqrt(2.0));
    for (long i = 0; i < frames; ++i) {
      const float s = mono[static_cast<std::size_t>(i)];
      mix[static_cast<std::size_t>(2 * i)] += s * left;
      mix[static_cast<std::size_t>(2 * i + 1)] += s * right;
      bus[static_cast<std::size_t>(i)] += s * static_cast<float>(voice.send);
    }
  }
  // Ping-pong echo, folded around the loop like everything else.
  if (song.echo_steps > 0 && song.echo_feedback > 0.0) {
    const long delay = std::lround(song.echo_steps * step_sec * kRate);
    double g = 1.0;
    for (int tap = 1; tap <= 8; ++tap) {
      g *= song.echo_feedback;
      if (g < 0.01) break;
      const long shift = (delay * tap) % frames;
      const int side = tap % 2 == 1 ? 1 : 0;
      for (long i = 0; i < frames; ++i) {
        const long to = (i + shift) % frames;
        mix[static_cast<std::size_t>(2 * to + side)] +=
            static_cast<float>(g) * bus[static_cast<std::size_t>(i)];
      }
    }
  }
  // Remove the steady offset of each channel; the mean over a closed loop keeps it closed.
  for (int c = 0; c < 2; ++c) {
    double sum = 0.0;
    for (long i = 0; i < frames; ++i) sum += mix[static_cast<std::size_t>(2 * i + c)];
    const float mean = static_cast<float>(sum / static_cast<double>(frames));
    for (long i = 0; i < frames; ++i) mix[static_cast<std::size_t>(2 * i + c)] -= mean;
  }
  float peak = 0.0f;
  for (float s : mix) peak = std::max(peak, std::fabs(s));
  if (peak < 1e-6f) throw RecipeError("the song makes no sound");
  float scale = static_cast<float>(song.peak) / peak;
  if (song.loudness < 0.0) {
    scale = static_cast<float>(std::pow(10.0, (song.loudness - MeanLevelDb(mix, 2, true)) / 20.0));
    if (peak * scale > 0.95f) throw RecipeError("too loud: the loudness would clip the peaks");
  }
  for (float& s : mix) s *= scale;
  return mix;
}

}  // namespace sfxgen

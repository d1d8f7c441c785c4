#include "tools/sfxgen/text.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sfxgen {

void Fail(int line, const std::string& message) {
  throw RecipeError("line " + std::to_string(line) + ": " + message);
}

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  int number = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    ++number;
    std::string raw = text.substr(pos, end - pos);
    pos = end + 1;
    for (unsigned char c : raw) {
      if ((c < 32 && c != '\t' && c != '\r') || c > 126) Fail(number, "byte outside plain ASCII");
    }
    // A comment starts at a '#' that begins a word (so that F#4 stays a note).
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
        raw.resize(i);
        break;
      }
    }
    Line line;
    line.number = number;
    std::istringstream in(raw);
    std::string word;
    while (in >> word) line.words.push_back(word);
    if (!line.words.empty()) lines.push_back(std::move(line));
    if (end == text.size()) break;
  }
  return lines;
}

bool ReadWholeFile(const std::string& path, std::string* out, std::size_t max_bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string data;
  char buf[4096];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    data.append(buf, static_cast<std::size_t>(in.gcount()));
    if (data.size() > max_bytes) return false;
  }
  if (in.bad()) return false;
  *out = std::move(data);
  return true;
}

double ParseNumber(const std::string& text, double lo, double hi, const std::string& what,
                   int line) {
  if (text.empty()) Fail(line, what + ": missing number");
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v)) {
    Fail(line, what + ": '" + text + "' is not a number");
  }
  if (v < lo || v > hi) {
    std::ostringstream msg;
    msg << what << ": " << text << " is outside " << lo << " to " << hi;
    Fail(line, msg.str());
  }
  return v;
}

bool SplitKeyValue(const std::string& word, std::string* key, std::string* value) {
  std::size_t eq = word.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 >= word.size()) return false;
  *key = word.substr(0, eq);
  *value = word.substr(eq + 1);
  return true;
}

std::vector<double> ParseList(const std::string& text, double lo, double hi,
                              const std::string& what, int line) {
  std::vector<double> out;
  std::size_t pos = 0;
  while (true) {
    std::size_t comma = text.find(',', pos);
    std::string part =
        text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    out.push_back(ParseNumber(part, lo, hi, what, line));
    if (comma == std::string::npos) break;
    pos = comma + 1;
    if (out.size() > 64) Fail(line, what + ": too many values");
  }
  return out;
}

std::uint32_t Hash32(const std::string& text) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : text) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}

}  // namespace sfxgen

// Reading the recipe files: lines of words, comments, numbers with range checks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sfxgen {

// A recipe that cannot be used; the message names the line and what is wrong.
struct RecipeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Line {
  int number = 0;                  // 1-based line number in the file
  std::vector<std::string> words;  // whitespace-separated, comment removed, never empty
};

// Splits text into non-empty lines of words; a '#' at the start of a word begins a comment
// that runs to the line end.
// Bytes outside printable ASCII (other than tab, CR and LF) are refused.
std::vector<Line> SplitLines(const std::string& text);

// Whole file into *out; false when it cannot be read or is larger than max_bytes.
bool ReadWholeFile(const std::string& path, std::string* out, std::size_t max_bytes = 1 << 20);

// A finite number in [lo, hi]; anything else throws RecipeError naming `what` and the line.
double ParseNumber(const std::string& text, double lo, double hi, const std::string& what,
                   int line);

// "key=value" split at the first '='; false when there is no '=' or either side is empty.
bool SplitKeyValue(const std::string& word, std::string* key, std::string* value);

// Comma-separated numbers, each checked as ParseNumber does.
std::vector<double> ParseList(const std::string& text, double lo, double hi,
                              const std::string& what, int line);

[[noreturn]] void Fail(int line, const std::string& message);

// Stable 32-bit hash of a string (FNV-1a), used to seed noise and stream serials.
std::uint32_t Hash32(const std::string& text);

}  // namespace sfxgen

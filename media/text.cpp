// Text and number helpers. Strings are bytes; positions count from 1.
#include "media/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace media {

namespace {

int Len(const std::string& s) {
  return static_cast<int>(s.size());
}

// SplitMix64: small, fast and the same on every platform.
std::uint64_t g_rnd_state = 0x9E3779B97F4A7C15ull;

std::uint64_t NextRnd() {
  std::uint64_t z = (g_rnd_state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

std::string Upper(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return r;
}

std::string Lower(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

std::string Trim(const std::string& s) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string Left(const std::string& s, int n) {
  if (n <= 0) return "";
  return n >= Len(s) ? s : s.substr(0, static_cast<std::size_t>(n));
}

std::string Right(const std::string& s, int n) {
  if (n <= 0) return "";
  return n >= Len(s) ? s : s.substr(s.size() - static_cast<std::size_t>(n));
}

std::string Mid(const std::string& s, int pos, int n) {
  if (pos < 1) {
    // The characters before the first one count against n.
    if (n >= 0) n = static_cast<int>(std::max<long long>(0, 0LL + n + pos - 1));
    pos = 1;
  }
  if (pos > Len(s)) return "";
  std::size_t start = static_cast<std::size_t>(pos - 1);
  if (n < 0) return s.substr(start);
  return s.substr(start, static_cast<std::size_t>(n));
}

int Instr(const std::string& s, const std::string& sub, int start) {
  if (start < 1) start = 1;
  if (sub.empty() || start > Len(s)) return 0;
  std::size_t at = s.find(sub, static_cast<std::size_t>(start - 1));
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Str(int value) {
  return std::to_string(value);
}

std::string Str(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof(buf), value);
  std::string out(buf, res.ptr);
  if (out.find_first_of(".e") == std::string::npos) out += ".0";
  return out;
}

int Asc(const std::string& s) {
  return s.empty() ? -1 : static_cast<unsigned char>(s[0]);
}

std::string Chr(int code) {
  return std::string(1, static_cast<char>(code & 0xFF));
}

int Abs(int v) {
  return v < 0 ? static_cast<int>(0u - static_cast<unsigned>(v)) : v;
}

float Abs(float v) {
  return std::fabs(v);
}

float Sin(float degrees) {
  return static_cast<float>(std::sin(static_cast<double>(degrees) * std::numbers::pi / 180.0));
}

float Cos(float degrees) {
  return static_cast<float>(std::cos(static_cast<double>(degrees) * std::numbers::pi / 180.0));
}

double Rnd(double low, double high) {
  double u = static_cast<double>(NextRnd() >> 11) * (1.0 / 9007199254740992.0);  // [0, 1)
  return low + (high - low) * u;
}

void SeedRnd(int seed) {
  g_rnd_state =
      static_cast<std::uint64_t>(static_cast<std::uint32_t>(seed)) * 0x2545F4914F6CDD1Dull;
}

}  // namespace media

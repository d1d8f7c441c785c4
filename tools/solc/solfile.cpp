#include "tools/solc/solfile.h"

#include <cstdint>

#include "core/codes.h"

namespace solc {

namespace {

std::int32_t Int32At(const std::vector<unsigned char>& b, std::size_t at) {
  const std::uint32_t v =
      static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
      static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
  return static_cast<std::int32_t>(v);
}

}  // namespace

bool DecodeSol(const std::vector<unsigned char>& bytes, std::vector<Run>& runs, int& n,
               std::string& error) {
  if (bytes.size() < 4) {
    error = "shorter than its run count";
    return false;
  }
  const std::int32_t count = Int32At(bytes, 0);
  if (count < 1 || count > 5000) {
    error = "run count " + std::to_string(count) + " is outside 1 to 5000";
    return false;
  }
  const std::size_t need = 4 + 5 * (static_cast<std::size_t>(count) + 1);
  if (bytes.size() < need) {
    error =
        "holds " + std::to_string(bytes.size()) + " bytes, its count needs " + std::to_string(need);
    return false;
  }
  std::vector<Run> out;
  for (std::int32_t i = 0; i <= count; ++i) {
    const std::size_t at = 4 + 5 * static_cast<std::size_t>(i);
    out.push_back({bytes[at], Int32At(bytes, at + 1)});
  }
  runs = std::move(out);
  n = count;
  return true;
}

std::string CodeName(int code) {
  static const char* const kNames[] = {"none",  "left",       "right",     "down",
                                       "up",    "jump up",    "jump left", "jump right",
                                       "throw", "dig across", "dig down",  "fall"};
  if (code >= Rec::None && code <= Rec::Falling) return kNames[code];
  if (code == Rec::End) return "exit";
  return "?";
}

std::string SolText(const std::vector<Run>& runs, int n) {
  std::string text = "runs " + std::to_string(n) + "\n";
  for (std::size_t i = 0; i < runs.size(); ++i) {
    text += std::to_string(runs[i].code) + " " + std::to_string(runs[i].count) + "  # " +
            CodeName(runs[i].code) + (static_cast<int>(i) == n ? " (open at the exit)" : "") + "\n";
  }
  return text;
}

}  // namespace solc

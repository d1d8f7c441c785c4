// The replay reader: LoadReplay of a ".SOL" file holding the input over a known Demo table, then
// playback through StepReplay and ReplayAction.
#include <climits>

#include "core/globals.h"
#include "stages/replay.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "replay";

int Le32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                   std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
}

int Pattern(int row, int i) {
  return row == 0 ? 1000 + i : -7 * i;
}

}  // namespace

int FuzzReplay(const std::uint8_t* data, std::size_t size) {
  SettleAtEnd settle;
  FreshWorld();
  for (int row = 0; row < 2; row++)
    for (int i = 0; i < kReplayRuns; i++) Demo[row][i] = Pattern(row, i);
  User = size > 0 && (data[0] & 1) ? 1 : 0;  // odd first byte: the player-made folder
  ReplayName = "fuzz";
  if (!WriteRootFile((User ? "PlayerLevels/" : "Levels/") + ReplayName + ".SOL", data, size))
    return 0;
  DemoMode = 1;
  LoadReplay();
  SetTaken(DemoMode == 1);
  // The file's own rule, read here without the reader: n runs (1 to 5000), then n + 1 records.
  const int n = size >= 4 ? Le32(data) : 0;
  const bool sound = n >= 1 && n <= kReplayRuns - 1 && size >= 4 + 5 * std::size_t(n + 1);
  FUZZ_CHECK(kName, (DemoMode == 1) == sound, "a replay is taken exactly when it is whole");
  bool same = true;
  for (int row = 0; row < 2; row++)
    for (int i = sound ? n + 1 : 0; i < kReplayRuns; i++)
      same = same && Demo[row][i] == Pattern(row, i);
  FUZZ_CHECK(kName, same, "runs past the file's (all of them when refused) are left alone");
  FUZZ_CHECK(kName, TotalActionCount == (sound ? n : 0), "the run count is the file's");
  if (!sound) return 0;
  for (int i = 0; i <= n; i++) {
    const std::uint8_t* rec = data + 4 + 5 * std::size_t(i == n ? n - 1 : i);
    const int count = Le32(rec + 1);
    FUZZ_CHECK(kName, Demo[0][i] == rec[0] && Demo[1][i] == (count < INT_MAX ? count + 1 : count),
               "run " + std::to_string(i) + ": the file's code, and its count plus one");
  }
  // Play it back for a while: the cursors stay inside the loaded runs.
  ActionCount = ActionNo = 0;
  for (int step = 0; step < 4 * kReplayRuns; step++) {
    StepReplay();
    const int code = ReplayAction();
    if (ActionCount < 0 || ActionCount > n || code < 0 || code > 255)
      return ReportFault(kName, "playback left the loaded runs"), 0;
  }
  return 0;
}

}  // namespace fuzz

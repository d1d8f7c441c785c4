// The replay reader: LoadReplay of a ".SOL" file holding the input over a known Demo table,
// then playback through StepReplay and ReplayAction.
#include <climits>
#include <cstring>

#include "core/globals.h"
#include "stages/replay.h"
#include "tools/fuzz/fuzz_env.h"
#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {
namespace {

constexpr const char* kName = "replay";

int Le32(const std::uint8_t* p) {
  std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                    std::uint32_t(p[3]) << 24;
  return static_cast<std::int32_t>(v);
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
  // The player-made folder when the first byte is odd, to read through both paths.
  User = size > 0 && (data[0] & 1) ? 1 : 0;
  const std::string folder = User ? "PlayerLevels/" : "Levels/";
  ReplayName = "fuzz";
  if (!WriteRootFile(folder + "fuzz.SOL", data, size)) return 0;
  DemoMode = 1;
  LoadReplay();

  // The file's own rule, read here without the reader.
  const int n = size >= 4 ? Le32(data) : 0;
  const bool sound = n >= 1 && n <= kReplayRuns - 1 && size >= 4 + 5 * std::size_t(n + 1);
  FUZZ_CHECK(kName, (DemoMode == 1) == sound, "a replay is taken exactly when it is whole");
  if (!sound) {
    bool same = true;
    for (int row = 0; row < 2; row++)
      for (int i = 0; i < kReplayRuns; i++) same = same && Demo[row][i] == Pattern(row, i);
    FUZZ_CHECK(kName, same, "a refused replay leaves Demo as it was");
    FUZZ_CHECK(kName, TotalActionCount == 0, "a refused replay sets no run count");
    return 0;
  }
  FUZZ_CHECK(kName, TotalActionCount == n, "the run count is the file's");
  for (int i = 0; i <= n; i++) {
    const std::uint8_t* rec = data + 4 + 5 * std::size_t(i == n ? n - 1 : i);
    int count = Le32(rec + 1);
    int want = count < INT_MAX ? count + 1 : count;
    FUZZ_CHECK(kName, Demo[0][i] == rec[0], "run code as in the file");
    FUZZ_CHECK(kName, Demo[1][i] == want, "run count one more than in the file");
  }
  for (int i = n + 1; i < kReplayRuns; i++)
    if (Demo[0][i] != Pattern(0, i) || Demo[1][i] != Pattern(1, i)) {
      ReportFault(kName, "runs past the file's are left alone");
      break;
    }
  // Play it back for a while: the cursors stay inside the loaded runs.
  ActionCount = ActionNo = 0;
  for (int step = 0; step < 4 * kReplayRuns; step++) {
    StepReplay();
    if (ActionCount < 0 || ActionCount > n) {
      ReportFault(kName, "the playback cursor left the loaded runs");
      break;
    }
    int code = ReplayAction();
    if (code < 0 || code > 255) {
      ReportFault(kName, "an action code outside a byte");
      break;
    }
  }
  return 0;
}

}  // namespace fuzz

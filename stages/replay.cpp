#include "stages/replay.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "core/globals.h"
#include "media/files.h"

int ActionCount, ActionNo, ActionType, LastActionType, TotalActionCount;
std::string ReplayName;

namespace {
constexpr int kLastRun = kReplayRuns - 1;  // 5000: the index of the table's last run
constexpr int kRecordBytes = 5;
}  // namespace

int RecordAction() {
  if (ActionCount < 0 || ActionCount >= kLastRun) return 0;  // the table is full
  if (ActionType == LastActionType) {
    ActionNo = ActionNo + 1;
    return 0;
  }
  Demo[0][ActionCount] = LastActionType;
  Demo[1][ActionCount] = ActionNo;
  ActionCount = ActionCount + 1;
  ActionNo = 0;
  LastActionType = ActionType;
  return 0;
}

int SaveReplay() {
  std::string path = FilePath + ReplayName + ".SOL";
  int runs = std::clamp(ActionCount, 0, kLastRun);
  media::Stream out = media::WriteFileSafely(path);
  if (!out) {
    std::fprintf(stderr, "Quillmire: replay \"%s\" cannot be written\n", path.c_str());
    return 0;
  }
  media::WriteInt(out, runs);
  for (int i = 0; i <= runs; i++) {
    media::WriteByte(out, Demo[0][i]);
    media::WriteInt(out, Demo[1][i]);
  }
  if (!media::CloseFile(out))
    std::fprintf(stderr, "Quillmire: replay \"%s\" could not be written whole\n", path.c_str());
  return 0;
}

std::string ReplayFolder() {
  return Path + ((User != 0 && Tutorial == 0) ? "PlayerLevels/" : "Levels/");
}

int LoadReplay() {
  std::string path = ReplayFolder() + ReplayName + ".SOL";
  media::Stream in = media::ReadFile(path);
  if (!in) {
    DemoMode = 0;
    return 0;
  }
  int n = media::ReadInt(in);
  bool ok = n >= 1 && n <= kLastRun && media::StreamSize(in) >= 4 + kRecordBytes * (n + 1);
  std::vector<int> codes, counts;
  if (ok) {
    codes.resize(n + 1);
    counts.resize(n + 1);
    for (int i = 0; i <= n; i++) {
      codes[i] = media::ReadByte(in);
      int count = media::ReadInt(in);
      counts[i] = count < std::numeric_limits<int>::max() ? count + 1 : count;
    }
    // The size was checked, but a stream can still come up short.
    ok = media::StreamPos(in) == 4 + kRecordBytes * (n + 1);
  }
  media::CloseFile(in);
  if (!ok) {
    std::fprintf(stderr, "Quillmire: replay \"%s\" refused: %s\n", path.c_str(),
                 n < 1 || n > kLastRun ? "its run count is outside 1 to 5000"
                                       : "the file is shorter than its runs");
    DemoMode = 0;
    return 0;
  }
  codes[n] = codes[n - 1];
  counts[n] = counts[n - 1];
  for (int i = 0; i <= n; i++) Demo[0][i] = codes[i], Demo[1][i] = counts[i];
  TotalActionCount = n;
  return 0;
}

void StepReplay() {
  ActionNo = ActionNo + 1;
  if (ActionCount < 0) ActionCount = 0;
  if (Demo[1][ActionCount] <= ActionNo) {
    if (ActionCount < std::min(TotalActionCount, kLastRun)) {
      ActionCount = ActionCount + 1;
      ActionNo = 0;
    } else {
      ActionNo = Demo[1][ActionCount];  // hold the last record
    }
  }
}

int ReplayAction() {
  return Demo[0][std::clamp(ActionCount, 0, kLastRun)];
}

void ResetReplayGlobals() {
  ActionCount = ActionNo = ActionType = LastActionType = TotalActionCount = 0;
  ReplayName.clear();
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetReplayGlobals);
}  // namespace

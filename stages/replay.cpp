#include "stages/replay.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "core/globals.h"
#include "media/files.h"

int ActionCount, ActionNo, ActionType, LastActionType, TotalActionCount;
int StepLead;
std::string ReplayName;

namespace {
constexpr int kLastRun = kReplayRuns - 1;  // 5000: the index of the table's last run
constexpr int kRecordBytes = 5;
int tickSteps = 0;  // steps recorded since the last EndRecordedTick

// The ticks a run drives. Run 0 counts every step it recorded and the others one less, so once
// loaded run 0 is one higher than its steps: it drives one tick fewer than its count, and none
// when it recorded no step, so that playback keeps step, tick for tick, with the live run that
// was recorded (the enemies move from the first tick on, whatever the player does).
int RunTicks(int run) {
  return run == 0 ? Demo[1][0] - 1 : Demo[1][run];
}

// Playback starts with run 1 when run 0 drives no tick.
void SkipEmptyFirstRun() {
  if (ActionCount == 0 && ActionNo == 0 && TotalActionCount >= 1 && RunTicks(0) <= 0)
    ActionCount = 1;
}
}  // namespace

int RecordAction() {
  if (ActionCount < 0 || ActionCount >= kLastRun) return 0;  // the table is full
  tickSteps += 1;
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
  if (ActionCount < 0) ActionCount = 0;
  SkipEmptyFirstRun();
  ActionNo = ActionNo + 1;
  if (RunTicks(ActionCount) <= ActionNo) {
    if (ActionCount < std::min(TotalActionCount, kLastRun)) {
      ActionCount = ActionCount + 1;
      ActionNo = 0;
    } else {
      ActionNo = RunTicks(ActionCount);  // hold the last record
    }
  }
}

int ReplayAction() {
  SkipEmptyFirstRun();
  return Demo[0][std::clamp(ActionCount, 0, kLastRun)];
}

void EndRecordedTick() {
  StepLead = std::max(0, StepLead + tickSteps - 1);
  tickSteps = 0;
}

void ResetStepLead() {
  StepLead = tickSteps = 0;
}

void RetypeLastStep(int code) {
  // Run 0 counts all its steps; a step ahead never lies in it (a jump or a walk opens a run).
  if (ActionCount <= 0 || ActionCount >= kLastRun) return;
  if (ActionNo >= 1) {  // the open run gives its last step to a new run
    Demo[0][ActionCount] = LastActionType;
    Demo[1][ActionCount] = ActionNo - 1;
    ActionCount = ActionCount + 1;
    ActionNo = 0;
  }
  LastActionType = code;
}

void ResetReplayGlobals() {
  ResetStepLead();
  ActionCount = ActionNo = ActionType = LastActionType = TotalActionCount = 0;
  ReplayName.clear();
}

namespace {
[[maybe_unused]] const bool kResetRegistered = RegisterGlobalsReset(ResetReplayGlobals);
}  // namespace

// Start-up to the title over the headless backend, on a copy of the runnable folder.
// - StartToTitle: the wall time from the program's start to the title's first frame. The
//   headless clock is virtual, so the rate probe, the logo and the progress bar cost only their
//   computing.
// - TitleAfterPacedSteps: the frames paced in real time as a window paces them (each Flip waits
//   until the wall clock reaches the frame's virtual time); the wall time from the progress
//   bar's last frame to the title's first, the two paced frames between them included.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/codes.h"
#include "core/globals.h"
#include "core/objects.h"
#include "media/app.h"
#include "media/graphics.h"
#include "media/headless.h"

namespace {

using Clock = std::chrono::steady_clock;

// A copy of the runnable folder with the language chosen, as the game starts the second time:
// a fresh folder of this run's own, so that runs side by side do not meet, removed at the end.
class StartCopy {
 public:
  StartCopy() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quill_bench_XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("bench_startup: no temporary folder");
      std::exit(1);
    }
    dir_ = pattern;
    std::filesystem::copy(QUILL_GAME_DIR, dir_, std::filesystem::copy_options::recursive);
    std::ofstream(dir_ / "Country.ini", std::ios::binary).put(1);
    std::ofstream(dir_ / "prefs.ini", std::ios::binary).put(1);  // windowed
  }
  ~StartCopy() {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

std::filesystem::path StartFolder() {
  static const StartCopy copy;
  return copy.dir();
}

// Runs start-up until the title's first frame; the wall time of every frame, from the start.
std::vector<double> RunToTitle(bool realPace) {
  std::filesystem::current_path(StartFolder());
  media::UseHeadlessBackend();
  media::headless::ResetHeadless();
  media::ResetGraphicsState();
  ResetGlobals();
  std::vector<double> frames;
  const auto start = Clock::now();
  const auto startVirtual = media::headless::VirtualMillis();
  media::headless::OnFlip([&](int) {
    if (realPace) {
      std::this_thread::sleep_until(
          start + std::chrono::milliseconds(media::headless::VirtualMillis() - startVirtual));
    }
    frames.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    return !(Game && Game->State == GameState::Title);
  });
  try {
    _bb_main();
  } catch (const media::headless::Stop&) {
  }
  media::headless::OnFlip(nullptr);
  return frames;
}

void BM_StartToTitle(benchmark::State& state) {
  for (auto _ : state) {
    const std::vector<double> frames = RunToTitle(false);
    state.SetIterationTime(frames.empty() ? 0 : frames.back());
  }
}
BENCHMARK(BM_StartToTitle)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_TitleAfterPacedSteps(benchmark::State& state) {
  for (auto _ : state) {
    const std::vector<double> frames = RunToTitle(true);
    const std::size_t n = frames.size();
    state.SetIterationTime(n < 3 ? 0 : frames[n - 1] - frames[n - 3]);
  }
}
BENCHMARK(BM_TitleAfterPacedSteps)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

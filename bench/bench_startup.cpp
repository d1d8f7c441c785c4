// Start-up to the title over the headless backend, on a copy of the runnable folder.
// - StartToTitle: the wall time from the program's start to the title's first frame. The
//   headless clock is virtual, so the rate probe, the logo and the progress bar cost only their
//   computing.
// - TitleAfterPacedSteps: the frames paced in real time as a window paces them (each Flip waits
//   until the wall clock reaches the frame's virtual time); the wall time from the progress
//   bar's last frame to the title's first, the two paced frames between them included.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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

// A copy of the runnable folder with the language chosen, as the game starts the second time.
std::filesystem::path StartFolder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / "quill_bench_startup";
    std::filesystem::remove_all(d);
    std::filesystem::copy(QUILL_GAME_DIR, d, std::filesystem::copy_options::recursive);
    std::ofstream(d / "Country.ini", std::ios::binary).put(1);
    std::ofstream(d / "prefs.ini", std::ios::binary).put(1);  // windowed
    return d;
  }();
  return dir;
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

// How fast the window core is where the program feels it: a full-screen page
// reaching the screen after a swap, a call to the window thread, the wake-up
// of the idle wait, and what an idle window costs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

#include "korvid/internal/gui_thread.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using Clock = std::chrono::steady_clock;

int open_window(int width, int height, bool double_buffer) {
  return korvid::initwindow(width, height, "Bench", korvid::default_position,
                            korvid::default_position, double_buffer, false);
}

// swapbuffers, then the whole 1920 x 1080 visual page copied to the window.
void BM_SwapAndRepaint1080p(benchmark::State& state) {
  const int id = open_window(1920, 1080, true);
  korvid::testing::fill_active_page(id, 0, 0, 1919, 1079, 0x336699);
  korvid::swapbuffers();
  korvid::testing::fill_active_page(id, 0, 0, 1919, 1079, 0x996633);
  korvid::testing::wait_for_paint_after(id, 0);
  for (auto _ : state) {
    const auto frames = korvid::testing::painted_frames(id);
    korvid::swapbuffers();
    korvid::testing::wait_for_paint_after(id, frames);
  }
  korvid::closewindow(id);
}
BENCHMARK(BM_SwapAndRepaint1080p)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One call marshalled to the window thread and back.
void BM_MarshalledCallRoundTrip(benchmark::State& state) {
  const int id = open_window(100, 100, false);
  int counter = 0;
  for (auto _ : state) {
    korvid::detail::run_on_gui([&] { ++counter; });
  }
  benchmark::DoNotOptimize(counter);
  korvid::closewindow(id);
}
BENCHMARK(BM_MarshalledCallRoundTrip)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// From `stopidle` on another thread to `loop` returning on this one. The other
// thread waits a moment first, so `loop` is really asleep when it is woken.
void BM_StopidleWakeLatency(benchmark::State& state) {
  const int id = open_window(100, 100, false);
  std::atomic<int> round{0};
  std::atomic<bool> done{false};
  std::atomic<Clock::rep> woken_at{0};
  std::thread waker([&] {
    int seen = 0;
    while (!done) {
      if (round.load() == seen) {
        std::this_thread::yield();
        continue;
      }
      seen = round.load();
      std::this_thread::sleep_for(std::chrono::microseconds(300));
      woken_at = Clock::now().time_since_epoch().count();
      korvid::stopidle();
    }
  });
  for (auto _ : state) {
    ++round;
    korvid::loop();
    const auto now = Clock::now().time_since_epoch().count();
    state.SetIterationTime(std::chrono::duration<double>(Clock::duration(now - woken_at.load())).count());
  }
  done = true;
  waker.join();
  korvid::closewindow(id);
}
BENCHMARK(BM_StopidleWakeLatency)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

double process_cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU the whole process uses over 2 s while its window is open and idle.
void BM_IdleWindowCpu(benchmark::State& state) {
  const int id = open_window(800, 600, true);
  korvid::testing::wait_for_paint_after(id, 0);
  for (auto _ : state) {
    const double before = process_cpu_seconds();
    korvid::startidle(2000);
    const double used = process_cpu_seconds() - before;
    state.SetIterationTime(used);
    state.counters["cpu_ms_per_2s"] = used * 1000.0;
  }
  korvid::closewindow(id);
}
BENCHMARK(BM_IdleWindowCpu)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

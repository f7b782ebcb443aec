// How fast Veltrim comes up, seen from outside as a user sees it: from starting
// the process to the first frame of the start panel on the X server, and the
// resident memory once it has settled. Needs an X server (run it under
// xvfb-run); every start is a fresh process.
//
// Goals: first frame within 150 ms; resident memory within 60 MB.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/start_veltrim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned long white = 0xFFFFFF;
// A point of the start panel's white background, clear of logo and buttons.
constexpr int probe_x = 700;
constexpr int probe_y = 100;

bool is_veltrim(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool match = std::string(name) == "Veltrim";
  XFree(name);
  return match;
}

// Waits for a top-level window named "Veltrim" to map; 0 when none does in time.
Window wait_for_map(Display* display, Clock::time_point deadline) {
  XEvent event;
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XNextEvent(display, &event);
      if (event.type == MapNotify && is_veltrim(display, event.xmap.window)) return event.xmap.window;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return 0;
}

bool probe_is_white(Display* display, Window window) {
  XImage* image = XGetImage(display, window, probe_x, probe_y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  const bool painted = (XGetPixel(image, 0, 0) & white) == white;
  XDestroyImage(image);
  return painted;
}

bool wait_for_first_frame(Display* display, Window window, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    if (probe_is_white(display, window)) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

long resident_kilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

struct StartMeasure {
  double first_frame_ms = 0;
  double resident_mb = 0;
};

// Starts one fresh program and watches for its first frame; nullopt on failure.
std::optional<StartMeasure> measure_one_start(Display* display, const fs::path& home) {
  const Clock::time_point started = Clock::now();
  const pid_t pid = start_veltrim(home);
  if (pid < 0) return std::nullopt;
  const Clock::time_point deadline = started + std::chrono::seconds(10);
  const Window window = wait_for_map(display, deadline);
  const bool shown = window != 0 && wait_for_first_frame(display, window, deadline);
  const Clock::time_point first_frame = Clock::now();
  StartMeasure measure;
  measure.first_frame_ms = std::chrono::duration<double, std::milli>(first_frame - started).count();
  if (shown) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let it settle
    measure.resident_mb = static_cast<double>(resident_kilobytes(pid)) / 1024.0;
  }
  stop(pid);
  if (!shown) return std::nullopt;
  return measure;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One iteration starts the program `starts` times and reports the median, so
// a single slow start on a busy machine does not decide the figure.
void BM_StartToFirstFrame(benchmark::State& state) {
  constexpr int starts = 7;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const fs::path home = fs::temp_directory_path() / ("veltrim-bench-" + std::to_string(getpid()));
  fs::create_directories(home);
  for (auto _ : state) {
    std::vector<double> first_frame, resident;
    for (int i = 0; i < starts; ++i) {
      const std::optional<StartMeasure> measure = measure_one_start(display, home);
      if (!measure) break;
      first_frame.push_back(measure->first_frame_ms);
      resident.push_back(measure->resident_mb);
    }
    if (first_frame.size() != starts) {
      state.SkipWithError("the start panel did not show");
      break;
    }
    state.SetIterationTime(median(first_frame) / 1000.0);
    state.counters["fastest_ms"] = *std::min_element(first_frame.begin(), first_frame.end());
    state.counters["slowest_ms"] = *std::max_element(first_frame.begin(), first_frame.end());
    state.counters["rss_MB"] = median(resident);
  }
  fs::remove_all(home);
  XCloseDisplay(display);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

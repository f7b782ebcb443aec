// What a running presentation costs: one full pass (time panel, a long
// segment's text, the page swap) at 1080p, and the processor time a presentation
// uses over ten seconds of real time while nobody touches it (the whole
// process: the window thread's painting counts too).
//
// Goals: a pass's 99th percentile within 4 ms, in the dark and mirrored
// reading view too; an untouched presentation within 1 % of one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "app/events/event_codes.h"
#include "app/system/prefs.h"
#include "app/present/presentation_clock.h"
#include "app/present/presentation_loop.h"
#include "app/present/presentation_view.h"
#include "app/events/program_events.h"
#include "app/present/kv_render.h"
#include "app/script/script.h"
#include "app/present/timepanel.h"
#include "app/render/layout.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using namespace veltrim;

std::string words(int count) {
  static const char* const vocabulary[] = {"pacing", "a", "talk", "means", "knowing", "where", "you", "are",
                                           "and", "how", "much", "time", "is", "left", "for", "the", "rest"};
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += vocabulary[static_cast<std::size_t>(i) % std::size(vocabulary)];
    text += i % 60 == 0 ? "\n\n" : " ";
  }
  return text;
}

Script script_of(int word_count) {
  Segment segment;
  segment.set_title("Benchmark");
  segment.set_time_number(600);
  segment.set_content(words(word_count));
  Script script;
  script.script_add_segment(std::move(segment));
  return script;
}

struct Window {
  Window() {
    window = korvid::initwindow(1920, 1080, "Veltrim", 0, 0, true, false);
    events.init_event_mutex();
    renderer.initialize(window);
  }
  ~Window() {
    renderer.destroy_scrollbar();
    korvid::closewindow(window);
  }
  int window = -1;
  ProgramEvents events;
  Korvid_renderer renderer{events};
};

double percentile(std::vector<double> samples, double share) {
  std::sort(samples.begin(), samples.end());
  return samples[std::min(samples.size() - 1, static_cast<std::size_t>(share * static_cast<double>(samples.size())))];
}

// `paced`: each pass starts once the previous frame has reached the screen, as
// in a presentation (a pass every 200 ms); otherwise passes run back to back and
// each one also competes with the painting of the one before.
void full_pass(benchmark::State& state, bool paced, bool dark_and_mirrored = false) {
  Window w;
  Preferences preferences;
  if (dark_and_mirrored) {
    preferences.view.dark_view = true;
    preferences.view.mirrored_view = true;
    const std::int32_t size = w.renderer.font_size;  // the same text as the plain pass
    prepare_reading_view(w.renderer, preferences);
    w.renderer.font_size = size;
  }
  Script script = script_of(5000);
  Segment& segment = script.segment(1);
  Timepanel panel;
  panel.init_timepanel(w.window, preferences, w.events);
  const auto pass = [&](std::int32_t seconds) {
    panel.set_remaining_timepanel(seconds);
    panel.redraw_timepanel();
    w.renderer.set_bounds(0, 0, korvid::getmaxx(), korvid::getmaxy() - panel.panel_height);
    layout_segment(segment, w.renderer);
    w.renderer.set_scroll_percent(static_cast<float>(600 - seconds) / 6.0F);
    korvid::swapbuffers();
  };
  w.renderer.new_page();
  pass(600);  // the layout cache is warm from here on
  std::vector<double> milliseconds;
  std::int32_t seconds = 600;
  for (auto _ : state) {
    if (paced) {
      state.PauseTiming();
      korvid::testing::wait_for_paint_after(w.window, korvid::testing::painted_frames(w.window) - 1);
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    pass(seconds);
    milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    seconds = seconds > 0 ? seconds - 1 : 600;
  }
  state.counters["median_ms"] = percentile(milliseconds, 0.5);
  state.counters["p99_ms"] = percentile(milliseconds, 0.99);
  panel.destroy_timepanel();
}

void BM_FullPass(benchmark::State& state) { full_pass(state, false); }
void BM_FullPassPaced(benchmark::State& state) { full_pass(state, true); }
void BM_FullPassDarkMirrored(benchmark::State& state) { full_pass(state, false, true); }
BENCHMARK(BM_FullPass)->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_FullPassDarkMirrored)->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_FullPassPaced)->Unit(benchmark::kMillisecond)->Iterations(1000);

double process_cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void BM_IdlePresentationCpu(benchmark::State& state) {
  Window w;
  Preferences preferences;
  WindowClock clock;
  constexpr auto run_for = std::chrono::seconds{10};
  for (auto _ : state) {
    Script script = script_of(static_cast<int>(state.range(0)));
    std::thread presenter_leaves([&w, run_for] {
      std::this_thread::sleep_for(run_for);
      w.events.set_event(event::exit);
    });
    const double cpu_before = process_cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    run_presentation(script, w.renderer, preferences, clock, w.events);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["cpu_percent_of_core"] = 100.0 * (process_cpu_seconds() - cpu_before) / wall;
    presenter_leaves.join();
  }
}
// A segment of 5,000 words scrolls on every pass; one of 50 fits the window.
BENCHMARK(BM_IdlePresentationCpu)->Arg(5000)->Arg(50)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

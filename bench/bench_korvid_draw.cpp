// Drawing speed on a full-HD page: a page of text, measuring, and a full-screen bar.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "korvid/korvid.h"

namespace {

// One double-buffered 1920 x 1080 window for all benchmarks: drawing goes to
// the hidden page, as the program's presentation draws.
void ensure_window() {
  static const int id = [] {
    const int opened = korvid::initwindow(1920, 1080, "Bench", korvid::default_position,
                                          korvid::default_position, true, false);
    korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 18);
    return opened;
  }();
  if (id < 0) std::abort();
}

const std::array<std::string, 6> sample_lines = {
    "Good morning, everyone. Today I want to walk you through the three ideas behind the new planner,",
    "starting with why a spoken presentation drifts: every minute you spend answering a question is a",
    "minute the last segment loses, and nobody notices until the closing slide is rushed. The pacing",
    "dial makes that drift visible while it happens, so you can choose what to shorten — früh genug.",
    "Second, segments are plain gemtext, so a script can be written in any editor and kept in version",
    "control next to the slides. Third, the timings balance themselves when you add or take away time.",
};

void BM_JustifiedTextPage(benchmark::State& state) {
  ensure_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 18);
  const int line_height = korvid::textheight("Xg");
  for (auto _ : state) {
    for (int i = 0; i < 60; ++i) {
      korvid::settextjustify(i % 3, korvid::top_text);
      korvid::outtextxy(20, i * line_height, sample_lines[static_cast<std::size_t>(i) % sample_lines.size()]);
    }
  }
  korvid::settextjustify(korvid::left_text, korvid::top_text);
  state.SetItemsProcessed(state.iterations() * 60);
}
BENCHMARK(BM_JustifiedTextPage)->Unit(benchmark::kMillisecond);

void BM_TextWidthTenWords(benchmark::State& state) {
  ensure_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 25);
  const std::string words = "the dial makes that drift visible while it happens here";
  benchmark::DoNotOptimize(korvid::textwidth(words));
  for (auto _ : state) benchmark::DoNotOptimize(korvid::textwidth(words));
}
BENCHMARK(BM_TextWidthTenWords)->Unit(benchmark::kMicrosecond);

// The same with a different string every time, as a first layout pass sees them.
void BM_TextWidthTenFreshWords(benchmark::State& state) {
  ensure_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 25);
  std::string words = "the dial makes that drift visible while it happens 0000000";
  long counter = 0;
  for (auto _ : state) {
    const std::string number = std::to_string(++counter);
    words.replace(words.size() - number.size(), number.size(), number);
    benchmark::DoNotOptimize(korvid::textwidth(words));
  }
}
BENCHMARK(BM_TextWidthTenFreshWords)->Unit(benchmark::kMicrosecond);

void BM_FullScreenBar(benchmark::State& state) {
  ensure_window();
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(30, 60, 90));
  for (auto _ : state) korvid::bar(0, 0, 1920, 1080);
}
BENCHMARK(BM_FullScreenBar)->Unit(benchmark::kMillisecond);

}  // namespace

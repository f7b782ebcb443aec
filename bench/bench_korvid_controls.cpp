// Controls: how long a panel takes to put up and take down its buttons, and to
// read a large text box (the editor reads its body box on every save).
#include <benchmark/benchmark.h>

#include <string>

#include "korvid/korvid.h"

namespace {

// One window for every benchmark, opened on first use.
void open_window() {
  static const int window = korvid::initwindow(800, 600, "Controls benchmark", korvid::default_position,
                                               korvid::default_position, false, false);
  if (window < 0) std::abort();
}

void BM_CreateAndRemove50Buttons(benchmark::State& state) {
  open_window();
  for (auto _ : state) {
    int ids[50];
    for (int i = 0; i < 50; ++i) {
      ids[i] = korvid::createbutton(10 + (i % 10) * 70, 10 + (i / 10) * 40, 64, 32, "Button");
    }
    for (const int id : ids) korvid::removebutton(id);
  }
}
BENCHMARK(BM_CreateAndRemove50Buttons)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Read100KBTextBox(benchmark::State& state) {
  open_window();
  static const int box = korvid::createmultilinetextbox(10, 250, 600, 300);
  std::string text;
  for (int i = 0; text.size() < 100'000; ++i) text += "Line " + std::to_string(i) + " of the body, with some words.\r\n";
  korvid::settextboxcontents(box, text);
  for (auto _ : state) {
    std::string read = korvid::gettextboxcontents(box);
    benchmark::DoNotOptimize(read);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Read100KBTextBox)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

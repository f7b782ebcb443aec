// The layout pass over a 5,000-word segment at 1,920 pixels: the first pass,
// which wraps every line, and the cached pass of every redraw, which must not
// measure a single width. And first passes over lines that used to cost the
// square of their length: "a", 100,000 blanks and "b" (one measurement per
// blank), and many short words followed by many blanks (the trailing blanks
// read again for every piece).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "app/render/layout.h"
#include "app/script/segment.h"
#include "tests/render/recording_renderer.h"

namespace {

using namespace veltrim;

Segment long_segment() {
  std::mt19937 random(7);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  static const char* const words[] = {"presentation", "time", "the", "a", "audience", "question", "slide",
                                      "well-known", "of", "to", "minute", "reading", "pace", "and"};
  const auto sentence = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(i ? " " : "") + words[pick(0, 13)];
    return text;
  };
  std::string body;
  int words_written = 0;
  while (words_written < 5000) {
    const int count = pick(20, 160);
    switch (pick(0, 7)) {
      case 0: body += "## " + sentence(5) + "\n"; words_written += 5; break;
      case 1: body += "* " + sentence(count / 4) + "\n"; words_written += count / 4; break;
      case 2: body += "> " + sentence(count) + "\n"; words_written += count; break;
      case 3: body += "=> gemini://example.org/page " + sentence(4) + "\n"; words_written += 4; break;
      case 4: body += "```\n" + sentence(30) + "\n```\n"; words_written += 30; break;
      default: body += sentence(count) + "\n\n"; words_written += count; break;
    }
  }
  Segment segment;
  segment.set_title("A long segment");
  segment.set_content(body);
  return segment;
}

testing::Recording_renderer& screen() {
  static testing::Recording_renderer renderer;
  renderer.char_width = 9;
  renderer.font_size = 24;
  renderer.max_width = 1920 - 30 - 15;  // margins and scroll bar
  renderer.visible_height = 1080;
  return renderer;
}

// Lays the segment out afresh in every iteration, wrapping every line.
void time_first_passes(benchmark::State& state, Segment& segment) {
  auto& renderer = screen();
  for (auto _ : state) {
    segment.invalidate_segment_layout();
    renderer.clear_record();
    renderer.y = 0;
    layout_segment(segment, renderer);
  }
  state.counters["width_measures"] = renderer.width_measures;
}

void BM_LayoutFirstPass(benchmark::State& state) {
  Segment segment = long_segment();
  time_first_passes(state, segment);
  state.counters["words"] = static_cast<double>(segment.body_word_count());
}
BENCHMARK(BM_LayoutFirstPass)->Unit(benchmark::kMillisecond);

void BM_LayoutCachedPass(benchmark::State& state) {
  Segment segment = long_segment();
  auto& renderer = screen();
  layout_segment(segment, renderer);
  for (auto _ : state) {
    renderer.clear_record();
    renderer.y = 0;
    layout_segment(segment, renderer);
    if (renderer.width_measures != 0) state.SkipWithError("the cached pass measured widths");
  }
  state.counters["width_measures"] = renderer.width_measures;
  state.counters["height_measures"] = renderer.height_measures;
}
BENCHMARK(BM_LayoutCachedPass)->Unit(benchmark::kMicrosecond);

void BM_LayoutLongRunOfBlanks(benchmark::State& state) {
  Segment segment;
  segment.set_content("a" + std::string(100'000, ' ') + "b");
  time_first_passes(state, segment);
}
BENCHMARK(BM_LayoutLongRunOfBlanks)->Unit(benchmark::kMillisecond);

// 30,000 short words, then 100,000 blanks before the line's end.
void BM_LayoutManyPiecesBeforeTrailingBlanks(benchmark::State& state) {
  Segment segment;
  std::string line;
  for (int i = 0; i < 30'000; ++i) line += "word ";
  segment.set_content(line + std::string(100'000, ' ') + "\nend");
  time_first_passes(state, segment);
}
BENCHMARK(BM_LayoutManyPiecesBeforeTrailingBlanks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

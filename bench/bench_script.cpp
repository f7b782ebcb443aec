// Loading and saving a large script: 2,000 segments, about 10 MB.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/script/script_file.h"

namespace {

using namespace veltrim;

std::string generated_script() {
  std::mt19937 random(42);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  static const char* const words[] = {"time", "segment", "presenter", "audience", "slide", "question", "the",
                                      "a", "minute", "pace", "reading", "view", "and", "of", "to", "clock"};
  const auto sentence = [&](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(i ? " " : "") + words[pick(0, 15)];
    return text;
  };
  std::string text;
  for (int segment = 1; segment <= 2000; ++segment) {
    text += "# Segment " + std::to_string(segment) + " - " + std::to_string(pick(0, 9)) + ":" +
            std::to_string(pick(10, 59)) + "\n\n";
    const std::size_t end = text.size() + 5000;
    while (text.size() < end) {
      switch (pick(0, 9)) {
        case 0: text += "## " + sentence(4) + "\n"; break;
        case 1: text += "* " + sentence(8) + "\n"; break;
        case 2: text += "> " + sentence(20) + "\n"; break;
        case 3: text += "=> gemini://example.org/" + std::to_string(pick(1, 999)) + " " + sentence(3) + "\n"; break;
        case 4: text += "```\nlet x = " + std::to_string(pick(1, 99)) + ";\n```\n"; break;
        case 5: text += "\n"; break;
        default: text += sentence(pick(5, 90)) + ".\n"; break;
      }
    }
  }
  return text;
}

struct Bench_files {
  std::string folder_name = (std::filesystem::temp_directory_path() / "veltrim-bench-XXXXXX").string();
  std::filesystem::path folder = mkdtemp(folder_name.data());
  std::string source = (folder / "source.gmi").string();
  std::string target = (folder / "target.gmi").string();
  std::size_t size = 0;
  Bench_files() {
    const std::string text = generated_script();
    size = text.size();
    std::ofstream(source, std::ios::binary) << text;
  }
  ~Bench_files() { std::filesystem::remove_all(folder); }
};

Bench_files& files() {
  static Bench_files instance;
  return instance;
}

void BM_LoadScript(benchmark::State& state) {
  for (auto _ : state) {
    Load_status status;
    Script script = load_script(files().source, status);
    if (!status.ok() || script.script_number_segments() != 2000) state.SkipWithError("the script did not load");
    benchmark::DoNotOptimize(script);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size));
}
BENCHMARK(BM_LoadScript)->Unit(benchmark::kMillisecond);

// A save right after loading, as when a script is opened and saved unchanged:
// every segment's body is made from its lines, then the file is written.
void BM_SaveScript(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Load_status status;
    Script script = load_script(files().source, status);
    state.ResumeTiming();
    if (!script.script_save(files().target).written) state.SkipWithError("the script was not saved");
    state.PauseTiming();
    script = Script();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size));
}
BENCHMARK(BM_SaveScript)->Unit(benchmark::kMillisecond);

// The same save without the final flush to the disk: the cost of the writer itself.
void BM_ScriptText(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Load_status status;
    Script script = load_script(files().source, status);
    state.ResumeTiming();
    benchmark::DoNotOptimize(script_text(script));
    state.PauseTiming();
    script = Script();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ScriptText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// marktext on a generated 5 MB Markdown document with every construct the
// converter handles. Goal: <= 100 ms per conversion (the median is reported).
#include <benchmark/benchmark.h>

#include <string>

#include "tools/marktext/marktext.h"

namespace {

std::string generated_markdown(std::size_t bytes) {
  std::string md = "---\ntitle: benchmark\n---\n\n";
  md.reserve(bytes + 4096);
  for (int n = 1; md.size() < bytes; ++n) {
    const std::string i = std::to_string(n);
    md += "# Section " + i + " - 1:30\n\n";
    md += "A paragraph with *emphasis*, **strong** words, `inline code`, a [link](https://example.com/" + i +
          " \"title\") and an ![image](img/" + i + ".png), entities &amp; &copy; &#x2192; and\n"
          "a soft break, then a hard one  \nand <span>inline html</span> to finish the sentence.\n\n";
    md += "## Details\n\n- first item\n- second item with [a link](https://example.org/)\n  - nested item\n"
          "    1. deeply nested, ordered\n- third item\n\n3. three\n4. four\n\n";
    md += "> A quotation over\n> two lines.\n>\n> - and a list inside it\n\n";
    md += "```cpp\nint main() {\n  return " + i + ";\n}\n```\n\n    indented code\n\n";
    md += "| Name | Value | Note |\n|:-----|------:|:----:|\n| alpha | 1 | first |\n| beta | 22 | second |\n\n";
    md += "<div>\nraw html block\n</div>\n\n---\n\n";
  }
  return md;
}

void BM_MarktextFiveMegabytes(benchmark::State& state) {
  const std::string input = generated_markdown(std::size_t{5} << 20);
  std::size_t out = 0;
  for (auto _ : state) {
    marktext::Result r = marktext::convert(input);
    if (!r.ok) state.SkipWithError(r.error.c_str());
    out = r.gemtext.size();
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["input_MB"] = static_cast<double>(input.size()) / (1 << 20);
  state.counters["output_MB"] = static_cast<double>(out) / (1 << 20);
}
BENCHMARK(BM_MarktextFiveMegabytes)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// slidetext on a generated 500-slide deck with speaker notes (a .pptx written
// with libzip to a temporary file), slide text and notes. Goal: <= 300 ms per
// conversion (the median is reported). And on a hollow deck: 200,000 slide
// references to parts that are missing from an archive of 20,000 other
// entries, each missing part looked up without a pass over the archive.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <string>

#include "tests/tools/deck_builder.h"
#include "tools/slidetext/slidetext.h"

namespace {

std::string sentence_words(int n, int seed) {
  static const char* const words[] = {"timing", "the", "audience", "remembers", "a", "calm", "ending",
                                      "so", "rehearse", "every", "segment", "with", "its", "budget"};
  std::string s;
  for (int i = 0; i < n; ++i) {
    if (i) s += ' ';
    s += words[(i * 7 + seed) % 14];
  }
  return s + ".";
}

// A 500-slide deck in the temporary folder, made once for the whole run.
class Deck {
 public:
  Deck() {
    std::vector<deck::Slide> slides;
    for (int n = 1; n <= 500; ++n) {
      std::string shapes = deck::title("Slide title number " + std::to_string(n)) +
                           deck::shape("obj",
                                       deck::para(sentence_words(8, n)) + deck::para(sentence_words(6, n + 1), 1) +
                                           deck::para(sentence_words(9, n + 2)) + deck::para(sentence_words(5, n + 3)));
      if (n % 10 == 0)
        shapes += deck::table({{"Metric", "Before", "After"}, {"Overrun", "7 min", "0 min"}, {"Questions", "0", "5"}}, true);
      std::string notes = deck::notes(deck::para(sentence_words(60, n)) + deck::para(sentence_words(50, n + 5)),
                                      std::to_string(n));
      slides.push_back({"slide" + std::to_string(n) + ".xml", deck::slide(shapes, n % 50 == 0), std::move(notes)});
    }
    path_ = dir_.file("bench-500.pptx");
    deck::write_zip(path_, deck::deck_parts(slides));
  }
  const std::string& path() const { return path_; }

 private:
  deck::TempDir dir_;
  std::string path_;
};

const Deck& the_deck() {
  static const Deck d;
  return d;
}

void run(benchmark::State& state, bool notes) {
  const std::string& path = the_deck().path();
  slidetext::Options options;
  options.notes = notes;
  std::size_t out = 0;
  for (auto _ : state) {
    slidetext::Result r = slidetext::convert_file(path, options);
    if (!r.ok) state.SkipWithError(r.error.c_str());
    out = r.gemtext.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["output_KB"] = static_cast<double>(out) / 1024;
}

// 200,000 slides listed, none of them in the archive, beside 20,000 media files.
class HollowDeck {
 public:
  HollowDeck() {
    std::vector<deck::Part> parts = deck::deck_parts({});
    std::string list;
    std::vector<std::vector<std::string>> rels;
    for (int n = 1; n <= 200'000; ++n) {
      list += "<p:sldId id=\"" + std::to_string(255 + n) + "\" r:id=\"rId" + std::to_string(n) + "\"/>";
      rels.push_back({"rId" + std::to_string(n), "slide", "slides/missing" + std::to_string(n) + ".xml"});
    }
    deck::data_of(parts, "ppt/presentation.xml") =
        deck::xml_head + "<p:presentation" + deck::ns + "><p:sldIdLst>" + list + "</p:sldIdLst></p:presentation>";
    deck::data_of(parts, "ppt/_rels/presentation.xml.rels") = deck::relationships(rels);
    for (int n = 1; n <= 20'000; ++n) parts.push_back({"ppt/media/image" + std::to_string(n) + ".png", "x"});
    path_ = dir_.file("hollow.pptx");
    deck::write_zip(path_, parts);
  }
  const std::string& path() const { return path_; }

 private:
  deck::TempDir dir_;
  std::string path_;
};

void BM_SlidetextMissingParts(benchmark::State& state) {
  static const HollowDeck hollow;
  std::size_t warnings = 0;
  for (auto _ : state) {
    slidetext::Result r = slidetext::convert_file(hollow.path());
    if (!r.ok) state.SkipWithError(r.error.c_str());
    warnings = r.warnings.size();
  }
  state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_SlidetextMissingParts)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Slidetext500SlidesText(benchmark::State& state) { run(state, false); }
void BM_Slidetext500SlidesNotes(benchmark::State& state) { run(state, true); }
BENCHMARK(BM_Slidetext500SlidesText)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Slidetext500SlidesNotes)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

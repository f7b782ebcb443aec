// slidetext: PowerPoint (.pptx) to Veltrim gemtext, on libzip and pugixml.
//
// The library behind the `slidetext` command. `convert_file` and `convert_memory`
// never throw; the command line (main.cpp) adds the atomic write and exit codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace slidetext {

// Zip-bomb guards, counted on the bytes actually inflated (the sizes a zip
// declares are checked first but not trusted). Only the parts slidetext reads
// count: embedded media of any size are never read.
struct Limits {
  std::uint64_t part_bytes = std::uint64_t{64} << 20;    // one part, uncompressed
  std::uint64_t total_bytes = std::uint64_t{256} << 20;  // all parts read, uncompressed
};

inline constexpr int default_wpm = 130;

// The longest estimate, 9999:45: Veltrim reads at most four digits of minutes
// from a heading, and estimates keep to the 15-second grid.
inline constexpr int longest_estimate = 9999 * 60 + 45;

inline constexpr int max_wpm = 10000;

struct Options {
  bool notes = false;     // -n: speaker notes as the body instead of the slide text
  int wpm = default_wpm;  // speaking rate for the length estimates, 1 to max_wpm
  Limits limits;
};

struct Result {
  bool ok = false;
  std::string gemtext;                // on success: UTF-8 gemtext, CR LF line ends
  std::string error;                  // on failure: the reason, one line
  std::vector<std::string> warnings;  // slides skipped for a broken reference, etc.
};

// Converts a deck. Slides come in presentation order (ppt/presentation.xml's
// slide list through its relationships), hidden slides are left out. Each slide
// becomes "# Title - M:SS", an empty line, then its body:
// - without notes: the slide's text, shape by shape: paragraphs as lines,
//   bulleted paragraphs (any level) as "* " lines, tables as ``` blocks;
// - with notes: the notes slide's body placeholder (no slide number, date,
//   header or footer), paragraphs as lines.
// The title is the title or centred-title placeholder's text, "Slide N" when
// there is none (N counts every slide of the deck, hidden ones too, as
// PowerPoint numbers them). The length is estimated from the words of the notes
// or, when the slide has no notes, of its title and text: words / wpm, rounded to
// 15 seconds (half up), from 0:15 to 9999:45. Every heading carries a length, so
// the last " - " of the line is always the one slidetext wrote: a title such as
// "Q - A" or "Break - 10:00" is read back whole (see write_heading in the source).
Result convert_file(const std::string& path, const Options& options = {});
Result convert_memory(std::string_view zip_bytes, const Options& options = {});

// Pieces exposed for the tests.
std::size_t count_words(std::string_view text);
int estimate_seconds(std::uint64_t words, int wpm);  // rounded to 15 s, 15 to longest_estimate
std::string format_length(int seconds);              // 105 -> "1:45"
// The zip part a relationship target names, from the part holding the
// relationship: ("ppt/presentation.xml", "slides/slide1.xml") -> "ppt/slides/slide1.xml".
std::string resolve_target(std::string_view source_part, std::string_view target);

}  // namespace slidetext

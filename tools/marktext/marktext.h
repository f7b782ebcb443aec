// marktext: Markdown (CommonMark plus tables, through md4c) to Veltrim gemtext.
//
// The library behind the `marktext` command. `convert` works in memory and never
// throws; the command line (main.cpp) adds file reading, the atomic write and the
// exit codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marktext {

// Largest Markdown input accepted (the converter holds it and its output in memory).
inline constexpr std::size_t max_input_bytes = std::size_t{256} << 20;

struct Result {
  bool ok = false;
  std::string gemtext;  // on success: UTF-8 gemtext, every line ended by CR LF
  std::string error;    // on failure: the reason, one line, no "marktext: " prefix
};

// Converts a whole Markdown document (any bytes) to gemtext.
//
// What becomes of each construct:
// - headings keep their level ("#" to "######"), the text as written, so a
//   heading that carries a length ("# Intro - 2:30") keeps it; no estimates;
// - a paragraph becomes one line (soft and hard breaks become one blank);
// - list items become "* " lines: nested lists are flattened, an ordered list's
//   number and delimiter stay in the text ("* 3. Third"); a further paragraph of
//   the same item becomes a further "* " line;
// - block quotes become "> " lines (a list inside a quote: "> * item");
// - fenced and indented code becomes a ``` block with the info string on the
//   opening fence; tables become ``` blocks of aligned "| a | b |" rows;
// - links and images keep their text (an image its alt text) and are listed as
//   "=> URL label" lines right after the top-level block that holds them;
// - raw HTML blocks are dropped; inline HTML tags are dropped and the text between
//   them kept (a <br> tag becomes a blank); entities are decoded;
// - thematic breaks are dropped (the blank line between blocks stays);
// - YAML front matter ("---" first line, up to a "---" or "..." line) is skipped
//   when every line in it reads as YAML (key: value, a comment, a list item, an
//   indented continuation or a blank); otherwise the "---" is a thematic break
//   and the lines after it are the document's, as CommonMark reads them.
// One empty line separates top-level blocks. A plain text line that would read as
// a gemtext marker (it starts with "#", "=>" or "```") gets one leading blank, and
// so does a preformatted line starting with "```", so no text can open a segment,
// become a link or end a preformatted block by accident.
//
// Input handling: a UTF-8 byte-order mark is dropped; UTF-16 with a byte-order
// mark is converted; invalid UTF-8 and NUL bytes become U+FFFD. Input that looks
// binary (many NUL or control bytes at its start) and input larger than
// max_input_bytes are refused.
Result convert(std::string_view markdown);

// Pieces exposed for the tests.
bool looks_binary(std::string_view data);             // judged on the first 64 KiB
std::size_t front_matter_length(std::string_view text);  // bytes to skip, 0 if none
bool reads_as_yaml(std::string_view line);               // one line of front matter
std::string decode_entity(std::string_view entity);   // "&amp;" -> "&"; unknown: as is

}  // namespace marktext

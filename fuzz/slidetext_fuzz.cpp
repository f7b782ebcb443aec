// slidetext: any deck converts without a fault, slide text and speaker notes
// alike; what comes out is well-formed gemtext, and Veltrim's script reader
// finds in every segment heading the length slidetext wrote (0:15 to 9999:45).
//
// The input is a zip archive as it is (it begins with "PK"), or the parts of a
// deck written out as text, which mutate far more usefully than compressed
// bytes guarded by checksums; this target zips them before converting:
//
//   wpm 130                  the speaking rate (optional; 1 to 10,000)
//   == _rels/.rels           a part: its name after "== ", its bytes up to
//   <Relationships ...>      the next line that begins with "== "
//   == ppt/presentation.xml
//   ...
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/script/script_file.h"
#include "fuzz/fuzz_check.h"
#include "tests/tools/gemtext_check.h"
#include "tools/slidetext/slidetext.h"

namespace {

struct Part {
  std::string name;
  std::string_view data;
};

struct Deck {
  int wpm = slidetext::default_wpm;
  std::vector<Part> parts;
};

Deck read_parts(std::string_view text) {
  Deck deck;
  constexpr std::string_view rate = "wpm ";
  if (text.starts_with(rate)) {
    const std::string_view line = text.substr(rate.size(), text.find('\n') - rate.size());
    int wpm = 0;
    if (std::from_chars(line.data(), line.data() + line.size(), wpm).ec == std::errc{} && wpm >= 1 &&
        wpm <= slidetext::max_wpm)
      deck.wpm = wpm;
  }
  constexpr std::string_view marker = "\n== ";
  for (std::size_t at = text.starts_with("== ") ? 0 : text.find(marker); at != std::string_view::npos;) {
    const std::size_t name_start = text[at] == '\n' ? at + marker.size() : at + 3;
    const std::size_t name_end = std::min(text.find('\n', name_start), text.size());
    const std::size_t next = text.find(marker, name_end);
    const std::size_t data_start = std::min(name_end + 1, text.size());
    const std::size_t data_end = next == std::string_view::npos ? text.size() : next;
    deck.parts.push_back({std::string(text.substr(name_start, name_end - name_start)),
                          text.substr(data_start, data_end > data_start ? data_end - data_start : 0)});
    at = next;
  }
  return deck;
}

// The parts zipped without compression, in memory.
std::string zipped(const std::vector<Part>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
  zip_error_fini(&error);
  if (archive == nullptr) {
    zip_source_free(buffer);
    return {};
  }
  zip_source_keep(buffer);
  for (const Part& part : parts) {
    zip_source_t* source = zip_source_buffer(archive, part.data.data(), part.data.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, part.name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
    if (index < 0) {
      zip_source_free(source);
      continue;
    }
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  std::string bytes;
  if (zip_close(archive) != 0) {
    zip_discard(archive);
  } else if (zip_source_open(buffer) == 0) {
    zip_source_seek(buffer, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::max<zip_int64_t>(zip_source_tell(buffer), 0)));
    zip_source_seek(buffer, 0, SEEK_SET);
    bytes.resize(static_cast<std::size_t>(std::max<zip_int64_t>(zip_source_read(buffer, bytes.data(), bytes.size()), 0)));
    zip_source_close(buffer);
  }
  zip_source_free(buffer);
  return bytes;
}

void check(const slidetext::Result& result) {
  fuzz::require(result.ok == result.error.empty(), "a conversion succeeds or says why not");
  if (!result.ok) return;
  fuzz::require(gemtext_check::well_formed(result.gemtext), "the output is well-formed gemtext");
  // The headings as written, and as Veltrim writes again what it read from them.
  std::vector<std::string_view> lines;
  gemtext_check::split_lines(result.gemtext, lines);
  std::vector<std::string> written;
  bool preformatted = false;
  for (const std::string_view line : lines) {
    if (line.starts_with("```")) preformatted = !preformatted;
    if (!preformatted && line.starts_with('#') && !line.starts_with("##")) written.emplace_back(line);
  }
  std::vector<std::string> read;
  const veltrim::Script script = veltrim::parse_script(result.gemtext);
  for (const veltrim::Segment& segment : script.segments()) {
    if (!segment.title()) continue;  // what stands before the first slide, if anything
    fuzz::require(segment.time() >= 15 && segment.time() <= slidetext::longest_estimate,
                  "every estimate lies between 0:15 and 9999:45");
    read.push_back("# " + *segment.title() + " - " + segment.get_time_string());
  }
  fuzz::require(read == written, "Veltrim reads every heading's title and length as slidetext wrote them");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  slidetext::Options options;
  // Small limits keep every run short; the limits themselves have their tests.
  options.limits = {std::uint64_t{1} << 20, std::uint64_t{4} << 20};
  std::string archive;
  if (input.starts_with("PK")) {
    archive = input;
  } else {
    const Deck deck = read_parts(input);
    options.wpm = deck.wpm;
    archive = zipped(deck.parts);
  }
  for (const bool notes : {false, true}) {
    options.notes = notes;
    check(slidetext::convert_memory(archive, options));
  }
  return 0;
}

// Time values: whatever a person types as a length, the length a segment keeps
// is written in a form that reads back as the same length, in the length box
// and after " - " in a segment heading.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/script/parsetime.h"
#include "app/script/script_file.h"
#include "fuzz/fuzz_check.h"

namespace {

// Minutes, ":" and two digits of seconds, with a "-" in front of a negative length.
bool written_as_minutes_and_seconds(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  const std::size_t colon = text.find(':');
  if (colon == 0 || colon == std::string_view::npos || text.size() != colon + 3) return false;
  return text.find_first_not_of("0123456789", 0) == colon && text.find_first_not_of("0123456789", colon + 1) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view typed(reinterpret_cast<const char*>(data), size);
  veltrim::parsetime(typed);  // the whole text, not only the 32 characters a box passes on

  veltrim::Segment segment;
  segment.set_time_string(typed);
  const std::string written = segment.get_time_string();
  fuzz::require(written_as_minutes_and_seconds(written), "a length is written as minutes and seconds");

  veltrim::Segment again;
  again.set_time_string(written);
  fuzz::require(again.time() == segment.time(), "a written length reads back unchanged");

  const veltrim::Script script = veltrim::parse_script("# Title - " + written + "\r\n");
  fuzz::require(script.segment(1).time() == segment.time(), "a length in a heading reads back unchanged");
  fuzz::require(script.segment(1).title() == "Title", "a heading's length is not part of its title");
  return 0;
}

#include "app/script/imported_script.h"

#include "app/script/length_estimate.h"
#include "app/script/parser.h"

namespace veltrim {

void limit_heading_depth(std::string& text) {
  const std::size_t marks = text.find_first_not_of('#');
  const std::size_t depth = marks == std::string::npos ? text.size() : marks;
  if (depth > static_cast<std::size_t>(deepest_heading_level) && is_heading(text)) {
    text.erase(0, depth - deepest_heading_level);
  }
}

Script load_imported_script(std::string_view file, Load_status& status, int level, std::int32_t words_per_minute) {
  // Only now that the level has decided where segments begin are the deep
  // headings lifted, so "####" under a level-2 import still becomes "###".
  Script script = load_script(file, status, level);
  for (Segment& segment : script.segments()) {
    for (Text_line& line : segment.lines()) {
      if (line.kind == kind_text) limit_heading_depth(line.text);
    }
  }
  script.script_set_untitled();
  estimate_missing_lengths(script, words_per_minute);
  return script;
}

}  // namespace veltrim

// The script file: whatever bytes a file holds, loading and saving it settles
// after the first save (every later load and save writes the same bytes), and
// the saved file gives back every segment's title and length. Imports read a
// deeper heading level as segments (level 2 here); what they save is then
// opened as any script file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/script/script_file.h"
#include "fuzz/fuzz_check.h"

using veltrim::Script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  for (const int level : {0, 2}) {
    Script loaded = veltrim::parse_script(file, level);
    const std::string first = veltrim::script_text(loaded);
    Script reloaded = veltrim::parse_script(first);
    fuzz::require(veltrim::script_text(reloaded) == first, "a saved script is saved again unchanged");
    fuzz::require(reloaded.script_number_segments() == loaded.script_number_segments(),
                  "a saved script has as many segments as it had");
    for (std::int32_t i = 1; i <= loaded.script_number_segments(); ++i) {
      fuzz::require(reloaded.segment(i).title() == loaded.segment(i).title(), "a saved title reads back");
      fuzz::require(reloaded.segment(i).time() == loaded.segment(i).time(), "a saved length reads back");
    }
  }
  return 0;
}

// The preferences file: whatever a file holds, the preferences read from it are
// written so that reading the written file gives the same preferences, and
// writing those gives the same file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/system/prefs.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const veltrim::Preferences read = veltrim::parse_preferences(file);
  const std::string written = veltrim::preferences_text(read);
  const veltrim::Preferences reread = veltrim::parse_preferences(written);
  fuzz::require(reread == read, "written preferences read back unchanged");
  fuzz::require(veltrim::preferences_text(reread) == written, "read preferences are written the same again");
  return 0;
}

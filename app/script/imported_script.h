// A converter's gemtext loaded as a new script.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/script/script_file.h"

namespace veltrim {

// Gemtext has three heading levels; an import writes deeper ones as this.
inline constexpr int deepest_heading_level = 3;

// Loads `file` with headings of `level` starting segments (as load_script);
// then headings deeper than gemtext's three become level-3 headings, the script
// is untitled (a save asks for a name), and every segment whose heading gave no
// length gets an estimate of its words at `words_per_minute`.
Script load_imported_script(std::string_view file, Load_status& status, int level, std::int32_t words_per_minute);

// Writes a heading line of more than three "#" with three; any other text stays.
void limit_heading_depth(std::string& text);

}  // namespace veltrim

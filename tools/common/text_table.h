// Tables as the converters write them: a preformatted block of "| a | b |" rows
// whose columns line up in a monospaced font.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

enum class Align { left, center, right };

using TableRows = std::vector<std::vector<std::string>>;

// Columns a string takes in a monospaced font: combining marks and zero-width
// characters take none, East Asian wide and fullwidth characters and most emoji
// take two, everything else one (an invalid byte one). An approximation of
// wcwidth, enough to align table columns.
std::size_t display_width(std::string_view text);

// The widest row's number of cells; 0 for a table with nothing to show.
std::size_t column_count(const TableRows& rows);

// Appends the ``` block: every row padded to the full number of columns, cells
// aligned as aligns says (left where it says nothing), and a "|---|" rule after
// the first header_rows rows (none for 0). Nothing for an empty table.
void append_table(std::string& out, const TableRows& rows, const std::vector<Align>& aligns,
                  std::size_t header_rows);

}  // namespace tools

// On/off dash lengths of the line styles. Plain C++ so the rules can be checked
// without a window.
#pragma once

#include <vector>

namespace korvid::detail {

// On and off lengths in pixels, alternating and starting with "on". A table
// whose "off" entries are all 0 is a solid line.
using DashTable = std::vector<int>;

// The table of line style 0-3, or of the 16-bit user pattern for style 4;
// styles without a table draw solid.
DashTable dash_table(int style, unsigned pattern);

// Builds the dashes of a user pattern, read from bit 0 upwards. Square pen caps
// lengthen every dash by one pixel, so "on" runs are shortened by one and "off"
// runs lengthened by one; leading zero bits wrap round to the end.
DashTable user_dash_table(unsigned pattern);

// True when the table has no gaps.
bool is_solid(const DashTable& table);

}  // namespace korvid::detail

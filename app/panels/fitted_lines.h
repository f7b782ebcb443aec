// Text that must be read whole on a panel, however narrow the window: broken
// into lines that fit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltrim {

// `text` broken at blanks into lines no wider than `width` pixels in the
// current text style. A word too wide for a line of its own (a long path) is
// shortened in its middle, so its end, the file's name, stays in sight.
std::vector<std::string> fit_lines(std::string_view text, int width);

}  // namespace veltrim

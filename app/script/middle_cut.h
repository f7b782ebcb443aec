// Shortening a text that does not fit by leaving out the middle, so that its
// start and its end both stay readable: "cannot read '/home/ann/...keynote.md'".
// A file's name sits at the end of its path, so it survives.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace veltrim {

// Marks where characters were left out.
inline constexpr std::string_view middle_mark = "...";

// `text` itself when `fits` accepts it; otherwise the longest text made of its
// first and last characters around middle_mark that `fits` accepts, with the
// start one character longer than the end where they cannot be equal. Cuts
// fall between UTF-8 characters, never inside one. When nothing fits,
// middle_mark alone.
std::string shorten_in_middle(std::string_view text, const std::function<bool(std::string_view)>& fits);

}  // namespace veltrim

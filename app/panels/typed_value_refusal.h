// What the user is told when a box holds a value that cannot be read: the text
// as it was typed and how to write it instead. The panel stays open with the
// text in its box, so the user mends it rather than retyping it.
#pragma once

#include <string>
#include <string_view>

namespace veltrim {

// For the editor's length box: "'abc' is not a length. Write it as 2:30, 90 s
// or 5 min."
std::string length_refusal(std::string_view typed);

// For a box of whole seconds from 0 to `largest`, named by its label:
// "'-5' is not a number of seconds for Back (s). Write a whole number from 0 to 99999."
std::string seconds_refusal(std::string_view typed, std::string_view box_label, int largest);

}  // namespace veltrim

#include "app/panels/typed_value_refusal.h"

#include "app/script/blanks.h"

namespace veltrim {
namespace {

// A message quotes no more of a box than a length field reads.
constexpr std::size_t quoted_width = 32;

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The typed text without surrounding blanks, in quotes; a long text is cut
// between two characters and ends in "...", so a paragraph pasted into a small
// box does not fill the screen.
std::string quoted(std::string_view typed) {
  std::string_view text = without_trailing_blanks(without_leading_blanks(typed));
  std::string ellipsis;
  if (text.size() > quoted_width) {
    std::size_t cut = quoted_width;
    while (cut > 0 && is_continuation_byte(text[cut])) --cut;
    text = text.substr(0, cut);
    ellipsis = "...";
  }
  return "'" + std::string(text) + ellipsis + "'";
}

}  // namespace

std::string length_refusal(std::string_view typed) {
  return quoted(typed) + " is not a length. Write it as 2:30, 90 s or 5 min.";
}

std::string seconds_refusal(std::string_view typed, std::string_view box_label, int largest) {
  return quoted(typed) + " is not a number of seconds for " + std::string(box_label) +
         ". Write a whole number from 0 to " + std::to_string(largest) + ".";
}

}  // namespace veltrim

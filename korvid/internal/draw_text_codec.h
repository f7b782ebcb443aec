// Text from the program to Qt.
#pragma once

#include <QString>

#include <string_view>

namespace korvid::detail {

// The text up to its first NUL: the program's texts end there.
std::string_view until_nul(std::string_view text);

// The text as it is shown: UTF-8, with every byte that is not part of a
// well-formed sequence (a stray continuation byte, an overlong form, a
// surrogate, a value beyond U+10FFFF, a sequence cut short) shown as U+FFFD.
// Programs hand over bytes as they came; showing what cannot be read as a
// marked gap, rather than refusing the whole text, keeps every other character
// on show and lets the user see and mend the rest.
QString shown_text(std::string_view text);

}  // namespace korvid::detail

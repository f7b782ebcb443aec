// Text from the program to Qt.
#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace korvid::detail {

// The text up to its first NUL: the program's texts end there.
std::string_view until_nul(std::string_view text);

// True for well-formed UTF-8: no stray continuation bytes, no overlong forms,
// no surrogates, nothing beyond U+10FFFF.
bool is_valid_utf8(std::string_view text);

// The text as Qt sees it, up to its first NUL; empty when it is not valid UTF-8.
std::optional<QString> decode_text(std::string_view text);

}  // namespace korvid::detail

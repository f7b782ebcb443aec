// UTF-8 checks and repair shared by the converters: their output must be valid
// UTF-8 whatever bytes the input held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tools {

inline constexpr std::string_view replacement_character = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at p (1 to 4), or 0 when it is not
// one (overlong forms, surrogates and values beyond U+10FFFF are not).
int utf8_sequence_length(const unsigned char* p, std::size_t n);

// The code point of a well-formed sequence of the given length.
std::uint32_t decode_utf8(const unsigned char* p, int length);

// How many leading bytes are well-formed UTF-8 without NUL.
std::size_t valid_utf8_prefix(std::string_view bytes);

// The bytes with every invalid byte and every NUL made U+FFFD.
std::string to_valid_utf8(std::string_view bytes);

}  // namespace tools

#include "tools/common/utf8.h"

namespace tools {

int utf8_sequence_length(const unsigned char* p, std::size_t n) {
  const unsigned c = p[0];
  if (c < 0x80) return 1;
  if (c < 0xC2) return 0;
  if (c < 0xE0) return n >= 2 && (p[1] & 0xC0) == 0x80 ? 2 : 0;
  if (c < 0xF0) {
    if (n < 3 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80) return 0;
    if (c == 0xE0 && p[1] < 0xA0) return 0;   // overlong
    if (c == 0xED && p[1] >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (c < 0xF5) {
    if (n < 4 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80 || (p[3] & 0xC0) != 0x80)
      return 0;
    if (c == 0xF0 && p[1] < 0x90) return 0;   // overlong
    if (c == 0xF4 && p[1] >= 0x90) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
}

std::uint32_t decode_utf8(const unsigned char* p, int length) {
  switch (length) {
    case 1: return p[0];
    case 2: return (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu);
    case 3: return (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    default: return (p[0] & 0x07u) << 18 | (p[1] & 0x3Fu) << 12 | (p[2] & 0x3Fu) << 6 | (p[3] & 0x3Fu);
  }
}

std::size_t valid_utf8_prefix(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    if (p[i] >= 0x01 && p[i] < 0x80) {  // plain ASCII, the common case
      ++i;
      continue;
    }
    const int length = p[i] == 0 ? 0 : utf8_sequence_length(p + i, n - i);
    if (length == 0) break;
    i += static_cast<std::size_t>(length);
  }
  return i;
}

std::string to_valid_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    // Copy the longest good run at once, then replace the one bad byte after it.
    const std::size_t good = valid_utf8_prefix(bytes);
    out.append(bytes.data(), good);
    bytes.remove_prefix(good);
    if (!bytes.empty()) {
      out += replacement_character;
      bytes.remove_prefix(1);
    }
  }
  return out;
}

}  // namespace tools

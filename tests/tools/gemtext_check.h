// The check on converter output shared by the tools tests: well-formed gemtext.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gemtext_check {

inline bool valid_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned c = p[i];
    const std::size_t len = c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((p[i + k] & 0xC0) != 0x80) return false;
    const unsigned next = len > 1 ? p[i + 1] : 0x80;  // no overlong forms, surrogates, or beyond U+10FFFF
    if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) || (c == 0xF0 && next < 0x90) ||
        (c == 0xF4 && next >= 0x90))
      return false;
    i += len;
  }
  return true;
}

// The lines of a CR LF text; false when a CR or LF stands alone, a line holds a
// control character other than TAB, or the text does not end in CR LF.
inline bool split_lines(std::string_view text, std::vector<std::string_view>& lines) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = ++i + 1;
    } else if (c == '\r' || c == '\n' || (c < 0x20 && c != '\t') || c == 0x7F) {
      return false;
    }
  }
  return start == text.size();
}

// Valid UTF-8 in CR LF lines without control characters but TAB, and every
// preformatted block closed.
inline bool well_formed(std::string_view text) {
  std::vector<std::string_view> lines;
  if (!valid_utf8(text) || !split_lines(text, lines)) return false;
  bool pre = false;
  for (std::string_view line : lines) pre ^= line.starts_with("```");
  return !pre;
}

}  // namespace gemtext_check

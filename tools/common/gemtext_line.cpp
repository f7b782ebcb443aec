#include "tools/common/gemtext_line.h"

namespace tools {

void append_normalized(std::string& out, std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const auto blank = [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c <= 0x20 || c == 0x7F;
  };
  bool first = true;
  while (p < end) {  // whole words at a time
    while (p < end && blank(*p)) ++p;
    if (p == end) break;
    const char* word = p;
    while (p < end && !blank(*p)) ++p;
    if (!first) out += ' ';
    out.append(word, static_cast<std::size_t>(p - word));
    first = false;
  }
}

std::string normalize_inline(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_normalized(out, text);
  return out;
}

bool reads_as_marker(std::string_view line) {
  return line.starts_with('#') || line.starts_with("=>") || line.starts_with("```");
}

}  // namespace tools

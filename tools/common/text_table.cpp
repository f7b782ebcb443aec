#include "tools/common/text_table.h"

#include <algorithm>
#include <cstdint>

#include "tools/common/gemtext_line.h"
#include "tools/common/utf8.h"

namespace tools {
namespace {

bool zero_width(std::uint32_t cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
         (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
         (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFE20 && cp <= 0xFE2F) ||
         (cp >= 0x200B && cp <= 0x200F) || cp == 0x2060 || cp == 0xFEFF;
}

bool double_width(std::uint32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
         (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF) ||
         (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
         (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
         (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x1F300 && cp <= 0x1F64F) ||
         (cp >= 0x1F900 && cp <= 0x1F9FF) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

void append_rule(std::string& out, const std::vector<std::size_t>& widths) {
  out += '|';
  for (const std::size_t width : widths) {
    out.append(width + 2, '-');
    out += '|';
  }
  out += crlf;
}

}  // namespace

std::size_t display_width(std::string_view text) {
  std::size_t width = 0;
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const int length = p[i] < 0x80 ? 1 : utf8_sequence_length(p + i, n - i);
    if (length <= 1) {
      ++width;
      ++i;
      continue;
    }
    const std::uint32_t cp = decode_utf8(p + i, length);
    i += static_cast<std::size_t>(length);
    width += zero_width(cp) ? 0 : double_width(cp) ? 2 : 1;
  }
  return width;
}

std::size_t column_count(const TableRows& rows) {
  std::size_t columns = 0;
  for (const auto& row : rows) columns = std::max(columns, row.size());
  return columns;
}

void append_table(std::string& out, const TableRows& rows, const std::vector<Align>& aligns,
                  std::size_t header_rows) {
  const std::size_t columns = column_count(rows);
  if (columns == 0) return;
  std::vector<std::size_t> widths(columns, 1);
  for (const auto& row : rows)
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], display_width(row[c]));
  out += "```";
  out += crlf;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    out += '|';
    for (std::size_t c = 0; c < columns; ++c) {
      const std::string_view cell = c < rows[r].size() ? std::string_view(rows[r][c]) : "";
      const std::size_t pad = widths[c] - display_width(cell);
      const Align align = c < aligns.size() ? aligns[c] : Align::left;
      const std::size_t before = align == Align::right ? pad : align == Align::center ? pad / 2 : 0;
      out += ' ';
      out.append(before, ' ');
      out += cell;
      out.append(pad - before, ' ');
      out += " |";
    }
    out += crlf;
    if (r + 1 == header_rows) append_rule(out, widths);
  }
  out += "```";
  out += crlf;
}

}  // namespace tools

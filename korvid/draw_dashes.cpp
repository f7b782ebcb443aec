#include "korvid/internal/draw_dashes.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "korvid/draw.h"

namespace korvid::detail {

DashTable user_dash_table(unsigned pattern) {
  constexpr int bits = 16;
  auto remaining = static_cast<std::uint16_t>(pattern);
  if (remaining == 0) return {0, bits};

  const int leading_zeros = std::countr_zero(remaining);  // below the lowest 1 bit
  remaining = static_cast<std::uint16_t>(remaining >> leading_zeros);
  int total = leading_zeros;
  DashTable table;
  while (remaining != 0) {
    const int ones = std::countr_one(remaining);
    table.push_back(ones - 1);
    remaining = static_cast<std::uint16_t>(remaining >> ones);
    total += ones;
    if (remaining == 0) break;
    const int zeros = std::countr_zero(remaining);
    table.push_back(zeros + 1);
    remaining = static_cast<std::uint16_t>(remaining >> zeros);
    total += zeros;
  }
  if (total != bits) table.push_back(bits + 1 - total);

  const bool odd = table.size() % 2 == 1;
  if (leading_zeros > 0) {
    if (odd) {
      table.push_back(leading_zeros);
    } else {
      table.back() += leading_zeros;
    }
  } else if (odd) {
    table.push_back(0);
  }
  return table;
}

DashTable dash_table(int style, unsigned pattern) {
  switch (style) {
    case line_style::dotted: return {3, 4};
    case line_style::center: return {3, 4, 7, 4};
    case line_style::dashed: return {7, 4};
    case line_style::user: return user_dash_table(pattern);
    default: return {16, 0};
  }
}

bool is_solid(const DashTable& table) {
  for (std::size_t i = 1; i < table.size(); i += 2) {
    if (table[i] != 0) return false;
  }
  return true;
}

}  // namespace korvid::detail

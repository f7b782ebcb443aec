#include "app/render/rect.h"

namespace veltrim {

void Rect::set_invalid() {
  top = -1;
  left = -1;
  bottom = -2;
  right = -2;
}

bool Rect::point_inside(std::int32_t x, std::int32_t y) const {
  return is_valid() && left <= x && x <= right && top <= y && y <= bottom;
}

void Rect::shift(std::int32_t dy, std::int32_t dx) {
  top += dy;
  bottom += dy;
  left += dx;
  right += dx;
}

}  // namespace veltrim

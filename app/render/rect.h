// A rectangle of inclusive pixel coordinates, used for hit-testing (the time
// panel's labels, links) and for the reading view's bounds.
#pragma once

#include <cstdint>

namespace veltrim {

struct Rect {
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t bottom = 0;
  std::int32_t right = 0;

  // bottom - top + 1 and right - left + 1; neither checks validity.
  std::int32_t height() const { return bottom - top + 1; }
  std::int32_t width() const { return right - left + 1; }

  // True when the rectangle is more than one pixel wide and high.
  bool is_valid() const { return right > left && bottom > top; }

  // Makes the rectangle invalid, with width and height 0.
  void set_invalid();

  // True when the rectangle is valid and (x, y) lies on or inside its edges.
  bool point_inside(std::int32_t x, std::int32_t y) const;

  // Moves the rectangle down by dy and right by dx.
  void shift(std::int32_t dy = 0, std::int32_t dx = 0);

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace veltrim

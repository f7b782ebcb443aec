// Shared pieces of the drawing tests: a plain window whose visual page is the
// page drawn on, and ways to look at its pixels.
#pragma once

#include <gtest/gtest.h>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace draw_test {

inline constexpr int red = 0x0000FF;
inline constexpr int green = 0x00FF00;
inline constexpr int blue = 0xFF0000;

// A single-buffered window: drawing lands on the page on show.
inline int open_window(int width = 200, int height = 150) {
  const int id = korvid::initwindow(width, height, "Draw", korvid::default_position,
                                    korvid::default_position, false, false);
  EXPECT_GE(id, 0);
  return id;
}

inline int pixel(int x, int y) { return korvid::testing::visual_pixel(korvid::getcurrentwindow(), x, y); }

// How many pixels of the window rectangle (inclusive corners) have `color`.
inline int count_pixels(int left, int top, int right, int bottom, int color) {
  int count = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) count += pixel(x, y) == color ? 1 : 0;
  }
  return count;
}

// How many pixels of the window rectangle are not black.
inline int count_marked(int left, int top, int right, int bottom) {
  return (right - left + 1) * (bottom - top + 1) - count_pixels(left, top, right, bottom, korvid::black);
}

}  // namespace draw_test

#include <gtest/gtest.h>

#include "app/render/rect.h"

namespace veltrim {
namespace {

// Link and button hit tests take a rectangle's edges as inside.
TEST(Rect, HoldsThePointsOnAndInsideItsEdgesOnly) {
  Rect rect{10, 20, 30, 60};  // top, left, bottom, right
  for (auto [x, y] : {std::pair{20, 10}, {60, 10}, {20, 30}, {60, 30}}) EXPECT_TRUE(rect.point_inside(x, y));
  for (auto [x, y] : {std::pair{19, 20}, {61, 20}, {40, 9}, {40, 31}}) EXPECT_FALSE(rect.point_inside(x, y));
  EXPECT_FALSE((Rect{0, 5, 10, 5}).point_inside(5, 5));  // one pixel wide is no area
  rect.set_invalid();
  EXPECT_FALSE(rect.point_inside(-1, -1));
}

}  // namespace
}  // namespace veltrim

#include <gtest/gtest.h>

#include "app/rect.h"

namespace veltrim {
namespace {

TEST(Rect, HoldsThePointsOnAndInsideItsEdgesOnly) {
  Rect rect{10, 20, 30, 60};  // top, left, bottom, right
  EXPECT_EQ(rect.width(), 41);
  EXPECT_EQ(rect.height(), 21);
  for (auto [x, y] : {std::pair{20, 10}, {60, 10}, {20, 30}, {60, 30}}) EXPECT_TRUE(rect.point_inside(x, y));
  for (auto [x, y] : {std::pair{19, 20}, {61, 20}, {40, 9}, {40, 31}}) EXPECT_FALSE(rect.point_inside(x, y));
  rect.shift(0, 5);
  EXPECT_EQ(rect, (Rect{10, 25, 30, 65}));
  EXPECT_FALSE((Rect{0, 5, 10, 5}).point_inside(5, 5));  // one pixel wide is no area
}

TEST(Rect, AnInvalidRectangleHoldsNoPoint) {
  Rect rect{1, 2, 3, 4};
  rect.set_invalid();
  EXPECT_EQ(rect.width(), 0);
  EXPECT_EQ(rect.height(), 0);
  EXPECT_FALSE(rect.point_inside(-1, -1));
}

}  // namespace
}  // namespace veltrim

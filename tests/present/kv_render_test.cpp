// The reading view on an offscreen window: where autoscroll and the wheel put
// the text, and the room the scroll bar takes from the second pass on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "app/script/segment.h"
#include "app/render/layout.h"
#include "tests/present/window_fixture.h"

namespace veltrim::testing {
namespace {

class ReadingViewTest : public WindowTest {
 protected:
  // A fresh segment of `count` lines laid out on the area, as a presentation's first pass does.
  void show(int count) {
    std::string body;
    for (int i = 1; i <= count; ++i) body += "Line " + std::to_string(i) + "\n";
    segment.set_content(body);
    renderer.new_page();
    pass();
  }
  void pass() {
    renderer.set_bounds(0, 0, 999, 599);
    layout_segment(segment, renderer);
  }
  std::int32_t offset() const { return -renderer.y; }
  std::int32_t wheel(int delta) {
    korvid::testing::turn_wheel(window, delta);
    korvid::testing::flush_window_thread();
    if (renderer.render_event_scroll_occurred()) renderer.handle_event();
    return offset();
  }

  Segment segment;
};

TEST_F(ReadingViewTest, AutoscrollAndTheWheelStayWithinTheContent) {
  show(200);
  EXPECT_EQ(renderer.max_width, 1000 - 15 - 15);
  const float content = static_cast<float>(renderer.content_height);
  const float page = static_cast<float>(renderer.page_size());
  ASSERT_GT(content, 3 * page);
  renderer.set_scroll_percent(0);
  EXPECT_EQ(offset(), 0);  // the first eighth of the page needs no scrolling
  renderer.set_scroll_percent(50);  // the middle of the text eight ninths down the page
  const auto middle = static_cast<int>(std::floor(content / 2 + page / 9 - page + 0.5F));
  EXPECT_EQ(std::tuple(offset(), korvid::getscrollposition(renderer.scrollbar)), std::tuple(middle, middle));
  pass();  // a redraw keeps the place, and wraps leaving room for the scroll bar
  EXPECT_EQ(std::tuple(offset(), renderer.max_width), std::tuple(middle, 1000 - 15 - 15 - 15));
  renderer.set_scroll_percent(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(offset(), 0);

  // A notch towards the user is a line down; half notches, as a touchpad sends
  // them, add up to whole ones.
  const std::int32_t line = renderer.text_height("Scrolled Example", type_plain);
  for (const auto& [delta, at] : {std::pair{-60, 0}, {-60, line}, {-240, 3 * line}, {120, 2 * line}, {1200, 0}})
    EXPECT_EQ(wheel(delta), at) << delta;
  EXPECT_EQ(wheel(-120 * 10'000), renderer.scroll_max_value() - renderer.page_size());

  show(3);
  renderer.set_scroll_percent(90);
  EXPECT_EQ(wheel(-120), 0);  // content that fits never moves
}

}  // namespace
}  // namespace veltrim::testing

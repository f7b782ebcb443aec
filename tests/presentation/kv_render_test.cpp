// The reading view on an offscreen window: autoscroll, the wheel, the first
// pass's width, and which links open without asking.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/segment.h"
#include "korvid/testing_dialogs.h"
#include "tests/presentation/window_fixture.h"

namespace veltrim::testing {
namespace {

using ::testing::ElementsAre;

class ReadingViewTest : public WindowTest {
 protected:
  // A fresh segment laid out on the area, as a presentation's first pass does.
  void show(const std::string& body) {
    segment.set_content(body);
    renderer.new_page();
    pass();
  }
  void pass() {
    renderer.set_bounds(0, 0, 999, 599);
    segment.layout_segment(renderer);
  }
  std::int32_t offset() const { return -renderer.y; }

  Segment segment;
};

std::string lines(int count) {
  std::string body;
  for (int i = 1; i <= count; ++i) body += "Line " + std::to_string(i) + "\n";
  return body;
}

TEST_F(ReadingViewTest, AutoscrollAndTheWheelStayWithinTheContent) {
  show(lines(200));
  const float content = static_cast<float>(renderer.content_height);
  const float page = static_cast<float>(renderer.page_size());
  ASSERT_GT(content, 3 * page);
  renderer.set_scroll_percent(0);
  EXPECT_EQ(offset(), 0);  // the first eighth of the page needs no scrolling
  renderer.set_scroll_percent(50);  // the middle of the text eight ninths down the page
  const auto middle = static_cast<int>(std::floor(content / 2 + page / 9 - page + 0.5F));
  EXPECT_EQ(offset(), middle);
  EXPECT_EQ(korvid::getscrollposition(renderer.scrollbar), middle);
  pass();  // a redraw keeps the place
  EXPECT_EQ(offset(), middle);
  renderer.set_scroll_percent(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(offset(), 0);

  const auto wheel = [&](int delta) {
    korvid::testing::turn_wheel(window, delta);
    korvid::testing::flush_window_thread();
    EXPECT_TRUE(renderer.render_event_scroll_occurred());
    renderer.handle_event();
    return offset();
  };
  const std::int32_t line = renderer.text_height("Scrolled Example", type_plain);
  EXPECT_EQ(wheel(-60), 0);  // half a notch does nothing and is let go
  EXPECT_EQ(wheel(-60), 0);
  EXPECT_EQ(wheel(-360), 3 * line);
  EXPECT_EQ(wheel(120), 2 * line);
  EXPECT_EQ(wheel(1200), 0);
  EXPECT_EQ(wheel(-120 * 10'000), renderer.scroll_max_value() - renderer.page_size());

  show(lines(3));
  renderer.set_scroll_percent(90);
  EXPECT_EQ(wheel(-120), 0);  // content that fits never moves
}

TEST_F(ReadingViewTest, TheFirstPassWrapsWithoutTheScrollBarsRoom) {
  show(lines(3));
  EXPECT_EQ(renderer.max_width, 1000 - 15 - 15);
  pass();
  EXPECT_EQ(renderer.max_width, 1000 - 15 - 15 - 15);
  const int bar = renderer.scrollbar;
  ASSERT_GE(bar, 0);
  renderer.destroy_scrollbar();
  EXPECT_FALSE(korvid::testing::control_visible(window, bar));
}

TEST_F(ReadingViewTest, FileAndWebLinksOpenAtOnceOthersOnlyWithConsent) {
  show("=> file:///tmp/notes.txt Notes\n=> mailto:someone@example.org Write\n=> http://example.org\n");
  ASSERT_EQ(renderer.links().size(), 3U);
  const auto click_link = [&](std::size_t i) {
    const Rect& a = renderer.links()[i].area;
    renderer.click((a.left + a.right) / 2, (a.top + a.bottom) / 2);
  };
  korvid::testing::forget_dialogs();
  click_link(0);
  click_link(2);
  korvid::testing::press_no();
  click_link(1);
  renderer.click(-5, -5);  // nowhere near a link
  EXPECT_THAT(opened, ElementsAre("file:///tmp/notes.txt", "http://example.org"));
  EXPECT_EQ(korvid::testing::shown_dialogs().size(), 1U);
}

}  // namespace
}  // namespace veltrim::testing

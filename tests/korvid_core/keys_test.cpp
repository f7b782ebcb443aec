// The key handler, full screen, hiding controls and mirroring part of the page.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "korvid/testing_keys.h"

namespace {

namespace key = korvid::key;
using korvid::KeyFocus;
using korvid::KeyPress;

TEST(KeyHandler, SeesEveryKeyFirstAndTakesOnlyWhatItWants) {
  const int id = korvid::initwindow(300, 200, "Keys");
  std::vector<KeyPress> seen;
  // Takes everything but letters.
  korvid::registerkeyhandler([&](const KeyPress& press) {
    seen.push_back(press);
    return press.code < 'A' || press.code > 'Z';
  });
  std::atomic<int> pressed{0};
  const int button = korvid::createbutton(10, 10, 80, 30, "Go", [&] { ++pressed; });
  const int box = korvid::createtextbox(10, 50, 80, 30);

  korvid::testing::focus_control(id, -1);
  korvid::testing::press_key(id, key::extended(key::f1 + 4));
  korvid::testing::press_key(id, key::extended(key::up));  // the key buffer still gets it
  korvid::testing::focus_control(id, button);
  korvid::testing::press_key(id, key::space);  // taken: the button does not press itself
  korvid::testing::focus_control(id, box);
  korvid::testing::press_key(id, 'S', key::ctrl);
  korvid::testing::press_key(id, 'B', key::shift);  // left to the box, which types it
  korvid::testing::settle_callbacks(id);

  ASSERT_EQ(seen.size(), 5U);
  EXPECT_EQ(seen[0].code, key::extended(key::f1 + 4));
  EXPECT_EQ(seen[0].focus, KeyFocus::window);
  EXPECT_EQ(seen[2].code, key::space);
  EXPECT_EQ(seen[2].focus, KeyFocus::control);
  EXPECT_EQ(seen[3].modifiers, key::ctrl);
  EXPECT_EQ(seen[4].code, 'B');
  EXPECT_EQ(seen[4].focus, KeyFocus::text_box);
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(korvid::gettextboxcontents(box), "B");
  for (const int code : {0, key::f1 + 4, 0, key::up}) EXPECT_EQ(korvid::getch(), code);
  EXPECT_FALSE(korvid::kbhit());
  korvid::closewindow(id);
}

TEST(Window, FullScreenCoversTheScreenAndComesBack) {
  const int id = korvid::initwindow(400, 300, "Full");
  korvid::setfullscreen(true);  // a window of fixed size stays as it is
  EXPECT_FALSE(korvid::isfullscreen());
  korvid::enableresize();
  korvid::setfullscreen(true);
  korvid::testing::flush_window_thread();
  EXPECT_TRUE(korvid::isfullscreen());
  EXPECT_EQ(korvid::testing::native_width(id), korvid::getmaxwidth());
  korvid::setfullscreen(false);
  korvid::testing::flush_window_thread();
  EXPECT_FALSE(korvid::isfullscreen());
  EXPECT_EQ(korvid::testing::native_width(id), 400);
  EXPECT_EQ(korvid::testing::native_height(id), 300);
  korvid::closewindow(id);
}

TEST(Drawing, MirrorFlipsOnlyWhatLiesInsideTheViewport) {
  const int id = korvid::initwindow(200, 100, "Mirror");
  const int red = korvid::creatergb(255, 0, 0);
  korvid::setbkcolor(korvid::white);
  korvid::clearviewport();
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::bar(0, 0, 10, 10);      // top left corner of the page
  korvid::bar(20, 50, 30, 60);    // inside the viewport below
  korvid::setviewport(20, 40, 120, 100, true);  // columns 20..119 on the page
  korvid::mirrorrect(0, 0, 1000, 1000);
  korvid::resetviewport();
  EXPECT_EQ(korvid::getpixel(5, 5), red);                          // outside: untouched
  EXPECT_EQ(korvid::getpixel(25, 55), korvid::white);
  EXPECT_EQ(korvid::getpixel(20 + 119 - 25, 55), red);             // mirrored about its middle

  const int button = korvid::createbutton(10, 10, 50, 20, "Hide");
  korvid::setcontrolvisible(button, false);
  EXPECT_FALSE(korvid::testing::control_visible(id, button));
  korvid::setcontrolvisible(button, true);
  EXPECT_TRUE(korvid::testing::control_visible(id, button));
  korvid::closewindow(id);
}

}  // namespace

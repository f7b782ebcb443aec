// The key handler.
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

}  // namespace

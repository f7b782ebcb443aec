#include "controls_fixture.h"

namespace controls_test {
namespace {

using Fonts = ControlsTest;

// Panels choose a text style and then make their controls in it (the editor's
// body in monospace, its buttons in sans serif), so every control takes the
// style of its moment and keeps it.
TEST_F(Fonts, ControlsTakeTheTextStyleTheyWereMadeInAndKeepIt) {
  korvid::settextstyle(korvid::font::mono, 0, 30);
  const kt::SelectedFont mono = kt::selected_font(window);
  const std::vector<int> made{korvid::createbutton(10, 10, 80, 30, "a"),
                              korvid::createcheckbox(10, 50, 80, 30, "b"),
                              korvid::createradiobutton(10, 90, 80, 30, "c"),
                              korvid::createtextbox(100, 10, 120, 30),
                              korvid::createmultilinetextbox(100, 50, 120, 80),
                              korvid::createlistbox(230, 10, 100, 80),
                              korvid::createdropdownlist(230, 100, 100, 80),
                              korvid::createscrollbar(340, 10, 16, 200, true)};
  korvid::settextstyle(korvid::font::sans, 0, 20);
  const kt::SelectedFont sans = kt::selected_font(window);
  ASSERT_NE(mono.family, sans.family);
  ASSERT_NE(mono.pixel_size, sans.pixel_size);

  for (const int id : made) {
    const auto font = kt::control_font(window, id);
    ASSERT_TRUE(font) << id;
    EXPECT_EQ(font->family, mono.family) << id;
    EXPECT_EQ(font->pixel_size, mono.pixel_size) << id;
  }
  const auto later = kt::control_font(window, korvid::createbutton(10, 130, 80, 30, "d"));
  ASSERT_TRUE(later);
  EXPECT_EQ(later->family, sans.family);
  EXPECT_EQ(later->pixel_size, sans.pixel_size);
}

}  // namespace
}  // namespace controls_test

// The start panel after a presentation looks exactly as it did before one:
// nothing the time panel set for its own drawing (its thick pen) shows on it,
// and the page is white to its last column and row.
#include "app/script/script_file.h"
#include "tests/program/program_fixture.h"

namespace veltrim::testing {
namespace {

// The start panel's page, row by row, once it is fully drawn (it is while a
// file dialog is open over it); also saved as `name`.png for a person.
std::vector<int> drawn_start_panel(int window, const std::string& name) {
  press(window, "Open...");
  kt::wait_for_dialog();
  EXPECT_TRUE(kt::save_visual_page(window, name + ".png"));
  std::vector<int> pixels;
  const int width = kt::native_width(window);
  const int height = kt::native_height(window);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(kt::visual_pixel(window, x, y));
  }
  kt::cancel_dialog();
  return pixels;
}

TEST_F(ProgramTest, TheStartPanelIsDrawnCleanAfterAPresentation) {
  Load_status status;
  script = load_script(write_script("talk.gmi", "# One - 1:00\nfirst\n").string(), status);
  clock.at(1s, [&] { events.set_event(event::exit); });
  std::vector<int> before, after;
  run_with_user([&] {
    const int first_panel = wait_for_control(window, "Start!");
    before = drawn_start_panel(window, "start_panel_before_presenting");
    press(window, "Start!");
    ASSERT_GE(wait_for_control(window, "Import...", first_panel), 0);
    after = drawn_start_panel(window, "start_panel_after_presenting");
    press(window, "Exit");
  });
  EXPECT_TRUE(before == after) << "the start panel looks different after a presentation";
  const std::size_t width = static_cast<std::size_t>(kt::native_width(window));
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool edge = i % width == width - 1 || i + width >= after.size();
    ASSERT_TRUE(!edge || after[i] == 0xFFFFFF) << "a dark edge at (" << i % width << ", " << i / width << ")";
  }
}

}  // namespace
}  // namespace veltrim::testing

// The preferences panel as a user works it: every setting reaches the file
// through Back and only through Back, bad numbers keep their fields, the font
// size stays within its range, and a save that fails is said.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "app/events/event_codes.h"
#include "app/panels/prefs_panel.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

class PrefsPanelTest : public PanelTest {
 protected:
  std::filesystem::path prefs_file() const { return home / "config" / "Veltrim" / "Veltrim.preferences"; }
};

TEST_F(PrefsPanelTest, EverySettingReachesTheFileThroughBack) {
  PreferencesPanel panel(window, preferences, events, platform, current);
  const PrefsControls& c = panel.controls();
  EXPECT_EQ(std::tuple(korvid::gettextboxcontents(c.advance_box), korvid::gettextboxcontents(c.back_box),
                       korvid::checkboxischecked(c.fixed_total), korvid::radiobuttonischecked(c.spread),
                       korvid::getlistboxselection(c.font_list)),
            std::tuple("30", "15", 1, 1, -1));

  kt::click_control(window, c.next_segment);
  korvid::settextboxcontents(c.advance_box, "45");
  korvid::settextboxcontents(c.back_box, " 20");
  EXPECT_FALSE(panel.act(select(c.font_list, 3)));
  EXPECT_EQ(preferences.font_face, reading_font::sans_serif_bold);  // at once, for the preview
  EXPECT_FALSE(panel.act(click(c.larger)));
  EXPECT_EQ(preferences.font_size, 26);
  EXPECT_FALSE(std::filesystem::exists(prefs_file())) << "written before Back";

  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_TRUE(kt::shown_dialogs().empty()) << kt::last_dialog().text;
  EXPECT_EQ(read_text(prefs_file()),
            "Advance Seconds =       45\r\nHold Seconds =       20\r\nTime Mode =        2\r\n"
            "Font Face =        4\r\nFont Size =       26\r\nWords Per Minute =      130\r\n"
            "Start Full Screen =        0\r\nDark Reading View =        0\r\nMirrored Reading View =        0\r\n");
}

TEST_F(PrefsPanelTest, BadNumbersKeepTheirFieldsAndAnOpenTotalWritesModeZero) {
  preferences.time_mode = static_cast<std::int32_t>(TimeMode::next_segment);
  preferences.advance_seconds = 123456;  // too wide to show: stars, which read back as nothing
  PreferencesPanel panel(window, preferences, events, platform, current);
  const PrefsControls& c = panel.controls();
  EXPECT_EQ(korvid::radiobuttonischecked(c.next_segment), 1);
  EXPECT_EQ(korvid::gettextboxcontents(c.advance_box), "*****");

  EXPECT_FALSE(panel.act(click(c.fixed_total)));
  EXPECT_FALSE(kt::control_enabled(window, c.spread) || kt::control_enabled(window, c.next_segment));
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_EQ(std::tuple(preferences.advance_seconds, preferences.hold_seconds, preferences.time_mode),
            std::tuple(123456, 15, 0));
  EXPECT_NE(read_text(prefs_file()).find("Time Mode =        0\r\n"), std::string::npos);

  for (const char* text : {"", "abc", "12abc", "-1"}) {
    korvid::settextboxcontents(c.back_box, text);
    EXPECT_EQ(get_integer_textbox(c.back_box, 7), 7) << text;
  }
  korvid::settextboxcontents(c.back_box, "  42");
  EXPECT_EQ(get_integer_textbox(c.back_box, 7), 42);
}

TEST_F(PrefsPanelTest, SecondsThatCannotBeUsedAreSaidAndStayInTheirBox) {
  PreferencesPanel panel(window, preferences, events, platform, current);
  const PrefsControls& c = panel.controls();
  const std::tuple<int, std::string, std::string> refused[] = {
      {c.advance_box, "abc", "'abc' is not a number of seconds for Advance (s)."},
      {c.back_box, "-5", "'-5' is not a number of seconds for Back (s)."},
      {c.back_box, "100000", "'100000' is not a number of seconds for Back (s)."}};
  for (const auto& [box, typed, said] : refused) {
    korvid::settextboxcontents(box, typed);
    kt::press_ok();
    EXPECT_FALSE(panel.act(click(c.back))) << typed;
    EXPECT_EQ(kt::last_dialog().text, said + " Write a whole number from 0 to 99999.");
    EXPECT_EQ(korvid::gettextboxcontents(box), typed);
    korvid::settextboxcontents(box, "99999");
  }
  EXPECT_FALSE(std::filesystem::exists(prefs_file()));
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_EQ(std::tuple(preferences.advance_seconds, preferences.hold_seconds), std::tuple(99999, 99999));
}

TEST_F(PrefsPanelTest, AFileWrittenByHandShowsTheModeThatRunsAndSizesStepFromTheirEdge) {
  write_text(home / "by hand", "Time Mode = 7\r\nFont Size = 2147483647\r\n");
  preferences = load_preferences(home / "by hand");
  PreferencesPanel panel(window, preferences, events, platform, current);
  const PrefsControls& c = panel.controls();
  EXPECT_EQ(korvid::checkboxischecked(c.fixed_total), 1);
  EXPECT_EQ(korvid::radiobuttonischecked(c.next_segment), 1);
  EXPECT_FALSE(panel.act(click(c.larger)));
  EXPECT_EQ(preferences.font_size, largest_font_size);
  preferences.font_size = std::numeric_limits<std::int32_t>::min();
  EXPECT_FALSE(panel.act(click(c.smaller)));
  EXPECT_EQ(preferences.font_size, smallest_font_size);
}

TEST_F(PrefsPanelTest, FontSizeStaysInRangeAndOtherWaysOutWriteNothing) {
  PreferencesPanel panel(window, preferences, events, platform, current);
  const PrefsControls& c = panel.controls();
  // Each step is 2; the last one stops at the edge of the range.
  const std::tuple<int, int, int> steps[] = {{127, c.larger, 128}, {128, c.larger, 128}, {9, c.smaller, 8},
                                             {8, c.smaller, 8}};
  for (const auto& [from, button, to] : steps) {
    preferences.font_size = from;
    EXPECT_FALSE(panel.act(click(button)));
    EXPECT_EQ(preferences.font_size, to) << from;
  }

  EXPECT_FALSE(panel.act(event::click));
  EXPECT_TRUE(panel.act(event::edit));
  EXPECT_EQ(preferences.font_size, 8) << "kept in memory";
  EXPECT_FALSE(std::filesystem::exists(prefs_file()));
}

TEST_F(PrefsPanelTest, AFailedSaveIsSaidAndTheControlsGoWithThePanel) {
  const std::filesystem::path folder = prefs_file().parent_path();
  std::filesystem::create_directories(folder);
  PrefsControls c;
  {
    PreferencesPanel panel(window, preferences, events, platform, current);
    c = panel.controls();
    korvid::settextboxcontents(c.advance_box, "50");
    kt::press_ok();
    with_unwritable_folder(folder, [&] { EXPECT_TRUE(panel.act(click(c.back))); });
  }
  const kt::ShownDialog shown = kt::last_dialog();
  EXPECT_EQ(shown.icon, kt::DialogIcon::error);
  EXPECT_EQ(shown.text.rfind("Could not save the preferences: ", 0), 0u) << shown.text;
  EXPECT_GT(shown.text.size(), std::string_view("Could not save the preferences: ").size());
  EXPECT_EQ(preferences.advance_seconds, 50);
  EXPECT_FALSE(std::filesystem::exists(prefs_file()));
  for (const int id : {c.back, c.fixed_total, c.spread, c.next_segment, c.advance_box, c.back_box, c.font_list,
                       c.larger, c.smaller}) {
    EXPECT_FALSE(kt::control_visible(window, id)) << id;
  }
}

TEST_F(PrefsPanelTest, ThePresentingCheckBoxesReachTheFileAndCrowdNothing) {
  preferences.view.dark_view = true;
  PreferencesPanel panel(window, preferences, events, platform, current);
  const View_option_boxes& boxes = panel.controls().view_options;
  EXPECT_EQ(korvid::checkboxischecked(boxes.dark_view), 1);
  // Beside the logo, above the first heading, within the window.
  for (const int id : {boxes.start_full_screen, boxes.dark_view, boxes.mirrored_view}) {
    const auto place = kt::control_geometry(window, id);
    ASSERT_TRUE(place);
    EXPECT_GT(place->x, 315);
    EXPECT_LE(place->x + place->width, 800);
    EXPECT_LT(place->y + place->height, 600 / 4);
  }
  kt::click_control(window, boxes.start_full_screen);
  kt::click_control(window, boxes.dark_view);
  kt::click_control(window, boxes.mirrored_view);
  EXPECT_TRUE(panel.act(click(panel.controls().back)));
  EXPECT_EQ(preferences.view, (View_preferences{true, false, true}));
  EXPECT_NE(read_text(prefs_file()).find("Start Full Screen =        1\r\nDark Reading View =        0\r\n"
                                         "Mirrored Reading View =        1\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace veltrim::testing

// The editor on an offscreen window: editing and switching segments, adding and
// deleting, nothing typed lost, saving, the close box and the wait loop.
#include <gtest/gtest.h>

#include "app/panels/editor_panel.h"
#include "app/events/event_codes.h"
#include "app/events/program_keys.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_keys.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

constexpr std::string_view two_segments =
    "# Welcome - 1:30\r\n\r\nHello, world\r\n# Questions - 5:00\r\n\r\nAny questions?\r\n";

std::string box(int id) { return korvid::gettextboxcontents(id); }
void type(int id, std::string_view text) { korvid::settextboxcontents(id, text); }

std::vector<std::string> listed(int dropdown) {
  std::vector<std::string> titles;
  for (int i = 0; i < korvid::getdropdownlistlength(dropdown); ++i) {
    titles.push_back(korvid::getdropdownlisttext(dropdown, i));
  }
  return titles;
}

using EditorTest = PanelTest;

TEST_F(EditorTest, EditsOfALoadedScriptReachTheFileByteForByte) {
  Script script = load(two_segments);
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  EXPECT_EQ(box(c.name_box), "Welcome");
  EXPECT_EQ(box(c.length_box), "    1:30");
  EXPECT_EQ(box(c.body_box), "Hello, world\r\n\r\n");  // as its lines write it
  grab("editor_panel");  // for a person to look at: the symbols on the formatting buttons

  type(c.name_box, "Greeting");
  type(c.length_box, "2m 30s");
  type(c.body_box, "Good morning,\r\nälle Freunde\r\n");
  EXPECT_FALSE(panel.act(choose(c.segment_list, 1)));
  EXPECT_EQ(box(c.name_box), "Questions");
  EXPECT_EQ(listed(c.segment_list), (std::vector<std::string>{"Greeting", "Questions"}));
  EXPECT_TRUE(script.changed());
  EXPECT_FALSE(panel.act(choose(c.segment_list, 0)));
  EXPECT_EQ(box(c.length_box), "    2:30");

  EXPECT_FALSE(panel.act(click(c.save)));
  EXPECT_TRUE(kt::shown_dialogs().empty()) << kt::last_dialog().text;
  EXPECT_FALSE(script.changed());
  EXPECT_EQ(read_text(talk),
            "# Greeting - 2:30\r\n\r\nGood morning,\r\nälle Freunde\r\n# Questions - 5:00\r\n\r\nAny questions?\r\n");
}

TEST_F(EditorTest, ThereIsAlwaysASegmentOnShow) {
  Script script;
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  EXPECT_EQ(box(c.name_box), "Segment #1");
  EXPECT_EQ(box(c.length_box), "    1:00");
  EXPECT_FALSE(script.changed()) << "opening the editor is no change of the user's";

  type(c.body_box, "first\r\n");
  EXPECT_FALSE(panel.act(click(c.add)));
  EXPECT_FALSE(panel.act(click(c.add)));
  EXPECT_EQ(script.segment(1).content(), "first\r\n") << "Add dropped what was typed";
  EXPECT_EQ(listed(c.segment_list), (std::vector<std::string>{"Segment #1", "Segment #2", "Segment #3"}));
  // Deleting the last segment on show moves to the one before it.
  EXPECT_FALSE(panel.act(click(c.delete_button)));
  EXPECT_EQ(panel.current(), 2);
  EXPECT_EQ(korvid::getdropdownlistselection(c.segment_list), 1);
  EXPECT_FALSE(panel.act(click(c.delete_button)));
  EXPECT_EQ(box(c.body_box), "first\r\n");
  // Deleting the only segment puts a fresh first segment in its place.
  EXPECT_FALSE(panel.act(click(c.delete_button)));
  EXPECT_EQ(listed(c.segment_list), (std::vector<std::string>{"Segment #1"}));
  EXPECT_EQ(box(c.body_box), "\r\n");
  EXPECT_TRUE(script.changed());
}

TEST_F(EditorTest, AnIncompleteSegmentKeepsTheEditorOnItAndLosesNothing) {
  Script script = load(two_segments);
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  type(c.name_box, "Renamed");
  type(c.body_box, "");
  for (const int button : {c.add, c.save, c.organize, c.back}) {
    kt::press_ok();
    EXPECT_FALSE(panel.act(click(button)));
  }
  kt::press_ok();
  EXPECT_FALSE(panel.act(choose(c.segment_list, 1)));
  ASSERT_EQ(kt::shown_dialogs().size(), 5u);
  EXPECT_EQ(kt::last_dialog().text, incomplete_fields_message);
  EXPECT_EQ(kt::last_dialog().icon, kt::DialogIcon::error);
  EXPECT_EQ(korvid::getdropdownlistselection(c.segment_list), 0);
  EXPECT_EQ(box(c.name_box), "Renamed") << "the name typed was thrown away";
  EXPECT_EQ(script.segment(1).title(), "Welcome") << "half the edit was applied";
  EXPECT_EQ(script.script_number_segments(), 2);
  EXPECT_EQ(read_text(talk), two_segments);

  type(c.body_box, "Hi\r\n");
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_EQ(script.segment(1).lines().front().text, "# Renamed");

  // An untitled segment nobody touched may keep its empty name box.
  Script untitled = load("loose notes\r\n");
  untitled.script_add_new_segment();
  EditorPanel second(window, untitled, events, preferences, platform);
  EXPECT_FALSE(second.act(choose(second.controls().segment_list, 1)));
  EXPECT_EQ(second.current(), 2);
}

TEST_F(EditorTest, SaveOnAnUntitledScriptAsksForAName) {
  Script script;
  EditorPanel panel(window, script, events, preferences, platform);
  type(panel.controls().body_box, "Body\r\n");
  kt::cancel_dialog();
  EXPECT_FALSE(panel.act(click(panel.controls().save)));
  EXPECT_EQ(kt::last_dialog().title, "Save as veltrim script");
  EXPECT_EQ(kt::last_dialog().selected_filter, "Veltrim Script (*.gmi)");
  EXPECT_TRUE(std::filesystem::is_empty(scripts));
  EXPECT_TRUE(script.changed());

  kt::type_and_accept(talk.string());
  EXPECT_FALSE(panel.act(click(panel.controls().save)));
  EXPECT_EQ(script.filename(), talk.string());
  EXPECT_EQ(read_text(talk), "# Segment #1 - 1:00\r\n\r\nBody\r\n");
  EXPECT_FALSE(script.changed());
}

TEST_F(EditorTest, TheCloseBoxAsksFirstAndNoKeepsEverything) {
  Script script = load(two_segments);
  EditorPanel panel(window, script, events, preferences, platform);
  type(panel.controls().body_box, "Typed just now\r\n");
  kt::press_no();
  EXPECT_FALSE(panel.act(close_box()));
  EXPECT_EQ(kt::last_dialog().text, "Discard the unsaved changes to talk.gmi?");
  EXPECT_TRUE(kt::window_visible(window));
  EXPECT_EQ(script.segment(1).content(), "Typed just now\r\n") << "the close box lost what was typed";

  // Boxes that cannot be stored are unsaved work too.
  Script clean = load(two_segments);
  EditorPanel second(window, clean, events, preferences, platform);
  type(second.controls().name_box, "");
  kt::forget_dialogs();
  kt::press_no();
  EXPECT_FALSE(second.act(close_box()));
  EXPECT_EQ(kt::last_dialog().kind, kt::DialogKind::yes_no);
}

TEST_F(EditorTest, TheWaitEndsOnOrganizeOrBackAndTakesTheControlsAway) {
  Script script = load(two_segments);
  for (const int code : {event::organize, event::exit}) {
    events.set_event(code);
    EXPECT_EQ(handle_editor_panel(window, script, events, preferences, platform), code);
  }
  for (int id = 0; id < 34; ++id) EXPECT_FALSE(kt::control_visible(window, id)) << "control " << id;
}

TEST_F(EditorTest, KeysTypeIntoTheBoxesAndCtrlSSaves) {
  namespace key = korvid::key;
  korvid::registerkeyhandler([this](const korvid::KeyPress& press) { return offer_key(events, press); });
  Script script = load(two_segments);
  {
    EditorPanel panel(window, script, events, preferences, platform);
    const int body = panel.controls().body_box;
    korvid::settextboxcontents(body, "");
    kt::focus_control(window, body);
    for (const int code : {int{'B'}, int{'.'}, key::space, int{'A'}, int{'+'}, int{'-'}}) kt::press_key(window, code);
    kt::press_key(window, key::extended(key::page_down));
    EXPECT_EQ(box(body), "b. a+-");
    kt::press_key(window, 'S', key::ctrl);  // types nothing, so it acts in a box too
    EXPECT_EQ(events.get_event(), event::key);
    EXPECT_EQ(key_action(events.get_key_event()), Key_action::save);
    EXPECT_EQ(events.get_event(), event::none);
  }
  std::filesystem::remove(talk);
  kt::press_key(window, 'S', key::ctrl);
  events.set_event(event::exit);
  EXPECT_EQ(handle_editor_panel(window, script, events, preferences, platform), event::exit);
  EXPECT_EQ(read_text(talk), two_segments);
}

}  // namespace
}  // namespace veltrim::testing

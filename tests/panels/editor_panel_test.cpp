// The editor on an offscreen window: editing and switching segments, adding and
// deleting, nothing typed lost, saving, the close box and the wait loop.
#include <gtest/gtest.h>

#include <tuple>

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
  EXPECT_EQ(std::tuple(box(c.name_box), box(c.length_box), box(c.body_box)),
            std::tuple("Welcome", "    1:30", "Hello, world\r\n\r\n"));  // the body as its lines write it

  type(c.name_box, "Greeting");
  type(c.length_box, "2m 30s");
  type(c.body_box, "Good morning,\r\nälle Freunde\r\n");
  EXPECT_FALSE(panel.act(choose(c.segment_list, 1)));
  EXPECT_EQ(std::tuple(box(c.name_box), listed(c.segment_list), script.changed()),
            std::tuple("Questions", std::vector<std::string>{"Greeting", "Questions"}, true));
  EXPECT_FALSE(panel.act(choose(c.segment_list, 0)));
  EXPECT_EQ(box(c.length_box), "    2:30");

  EXPECT_FALSE(panel.act(click(c.save)));
  EXPECT_FALSE(script.changed() || !kt::shown_dialogs().empty()) << kt::last_dialog().text;
  EXPECT_EQ(read_text(talk),
            "# Greeting - 2:30\r\n\r\nGood morning,\r\nälle Freunde\r\n# Questions - 5:00\r\n\r\nAny questions?\r\n");
}

TEST_F(EditorTest, ThereIsAlwaysASegmentOnShow) {
  Script script;
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  EXPECT_EQ(std::tuple(box(c.name_box), box(c.length_box)), std::tuple("Segment #1", "    1:00"));
  EXPECT_FALSE(script.changed()) << "opening the editor is no change of the user's";

  type(c.body_box, "first\r\n");
  EXPECT_FALSE(panel.act(click(c.add)));
  EXPECT_FALSE(panel.act(click(c.add)));
  EXPECT_EQ(script.segment(1).content(), "first\r\n") << "Add dropped what was typed";
  EXPECT_EQ(listed(c.segment_list), (std::vector<std::string>{"Segment #1", "Segment #2", "Segment #3"}));
  // Deleting the last segment on show moves to the one before it.
  for (int i = 0; i < 3; ++i) kt::press_yes();  // each Delete asks first
  EXPECT_FALSE(panel.act(click(c.delete_button)));
  EXPECT_EQ(std::tuple(panel.current(), korvid::getdropdownlistselection(c.segment_list)), std::tuple(2, 1));
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
  EXPECT_EQ(std::tuple(kt::last_dialog().text, kt::last_dialog().icon),
            std::tuple(std::string(incomplete_fields_message), kt::DialogIcon::error));
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

TEST_F(EditorTest, ALengthThatCannotBeReadIsSaidAndStaysInItsBox) {
  // On a segment of 0:00, a length that reads as nothing once looked unchanged.
  Script script = load("# Intro - 0:00\r\n\r\nHi\r\n");
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  for (const char* typed : {"abc", "90"}) {
    type(c.length_box, typed);
    kt::press_ok();
    EXPECT_FALSE(panel.act(click(c.back))) << typed;
    EXPECT_EQ(box(c.length_box), typed);
  }
  ASSERT_EQ(kt::shown_dialogs().size(), 2u);
  EXPECT_EQ(kt::shown_dialogs()[0].text, "'abc' is not a length. Write it as 2:30, 90 s or 5 min.");
  EXPECT_EQ(kt::last_dialog().text, "'90' is not a length. Write it as 2:30, 90 s or 5 min.");
  EXPECT_FALSE(script.changed());
  type(c.length_box, "90 s");
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_EQ(script.segment(1).time(), 90);
}

TEST_F(EditorTest, SaveOnAnUntitledScriptAsksForAName) {
  Script script;
  EditorPanel panel(window, script, events, preferences, platform);
  type(panel.controls().body_box, "Body\r\n");
  kt::cancel_dialog();
  EXPECT_FALSE(panel.act(click(panel.controls().save)));
  EXPECT_EQ(std::tuple(kt::last_dialog().title, kt::last_dialog().selected_filter),
            std::tuple("Save as veltrim script", "Veltrim Script (*.gmi)"));
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

TEST_F(EditorTest, BytesThatAreNotUtf8ShowAsReplacementCharactersAndStayUnlessEdited) {
  const std::string cafe = "# Intro - 1:00\r\n\r\nHello\r\n# Caf\xE9 - 2:00\r\n\r\nCaf\xE9 au lait\r\n";
  Script script = load(cafe);
  EditorPanel panel(window, script, events, preferences, platform);
  const EditorControls& c = panel.controls();
  EXPECT_EQ(listed(c.segment_list), (std::vector<std::string>{"Intro", "Caf\uFFFD"}));
  // Each switch fills every box: none keeps the text of the segment before.
  EXPECT_FALSE(panel.act(choose(c.segment_list, 1)));
  EXPECT_EQ(box(c.name_box), "Caf\uFFFD");
  const std::string shown_body = box(c.body_box);
  EXPECT_TRUE(shown_body.starts_with("Caf\uFFFD au lait\r\n")) << shown_body;
  EXPECT_FALSE(panel.act(choose(c.segment_list, 0)));
  EXPECT_FALSE(panel.act(click(c.save)));
  EXPECT_TRUE(kt::shown_dialogs().empty()) << kt::last_dialog().text;
  EXPECT_EQ(read_text(talk), cafe) << "a segment nobody edited lost its bytes";

  // An edited box is stored as it shows; the others keep their bytes.
  EXPECT_FALSE(panel.act(choose(c.segment_list, 1)));
  type(c.body_box, box(c.body_box) + "noir");
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_EQ(script.segment(2).title(), "Caf\xE9");
  EXPECT_EQ(script.segment(2).content(), shown_body + "noir");

  // A binary file that was given a script's name can be looked at and left.
  Script binary = load("\xFF\xFE\x89PNG\x1A\r\n\xC0");
  EditorPanel second(window, binary, events, preferences, platform);
  EXPECT_TRUE(second.act(click(second.controls().back)));
  EXPECT_TRUE(kt::shown_dialogs().empty()) << kt::last_dialog().text;
  EXPECT_FALSE(binary.changed());
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

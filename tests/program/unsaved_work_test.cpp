// Unsaved work and the questions that guard it, as a person meets them: Exit
// and Import... ask over the start panel with its buttons in sight, and the
// close box asks during a presentation while the talk and its clock go on.
#include "app/script/script_file.h"
#include "tests/program/program_fixture.h"

namespace veltrim::testing {
namespace {

constexpr std::string_view discard_talk = "Discard the unsaved changes to talk.gmi?";

class UnsavedWorkTest : public ProgramTest {
 protected:
  // The current script is talk.gmi with an edit not yet saved.
  void SetUp() override {
    ProgramTest::SetUp();
    talk = write_script("talk.gmi", "# One - 2:00\nfirst\n# Two - 1:00\nsecond\n");
    Load_status status;
    script = load_script(talk.string(), status);
    ASSERT_TRUE(status.ok());
    script.mark_changed();
  }
  fs::path talk;
};

TEST_F(UnsavedWorkTest, ImportAndExitAskOverTheStartPanel) {
  std::multiset<std::string> behind_the_question;
  run_with_user([&] {
    ASSERT_GE(wait_for_control(window, "Start!"), 0);
    press(window, "Import...");
    kt::wait_for_dialog();
    behind_the_question = visible_control_texts(window);
    kt::press_no();  // Import... keeps the script, and so does the first Exit
    kt::press_no();
    kt::press_yes();
    press(window, "Exit");
    press(window, "Exit");
  });
  EXPECT_EQ(behind_the_question, start_panel_buttons);
  std::vector<std::string> asked;
  for (const kt::ShownDialog& shown : kt::shown_dialogs()) asked.push_back(shown.text);
  EXPECT_EQ(asked, std::vector<std::string>(3, std::string(discard_talk)));
  EXPECT_EQ(script.filename(), talk.string());
}

TEST_F(UnsavedWorkTest, TheCloseBoxAsksWhileThePresentationGoesOn) {
  std::string title_after_no;
  clock.at(5s, [&] {
    kt::request_close(window);
    kt::flush_window_thread();
  });
  clock.at(25100ms, [&] {
    title_after_no = kt::window_title(window);
    events.set_event(event::exit);
  });
  kt::ShownDialog asked;
  std::multiset<std::string> behind_the_question;
  run_with_user([&] {
    const int first_panel = wait_for_control(window, "Start!");
    ASSERT_GE(first_panel, 0);
    press(window, "Start!");
    asked = kt::wait_for_dialog();
    behind_the_question = visible_control_texts(window);
    clock.advance(20s);  // the question stays open while the user thinks
    kt::press_no();
    // 25 seconds make a rehearsal, whose report comes first.
    ASSERT_GE(wait_for_control(window, "Use as Plan", first_panel), 0);
    press(window, "Back");
    ASSERT_GE(wait_for_control(window, "Import...", first_panel), 0);
    kt::press_yes();
    press(window, "Exit");
  });
  EXPECT_EQ(asked.text, discard_talk);
  EXPECT_TRUE(behind_the_question.contains("+15s") && !behind_the_question.contains("New"))
      << "the presentation ended before the question";
  // The talk went on behind the question: its 20 seconds count.
  EXPECT_EQ(title_after_no, "Veltrim - 0:25 elapsed");
}

}  // namespace
}  // namespace veltrim::testing

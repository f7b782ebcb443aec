// Message, yes/no and input-request boxes, answered by the test.
#include <thread>

#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "test_files.h"

namespace {

namespace kt = korvid::testing;
using kt::DialogIcon;
using MessageBoxes = dialogs_test::DialogsTest;

TEST_F(MessageBoxes, EachKindShowsItsTitleIconAndText) {
  for (const auto& [kind, title, icon] : {std::tuple{1, "Information", DialogIcon::information},
                                          {2, "Warning", DialogIcon::warning},
                                          {3, "Error", DialogIcon::error},
                                          {0, "Message", DialogIcon::none},
                                          {42, "Message", DialogIcon::none}}) {
    kt::press_ok();
    korvid::dlgmessage(kind, "Grüße\nline two");
    const kt::ShownDialog shown = kt::last_dialog();
    EXPECT_EQ(shown.title, title);
    EXPECT_EQ(shown.icon, icon) << kind;
    EXPECT_EQ(shown.text, "Grüße\nline two");
    EXPECT_TRUE(shown.owned);
  }
}

TEST_F(MessageBoxes, YesNoGivesThePressedButtonAndMissingTextShowsNothing) {
  kt::press_yes();
  korvid::dlgmessage(1, "");
  EXPECT_EQ(korvid::dlgyesno(2, ""), 0);
  EXPECT_TRUE(kt::shown_dialogs().empty());
  EXPECT_EQ(korvid::dlgyesno(2, "Replace?"), 1);  // the answer was still waiting
  kt::press_no();
  EXPECT_EQ(korvid::dlgyesno(2, "Replace?"), 0);
  kt::cancel_dialog();  // the close box
  EXPECT_EQ(korvid::dlgyesno(2, "Replace?"), 0);
  korvid::closewindow();
  kt::press_ok();
  korvid::dlgmessage(1, "Alone");
  EXPECT_EQ(kt::last_dialog().text, "Alone");
  EXPECT_FALSE(kt::last_dialog().owned);
}

// The box really opens here: the window thread keeps serving other threads
// while it waits for a user.
TEST_F(MessageBoxes, WindowThreadKeepsWorkingWhileABoxIsOpen) {
  std::string seen_title, title_meanwhile;
  std::thread user([&] {
    seen_title = kt::wait_for_dialog().title;
    korvid::setwindowtitle("Changed meanwhile");
    title_meanwhile = kt::window_title(window);
    kt::press_yes();
  });
  EXPECT_EQ(korvid::dlgyesno(1, "Still there?"), 1);
  user.join();
  EXPECT_EQ(seen_title, "Information");
  EXPECT_EQ(title_meanwhile, "Changed meanwhile");
}

TEST_F(MessageBoxes, RequestsGiveTheLineOrEntry) {
  std::string text = "start";
  kt::type_and_accept("typed ✓");
  EXPECT_EQ(korvid::dlgrequesttext("Your name?", text), 1);
  EXPECT_EQ(text, "typed ✓");
  EXPECT_EQ(kt::last_dialog().suggested, "start");
  kt::cancel_dialog();
  EXPECT_EQ(korvid::dlgrequestpassword("Password?", text), 0);
  EXPECT_EQ(text, "typed ✓");
  kt::choose_entry(2);
  EXPECT_EQ(korvid::dlgrequestselection("Pick one", {"a", "b", "c"}), 2);
}

}  // namespace

// Message and yes/no boxes, answered by the test, and the clipboard.
#include <thread>
#include <tuple>

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
    EXPECT_EQ(std::tuple(shown.title, shown.icon, shown.text, shown.owned),
              std::tuple(title, icon, "Grüße\nline two", true)) << kind;
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

// An empty clipboard reads as nothing. Text beyond ASCII, line ends and an
// empty copy leaving the clipboard alone are shown through the editor's
// buttons (CutCopyAndPasteCarryTextBeyondAsciiAndMarkupStartsTheCaretsLine).
TEST(Clipboard, AnEmptyClipboardReadsAsNothing) {
  ASSERT_GE(korvid::initwindow(120, 80, "Clipboard"), 0);
  std::string text = "left untouched";
  EXPECT_EQ(korvid::getclipboardtextlength(), 0);
  EXPECT_EQ(korvid::getfromclipboard(text, 100), 0);
  EXPECT_EQ(text, "");
}

}  // namespace

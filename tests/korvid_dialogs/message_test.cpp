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

// Clipboard text: UTF-8 and line ends survive; reads respect the caller's capacity.
TEST(Clipboard, KeepsUtf8TextAndHonoursCapacity) {
  ASSERT_GE(korvid::initwindow(120, 80, "Clipboard"), 0);
  std::string text = "left untouched";
  EXPECT_EQ(korvid::getclipboardtextlength(), 0);
  EXPECT_EQ(korvid::getfromclipboard(text, 100), 0);
  EXPECT_EQ(text, "");

  const std::string sent = "Grüße\r\nzweite Zeile – ✓\r\n";
  korvid::sendtoclipboard(sent);
  korvid::sendtoclipboard("");  // leaves the clipboard alone
  const int length = korvid::getclipboardtextlength();
  EXPECT_EQ(length, static_cast<int>(sent.size()));
  EXPECT_EQ(korvid::getfromclipboard(text, length + 1), length);
  EXPECT_EQ(text, sent);

  korvid::sendtoclipboard("abcdefgh");
  EXPECT_EQ(korvid::getfromclipboard(text, 5), 4);
  EXPECT_EQ(text, "abcd");
  EXPECT_EQ(korvid::getfromclipboard(text, 1), 0);
  korvid::sendtoclipboard("aé");
  EXPECT_EQ(korvid::getfromclipboard(text, 3), 1);  // half an "é" is left out
  EXPECT_EQ(text, "a");
}

}  // namespace

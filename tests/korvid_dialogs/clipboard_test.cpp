// Clipboard text: UTF-8 and line ends survive; reads respect the caller's capacity.
#include <gtest/gtest.h>

#include "korvid/korvid.h"

namespace {

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

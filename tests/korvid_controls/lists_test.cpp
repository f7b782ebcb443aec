#include "controls_fixture.h"

namespace controls_test {
namespace {

namespace kt = korvid::testing;

using Lists = ControlsTest;

TEST_F(Lists, EntriesInsertRemoveAndSelectByPosition) {
  const int list = korvid::createlistbox(10, 10, 200, 150);
  EXPECT_EQ(korvid::insertlistboxentry(list, -1, "b"), 0);
  EXPECT_EQ(korvid::insertlistboxentry(list, -1, "d"), 1);
  EXPECT_EQ(korvid::insertlistboxentry(list, 0, "a"), 0);
  EXPECT_EQ(korvid::insertlistboxentry(list, 2, "c"), 2);
  EXPECT_EQ(korvid::insertlistboxentry(list, 9, "far"), -1);
  EXPECT_EQ(korvid::insertlistboxentry(list, -1, ""), 4);  // an untitled entry keeps its place
  EXPECT_EQ(korvid::getlistboxlength(list), 5);
  EXPECT_EQ(korvid::getlistboxtext(list, 2), "c");
  EXPECT_EQ(korvid::getlistboxtext(list, 5), "");

  EXPECT_EQ(korvid::getlistboxselection(list), -1);
  korvid::setlistboxselection(list, 3);
  EXPECT_EQ(korvid::getlistboxselection(list), 3);
  EXPECT_EQ(kt::control_text(window, list), "d");
  korvid::setlistboxselection(list, -1);
  EXPECT_EQ(korvid::getlistboxselection(list), -1);

  korvid::removelistboxentry(list, 0);
  korvid::removelistboxentry(list, 7);
  EXPECT_EQ(korvid::getlistboxlength(list), 4);
  EXPECT_EQ(korvid::getlistboxtext(list, 0), "b");
  korvid::clearlistboxentries(list);
  EXPECT_EQ(korvid::getlistboxlength(list), 0);
}

TEST_F(Lists, OnlyTheUsersSelectionRunsTheListCallback) {
  Recorder changed;
  const int list = korvid::createlistbox(10, 10, 200, 150, changed.callback());
  for (const char* entry : {"one", "two", "three"}) korvid::insertlistboxentry(list, -1, entry);
  korvid::setlistboxselection(list, 0);
  korvid::removelistboxentry(list, 0);  // takes the selected entry with it
  korvid::insertlistboxentry(list, 0, "zero");
  korvid::setlistboxselection(list, -1);
  settle();
  EXPECT_EQ(changed.calls(), 0);

  kt::select_list_entry(window, list, 2);
  settle();
  EXPECT_EQ(korvid::getlistboxselection(list), 2);
  ASSERT_EQ(changed.calls(), 1);
  EXPECT_NE(changed.threads()[0], kt::window_thread_id());
}

TEST_F(Lists, DropDownSelectsItsFirstEntryAndReportsTheUsersChoice) {
  Recorder changed;
  const int drop = korvid::createdropdownlist(10, 10, 200, 150, changed.callback());
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, -1, "Serif"), 0);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), 0);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, 0, "Sans"), 0);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, 5, "far"), -1);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, -1, "Mono"), 2);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), 1);  // still "Serif"
  EXPECT_EQ(korvid::getdropdownlisttext(drop, 1), "Serif");
  korvid::setdropdownlistselection(drop, -1);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  korvid::setdropdownlistselection(drop, 2);
  settle();
  EXPECT_EQ(changed.calls(), 0);

  kt::select_dropdown_entry(window, drop, 0);
  settle();
  EXPECT_EQ(korvid::getdropdownlistselection(drop), 0);
  EXPECT_EQ(kt::control_text(window, drop), "Sans");
  ASSERT_EQ(changed.calls(), 1);
  EXPECT_NE(changed.threads()[0], kt::window_thread_id());

  korvid::removedropdownlistentry(drop, 0);
  EXPECT_EQ(korvid::getdropdownlistlength(drop), 2);
  korvid::cleardropdownlistentries(drop);
  EXPECT_EQ(korvid::getdropdownlistlength(drop), 0);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  settle();
  EXPECT_EQ(changed.calls(), 1);

  korvid::removedropdownlist(drop);
  EXPECT_EQ(korvid::getdropdownlistlength(drop), -1);
}

}  // namespace
}  // namespace controls_test

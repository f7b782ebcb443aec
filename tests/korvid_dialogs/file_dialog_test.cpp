// Open and save dialogs: what they offer, what they give back, and how the
// save dialog protects the user's work; the extension it adds.
#include "korvid/internal/dialog_text.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "test_files.h"

namespace {

namespace kt = korvid::testing;

class FileDialogs : public dialogs_test::DialogsTest {
 protected:
  std::string name = folder.path + "/";  // a folder: the dialog starts there, suggesting no name
};

TEST_F(FileDialogs, OpenGivesTheChosenPathAndShowsTheCallersChoices) {
  kt::press_ok();  // with no name suggested nothing is chosen
  EXPECT_EQ(korvid::dlgopenfile(name), 0);
  EXPECT_EQ(kt::last_dialog().title, "Open File");
  name = folder.file("talk.gmi");
  kt::type_and_accept("other.gmi");
  EXPECT_EQ(korvid::dlgopenfile(name, "Veltrim Script", "*.gmi", "Select a script"), 1);
  EXPECT_EQ(name, folder.file("other.gmi"));
  const kt::ShownDialog shown = kt::last_dialog();
  EXPECT_EQ(shown.title, "Select a script");
  EXPECT_EQ(shown.filters, (std::vector<std::string>{"Veltrim Script (*.gmi)", "All Files (*)"}));
  EXPECT_EQ(shown.selected_filter, "Veltrim Script (*.gmi)");
  EXPECT_EQ(shown.folder, folder.path);
  EXPECT_EQ(shown.suggested, "talk.gmi");
  EXPECT_TRUE(shown.owned);
  kt::cancel_dialog();
  EXPECT_EQ(korvid::dlgopenfile(name, "", "*.md"), 0);
  EXPECT_EQ(name, folder.file("other.gmi"));
}

TEST_F(FileDialogs, SaveAddsTheFiltersExtensionAndAsksBeforeReplacing) {
  for (const auto& [typed, pattern, saved] : {std::tuple{"talk", "*.gmi", "talk.gmi"},
                                              {"notes.txt", "*.gmi", "notes.txt"},
                                              {"readme", "*.md;*.markdown", "readme"}}) {
    kt::type_and_accept(typed);
    EXPECT_EQ(korvid::dlgsavefile(name, "Any", pattern), 1);
    EXPECT_EQ(name, folder.file(saved));
  }
  EXPECT_EQ(kt::last_dialog().title, "Save File");

  dialogs_test::write_bytes(folder.file("talk.gmi"), "# Old - 1:00\r\n");
  kt::forget_dialogs();
  kt::type_and_accept("talk");
  kt::press_no();  // back to the dialog, which suggests the name given
  kt::type_and_accept("fresh");
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 1);
  EXPECT_EQ(name, folder.file("fresh.gmi"));
  const auto shown = kt::shown_dialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].title, "Warning");
  EXPECT_EQ(shown[1].text, "talk.gmi already exists.\nDo you want to replace it?");
  EXPECT_EQ(shown[2].suggested, "talk.gmi");
  kt::type_and_accept("talk.gmi");
  kt::press_yes();
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 1);
  EXPECT_EQ(name, folder.file("talk.gmi"));
  kt::cancel_dialog();
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 0);
}

TEST(DefaultExtension, OnlyASingleExtensionGoesToANameWithoutOne) {
  using namespace korvid::detail;
  EXPECT_EQ(single_extension(" *.md "), "md");
  for (const char* none : {"*.*", "*.g?i", "talk.gmi", ""}) EXPECT_EQ(single_extension(none), "") << none;
  // A dot in a folder's name, or the one that starts a hidden file's, is no extension.
  EXPECT_EQ(with_default_extension("/home/ada.v2/talk", "gmi"), "/home/ada.v2/talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/.talk", "gmi"), "/home/ada/.talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/", "gmi"), "/home/ada/");
}

}  // namespace

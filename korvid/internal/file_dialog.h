// The open and save dialogs behind `dlgopenfile`, `dlgsavefile` and an image
// read without a file name.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvid::detail {

struct FileRequest {
  bool save = false;
  bool must_exist = false;           // the chosen file has to be there already
  std::string initial;               // a suggested name, or a folder to start in (ending in "/")
  std::vector<std::string> filters;  // name filters, the first one selected
  std::string title;
  std::string extension;  // save: given to a name chosen without one
};

// Shows the dialog on the window thread and waits for it. The full path
// chosen, or nothing when the user cancelled or no dialog could be shown.
// Saving asks before replacing an existing file; No returns to the dialog.
std::optional<std::string> choose_file(const FileRequest& request);

}  // namespace korvid::detail

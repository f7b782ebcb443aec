// How Korvid runs a modal dialog: on the window thread, owned by the current
// window, recorded as it opens, and answerable by a test instead of a user.
#pragma once

#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace korvid::detail {

enum class DialogKind {
  message,
  yes_no,
  open_file,
  save_file,
  request_text,
  request_password,
  request_selection
};
enum class DialogIcon { none, information, warning, error };

// What a dialog showed as it opened.
struct ShownDialog {
  DialogKind kind = DialogKind::message;
  std::string title;
  std::string text;  // the message, or a request's prompt
  DialogIcon icon = DialogIcon::none;
  bool owned = false;                // the current window owns it
  std::vector<std::string> filters;  // file dialogs: name filters, first to last
  std::string selected_filter;
  std::string folder;                // file dialogs: the folder it opens in
  std::string suggested;             // the file name or text it starts with
  std::vector<std::string> entries;  // a selection's entries
};

// An answer given by a test in place of a user.
enum class DialogAction { press_ok, press_yes, press_no, cancel, enter_text, choose_entry };
struct DialogAnswer {
  DialogAction action = DialogAction::cancel;
  std::string text;  // enter_text: a file name (relative to the dialog's folder) or a line
  int entry = -1;    // choose_entry
};

// Window thread: the widget that owns dialogs, the current window's, or null.
QWidget* dialog_owner();

// Window thread: records what `dialog` shows and runs it modally. The window
// thread keeps painting and serving other threads' calls meanwhile. When a test
// queued an answer the dialog is not shown at all and that answer comes back;
// a test's answer arriving while it is open closes it and comes back too. An
// empty result means the user answered and `dialog` holds what they chose.
std::optional<DialogAnswer> run_modal(QDialog& dialog, ShownDialog shown);

// Test side, any thread. Answers the innermost open dialog that has no answer
// yet, or else the next one to open.
void answer_dialog(DialogAnswer answer);
// Waits until a dialog is open and unanswered, and tells what it shows.
ShownDialog wait_for_open_dialog();
// The most recent dialogs (a few dozen at most), oldest first.
std::vector<ShownDialog> recent_dialogs();
// Drops the recorded dialogs and any answers not yet used.
void forget_dialogs();

}  // namespace korvid::detail

// Test hooks for dialogs: answer them in place of a user, from any thread, and
// look at what they showed.
//
// An answer goes to the innermost dialog that is open and still unanswered, or
// else to the next dialog that opens (which is then answered without being
// shown). Answers queue up in order, so a test can script several dialogs in a
// row before the call that shows them.
#pragma once

#include <string>
#include <vector>

#include "korvid/internal/modal.h"

namespace korvid::testing {

using detail::DialogIcon;
using detail::DialogKind;
using detail::ShownDialog;

// Presses OK (a file dialog's accept button with the name it suggests; a
// request's Ok), Yes or No. A button the dialog does not have closes it.
void press_ok();
void press_yes();
void press_no();
// Closes the dialog without choosing: Cancel, Escape or the close box.
void cancel_dialog();
// Types a file name (taken in the dialog's folder unless absolute) or a
// request's text, and accepts it.
void type_and_accept(std::string text);
// Picks an entry of a selection request by position and accepts it.
void choose_entry(int index);

// Waits until a dialog is open and unanswered, and tells what it shows.
ShownDialog wait_for_dialog();
// The dialogs shown so far (the latest few dozen), oldest first, and the
// latest one (all fields empty when there is none).
std::vector<ShownDialog> shown_dialogs();
ShownDialog last_dialog();
// Forgets shown dialogs and unused answers.
void forget_dialogs();

}  // namespace korvid::testing

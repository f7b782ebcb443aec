// Modal dialogs, clipboard text and image files.
//
// Every call here blocks the calling thread until the user has answered; the
// dialog itself runs on the window thread, which keeps painting meanwhile.
// Dialogs are owned by the current window when there is one. Texts are UTF-8.
#pragma once

#include <climits>
#include <string>
#include <string_view>
#include <vector>

namespace korvid {

// Message kinds: they choose the box's title and icon. Any other kind shows a
// plain "Message" box without an icon.
inline constexpr int message_plain = 0;
inline constexpr int message_information = 1;  // "Information"
inline constexpr int message_warning = 2;      // "Warning"
inline constexpr int message_error = 3;        // "Error"

// A box with `text` and an OK button. An empty text shows nothing.
void dlgmessage(int kind, std::string_view text);
// A box with Yes and No: 1 for Yes, 0 for No or for closing it. An empty text
// shows nothing and gives 0.
int dlgyesno(int kind, std::string_view text);

// File dialogs. `filename` is in and out: on entry, when not empty, it is the
// suggested name (a path ending in "/" names the folder to start in instead);
// when the user chose a file it receives the full path and the result is 1.
// Cancelling (or a dialog that cannot be shown) gives 0 and leaves `filename`
// as it was. `pattern` ("*.gmi", several separated by ';') is offered first,
// described by `description`, or, without one, by the pattern followed by
// "files"; "All Files" follows. The title defaults to "Open File" / "Save File".
//
// The save dialog gives a name typed without an extension the pattern's own
// one when the pattern names exactly one ("talk" is saved as "talk.gmi", so
// the open dialog's filter finds it again), and asks before replacing an
// existing file; answering No returns to the dialog.
int dlgopenfile(std::string& filename, std::string_view description = {},
                std::string_view pattern = {}, std::string_view title = {});
int dlgsavefile(std::string& filename, std::string_view description = {},
                std::string_view pattern = {}, std::string_view title = {});

// Small "Input Request" dialogs with Ok and Cancel. The text ones show `text`
// as the starting value and, on Ok, replace it with what the user typed and
// give 1; Cancel gives 0 and leaves it. The selection gives the chosen entry's
// position (from 0) or -1.
int dlgrequesttext(std::string_view prompt, std::string& text);
int dlgrequestpassword(std::string_view prompt, std::string& text);
int dlgrequestselection(std::string_view prompt, const std::vector<std::string>& entries);

// Clipboard text. Sending an empty text leaves the clipboard as it is.
void sendtoclipboard(std::string_view text);
// Length in bytes of the clipboard's text, 0 when it holds none.
int getclipboardtextlength();
// Reads at most `capacity` - 1 bytes of the clipboard's text into `text` (the
// last byte of the capacity is the terminator's, as it always was for callers
// sizing a buffer from getclipboardtextlength() + 1). A character is never cut
// in half. Returns the bytes read, 0 when there is no text.
int getfromclipboard(std::string& text, int capacity);

// Draws a BMP, PNG, JPEG or GIF file stretched into the rectangle from (left,
// top) to (right, bottom), both corners included, on the active page; the
// picture's top-left corner lands at (left, top) even when the corners are
// given the other way round. An empty name asks the user for a file first.
// Returns false, having drawn nothing, when the file is missing, unreadable,
// damaged, larger than 100 megapixels, or the user cancelled.
bool readimagefile(std::string_view filename = {}, int left = 0, int top = 0, int right = INT_MAX,
                   int bottom = INT_MAX);

}  // namespace korvid

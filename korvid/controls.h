// Native controls on the current window, addressed by integer identifiers.
//
// Identifiers are handed out in creation order across every kind of control:
// the first control of a window is 0, the next 1, and so on. An identifier is
// never reused; after removal it names nothing, and operations on it do nothing
// and report failure (-1, or 0 where the answer is a yes/no). An identifier
// works only with the operations of its own kind (buttons, check boxes and
// radio buttons are one kind). Any thread may call these.
//
// Callbacks of buttons, check boxes, radio buttons, list boxes, drop-down lists
// and a text box's Enter run on a new short-lived thread, so they must not
// assume anything about the caller's state; scroll-bar callbacks run on the
// window thread. Callbacks fire only for what the user does, never for changes
// the program makes.
//
// A control shows its text in the window's text font (settextstyle) as it was
// when the control was made; later text styles change only later controls.
//
// Text is UTF-8; a byte that is not part of well-formed UTF-8 is shown as
// U+FFFD, and a box reads it back as that. In a multi-line text box a line break
// reads back as CR LF and counts as two characters in positions; positions
// otherwise count UTF-16 units. A line separator in a box (Shift+Enter makes one)
// also reads back as CR LF.
// Lines are the lines between breaks (from 0), however the box wraps them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvid {

using ControlCallback = std::function<void()>;
// Receives the scroll bar's new position.
using ScrollCallback = std::function<void(int position)>;

// Creation: each returns the new identifier, or -1 when the control tables
// could not be reached.
int createbutton(int x, int y, int width, int height, std::string_view text,
                 ControlCallback callback = {});
int createcheckbox(int x, int y, int width, int height, std::string_view text,
                   ControlCallback callback = {});
int createradiobutton(int x, int y, int width, int height, std::string_view text,
                      ControlCallback callback = {});
// The next radio button starts a new group (the first one of a window always does).
void beginradiogroup();
int createtextbox(int x, int y, int width, int height);
int createmultilinetextbox(int x, int y, int width, int height, bool wrap = true);
int createlistbox(int x, int y, int width, int height, ControlCallback callback = {});
int createdropdownlist(int x, int y, int width, int height, ControlCallback callback = {});
// Range 0 to 100 and page 10 to begin with.
int createscrollbar(int x, int y, int width, int height, bool vertical, ScrollCallback callback = {});

// Buttons, check boxes and radio buttons.
void setbuttontext(int id, std::string_view text);
void setcheckboxtext(int id, std::string_view text);
void setradiobuttontext(int id, std::string_view text);
void enablebutton(int id, bool enable);
int checkboxischecked(int id);  // 1 or 0
void checkboxsetchecked(int id, bool checked);
int radiobuttonischecked(int id);
// Checking a radio button clears the others of its group.
void radiobuttonsetchecked(int id, bool checked);
void removebutton(int id);
void removecheckbox(int id);
void removeradiobutton(int id);

// Text boxes.
void settextboxcontents(int id, std::string_view text);
std::string gettextboxcontents(int id);  // empty when there is no such box
int gettextboxlength(int id);            // bytes of gettextboxcontents, or -1
// Replaces the selection (or inserts at the caret) as one undoable edit.
void inserttextboxtext(int id, std::string_view text);
void deletetextboxselection(int id);
std::string gettextboxselection(int id);
// Bytes of the selection plus 2 (an empty selection gives 2), or -1.
int gettextboxselectionlength(int id);
int gettextboxcursorposition(int id);  // the selection's start
// Empties the selection at `position` and scrolls the caret into view.
void settextboxcursorposition(int id, int position);
// Selects `count` characters from the caret on and gives the box the focus.
void textboxselect(int id, int count);
// The line (from 0) holding `position`; -1 stands for the caret.
int gettextboxlinefromposition(int id, int position);
int gettextboxcurrentline(int id);
// Where `line` starts; -1 when there is no such line (-1 as the line: the caret's).
int gettextboxpositionfromline(int id, int line);
void settextboxfocused(int id);
// Called when Enter is pressed in a single-line box.
void settextboxentercallback(int id, ControlCallback callback);
void cleartextboxentercallback(int id);
void enabletextbox(int id, bool enable);
void removetextbox(int id);

// List boxes and drop-down lists; entries count from 0.
// Inserts at `index` (-1 appends); returns where the entry went, or -1.
int insertlistboxentry(int id, int index, std::string_view text);
void removelistboxentry(int id, int index);
void clearlistboxentries(int id);
void setlistboxselection(int id, int index);  // -1 clears it
int getlistboxselection(int id);              // -1 when nothing is selected
int getlistboxlength(int id);
std::string getlistboxtext(int id, int index);  // empty when there is no such entry
void removelistbox(int id);
// As for list boxes; the first entry of an empty list becomes selected.
int insertdropdownlistentry(int id, int index, std::string_view text);
void removedropdownlistentry(int id, int index);
void cleardropdownlistentries(int id);
void setdropdownlistselection(int id, int index);
int getdropdownlistselection(int id);
int getdropdownlistlength(int id);
std::string getdropdownlisttext(int id, int index);
void removedropdownlist(int id);

// Scroll bars. The thumb covers `page` positions, so the last position the bar
// reaches is maximum - page + 1.
void setscrollrange(int id, int minimum, int maximum);
void setscrollpagesize(int id, int page);
void setscrollposition(int id, int position);
int getscrollposition(int id);  // -1 when there is no such bar
void removescrollbar(int id);

// Positions and sizes in client pixels. The getters return 1, or 0 (leaving the
// results alone) when there is no such control.
void setbuttonposition(int id, int x, int y, int width, int height);
void setcheckboxposition(int id, int x, int y, int width, int height);
void setradiobuttonposition(int id, int x, int y, int width, int height);
void settextboxposition(int id, int x, int y, int width, int height);
void setlistboxposition(int id, int x, int y, int width, int height);
void setdropdownlistposition(int id, int x, int y, int width, int height);
void setscrollbarposition(int id, int x, int y, int width, int height);
int getbuttonposition(int id, int& x, int& y, int& width, int& height);
int getcheckboxposition(int id, int& x, int& y, int& width, int& height);
int getradiobuttonposition(int id, int& x, int& y, int& width, int& height);
int gettextboxposition(int id, int& x, int& y, int& width, int& height);
int getlistboxposition(int id, int& x, int& y, int& width, int& height);
int getdropdownlistposition(int id, int& x, int& y, int& width, int& height);
int getscrollbarposition(int id, int& x, int& y, int& width, int& height);

// Hides a control of any kind, or shows it again; a hidden control keeps its
// place, state and contents.
void setcontrolvisible(int id, bool visible);

}  // namespace korvid

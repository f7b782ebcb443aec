// Windows, pages, the idle wait and mutexes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvid {

// Screen position that lets the desktop place the window.
inline constexpr int default_position = -32768;
// Title of a window opened without one.
inline constexpr std::string_view default_title = "Korvid";
// Longest title `initwindow` keeps, in bytes.
inline constexpr std::size_t title_limit = 255;
// `startidle` result when the time ran out before a `stopidle`.
inline constexpr int idle_timeout = 258;
// Window identifiers `closewindow` understands besides real ones.
inline constexpr int current_window_id = -1;
inline constexpr int all_windows_id = -2;
inline constexpr int no_current_window = -3;
inline constexpr int page_count = 4;

// Opens a window whose client area is width x height and makes it current.
// Returns its identifier (0 for the first window, never reused) or -1.
// An empty title makes a window without a title bar. `dbflag` enables
// `swapbuffers`; `closeflag` makes closing the window end the process. When
// either flag is left out, the value last given is used (at first: no double
// buffering, closing ends the process).
int initwindow(int width, int height, std::string_view title = default_title,
               int left = default_position, int top = default_position,
               std::optional<bool> dbflag = std::nullopt,
               std::optional<bool> closeflag = std::nullopt);
// -1: the current window; -2: every window.
void closewindow(int id = current_window_id);
int getcurrentwindow();
void setcurrentwindow(int id);
bool isvalidwindow(int id);
// 1 enables input to the window; any other value disables it.
void enablewindow(int id, int enable);
// The window whose thread list holds the calling thread, or -1.
int getsignallingwindow();
// The native window of the current window (the X11 window id under X11).
std::uintptr_t getwin32handle();

void setwindowtitle(std::string_view title);
std::string getwindowtitle();
// Icons come from the program's resources: resource 10008 is ":/icons/10008.png",
// with sized variants ":/icons/10008-16.png", "-32.png" and so on. A negative
// or missing resource clears the icon.
void setwindowlargeicon(int resource);
void setwindowsmallicon(int resource);

int getmaxx();  // client width - 1
int getmaxy();  // client height - 1
// Largest client area the screens allow.
int getmaxwidth();
int getmaxheight();

void setactivepage(int page);
void setvisualpage(int page);
int getactivepage();
int getvisualpage();
void swapbuffers();
void refreshall();
void refreshrect(int left, int top, int right, int bottom);
void setrefreshing(bool flag);
bool getrefreshing();
// Let Tab and Shift+Tab move the keyboard focus between controls (off by
// default: the keys then reach `getch`).
void setdialoghotkeys(bool flag);

// Idle wait: `loop` sleeps until `stopidle`; `startidle` sleeps at most
// `milliseconds` (a negative time: no limit) and returns `idle_timeout` when
// nobody woke it, nonzero otherwise. A `stopidle` while nobody waits is
// remembered once.
void loop();
int startidle(int milliseconds);
void stopidle();

// Recursive mutexes by identifier. A negative time waits without limit.
// `lockmutex` returns 1 when the mutex was taken, 0 when not. `unlockmutex`
// by a thread that does not hold the mutex changes nothing.
int createmutex();
int lockmutex(int id, int milliseconds = -1);
void unlockmutex(int id);

void delay(int milliseconds);

// The classic interface's entry: a 640 x 480 window; the driver and mode
// reported are VGA (9) and its high mode (2).
inline constexpr int detect_driver = 0;
inline constexpr int vga_driver = 9;
inline constexpr int vga_high_mode = 2;
void initgraph(int& driver, int& mode, std::string_view path = {});
void detectgraph(int& driver, int& mode);
int getgraphmode();
void getmoderange(int driver, int& low, int& high);
std::string getmodename(int mode);
std::string getdrivername();

// Window menus are not offered: every call is accepted and changes nothing;
// `addmenu` and `addmenuitem` return -1 (no menu made).
int addmenu(std::string_view title);
int addmenuitem(int menu, std::string_view text, std::function<void()> callback = {});
void removemenu(int menu);
void removemenuitem(int menu, int item);
void enablemenuitem(int item, int enable);

}  // namespace korvid

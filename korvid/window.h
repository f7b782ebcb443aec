// Windows, pages, the idle wait and mutexes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvid {

// Screen position that lets the desktop place the window.
inline constexpr int default_position = -32768;
// `startidle` result when the time ran out before a `stopidle`.
inline constexpr int idle_timeout = 258;
// Window identifiers `closewindow` understands besides real ones.
inline constexpr int current_window_id = -1;
inline constexpr int all_windows_id = -2;
inline constexpr int no_current_window = -3;
inline constexpr int page_count = 4;

// Opens a window whose client area is width x height and makes it current.
// Returns its identifier (0 for the first window, never reused) or -1.
int initwindow(int width, int height, std::string_view title = {}, int left = default_position,
               int top = default_position, bool dbflag = false, bool closeflag = true);
void closewindow(int id = current_window_id);
int getcurrentwindow();
void setcurrentwindow(int id);
bool isvalidwindow(int id);
void enablewindow(int id, bool enable);
// The window whose thread list holds the calling thread, or -1.
int getsignallingwindow();

void setwindowtitle(std::string_view title);
std::string getwindowtitle();
// Icons come from the program's resources: resource 10008 is ":/icons/10008.png".
// A negative resource clears the icon.
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
void setdialoghotkeys(bool flag);

// Idle wait: `loop` sleeps until `stopidle`; `startidle` sleeps at most
// `milliseconds` and returns `idle_timeout` when nobody woke it, nonzero otherwise.
// A `stopidle` while nobody waits is remembered once.
void loop();
int startidle(int milliseconds);
void stopidle();

// Recursive mutexes by identifier. A negative time waits without limit.
int createmutex();
int lockmutex(int id, int milliseconds = -1);
void unlockmutex(int id);

void delay(int milliseconds);

}  // namespace korvid

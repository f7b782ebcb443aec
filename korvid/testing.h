// Test hooks: drive a Korvid window as a user would, from any thread, and look
// at what it shows. Linked into tests only (library `korvid_testing`).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvid::testing {

// Mouse: a press and release of the left (1), right (2) or middle (3) button
// at client position x, y, delivered as the desktop would deliver them.
void click(int window, int x, int y, int button = 1);
void double_click(int window, int x, int y);
void move_mouse(int window, int x, int y);
// One wheel turn of `delta` (120 a notch; positive away from the user).
void turn_wheel(int window, int delta, int x = 0, int y = 0);

// Keyboard: typed text, and an extended key by its Korvid code (korvid::key).
void type_keys(int window, std::string_view text);
void press_extended_key(int window, int code);

// Window: resize the client area as a user dragging its border would (nothing
// happens unless the window is resizable); ask to close it as the close box does.
void resize_window(int window, int width, int height);
void request_close(int window);
// How long the library waits for the program thread after the user closed an
// exit-on-close window before it ends the process itself.
void set_close_grace(int window, std::chrono::milliseconds grace);

// What is on show: the colour (red in the low byte) of a pixel of the visual
// page, the window title, and whether the native window is visible.
int visual_pixel(int window, int x, int y);
std::string window_title(int window);
bool window_visible(int window);
// Saves the visual page (client area) as a PNG; false on failure.
bool save_visual_page(int window, const std::string& path);
// A pixel (red in the low byte) of what the window itself paints on screen.
int screen_pixel(int window, int x, int y);
// The client size of the native window.
int native_width(int window);
int native_height(int window);
bool window_enabled(int window);
// The pixel widths of the sizes the window's icon comes in (empty: no icon).
std::vector<int> window_icon_sizes(int window);

// Paints: how many times the window was painted, and waiting until it was
// painted more often than `frames` (false when the window is gone).
std::uint64_t painted_frames(int window);
// How many times drawing asked for part of the window to be repainted. The
// desktop may repaint on its own as well; this counts only the library's asks.
std::uint64_t repaint_requests(int window);
bool wait_for_paint_after(int window, std::uint64_t frames);

// Whether a thread is waiting in the window's idle wait (`loop`, `startidle`).
bool idle_waiting(int window);

// Runs `fn` on a new callback thread of the window, as a button press would.
void run_as_callback(int window, std::function<void()> fn);
// How many threads the window's thread list holds.
int thread_list_size(int window);

// Fills a rectangle (inclusive corners, page pixels) of the active page with a
// colour (red in the low byte), as a drawing primitive would.
void fill_active_page(int window, int left, int top, int right, int bottom, int colour);

// Replaces the desktop's URL opener; an empty function restores it.
void set_url_opener(std::function<bool(std::string_view)> opener);

// Waits until the window thread has handled everything queued before this call.
void flush_window_thread();

}  // namespace korvid::testing
#include "korvid/testing_dialogs.h"
#include "korvid/testing_controls.h"
#include "korvid/testing_draw.h"

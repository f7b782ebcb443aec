// Test hooks: drive a Korvid window as a user would, from any thread, and look
// at what it shows. Linked into tests only (library `korvid_testing`).
#pragma once

#include <functional>
#include <string>
#include <string_view>

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

// Window: resize the client area; ask to close it as the close box does.
void resize_window(int window, int width, int height);
void request_close(int window);

// What is on show: the colour (red in the low byte) of a pixel of the visual
// page, the window title, and whether the native window is visible.
int visual_pixel(int window, int x, int y);
std::string window_title(int window);
bool window_visible(int window);
// Saves the visual page (client area) as a PNG; false on failure.
bool save_visual_page(int window, const std::string& path);

// Replaces the desktop's URL opener; an empty function restores it.
void set_url_opener(std::function<bool(std::string_view)> opener);

// Waits until the window thread has handled everything queued before this call.
void flush_window_thread();

}  // namespace korvid::testing
#include "korvid/testing_dialogs.h"
#include "korvid/testing_controls.h"
#include "korvid/testing_draw.h"

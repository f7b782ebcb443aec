// Test hook: a picture of a whole window as the user sees it, native controls
// included (the visual page alone shows only what was drawn). Linked into tests
// only (library `korvid_testing`).
#pragma once

#include <string>

namespace korvid::testing {

// Renders the window's client area with every control on it and saves it as a
// PNG. False when there is no such window or the file cannot be written.
bool save_window_grab(int window, const std::string& path);

}  // namespace korvid::testing

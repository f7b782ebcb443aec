// How the window and the reading view look while presenting: preferences kept
// after the five lines of the preferences file, one `Key = value` line each
// (1 for on, 0 for off). A file without them reads as all off.
#pragma once

#include <string>
#include <string_view>

namespace veltrim {

struct View_preferences {
  bool start_full_screen = false;  // Start! goes full screen, leaving restores the window
  bool dark_view = false;          // light text on black
  bool mirrored_view = false;      // the reading view flipped left to right
  bool operator==(const View_preferences&) const = default;
};

// Takes the value of one line of the file when `key` is one of these
// preferences; false for any other key.
bool apply_view_preference(View_preferences& view, std::string_view key, std::string_view line);

// Appends the lines of these preferences, in the form of the other lines.
void save_view_preferences(std::string& out, const View_preferences& view);

}  // namespace veltrim

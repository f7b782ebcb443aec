// The preferences panel: time mode, the seconds the time panel's "-" and "+"
// apply, and the reading view's font face and size with a live preview. The
// record changes as the user works; the file is written only when the user
// leaves with Back.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/panels/view_options.h"
#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/script/script.h"

namespace veltrim {

class ProgramEvents;

// Entries of the font list, top to bottom, and the library fonts they stand for.
inline constexpr std::array<std::string_view, 5> font_names{"Serif", "Sans Serif", "Serif Bold",
                                                            "Sans Serif Bold", "Monospace"};
inline constexpr std::array<std::int32_t, 5> fonts{reading_font::serif, reading_font::sans_serif,
                                                   reading_font::serif_bold, reading_font::sans_serif_bold,
                                                   reading_font::monospace};

// Shown, followed by the reason, when Back cannot write the preferences file.
inline constexpr std::string_view prefs_save_failed = "Could not save the preferences: ";

// The panel's controls, by identifier.
struct PrefsControls {
  int back = -1;
  int fixed_total = -1;  // "Fix Total Program Time"
  int spread = -1;       // "Spread Change to Remaining Segments"
  int next_segment = -1; // "Apply Change to Next Segment"
  int advance_box = -1;
  int back_box = -1;
  int font_list = -1;
  int larger = -1;
  int smaller = -1;
  View_option_boxes view_options;
};

// The text box's number: up to its first 8 characters read as one integer;
// `fallback` when that is empty, not a number or negative.
std::int32_t get_integer_textbox(int box, std::int32_t fallback);
// Shows `value` in the box; a value wider than 5 characters shows as "*****".
void set_integer_textbox(int box, std::int32_t value);

// One showing of the panel. Making it creates the controls on `window`, sets
// them from the record and draws the page; destroying it removes them. The
// record, the event slot, the platform and the script (asked about when the
// window is closed) belong to the caller and must outlive the panel.
class PreferencesPanel {
 public:
  PreferencesPanel(int window, Preferences& preferences, ProgramEvents& events, const Platform& platform,
                   const Script& script);
  ~PreferencesPanel();
  PreferencesPanel(const PreferencesPanel&) = delete;
  PreferencesPanel& operator=(const PreferencesPanel&) = delete;

  const PrefsControls& controls() const { return controls_; }

  // Acts on one event code. True when the panel is done: Back (after saving),
  // or a code that hands over to another panel (nothing is saved then). Back
  // with a "+" or "-" box that holds no usable number says so and stays.
  bool act(int code);

 private:
  // False, after saying why, when a box holds a number that cannot be used.
  bool store_and_save();
  void draw() const;

  int window_;
  Preferences& preferences_;
  ProgramEvents& events_;
  const Platform& platform_;
  const Script& script_;
  PrefsControls controls_;
};

// Runs the panel in the idle wait until it is done and returns the code that
// ended it. The file is the preferences file of `platform`'s settings folder.
int handle_preferences_panel(int window, Preferences& preferences, ProgramEvents& events,
                             const Platform& platform, const Script& script);

}  // namespace veltrim

// The strip at the bottom of the window during a presentation: a dial counting
// the segment's remaining time down, the neighbouring segments' names (click to
// move there), the autoscroll and auto-advance toggles, and the "+", "-" and
// Exit buttons.
//
// The panel only shows state; the presentation loop owns what it means and
// hit-tests clicks against the rectangles recorded here while drawing. Wide
// windows get one strip of fixed height; narrow ones the dial centred on top
// and the rest stacked below it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/system/prefs.h"
#include "app/render/rect.h"

namespace veltrim {

class ProgramEvents;

class Timepanel {
 public:
  struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
  };

  Timepanel() = default;
  Timepanel(const Timepanel&) = delete;
  Timepanel& operator=(const Timepanel&) = delete;
  ~Timepanel() { destroy_timepanel(); }

  // Sets the panel up on `window` with its buttons ("+" and "-" apply the
  // preferences' seconds; pressing a button stores its event in `events`) and
  // draws it. Exit starts disabled: a running presentation is left by pausing
  // first.
  void init_timepanel(std::int32_t window, const Preferences& preferences, ProgramEvents& events);
  // Draws the whole strip into the active page and moves the buttons to match.
  void redraw_timepanel();
  // Removes the buttons and forgets the names.
  void destroy_timepanel();

  // The seconds on the dial; the dial's full scale grows to fit them.
  void set_remaining_timepanel(std::int32_t seconds);
  void set_segment_length_timepanel(std::int32_t seconds);
  void set_next_segment_name(std::optional<std::string_view> name);
  void set_previous_segment_name(std::optional<std::string_view> name);

  void set_exit_enabled(bool enabled);
  void set_nudges_enabled(bool enabled);
  bool exit_enabled() const { return exit_enabled_; }
  bool nudges_enabled() const { return nudges_enabled_; }

  // True for the narrow layout; sets panel_height for the window's size.
  bool compute_panel_height();
  // The dial's centre, in window coordinates.
  Point time_center() const;
  // Whether (x, y), in window coordinates, lies strictly inside the dial as
  // drawn.
  bool coordinates_in_time_timepanel(std::int32_t x, std::int32_t y) const;

  std::int32_t window = -1;
  std::int32_t plus_button = -1;
  std::int32_t minus_button = -1;
  std::int32_t exit_button = -1;
  // Seconds on the dial; negative while the segment runs over.
  std::int32_t remaining = 100;
  // The dial's full scale in seconds.
  std::int32_t segment_length = 100;
  std::optional<std::string> next_name;
  std::optional<std::string> previous_name;
  // Where the neighbours' names were drawn, in window coordinates; invalid when
  // not shown, so that a click there does nothing.
  Rect next_rect;
  Rect previous_rect;
  std::int32_t panel_height = 0;
  bool paused = false;
  bool autoscroll = true;
  Rect autoscroll_rect;
  bool auto_advance = true;
  Rect auto_advance_rect;

 private:
  struct Button_place {
    std::int32_t x = 0;
    std::int32_t y = 0;
  };

  // Where the dial goes: its top-left corner in the strip, and its size.
  struct Dial {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t diameter = 0;
  };

  std::int32_t time_diameter() const;
  std::int32_t narrow_threshold() const;
  bool is_narrow() const;
  Dial dial(bool narrow) const;
  void draw_time_display(const Dial& place, std::int32_t size) const;
  void draw_wide(std::int32_t top, std::int32_t height, std::int32_t width);
  void draw_narrow(std::int32_t top, std::int32_t height, std::int32_t width);
  // The neighbours' names from `at` down, each while it starts above `below`.
  void draw_labels(Point at, std::int32_t width_limit, std::int32_t size, std::int32_t top, std::int32_t below);
  // The toggles at their rectangles in the strip, which then move to window coordinates.
  void draw_toggles(std::int32_t top);
  void size_toggle_rects();
  void place_button(std::int32_t id, Button_place& known, std::int32_t x, std::int32_t y);

  // Button size, measured from the theme's font when the panel is set up.
  std::int32_t button_width_ = 160;
  std::int32_t button_height_ = 24;
  bool exit_enabled_ = false;
  bool nudges_enabled_ = true;
  // Where the buttons stand, so that a redraw moves only those that must move.
  Button_place plus_place_;
  Button_place minus_place_;
  Button_place exit_place_;
};

// The name as it fits in `width_limit` pixels at the current font: whole, or cut
// at a character boundary and followed by "...". Also gives the width drawn.
struct Fitted_name {
  std::string text;
  std::int32_t width = 0;
};
Fitted_name fit_name(std::string_view name, std::int32_t width_limit);

// The dial's text: minutes, ":" and two-digit seconds, "+" in front of an overrun.
std::string dial_text(std::int32_t remaining_seconds);

}  // namespace veltrim

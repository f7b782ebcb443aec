#include "app/present/timepanel.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <string>
#include <vector>

#include "app/script/blanks.h"
#include "app/events/event_codes.h"
#include "app/script/parsetime.h"
#include "app/events/program_events.h"
#include "korvid/controls.h"
#include "korvid/draw.h"
#include "korvid/korvid.h"

namespace veltrim {

namespace {

const int silver = korvid::creatergb(192, 192, 192);
const int dark_red = korvid::creatergb(128, 0, 0);
const int yellow = korvid::creatergb(255, 255, 0);
const int green = korvid::creatergb(0, 128, 0);

constexpr std::int32_t nudge_label_limit = 8;
constexpr std::int32_t smallest_name_limit = 20;

// A text size the library can draw: sizes computed from a tiny window may be 0.
int drawable_size(std::int32_t size) { return std::max(size, 1); }

// Text measures treat text the library cannot measure as taking no room.
std::int32_t width_of(std::string_view text) { return std::max(korvid::textwidth(text), 0); }
std::int32_t height_of(std::string_view text) { return std::max(korvid::textheight(text), 0); }

// A rectangle at the origin the size of `text` in the theme's font.
Rect rect_of_text(std::string_view text) { return Rect{0, 0, height_of(text), width_of(text)}; }

// `rect` moved so that its top-left corner is at (left, top).
Rect placed(const Rect& rect, std::int32_t top, std::int32_t left) {
  Rect moved = rect;
  moved.shift(top - rect.top, left - rect.left);
  return moved;
}

std::string nudge_label(char sign, std::int32_t seconds) {
  return (sign + std::to_string(seconds) + "s").substr(0, nudge_label_limit);
}

std::string_view autoscroll_text(bool on) { return on ? "Autoscroll Enabled" : "Autoscroll Off"; }
std::string_view auto_advance_text(bool on) { return on ? "Auto Advance Enabled" : "Auto Advance Off"; }

int dial_colour(std::int32_t remaining, bool paused) {
  if (paused) return silver;
  if (remaining < 0 || remaining <= 15) return dark_red;
  return remaining <= 30 ? yellow : green;
}

// Offsets at which a character of `text` (UTF-8) starts, so that a name is
// never cut inside a character, whose first bytes would show as U+FFFD.
std::vector<std::size_t> character_starts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) starts.push_back(i);
  }
  return starts;
}

// Writes the caption, and the name below it cut to fit; returns the area covered.
Rect draw_segment_label(std::string_view caption, std::string_view name, std::int32_t x, std::int32_t y,
                        std::int32_t width_limit, std::int32_t size) {
  korvid::setmatchthemetextstyle();
  korvid::outtextxy(x, y, caption);
  const std::int32_t h = height_of(caption);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, drawable_size(size));
  const Fitted_name fitted = fit_name(name, std::max(width_limit, smallest_name_limit));
  korvid::outtextxy(x, y + h, fitted.text);
  return Rect{y, x, y + h + 2 + height_of(fitted.text), x + fitted.width};
}

}  // namespace

Fitted_name fit_name(std::string_view name, std::int32_t width_limit) {
  const std::string_view whole = without_trailing_blanks(name);
  const std::int32_t whole_width = width_of(whole);
  if (whole_width <= width_limit) return {std::string(whole), whole_width};
  // The longest shortened name that fits with its "..."; widths grow with the
  // number of characters, so a binary search finds what shortening one
  // character at a time would, without measuring a long title thousands of times.
  const std::vector<std::size_t> starts = character_starts(whole);
  const auto shortened = [&](std::size_t characters) {
    return std::string(whole.substr(0, characters < starts.size() ? starts[characters] : whole.size())) + "...";
  };
  std::size_t fits = 0;  // with no character left, only the "..." remains
  std::size_t low = 1;
  std::size_t high = starts.size();  // exclusive: the whole name did not fit
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (width_of(shortened(middle)) <= width_limit) {
      fits = middle;
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  std::string text = shortened(fits);
  const std::int32_t width = width_of(text);
  return {std::move(text), width};
}

std::string dial_text(std::int32_t remaining_seconds) {
  const auto magnitude = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::abs(std::int64_t{remaining_seconds}), std::numeric_limits<std::int32_t>::max()));
  return (remaining_seconds < 0 ? "+" : "") + create_time_string(magnitude);
}

void Timepanel::init_timepanel(std::int32_t window_id, const Preferences& preferences, ProgramEvents& events) {
  destroy_timepanel();
  window = window_id;
  panel_height = korvid::scaledpi(100);
  paused = false;
  autoscroll = true;
  auto_advance = true;
  next_rect.set_invalid();
  previous_rect.set_invalid();
  korvid::setcurrentwindow(window);
  korvid::setmatchthemetextstyle();
  button_height_ = height_of("Minus Some Time or More to Segment") + korvid::scaledpi(10);
  const std::string plus_label = nudge_label('+', effective_hold_seconds(preferences));
  const std::string minus_label = nudge_label('-', effective_advance_seconds(preferences));
  const std::int32_t margin = korvid::scaledpi(20);
  button_width_ = std::max({width_of(plus_label) + margin, width_of(minus_label) + margin, width_of("Exit") + margin});

  // Positions are provisional: every redraw puts the buttons where the layout wants them.
  plus_place_ = {10, 10};
  minus_place_ = {10, button_height_ + 15};
  exit_place_ = {button_width_ + 15, 10};
  plus_button = korvid::createbutton(plus_place_.x, plus_place_.y, button_width_, button_height_, plus_label,
                                     [&events] { events.set_event(event::add_time); });
  minus_button = korvid::createbutton(minus_place_.x, minus_place_.y, button_width_, button_height_, minus_label,
                                      [&events] { events.set_event(event::take_time); });
  exit_button = korvid::createbutton(exit_place_.x, exit_place_.y, button_width_, button_height_, "Exit",
                                     [&events] { events.set_event(event::exit); });
  exit_enabled_ = true;
  set_exit_enabled(false);
  nudges_enabled_ = true;
  size_toggle_rects();
  redraw_timepanel();
}

void Timepanel::destroy_timepanel() {
  for (std::int32_t* button : {&plus_button, &minus_button, &exit_button}) {
    if (*button >= 0) korvid::removebutton(*button);
    *button = -1;
  }
  remaining = 100;
  segment_length = 100;
  next_name.reset();
  previous_name.reset();
}

void Timepanel::set_remaining_timepanel(std::int32_t seconds) {
  remaining = seconds;
  segment_length = std::max(segment_length, seconds);
}

void Timepanel::set_segment_length_timepanel(std::int32_t seconds) { segment_length = seconds; }

void Timepanel::set_next_segment_name(std::optional<std::string_view> name) {
  next_name = name ? std::optional<std::string>(without_trailing_blanks(*name)) : std::nullopt;
}

void Timepanel::set_previous_segment_name(std::optional<std::string_view> name) {
  previous_name = name ? std::optional<std::string>(without_trailing_blanks(*name)) : std::nullopt;
}

void Timepanel::set_exit_enabled(bool enabled) {
  if (enabled == exit_enabled_) return;
  exit_enabled_ = enabled;
  if (exit_button >= 0) korvid::enablebutton(exit_button, enabled);
}

void Timepanel::set_nudges_enabled(bool enabled) {
  if (enabled == nudges_enabled_) return;
  nudges_enabled_ = enabled;
  if (plus_button >= 0) korvid::enablebutton(plus_button, enabled);
  if (minus_button >= 0) korvid::enablebutton(minus_button, enabled);
}

std::int32_t Timepanel::time_diameter() const {
  // Never below 0, so that a window a few pixels wide draws nothing rather
  // than circles of negative size.
  return std::max(std::min(korvid::scaledpi(100), korvid::getmaxx() - 10), 0);
}

std::int32_t Timepanel::narrow_threshold() const {
  return time_diameter() + 2 * button_width_ + korvid::scaledpi(250);
}

bool Timepanel::is_narrow() const { return korvid::getmaxx() < narrow_threshold(); }

bool Timepanel::compute_panel_height() {
  const bool narrow = is_narrow();
  if (narrow) {
    const std::int32_t d = time_diameter();
    panel_height = std::min(korvid::getmaxy() - korvid::scaledpi(100),
                            button_height_ + 2 * d + autoscroll_rect.height() + auto_advance_rect.height() +
                                korvid::scaledpi(25));
  } else {
    panel_height = korvid::scaledpi(100);
  }
  if (panel_height < 0) panel_height = 10;
  return narrow;
}

Timepanel::Dial Timepanel::dial(bool narrow) const {
  if (narrow) {
    const std::int32_t d = time_diameter();
    return {(korvid::getmaxx() + 1 - d) / 2, 5, d};
  }
  return {10, 5, std::max(panel_height - 10, 0)};
}

Timepanel::Point Timepanel::time_center() const {
  const Dial place = dial(is_narrow());
  return {place.x + place.diameter / 2, korvid::getmaxy() - panel_height + place.y + place.diameter / 2};
}

bool Timepanel::coordinates_in_time_timepanel(std::int32_t x, std::int32_t y) const {
  const Point center = time_center();
  const std::int64_t r = dial(is_narrow()).diameter / 2;
  const std::int64_t dx = x - center.x;
  const std::int64_t dy = y - center.y;
  return dx * dx + dy * dy < r * r;
}

void Timepanel::size_toggle_rects() {
  korvid::setmatchthemetextstyle();
  autoscroll_rect = rect_of_text(autoscroll_text(autoscroll));
  auto_advance_rect = rect_of_text(auto_advance_text(auto_advance));
}

void Timepanel::place_button(std::int32_t id, Button_place& known, std::int32_t x, std::int32_t y) {
  if (id < 0 || (known.x == x && known.y == y)) return;
  korvid::setbuttonposition(id, x, y, button_width_, button_height_);
  known = {x, y};
}

void Timepanel::redraw_timepanel() {
  const bool narrow = compute_panel_height();
  const std::int32_t height = panel_height;
  const std::int32_t width = korvid::getmaxx() + 1;
  const std::int32_t top = korvid::getmaxy() - height;

  korvid::setcurrentwindow(window);
  korvid::resetviewport();
  korvid::setviewport(0, top, width, korvid::getmaxy() + 1, true);
  korvid::setcolor(korvid::white);
  korvid::setbkcolor(korvid::black);
  korvid::clearviewport();
  korvid::settextjustify(korvid::left_text, korvid::top_text);
  size_toggle_rects();
  if (narrow) {
    draw_narrow(top, height, width);
  } else {
    draw_wide(top, height, width);
  }
  korvid::resetviewport();
}

void Timepanel::draw_wide(std::int32_t top, std::int32_t height, std::int32_t width) {
  const std::int32_t step = button_width_ + korvid::scaledpi(10);
  const std::int32_t exit_x = width - button_width_ - 10;
  place_button(exit_button, exit_place_, exit_x, top + 10);
  place_button(plus_button, plus_place_, exit_x - step, top + 10);
  place_button(minus_button, minus_place_, exit_x - 2 * step, top + 10);

  draw_time_display(dial(false), time_diameter() / 4);
  const std::int32_t x = height + 10;
  draw_labels({x, 5}, (exit_x - 2 * step) - 10 - x, height / 4, top, std::numeric_limits<std::int32_t>::max());

  // The toggles at the bottom right, auto-advance below autoscroll.
  korvid::setmatchthemetextstyle();
  const std::int32_t right = korvid::getmaxx();
  auto_advance_rect = placed(auto_advance_rect, height - auto_advance_rect.height() - korvid::scaledpi(5),
                             right - auto_advance_rect.width() - 10);
  autoscroll_rect = placed(autoscroll_rect,
                           height - autoscroll_rect.height() - auto_advance_rect.height() - korvid::scaledpi(10),
                           right - autoscroll_rect.width() - 10);
  draw_toggles(top);
}

void Timepanel::draw_narrow(std::int32_t top, std::int32_t height, std::int32_t width) {
  const std::int32_t d = time_diameter();
  draw_time_display(dial(true), d / 4);
  draw_labels({10, d + 10}, width - 20, d / 4, top, height);

  // The toggles centred at the bottom, and the buttons in a row above them.
  korvid::setmatchthemetextstyle();
  const auto centred = [width](const Rect& rect) { return std::max((width - rect.width()) / 2, 5); };
  auto_advance_rect = placed(auto_advance_rect, height - auto_advance_rect.height() - korvid::scaledpi(5),
                             centred(auto_advance_rect));
  autoscroll_rect = placed(autoscroll_rect, auto_advance_rect.top - auto_advance_rect.height() - korvid::scaledpi(5),
                           centred(autoscroll_rect));
  const std::int32_t gap = korvid::scaledpi(5);
  const std::int32_t x = std::max((width - (3 * button_width_ + korvid::scaledpi(10))) / 2, 5);
  const std::int32_t buttons_top = top + autoscroll_rect.top - gap - button_height_;
  place_button(minus_button, minus_place_, x, buttons_top);
  place_button(plus_button, plus_place_, x + button_width_ + gap, buttons_top);
  place_button(exit_button, exit_place_, x + 2 * (button_width_ + gap), buttons_top);
  draw_toggles(top);
}

void Timepanel::draw_labels(Point at, std::int32_t width_limit, std::int32_t size, std::int32_t top,
                            std::int32_t below) {
  korvid::setcolor(korvid::white);
  korvid::setbkcolor(korvid::black);
  for (auto [name, rect, caption] : {std::tuple{&next_name, &next_rect, "Next Segment"},
                                     std::tuple{&previous_name, &previous_rect, "Previous Segment"}}) {
    if (!*name || at.y >= below) {
      rect->set_invalid();  // not shown, so not clickable
      continue;
    }
    *rect = draw_segment_label(caption, **name, at.x, at.y, width_limit, size);
    at.y += rect->height() + 10;
    rect->shift(top);
  }
}

void Timepanel::draw_toggles(std::int32_t top) {
  korvid::outtextxy(auto_advance_rect.left, auto_advance_rect.top,
                    auto_advance_text(auto_advance));
  korvid::outtextxy(autoscroll_rect.left, autoscroll_rect.top, autoscroll_text(autoscroll));
  auto_advance_rect.shift(top);
  autoscroll_rect.shift(top);
}

void Timepanel::draw_time_display(const Dial& place, std::int32_t size) const {
  const std::int32_t diameter = place.diameter;
  const int colour = dial_colour(remaining, paused);
  korvid::setcolor(colour);
  korvid::setfillstyle(korvid::fill_style::solid, colour);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, drawable_size(size));
  korvid::setlinestyle(korvid::line_style::solid, 0, 4);

  const std::int32_t cx = place.x + diameter / 2;
  const std::int32_t cy = place.y + diameter / 2;
  if (remaining > 0 && diameter > 0) {
    // The ring shrinks as time passes; a scale of 0 (never set so during a
    // presentation) shows a full ring rather than dividing by zero.
    const std::int64_t scale = std::max(segment_length, remaining);
    const auto angle = static_cast<int>(std::int64_t{remaining} * 360 / std::max<std::int64_t>(scale, 1));
    if (angle > 0) korvid::arc(cx, cy, 0, angle, diameter / 2);
  }
  const std::int32_t disc = (diameter - 20) / 2;
  if (disc > 0) korvid::fillellipse(cx, cy, disc, disc);

  const std::string text = dial_text(remaining);
  const bool dark_text = paused || colour == yellow;
  korvid::setcolor(dark_text ? korvid::black : korvid::white);
  korvid::setbkcolor(colour);
  const std::int32_t h = height_of(text);
  const std::int32_t text_top = cy - h / 2;
  korvid::outtextxy(cx - width_of(text) / 2, text_top, text);

  if (paused) {
    const std::int32_t g = h / 16;
    korvid::setfillstyle(korvid::fill_style::solid, korvid::black);
    korvid::bar(cx - h / 3 - g, cy + h / 2, cx - g, cy + h / 2 + 3 * h / 4);
    korvid::bar(cx + g, cy + h / 2, cx + h / 3 + g, cy + h / 2 + 3 * h / 4);
  }
  if (remaining < 0) {
    korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, drawable_size(2 * size / 3));
    const std::int32_t over_height = height_of("over...");
    korvid::outtextxy(cx - width_of("over...") / 2, text_top - over_height, "over...");
  }
}

}  // namespace veltrim

#include "app/present/presentation_loop.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/events/event_codes.h"
#include "app/present/presentation_plan.h"
#include "app/present/presentation_timing.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
#include "app/events/window_keys.h"
#include "app/present/kv_render.h"
#include "app/script/script.h"
#include "app/script/segment.h"
#include "app/present/timepanel.h"
#include "app/render/layout.h"
#include "korvid/korvid.h"

namespace veltrim {

namespace {

using std::chrono::milliseconds;

// However quiet the presentation, the dial and the autoscroll move on at least
// this often.
constexpr milliseconds longest_wait{200};
constexpr milliseconds second{1000};

// One run of one segment: the countdown and what the loop shows of it.
class Segment_runner {
 public:
  Segment_runner(Presentation& presentation, Segment& segment, std::int32_t length_seconds, bool is_last,
                 ClockDuration elapsed_before, ClockTime start)
      : p_(presentation),
        segment_(segment),
        is_last_(is_last),
        elapsed_before_(elapsed_before),
        timer_(length_seconds, start),
        last_pass_(start) {}

  Segment_run run() {
    start();
    for (;;) {
      if (timer_.time_up() && p_.panel.auto_advance && !is_last_) return finish(Segment_result::time_over);
      p_.clock.idle_wait(wait_);
      const std::int32_t code = p_.events.get_event();
      const ClockTime now = p_.clock.now();
      timer_.advance(now);
      if (const auto result = act_on(code, now)) return finish(*result);
      const std::int32_t shown = keep_time(now);
      if (code != event::none || current_frame(shown) != drawn_) redraw(shown);
      show_elapsed_time();
    }
  }

 private:
  void start() {
    p_.events.set_event(event::none);  // the first wait returns at once
    if (p_.view.text_resized) segment_.invalidate_segment_layout();
    p_.renderer.new_page();
    p_.panel.autoscroll = true;
    // Every segment starts running, and the dial and Exit say so, whatever
    // the previous segment left them showing.
    p_.panel.paused = false;
    p_.panel.set_exit_enabled(false);
  }

  Segment_run finish(Segment_result result) const { return {result, timer_.spent(), timer_.timing()}; }

  std::optional<Segment_result> act_on(std::int32_t code, ClockTime now) {
    switch (code) {
      case event::renderer:
        // Scrolling by hand takes over from autoscroll until the next segment.
        if (p_.renderer.render_event_scroll_occurred()) p_.panel.autoscroll = false;
        p_.renderer.handle_event();
        break;
      case event::add_time:
        timer_.add_seconds(effective_hold_seconds(p_.preferences));
        p_.events.set_event(event::none);
        break;
      case event::take_time:
        timer_.take_seconds(effective_advance_seconds(p_.preferences));
        p_.events.set_event(event::none);
        if (timer_.time_up()) return Segment_result::time_over;
        break;
      case event::exit:
        return Segment_result::leave;
      case event::close_requested:
        // Asked while the presentation goes on: its clock keeps running behind
        // the question, and when the program stays, the talk carries on there.
        // The next pass comes at once and shows the time the question took.
        if (p_.recorder) p_.recorder->segment_so_far(timer_.timing());
        if (p_.close_requested) p_.close_requested();
        p_.events.set_event(event::none);
        break;
      case event::resize:
        segment_.invalidate_segment_layout();
        break;
      case event::click:
        return act_on_click(p_.events.get_mouse_event_x(), p_.events.get_mouse_event_y(), now);
      case event::key:
        return act_on_key(key_action(p_.events.get_key_event()), now);
      default:
        break;
    }
    return std::nullopt;
  }

  std::optional<Segment_result> act_on_click(std::int32_t x, std::int32_t y, ClockTime now) {
    Timepanel& panel = p_.panel;
    if (y < korvid::getmaxy() - panel.panel_height) {
      p_.renderer.click(x, y);
    } else if (panel.coordinates_in_time_timepanel(x, y)) {
      toggle_pause(now);
    } else if (panel.next_rect.point_inside(x, y)) {
      return Segment_result::next;
    } else if (panel.previous_rect.point_inside(x, y)) {
      return Segment_result::previous;
    } else if (panel.autoscroll_rect.point_inside(x, y)) {
      panel.autoscroll = !panel.autoscroll;
    } else if (panel.auto_advance_rect.point_inside(x, y)) {
      panel.auto_advance = !panel.auto_advance;
    }
    p_.events.set_event(event::none);
    return std::nullopt;
  }

  void toggle_pause(ClockTime now) {
    timer_.toggle_pause(now);
    p_.panel.paused = timer_.paused();
    p_.panel.set_exit_enabled(p_.panel.paused);
  }

  // Keys do what the clicks and buttons they stand for do. The key that ends
  // a black screen does nothing else.
  std::optional<Segment_result> act_on_key(Key_action action, ClockTime now) {
    Presentation_view& view = p_.view;
    if (view.blank) {
      view.blank = false;
      show_presentation_controls(p_.panel, p_.renderer);
      return std::nullopt;
    }
    if (answer_window_key(action)) return std::nullopt;
    Timepanel& panel = p_.panel;
    switch (action) {
      case Key_action::next_segment:
        if (panel.next_name) return Segment_result::next;
        break;
      case Key_action::previous_segment:
        if (panel.previous_name) return Segment_result::previous;
        break;
      case Key_action::pause_or_leave:
        if (timer_.paused()) return Segment_result::leave;
        toggle_pause(now);
        break;
      case Key_action::pause: toggle_pause(now); break;
      case Key_action::scroll_back:
      case Key_action::scroll_on:
        // As a wheel notch does, scrolling by hand stops autoscroll.
        p_.renderer.scroll_by_notches(action == Key_action::scroll_back ? 1 : -1);
        panel.autoscroll = false;
        break;
      case Key_action::add_time: return act_on(event::add_time, now);
      case Key_action::take_time: return act_on(event::take_time, now);
      case Key_action::autoscroll: panel.autoscroll = !panel.autoscroll; break;
      case Key_action::blank: view.blank = true; break;
      case Key_action::text_larger:
      case Key_action::text_smaller:
      case Key_action::text_as_preferred: resize_text(action); break;
      default: break;
    }
    return std::nullopt;
  }

  void resize_text(Key_action action) {
    p_.renderer.font_size = resized_text(p_.renderer.font_size, action, p_.preferences);
    p_.view.text_resized = true;
    segment_.invalidate_segment_layout();
    p_.renderer.bounds_changed = true;  // measure the content again
  }

  // Follows the time with the reading view and the last segment's wait at
  // zero; gives the seconds the dial shows.
  std::int32_t keep_time(ClockTime now) {
    const ClockDuration since_last_pass = now - last_pass_;
    last_pass_ = now;
    if (timer_.paused()) {
      wait_ = longest_wait;
      return timer_.shown_seconds();
    }
    // A pass that came late makes the next wait shorter, never negative; and
    // the pass that finds the time up comes when it is up, not up to a wait
    // later, so that a segment ends on time.
    const auto late = std::chrono::duration_cast<milliseconds>(since_last_pass);
    wait_ = std::clamp(second - late, milliseconds{0}, longest_wait);
    if (!timer_.time_up()) wait_ = std::min(wait_, std::chrono::ceil<milliseconds>(timer_.remaining()));
    if (p_.panel.autoscroll && timer_.remaining() >= ClockDuration::zero()) {
      p_.renderer.set_scroll_percent(timer_.percent_used());
    }
    if (timer_.time_up() && is_last_) {
      timer_.hold_at_zero();
      p_.panel.set_exit_enabled(true);
    }
    return timer_.shown_seconds();
  }

  // What a frame shows besides the segment's text, which stays the same for
  // the whole run. A pass whose frame would look like the last one drawn draws
  // nothing: a paused presentation, or a segment that fits the window, then
  // costs a redraw a second rather than five.
  struct Frame {
    std::int32_t shown = 0;
    bool paused = false;
    bool autoscroll = false;
    bool auto_advance = false;
    std::int32_t offset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Frame&) const = default;
  };

  Frame current_frame(std::int32_t shown_seconds) const {
    const Timepanel& panel = p_.panel;
    return {shown_seconds, panel.paused,       panel.autoscroll,  panel.auto_advance,
            p_.renderer.y, korvid::getmaxx(), korvid::getmaxy()};
  }

  void redraw(std::int32_t shown_seconds) {
    p_.panel.set_remaining_timepanel(shown_seconds);
    if (p_.view.blank) {
      draw_blank_screen(p_.panel, p_.renderer);
      drawn_ = current_frame(shown_seconds);
      return;
    }
    p_.panel.redraw_timepanel();
    // The reading view fills the window above the panel; a window smaller than
    // the panel leaves it an empty area rather than an inverted one.
    p_.renderer.set_bounds(0, 0, std::max(korvid::getmaxx(), 0),
                           std::max(korvid::getmaxy() - p_.panel.panel_height, 0));
    layout_segment(segment_, p_.renderer);
    korvid::swapbuffers();
    drawn_ = current_frame(shown_seconds);
  }

  void show_elapsed_time() {
    std::string title = elapsed_title(elapsed_before_ + timer_.spent());
    if (title == shown_title_) return;
    korvid::setwindowtitle(title);
    shown_title_ = std::move(title);
  }

  Presentation& p_;
  Segment& segment_;
  const bool is_last_;
  const ClockDuration elapsed_before_;
  SegmentTimer timer_;
  ClockTime last_pass_;
  milliseconds wait_ = longest_wait;
  std::string shown_title_;
  std::optional<Frame> drawn_;
};

std::optional<std::string_view> title_of(const Script& script, std::int32_t index) {
  if (index < 1 || index > script.script_number_segments()) return std::nullopt;
  // An untitled neighbour is still one to move to: its label shows no name.
  const auto& title = script.segment(index).title();
  return title ? std::string_view(*title) : std::string_view{};
}

std::int32_t finish_presentation(Timepanel& panel, std::int32_t result) {
  panel.set_nudges_enabled(false);
  panel.set_exit_enabled(true);
  return result;
}

}  // namespace

Segment_run segment_loop(Presentation& presentation, Segment& segment, std::int32_t length_seconds, bool is_last,
                         ClockDuration elapsed_before) {
  const ClockTime start = presentation.clock.now();
  return Segment_runner(presentation, segment, length_seconds, is_last, elapsed_before, start).run();
}

std::int32_t script_loop(Presentation& presentation, Script& script) {
  const std::int32_t count = script.script_number_segments();
  if (count < 1) return finish_presentation(presentation.panel, presentation_finished);
  const TimeMode mode = effective_time_mode(presentation.preferences);
  const std::int64_t planned_total = script.script_runtime(1);
  ClockDuration total{};
  std::int64_t carry = 0;
  for (std::int32_t i = 1;;) {
    presentation.panel.set_next_segment_name(title_of(script, i + 1));
    presentation.panel.set_previous_segment_name(title_of(script, i - 1));
    const std::int32_t length = running_length(script.segment(i).time(), carry);
    if (presentation.recorder) presentation.recorder->segment_started(i);
    const Segment_run run = segment_loop(presentation, script.segment(i), length, i == count, total);
    if (presentation.recorder) presentation.recorder->segment_ended(run.timing);
    switch (run.result) {
      case Segment_result::next:
      case Segment_result::time_over:
        ++i;
        break;
      case Segment_result::previous:
        i = std::max(i - 1, 1);  // on the first segment, it starts again
        break;
      case Segment_result::leave:
        return finish_presentation(presentation.panel, presentation_left);
    }
    total += run.spent;
    if (i > count) return finish_presentation(presentation.panel, presentation_finished);
    carry = carry_for(mode, {.planned_total = planned_total,
                             .planned_remaining = runtime_as_run(script, i),
                             .spent = std::chrono::duration_cast<std::chrono::seconds>(total).count(),
                             .next = i,
                             .count = count});
  }
}

std::int32_t run_presentation(Script& script, Korvid_renderer& renderer, const Preferences& preferences,
                              Clock& clock, ProgramEvents& events, std::function<void()> close_requested,
                              Rehearsal_recorder* recorder) {
  if (script.script_number_segments() < 1) return presentation_finished;
  prepare_reading_view(renderer, preferences);
  // The font may differ from the last presentation's: wrap everything afresh.
  for (Segment& segment : script.segments()) segment.invalidate_segment_layout();
  Timepanel panel;
  panel.init_timepanel(renderer.window, preferences, events);
  Presentation presentation{panel, renderer, preferences, clock, events, std::move(close_requested), recorder};
  const std::int32_t result = script_loop(presentation, script);
  panel.destroy_timepanel();
  renderer.destroy_scrollbar();
  korvid::setwindowtitle("Veltrim");
  return result;
}

}  // namespace veltrim

// The reading view: the renderer that draws a segment's text into the program's
// window through Korvid, with a scroll bar at its right edge, scrolling by bar,
// wheel and percentage (autoscroll), and clickable links.
//
// Drawing runs on the main thread. The scroll bar and wheel handlers run on the
// window thread: they only record what happened and post the program event
// renderer_event; the main thread acts on it in handle_event after taking that
// event.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/render/rect.h"
#include "app/render/render.h"

namespace veltrim {

class ProgramEvents;

// What the window thread saw happen in the reading view, pending until handled.
namespace reading_event {
inline constexpr std::int32_t none = 0;
inline constexpr std::int32_t mouse_button = 2;
inline constexpr std::int32_t scrolled = 5;
inline constexpr std::int32_t redraw = 6;
inline constexpr std::int32_t mouse_moved = 7;
inline constexpr std::int32_t wheel = 8;
}  // namespace reading_event

struct Reading_link {
  Rect area;        // inclusive, in window coordinates
  std::string url;  // cut at max_url_length bytes
};

class Korvid_renderer final : public Renderer {
 public:
  static constexpr std::size_t max_url_length = 1024;
  static constexpr std::size_t max_status_length = 64;
  static constexpr std::int32_t scrollbar_size = 15;

  // Scroll and wheel handlers report through `events`.
  explicit Korvid_renderer(ProgramEvents& events);
  ~Korvid_renderer() override;

  void initialize(std::int32_t window_id) override;
  void new_page() override;
  void prepare_for_layout() override;
  void layout_complete() override;

  void text_draw(std::string_view text, int type) override;
  void preformatted_draw(std::string_view text) override;
  void link_draw(std::string_view label, std::string_view url) override;

  bool text_visible(std::string_view text) override;
  bool preformatted_visible(std::string_view text) override { return text_visible(text); }
  bool link_visible(std::string_view label) override { return text_visible(label); }

  std::int32_t text_width(std::string_view text, int type) override;
  std::int32_t text_height(std::string_view text, int type) override;
  std::int32_t preformatted_width(std::string_view text) override;
  std::int32_t preformatted_height(std::string_view text) override;
  std::int32_t link_width(std::string_view label) override { return text_width(label, type_plain); }
  std::int32_t link_height(std::string_view label) override { return text_height(label, type_plain); }

  void set_scroll_percent(float percent) override;
  void handle_event() override;
  void explicit_event(std::int32_t code) override;
  // A click at window coordinates (x, y) in the reading view: opens the link
  // there, if any.
  void click(std::int32_t x, std::int32_t y);
  // Scrolls as `notches` turns of the wheel away from the reader would: one
  // line of base-size text each, towards the start (negative: towards the end).
  void scroll_by_notches(std::int32_t notches);
  // True when the pending event is a move of the scroll bar or a wheel turn,
  // that is, the reader scrolled by hand.
  bool render_event_scroll_occurred() const;

  void draw_error(std::string_view message) override;
  void draw_status(std::string_view text) override;
  const std::string& status() const { return status_; }

  void destroy_scrollbar();
  // Height of the visible part, and the largest scroll offset the bar's range allows.
  std::int32_t page_size() const { return bounds.bottom - bounds.top - 1; }
  std::int32_t scroll_max_value() const { return std::max(content_height, 0); }

  // Number (from 1) of the first link drawn in this pass whose area holds the
  // window point (x, y) as the reader sees it (in a mirrored view, the point
  // mirrored back), or -1.
  std::int32_t link_at(std::int32_t x, std::int32_t y) const;
  const std::vector<Reading_link>& links() const { return links_; }

  std::int32_t window = -1;
  std::int32_t scrollbar = -1;
  std::int32_t font_size = 18;
  std::int32_t font_face = 2;
  std::int32_t line_spacing = 2;
  std::int32_t left_margin = 15;
  std::int32_t right_margin = 15;
  std::int32_t indent_gap = 5;
  int text_colour = 0x000000;
  int link_colour = 0x800000;
  int background_colour = 0xFFFFFF;
  // Flipped left to right, for a teleprompter's glass; the scroll bar stays put.
  bool mirrored = false;
  std::int32_t scrollbar_width = 0;
  // The cursor at the start of this pass, that is, minus the scroll offset.
  std::int32_t saved_y = 0;

 protected:
  void post_renderer_event() override;

 private:
  std::int32_t indent_margin() const { return font_size + left_margin + 2 * indent_gap; }
  std::int32_t font_size_for(int type) const;
  // Height of one line of text in a font, measured once per font and size.
  std::int32_t line_height(int face, std::int32_t size);
  std::int32_t height_in(int face, std::int32_t size, std::string_view text);
  void place_scrollbar();
  void scroll_to(std::int32_t offset);
  // The reading area's first and last column in window coordinates: what a
  // mirrored view flips.
  std::int32_t text_area_left() const { return bounds.left; }
  std::int32_t text_area_right() const { return std::max(bounds.right - scrollbar_width, bounds.left); }
  void open_link(std::string_view url);
  void reset();

  ProgramEvents& events_;
  // Written by the window thread's handlers.
  std::atomic<std::int32_t> scroll_position_{0};
  std::atomic<std::int32_t> wheel_movement_{0};
  std::atomic<std::int32_t> pending_event_{reading_event::none};

  // Every link of the pass, however many: each one drawn can be clicked.
  std::vector<Reading_link> links_;
  std::string status_;
  // Every pass measures the height of every piece of the segment; one line's
  // height depends only on the font, so a long segment needs no font work.
  std::map<std::pair<int, std::int32_t>, std::int32_t> line_heights_;
  // Where the scroll bar stands, so that a pass moves it only when it must.
  Rect scrollbar_place_;
};

}  // namespace veltrim

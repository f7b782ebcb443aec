// The abstract drawing target of the reading view. The layout pass measures,
// places and draws every line through these operations; the window renderer
// implements them on Korvid, and tests implement them with fixed-width fakes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/render/rect.h"
#include "app/script/text_line.h"

namespace veltrim {

// The program event that announces a pending renderer event.
inline constexpr std::int32_t renderer_event = 201;

// Content types a renderer accepts.
inline constexpr std::array<std::string_view, 2> content_types = {"text/plain", "text/gemini"};

class Renderer {
 public:
  Renderer() = default;
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;
  virtual ~Renderer() = default;

  // Vertical cursor: the top of the next piece, in pixels from the top of the
  // drawing area; a pass starts at minus the scroll offset.
  std::int32_t y = 0;
  // Width available to one line of text; may be negative for a narrow window.
  std::int32_t max_width = 0;
  // Height of the whole laid-out content; 0 until a fresh pass measured it.
  std::int32_t content_height = 0;
  // The renderer's area of the window.
  Rect bounds;
  // The last code given to set_render_event.
  std::int32_t render_event = 0;
  // Set when the next pass must start from the top and measure the content again.
  bool bounds_changed = false;

  // Drawing, at the cursor y. `type` is the text style (type_plain, a heading
  // level, type_list_item, type_quotation), which picks the font and indent.
  virtual void text_draw(std::string_view text, int type) = 0;
  virtual void preformatted_draw(std::string_view text) = 0;
  // Draws a link's label and remembers its area as a hit area for the URL.
  virtual void link_draw(std::string_view label, std::string_view url) = 0;

  // Whether a piece whose top is at y lies in the visible area.
  virtual bool text_visible(std::string_view text) = 0;
  virtual bool preformatted_visible(std::string_view text) = 0;
  virtual bool link_visible(std::string_view label) = 0;

  // Measuring. A text width includes the indentation of its style.
  virtual std::int32_t text_width(std::string_view text, int type) = 0;
  virtual std::int32_t text_height(std::string_view text, int type) = 0;
  virtual std::int32_t preformatted_width(std::string_view text) = 0;
  virtual std::int32_t preformatted_height(std::string_view text) = 0;
  virtual std::int32_t link_width(std::string_view label) = 0;
  virtual std::int32_t link_height(std::string_view label) = 0;

  // Start and end of a layout pass; a new page forgets the previous content.
  virtual void prepare_for_layout() = 0;
  virtual void layout_complete() = 0;
  virtual void new_page() = 0;
  virtual void initialize(std::int32_t window) = 0;

  // Scrolling and the renderer's own window events (scrolling, link clicks).
  virtual void set_scroll_percent(float percent) = 0;
  virtual void handle_event() = 0;
  virtual void explicit_event(std::int32_t code) = 0;

  virtual void draw_error(std::string_view message) = 0;
  virtual void draw_status(std::string_view text) = 0;
  virtual void report_page() {}

  // Sets the renderer's area; a change makes the next pass start afresh from
  // the top. Cached line breaks are not touched here.
  void set_bounds(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

  // Stores the code and tells the program that a renderer event is pending.
  void set_render_event(std::int32_t code);

 protected:
  // Called by set_render_event; the window renderer posts renderer_event.
  virtual void post_renderer_event() {}
};

}  // namespace veltrim

// A renderer with fixed-width fake measuring that records what the layout pass
// asks of it: the pieces it draws, where, in which style, and how often it
// measured. Used by the layout tests and the layout benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/script/blanks.h"
#include "app/render/render.h"

namespace veltrim::testing {

class Recording_renderer : public Renderer {
 public:
  // Every byte is `char_width` pixels wide at the base size; a level-1 heading
  // is twice as large, deeper headings one and a half times. A list item's
  // width adds one `indent`, a quotation's two. A piece is `font_size` + 2 high
  // at its style's size, a blank one at the base size.
  std::int32_t char_width = 10;
  std::int32_t font_size = 20;
  std::int32_t indent = 40;
  // Pieces whose top lies in [0, visible_height) are drawn.
  std::int32_t visible_height = 1'000'000;

  struct Drawn {
    std::string text;
    int type;
    std::int32_t y;
    std::string url;
  };
  std::vector<Drawn> drawn;
  int width_measures = 0;
  int height_measures = 0;

  // Forgets what was recorded (not the settings).
  void clear_record() {
    drawn.clear();
    width_measures = height_measures = 0;
  }

  static std::int32_t scaled(std::int32_t value, int type) {
    if (type == 1) return 2 * value;
    if (type >= 2) return 3 * value / 2;
    return value;
  }
  std::int32_t measure(std::string_view text) const {
    return static_cast<std::int32_t>(trimmed_length(text)) * char_width;
  }

  void text_draw(std::string_view text, int type) override { drawn.push_back({std::string(text), type, y, {}}); }
  void preformatted_draw(std::string_view text) override { drawn.push_back({std::string(text), 0, y, {}}); }
  void link_draw(std::string_view label, std::string_view url) override {
    drawn.push_back({std::string(label), 0, y, std::string(url)});
  }

  bool text_visible(std::string_view) override { return y >= 0 && y < visible_height; }
  bool preformatted_visible(std::string_view) override { return y >= 0 && y < visible_height; }
  bool link_visible(std::string_view) override { return y >= 0 && y < visible_height; }

  std::int32_t text_width(std::string_view text, int type) override {
    ++width_measures;
    const std::int32_t extra = type == type_list_item ? indent : type == type_quotation ? 2 * indent : 0;
    return scaled(measure(text), type) + extra;
  }
  std::int32_t text_height(std::string_view text, int type) override {
    ++height_measures;
    return (is_blank(text) ? font_size : scaled(font_size, type)) + 2;
  }
  std::int32_t preformatted_width(std::string_view text) override {
    ++width_measures;
    return measure(text);
  }
  std::int32_t preformatted_height(std::string_view) override {
    ++height_measures;
    return font_size + 2;
  }
  std::int32_t link_width(std::string_view label) override { return text_width(label, type_plain); }
  std::int32_t link_height(std::string_view label) override { return text_height(label, type_plain); }

  void prepare_for_layout() override {}
  void layout_complete() override { content_height = y; }
  void new_page() override { y = 0; }
  void initialize(std::int32_t) override {}
  void set_scroll_percent(float) override {}
  void handle_event() override {}
  void explicit_event(std::int32_t code) override { render_event = code; }
  void draw_error(std::string_view) override {}
  void draw_status(std::string_view) override {}
};

}  // namespace veltrim::testing

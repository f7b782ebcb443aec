#include "korvid/internal/draw_state.h"

#include <mutex>

#include "korvid/internal/draw_paint.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"

namespace korvid::detail {
namespace {

std::unique_ptr<DrawState> default_state(const WindowData& window) {
  auto state = std::make_unique<DrawState>(fetch_theme_font());
  state->viewport = {0, 0, window.width, window.height, false};
  rebuild_pen(*state);
  rebuild_brush(*state);
  // Until the program picks a text style the pages hold font 0 at the desktop's
  // default size, while the recorded size stays 12.
  select_font(*state, state->fonts.get(font::default_bold, 0));
  return state;
}

}  // namespace

void reset_draw_state(WindowData& window) {
  require_usable_fonts();
  auto state = default_state(window);
  {
    std::lock_guard lock(window.page_lock);
    window.draw = std::move(state);
    active_page_image(window).fill(Qt::black);
  }
  refresh_client(window);
}

QPoint page_origin(const WindowData& window) {
  return window.draw ? window.draw->origin : QPoint();
}

QFont current_font(WindowData& window) {
  if (!window.draw) return QFont();
  std::lock_guard lock(window.draw->font_lock);
  return make_qfont(window.draw->font_spec);
}

void set_graph_result(WindowData& window, int code) {
  if (window.draw) window.draw->graph_result = code;
}

std::shared_ptr<WindowData> drawing_window() {
  auto window = current_window_shared();
  if (!window->draw) {
    // initwindow makes a window current a moment before it records its
    // drawing state; a draw from another thread in that moment gets defaults.
    auto state = default_state(*window);
    std::lock_guard lock(window->page_lock);
    if (!window->draw) window->draw = std::move(state);
  }
  return window;
}

void select_font(DrawState& state, std::shared_ptr<const FontEntry> font) {
  std::lock_guard lock(state.font_lock);
  state.font_spec = font->request;
  state.font = std::move(font);
}

}  // namespace korvid::detail

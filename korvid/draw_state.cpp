#include "korvid/internal/draw_state.h"

#include "korvid/internal/window_data.h"

namespace korvid::detail {

void reset_draw_state(WindowData& window) {
  window.draw = std::make_unique<DrawState>();
  std::lock_guard lock(window.page_lock);
  active_page_image(window).fill(Qt::black);
}

QPoint page_origin(const WindowData& window) {
  return window.draw ? window.draw->origin : QPoint();
}

}  // namespace korvid::detail

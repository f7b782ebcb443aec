#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_paint.h"
#include "korvid/window.h"

namespace korvid {

void setviewport(int left, int top, int right, int bottom, bool clip) {
  auto window = detail::drawing_window();
  detail::DrawState& state = *window->draw;
  // Under the page lock: painting images and refreshes read the origin.
  std::lock_guard lock(window->page_lock);
  state.viewport = {left, top, right, bottom, clip};
  state.origin = QPoint(left, top);
  state.position = QPoint(0, 0);
}

void resetviewport() { setviewport(0, 0, getmaxx(), getmaxy(), false); }

ViewportSettings getviewsettings() { return detail::drawing_window()->draw->viewport; }

void clearviewport() {
  auto window = detail::drawing_window();
  detail::DrawState& state = *window->draw;
  const ViewportSettings& v = state.viewport;
  // From the corner up to but not including (right - left, bottom - top).
  const detail::Box area{0, 0, static_cast<std::int64_t>(v.right) - v.left - 1,
                         static_cast<std::int64_t>(v.bottom) - v.top - 1};
  detail::paint_page(*window, [&](QPainter& painter, QImage& page) {
    if (const auto rect = detail::page_rect(state, area, page.rect())) {
      painter.fillRect(*rect, detail::to_qcolor(state.bk_color));
    }
  });
  state.position = QPoint(0, 0);
  detail::refresh_client(*window);
}

void cleardevice() {
  auto window = detail::drawing_window();
  {
    std::lock_guard lock(window->page_lock);
    detail::active_page_image(*window).fill(detail::to_qcolor(window->draw->bk_color));
  }
  detail::refresh_client(*window);
}

}  // namespace korvid

// Mirroring part of the page: for pictures meant to be read through a
// teleprompter's glass, which shows them the other way round.
#include <QImage>

#include <algorithm>

#include "korvid/draw.h"
#include "korvid/internal/draw_paint.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {

void mirrorrect(int left, int top, int right, int bottom) {
  auto window = detail::drawing_window();
  const detail::DrawState& state = *window->draw;
  std::optional<QRect> area;
  {
    std::lock_guard lock(window->page_lock);
    QImage& page = detail::active_page_image(*window);
    QRect bounds = page.rect();
    if (state.viewport.clip) bounds &= detail::viewport_clip_rect(state.viewport);
    area = detail::page_rect(state, {left, top, right, bottom}, bounds);
    if (!area) return;
    // In place, a row at a time: a whole reading view every pass, so no copy.
    for (int y = area->top(); y <= area->bottom(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(page.scanLine(y));
      std::reverse(row + area->left(), row + area->right() + 1);
    }
  }
  detail::refresh_device_rect(*window, *area);
}

}  // namespace korvid

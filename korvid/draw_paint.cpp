#include "korvid/internal/draw_paint.h"

#include <algorithm>

namespace korvid::detail {

QRect viewport_clip_rect(const ViewportSettings& viewport) {
  return QRect(QPoint(viewport.left, viewport.top), QPoint(viewport.right - 1, viewport.bottom - 1));
}

bool prepare_painter(QPainter& painter, const DrawState& state) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (state.viewport.clip) {
    if (state.viewport.right <= state.viewport.left || state.viewport.bottom <= state.viewport.top) {
      return false;
    }
    painter.setClipRect(viewport_clip_rect(state.viewport));
  }
  return true;
}

void apply_write_mode(QPainter& painter, const DrawState& state) {
  if (state.write_mode == xor_put) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
}

QPointF page_point(const DrawState& state, std::int64_t x, std::int64_t y) {
  return QPointF(static_cast<double>(x + state.origin.x()), static_cast<double>(y + state.origin.y()));
}

std::optional<QRect> page_rect(const DrawState& state, const Box& box, const QRect& bounds) {
  const std::int64_t left = std::max<std::int64_t>(box.left + state.origin.x(), bounds.left());
  const std::int64_t top = std::max<std::int64_t>(box.top + state.origin.y(), bounds.top());
  const std::int64_t right = std::min<std::int64_t>(box.right + state.origin.x(), bounds.right());
  const std::int64_t bottom = std::min<std::int64_t>(box.bottom + state.origin.y(), bounds.bottom());
  if (left > right || top > bottom) return std::nullopt;
  return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
               QPoint(static_cast<int>(right), static_cast<int>(bottom)));
}

void refresh_box(WindowData& window, const Box& box) {
  const QRect client(0, 0, window.width, window.height);
  if (const auto rect = page_rect(*window.draw, box, client)) refresh_device_rect(window, *rect);
}

void refresh_client(WindowData& window) {
  refresh_device_rect(window, QRect(0, 0, window.width, window.height), true);
}

std::int64_t pen_reach(const DrawState& state) {
  return static_cast<std::int64_t>(std::max(1, state.line.thickness)) + 1;
}

}  // namespace korvid::detail

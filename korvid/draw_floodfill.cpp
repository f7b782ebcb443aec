#include <algorithm>
#include <vector>

#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_paint.h"

namespace korvid {
namespace {

// The area reachable from `seed` without crossing a pixel of colour `border`,
// as one-row spans of page pixels. The whole area is found before anything is
// painted, so a fill in the border colour itself still ends.
class SpanFinder {
 public:
  SpanFinder(const QImage& page, const QRect& bounds, QRgb border)
      : page_(page), bounds_(bounds), border_(border & 0xFFFFFF),
        visited_(static_cast<std::size_t>(bounds.width()) * static_cast<std::size_t>(bounds.height())) {}

  std::vector<QRect> find(QPoint seed) {
    std::vector<QRect> spans;
    if (!open(seed.x(), seed.y())) return spans;
    std::vector<QPoint> pending{seed};
    while (!pending.empty()) {
      const QPoint p = pending.back();
      pending.pop_back();
      if (!open(p.x(), p.y())) continue;
      int left = p.x();
      int right = p.x();
      while (left > bounds_.left() && open(left - 1, p.y())) --left;
      while (right < bounds_.right() && open(right + 1, p.y())) ++right;
      for (int x = left; x <= right; ++x) visit(x, p.y());
      spans.emplace_back(left, p.y(), right - left + 1, 1);
      for (const int y : {p.y() - 1, p.y() + 1}) {
        if (y >= bounds_.top() && y <= bounds_.bottom()) queue_runs(left, right, y, pending);
      }
    }
    return spans;
  }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y - bounds_.top()) * static_cast<std::size_t>(bounds_.width()) +
           static_cast<std::size_t>(x - bounds_.left());
  }
  bool open(int x, int y) const {
    if (visited_[index(x, y)]) return false;
    const auto* row = reinterpret_cast<const QRgb*>(page_.constScanLine(y));
    return (row[x] & 0xFFFFFF) != border_;
  }
  void visit(int x, int y) { visited_[index(x, y)] = true; }

  // One seed for every run of open pixels in row `y` between left and right.
  void queue_runs(int left, int right, int y, std::vector<QPoint>& pending) const {
    bool in_run = false;
    for (int x = left; x <= right; ++x) {
      const bool is_open = open(x, y);
      if (is_open && !in_run) pending.emplace_back(x, y);
      in_run = is_open;
    }
  }

  const QImage& page_;
  QRect bounds_;
  QRgb border_;
  std::vector<bool> visited_;
};

}  // namespace

void floodfill(int x, int y, int border) {
  auto window = detail::drawing_window();
  const detail::DrawState& state = *window->draw;
  QRect touched;
  detail::paint_page(*window, [&](QPainter& painter, QImage& page) {
    QRect bounds = page.rect();
    if (state.viewport.clip) bounds &= detail::viewport_clip_rect(state.viewport);
    const auto seed = detail::page_rect(state, {x, y, x, y}, bounds);
    if (!seed) return;
    for (const QRect& span : SpanFinder(page, bounds, detail::to_qrgb(border)).find(seed->topLeft())) {
      painter.fillRect(span, state.brush);
      touched |= span;
    }
  });
  const QRect client(0, 0, window->width, window->height);
  if (const QRect shown = touched & client; !shown.isEmpty()) {
    detail::refresh_device_rect(*window, shown);
  }
}

}  // namespace korvid

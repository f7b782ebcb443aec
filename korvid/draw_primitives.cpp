#include <QPolygonF>

#include <algorithm>

#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_paint.h"

namespace korvid {
namespace {

using detail::Box;
using detail::DrawState;
using detail::WindowData;

Box box_of(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

Box box_of(std::span<const Point> points) {
  Box box = box_of(points[0].x, points[0].y, points[0].x, points[0].y);
  for (const Point& p : points) {
    box.left = std::min<std::int64_t>(box.left, p.x);
    box.top = std::min<std::int64_t>(box.top, p.y);
    box.right = std::max<std::int64_t>(box.right, p.x);
    box.bottom = std::max<std::int64_t>(box.bottom, p.y);
  }
  return box;
}

QPolygonF page_polygon(const DrawState& state, std::span<const Point> points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) polygon << detail::page_point(state, p.x, p.y);
  return polygon;
}

void draw_line(WindowData& window, int x1, int y1, int x2, int y2) {
  const DrawState& state = *window.draw;
  detail::draw_shape(window, box_of(x1, y1, x2, y2), false, [&](QPainter& painter) {
    painter.drawLine(QLineF(detail::page_point(state, x1, y1), detail::page_point(state, x2, y2)));
  });
}

// Where (x, y) of the viewport lies on the page, if it is on the page and inside
// a clipping viewport.
std::optional<QPoint> page_pixel(const DrawState& state, const QImage& page, int x, int y) {
  QRect bounds = page.rect();
  if (state.viewport.clip) bounds &= detail::viewport_clip_rect(state.viewport);
  const auto rect = detail::page_rect(state, {x, y, x, y}, bounds);
  if (!rect) return std::nullopt;
  return rect->topLeft();
}

}  // namespace

void bar(int left, int top, int right, int bottom) {
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  // Column `right` and row `bottom` stay unpainted.
  const Box filled{left, top, static_cast<std::int64_t>(right) - 1, static_cast<std::int64_t>(bottom) - 1};
  detail::paint_page(*window, [&](QPainter& painter, QImage& page) {
    if (const auto rect = detail::page_rect(state, filled, page.rect())) {
      painter.fillRect(*rect, state.brush);
    }
  });
  detail::refresh_box(*window, {left, top, static_cast<std::int64_t>(right) + 1,
                                static_cast<std::int64_t>(bottom) + 1});
}

void bar3d(int left, int top, int right, int bottom, int depth, bool topflag) {
  bar(left, top, right, bottom);
  rectangle(left, top, right, bottom);
  if (depth <= 0) return;
  // The receding edges rise at three quarters of the depth.
  const int dx = depth;
  const int dy = detail::wrap32(static_cast<std::int64_t>(depth) * 3 / 4);
  const int back_right = detail::wrap32(static_cast<std::int64_t>(right) + dx);
  const int back_bottom = detail::wrap32(static_cast<std::int64_t>(bottom) - dy);
  const int back_top = detail::wrap32(static_cast<std::int64_t>(top) - dy);
  line(right, bottom, back_right, back_bottom);
  line(back_right, back_bottom, back_right, back_top);
  if (topflag) {
    const int back_left = detail::wrap32(static_cast<std::int64_t>(left) + dx);
    line(right, top, back_right, back_top);
    line(back_right, back_top, back_left, back_top);
    line(back_left, back_top, left, top);
  }
}

void rectangle(int left, int top, int right, int bottom) {
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  const Point corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  detail::draw_shape(*window, box_of(left, top, right, bottom), false, [&](QPainter& painter) {
    painter.drawPolygon(page_polygon(state, corners));
  });
}

void line(int x1, int y1, int x2, int y2) {
  auto window = detail::drawing_window();
  draw_line(*window, x1, y1, x2, y2);
}

void lineto(int x, int y) {
  auto window = detail::drawing_window();
  const QPoint from = window->draw->position;
  draw_line(*window, from.x(), from.y(), x, y);
  window->draw->position = QPoint(x, y);
}

void linerel(int dx, int dy) {
  auto window = detail::drawing_window();
  const QPoint from = window->draw->position;
  const int x = detail::wrap32(static_cast<std::int64_t>(from.x()) + dx);
  const int y = detail::wrap32(static_cast<std::int64_t>(from.y()) + dy);
  draw_line(*window, from.x(), from.y(), x, y);
  window->draw->position = QPoint(x, y);
}

void moveto(int x, int y) { detail::drawing_window()->draw->position = QPoint(x, y); }

void moverel(int dx, int dy) {
  auto window = detail::drawing_window();
  QPoint& position = window->draw->position;
  position = QPoint(detail::wrap32(static_cast<std::int64_t>(position.x()) + dx),
                    detail::wrap32(static_cast<std::int64_t>(position.y()) + dy));
}

int getx() { return detail::drawing_window()->draw->position.x(); }
int gety() { return detail::drawing_window()->draw->position.y(); }

void drawpoly(std::span<const Point> points) {
  if (points.empty()) return;
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  detail::draw_shape(*window, box_of(points), false, [&](QPainter& painter) {
    painter.drawPolyline(page_polygon(state, points));
  });
}

void fillpoly(std::span<const Point> points) {
  if (points.empty()) return;
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  detail::draw_shape(*window, box_of(points), true, [&](QPainter& painter) {
    painter.drawPolygon(page_polygon(state, points), Qt::OddEvenFill);
  });
}

void putpixel(int x, int y, int color) {
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  {
    std::lock_guard lock(window->page_lock);
    QImage& page = detail::active_page_image(*window);
    if (const auto at = page_pixel(state, page, x, y)) page.setPixel(*at, detail::to_qrgb(color));
  }
  detail::refresh_box(*window, {x, y, x, y});
}

int getpixel(int x, int y) {
  auto window = detail::drawing_window();
  std::lock_guard lock(window->page_lock);
  const QImage& page = detail::active_page_image(*window);
  const auto at = page_pixel(*window->draw, page, x, y);
  return at ? detail::from_qrgb(page.pixel(*at)) : -1;
}

}  // namespace korvid

#include <QRectF>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "korvid/draw.h"
#include "korvid/internal/draw_paint.h"

namespace korvid {
namespace {

using detail::Box;
using detail::DrawState;
using detail::WindowData;

// Offset of a point on the outline along one axis: the product is truncated
// towards zero, so a quarter circle of radius 100 ends exactly 100 pixels away.
std::int64_t outline_offset(std::int64_t radius, double trig) {
  return static_cast<std::int64_t>(std::trunc(static_cast<double>(radius) * trig));
}

double radians(int degrees) { return degrees * std::numbers::pi / 180.0; }

ArcCoords arc_coords(int x, int y, int stangle, int endangle, std::int64_t xradius,
                     std::int64_t yradius) {
  const double start = radians(stangle);
  const double end = radians(endangle);
  return {x,
          y,
          detail::wrap32(x + outline_offset(xradius, std::cos(start))),
          detail::wrap32(y - outline_offset(yradius, std::sin(start))),
          detail::wrap32(x + outline_offset(xradius, std::cos(end))),
          detail::wrap32(y - outline_offset(yradius, std::sin(end)))};
}

// Qt's angles: sixteenths of a degree, counter-clockwise from 3 o'clock like ours.
struct Sweep {
  int start16;
  int span16;
};

// Counter-clockwise from the start to the end angle; equal angles go all the way round.
Sweep sweep(int stangle, int endangle) {
  const auto start = static_cast<int>(((static_cast<std::int64_t>(stangle) % 360) + 360) % 360);
  auto span = static_cast<int>(
      (((static_cast<std::int64_t>(endangle) - stangle) % 360) + 360) % 360);
  if (span == 0) span = 360;
  return {start * 16, span * 16};
}

Box ellipse_box(int x, int y, std::int64_t xradius, std::int64_t yradius) {
  return {x - xradius, y - yradius, x + xradius, y + yradius};
}

QRectF page_ellipse(const DrawState& state, const Box& box) {
  return QRectF(detail::page_point(state, box.left, box.top),
                detail::page_point(state, box.right, box.bottom));
}

enum class Shape { arc, pie, ellipse };

void draw_round(int x, int y, std::int64_t xradius, std::int64_t yradius, Shape shape,
                bool filled, Sweep angles = {0, 360 * 16}) {
  auto window = detail::drawing_window();
  const DrawState& state = *window->draw;
  const Box box = ellipse_box(x, y, std::abs(xradius), std::abs(yradius));
  detail::draw_shape(*window, box, filled, [&](QPainter& painter) {
    const QRectF rect = page_ellipse(state, box);
    switch (shape) {
      case Shape::arc: painter.drawArc(rect, angles.start16, angles.span16); break;
      case Shape::pie: painter.drawPie(rect, angles.start16, angles.span16); break;
      case Shape::ellipse: painter.drawEllipse(rect); break;
    }
  });
}

void remember_arc(const ArcCoords& coords) { detail::drawing_window()->draw->last_arc = coords; }

}  // namespace

void arc(int x, int y, int stangle, int endangle, int radius) {
  ellipse(x, y, stangle, endangle, radius, radius);
}

void circle(int x, int y, int radius) { draw_round(x, y, radius, radius, Shape::ellipse, false); }

void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  remember_arc(arc_coords(x, y, stangle, endangle, xradius, yradius));
  draw_round(x, y, xradius, yradius, Shape::arc, false, sweep(stangle, endangle));
}

void fillellipse(int x, int y, int xradius, int yradius) {
  draw_round(x, y, xradius, yradius, Shape::ellipse, true);
}

void pieslice(int x, int y, int stangle, int endangle, int radius) {
  sector(x, y, stangle, endangle, radius, radius);
}

void sector(int x, int y, int stangle, int endangle, int xradius, int yradius) {
  remember_arc(arc_coords(x, y, stangle, endangle, xradius, yradius));
  draw_round(x, y, xradius, yradius, Shape::pie, true, sweep(stangle, endangle));
}

ArcCoords getarccoords() { return detail::drawing_window()->draw->last_arc; }

}  // namespace korvid

// How every primitive paints: on the active page, under the page lock, inside
// the viewport's clip, then a refresh of what it touched.
//
// Drawing coordinates are 32-bit and the viewport origin is 32-bit too, so their
// sums are taken in 64 bits (or as doubles for Qt) and never overflow.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <mutex>
#include <optional>

#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid::detail {

// A box of pixels with inclusive edges, in 64 bits.
struct Box {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;
  std::int64_t bottom;

  Box grown(std::int64_t by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The clip rectangle of a clipping viewport in page pixels: its right column and
// bottom row stay outside.
QRect viewport_clip_rect(const ViewportSettings& viewport);

// Sets a painter up for the state: no antialiasing for shapes (edges land on
// whole pixels), antialiased text, the viewport's clip. The painter works in
// page pixels; use `page_point`/`page_rect` to place things. False when the
// clip leaves nothing to paint.
bool prepare_painter(QPainter& painter, const DrawState& state);

// Pens and outlined shapes combine with the page in the write mode; bars,
// clears, pixels and text always paint.
void apply_write_mode(QPainter& painter, const DrawState& state);

// A point in viewport coordinates, on the page.
QPointF page_point(const DrawState& state, std::int64_t x, std::int64_t y);
// A box in viewport coordinates, on the page and cut to `bounds`; empty when
// nothing of it lies there.
std::optional<QRect> page_rect(const DrawState& state, const Box& box, const QRect& bounds);

// Runs `paint(painter, page)` on the active page with the page lock held.
template <class Paint>
void paint_page(WindowData& window, Paint&& paint) {
  std::lock_guard lock(window.page_lock);
  QImage& page = active_page_image(window);
  QPainter painter(&page);
  if (prepare_painter(painter, *window.draw)) paint(painter, page);
}

// Draws with the current pen, and the current fill when `filled`, in the write
// mode; then refreshes `box` (the shape's outline) grown by the pen's reach.
template <class Draw>
void draw_shape(WindowData& window, const Box& box, bool filled, Draw&& draw);

// Marks a box in viewport coordinates for repainting (only when refreshing is on
// and the active page is on show).
void refresh_box(WindowData& window, const Box& box);
// The same for the whole client area, whether refreshing is on or not.
void refresh_client(WindowData& window);

// How far a shape drawn with the current pen can reach beyond its outline.
std::int64_t pen_reach(const DrawState& state);

template <class Draw>
void draw_shape(WindowData& window, const Box& box, bool filled, Draw&& draw) {
  DrawState& state = *window.draw;
  paint_page(window, [&](QPainter& painter, QImage&) {
    apply_write_mode(painter, state);
    painter.setPen(state.pen);
    painter.setBrush(filled ? state.brush : QBrush());
    draw(painter);
  });
  refresh_box(window, box.grown(pen_reach(state)));
}

// 32-bit results of 64-bit sums wrap around as the 32-bit original's did.
inline int wrap32(std::int64_t value) { return static_cast<int>(value); }

}  // namespace korvid::detail

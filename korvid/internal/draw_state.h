// Per-window drawing settings (colours, lines, fills, fonts, viewport, text).
#pragma once

#include <QPoint>

namespace korvid::detail {

struct WindowData;

struct DrawState {
  QPoint origin;  // viewport's top-left corner in page pixels
};

// Sets the drawing defaults for a new window and clears its active page.
void reset_draw_state(WindowData& window);
// Where drawing coordinates (0, 0) lie on the page: the viewport's corner.
QPoint page_origin(const WindowData& window);

}  // namespace korvid::detail

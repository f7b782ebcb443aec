// Per-window drawing settings (colours, lines, fills, fonts, viewport, text).
#pragma once

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <memory>
#include <mutex>

#include "korvid/draw.h"
#include "korvid/internal/draw_fonts.h"

namespace korvid::detail {

struct WindowData;

// Everything a window's drawing calls read and write. The program draws from one
// thread at a time, so the settings themselves need no lock; the pages they are
// applied to are guarded by the window's page lock, and the font handed to
// controls by `font_lock`.
struct DrawState {
  explicit DrawState(FontSpec theme) : fonts(std::move(theme)) {}

  // Viewport in window pixels; drawing coordinates start at its corner.
  ViewportSettings viewport;
  QPoint origin;    // (viewport.left, viewport.top)
  QPoint position;  // drawing position of lineto/moveto, viewport coordinates
  int text_x = 0;   // where the next outtext starts, viewport coordinates
  int text_y = 0;

  int color = white;
  int bk_color = black;
  int write_mode = copy_put;

  LineSettings line;
  FillSettings fill;
  FillPattern fill_pattern{};
  int empty_fill_color = black;  // background colour when the empty fill was chosen

  TextSettings text;
  UserCharSize user_char_size;
  ArcCoords last_arc;
  int graph_result = gr_ok;
  int aspect_x = 10000;
  int aspect_y = 10000;

  // Made once per change of the settings above, not per primitive.
  QPen pen;
  QBrush brush;
  FontCache fonts;
  std::shared_ptr<const FontEntry> font;  // the selected font

  // The selected font as plain values, for controls made on the window thread.
  std::mutex font_lock;
  FontSpec font_spec;
};

// Sets the drawing defaults for a new window and clears its active page to
// black. The first call in a process also checks that fonts with real glyphs
// are installed and ends the process with a message when none are.
void reset_draw_state(WindowData& window);
// Where drawing coordinates (0, 0) lie on the page: the viewport's corner.
QPoint page_origin(const WindowData& window);
// The window's selected font, freshly made for the calling thread (controls
// take it when they are created).
QFont current_font(WindowData& window);
// Records an error code for graphresult().
void set_graph_result(WindowData& window, int code);

// The current window (ending the process when there is none) with its drawing
// state; the shared pointer keeps it alive for the length of one call.
std::shared_ptr<WindowData> drawing_window();

// Remakes the pen, the fill brush and the selected font from the settings.
void rebuild_pen(DrawState& state);
void rebuild_brush(DrawState& state);
void select_font(DrawState& state, std::shared_ptr<const FontEntry> font);

}  // namespace korvid::detail
